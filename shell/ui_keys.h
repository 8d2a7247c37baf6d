// The 47 texts a language file supplies, each named by its section and key.
// The enumerators stand in load order: group 1 (section "Buttons"), group 2
// ("Main", then "addshortcut"), group 3 ("software"), group 4 ("runinfo"),
// and within a group in the order they are read.
#pragma once

#include <cstddef>

namespace shell {

enum class UiKey : int {
    // Group 1: Buttons
    ButtonsNext, ButtonsExit, ButtonsAbout, ButtonsAdd, ButtonsDelete, ButtonsBack, ButtonsMake,
    ButtonsShortcut, ButtonsNget, ButtonsAdvanced,
    // Group 2: Main
    MainInfzhb, MainInfsm, MainTime13zhb, MainTime13sm, MainMode, MainZtitle, MainInfTitle, MainT13Title,
    MainRunTitle, MainShortcutTitle,
    // Group 2: addshortcut
    AddshortcutCreateOption, AddshortcutDesktop, AddshortcutStart, AddshortcutQuickLaunch,
    AddshortcutShortcutArgumen, AddshortcutSourceFilename, AddshortcutFilePath, AddshortcutDescription,
    AddshortcutShortcutName, AddshortcutLocation,
    // Group 3: software
    SoftwareSoftwareInfo, SoftwareTitle, SoftwareVersion, SoftwareWebsite, SoftwareArgument,
    // Group 4: runinfo
    RuninfoPath, RuninfoAddFile, RuninfoCode, RuninfoCodeExplain, RuninfoRegedit, RuninfoResult,
    RuninfoCreate, RuninfoObsoleteExplain, RuninfoDTIAdd, RuninfoDTIAddExplain, RuninfoObsolete,
    RuninfoAdvancedTitle,
};

inline constexpr std::size_t kUiKeyCount = 47;

struct UiKeyName {
    const char* section;
    const char* key;
};

// Section and key of a text, as written in the language files.
const UiKeyName& uiKeyName(UiKey key);

// The load groups as [first, end) ranges of keys. The start window takes its
// button texts after group 1 and its mode texts and title after group 2.
struct UiKeyGroup {
    int first;
    int end;
};
inline constexpr UiKeyGroup kUiKeyGroups[4] = {
    {static_cast<int>(UiKey::ButtonsNext), static_cast<int>(UiKey::MainInfzhb)},
    {static_cast<int>(UiKey::MainInfzhb), static_cast<int>(UiKey::SoftwareSoftwareInfo)},
    {static_cast<int>(UiKey::SoftwareSoftwareInfo), static_cast<int>(UiKey::RuninfoPath)},
    {static_cast<int>(UiKey::RuninfoPath), static_cast<int>(UiKey::RuninfoAdvancedTitle) + 1},
};

}  // namespace shell
