#include "infaddon/folder_picker.h"

#include <cctype>

#include "platform/file_system.h"

namespace infaddon {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

bool sameRoot(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = isSeparator(a[i]) ? '\\' : static_cast<char>(std::toupper(static_cast<unsigned char>(a[i])));
        const char y = isSeparator(b[i]) ? '\\' : static_cast<char>(std::toupper(static_cast<unsigned char>(b[i])));
        if (x != y) return false;
    }
    return true;
}

}  // namespace

std::string rootOf(const std::string& folder) {
    if (folder.size() >= 2 && folder[1] == ':' && std::isalpha(static_cast<unsigned char>(folder[0])))
        return folder.substr(0, 2) + "\\";
    if (!folder.empty() && isSeparator(folder[0])) return "/";
    return {};
}

std::vector<FolderTreeLine> folderTreeOf(const std::string& folder, std::size_t* openLine) {
    const std::string root = rootOf(folder);
    std::vector<FolderTreeLine> tree;
    tree.push_back({root, root, 0, true});
    // The folders below the root, each path the folder's own text up to
    // that component, so its separators stay as they were given.
    std::string path = root;
    std::size_t pos = root.size();
    while (pos < folder.size()) {
        std::size_t end = pos;
        while (end < folder.size() && !isSeparator(folder[end])) ++end;
        if (end > pos) {
            path = folder.substr(0, end);
            tree.push_back({folder.substr(pos, end - pos), path, static_cast<int>(tree.size()), true});
        }
        pos = end + 1;
    }
    const std::size_t open = tree.size() - 1;
    const int depth = tree.back().depth + 1;
    for (const std::string& name : platform::listFolder(path).folders)
        tree.push_back({name, platform::joinPath(path, name), depth, false});
    if (openLine) *openLine = open;
    return tree;
}

std::size_t driveIndexOf(const std::vector<std::string>& drives, const std::string& root) {
    for (std::size_t i = 0; i < drives.size(); ++i)
        if (sameRoot(drives[i], root)) return i;
    return drives.size();
}

}  // namespace infaddon
