#include "shortcuts/shortcut_editor.h"

#include <vector>

#include "platform/file_system.h"
#include "platform/unicode.h"
#include "shortcuts/app_folder_name.h"
#include "shortcuts/shortcut_definition.h"

namespace shortcuts {

namespace {

// The text less its last `count` characters (code points, not bytes);
// nullopt when it has fewer.
std::optional<std::string> dropLastCharacters(const std::string& text, std::size_t count) {
    std::vector<std::size_t> starts;
    for (std::size_t pos = 0; pos < text.size();) {
        starts.push_back(pos);
        platform::nextCodePoint(text, pos);
    }
    if (starts.size() < count) return std::nullopt;
    return text.substr(0, starts.size() == count ? 0 : starts[starts.size() - count]);
}

}  // namespace

void chooseShortcutPlace(ShortcutEditor& editor, shell::UserInterface&, ShortcutPlace place) {
    editor.place = place;
    switch (place) {
        case ShortcutPlace::Desktop: editor.Location = kDesktopLocation; break;
        case ShortcutPlace::StartMenu: editor.Location = kStartMenuLocation; break;
        case ShortcutPlace::QuickLaunch: editor.Location = kQuickLaunchLocation; break;
    }
}

void addShortcut(ShortcutEditor& editor, shell::UserInterface& ui, LinkIdGenerator& ids) {
    if (editor.place == ShortcutPlace::StartMenu) editor.Location = editor.menuFolderText;

    ShortcutDefinition d;
    d.AppFolderName = AppFolderName(editor.builder.openFolder);
    d.LinkId = ids.drawUnused(editor.shortcuts(), d.AppFolderName, ui);
    d.TargetPath = editor.targetPathText;
    d.StartIn = editor.startInText;
    d.Description = editor.descriptionText;
    d.LinkName = editor.linkNameText;
    d.MenuFolder = editor.menuFolderText;
    d.Arguments = argumentsFromText(editor.argumentsText);
    d.Location = editor.Location;
    editor.shortcuts().push_back(buildShortcutEntry(d));

    editor.menuFolderText.clear();
    editor.targetPathText.clear();
    editor.startInText.clear();
    editor.descriptionText.clear();
    editor.linkNameText.clear();
    editor.argumentsText.clear();
}

void deleteShortcut(ShortcutEditor& editor, shell::UserInterface&, std::optional<std::size_t> selected) {
    Shortcuts& list = editor.shortcuts();
    if (!selected || *selected >= list.size()) return;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(*selected));
}

void getShortcutTarget(ShortcutEditor& editor, shell::UserInterface& ui) {
    shell::FileDialogRequest request;
    request.filter = ui.messageText(shell::MessageKey::ShortcutProgramFilter);
    request.filterIndex = 1;
    const std::optional<std::string> chosen = ui.chooseOpenFile(request);
    if (!chosen) return;

    const std::string& path = *chosen;
    editor.targetPathText = path;
    const std::size_t lastSeparator = path.rfind('\\');
    const std::string folder = lastSeparator == std::string::npos ? std::string() : path.substr(0, lastSeparator + 1);
    editor.startInText = folder;

    const std::optional<std::string> description = dropLastCharacters(platform::baseName(path), 4);
    if (!description) return;
    editor.descriptionText = *description;
    editor.linkNameText = AppFolderName(folder);
}

void closeShortcutEditor(ShortcutEditor& editor, shell::UserInterface&) {
    ShortcutEditor fresh(editor.builder);
    editor.place = fresh.place;
    editor.Location = fresh.Location;
    editor.targetPathText.clear();
    editor.startInText.clear();
    editor.descriptionText.clear();
    editor.linkNameText.clear();
    editor.menuFolderText.clear();
    editor.argumentsText.clear();
    editor.shortcuts().clear();
}

}  // namespace shortcuts
