// How one run of tolvane-console talks to the user: where its lines go, in
// which language, and how much it says. Like the Linux tools: the package's
// path on standard output when it was made, so a script can take it; the
// result, warnings and errors on standard error; the scan's log and the
// tools' own output only with --verbose; and, where standard error is a
// terminal, one progress line drawn over itself.
#pragma once

#include <iostream>
#include <string>
#include <vector>

#include "platform/program_main.h"
#include "shell/ui_strings.h"
#include "tools/console/console_texts.h"

namespace console {

inline constexpr const char* kProgramName = "tolvane-console";

struct ConsoleRun {
    std::ostream* out = &std::cout;
    std::ostream* err = &std::cerr;
    ConsoleTexts texts;         // built-in English unless a language is chosen
    std::string languageName;
    // The file's message texts, which the builders' messages take, and the
    // overwrite question (read once with the language; the built-in texts
    // where it gives none).
    shell::LanguageState language;
    bool verbose = false;
    bool progress = false;      // standard error is a terminal: draw the progress line
    int columns = 0;            // its width
};

// The run as the system gives it: the language chosen from `language` (the
// --language name, or empty for the system's), a progress line where
// standard error is a terminal. Throws platform::Error(BadInput) for a
// language that has no file.
ConsoleRun consoleRunFor(const std::string& language, bool verbose);

// What ended the program, worded in the run's language: the system's errors
// by their message keys (see shell::errorText).
platform::ProgramFailureWords programFailureWords(const ConsoleRun& run);

// The options every command takes besides its own: --verbose (-v) and
// --language NAME. When args[i] is one, applies it (reading the language
// file anew), steps `i` past its value and returns true. Throws
// platform::Error(BadInput) for a language without a file or a missing name.
bool takeCommonOption(const std::vector<std::string>& args, std::size_t& i, ConsoleRun& run);

// tolvane-console's own --help: how the commands are called, the options
// every command shares, --version and the exit statuses.
std::string programHelp(const ConsoleTexts& texts);

// A command's --help in the run's language: its usage lines, its own
// options, then the options every command shares and the exit statuses.
std::string commandHelp(const ConsoleTexts& texts, ConsoleText usage, ConsoleText options);

// Whether the word asks for help.
bool isHelpOption(const std::string& word);

// The problem, the command's usage lines (`usage`) and how to see every
// option, on standard error: the answer to arguments that cannot be used
// (exit status 2).
int refuseArguments(const ConsoleRun& run, const std::string& problem, ConsoleText usage,
                    const std::string& helpCommand);

}  // namespace console
