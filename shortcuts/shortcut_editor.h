// The shortcut editor's commands on its state as a plain object: the window
// copies its controls into ShortcutEditorState, calls a command and copies the
// state back. The lists in `shortcuts` are what the INF writer receives.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "shell/user_interface.h"
#include "shortcuts/link_id_generator.h"
#include "shortcuts/shortcut_list.h"

namespace shortcuts {

// The three option buttons of the "创建选项" frame.
enum class ShortcutPlace {
    Desktop,      // Option1 "桌面"
    StartMenu,    // Option2 "开始菜单"
    QuickLaunch,  // Option3 "快速启动栏"
};

// DIRID tokens (16384 + the shell folder id) for the group folder.
inline constexpr const char* kDesktopLocation = "%16409%";    // all users' desktop
inline constexpr const char* kStartMenuLocation = "%16386%\\";  // Programs; replaced by the menu folder at Add
inline constexpr const char* kQuickLaunchLocation = "%16410%\\Microsoft\\Internet Explorer\\Quick Launch";

struct ShortcutEditorState {
    // The desktop is chosen when the editor opens, so a first Add never
    // writes an empty group folder.
    ShortcutPlace place = ShortcutPlace::Desktop;
    std::string Location = kDesktopLocation;  // kept between Adds

    std::string targetPathText;   // Text1 "目标(请填完整路径)"
    std::string startInText;      // Text2 "起始位置(请填完整路径)"
    std::string descriptionText;  // Text3 "快捷方式描述"
    std::string linkNameText;     // Text4 "快捷方式名"
    std::string menuFolderText;   // Text5, start-menu folder
    std::string argumentsText;    // Text6 "运行参数"

    Shortcuts shortcuts;  // List1 / List2 / List3, one entry per shortcut
};

// An option click: sets Location to the option's token.
void chooseShortcutPlace(ShortcutEditorState& state, ShortcutPlace place);
// Text5 is enabled and shown only with the start-menu choice (otherwise
// Label6 shows its text in its place).
inline bool menuFolderEditable(const ShortcutEditorState& state) { return state.place == ShortcutPlace::StartMenu; }

// Add: reads one ShortcutDefinition from the state (AppFolderName from the
// INF builder's open folder), appends its three texts and clears the six
// text boxes. Location and the option stay. Nothing is checked: empty
// fields are written as empty.
void AddShortcut(ShortcutEditorState& state, const std::string& appFolderPath,
                 LinkIdGenerator& ids = programLinkIds());

// Delete: removes the selected shortcut from all three lists; nothing without
// a selection or with one past the end.
void DeleteShortcut(ShortcutEditorState& state, std::optional<std::size_t> selected);

// Get: fills target, start-in folder, description and link name from a
// program picked in the open dialog. Cancel changes nothing. A name too
// short to lose its ".exe" stops after the first two fields.
void GetShortcutTarget(ShortcutEditorState& state, shell::UserInterface& ui);

// The open dialog's filter for Get.
inline constexpr const char* kProgramFilter = "可执行文件 (*.exe)|*.exe|所有文件 (*.*)|*.*|";

}  // namespace shortcuts
