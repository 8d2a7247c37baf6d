#include "infaddon/addon_project.h"

namespace infaddon {

void AddonProject::addSourceFolder(const std::string& folder, const std::string& chosenDirId) {
    SourceFolders.push_back({folder, chosenDirId.empty() ? kDefaultDirId : chosenDirId});
}

void AddonProject::removeSourceFolder(std::size_t index) {
    if (index < SourceFolders.size()) SourceFolders.erase(SourceFolders.begin() + static_cast<std::ptrdiff_t>(index));
}

void AddonProject::removeExtraFile(std::size_t index) {
    if (index < ExtraFiles.size()) ExtraFiles.erase(ExtraFiles.begin() + static_cast<std::ptrdiff_t>(index));
}

static void clearWorkLists(BuildState& s) {
    s.ScanQueue.clear();
    s.CopySectionNames.clear();
    s.CopySectionLines.clear();
    s.CopySectionDestinations.clear();
    s.FileCount = 0;
    s.DestinationDirLines.clear();
    s.RemoveDirLines.clear();
    s.StagedFiles.clear();
    s.CopyFilesList.clear();
}

void BuildState::resetAtStart() {
    RunLog.clear();
    clearWorkLists(*this);
    RegistryLines.clear();
}

void BuildState::resetAtEnd(AddonProject& project) {
    clearWorkLists(*this);
    project.SourceFolders.clear();
    project.ExtraFiles.clear();
}

}  // namespace infaddon
