// Files and folders through the wide-character Win32 calls (XP and later).
#include "platform/file_system.h"

#include <algorithm>
#include <cstdio>

#include "platform/error.h"
#include "platform/file_faults.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

[[noreturn]] void fail(FileAction what, const std::string& path, DWORD code = GetLastError()) {
    const ErrorKind kind =
        (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) ? ErrorKind::FileNotFound : ErrorKind::Io;
    throw Error(kind, what, path, systemReason(code));
}

// A program that has just ended, a virus scanner or the search indexer may
// hold a file or folder for a moment (Wine lets go of an ended process's
// current folder a little after the process counts as ended). Such a
// removal is tried again for up to five seconds before it counts as failed.
template <typename Removal>
bool removeWhenReleased(Removal removal) {
    for (int attempt = 0;; ++attempt) {
        if (removal()) return true;
        const DWORD code = GetLastError();
        if (code != ERROR_SHARING_VIOLATION || attempt == 50) {
            SetLastError(code);
            return false;
        }
        Sleep(100);
    }
}

DWORD attributesOf(const std::string& path) { return GetFileAttributesW(wide(path).c_str()); }

std::string programFolderOverride;

bool nameLess(const std::string& a, const std::string& b) {
    const std::string la = asciiLower(a), lb = asciiLower(b);
    return la != lb ? la < lb : a < b;
}

std::string stripTrailingSeparators(std::string p) {
    while (p.size() > 1 && (p.back() == '/' || p.back() == '\\') && !(p.size() == 3 && p[1] == ':')) p.pop_back();
    return p;
}

}  // namespace

bool fileExists(const std::string& path) {
    const DWORD a = attributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool folderExists(const std::string& path) {
    const DWORD a = attributesOf(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void createFolder(const std::string& path) {
    FileFaultChecks::check(FileOperation::Write, path, FileAction::CreateFolder);
    if (!CreateDirectoryW(wide(path).c_str(), nullptr)) fail(FileAction::CreateFolder, path);
}

void createFolders(const std::string& path) {
    FileFaultChecks::check(FileOperation::Write, path, FileAction::CreateFolder);
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/') {
            const std::string part = path.substr(0, i);
            if (part.size() == 2 && part[1] == ':') continue;
            if (folderExists(part)) continue;
            if (!CreateDirectoryW(wide(part).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
                fail(FileAction::CreateFolder, path);
        }
    }
}

void copyFile(const std::string& from, const std::string& to) {
    // Copy beside the target, then move it over: the target is never half written.
    const std::string temp = to + ".tmp-copy";
    FileFaultChecks::check(FileOperation::Read, from, FileAction::CopyFrom);
    FileFaultChecks::check(FileOperation::Write, to, FileAction::CopyTo);
    if (FileFaultChecks::active()) {
        // The seam's disk takes the copy's bytes as a write would.
        const std::uint64_t size = fileInfo(from).size;
        if (FileFaultChecks::room(static_cast<std::size_t>(size)) < size) FileFaultChecks::diskFull(to);
    }
    if (!CopyFileW(wide(from).c_str(), wide(temp).c_str(), FALSE)) fail(FileAction::CopyFrom, from);
    SetFileAttributesW(wide(temp).c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!MoveFileExW(wide(temp).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD code = GetLastError();
        DeleteFileW(wide(temp).c_str());
        fail(FileAction::CopyTo, to, code);
    }
}

void deleteFile(const std::string& path) {
    FileFaultChecks::check(FileOperation::Delete, path, FileAction::RemoveFile);
    const std::wstring name = wide(path);
    if (!removeWhenReleased([&] { return DeleteFileW(name.c_str()) != 0; })) fail(FileAction::RemoveFile, path);
}

void removeFolderTree(const std::string& path) {
    FileFaultChecks::check(FileOperation::Delete, path, FileAction::RemoveFolder);
    const FolderListing listing = listFolder(path);
    for (const auto& name : listing.folders) removeFolderTree(joinPath(path, name));
    for (const auto& name : listing.files) {
        const std::string file = joinPath(path, name);
        SetFileAttributesW(wide(file).c_str(), FILE_ATTRIBUTE_NORMAL);
        deleteFile(file);
    }
    const std::wstring name = wide(path);
    if (!removeWhenReleased([&] { return RemoveDirectoryW(name.c_str()) != 0; }))
        fail(FileAction::RemoveFolder, path);
}

void renameFile(const std::string& from, const std::string& to) {
    FileFaultChecks::check(FileOperation::Rename, from, FileAction::RenameFile);
    if (!MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING))
        fail(FileAction::RenameFile, from);
}

namespace {

// The volume and file index of an existing file: its identity whatever the
// path's spelling. False when it cannot be opened.
bool fileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE h = CreateFileW(wide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const BOOL ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return ok != 0;
}

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    if (!fileIdentity(a, first) || !fileIdentity(b, second)) return false;
    return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

FolderListing listFolder(const std::string& path) {
    FileFaultChecks::check(FileOperation::List, path, FileAction::ListFolder);
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(wide(joinPath(path, "*")).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) fail(FileAction::ListFolder, path);
    FolderListing listing;
    do {
        const std::string name = narrow(data.cFileName, wcslen(data.cFileName));
        if (name == "." || name == "..") continue;
        try {
            FileFaultChecks::check(FileOperation::Examine, joinPath(path, name), FileAction::ReadEntry);
        } catch (...) {
            FindClose(find);
            throw;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) listing.folders.push_back(name);
        else listing.files.push_back(name);
    } while (FindNextFileW(find, &data));
    const DWORD code = GetLastError();
    FindClose(find);
    if (code != ERROR_NO_MORE_FILES) fail(FileAction::ListFolder, path, code);
    std::sort(listing.folders.begin(), listing.folders.end(), nameLess);
    std::sort(listing.files.begin(), listing.files.end(), nameLess);
    return listing;
}

std::string nameOnDisk(const std::string& path) {
    const std::string p = stripTrailingSeparators(path);
    if (p.size() <= 3 && p.size() >= 2 && p[1] == ':') return {};
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(wide(p).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return baseName(p);
    FindClose(find);
    return narrow(data.cFileName, wcslen(data.cFileName));
}

std::string resolveLetterCase(const std::string& path) { return path; }  // the file system ignores case


std::string readFile(const std::string& path) {
    FileFaultChecks::check(FileOperation::Read, path, FileAction::ReadFile);
    if (folderExists(path))
        throw Error(ErrorKind::BadInput, FileAction::ReadFile, path, "it is a folder, not a file");
    const HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) fail(FileAction::ReadFile, path);
    std::string bytes;
    char buffer[65536];
    DWORD n = 0;
    BOOL ok;
    while ((ok = ReadFile(h, buffer, sizeof buffer, &n, nullptr)) && n > 0) bytes.append(buffer, n);
    const DWORD code = GetLastError();
    CloseHandle(h);
    if (!ok) fail(FileAction::ReadFile, path, code);
    return bytes;
}

std::string readFileHead(const std::string& path, std::size_t count) {
    FileFaultChecks::check(FileOperation::Read, path, FileAction::ReadFile);
    const HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) fail(FileAction::ReadFile, path);
    std::string bytes(count, '\0');
    std::size_t done = 0;
    DWORD n = 0;
    BOOL ok = TRUE;
    while (done < count && (ok = ReadFile(h, &bytes[done], static_cast<DWORD>(count - done), &n, nullptr)) && n > 0)
        done += n;
    const DWORD code = GetLastError();
    CloseHandle(h);
    if (!ok) fail(FileAction::ReadFile, path, code);
    bytes.resize(done);
    return bytes;
}

void writeFileAtomic(const std::string& path, const std::string& bytes) {
    FileFaultChecks::check(FileOperation::Write, path, FileAction::WriteFile);
    const std::string temp = path + ".tmp-write";
    const HANDLE h = CreateFileW(wide(temp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) fail(FileAction::WriteFile, path);
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        const DWORD chunk = static_cast<DWORD>(FileFaultChecks::room(wanted));
        const BOOL written = chunk > 0 && WriteFile(h, bytes.data() + done, chunk, &n, nullptr);
        if (!written || chunk < wanted) {
            const DWORD code = written || chunk == 0 ? ERROR_DISK_FULL : GetLastError();
            CloseHandle(h);
            DeleteFileW(wide(temp).c_str());
            if (chunk < wanted) FileFaultChecks::diskFull(path);
            fail(FileAction::WriteFile, path, code);
        }
        done += n;
    }
    CloseHandle(h);
    if (!MoveFileExW(wide(temp).c_str(), wide(path).c_str(), MOVEFILE_REPLACE_EXISTING)) {
        const DWORD code = GetLastError();
        DeleteFileW(wide(temp).c_str());
        fail(FileAction::WriteFile, path, code);
    }
}

FileInfo fileInfo(const std::string& path) {
    FileFaultChecks::check(FileOperation::Examine, path, FileAction::ReadFile);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide(path).c_str(), GetFileExInfoStandard, &data)) fail(FileAction::ReadFile, path);
    FileInfo info;
    info.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    FILETIME local;
    WORD date = 0, time = 0;
    if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)) FileTimeToDosDateTime(&local, &date, &time);
    info.dosDate = date;
    info.dosTime = time;
    info.attributes = static_cast<std::uint16_t>(data.dwFileAttributes & 0x27);
    return info;
}

std::vector<std::string> driveRoots() {
    std::vector<std::string> roots;
    const DWORD drives = ::GetLogicalDrives();
    for (int letter = 0; letter < 26; ++letter)
        if (drives & (1u << letter)) roots.push_back(std::string(1, static_cast<char>('A' + letter)) + ":\\");
    return roots;
}

bool driveReady(const std::string& root) {
    // Without SEM_FAILCRITICALERRORS an empty removable drive makes the
    // system ask for a disk before the call returns.
    const UINT previous = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    DWORD serial = 0, maxName = 0, flags = 0;
    const BOOL ready = ::GetVolumeInformationW(wide(root).c_str(), nullptr, 0, &serial, &maxName, &flags, nullptr, 0);
    ::SetErrorMode(previous);
    return ready != FALSE;
}

std::string currentDirectory() {
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = GetCurrentDirectoryW(MAX_PATH * 2, buffer);
    if (!n) fail(FileAction::ReadCurrentFolder, ".");
    return narrow(buffer, n);
}

void setCurrentDirectory(const std::string& path) {
    if (!SetCurrentDirectoryW(wide(path).c_str())) fail(FileAction::ChangeFolder, path);
}

std::string absolutePath(const std::string& path) {
    std::wstring name = wide(path);
    for (wchar_t& c : name)
        if (c == L'/') c = L'\\';
    const DWORD n = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (!n) return path;
    std::wstring buffer(n, L'\0');
    const DWORD m = GetFullPathNameW(name.c_str(), n, &buffer[0], nullptr);
    if (!m || m >= n) return path;
    return narrow(buffer.data(), m);
}

std::string executablePath() {
    wchar_t buffer[MAX_PATH * 2];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
    return narrow(buffer, n);
}

std::string executableFolder() { return parentPath(executablePath()); }

std::string programFolder() { return programFolderOverride.empty() ? executableFolder() : programFolderOverride; }

void setProgramFolder(const std::string& path) { programFolderOverride = path; }

std::string makeTemporaryFolder(const std::string& prefix) {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    const std::string base = narrow(buffer, n);
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "-%lu-%u", static_cast<unsigned long>(GetCurrentProcessId()),
                      static_cast<unsigned>(GetTickCount() + attempt));
        const std::string candidate = joinPath(base, prefix + suffix);
        if (CreateDirectoryW(wide(candidate).c_str(), nullptr)) return candidate;
    }
    fail(FileAction::CreateTemporaryFolder, base);
}

std::string todayShortDate() {
    wchar_t buffer[128];
    const int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, 128);
    return n > 1 ? narrow(buffer, static_cast<std::size_t>(n - 1)) : std::string();
}

}  // namespace platform
