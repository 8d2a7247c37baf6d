// The part of the program search that differs between the systems: which
// file a program name stands for in one folder. Windows adds ".exe" to a
// bare name; POSIX also takes "x.exe" as "x", ignores letter case where the
// exact name is missing and wants the file to be executable. The order of
// the folders searched is the same everywhere (program_search.cpp).
#pragma once

#include <string>

namespace platform {

// The runnable file for `name` in `folder` (with an empty folder, `name` as
// it stands), in the form to start it by; empty when there is none.
std::string programFileIn(const std::string& folder, const std::string& name);

}  // namespace platform
