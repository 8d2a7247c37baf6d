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

// Beside each work folder lies "<folder>.owner", holding the id of the
// process that uses it. A work folder whose owner is no longer running was
// left by a build that was killed; it and its marker are removed when the
// next command starts. Folders without a marker are not provably ours and
// stay.
void removeStaleWorkFolders(const std::string& temporaryFolder, const std::string& prefix);
std::string ownerMarkerPath(const std::string& workFolder);

// Removes stale work folders, makes the folder, makes it the program folder and runs `build` in it.
// Afterwards it waits for the clean-up that the build left running (through
// `runner`), puts the program folder back, returns to `startFolder` and
// removes the work folder. Failures are reported on `err`. An interrupt
// (SIGINT, SIGTERM, Ctrl+C) meanwhile removes the folder and its marker too.
void runInWorkFolder(const std::string& prefix, const std::string& startFolder, shell::ToolCommandRunner& runner,
                     std::ostream& err, const std::function<void(const std::string& workFolder)>& build);

}  // namespace console
