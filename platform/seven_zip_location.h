// Where an installed 7-Zip keeps its command-line program. 7-Zip's installer
// does not put its folder on the search path; it records the folder in the
// registry instead (SOFTWARE\7-Zip, values "Path64" and "Path", under
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER).
#pragma once

#include <string>
#include <vector>

namespace platform {

// The folders 7-Zip's installers recorded, most likely first (the 64-bit
// registry view before the 32-bit one, the machine's before the user's),
// without duplicates. Each is as recorded; whether 7z.exe is still there is
// for the caller to test. Always empty on systems without a registry.
std::vector<std::string> installedSevenZipFolders();

}  // namespace platform
