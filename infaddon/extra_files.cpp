#include "infaddon/extra_files.h"

#include "platform/file_system.h"

namespace infaddon {

bool HasExtraFiles(const AddonProject& project) {
    return !project.ExtraFiles.empty() && !project.ExtraFiles.front().name.empty();
}

void CopyExtraFiles(const AddonProject& project) {
    if (!HasExtraFiles(project)) return;
    const std::string folder = platform::programFolder();
    for (const ExtraFile& file : project.ExtraFiles) platform::copyFile(file.source, platform::joinPath(folder, file.name));
}

void DeleteExtraFiles(const AddonProject& project) {
    if (!HasExtraFiles(project)) return;
    const std::string folder = platform::programFolder();
    for (const ExtraFile& file : project.ExtraFiles) {
        const std::string copy = platform::joinPath(folder, file.name);
        if (platform::fileExists(copy)) platform::deleteFile(copy);
    }
}

}  // namespace infaddon
