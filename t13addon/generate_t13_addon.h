// The T13 builder's Generate command: checks the window's fields, asks for
// the output file, writes Entries.ini, config.txt and the batch file into the
// program folder, has config.txt rewritten as UTF-8, runs the batch file (7z
// and copy /b do all the packing), removes its work files and reports.
#pragma once

#include <string>

#include "shell/command_runner.h"
#include "shell/generate_outcome.h"
#include "shell/user_interface.h"
#include "t13addon/t13_builder.h"

namespace t13addon {

// `overwriteQuestion` is the UI string "runinfo" "create". The work files go
// into platform::programFolder(), which is also the current folder afterwards.
// This is the T13 builder's Generate button (Command1).
shell::GenerateOutcome GenerateT13Addon(T13Builder& builder, shell::UserInterface& ui,
                                        shell::CommandRunner& runner, const std::string& overwriteQuestion);

// The program folder with exactly one trailing "\".
std::string appDirOf(const std::string& programFolder);
// The save dialog's preset: name + "_" + version + "_Addon.7z".
std::string defaultPackageFileName(const std::string& name, const std::string& version);

}  // namespace t13addon
