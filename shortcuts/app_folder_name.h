// The folder name that starts every shortcut's group key.
#pragma once

#include <string>

namespace shortcuts {

// The last component of `folderPath` as the file system names it (its
// letter case on disk where the folder exists). A drive root gives its
// letter ("C" for C:\), since ":" and "\" cannot stand in an INI key; a
// file-system root gives the empty string.
std::string AppFolderName(const std::string& folderPath);

}  // namespace shortcuts
