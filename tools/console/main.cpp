// tolvane-console: builds INF and T13 packages without windows. It reads the
// options every command shares, picks the command, and lets it read its own.
#include <iostream>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/program_arguments.h"
#include "platform/program_main.h"
#include "platform/terminal.h"
#include "shell/ui_strings.h"
#include "tools/console/console_run.h"
#include "tools/console/inf_command.h"
#include "tools/console/t13_command.h"

namespace {

// "V3.3" -> "3.3"
std::string versionText() {
    const std::string suffix = shell::kProgramVersionSuffix;
    return std::string(console::kProgramName) + " (Tolvane) " + (suffix.rfind('V', 0) == 0 ? suffix.substr(1) : suffix) +
           "\n";
}

// What ends the program unasked is told in the run's language once it is known.
platform::ProgramFailureWords failureWords;

int run(int argc, char** argv) {
    // On Windows from the wide command line: names outside the ANSI code page
    // (a Chinese folder on an English system) arrive intact, as UTF-8.
    const std::vector<std::string> words = platform::programArguments(argc, argv);
    console::ConsoleRun run;
    std::size_t i = 0;
    try {
        run = console::consoleRunFor({}, false);
        failureWords = console::programFailureWords(run);
        for (; i < words.size(); ++i) {
            if (console::isHelpOption(words[i])) {
                std::cout << console::programHelp(run.texts);
                return 0;
            }
            if (words[i] == "--version") {
                std::cout << versionText();
                return 0;
            }
            if (!console::takeCommonOption(words, i, run)) break;
        }
        failureWords = console::programFailureWords(run);
    } catch (const platform::Error& e) {
        return console::refuseArguments(run, e.what(), console::ConsoleText::Usage, console::kProgramName);
    }
    if (i == words.size())
        return console::refuseArguments(run, run.texts(console::ConsoleText::NoCommand), console::ConsoleText::Usage,
                                        console::kProgramName);
    const std::vector<std::string> args(words.begin() + static_cast<std::ptrdiff_t>(i) + 1, words.end());
    if (words[i] == "inf") return console::runInfCommand(args, run);
    if (words[i] == "t13") return console::runT13Command(args, run);
    return console::refuseArguments(run, run.texts(console::ConsoleText::UnknownCommand, {words[i]}), console::ConsoleText::Usage,
                                    console::kProgramName);
}

}  // namespace

int main(int argc, char** argv) {
    platform::writeTextToConsoleAsCharacters();
    return platform::runProgram(console::kProgramName, std::cerr, [&] { return run(argc, argv); }, failureWords);
}
