// tolvane-inftext: writes an INF package's INF and entries file from an
// application's folders (see inftext_command.h).
#include <iostream>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/program_arguments.h"
#include "platform/program_main.h"
#include "tools/console/console_run.h"
#include "tools/inftext/inftext_command.h"

int main(int argc, char** argv) {
    // What ends it unasked is told in the system's language.
    platform::ProgramFailureWords failureWords;
    try {
        failureWords = console::programFailureWords(console::consoleRunFor({}, false));
    } catch (const platform::Error&) {
    }
    return platform::runProgram("tolvane-inftext", std::cerr, [&] {
        const std::vector<std::string> args = platform::programArguments(argc, argv);
        return inftext::runInfTextCommand(args, std::cout, std::cerr);
    }, failureWords);
}
