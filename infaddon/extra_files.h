// The advanced extra files: copied into the program folder under their bare
// names so the package can hold them, and removed again after packing.
#pragma once

#include <string>
#include <vector>

#include "infaddon/addon_project.h"

namespace infaddon {

// True when the project has extra files, judged as the builder always has:
// by the first entry's name alone.
bool hasExtraFiles(const AddonProject& project);

// Copies every extra file's source to its bare name in the program folder,
// replacing a file of that name. A source that already is that file (the
// user took it from the program folder, whatever the path's spelling) is
// left as it is. Throws platform::Error naming the file.
void CopyExtraFiles(const AddonProject& project);
// The bare names of the copies CopyExtraFiles makes in the program folder
// (not those of extra files that are their own copies).
std::vector<std::string> extraFileCopyNames(const AddonProject& project);
// Deletes those copies; a copy that is not there is skipped, and so is a
// source that is its own copy: only files the build made are deleted.
void DeleteExtraFiles(const AddonProject& project);

}  // namespace infaddon
