// Files and folders on POSIX systems. The builders compose Windows paths, so
// "\" is read as "/" here; file names that really hold a backslash cannot be
// reached through this layer.
#include "platform/file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <climits>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/error.h"
#include "platform/file_faults.h"
#include "platform/unicode.h"

namespace platform {

namespace {

[[noreturn]] void fail(FileAction what, const std::string& path, int error = errno) {
    const ErrorKind kind = (error == ENOENT || error == ENOTDIR) ? ErrorKind::FileNotFound : ErrorKind::Io;
    throw Error(kind, what, path, std::strerror(error));
}

bool statPath(const std::string& path, struct stat& st) { return ::stat(nativePath(path).c_str(), &st) == 0; }

// Writes all of `bytes` to the temporary file `temp` on its way to `path`;
// on failure removes it and throws for `what` on `path`.
void writeAllOrFail(int fd, const char* bytes, std::size_t size, const std::string& temp, FileAction what,
                    const std::string& path) {
    std::size_t done = 0;
    while (done < size) {
        const std::size_t wanted = size - done;
        const std::size_t room = FileFaultChecks::room(wanted);
        const ssize_t n = room == 0 ? -1 : ::write(fd, bytes + done, room);
        if (n < 0 || (room < wanted && static_cast<std::size_t>(n) == room)) {
            const int error = room == 0 || room < wanted ? ENOSPC : errno;
            ::close(fd);
            ::unlink(temp.c_str());
            if (error == ENOSPC && FileFaultChecks::active()) FileFaultChecks::diskFull(path);
            fail(what, path, error);
        }
        done += static_cast<std::size_t>(n);
    }
}

// A file descriptor closed when it goes out of scope.
struct OpenFile {
    int fd;
    explicit OpenFile(int descriptor) : fd(descriptor) {}
    ~OpenFile() {
        if (fd >= 0) ::close(fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
};

// Closes the finished temporary file and moves it over `path`.
void closeAndRename(int fd, const std::string& temp, FileAction what, const std::string& path) {
    if (::close(fd) != 0 || ::rename(temp.c_str(), nativePath(path).c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail(what, path, error);
    }
}

std::string programFolderOverride;

bool nameLess(const std::string& a, const std::string& b) {
    const std::string la = asciiLower(a), lb = asciiLower(b);
    return la != lb ? la < lb : a < b;
}

std::string stripTrailingSeparators(std::string p) {
    while (p.size() > 1 && (p.back() == '/' || p.back() == '\\')) p.pop_back();
    return p;
}

}  // namespace

bool fileExists(const std::string& path) {
    struct stat st;
    return statPath(resolveLetterCase(path), st) && S_ISREG(st.st_mode);
}

bool folderExists(const std::string& path) {
    struct stat st;
    return statPath(resolveLetterCase(path), st) && S_ISDIR(st.st_mode);
}

void createFolder(const std::string& path) {
    FileFaultChecks::check(FileOperation::Write, path, FileAction::CreateFolder);
    if (::mkdir(nativePath(path).c_str(), 0777) != 0) fail(FileAction::CreateFolder, path);
}

void createFolders(const std::string& path) {
    FileFaultChecks::check(FileOperation::Write, path, FileAction::CreateFolder);
    const std::string p = nativePath(path);
    for (std::size_t i = 1; i <= p.size(); ++i) {
        if (i == p.size() || p[i] == '/') {
            const std::string part = p.substr(0, i);
            struct stat st;
            if (::stat(part.c_str(), &st) == 0) {
                if (!S_ISDIR(st.st_mode)) fail(FileAction::CreateFolder, path, ENOTDIR);
                continue;
            }
            if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) fail(FileAction::CreateFolder, path);
        }
    }
}

void copyFile(const std::string& from, const std::string& to) {
    const std::string source = resolveLetterCase(from);
    FileFaultChecks::check(FileOperation::Read, from, FileAction::CopyFrom);
    FileFaultChecks::check(FileOperation::Write, to, FileAction::CopyTo);
    const OpenFile in(::open(nativePath(source).c_str(), O_RDONLY | O_CLOEXEC));
    struct stat st;
    if (in.fd < 0 || ::fstat(in.fd, &st) != 0) fail(FileAction::CopyFrom, from);
    // Copied a piece at a time beside the target, then moved over it: an
    // application's files can be larger than the memory at hand, and the
    // target is never half written.
    std::string temp = nativePath(to) + ".tmp-XXXXXX";
    const int out = ::mkstemp(&temp[0]);
    if (out < 0) fail(FileAction::CopyTo, to);
    std::vector<char> buffer(std::size_t(1) << 20);
    for (;;) {
        const ssize_t n = ::read(in.fd, buffer.data(), buffer.size());
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(out);
            ::unlink(temp.c_str());
            fail(FileAction::CopyFrom, from, error);
        }
        writeAllOrFail(out, buffer.data(), static_cast<std::size_t>(n), temp, FileAction::CopyTo, to);
    }
    // Keep the source's time, as Windows' copy does: cabinets store it.
    ::fchmod(out, st.st_mode & 07777);
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out, times);
    closeAndRename(out, temp, FileAction::CopyTo, to);
}

void deleteFile(const std::string& path) {
    FileFaultChecks::check(FileOperation::Delete, path, FileAction::RemoveFile);
    if (::unlink(nativePath(resolveLetterCase(path)).c_str()) != 0) fail(FileAction::RemoveFile, path);
}

void removeFolderTree(const std::string& path) {
    FileFaultChecks::check(FileOperation::Delete, path, FileAction::RemoveFolder);
    const std::string p = nativePath(path);
    struct stat st;
    if (::lstat(p.c_str(), &st) != 0) fail(FileAction::RemoveFolder, path);
    if (!S_ISDIR(st.st_mode)) {
        if (::unlink(p.c_str()) != 0) fail(FileAction::RemoveFile, path);
        return;
    }
    DIR* dir = ::opendir(p.c_str());
    if (!dir) fail(FileAction::RemoveFolder, path);
    std::vector<std::string> names;
    while (dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") && std::strcmp(entry->d_name, "..")) names.push_back(entry->d_name);
    }
    ::closedir(dir);
    for (const auto& name : names) removeFolderTree(p + "/" + name);
    if (::rmdir(p.c_str()) != 0) fail(FileAction::RemoveFolder, path);
}

void renameFile(const std::string& from, const std::string& to) {
    FileFaultChecks::check(FileOperation::Rename, from, FileAction::RenameFile);
    if (::rename(nativePath(from).c_str(), nativePath(to).c_str()) != 0) fail(FileAction::RenameFile, from);
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first, second;
    if (!statPath(resolveLetterCase(a), first) || !statPath(resolveLetterCase(b), second)) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

FolderListing listFolder(const std::string& path) {
    FileFaultChecks::check(FileOperation::List, path, FileAction::ListFolder);
    const std::string p = stripTrailingSeparators(nativePath(resolveLetterCase(path)));
    DIR* dir = ::opendir(p.c_str());
    if (!dir) fail(FileAction::ListFolder, path);
    FolderListing listing;
    errno = 0;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        // An entry that cannot be examined (no permission, a name too long,
        // a link to nothing) is an error naming it: leaving it out would give
        // a listing that silently lacks it.
        const std::string entryPath = joinPath(path, name);
        struct stat st;
        try {
            FileFaultChecks::check(FileOperation::Examine, entryPath, FileAction::ReadEntry);
            if (::stat((p == "/" ? "/" + name : p + "/" + name).c_str(), &st) != 0) fail(FileAction::ReadEntry, entryPath);
        } catch (...) {
            ::closedir(dir);
            throw;
        }
        if (S_ISDIR(st.st_mode)) listing.folders.push_back(name);
        else if (S_ISREG(st.st_mode)) listing.files.push_back(name);
        errno = 0;
    }
    const int listError = errno;
    ::closedir(dir);
    if (listError != 0) fail(FileAction::ListFolder, path, listError);
    std::sort(listing.folders.begin(), listing.folders.end(), nameLess);
    std::sort(listing.files.begin(), listing.files.end(), nameLess);
    return listing;
}

std::string nameOnDisk(const std::string& path) {
    const std::string p = stripTrailingSeparators(nativePath(resolveLetterCase(path)));
    if (p == "/" || p.empty()) return {};
    return baseName(p);
}


std::string resolveLetterCase(const std::string& path) {
    struct stat st;
    if (path.empty() || statPath(path, st)) return path;
    // Walk the path and replace each missing component by one that differs
    // only in letter case.
    const std::string p = nativePath(path);
    std::string resolved = p[0] == '/' ? "/" : "";
    std::size_t start = p[0] == '/' ? 1 : 0;
    while (start <= p.size()) {
        std::size_t end = p.find('/', start);
        if (end == std::string::npos) end = p.size();
        const std::string part = p.substr(start, end - start);
        if (!part.empty()) {
            const std::string folder = resolved.empty() ? "." : resolved;
            const std::string candidate = resolved + part;
            if (::lstat(candidate.c_str(), &st) != 0) {
                std::string match;
                if (DIR* dir = ::opendir(folder.c_str())) {
                    while (dirent* entry = ::readdir(dir)) {
                        if (equalsIgnoreCase(entry->d_name, part)) { match = entry->d_name; break; }
                    }
                    ::closedir(dir);
                }
                if (match.empty()) return path;
                resolved += match;
            } else {
                resolved = candidate;
            }
            if (end < p.size()) resolved += "/";
        }
        start = end + 1;
    }
    return resolved;
}

std::string readFile(const std::string& path) {
    FileFaultChecks::check(FileOperation::Read, path, FileAction::ReadFile);
    if (folderExists(path))
        throw Error(ErrorKind::BadInput, FileAction::ReadFile, path, "it is a folder, not a file");
    const std::string p = nativePath(resolveLetterCase(path));
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (!f) fail(FileAction::ReadFile, path);
    std::string bytes;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    const bool bad = std::ferror(f);
    std::fclose(f);
    if (bad) fail(FileAction::ReadFile, path, EIO);
    return bytes;
}

std::string readFileHead(const std::string& path, std::size_t count) {
    FileFaultChecks::check(FileOperation::Read, path, FileAction::ReadFile);
    std::FILE* f = std::fopen(nativePath(resolveLetterCase(path)).c_str(), "rb");
    if (!f) fail(FileAction::ReadFile, path);
    std::string bytes(count, '\0');
    bytes.resize(std::fread(&bytes[0], 1, count, f));
    const bool bad = std::ferror(f);
    std::fclose(f);
    if (bad) fail(FileAction::ReadFile, path, EIO);
    return bytes;
}

void writeFileAtomic(const std::string& path, const std::string& bytes) {
    FileFaultChecks::check(FileOperation::Write, path, FileAction::WriteFile);
    const std::string target = nativePath(path);
    std::string temp = target + ".tmp-XXXXXX";
    const int fd = ::mkstemp(&temp[0]);
    if (fd < 0) fail(FileAction::WriteFile, path);
    writeAllOrFail(fd, bytes.data(), bytes.size(), temp, FileAction::WriteFile, path);
    ::fchmod(fd, 0644);
    closeAndRename(fd, temp, FileAction::WriteFile, path);
}

FileInfo fileInfo(const std::string& path) {
    FileFaultChecks::check(FileOperation::Examine, path, FileAction::ReadFile);
    struct stat st;
    if (!statPath(resolveLetterCase(path), st)) fail(FileAction::ReadFile, path);
    FileInfo info;
    info.size = static_cast<std::uint64_t>(st.st_size);
    std::tm local{};
    const std::time_t t = st.st_mtime;
    ::localtime_r(&t, &local);
    const int year = std::max(1980, local.tm_year + 1900);
    info.dosDate = static_cast<std::uint16_t>(((year - 1980) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
    info.dosTime = static_cast<std::uint16_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
    info.attributes = 0x20;  // archive, as a file fresh from a copy carries
    if (!(st.st_mode & S_IWUSR)) info.attributes |= 0x01;
    return info;
}

std::vector<std::string> driveRoots() { return {"/"}; }

bool driveReady(const std::string& root) { return folderExists(root); }

std::string currentDirectory() {
    char buffer[4096];
    if (!::getcwd(buffer, sizeof buffer)) fail(FileAction::ReadCurrentFolder, ".");
    return buffer;
}

void setCurrentDirectory(const std::string& path) {
    if (::chdir(nativePath(path).c_str()) != 0) fail(FileAction::ChangeFolder, path);
}

std::string absolutePath(const std::string& path) {
    std::string p = nativePath(path);
    if (p.empty() || p[0] != '/') p = currentDirectory() + "/" + p;
    // Take "." and ".." out by name, then resolve links through the longest
    // part of the path that exists.
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= p.size()) {
        std::size_t end = p.find('/', start);
        if (end == std::string::npos) end = p.size();
        const std::string part = p.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string tail;
    while (true) {
        std::string head;
        for (const auto& part : parts) head += "/" + part;
        if (head.empty()) head = "/";
        char resolved[PATH_MAX];
        if (::realpath(resolveLetterCase(head).c_str(), resolved)) {
            std::string result = resolved;
            if (!tail.empty()) result += (result == "/" ? "" : "/") + tail.substr(1);
            return result;
        }
        if (parts.empty()) break;
        tail = "/" + parts.back() + tail;
        parts.pop_back();
    }
    return p;
}

std::string executablePath() {
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    return std::string(buffer, static_cast<std::size_t>(n));
}

std::string executableFolder() { return parentPath(executablePath()); }

std::string programFolder() { return programFolderOverride.empty() ? executableFolder() : programFolderOverride; }

void setProgramFolder(const std::string& path) { programFolderOverride = path; }

std::string makeTemporaryFolder(const std::string& prefix) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + "-XXXXXX";
    if (!::mkdtemp(&pattern[0])) fail(FileAction::CreateTemporaryFolder, pattern);
    return pattern;
}

std::string todayShortDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return std::to_string(local.tm_year + 1900) + "-" + std::to_string(local.tm_mon + 1) + "-" +
           std::to_string(local.tm_mday);
}

}  // namespace platform
