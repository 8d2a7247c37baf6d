#include "infaddon/inf_builder.h"

#include "infaddon/directory_tables.h"
#include "infaddon/generate.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/file_choice.h"
#include "shell/error_text.h"

namespace infaddon {

InitialCaptions initialCaptions(const shell::MessageTexts& texts) {
    return {texts.messageText(shell::MessageKey::DefaultDirIdCaption), texts.messageText(shell::MessageKey::ReadyCaption),
            texts.messageText(shell::MessageKey::SetupDirCaption)};
}

InfBuilder::InfBuilder(const shell::MessageTexts& texts) {
    const InitialCaptions captions = initialCaptions(texts);
    build.CodeDescriptionLabel = captions.codeDescription;
    build.ProgressLabel = captions.progress;
    setupDirLabel = captions.setupDir;
}

void retellInitialCaptions(InfBuilder& builder, const InitialCaptions& before, const InitialCaptions& now) {
    const auto retell = [](std::string& label, const std::string& was, const std::string& is) {
        if (label == was) label = is;
    };
    retell(builder.build.CodeDescriptionLabel, before.codeDescription, now.codeDescription);
    retell(builder.build.ProgressLabel, before.progress, now.progress);
    retell(builder.setupDirLabel, before.setupDir, now.setupDir);
}

const char* diskCodeOf(DiskCodeOption option) {
    return option == DiskCodeOption::Patch ? kPatchDiskCode : kWholeFileDiskCode;
}

std::string driveNotReadyMessage(const shell::UserInterface& ui, const std::string& root) {
    return shell::fillText(ui.messageText(shell::MessageKey::InfDriveNotReady), {root});
}

std::string folderNotOpenedMessage(const shell::UserInterface& ui, const std::string& folder,
                                   const std::string& reason) {
    return shell::fillText(ui.messageText(shell::MessageKey::InfFolderNotOpened), {folder, reason});
}

namespace {

// Opens `folder` in the tree; throws platform::Error, changing nothing, when
// it cannot be listed.
void openInTree(InfBuilder& builder, const std::string& folder) {
    std::size_t openLine = 0;
    std::vector<FolderTreeLine> tree = folderTreeOf(folder, &openLine);
    FolderPicker& picker = builder.picker;
    picker.tree = std::move(tree);
    picker.openLine = openLine;
    builder.openFolder = picker.tree[openLine].path;
    const std::size_t drive = driveIndexOf(picker.drives, rootOf(builder.openFolder));
    if (drive < picker.drives.size()) picker.drive = drive;
}

}  // namespace

void loadFolderPicker(InfBuilder& builder, shell::UserInterface&, const std::string& startFolder) {
    builder.picker.drives = platform::driveRoots();
    try {
        openInTree(builder, platform::withoutTrailingSeparator(startFolder));
        return;
    } catch (const platform::Error&) {
    }
    for (const std::string& root : builder.picker.drives) {
        if (!platform::driveReady(root)) continue;
        try {
            openInTree(builder, root);
            return;
        } catch (const platform::Error&) {
        }
    }
}

void chooseDrive(InfBuilder& builder, shell::UserInterface& ui, std::size_t drive) {
    if (drive >= builder.picker.drives.size() || drive == builder.picker.drive) return;
    const std::string root = builder.picker.drives[drive];
    if (!platform::driveReady(root)) {
        ui.showMessage(driveNotReadyMessage(ui, root), {}, shell::MessageIcon::Stop);
        return;
    }
    try {
        openInTree(builder, root);
    } catch (const platform::Error& e) {
        ui.showMessage(folderNotOpenedMessage(ui, root, shell::errorText(ui, e)), {}, shell::MessageIcon::Stop);
    }
}

void openTreeFolder(InfBuilder& builder, shell::UserInterface& ui, std::size_t line) {
    if (line >= builder.picker.tree.size() || line == builder.picker.openLine) return;
    const std::string folder = builder.picker.tree[line].path;
    try {
        openInTree(builder, folder);
    } catch (const platform::Error& e) {
        ui.showMessage(folderNotOpenedMessage(ui, folder, shell::errorText(ui, e)), {}, shell::MessageIcon::Stop);
    }
}

void addSourceFolder(InfBuilder& builder, shell::UserInterface&, std::optional<std::size_t> selectedDirId) {
    if (builder.openFolder.empty()) return;
    builder.project.addSourceFolder(builder.openFolder, dirIdForSelection(selectedDirId));
}

void deleteSourceFolder(InfBuilder& builder, shell::UserInterface&, std::optional<std::size_t> selectedFolder,
                        std::optional<std::size_t> selectedDirId) {
    const std::optional<std::size_t> selected = selectedFolder ? selectedFolder : selectedDirId;
    if (selected) builder.project.removeSourceFolder(*selected);
}

void clickDirIdCode(InfBuilder& builder, shell::UserInterface&, std::size_t position) {
    if (const auto description = describeDirId(position)) builder.build.CodeDescriptionLabel = *description;
}

void clickSetupDirCode(InfBuilder& builder, shell::UserInterface&, std::size_t position) {
    if (const auto folder = describeSetupDir(position)) builder.setupDirLabel = *folder;
}

void chooseRegistryFile(InfBuilder& builder, shell::UserInterface& ui) {
    shell::FileDialogRequest request;
    request.filter = ui.messageText(shell::MessageKey::InfRegistryFileFilter);
    request.filterIndex = 1;
    if (const auto chosen = ui.chooseOpenFile(request)) builder.project.RegFilePath = *chosen;
}

void addExtraFiles(InfBuilder& builder, shell::UserInterface& ui, std::optional<std::size_t> selectedSetupDir) {
    if (!selectedSetupDir || *selectedSetupDir >= SetupDirTable.size()) {
        ui.showMessage(ui.messageText(shell::MessageKey::InfNoSetupDir));
        return;
    }
    const std::string setupNumber = SetupDirTable[*selectedSetupDir].code;
    const shell::DlgFileInfo files = shell::chooseFiles(ui);
    for (int i = 1; i <= files.count; ++i) {
        const std::string& name = files.names[static_cast<std::size_t>(i)];
        builder.project.addExtraFile({files.folder + name, name, diskCodeOf(builder.diskCodeOption), setupNumber});
    }
}

void deleteExtraFile(InfBuilder& builder, shell::UserInterface&, std::optional<std::size_t> selectedSource) {
    if (selectedSource) builder.project.removeExtraFile(*selectedSource);
}

shell::GenerateOutcome generateInfPackage(InfBuilder& builder, shell::UserInterface& ui,
                                          shell::CommandRunner& runner, const std::string& overwriteQuestion,
                                          const ScanProgress& progress) {
    return Generate(builder.project, builder.build, ui, runner, overwriteQuestion, progress);
}

}  // namespace infaddon
