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

void ChooseShortcutPlace(ShortcutEditor& state, shell::UserInterface&, ShortcutPlace place) {
    state.place = place;
    switch (place) {
        case ShortcutPlace::Desktop: state.Location = kDesktopLocation; break;
        case ShortcutPlace::StartMenu: state.Location = kStartMenuLocation; break;
        case ShortcutPlace::QuickLaunch: state.Location = kQuickLaunchLocation; break;
    }
}

void AddShortcut(ShortcutEditor& state, shell::UserInterface&, LinkIdGenerator& ids) {
    if (state.place == ShortcutPlace::StartMenu) state.Location = state.menuFolderText;

    ShortcutDefinition d;
    d.AppFolderName = AppFolderName(state.builder.openFolder);
    d.LinkId = ids.drawUnused(state.shortcuts());
    d.TargetPath = state.targetPathText;
    d.StartIn = state.startInText;
    d.Description = state.descriptionText;
    d.LinkName = state.linkNameText;
    d.MenuFolder = state.menuFolderText;
    d.Arguments = argumentsFromText(state.argumentsText);
    d.Location = state.Location;
    state.shortcuts().push_back(buildShortcutEntry(d));

    state.menuFolderText.clear();
    state.targetPathText.clear();
    state.startInText.clear();
    state.descriptionText.clear();
    state.linkNameText.clear();
    state.argumentsText.clear();
}

void DeleteShortcut(ShortcutEditor& state, shell::UserInterface&, std::optional<std::size_t> selected) {
    Shortcuts& list = state.shortcuts();
    if (!selected || *selected >= list.size()) return;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(*selected));
}

void GetShortcutTarget(ShortcutEditor& state, shell::UserInterface& ui) {
    shell::FileDialogRequest request;
    request.filter = kProgramFilter;
    request.filterIndex = 1;
    const std::optional<std::string> chosen = ui.chooseOpenFile(request);
    if (!chosen) return;

    const std::string& path = *chosen;
    state.targetPathText = path;
    const std::size_t lastSeparator = path.rfind('\\');
    const std::string folder = lastSeparator == std::string::npos ? std::string() : path.substr(0, lastSeparator + 1);
    state.startInText = folder;

    const std::optional<std::string> description = dropLastCharacters(platform::baseName(path), 4);
    if (!description) return;
    state.descriptionText = *description;
    state.linkNameText = AppFolderName(folder);
}

void CloseShortcutEditor(ShortcutEditor& state, shell::UserInterface&) {
    ShortcutEditor fresh(state.builder);
    state.place = fresh.place;
    state.Location = fresh.Location;
    state.targetPathText.clear();
    state.startInText.clear();
    state.descriptionText.clear();
    state.linkNameText.clear();
    state.menuFolderText.clear();
    state.argumentsText.clear();
}

}  // namespace shortcuts
