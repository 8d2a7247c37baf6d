// The INF builder's Generate command: checks the project, asks where the
// package goes, and runs one build in the program folder (file collection,
// registry import, staging folder, INF, staged copies, extra files, entries
// file, the two makecab runs), emptying the build's work state at its start
// and end. It talks to the user only through shell::UserInterface, so the
// builder window, the console front end and the tests run the same command.
#pragma once

#include <string>

#include "infaddon/addon_project.h"
#include "infaddon/source_scanner.h"
#include "shell/command_runner.h"
#include "shell/generate_outcome.h"
#include "shell/user_interface.h"

namespace infaddon {


// The save dialog's preset: name + "_" + version + "_Addon.cab".
std::string defaultPackageFileName(const std::string& name, const std::string& version);

// `overwriteQuestion` is the UI string "runinfo" "create". `progress` is
// called during the file scan after BuildState::ProgressLabel changed; by
// default it lets the user interface handle its events. The work files go
// into platform::programFolder(), which is also the current folder afterwards.
//
// A package already at the chosen path is moved aside once overwriting is
// confirmed, and put back when this build makes no new one; it is deleted
// only when a new package is there.
shell::GenerateOutcome Generate(AddonProject& project, BuildState& state, shell::UserInterface& ui,
                                shell::CommandRunner& runner, const std::string& overwriteQuestion,
                                const ScanProgress& progress = {});

}  // namespace infaddon
