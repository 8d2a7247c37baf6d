// Splits the open-file dialog's result for a (possibly multiple) selection
// into the folder and the bare file names.
//
// The dialog gives either one full path, or the folder followed by a NUL and
// the names separated by NULs, and leaves the current directory at the
// selection's folder. The split trusts that directory: it cuts as many
// characters off the front of the selection as the directory has.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "shell/user_interface.h"

namespace shell {

struct DlgFileInfo {
    std::int16_t count = 0;               // number of names; 0 on failure
    std::string folder;                   // ends in "\" (or the system's separator) when set
    std::vector<std::string> names{""};   // names[1] .. names[count]; names[0] stays empty
};

// The split itself, with the current directory handed in. Throws
// platform::Error(BadInput) when the selection cannot be split.
DlgFileInfo splitFileSelection(const std::string& selection, const std::string& currentDirectory);

// The split against the current directory. Where it fails, shows the error
// message (stop icon) and returns the empty result.
DlgFileInfo GetDlgFileInfo(const std::string& selection, UserInterface& ui);

}  // namespace shell
