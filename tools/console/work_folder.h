// The console commands' program folder: a fresh temporary folder that holds
// one build's work files and goes away afterwards, so runs never meet each
// other's files or the user's.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "shell/command_runner.h"
#include "tools/console/console_texts.h"

namespace console {

// A path from the command line, relative to `folder` unless it is absolute
// or empty.
std::string absoluteFrom(const std::string& folder, const std::string& path);

// A work folder is named "<prefix>-<owner>-<unique part>", where <owner> is
// the id of the process that made it, so that the folder says whose it is
// from the moment it exists: a build killed at any moment leaves nothing
// that the next one cannot prove to be its own. A work folder whose owner
// is no longer running was left by a build that was killed; it is removed
// when the next command starts. Folders without an owner in their name are
// not provably ours and stay.
void removeStaleWorkFolders(const std::string& temporaryFolder, const std::string& prefix);
// The owner named in a work folder's name, 0 when the name names none.
unsigned long workFolderOwner(const std::string& folderName, const std::string& prefix);

// Removes stale work folders, makes the folder, makes it the program folder and runs `build` in it.
// Afterwards it waits for the clean-up that the build left running (through
// `runner`), puts the program folder back, returns to `startFolder` and
// removes the work folder. Failures are reported on `err`, in the words of
// `texts`, the system's errors in those of `messages`. An interrupt (SIGINT,
// SIGTERM, Ctrl+C) meanwhile removes the folder too.
void runInWorkFolder(const std::string& prefix, const std::string& startFolder, shell::ToolCommandRunner& runner,
                     std::ostream& err, const ConsoleTexts& texts, const shell::MessageTexts& messages,
                     const std::function<void(const std::string& workFolder)>& build);

}  // namespace console
