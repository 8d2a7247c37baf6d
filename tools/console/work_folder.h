// The console commands' program folder: a fresh temporary folder that holds
// one build's work files and goes away afterwards, so runs never meet each
// other's files or the user's.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "shell/command_runner.h"

namespace console {

// A path from the command line, relative to `folder` unless it is absolute
// or empty.
std::string absoluteFrom(const std::string& folder, const std::string& path);

// Makes the folder, makes it the program folder and runs `build` in it.
// Afterwards it waits for the clean-up that the build left running (through
// `runner`), puts the program folder back, returns to `startFolder` and
// removes the work folder. Failures are reported on `err`.
void runInWorkFolder(const std::string& prefix, const std::string& startFolder, shell::ToolCommandRunner& runner,
                     std::ostream& err, const std::function<void(const std::string& workFolder)>& build);

}  // namespace console
