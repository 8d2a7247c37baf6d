// The checks a build makes right after the scan, before it writes anything:
// what the inner cabinet can hold, and that the package would not replace
// one of its own inputs.
#pragma once

#include <cstdint>
#include <string>

#include "infaddon/addon_project.h"
#include "shell/message_keys.h"

namespace infaddon {

// What one cabinet (with its one folder) can hold.
inline constexpr std::size_t kCabinetMaxFiles = 65535;
inline constexpr std::uint64_t kCabinetMaxFolderBytes = 0x7FFF8000u;

// Throws platform::Error(BadInput) when the collected files are more, or
// larger together, than the inner cabinet can hold; the message gives the
// number and the limit. Reads each file's size (an unreadable file throws
// platform::Error naming it).
void checkCabinetLimits(const BuildState& state, const shell::MessageTexts& texts);

// Throws platform::Error(BadInput) when the package path names a collected
// file, an extra file or the registry file: the package would replace it.
void checkPackagePathIsNoInput(const AddonProject& project, const BuildState& state, const std::string& targetPath,
                               const shell::MessageTexts& texts);

}  // namespace infaddon
