// The shortcut editor window's state in one record, and one command per
// button or option. The editor works on the INF builder's project directly:
// its lists are the project's Shortcuts, which the INF writer receives, and
// its groups are named after the folder open in the INF builder. A window
// handler reads its controls into the record, calls the command, and shows
// the record again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "infaddon/inf_builder.h"
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

struct ShortcutEditor {
    explicit ShortcutEditor(infaddon::InfBuilder& owner) : builder(owner) {}

    // The INF builder this editor was opened from.
    infaddon::InfBuilder& builder;
    // List1 / List2 / List3, one entry per shortcut: the project's own lists.
    Shortcuts& shortcuts() { return builder.project.Shortcuts; }
    const Shortcuts& shortcuts() const { return builder.project.Shortcuts; }

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
};

// An option click (Option1 to Option3): sets Location to the option's token.
void chooseShortcutPlace(ShortcutEditor& editor, shell::UserInterface& ui, ShortcutPlace place);
// Text5 is enabled and shown only with the start-menu choice (otherwise
// Label6 shows its text in its place).
inline bool menuFolderEditable(const ShortcutEditor& editor) { return editor.place == ShortcutPlace::StartMenu; }

// Add (Command1): reads one ShortcutDefinition from the record (AppFolderName
// from the INF builder's open folder), appends its three texts to the
// project's lists and clears the six text boxes. Location and the option
// stay. Nothing is checked: empty fields are written as empty.
void addShortcut(ShortcutEditor& editor, shell::UserInterface& ui, LinkIdGenerator& ids = programLinkIds());

// Delete (Command3): removes the selected shortcut from all three lists;
// nothing without a selection or with one past the end.
void deleteShortcut(ShortcutEditor& editor, shell::UserInterface& ui, std::optional<std::size_t> selected);

// Get (Command4): fills target, start-in folder, description and link name
// from a program picked in the open dialog. Cancel changes nothing. A name
// too short to lose its ".exe" stops after the first two fields.
void getShortcutTarget(ShortcutEditor& editor, shell::UserInterface& ui);

// Closing the window from its title bar unloads it: its boxes and option
// start afresh the next time it opens, and its three lists, which the window
// holds, go with it, so a package built afterwards carries no shortcut until
// new ones are added. Back keeps everything.
void closeShortcutEditor(ShortcutEditor& editor, shell::UserInterface& ui);

}  // namespace shortcuts
