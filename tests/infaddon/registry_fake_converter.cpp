// A stand-in for reg2inf in the registry import tests: writes its last
// argument as an INF whose AddReg section holds one line per argument, so a
// test sees what the import handed over. Given a registry file whose name
// holds "no-output", it ends without writing anything, as a converter that
// failed does.
#include <string>
#include <vector>

#include "platform/ansi_text_file.h"
#include "platform/program_arguments.h"

namespace {

int run(const std::vector<std::string>& args) {
    if (args.empty()) return 2;
    for (const std::string& arg : args)
        if (arg.find("no-output") != std::string::npos) return 1;
    std::string text = "[Version]\r\n[Fake_AddReg]\r\n";
    for (const std::string& arg : args) text += "arg=" + arg + "\r\n";
    text += "[Strings]\r\n";
    platform::writeAnsiFile(args.back(), text);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args = platform::programArguments(argc, argv);
    return run(args);
}
