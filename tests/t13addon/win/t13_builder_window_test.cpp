// The T13 builder window Form4 under Wine, driven by window messages: its
// controls and captions in each language, adding files, folders and run
// commands, Delete, Back, Exit and the close confirmation, and Generate
// with the stand-in 7z, down to the bytes of the package it makes.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>

#include "platform/code_page.h"
#include "shell/message_keys.h"
#include "platform/file_system.h"
#include "shell/win/res/start_window_res.h"
#include "t13addon/win/t13_builder_res.h"
#include "tests/shell/win/program_fixture.h"
#include "tests/support/selection_folder.h"
#include "tests/t13addon/fake_archive.h"
#include "tests/t13addon/t13_fixture.h"

namespace windowtest {
namespace {

class T13BuilderWindowTest : public ProgramFixture {
protected:
    std::string inRoot(const std::string& name) const { return platform::joinPath(root_, name); }
};

// Captions of every control: built in, with English loaded, with Chinese loaded.
struct Caption {
    int id;
    const char* builtIn;
    const char* english;
    const char* chinese;
};
const Caption kCaptions[] = {
    {IDC_FORM4_FRAME1, "软件信息", "Software", "软件信息"},
    {IDC_FORM4_LABEL1, "软件名:", "Name", "软件名"},
    {IDC_FORM4_LABEL2, "版本号:", "Version", "版本"},
    {IDC_FORM4_LABEL3, "解压路径:", "Extract to:", "解压路径:"},
    {IDC_FORM4_LABEL5, "运行命令:", "Arguments", "运行参数"},
    {IDC_FORM4_COMMAND6, "添加", "Add", "添加"},
    {IDC_FORM4_FRAME2, "要添加的程序", "Source folders", "软件源路径"},
    {IDC_FORM4_FRAME3, "运行参数", "Arguments", "运行参数"},
    {IDC_FORM4_FRAME4, "", "", ""},
    {IDC_FORM4_OPTION1, "NLITE", "NLITE", "NLITE"},
    {IDC_FORM4_OPTION2, "RVMI", "RVMI", "RVMI"},
    {IDC_FORM4_FRAME5, "", "", ""},
    {IDC_FORM4_OPTION3, "不压缩", "Store only", "不压缩"},
    {IDC_FORM4_OPTION4, "高压缩", "Maximum", "高压缩"},
    {IDC_FORM4_FRAME6, "", "", ""},
    {IDC_FORM4_OPTION5, "文件", "Files", "文件"},
    {IDC_FORM4_OPTION6, "目录", "Folder", "目录"},
    {IDC_FORM4_COMMAND1, "生成", "Generate", "生成"},
    {IDC_FORM4_COMMAND2, "添加", "Add", "添加"},
    {IDC_FORM4_COMMAND4, "删除", "Delete", "删除"},
    {IDC_FORM4_COMMAND5, "返回", "Back", "返回"},
    {IDC_FORM4_COMMAND3, "退出", "Exit", "退出"},
    {IDC_FORM4_TEXT1, "", "", ""},
    {IDC_FORM4_TEXT2, "", "", ""},
    {IDC_FORM4_TEXT3, "", "", ""},
    {IDC_FORM4_TEXT5, "", "", ""},
};

TEST_F(T13BuilderWindowTest, EveryControlWithItsCaptionInEachLanguage) {
    struct Run {
        const char* language;
        const char* title;
        const char* Caption::*caption;
    };
    for (const Run& run : {Run{"Klingon", "Time 13 整合包生成", &Caption::builtIn},
                           Run{"English", "NLITETolvaneV3.3--T-13 package builder", &Caption::english},
                           Run{"Chinese", "NLITETolvaneV3.3--Time 13 整合包生成", &Caption::chinese}}) {
        SCOPED_TRACE(run.language);
        HWND form4 = openT13Builder(run.language);
        ASSERT_TRUE(isShown(form4));
        EXPECT_EQ(textOf(form4), run.title);
        for (const Caption& caption : kCaptions) {
            ASSERT_NE(control(form4, caption.id), nullptr) << caption.id;
            EXPECT_TRUE(isShown(control(form4, caption.id))) << caption.id;
            EXPECT_EQ(itemText(form4, caption.id), caption.*run.caption) << caption.id;
        }
        for (int list : {IDC_FORM4_LIST1, IDC_FORM4_LIST2}) {
            ASSERT_NE(control(form4, list), nullptr);
            EXPECT_TRUE(listItems(form4, list).empty());
        }
        // The start values of the three option groups.
        EXPECT_TRUE(isChecked(form4, IDC_FORM4_OPTION1));
        EXPECT_FALSE(isChecked(form4, IDC_FORM4_OPTION2));
        EXPECT_FALSE(isChecked(form4, IDC_FORM4_OPTION3));
        EXPECT_TRUE(isChecked(form4, IDC_FORM4_OPTION4));
        EXPECT_FALSE(isChecked(form4, IDC_FORM4_OPTION5));
        EXPECT_TRUE(isChecked(form4, IDC_FORM4_OPTION6));
        endProgram();
    }
}

TEST_F(T13BuilderWindowTest, FoldersGoInWithBackslashStarAndCancelAddsNothing) {
    HWND form4 = openT13Builder("English");
    ui_->folderAnswers = {"D:\\soft\\app", "D:\\", ""};
    click(form4, IDC_FORM4_COMMAND2);
    click(form4, IDC_FORM4_COMMAND2);
    click(form4, IDC_FORM4_COMMAND2);
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST1), (std::vector<std::string>{"D:\\soft\\app\\*", "D:\\\\*"}));
    EXPECT_EQ(ui_->folderPrompts, (std::vector<std::string>(3, "请选择文件夹")));
    EXPECT_TRUE(ui_->openRequests.empty());
    EXPECT_TRUE(ui_->messages.empty());
}

TEST_F(T13BuilderWindowTest, FilesGoInWithTheirFolderInTheSelectionsOrder) {
    HWND form4 = openT13Builder("English");
    click(form4, IDC_FORM4_OPTION5);
    ASSERT_TRUE(isChecked(form4, IDC_FORM4_OPTION5));
    EXPECT_FALSE(isChecked(form4, IDC_FORM4_OPTION6));

    testsupport::SelectionFolder here("tolvane-form4");
    ui_->openFileAnswers.push_back(here.several({"a.exe", "b.dll", "c.ini"}));
    click(form4, IDC_FORM4_COMMAND2);
    ASSERT_EQ(ui_->openRequests.size(), 1u);
    EXPECT_EQ(ui_->openRequests[0].title, "选择文件");
    EXPECT_EQ(ui_->openRequests[0].filter, "所有类型的文件(*.*)|*.*");
    EXPECT_EQ(ui_->openRequests[0].flags, 524804u);
    EXPECT_TRUE(ui_->openRequests[0].multiSelect);
    const std::string folder = here.folderAsSplit();
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST1),
              (std::vector<std::string>{folder + "a.exe", folder + "b.dll", folder + "c.ini"}));

    // One file: the dialog gives its full path. Cancel adds nothing.
    const std::string longName = "a rather long installer name that needs the list to scroll sideways.exe";
    ui_->openFileAnswers.push_back(platform::joinPath(here.path(), longName));
    ui_->openFileAnswers.push_back(std::nullopt);
    click(form4, IDC_FORM4_COMMAND2);
    click(form4, IDC_FORM4_COMMAND2);
    const std::vector<std::string> items = listItems(form4, IDC_FORM4_LIST1);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[3], platform::joinPath(here.path(), longName));
    EXPECT_TRUE(ui_->messages.empty());

    // The longest line can be scrolled into view.
    const win32::ListBox list(control(form4, IDC_FORM4_LIST1));
    EXPECT_GE(list.horizontalExtent(), 500);
    EXPECT_GT(list.horizontalExtent(), list.textWidth(items[3]));
    // The file choice stays for the next add.
    EXPECT_TRUE(isChecked(form4, IDC_FORM4_OPTION5));
}

TEST_F(T13BuilderWindowTest, RunCommandsGoInAsTypedAnEmptyOneToo) {
    HWND form4 = openT13Builder("English");
    typeText(form4, IDC_FORM4_TEXT5, "setup.exe /S");
    click(form4, IDC_FORM4_COMMAND6);
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT5), "");
    click(form4, IDC_FORM4_COMMAND6);
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST2), (std::vector<std::string>{"setup.exe /S", ""}));
    const win32::ListBox list(control(form4, IDC_FORM4_LIST2));
    EXPECT_GE(list.horizontalExtent(), 150);
}

TEST_F(T13BuilderWindowTest, DeleteTakesTheItemListsEntryFirstAndOneEntryAPress) {
    HWND form4 = openT13Builder("English");
    ui_->folderAnswers = {"D:\\one", "D:\\two"};
    click(form4, IDC_FORM4_COMMAND2);
    click(form4, IDC_FORM4_COMMAND2);
    for (const char* command : {"first.exe", "second.exe"}) {
        typeText(form4, IDC_FORM4_TEXT5, command);
        click(form4, IDC_FORM4_COMMAND6);
    }

    // Nothing selected: nothing happens.
    click(form4, IDC_FORM4_COMMAND4);
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST1).size(), 2u);
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST2).size(), 2u);

    pickListItem(form4, IDC_FORM4_LIST1, 0);
    pickListItem(form4, IDC_FORM4_LIST2, 1);
    click(form4, IDC_FORM4_COMMAND4);
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST1), (std::vector<std::string>{"D:\\two\\*"}));
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST2), (std::vector<std::string>{"first.exe", "second.exe"}));
    click(form4, IDC_FORM4_COMMAND4);
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST1), (std::vector<std::string>{"D:\\two\\*"}));
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST2), (std::vector<std::string>{"first.exe"}));
    click(form4, IDC_FORM4_COMMAND4);
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST2), (std::vector<std::string>{"first.exe"}));
    EXPECT_TRUE(ui_->messages.empty());
}

TEST_F(T13BuilderWindowTest, BackKeepsEverythingExitNeverAsksClosingAlwaysAsks) {
    HWND form4 = openT13Builder("Klingon");
    typeText(form4, IDC_FORM4_TEXT1, "MyApp");
    typeText(form4, IDC_FORM4_TEXT5, "half typed");
    click(form4, IDC_FORM4_OPTION2);
    click(form4, IDC_FORM4_OPTION3);
    ui_->folderAnswers = {"D:\\soft"};
    click(form4, IDC_FORM4_COMMAND2);

    click(form4, IDC_FORM4_COMMAND5);
    EXPECT_FALSE(isShown(form4));
    EXPECT_TRUE(isShown(startWindow()));
    click(startWindow(), IDC_FORMMAN_COMMAND1);
    ASSERT_EQ(t13Builder(), form4) << "the window is made once";
    EXPECT_TRUE(isShown(form4));
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT1), "MyApp");
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT5), "half typed");
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST1), (std::vector<std::string>{"D:\\soft\\*"}));
    EXPECT_TRUE(isChecked(form4, IDC_FORM4_OPTION2));
    EXPECT_TRUE(isChecked(form4, IDC_FORM4_OPTION3));
    EXPECT_FALSE(isChecked(form4, IDC_FORM4_OPTION4));

    // No language loaded: the close text falls back to the built-in "退出".
    ui_->okCancelAnswers = {false, false};
    closeFromTitleBar(form4);
    closeFromTitleBar(form4);
    ASSERT_EQ(ui_->confirmations.size(), 2u);
    EXPECT_EQ(ui_->confirmations[0].text, "退出？");
    EXPECT_EQ(ui_->confirmations[0].title, "NLITETolvaneV3.3");
    EXPECT_TRUE(isShown(form4));
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT1), "MyApp");
    EXPECT_FALSE(exitStatus_);

    click(form4, IDC_FORM4_COMMAND3);
    EXPECT_EQ(ui_->confirmations.size(), 2u) << "Exit asks nothing";
    ASSERT_TRUE(exitStatus_);
    EXPECT_EQ(*exitStatus_, 0);
    EXPECT_FALSE(isShown(form4));
}

TEST_F(T13BuilderWindowTest, ClosingWithOkEndsTheProgram) {
    HWND form4 = openT13Builder("English");
    ui_->okCancelAnswers = {true};
    closeFromTitleBar(form4);
    ASSERT_EQ(ui_->confirmations.size(), 1u);
    EXPECT_EQ(ui_->confirmations[0].text, "Exit？");
    ASSERT_TRUE(exitStatus_);
}

TEST_F(T13BuilderWindowTest, GenerateRefusesWithTheCommandsMessagesAndChangesNothing) {
    HWND form4 = openT13Builder("English");
    click(form4, IDC_FORM4_COMMAND1);
    typeText(form4, IDC_FORM4_TEXT1, "MyApp");
    click(form4, IDC_FORM4_COMMAND1);
    typeText(form4, IDC_FORM4_TEXT2, "1.0");
    click(form4, IDC_FORM4_COMMAND1);
    ASSERT_EQ(ui_->messages.size(), 3u);
    EXPECT_EQ(ui_->messages[0].text, shell::builtInText(shell::MessageKey::T13NoName));
    EXPECT_EQ(ui_->messages[1].text, shell::builtInText(shell::MessageKey::T13NoVersion));
    EXPECT_EQ(ui_->messages[2].text, shell::builtInText(shell::MessageKey::T13NoItems));

    // Without the self-extractor module, then without 7z: messages that say
    // what to put where.
    ui_->folderAnswers = {"D:\\soft"};
    click(form4, IDC_FORM4_COMMAND2);
    click(form4, IDC_FORM4_COMMAND1);
    ASSERT_EQ(ui_->messages.size(), 4u);
    EXPECT_NE(ui_->messages[3].text.find("7zs.sfx"), std::string::npos) << ui_->messages[3].text;
    platform::writeFileAtomic(platform::joinPath(root_, "7zs.sfx"), t13test::standInSfxModule());
    click(form4, IDC_FORM4_COMMAND1);
    ASSERT_EQ(ui_->messages.size(), 5u);
    EXPECT_NE(ui_->messages[4].text.find("7z.exe"), std::string::npos) << ui_->messages[4].text;

    EXPECT_TRUE(ui_->saveRequests.empty());
    EXPECT_EQ(ui_->busyBegins, 0);
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT1), "MyApp");
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT2), "1.0");
    EXPECT_EQ(listItems(form4, IDC_FORM4_LIST1), (std::vector<std::string>{"D:\\soft\\*"}));
}

// Generate with the stand-in 7z beside the program; the batch file runs
// through the system's cmd.exe.
class T13GenerateFromWindow : public T13BuilderWindowTest {
protected:
    void SetUp() override {
        T13BuilderWindowTest::SetUp();
        if (IsSkipped()) return;
        platform::writeFileAtomic(platform::joinPath(root_, "7zs.sfx"), t13test::standInSfxModule());
        platform::copyFile(platform::joinPath(TOLVANE_BIN_DIR, "t13_test_fake_7z.exe"),
                           platform::joinPath(root_, "7z.exe"));
        platform::createFolders(inRoot("软件\\app\\doc"));
        platform::writeFileAtomic(inRoot("软件\\setup.exe"), "setup program bytes");
        platform::writeFileAtomic(inRoot("软件\\app\\app.exe"), std::string(5000, 'a'));
        platform::writeFileAtomic(inRoot("软件\\app\\doc\\说明.txt"), "readme");
        platform::createFolder(inRoot("out"));
    }
    void TearDown() override {
        // The work folder is removed by a command Generate does not wait for.
        for (int i = 0; i < 200 && platform::folderExists(inRoot("SVCPACK")); ++i) {
            pumpMessages();
            ::Sleep(50);
        }
        T13BuilderWindowTest::TearDown();
    }
};

TEST_F(T13GenerateFromWindow, MakesThePackageAndEmptiesTheFieldsAndLists) {
    HWND form4 = openT13Builder("English");
    typeText(form4, IDC_FORM4_TEXT1, "MyApp");
    typeText(form4, IDC_FORM4_TEXT2, "1.0");
    typeText(form4, IDC_FORM4_TEXT3, "%ProgramFiles%\\MyApp");
    click(form4, IDC_FORM4_OPTION5);
    ui_->openFileAnswers.push_back(inRoot("软件\\setup.exe"));
    click(form4, IDC_FORM4_COMMAND2);
    click(form4, IDC_FORM4_OPTION6);
    ui_->folderAnswers = {inRoot("软件\\app")};
    click(form4, IDC_FORM4_COMMAND2);
    typeText(form4, IDC_FORM4_TEXT5, "setup.exe /S");
    click(form4, IDC_FORM4_COMMAND6);
    click(form4, IDC_FORM4_OPTION2);
    click(form4, IDC_FORM4_OPTION3);
    typeText(form4, IDC_FORM4_TEXT5, "kept");

    const std::string output = inRoot("out\\MyApp_1.0_Addon.7z");
    ui_->saveFileAnswers.push_back(output);
    bool disabledWhileRunning = false;
    bool busyShownWhileRunning = false;
    ui_->onPump = [&] {
        if (!isEnabled(form4)) disabledWhileRunning = true;
        if (isShown(ui_->real().busyWindow())) busyShownWhileRunning = true;
    };
    click(form4, IDC_FORM4_COMMAND1);
    ui_->onPump = nullptr;

    ASSERT_EQ(ui_->saveRequests.size(), 1u);
    EXPECT_EQ(ui_->saveRequests[0].initialName, "MyApp_1.0_Addon.7z");
    EXPECT_EQ(ui_->saveRequests[0].filter, "整合包 (*.7z)|*.7z|");
    ASSERT_FALSE(ui_->messages.empty());
    EXPECT_EQ(ui_->messages.back().text, shell::builtInText(shell::MessageKey::T13Success));
    EXPECT_EQ(ui_->messages.back().title, shell::builtInText(shell::MessageKey::T13SuccessTitle));
    EXPECT_TRUE(disabledWhileRunning);
    EXPECT_TRUE(busyShownWhileRunning);
    EXPECT_TRUE(isEnabled(form4));
    EXPECT_FALSE(isShown(ui_->real().busyWindow()));

    // The package: the installer stored, the entries file compressed.
    const std::vector<t13test::FakeEntry> package = t13test::readFakeArchive(platform::readFile(output));
    ASSERT_EQ(package.size(), 2u);
    EXPECT_EQ(package[0].name, "SVCPACK\\MyApp.exe");
    EXPECT_EQ(package[0].level, "-mx0");
    EXPECT_EQ(package[1].name, "Entries.ini");
    EXPECT_EQ(package[1].level, "-mx9");
    EXPECT_EQ(package[1].bytes,
              platform::encodeAnsi("[general]\r\nbuilddate=" + platform::todayShortDate() +
                                   "\r\ndescription=MyApp 整合包\r\ntitle=MyApp\r\nversion=1.0\r\n\r\n\r\n"
                                   "[EditFile]\r\nI386\\SVCPACK.INF,SetupHotfixesToRun,AddProgram\r\n\r\n\r\n"
                                   "[AddProgram]\r\nMyApp.exe\r\n"));
    // copy /b: the module, the UTF-8 configuration, then the items, stored.
    const std::string installer = package[0].bytes;
    const std::string module = t13test::standInSfxModule();
    const std::string config =
        "\xEF\xBB\xBF;!@Install@!UTF-8!\r\nInstallPath=\"%ProgramFiles%\\\\MyApp\"\r\nGUIMode=\"1\"\r\n"
        "RunProgram =\"setup.exe /S\"\r\n"
        "ExtractPathText=\"程序正在解压安装中...\"\r\nExtractPathTitle=\"程序正在解压安装中...\"\r\n"
        "ExtractTitle=\"程序正在解压安装中...\"\r\nGUIFlags =\"63\"\r\n;!@InstallEnd@!\r\n";
    ASSERT_GT(installer.size(), module.size() + config.size());
    EXPECT_EQ(installer.substr(0, module.size()), module);
    EXPECT_EQ(installer.substr(module.size(), config.size()), config);
    const std::vector<t13test::FakeEntry> items =
        t13test::readFakeArchive(installer.substr(module.size() + config.size()));
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].name, "setup.exe");
    EXPECT_EQ(items[0].bytes, "setup program bytes");
    EXPECT_EQ(items[1].name, "app.exe");
    EXPECT_EQ(items[2].name, "doc\\说明.txt");
    for (const auto& item : items) EXPECT_EQ(item.level, "-mx0");

    // The window afterwards: fields and lists empty, the run command being
    // typed and the options as they were.
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT1), "");
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT2), "");
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT3), "");
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT5), "kept");
    EXPECT_TRUE(listItems(form4, IDC_FORM4_LIST1).empty());
    EXPECT_TRUE(listItems(form4, IDC_FORM4_LIST2).empty());
    EXPECT_TRUE(isChecked(form4, IDC_FORM4_OPTION2));
    EXPECT_TRUE(isChecked(form4, IDC_FORM4_OPTION3));
    EXPECT_TRUE(isChecked(form4, IDC_FORM4_OPTION6));
}

TEST_F(T13GenerateFromWindow, AnExistingPackageIsReplacedOnlyAfterYes) {
    HWND form4 = openT13Builder("English");
    typeText(form4, IDC_FORM4_TEXT1, "MyApp");
    typeText(form4, IDC_FORM4_TEXT2, "1.0");
    ui_->folderAnswers = {inRoot("软件\\app")};
    click(form4, IDC_FORM4_COMMAND2);
    const std::string output = inRoot("out\\MyApp_1.0_Addon.7z");
    platform::writeFileAtomic(output, "old package");

    ui_->saveFileAnswers = {output, output};
    ui_->yesNoAnswers = {false, true};
    click(form4, IDC_FORM4_COMMAND1);
    EXPECT_EQ(ui_->questions, (std::vector<std::string>{"The file already exists. Replace it?"}));
    EXPECT_EQ(platform::readFile(output), "old package");
    EXPECT_EQ(ui_->busyBegins, 0);
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT1), "MyApp");

    click(form4, IDC_FORM4_COMMAND1);
    EXPECT_EQ(ui_->questions.size(), 2u);
    EXPECT_EQ(ui_->messages.back().text, shell::builtInText(shell::MessageKey::T13Success));
    const std::vector<t13test::FakeEntry> package = t13test::readFakeArchive(platform::readFile(output));
    ASSERT_EQ(package.size(), 2u);
    EXPECT_EQ(package[0].name, "SVCPACK\\MyApp.exe");
    EXPECT_EQ(itemText(form4, IDC_FORM4_TEXT1), "");
}

}  // namespace
}  // namespace windowtest
