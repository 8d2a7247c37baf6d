// Path text helpers shared by both sides: pure string work.
#include "platform/file_system.h"

#include "platform/host.h"
#include "platform/unicode.h"

namespace platform {

static bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool isAbsolutePath(const std::string& path) {
    return (!path.empty() && isSeparator(path[0])) || (path.size() >= 2 && path[1] == ':');
}

std::string nativePath(std::string path) {
    const char separator = kWindowsHost ? '\\' : '/';
    for (char& c : path)
        if (isSeparator(c)) c = separator;
    return path;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (isSeparator(folder.back())) return folder + name;
    return folder + "\\" + name;
}

std::string withoutTrailingSeparator(std::string folder) {
    while (folder.size() > 1 && isSeparator(folder.back()) && folder[folder.size() - 2] != ':') folder.pop_back();
    return folder;
}

std::string baseName(const std::string& path) {
    const auto cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string parentPath(const std::string& path) {
    const auto cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

static std::string comparablePath(const std::string& path) {
    std::string p = asciiLower(absolutePath(path));
    for (char& c : p)
        if (c == '/') c = '\\';
    while (p.size() > 1 && p.back() == '\\') p.pop_back();
    return p;
}

bool samePath(const std::string& a, const std::string& b) { return comparablePath(a) == comparablePath(b); }

bool isWithinFolder(const std::string& path, const std::string& folder) {
    const std::string p = comparablePath(path), f = comparablePath(folder);
    if (p == f) return true;
    const std::string prefix = !f.empty() && f.back() == '\\' ? f : f + "\\";
    return p.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace platform
