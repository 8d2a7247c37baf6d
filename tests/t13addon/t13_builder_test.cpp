// The T13 builder's commands on its record, through the test double: adding
// files or a folder, run commands, deleting from either list, and Generate's
// shared outcome.
#include <gtest/gtest.h>

#include "shell/dlg_file_info.h"
#include "shell/message_keys.h"
#include "t13addon/generate_t13_addon.h"
#include "t13addon/t13_builder.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/no_command_runner.h"
#include "tests/support/selection_folder.h"

using namespace t13addon;
using testsupport::FakeUserInterface;
using testsupport::NoCommandRunner;
using testsupport::SelectionFolder;

TEST(T13BuilderItems, AFolderGoesInWithBackslashStarAndADriveRootGetsTwoBackslashes) {
    T13Builder b;
    FakeUserInterface ui;
    EXPECT_EQ(b.addKind, PackItemKind::Folder) << "\"目录\" is chosen at start";
    ui.folderAnswers = {"D:\\soft\\app", "D:\\", ""};
    addPackItems(b, ui);
    addPackItems(b, ui);
    addPackItems(b, ui);  // cancelled
    EXPECT_EQ(b.packItems, (std::vector<std::string>{"D:\\soft\\app\\*", "D:\\\\*"}));
    EXPECT_EQ(ui.folderPrompts, (std::vector<std::string>{"请选择文件夹", "请选择文件夹", "请选择文件夹"}));
    EXPECT_TRUE(ui.openRequests.empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST(T13BuilderItems, FilesGoInWithTheirFolderInTheSelectionsOrder) {
    SelectionFolder here("tolvane-t13items");
    T13Builder b;
    FakeUserInterface ui;
    b.addKind = PackItemKind::Files;
    ui.openFileAnswers.push_back(here.several({"a.exe", "b.dll", "c.ini"}));
    addPackItems(b, ui);
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].title, "选择文件");
    EXPECT_EQ(ui.openRequests[0].filter, "所有类型的文件(*.*)|*.*");
    EXPECT_EQ(ui.openRequests[0].flags, 524804u);
    EXPECT_EQ(ui.openRequests[0].fileNameBufferSize, 32767u);
    EXPECT_TRUE(ui.openRequests[0].multiSelect);
    const std::string folder = here.folderAsSplit();
    EXPECT_EQ(b.packItems, (std::vector<std::string>{folder + "a.exe", folder + "b.dll", folder + "c.ini"}));

    // A single file: the dialog gives its full path.
    ui.openFileAnswers.push_back(here.path() + "\\setup.exe");
    addPackItems(b, ui);
    ASSERT_EQ(b.packItems.size(), 4u);
    EXPECT_EQ(b.packItems[3], folder + "setup.exe");
    EXPECT_TRUE(ui.folderPrompts.empty());
}

TEST(T13BuilderItems, CancelOrAFailedSplitAddsNothing) {
    SelectionFolder here("tolvane-t13items");
    T13Builder b;
    FakeUserInterface ui;
    b.addKind = PackItemKind::Files;
    addPackItems(b, ui);  // cancelled
    EXPECT_TRUE(ui.messages.empty());

    platform::setCurrentDirectory(here.path());
    ui.openFileAnswers.push_back(std::string("x"));
    addPackItems(b, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, shell::builtInText(shell::MessageKey::DlgFileInfoError));
    EXPECT_TRUE(b.packItems.empty());
}

TEST(T13BuilderRunCommands, TheTypedCommandGoesInAsItStandsEvenEmpty) {
    T13Builder b;
    FakeUserInterface ui;
    b.runCommandText = "setup.exe /S";
    addRunCommand(b, ui);
    EXPECT_TRUE(b.runCommandText.empty());
    addRunCommand(b, ui);
    b.runCommandText = " \"C:\\new\\tool.exe\" /q";
    addRunCommand(b, ui);
    EXPECT_EQ(b.runCommands, (std::vector<std::string>{"setup.exe /S", "", " \"C:\\new\\tool.exe\" /q"}));
}

TEST(T13BuilderDelete, TheItemListGoesFirstAndOnePressRemovesOneEntry) {
    T13Builder b;
    FakeUserInterface ui;
    b.packItems = {"D:\\a.exe", "D:\\b.exe"};
    b.runCommands = {"a.exe", "b.exe"};
    deleteT13Entry(b, ui, std::nullopt, std::nullopt);
    deleteT13Entry(b, ui, 5, std::nullopt);
    EXPECT_EQ(b.packItems.size() + b.runCommands.size(), 4u) << "nothing selected, or past the end: nothing";

    deleteT13Entry(b, ui, 1, 0);  // both lists selected
    EXPECT_EQ(b.packItems, (std::vector<std::string>{"D:\\a.exe"}));
    EXPECT_EQ(b.runCommands, (std::vector<std::string>{"a.exe", "b.exe"}));
    // The List1 entry is gone, so the second press finds only List2's selection.
    deleteT13Entry(b, ui, std::nullopt, 0);
    EXPECT_EQ(b.packItems, (std::vector<std::string>{"D:\\a.exe"}));
    EXPECT_EQ(b.runCommands, (std::vector<std::string>{"b.exe"}));
}

TEST(T13BuilderGenerate, RefusesWithTheSharedOutcomeAndKeepsTheRecord) {
    T13Builder b;
    FakeUserInterface ui;
    NoCommandRunner runner;
    b.versionText = "1.0";
    b.packItems = {"D:\\a.exe"};
    EXPECT_EQ(GenerateT13Addon(b, ui, runner, "?"), shell::GenerateOutcome::Refused);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, shell::builtInText(shell::MessageKey::T13NoName));
    EXPECT_EQ(b.packItems.size(), 1u);
}
