// File names read the way Windows reads them, for the built-in commands and
// the arguments handed to programs: letter case ignored where the exact name
// is missing, and "*" / "?" wildcards in a name's last component.
#pragma once

#include <string>

namespace batch {

// The path as Windows would reach it: `path` itself when it exists, else the
// path as stored on disk in another letter case. When the last component is
// missing (a file about to be made, or a wildcard), its folder is resolved
// and the last component kept as written.
std::string windowsPath(const std::string& path);

bool hasWildcard(const std::string& name);
// Whether `name` matches `pattern` ("*" any run, "?" one character), letter
// case ignored as Windows ignores it.
bool matchesWildcard(const std::string& name, const std::string& pattern);

}  // namespace batch
