#include "tools/cmd/windows_names.h"

#include "platform/file_system.h"
#include "platform/unicode.h"

namespace batch {

namespace {

bool exists(const std::string& path) { return platform::fileExists(path) || platform::folderExists(path); }

// Code points, so that "?" stands for one character of a Chinese name.
std::u32string codePoints(const std::string& utf8) {
    std::u32string out;
    for (std::size_t pos = 0; pos < utf8.size();) out += platform::nextCodePoint(utf8, pos);
    return out;
}

}  // namespace

std::string windowsPath(const std::string& path) {
    if (path.empty()) return path;
    const std::string resolved = platform::resolveLetterCase(path);
    if (resolved != path || exists(path) || hasWildcard(platform::parentPath(path))) return resolved;
    const std::string folder = platform::parentPath(path);
    if (folder.empty()) return path;
    const std::string resolvedFolder = platform::resolveLetterCase(folder);
    return resolvedFolder + path.substr(folder.size());
}

bool hasWildcard(const std::string& name) { return name.find_first_of("*?") != std::string::npos; }

bool matchesWildcard(const std::string& name, const std::string& pattern) {
    const std::u32string n = codePoints(platform::foldCase(name)), p = codePoints(platform::foldCase(pattern));
    // Greedy match with one backtrack point, the usual way for "*" and "?".
    std::size_t i = 0, j = 0, starJ = std::string::npos, starI = 0;
    while (i < n.size()) {
        if (j < p.size() && (p[j] == '?' || p[j] == n[i])) {
            ++i;
            ++j;
        } else if (j < p.size() && p[j] == '*') {
            starJ = j++;
            starI = i;
        } else if (starJ != std::string::npos) {
            j = starJ + 1;
            i = ++starI;
        } else {
            return false;
        }
    }
    while (j < p.size() && p[j] == '*') ++j;
    return j == p.size();
}

}  // namespace batch
