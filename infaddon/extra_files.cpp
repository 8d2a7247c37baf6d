#include "infaddon/extra_files.h"

#include <functional>

#include "platform/file_system.h"

namespace infaddon {

bool hasExtraFiles(const AddonProject& project) {
    return !project.ExtraFiles.empty() && !project.ExtraFiles.front().name.empty();
}

namespace {

// Calls `visit` with each extra file and the path of its copy in the program
// folder. An extra file taken from the program folder under its own name is
// its own copy: it is neither copied onto itself nor deleted afterwards, so
// it is not visited.
void forEachCopy(const AddonProject& project,
                 const std::function<void(const ExtraFile& file, const std::string& copy)>& visit) {
    if (!hasExtraFiles(project)) return;
    const std::string folder = platform::programFolder();
    for (const ExtraFile& file : project.ExtraFiles) {
        const std::string copy = platform::joinPath(folder, file.name);
        if (!platform::sameFile(file.source, copy)) visit(file, copy);
    }
}

}  // namespace

void CopyExtraFiles(const AddonProject& project) {
    forEachCopy(project, [](const ExtraFile& file, const std::string& copy) { platform::copyFile(file.source, copy); });
}

std::vector<std::string> extraFileCopyNames(const AddonProject& project) {
    std::vector<std::string> names;
    forEachCopy(project, [&](const ExtraFile& file, const std::string&) { names.push_back(file.name); });
    return names;
}

void DeleteExtraFiles(const AddonProject& project) {
    forEachCopy(project, [](const ExtraFile&, const std::string& copy) {
        if (platform::fileExists(copy)) platform::deleteFile(copy);
    });
}

}  // namespace infaddon
