#include "infaddon/inf_builder.h"

#include "infaddon/directory_tables.h"
#include "infaddon/generate.h"
#include "shell/file_choice.h"

namespace infaddon {

InfBuilder::InfBuilder() {
    build.CodeDescriptionLabel = kDefaultDirIdCaption;
    build.ProgressLabel = kReadyCaption;
}

const char* diskCodeOf(DiskCodeOption option) {
    return option == DiskCodeOption::Patch ? kPatchDiskCode : kWholeFileDiskCode;
}

void AddSourceFolder(InfBuilder& builder, shell::UserInterface&, std::optional<std::size_t> selectedDirId) {
    if (builder.openFolder.empty()) return;
    builder.project.addSourceFolder(builder.openFolder, SelectedDirId(selectedDirId));
}

void DeleteSourceFolder(InfBuilder& builder, shell::UserInterface&, std::optional<std::size_t> selectedFolder,
                        std::optional<std::size_t> selectedDirId) {
    const std::optional<std::size_t> selected = selectedFolder ? selectedFolder : selectedDirId;
    if (selected) builder.project.removeSourceFolder(*selected);
}

void ClickDirIdCode(InfBuilder& builder, shell::UserInterface&, std::size_t position) {
    if (const auto description = DescribeDirId(position)) builder.build.CodeDescriptionLabel = *description;
}

void ClickSetupDirCode(InfBuilder& builder, shell::UserInterface&, std::size_t position) {
    if (const auto folder = DescribeSetupDir(position)) builder.setupDirLabel = *folder;
}

void ChooseRegistryFile(InfBuilder& builder, shell::UserInterface& ui) {
    shell::FileDialogRequest request;
    request.filter = kRegistryFileFilter;
    request.filterIndex = 1;
    if (const auto chosen = ui.chooseOpenFile(request)) builder.project.RegFilePath = *chosen;
}

void AddExtraFiles(InfBuilder& builder, shell::UserInterface& ui, std::optional<std::size_t> selectedSetupDir) {
    if (!selectedSetupDir || *selectedSetupDir >= SetupDirTable.size()) {
        ui.showMessage(kNoSetupDirMessage);
        return;
    }
    const std::string setupNumber = SetupDirTable[*selectedSetupDir].code;
    const shell::DlgFileInfo files = shell::ChooseFiles(ui);
    for (int i = 1; i <= files.count; ++i) {
        const std::string& name = files.names[static_cast<std::size_t>(i)];
        builder.project.addExtraFile({files.folder + name, name, diskCodeOf(builder.diskCodeOption), setupNumber});
    }
}

void DeleteExtraFile(InfBuilder& builder, shell::UserInterface&, std::optional<std::size_t> selectedSource) {
    if (selectedSource) builder.project.removeExtraFile(*selectedSource);
}

shell::GenerateOutcome GenerateInfPackage(InfBuilder& builder, shell::UserInterface& ui,
                                          shell::CommandRunner& runner, const std::string& overwriteQuestion,
                                          const ScanProgress& progress) {
    return Generate(builder.project, builder.build, ui, runner, overwriteQuestion, progress);
}

}  // namespace infaddon
