// tolvane-cmd: the command interpreter the system runs its batch files with
// where there is no cmd.exe.
//
//   tolvane-cmd [/s] [/q] [/d] /c command text     as cmd /c: one command line
//   tolvane-cmd file.bat [arguments]               runs a batch file
//
// The exit status is the last command's status, as cmd's is (statuses above
// 255, such as 9009 for a program not found, come out as 255).
#include <iostream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/program_arguments.h"
#include "platform/program_main.h"
#include "platform/unicode.h"
#include "tools/cmd/batch_interpreter.h"

namespace {

int run(const std::vector<std::string>& args) {
    bool stripQuotes = false;
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string lower = platform::asciiLower(args[i]);
        if (lower == "/s") stripQuotes = true;
        else if (lower == "/q" || lower == "/d" || lower.rfind("/e:", 0) == 0 || lower.rfind("/v:", 0) == 0) continue;
        else break;
    }
    batch::BatchInterpreter interpreter(std::cout, std::cerr, std::cin, platform::executableFolder());
    if (i < args.size() && platform::asciiLower(args[i]) == "/c") {
        // One argument is the command text as written; several (typed in a
        // shell) are joined back into one command line.
        std::string text;
        if (i + 2 == args.size()) {
            text = args[i + 1];
        } else {
            for (std::size_t k = i + 1; k < args.size(); ++k)
                text += (k > i + 1 ? " " : "") + platform::quoteArgument(args[k]);
        }
        // With /s, cmd removes the first and the last quote of the text.
        if (stripQuotes && !text.empty() && text[0] == '"') {
            text.erase(0, 1);
            const std::size_t last = text.rfind('"');
            if (last != std::string::npos) text.erase(last, 1);
        }
        return interpreter.runCommandText(text);
    }
    if (i < args.size()) {
        return interpreter.runBatchFile(args[i], std::vector<std::string>(args.begin() + i + 1, args.end()));
    }
    std::cerr << "Usage: tolvane-cmd /c \"command line\"   or   tolvane-cmd file.bat [arguments]\n"
                 "Runs a command or a batch file the way cmd.exe does, for the batch files Tolvane writes.\n";
    return 1;
}

int exitStatus(int status) { return status >= 0 && status <= 255 ? status : 255; }

}  // namespace

int main(int argc, char** argv) {
    platform::endWithParent();
    return platform::runProgram("tolvane-cmd", std::cerr, [&] {
        const std::vector<std::string> args = platform::programArguments(argc, argv);
        return exitStatus(run(args));
    });
}
