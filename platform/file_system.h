// Files and folders. Paths are UTF-8 and may use "\" as the separator on every
// system (the builders compose Windows paths); the POSIX side reads "\" as "/".
// Every failure throws platform::Error naming the path and the system's reason.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

bool fileExists(const std::string& path);     // a file (not a folder) is there
bool folderExists(const std::string& path);

void createFolder(const std::string& path);   // one level; an existing folder is an error
void createFolders(const std::string& path);  // with its parents; existing ones are fine
void copyFile(const std::string& from, const std::string& to);  // replaces `to`
void deleteFile(const std::string& path);
void removeFolderTree(const std::string& path);
// Moves a file over another (replacing it) within one volume.
void renameFile(const std::string& from, const std::string& to);
// True when both paths name one existing file, however each is spelt (letter
// case, "\" or "/", "..", links). False when either is not there.
bool sameFile(const std::string& a, const std::string& b);

struct FolderListing {
    std::vector<std::string> folders;  // names only, in name order
    std::vector<std::string> files;    // names only, in name order
};
// Lists a folder's subfolders and files, hidden and system ones included, in
// name order (letter case ignored). "." and ".." are left out.
FolderListing listFolder(const std::string& path);

// The name of the last component of `path` as stored on disk (its letter
// case may differ from the path's); empty for a drive or file-system root.
std::string nameOnDisk(const std::string& path);

// Where `path` exists only in another letter case, the path as stored on disk;
// otherwise `path` unchanged. Windows file names ignore case; this gives POSIX
// the same reading for the names the tools are handed.
std::string resolveLetterCase(const std::string& path);

std::string readFile(const std::string& path);  // whole file as bytes
// The file's first `count` bytes (fewer when it is shorter).
std::string readFileHead(const std::string& path, std::size_t count);
// Writes the bytes beside the target and renames them over it when complete,
// so the target is either the old file or the whole new one.
void writeFileAtomic(const std::string& path, const std::string& bytes);

struct FileInfo {
    std::uint64_t size = 0;
    std::uint16_t dosDate = 0;     // local time, FAT format
    std::uint16_t dosTime = 0;
    std::uint16_t attributes = 0;  // FILE_ATTRIBUTE_* bits: read-only 1, hidden 2, system 4, archive 0x20
};
FileInfo fileInfo(const std::string& path);

// The roots of the system's drives, in letter order (C:\, D:\, ...);
// POSIX has one root, "/".
std::vector<std::string> driveRoots();
// Whether the drive at `root` can be read now. False for an empty CD or card
// drive; asking never brings up the system's "insert a disk" box.
bool driveReady(const std::string& root);

std::string currentDirectory();
void setCurrentDirectory(const std::string& path);  // drive and folder

// The folder the system keeps its work files and language files in. By
// default the executable's folder; a console front end or a test may set
// another one.
std::string programFolder();
void setProgramFolder(const std::string& path);
std::string executableFolder();
std::string executablePath();

// A new, empty folder under the system's temporary folder.
std::string makeTemporaryFolder(const std::string& prefix);

// True for a path that names its place without the current folder: it
// starts with "\" or "/", or with a drive ("C:").
bool isAbsolutePath(const std::string& path);
// The path made absolute against the current folder, "." and ".." taken
// out, links resolved where the system has them, in the system's own form.
std::string absolutePath(const std::string& path);
// Whether two paths name the same file, as the system reads names (letter
// case ignored, as Windows does). Neither needs to exist.
bool samePath(const std::string& a, const std::string& b);
// Whether `path` lies in `folder` or below it.
bool isWithinFolder(const std::string& path, const std::string& folder);

// The path with the system's own separator throughout ("/" on POSIX, "\" on
// Windows), as the user reads it and as the system's own tools take it.
std::string nativePath(std::string path);
// Joins a folder and a name with one "\" (none added after a trailing "\" or "/").
std::string joinPath(const std::string& folder, const std::string& name);
// The folder without its trailing "\" or "/" ones, except where they make a
// root ("C:\", "/").
std::string withoutTrailingSeparator(std::string folder);
// The path's last component (after the last "\" or "/").
std::string baseName(const std::string& path);
// The path before its last "\" or "/", without that separator.
std::string parentPath(const std::string& path);

// Today's date in the system's short date form: the Windows short-date format
// on Windows, year-month-day without leading zeros (2026-12-7) elsewhere.
std::string todayShortDate();

}  // namespace platform
