// Splitting the open-file dialog's selection into a folder and names.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/dlg_file_info.h"
#include "tests/support/fake_user_interface.h"

using namespace shell;

TEST(DlgFileInfo, OneFileInAFolder) {
    const DlgFileInfo info = splitFileSelection("C:\\Tools\\setup.exe", "C:\\Tools");
    EXPECT_EQ(info.count, 1);
    EXPECT_EQ(info.folder, "C:\\Tools\\");
    EXPECT_EQ(info.names, (std::vector<std::string>{"", "setup.exe"}));
}

TEST(DlgFileInfo, OneFileInADriveRoot) {
    const DlgFileInfo info = splitFileSelection("C:\\setup.exe", "C:\\");
    EXPECT_EQ(info.count, 1);
    EXPECT_EQ(info.folder, "C:\\");
    EXPECT_EQ(info.names, (std::vector<std::string>{"", "setup.exe"}));
}

TEST(DlgFileInfo, SeveralFilesInSelectionOrder) {
    const DlgFileInfo info = splitFileSelection(std::string("C:\\Tools\0a.exe\0b.dll", 20), "C:\\Tools");
    EXPECT_EQ(info.count, 2);
    EXPECT_EQ(info.folder, "C:\\Tools\\");
    EXPECT_EQ(info.names, (std::vector<std::string>{"", "a.exe", "b.dll"}));
}

TEST(DlgFileInfo, SeveralFilesInADriveRootWithChineseNames) {
    const std::string selection = std::string("D:\\", 3) + '\0' + "安装.exe" + '\0' + "z.ini" + '\0' + "说明.txt";
    const DlgFileInfo info = splitFileSelection(selection, "D:\\");
    EXPECT_EQ(info.count, 3);
    EXPECT_EQ(info.folder, "D:\\");
    EXPECT_EQ(info.names, (std::vector<std::string>{"", "安装.exe", "z.ini", "说明.txt"}));
}

TEST(DlgFileInfo, PosixFolders) {
    DlgFileInfo info = splitFileSelection("/tmp/x/a.exe", "/tmp/x");
    EXPECT_EQ(info.folder, "/tmp/x\\");
    EXPECT_EQ(info.names, (std::vector<std::string>{"", "a.exe"}));
    info = splitFileSelection("/a.exe", "/");
    EXPECT_EQ(info.folder, "/");
    EXPECT_EQ(info.names, (std::vector<std::string>{"", "a.exe"}));
}

TEST(DlgFileInfo, ASelectionShorterThanTheFolderCannotBeSplit) {
    EXPECT_THROW(splitFileSelection("C:\\a", "C:\\Tools\\Deeper"), platform::Error);
}

TEST(DlgFileInfo, FailureShowsTheMessageAndGivesTheEmptyResult) {
    testsupport::FakeUserInterface ui;
    const DlgFileInfo info = GetDlgFileInfo("", ui);  // shorter than any current directory
    EXPECT_EQ(info.count, 0);
    EXPECT_EQ(info.folder, "");
    EXPECT_EQ(info.names, (std::vector<std::string>{""}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "GetDlgFileInfo函数执行错误！");
    EXPECT_EQ(ui.messages[0].title, "自定义函数错误");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Stop);
}

TEST(DlgFileInfo, ReadsTheCurrentDirectory) {
    testsupport::FakeUserInterface ui;
    const std::string folder = platform::makeTemporaryFolder("tolvane-dlg");
    const std::string before = platform::currentDirectory();
    platform::setCurrentDirectory(folder);
    const std::string here = platform::currentDirectory();
    const DlgFileInfo info = GetDlgFileInfo(here + '\0' + "one.txt" + '\0' + "two.txt", ui);
    platform::setCurrentDirectory(before);
    platform::removeFolderTree(folder);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(info.count, 2);
    EXPECT_EQ(info.folder, here + "\\");
    EXPECT_EQ(info.names, (std::vector<std::string>{"", "one.txt", "two.txt"}));
}
