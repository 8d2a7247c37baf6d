// tolvane-console: builds INF and T13 packages without windows. It only
// picks the subcommand; each command reads its own options.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "platform/program_arguments.h"
#include "platform/program_main.h"
#include "tools/console/inf_command.h"
#include "tools/console/t13_command.h"

namespace {

const char* const kUsage =
    "usage: tolvane-console inf OPTIONS    make an INF package (NAME_VERSION_Addon.cab)\n"
    "       tolvane-console t13 OPTIONS    make a T13 package (NAME_VERSION_Addon.7z)\n"
    "       tolvane-console --help         this text\n"
    "The messages a command shows are printed; the overwrite question is answered by --overwrite.\n\n";

bool isHelp(const std::string& arg) { return arg == "--help" || arg == "-h" || arg == "/?"; }

}  // namespace

static int run(int argc, char** argv) {
    // On Windows from the wide command line: names outside the ANSI code page
    // (a Chinese folder on an English system) arrive intact, as UTF-8.
    const std::vector<std::string> words = platform::programArguments(argc, argv);
    if (words.empty() || isHelp(words[0])) {
        std::ostream& out = words.empty() ? std::cerr : std::cout;
        out << kUsage << console::kInfUsage << "\n" << console::kT13Usage;
        return words.empty() ? 2 : 0;
    }
    const std::vector<std::string> args(words.begin() + 1, words.end());
    if (words[0] == "inf") return console::RunInfCommand(args, std::cerr);
    if (words[0] == "t13") return console::RunT13Command(args, std::cerr);
    std::cerr << "\"" << words[0] << "\" is not a command of tolvane-console.\n" << kUsage;
    return 2;
}

int main(int argc, char** argv) {
    return platform::runProgram("tolvane-console", std::cerr, [&] { return run(argc, argv); });
}
