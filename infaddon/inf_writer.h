// The INF that installs the application as a hidden Windows optional
// component: files, registry values, shortcuts, an uninstall entry, and the
// uninstall through advpack's LaunchINFSection. The writer decides nothing
// about files or registry values; it lays out the texts the build prepared
// around fixed boilerplate.
#pragma once

#include <string>

#include "infaddon/addon_project.h"

namespace infaddon {

// The whole INF text (UTF-8, CR LF line ends). deleteRegistryLines are the
// lines of the delete-registry section, each preceded by CR LF.
std::string infFileText(const AddonProject& project, const BuildState& state, const std::string& deleteRegistryLines);

// Writes PackageName + ".inf" into the program folder in the package's code
// page (936); the delete-registry lines are derived from state.RegistryLines.
// Throws platform::Error (an unencodable name, a file that cannot be written).
void WriteInfFile(const AddonProject& project, const BuildState& state);

}  // namespace infaddon
