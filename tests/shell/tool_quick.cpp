// A tool for the ToolRunner tests that ends at once.
int main() { return 0; }
