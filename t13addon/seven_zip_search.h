// Finding 7z before the batch file runs, so that a missing one is reported
// with where to put it instead of a failed package.
#pragma once

#include <string>

namespace t13addon {

struct SevenZipSearch {
    bool found = false;
    // A folder the batch file must add to PATH to reach the 7z found there
    // (beside this program, in its tools folder, or an installed 7-Zip),
    // after everything cmd searches already; empty when 7z is in the
    // program folder or on PATH.
    std::string searchFolder;
};

// Looks where the batch file's interpreter looks (the program folder, which
// is the current folder, then PATH), then beside this program, in its
// "tools" folder and in the folders installed 7-Zips recorded.
SevenZipSearch findSevenZip();

// The message for a 7z found nowhere; `appDir` is the program folder.
std::string sevenZipMissingMessage(const std::string& appDir);

}  // namespace t13addon
