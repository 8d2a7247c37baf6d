// A test program for the interpreter's program runs: writes the arguments it
// was given, argv[0] first, one a line in UTF-8, to "argdump.out" in the
// current folder, and exits with the number of arguments after argv[0].
#include <cstdio>
#include <string>
#include <vector>

#include "platform/unicode.h"

namespace {

int dump(const std::vector<std::string>& args) {
    std::FILE* f = std::fopen("argdump.out", "wb");
    if (!f) return 100;
    for (const auto& a : args) std::fprintf(f, "%s\n", a.c_str());
    std::fclose(f);
    return static_cast<int>(args.size()) - 1;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) {
        const std::wstring w = argv[i];
        args.push_back(platform::utf16ToUtf8(std::u16string(w.begin(), w.end())));
    }
    return dump(args);
}
#else
int main(int argc, char** argv) { return dump(std::vector<std::string>(argv, argv + argc)); }
#endif
