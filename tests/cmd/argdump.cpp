// A test program for the interpreter's program runs: writes the arguments it
// was given, argv[0] first, one a line in UTF-8, to "argdump.out" in the
// current folder, and exits with the number of arguments after argv[0].
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/command_line_words.h"

namespace {

int dump(const std::vector<std::string>& args) {
    std::FILE* f = std::fopen("argdump.out", "wb");
    if (!f) return 100;
    for (const auto& a : args) std::fprintf(f, "%s\n", a.c_str());
    std::fclose(f);
    return static_cast<int>(args.size()) - 1;
}

}  // namespace

int main(int argc, char** argv) { return dump(testsupport::commandLineWords(argc, argv)); }
