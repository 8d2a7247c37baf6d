// The INF builder's folder picker, as the classic drive list and folder tree
// show it: the system's drives, and for the open folder the chain of folders
// from its drive's root down to it, followed by its subfolders one level
// deeper. Opening a line of the tree (a double click) makes that folder the
// open one; the open folder is what Add takes as a source folder.
//
// It holds only what the two controls show; the open folder itself is kept
// in the INF builder record (InfBuilder::openFolder), where the shortcut
// editor reads it too.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace infaddon {

struct FolderTreeLine {
    std::string name;  // as shown: the drive root, or one folder's name
    std::string path;  // the folder's full path, no trailing separator except at a root
    int depth = 0;     // 0 for the root; the open folder's subfolders are one deeper than it
    bool onPath = false;  // the root, an ancestor of the open folder or the open folder itself
};

struct FolderPicker {
    std::vector<std::string> drives;  // the drive list, as platform::driveRoots gives them
    std::size_t drive = 0;            // the drive of the open folder in `drives`
    std::vector<FolderTreeLine> tree;
    std::size_t openLine = 0;         // the open folder's line in `tree`
};

// The root of `folder`: "C:\" for "C:\a\b" (letter as written), "/" for a
// path that starts with a separator, else empty.
std::string rootOf(const std::string& folder);

// The tree lines for `folder` (an absolute path): its root and each folder
// down to it, then its subfolders in name order. Throws platform::Error when
// the folder cannot be listed.
std::vector<FolderTreeLine> folderTreeOf(const std::string& folder, std::size_t* openLine = nullptr);

// The position of `root` in `drives`, letter case ignored; drives.size() when absent.
std::size_t driveIndexOf(const std::vector<std::string>& drives, const std::string& root);

}  // namespace infaddon
