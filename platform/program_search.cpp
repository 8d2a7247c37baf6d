// Finding a program the way cmd does, on every system: a name with a folder
// as it stands, else the current folder, the caller's own folder and PATH.
#include "platform/process.h"

#include <algorithm>

#include "platform/file_system.h"
#include "platform/host.h"
#include "platform/program_file.h"

namespace platform {

std::string findProgram(const std::string& name, const std::string& ownFolder) {
    if (name.empty()) return {};
    if (name.find_first_of("\\/") != std::string::npos) return programFileIn({}, name);
    std::vector<std::string> folders = {currentDirectory()};
    if (!ownFolder.empty()) folders.push_back(ownFolder);
    for (const auto& folder : searchPathFolders()) folders.push_back(folder);
    for (const auto& folder : folders) {
        const std::string found = programFileIn(folder, name);
        if (!found.empty()) return found;
    }
    return {};
}

std::vector<std::string> searchPathFolders() {
    std::vector<std::string> folders;
    const std::string path = environmentVariable("PATH");
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(kPathListSeparator, start), path.size());
        if (end > start) folders.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return folders;
}

}  // namespace platform
