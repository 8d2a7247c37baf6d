// The T13 builder window's state in one record, and one command per button.
// A window handler reads its controls into the record, calls the command
// with the list selections, and shows the record again; the console front
// end and the tests call the same commands.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "shell/command_runner.h"
#include "shell/generate_outcome.h"
#include "shell/user_interface.h"
#include "t13addon/t13_addon_settings.h"

namespace t13addon {

// What the Add button adds (Frame6).
enum class PackItemKind {
    Files,   // Option5 "文件": files through the open dialog
    Folder,  // Option6 "目录", chosen at start: a folder through the folder browser
};

// What follows a folder's path in PackItems: 7z packs its contents.
inline constexpr const char* kFolderContents = "\\*";

// Generate reads the fields and, after a normal run, clears the name,
// version, extraction path and both lists; the run command being typed and
// the options stay.
struct T13Builder {
    std::string packageNameText;           // Text1 "软件名:"
    std::string versionText;               // Text2 "版本号:"
    std::string extractPathText;           // Text3 "解压路径:", kept exactly as typed
    std::string runCommandText;            // Text5 "运行命令:"
    std::vector<std::string> packItems;    // List1
    std::vector<std::string> runCommands;  // List2
    Integrator integrator = Integrator::NLite;  // "NLITE" chosen at start
    bool storeOnly = false;                     // "高压缩" chosen at start
    PackItemKind addKind = PackItemKind::Folder;
};

// Add item (Command2). Folder: the folder browser with "请选择文件夹"; the
// chosen folder followed by "\*" (a drive root, which ends in "\" already,
// gives two backslashes in a row); cancel adds nothing. Files: the
// multi-select open dialog; each chosen file with its folder, in the order
// the selection lists them; cancel, or a selection GetDlgFileInfo cannot
// split (its message), adds nothing.
void addPackItems(T13Builder& builder, shell::UserInterface& ui);

// Add run command (Command6): the typed command goes into List2 as it stands,
// an empty one too, and the box is emptied.
void addRunCommand(T13Builder& builder, shell::UserInterface& ui);

// Delete (Command4): removes List1's selected entry, else List2's; at most
// one entry per press.
void deleteT13Entry(T13Builder& builder, shell::UserInterface& ui, std::optional<std::size_t> selectedItem,
                    std::optional<std::size_t> selectedCommand);

}  // namespace t13addon
