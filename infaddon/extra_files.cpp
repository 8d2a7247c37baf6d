#include "infaddon/extra_files.h"

#include "platform/file_system.h"

namespace infaddon {

bool hasExtraFiles(const AddonProject& project) {
    return !project.ExtraFiles.empty() && !project.ExtraFiles.front().name.empty();
}

// An extra file taken from the program folder under its own name is its own
// copy: it is neither copied onto itself nor deleted afterwards.
bool IsItsOwnCopy(const ExtraFile& file, const std::string& copy) { return platform::sameFile(file.source, copy); }

void CopyExtraFiles(const AddonProject& project) {
    if (!hasExtraFiles(project)) return;
    const std::string folder = platform::programFolder();
    for (const ExtraFile& file : project.ExtraFiles) {
        const std::string copy = platform::joinPath(folder, file.name);
        if (!IsItsOwnCopy(file, copy)) platform::copyFile(file.source, copy);
    }
}

std::vector<std::string> ExtraFileCopyNames(const AddonProject& project) {
    std::vector<std::string> names;
    if (!hasExtraFiles(project)) return names;
    const std::string folder = platform::programFolder();
    for (const ExtraFile& file : project.ExtraFiles)
        if (!IsItsOwnCopy(file, platform::joinPath(folder, file.name))) names.push_back(file.name);
    return names;
}

void DeleteExtraFiles(const AddonProject& project) {
    if (!hasExtraFiles(project)) return;
    const std::string folder = platform::programFolder();
    for (const ExtraFile& file : project.ExtraFiles) {
        const std::string copy = platform::joinPath(folder, file.name);
        if (platform::fileExists(copy) && !IsItsOwnCopy(file, copy)) platform::deleteFile(copy);
    }
}

}  // namespace infaddon
