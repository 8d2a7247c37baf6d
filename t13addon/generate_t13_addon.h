// The T13 builder's Generate command: checks the window's fields, asks for
// the output file, writes Entries.ini, config.txt and the batch file into the
// program folder, has config.txt rewritten as UTF-8, runs the batch file (7z
// and copy /b do all the packing), removes its work files and reports.
#pragma once

#include <string>

#include "shell/user_interface.h"
#include "shell/command_runner.h"
#include "t13addon/t13_addon_settings.h"

namespace t13addon {

enum class T13Outcome {
    Refused,    // a check failed; its message was shown, nothing changed
    Cancelled,  // save dialog cancelled or overwriting declined
    Failed,     // a step failed after the checks; one message says which
    NotMade,    // the tools ran but made no package: the failure message
    Made,       // the success message
};

// `overwriteQuestion` is the UI string "runinfo" "create". The work files go
// into platform::programFolder(), which is also the current folder afterwards.
T13Outcome GenerateT13Addon(T13BuilderFields& window, shell::UserInterface& ui, shell::CommandRunner& runner,
                            const std::string& overwriteQuestion);

// The program folder with exactly one trailing "\".
std::string appDirOf(const std::string& programFolder);
// The save dialog's preset: name + "_" + version + "_Addon.7z".
std::string defaultPackageFileName(const std::string& name, const std::string& version);

}  // namespace t13addon
