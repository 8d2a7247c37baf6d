// The integrator entries file "Entries_<name>.ini": how nLite and RVM
// Integrator learn what the package holds (description, the optional
// component for sysoc.inf, the dosnet.inf and txtsetup.sif lines, the files
// to compress into the installation source).
#pragma once

#include <string>

#include "infaddon/addon_project.h"

namespace infaddon {

// The whole text (UTF-8, CR LF line ends) for the build's name and version
// copies, the project's web site and extra files, dated `buildDate`.
std::string entriesFileText(const AddonProject& project, const BuildState& state, const std::string& buildDate);

// Writes "Entries_" + name + ".ini" into the program folder in the package's
// code page (936), dated today in the short form. Throws platform::Error.
void WriteEntriesFile(const AddonProject& project, const BuildState& state);

}  // namespace infaddon
