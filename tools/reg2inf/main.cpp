// reg2inf: the registry file converter (see reg2inf.h).
#include <iostream>
#include <string>
#include <vector>

#include "platform/unicode.h"
#include "tools/reg2inf/reg2inf.h"

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::wstring w = argv[i];
        args.push_back(platform::utf16ToUtf8(std::u16string(w.begin(), w.end())));
    }
    return reg2inf::RunReg2Inf(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    return reg2inf::RunReg2Inf(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
#endif
