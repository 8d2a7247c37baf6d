// Loading the 47 texts, the composed titles and the language state.
#include <gtest/gtest.h>

#include <set>

#include "platform/system_language.h"
#include "shell/ui_strings.h"
#include "shell/window_texts.h"
#include "language_test_folder.h"
#include "locale_variables.h"

using namespace shell;
using shelltest::LanguageFolder;

namespace {

// Every key, its value "<section>.<key>", so a misplaced read shows.
std::string fullLanguageFile() {
    std::string text;
    std::string section;
    for (std::size_t i = 0; i < kUiKeyCount; ++i) {
        const UiKeyName& name = uiKeyName(static_cast<UiKey>(i));
        if (section != name.section) {
            section = name.section;
            text += "[" + section + "]\r\n";
        }
        text += std::string(name.key) + "=" + section + "." + name.key + "\r\n";
    }
    return text;
}

}  // namespace

TEST(UiKeys, EveryKeyHasItsOwnSectionAndKeyInLoadOrder) {
    std::set<std::pair<std::string, std::string>> seen;
    std::string previousSection;
    std::set<std::string> closedSections;
    for (std::size_t i = 0; i < kUiKeyCount; ++i) {
        const UiKeyName& name = uiKeyName(static_cast<UiKey>(i));
        EXPECT_TRUE(seen.insert({name.section, name.key}).second) << name.section << " " << name.key;
        if (name.section != previousSection) {
            EXPECT_TRUE(closedSections.insert(previousSection).second) << "sections are read in one run each";
            previousSection = name.section;
        }
    }
    EXPECT_EQ(std::string(uiKeyName(UiKey::AddshortcutShortcutArgumen).key).size(), 16u);
    EXPECT_EQ(kUiKeyGroups[0].end - kUiKeyGroups[0].first, 10);
    EXPECT_EQ(kUiKeyGroups[1].end - kUiKeyGroups[1].first, 20);
    EXPECT_EQ(kUiKeyGroups[2].end - kUiKeyGroups[2].first, 5);
    EXPECT_EQ(kUiKeyGroups[3].end - kUiKeyGroups[3].first, 12);
}

TEST(UiStrings, LoadReadsEveryKeyAndComposesTheTitles) {
    LanguageFolder folder;
    folder.write("Test.lng", fullLanguageFile());
    LanguageState state;
    state.languageName = "Test";
    LoadUiStrings(state);
    for (std::size_t i = 0; i < kUiKeyCount; ++i) {
        const UiKey key = static_cast<UiKey>(i);
        if (key == UiKey::MainZtitle || key == UiKey::MainInfTitle || key == UiKey::MainT13Title) continue;
        const UiKeyName& name = uiKeyName(key);
        EXPECT_EQ(state.uiStrings[key], std::string(name.section) + "." + name.key);
    }
    EXPECT_EQ(state.uiStrings.programTitle(), "Main.ztitleV3.3");
    EXPECT_EQ(state.uiStrings[UiKey::MainInfTitle], "Main.ztitleV3.3--Main.inf title");
    EXPECT_EQ(state.uiStrings[UiKey::MainT13Title], "Main.ztitleV3.3--Main.t13 title");
    EXPECT_FALSE(state.languageLoaded);  // the caller decides that
}

TEST(UiStrings, TitleWithoutItsOwnPartEndsInTheHyphens) {
    LanguageFolder folder;
    folder.write("T.lng", "[main]\r\nZTITLE=ABC\r\nt13 title=XYZ\r\n");
    LanguageState state;
    state.languageName = "T";
    LoadUiStrings(state);
    EXPECT_EQ(state.uiStrings[UiKey::MainInfTitle], "ABCV3.3--");
    EXPECT_EQ(state.uiStrings[UiKey::MainT13Title], "ABCV3.3--XYZ");
}

TEST(UiStrings, NoFileGivesEmptyTextsAndABareVersion) {
    LanguageFolder folder;
    LanguageState state;
    state.languageName = "Missing";
    LoadUiStrings(state);
    EXPECT_EQ(state.uiStrings[UiKey::ButtonsNext], "");
    EXPECT_EQ(state.uiStrings.programTitle(), "V3.3");
    EXPECT_EQ(state.uiStrings[UiKey::MainInfTitle], "V3.3--");
}

TEST(UiStrings, StartWindowTakesItsTextsAfterGroupOneAndAfterGroupTwo) {
    LanguageFolder folder;
    folder.write("Old.lng", fullLanguageFile());
    // "next" is missing, so the start window's Next button loses its text.
    folder.write("New.lng",
                 "[Buttons]\r\nexit=Quit\r\nabout=Info\r\n[Main]\r\nztitle=Z\r\nmode=Kind\r\n"
                 "[software]\r\ntitle=Name\r\n");
    LanguageState state;
    changeLanguage(state, "Old");
    ASSERT_TRUE(state.languageLoaded);

    std::vector<ControlText> buttons, modes;
    std::string softwareTitleAtButtons, mainModeAtButtons, softwareTitleAtModes;
    LoadCallbacks callbacks;
    callbacks.afterButtons = [&](const UiStrings& strings) {
        buttons = textsOf(kStartWindowButtonTexts, strings);
        mainModeAtButtons = strings[UiKey::MainMode];
    };
    callbacks.afterMain = [&](const UiStrings& strings) {
        modes = textsOf(kStartWindowModeTexts, strings);
        softwareTitleAtModes = strings[UiKey::SoftwareTitle];
    };
    changeLanguage(state, "New", callbacks);

    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0].controlId, IDC_FORMMAN_COMMAND1);
    EXPECT_EQ(buttons[0].text, "");
    EXPECT_EQ(buttons[1].text, "Quit");
    EXPECT_EQ(buttons[2].text, "Info");
    EXPECT_EQ(mainModeAtButtons, "Main.mode");  // group 2 not read yet
    ASSERT_EQ(modes.size(), 6u);
    EXPECT_EQ(modes[4].text, "Kind");
    EXPECT_EQ(modes[5].controlId, kWindowTitle);
    EXPECT_EQ(modes[5].text, "ZV3.3");
    EXPECT_EQ(softwareTitleAtModes, "software.title");  // group 3 not read yet
    EXPECT_EQ(state.uiStrings[UiKey::SoftwareTitle], "Name");
    EXPECT_EQ(state.uiStrings[UiKey::RuninfoPath], "");
}

TEST(LanguageName, IsLookedUpInTheLanguageMap) {
    LanguageFolder folder;
    folder.write("language.txt", "[Language]\r\n0804=Chinese\r\n0C04 = \"Chinese\"\r\n0409=English\r\n");
    LanguageState state;
    state.systemLanguageId = "0c04";
    ReadLanguageName(state);
    EXPECT_EQ(state.languageName, "Chinese");
    state.systemLanguageId = "0419";
    ReadLanguageName(state);
    EXPECT_EQ(state.languageName, "");
}

TEST(LanguageName, StartUpLoadsOnlyWhenTheFileExists) {
    shelltest::LocaleVariables english("en_GB.UTF-8");
    const std::string id = platform::systemLanguageId();
    ASSERT_EQ(id.size(), 4u) << "the test system reports no language id";
    {
        LanguageFolder folder;
        folder.write("language.txt", "[language]\r\n" + id + "=Klingon\r\n");
        LanguageState state;
        startUpLanguage(state);
        EXPECT_EQ(state.systemLanguageId, id);
        EXPECT_EQ(state.languageName, "Klingon");
        EXPECT_FALSE(state.languageLoaded);
        EXPECT_EQ(state.uiStrings[UiKey::ButtonsExit], "");
    }
    {
        LanguageFolder folder;
        folder.write("language.txt", "[language]\r\n" + id + "=Mine\r\n");
        folder.write("Mine.lng", "[Buttons]\r\nexit=退出\r\n");
        LanguageState state;
        bool calledBack = false;
        LoadCallbacks callbacks;
        callbacks.afterButtons = [&](const UiStrings&) { calledBack = true; };
        startUpLanguage(state, callbacks);
        EXPECT_TRUE(state.languageLoaded);
        EXPECT_TRUE(calledBack);
        EXPECT_EQ(state.uiStrings[UiKey::ButtonsExit], "退出");
    }
}

TEST(LanguageName, LanguageFilesAreListedWithoutTheirEnding) {
    LanguageFolder folder;
    folder.write("English.lng", "");
    folder.write("Chinese.lng", "");
    folder.write("Shouting.LNG", "");
    folder.write("language.txt", "");
    folder.write("English.lng.bak", "");
    EXPECT_EQ(listLanguageNames(), (std::vector<std::string>{"Chinese", "English", "Shouting"}));
    EXPECT_EQ(languageFolder(), platform::joinPath(folder.root(), "lng\\"));
    EXPECT_EQ(languageFilePath("English"), platform::joinPath(folder.root(), "lng\\English.lng"));
}

TEST(LanguageName, NoLanguageFolderListsNothing) {
    LanguageFolder folder;
    platform::removeFolderTree(platform::joinPath(folder.root(), "lng"));
    EXPECT_TRUE(listLanguageNames().empty());
}
