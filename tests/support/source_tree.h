// Files of the source tree, for tests that read the project's own data. The
// tree is named by its POSIX path (TOLVANE_SOURCE_DIR); under Wine a bare
// "/work/..." path would be read on the current drive, so there the whole
// Unix file system's drive is named.
#pragma once

#include <string>

#include "platform/host.h"

namespace testsupport {

inline std::string sourcePath(const std::string& relative) {
    return (platform::kWindowsHost ? "Z:" : "") + std::string(TOLVANE_SOURCE_DIR) + "/" + relative;
}

}  // namespace testsupport
