// The INF builder window's state in one record, and one command per button or
// event. A window handler reads its controls into the record, calls the
// command with the list selections, and shows the record again; the console
// front end and the tests call the same commands.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "infaddon/addon_project.h"
#include "infaddon/folder_picker.h"
#include "infaddon/source_scanner.h"
#include "shell/command_runner.h"
#include "shell/generate_outcome.h"
#include "shell/user_interface.h"

namespace infaddon {

// The integration mode of the advanced area's extra files.
enum class DiskCodeOption {
    WholeFile,  // Option1 "原文件方式=1", chosen at start: disk code "1"
    Patch,      // Option2 "补丁方式=100": disk code "100"
};

inline constexpr const char* kWholeFileDiskCode = "1";
inline constexpr const char* kPatchDiskCode = "100";

// What the three labels show before a build or a click, in one language:
// Label1 the default code's description, Label2 that the builder is ready,
// Label3 what the label is for.
struct InitialCaptions {
    std::string codeDescription;
    std::string progress;
    std::string setupDir;
};
InitialCaptions initialCaptions(const shell::MessageTexts& texts);

struct InfBuilder {
    // The labels in the language of `texts`.
    explicit InfBuilder(const shell::MessageTexts& texts = shell::kBuiltInTexts);

    // Name, version, web site, the registry box (Text3: RegFilePath), the
    // source folders, the extra files and the shortcuts.
    AddonProject project;
    // The work state of a build, with the two labels a build writes:
    // Label1 (BuildState::CodeDescriptionLabel, also set by a code click) and
    // Label2 (BuildState::ProgressLabel).
    BuildState build;
    // The folder open in the folder tree (Dir1): what Add folder adds, and
    // what names the shortcut editor's groups.
    std::string openFolder;
    // What the drive list (Drive1) and the folder tree (Dir1) show.
    FolderPicker picker;
    // Label3: the folder of the clicked setup number.
    std::string setupDirLabel;
    // Option1 / Option2.
    DiskCodeOption diskCodeOption = DiskCodeOption::WholeFile;
};

// Another language taken: each label that still shows its caption in
// `before` shows it in `now`; one a build or a click has written keeps it.
void retellInitialCaptions(InfBuilder& builder, const InitialCaptions& before, const InitialCaptions& now);

// The disk code an advanced add gives its files under the option.
const char* diskCodeOf(DiskCodeOption option);

// The builder window's heights, outer, in twips (1/1440 inch at the font
// the window was laid out for): closed, and with the advanced area shown.
inline constexpr int kClosedHeightTwips = 5850;
inline constexpr int kAdvancedHeightTwips = 8775;
inline int windowHeightTwips(bool advancedShown) { return advancedShown ? kAdvancedHeightTwips : kClosedHeightTwips; }

// The message for a drive that cannot be read, naming it.
std::string driveNotReadyMessage(const shell::UserInterface& ui, const std::string& root);
// The message for a folder that cannot be opened, naming it and the reason.
std::string folderNotOpenedMessage(const shell::UserInterface& ui, const std::string& folder,
                                   const std::string& reason);

// Window load: the drive list and the folder tree open at `startFolder`
// (the current folder, as the classic folder tree starts). Where that folder
// cannot be listed, the tree opens at the first drive that can be.
void loadFolderPicker(InfBuilder& builder, shell::UserInterface& ui, const std::string& startFolder);

// Drive changed (Drive1): the tree opens at the drive's root. A drive that
// is not ready (an empty CD drive) gives driveNotReadyMessage, and the list
// and the tree stay as they were.
void chooseDrive(InfBuilder& builder, shell::UserInterface& ui, std::size_t drive);

// Folder opened (a double click or Enter on a line of Dir1): that folder
// becomes the open folder. One that cannot be listed gives
// folderNotOpenedMessage and the tree stays.
void openTreeFolder(InfBuilder& builder, shell::UserInterface& ui, std::size_t line);

// Add folder (Command2): pairs the open folder with the code at
// `selectedDirId` in DirIdTable, or "16422" without a selection. No check for
// duplicates; with no folder open nothing is added.
void addSourceFolder(InfBuilder& builder, shell::UserInterface& ui, std::optional<std::size_t> selectedDirId);

// Delete folder (Command6): removes the pair at List7's selection, else at
// List8's; nothing without a selection.
void deleteSourceFolder(InfBuilder& builder, shell::UserInterface& ui, std::optional<std::size_t> selectedFolder,
                        std::optional<std::size_t> selectedDirId);

// Code clicks: List5 puts the code's description into Label1, List18 the
// setup number's folder into Label3. A position outside the table changes
// nothing.
void clickDirIdCode(InfBuilder& builder, shell::UserInterface& ui, std::size_t position);
void clickSetupDirCode(InfBuilder& builder, shell::UserInterface& ui, std::size_t position);

// Choose registry file (Command7): the open dialog with the registry filter;
// the chosen file goes into the box. Cancel changes nothing.
void chooseRegistryFile(InfBuilder& builder, shell::UserInterface& ui);

// Advanced add (Command4): without a setup number selected, the message
// "请选择高级代码地址" and nothing else. Otherwise the multi-select open
// dialog; every chosen file becomes one extra file with the option's disk code
// and the selected setup number. Cancel, or a selection GetDlgFileInfo cannot
// split (its message), adds nothing.
void addExtraFiles(InfBuilder& builder, shell::UserInterface& ui, std::optional<std::size_t> selectedSetupDir);

// Advanced delete (Command8): removes the extra file at List14's selection
// from all four lists; nothing without a selection.
void deleteExtraFile(InfBuilder& builder, shell::UserInterface& ui, std::optional<std::size_t> selectedSource);

// Generate (Command11): the INF build (see Generate in generate.h).
// `overwriteQuestion` is the UI string "runinfo" "create"; `progress` runs
// after Label2 changed during the file scan (by default the user interface
// handles its events).
shell::GenerateOutcome generateInfPackage(InfBuilder& builder, shell::UserInterface& ui,
                                          shell::CommandRunner& runner, const std::string& overwriteQuestion,
                                          const ScanProgress& progress = {});

}  // namespace infaddon
