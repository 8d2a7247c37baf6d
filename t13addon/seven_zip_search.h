// Finding 7z before the batch file runs, so that a missing one is reported
// with where to put it instead of a failed package.
#pragma once

#include <string>

#include "shell/message_keys.h"

namespace t13addon {

struct SevenZipSearch {
    bool found = false;
    // A folder the batch file must add to PATH to reach the 7z found there;
    // empty when cmd finds it by itself (in the program folder, its current
    // folder, or on PATH).
    std::string searchFolder;
    // Where it goes: before PATH for a 7z kept with the program (beside it,
    // in its tools folder), so that it is the one run; after PATH for an
    // installed 7-Zip's folder.
    bool searchFolderFirst = false;
};

// Looks for 7z as for every tool of our own (the program folder, beside this
// program, its "tools" folder, then PATH), then in the folders installed
// 7-Zips recorded.
SevenZipSearch findSevenZip();

// The message for a 7z found nowhere; `appDir` is the program folder.
std::string sevenZipMissingMessage(const std::string& appDir, const shell::MessageTexts& texts);

}  // namespace t13addon
