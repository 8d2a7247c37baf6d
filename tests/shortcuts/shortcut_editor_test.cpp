// The editor's commands on its state: options, Add, Delete, Get, and the ids.
#include <gtest/gtest.h>

#include <set>

#include "platform/file_system.h"
#include "shortcuts/app_folder_name.h"
#include "shortcuts/shortcut_definition.h"
#include "shortcuts/shortcut_editor.h"
#include "platform/error.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/shipped_language.h"

using namespace shortcuts;

namespace {

// An INF builder with a folder open, and the editor opened from it.
struct OpenEditor {
    explicit OpenEditor(const std::string& folder = "D:\\App") { builder.openFolder = folder; }
    infaddon::InfBuilder builder;
    ShortcutEditor editor{builder};
    testsupport::FakeUserInterface ui;
};

void fillExample(ShortcutEditor& s) {
    s.targetPathText = "C:\\Program Files\\App\\app.exe";
    s.startInText = "C:\\Program Files\\App\\";
    s.descriptionText = "app";
    s.linkNameText = "App";
    s.argumentsText = "-x";
}

// The group line (line 2) of the last shortcut added.
std::string lastGroupLine(const ShortcutEditor& s) {
    const std::string& section = s.shortcuts().back().section;
    const auto start = section.find("\r\n") + 2;
    return section.substr(start, section.find("\r\n", start) - start);
}

}  // namespace

TEST(LinkIds, FollowTheFixedSequenceInRangeAndRepeatEachRun) {
    LinkIdGenerator first, second;
    EXPECT_EQ(first.draw(), 7056);
    EXPECT_EQ(first.draw(), 5335);
    EXPECT_EQ(first.draw(), 5796);
    for (int i = 0; i < 3; ++i) second.draw();
    for (int i = 0; i < 20000; ++i) {
        const int id = first.draw();
        ASSERT_EQ(id, second.draw());
        ASSERT_GE(id, 1);
        ASSERT_LE(id, 10000);
    }
}

// With every id taken, Add has none to give: the user is told, in the
// user's language, to delete one first.
TEST(LinkIds, NoIdLeftIsToldInTheUsersLanguage) {
    Shortcuts taken;
    for (int id = 1; id <= 10000; ++id) taken.push_back({"", "addlink" + std::to_string(id), ""});
    LinkIdGenerator ids;
    const shell::LanguageTexts english(testsupport::shippedLanguage("English"));
    try {
        ids.drawUnused(taken, "App", english);
        ADD_FAILURE() << "an id was drawn";
    } catch (const platform::Error& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Every shortcut id from 1 to 10000 is in use: delete a shortcut before adding another.");
    }
    EXPECT_THROW(ids.drawUnused(taken), platform::Error);
}

TEST(LinkIds, AnIdAlreadyInTheListsIsDrawnAgain) {
    Shortcuts taken = {{"", "addlink7056", ""}, {"", "addlink5335", ""}};
    LinkIdGenerator ids;
    EXPECT_EQ(ids.drawUnused(taken), 5796);
}

// The group key is the folder name followed by the id: folder "App705" with
// id 6 and folder "APP" with id 7056 would share the group App7056 (INI
// names ignore letter case), so the id is drawn again.
TEST(LinkIds, AnIdWhoseGroupKeyIsTakenIsDrawnAgain) {
    ShortcutDefinition earlier;
    earlier.AppFolderName = "App705";
    earlier.LinkId = 6;
    earlier.Location = "%16409%";
    OpenEditor e("D:\\src\\APP");
    ShortcutEditor& s = e.editor;
    s.shortcuts().push_back(buildShortcutEntry(earlier));
    LinkIdGenerator ids;
    fillExample(s);
    addShortcut(s, e.ui, ids);
    ASSERT_EQ(s.shortcuts().size(), 2u);
    EXPECT_EQ(s.shortcuts()[1].sectionName, "addlink5335");
    EXPECT_EQ(s.shortcuts()[1].deleteEntry.substr(0, 37), "setup.ini, progman.groups,, \"APP5335=");

    // Without the clash the first draw stands, as always.
    LinkIdGenerator fresh;
    EXPECT_EQ(fresh.drawUnused(s.shortcuts(), "Other"), 7056);
}

TEST(ShortcutEditor, FirstAddOfTheExampleIsTheDesktopShortcut7056) {
    OpenEditor e("D:\\src\\App");
    ShortcutEditor& s = e.editor;
    LinkIdGenerator ids;
    fillExample(s);
    addShortcut(s, e.ui, ids);
    ASSERT_EQ(s.shortcuts().size(), 1u);
    EXPECT_EQ(s.shortcuts()[0].sectionName, "addlink7056");
    EXPECT_EQ(s.shortcuts()[0].section,
              "[AddLink7056]\r\n"
              "setup.ini, progman.groups,, \"App7056=\"\"%16409%\"\"\"\r\n"
              "setup.ini, App7056,,\"\"\"App\"\",\"\"\"\"\"\"C:\\Program Files\\App\\app.exe\"\"\"\" -x\"\",,,,"
              "\"\"C:\\Program Files\\App\\\"\",\"\"app\"\"\"\r\n");
    // The six boxes are cleared; the choice and Location stay.
    EXPECT_TRUE(s.targetPathText.empty() && s.startInText.empty() && s.descriptionText.empty() &&
                s.linkNameText.empty() && s.menuFolderText.empty() && s.argumentsText.empty());
    EXPECT_EQ(s.place, ShortcutPlace::Desktop);
    EXPECT_EQ(s.Location, "%16409%");
}

TEST(ShortcutEditor, OptionsSetTheGroupFolder) {
    OpenEditor e;
    ShortcutEditor& s = e.editor;
    auto& ui = e.ui;
    LinkIdGenerator ids;
    EXPECT_FALSE(menuFolderEditable(s));

    chooseShortcutPlace(s, ui, ShortcutPlace::QuickLaunch);
    addShortcut(s, ui, ids);
    EXPECT_NE(lastGroupLine(s).find("=\"\"%16410%\\Microsoft\\Internet Explorer\\Quick Launch\"\"\""),
              std::string::npos);

    chooseShortcutPlace(s, ui, ShortcutPlace::StartMenu);
    EXPECT_TRUE(menuFolderEditable(s));
    s.menuFolderText = "Tools";
    addShortcut(s, ui, ids);
    EXPECT_EQ(lastGroupLine(s), "setup.ini, progman.groups,, \"App5335=\"\"Tools\"\"\"");
    EXPECT_EQ(s.Location, "Tools");

    // An empty menu folder is written as empty, never as the bare token.
    addShortcut(s, ui, ids);
    EXPECT_EQ(lastGroupLine(s), "setup.ini, progman.groups,, \"App5796=\"\"\"\"\"");

    chooseShortcutPlace(s, ui, ShortcutPlace::Desktop);
    addShortcut(s, ui, ids);
    EXPECT_NE(lastGroupLine(s).find("=\"\"%16409%\"\"\""), std::string::npos);
}

TEST(ShortcutEditor, ManyAddsNeverShareAnId) {
    OpenEditor e;
    ShortcutEditor& s = e.editor;
    auto& ui = e.ui;
    LinkIdGenerator ids;
    std::set<std::string> names;
    for (int i = 0; i < 1500; ++i) addShortcut(s, ui, ids);
    for (const auto& e : s.shortcuts()) names.insert(e.sectionName);
    EXPECT_EQ(names.size(), s.shortcuts().size());
}

TEST(ShortcutEditor, DeleteRemovesOneShortcutFromAllLists) {
    OpenEditor e;
    ShortcutEditor& s = e.editor;
    auto& ui = e.ui;
    LinkIdGenerator ids;
    for (const char* name : {"A", "B", "C"}) {
        s.linkNameText = name;
        addShortcut(s, ui, ids);
    }
    const Shortcuts before = s.shortcuts();
    deleteShortcut(s, ui, std::nullopt);
    deleteShortcut(s, ui, 3);
    ASSERT_EQ(s.shortcuts().size(), 3u);
    deleteShortcut(s, ui, 1);
    ASSERT_EQ(s.shortcuts().size(), 2u);
    for (std::size_t i : {0u, 1u}) {
        const ShortcutEntry& want = before[i == 0 ? 0 : 2];
        EXPECT_EQ(s.shortcuts()[i].section, want.section);
        EXPECT_EQ(s.shortcuts()[i].sectionName, want.sectionName);
        EXPECT_EQ(s.shortcuts()[i].deleteEntry, want.deleteEntry);
    }
}

TEST(ShortcutEditor, GetFillsTheFourFieldsFromTheChosenProgram) {
    OpenEditor e;
    ShortcutEditor& s = e.editor;
    testsupport::FakeUserInterface ui;
    ui.openFileAnswers.push_back(std::string("C:\\Tools\\App\\app.exe"));
    getShortcutTarget(s, ui);
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].filter, "可执行文件 (*.exe)|*.exe|所有文件 (*.*)|*.*|");
    EXPECT_EQ(ui.openRequests[0].filterIndex, 1);
    EXPECT_FALSE(ui.openRequests[0].multiSelect);
    EXPECT_EQ(s.targetPathText, "C:\\Tools\\App\\app.exe");
    EXPECT_EQ(s.startInText, "C:\\Tools\\App\\");
    EXPECT_EQ(s.descriptionText, "app");
    EXPECT_EQ(s.linkNameText, "App");

    // Characters, not bytes, are cut from a Chinese name.
    ui.openFileAnswers.push_back(std::string("D:\\软件\\播放器.exe"));
    getShortcutTarget(s, ui);
    EXPECT_EQ(s.descriptionText, "播放器");
    EXPECT_EQ(s.linkNameText, "软件");
}

TEST(ShortcutEditor, GetCancelledChangesNothing) {
    OpenEditor e;
    ShortcutEditor& s = e.editor;
    fillExample(s);
    const std::string target = s.targetPathText, startIn = s.startInText, description = s.descriptionText,
                      linkName = s.linkNameText;
    testsupport::FakeUserInterface ui;
    getShortcutTarget(s, ui);
    EXPECT_EQ(s.targetPathText, target);
    EXPECT_EQ(s.startInText, startIn);
    EXPECT_EQ(s.descriptionText, description);
    EXPECT_EQ(s.linkNameText, linkName);
}

TEST(ShortcutEditor, GetOnANameTooShortStopsAfterTheFolder) {
    OpenEditor e;
    ShortcutEditor& s = e.editor;
    fillExample(s);
    testsupport::FakeUserInterface ui;
    ui.openFileAnswers.push_back(std::string("C:\\Tools\\ab"));
    getShortcutTarget(s, ui);
    EXPECT_EQ(s.targetPathText, "C:\\Tools\\ab");
    EXPECT_EQ(s.startInText, "C:\\Tools\\");
    EXPECT_EQ(s.descriptionText, "app");
    EXPECT_EQ(s.linkNameText, "App");
}

TEST(AppFolderNames, LastComponentAsOnDiskAndRoots) {
    EXPECT_EQ(AppFolderName("D:\\soft\\App"), "App");
    EXPECT_EQ(AppFolderName("D:\\soft\\App\\"), "App");
    EXPECT_EQ(AppFolderName("D:\\"), "D");
    EXPECT_EQ(AppFolderName("D:"), "D");
    const std::string root = platform::makeTemporaryFolder("tolvane-sc");
    platform::createFolder(platform::joinPath(root, "MyApp"));
    // The folder tree may hand over another letter case; the name on disk counts.
    EXPECT_EQ(AppFolderName(platform::joinPath(root, "myapp")), "MyApp");
    platform::removeFolderTree(root);
}

TEST(ShortcutEditor, WorksOnTheProjectsListsAndTheBuildersOpenFolder) {
    OpenEditor e("D:\\soft\\First");
    ShortcutEditor& s = e.editor;
    LinkIdGenerator ids;
    addShortcut(s, e.ui, ids);
    e.builder.openFolder = "D:\\soft\\Second";
    addShortcut(s, e.ui, ids);
    // No copy: the INF writer reads what the editor added.
    ASSERT_EQ(e.builder.project.Shortcuts.size(), 2u);
    EXPECT_EQ(&s.shortcuts(), &e.builder.project.Shortcuts);
    EXPECT_NE(e.builder.project.Shortcuts[0].section.find("\"First7056="), std::string::npos);
    EXPECT_NE(e.builder.project.Shortcuts[1].section.find("\"Second5335="), std::string::npos)
        << "the group key follows the folder open when Add is pressed";

    // A second editor window on the same builder sees the same lists.
    ShortcutEditor other(e.builder);
    deleteShortcut(other, e.ui, 0);
    ASSERT_EQ(s.shortcuts().size(), 1u);
}

TEST(ShortcutEditor, ClosingStartsTheBoxesAfreshAndEmptiesTheLists) {
    OpenEditor e;
    ShortcutEditor& s = e.editor;
    LinkIdGenerator ids;
    addShortcut(s, e.ui, ids);
    chooseShortcutPlace(s, e.ui, ShortcutPlace::StartMenu);
    fillExample(s);
    s.menuFolderText = "Tools";
    closeShortcutEditor(s, e.ui);
    EXPECT_EQ(s.place, ShortcutPlace::Desktop);
    EXPECT_EQ(s.Location, "%16409%");
    EXPECT_TRUE(s.targetPathText.empty() && s.startInText.empty() && s.descriptionText.empty() &&
                s.linkNameText.empty() && s.menuFolderText.empty() && s.argumentsText.empty());
    EXPECT_TRUE(e.builder.project.Shortcuts.empty());
}
