// A tool for the ToolRunner tests: runs for the given milliseconds, then
// writes the named file in the current directory, so a test can tell that
// the wait lasted to the end and that the tool ran where it was started.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    const long milliseconds = argc > 1 ? std::atol(argv[1]) : 1000;
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    if (argc > 2) {
        if (std::FILE* f = std::fopen(argv[2], "wb")) {
            std::fputs("done", f);
            std::fclose(f);
        }
    }
    return 0;
}
