// The packaging run: the first batch file makes the inner cabinet, the second
// the package beside the chosen path; each result is checked by whether its
// file exists and is a whole cabinet, the new package replaces the old one
// only then, the user is told the outcome, and the work files are deleted.
#pragma once

#include <string>

#include "infaddon/addon_project.h"
#include "shell/command_runner.h"
#include "shell/package_replacement.h"
#include "shell/user_interface.h"

namespace infaddon {

enum class PackagingOutcome {
    InnerCabinetMissing,  // its message was shown; the package work files stay
    PackageMissing,       // the package failure message
    PackageMade,          // the success message
};

// Runs the two batch files written by WriteCabDirectives and
// WritePackageDirectives in the program folder. Clean-up deletes skip files
// that are not there; the staging folder is removed by a separate
// "cmd /c rd" that is not waited for, and only when it exists. Throws
// platform::Error when a batch file cannot be started or a file that is
// there cannot be deleted.
// The package batch file must name package.buildPath() as its cabinet.
PackagingOutcome RunPackaging(const BuildState& state, shell::PackageReplacement& package, shell::UserInterface& ui,
                              shell::CommandRunner& runner);

// "cmd /c rd /s /q .\<folder name>" for the staging folder; empty when the
// folder has no name or is not there, so that no removal is started.
std::string stagingFolderRemoval(const std::string& stagingFolder);

}  // namespace infaddon
