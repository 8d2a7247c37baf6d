// tolvane-inftext: writes an INF package's INF and entries file from an
// application's folders (see inftext_command.h).
#include <iostream>
#include <string>
#include <vector>

#include "platform/unicode.h"
#include "tools/inftext/inftext_command.h"

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring w = argv[i];
        args.push_back(platform::utf16ToUtf8(std::u16string(w.begin(), w.end())));
    }
    return inftext::runInfTextCommand(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    return inftext::runInfTextCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
#endif
