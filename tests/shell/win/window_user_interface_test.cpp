// The Win32 user interface the commands talk through: real message boxes
// and file dialogs, answered by the harness from inside their own loops.
#include <gtest/gtest.h>

#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <objbase.h>

#include "platform/file_system.h"
#include "platform/win32/wide.h"
#include "shell/win/window_user_interface.h"
#include "test_window.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/win/window_harness.h"

namespace windowtest {
namespace {

// A literal with its inner NULs, without the one that ends it.
template <std::size_t N>
std::string bytesOf(const char (&text)[N]) { return std::string(text, N - 1); }

struct SeenBox {
    bool seen = false;
    std::string title;
    std::string text;
    HWND owner = nullptr;
    bool icon = false;
};

class WindowUserInterfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.create();
        window.showWindow();
        ui.setBuilderWindow(window.handle());
    }

    // Answers the next message box with `button` and notes what it showed.
    void answerBox(int button) {
        answerNextDialog([this, button](HWND box) {
            seen.seen = true;
            seen.title = textOf(box);
            seen.text = messageBoxText(box);
            seen.owner = ::GetWindow(box, GW_OWNER);
            seen.icon = messageBoxHasIcon(box);
            answerWith(box, button);
        });
    }

    shell::LanguageState language;
    shell::win::WindowUserInterface ui{language};
    testsupport::FakeUserInterface guardUi;
    TestWindow window{guardUi};
    SeenBox seen;
};

TEST_F(WindowUserInterfaceTest, MessagesShowTheApplicationTitleUnlessTheyNameOneAndTheIconAskedFor) {
    answerBox(IDOK);
    ui.showMessage("恭喜！整合包生成成功！", {}, shell::MessageIcon::None);
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, "Tolvane");
    EXPECT_EQ(seen.text, "恭喜！整合包生成成功！");
    EXPECT_EQ(seen.owner, window.handle());
    EXPECT_FALSE(seen.icon);

    seen = {};
    answerBox(IDOK);
    ui.showMessage("GetDlgFileInfo函数执行错误！", "自定义函数错误", shell::MessageIcon::Stop);
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.title, "自定义函数错误");
    EXPECT_TRUE(seen.icon);
}

TEST_F(WindowUserInterfaceTest, QuestionsAreTrueOnlyForYesAndForOk) {
    answerBox(IDYES);
    EXPECT_TRUE(ui.askYesNo("文件已存在，是否覆盖？", {}));
    EXPECT_EQ(seen.title, "Tolvane");
    EXPECT_EQ(seen.text, "文件已存在，是否覆盖？");
    answerBox(IDNO);
    EXPECT_FALSE(ui.askYesNo("Replace it?", {}));

    answerBox(IDOK);
    EXPECT_TRUE(ui.askOkCancel("退出？", "NLITETolvaneV3.3"));
    EXPECT_EQ(seen.title, "NLITETolvaneV3.3");
    answerBox(IDCANCEL);
    EXPECT_FALSE(ui.askOkCancel("退出？", "NLITETolvaneV3.3"));
}

bool showsText(HWND dialog, const std::string& wanted) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (textOf(child) == wanted) return true;
    return false;
}

TEST_F(WindowUserInterfaceTest, TheFolderBrowserShowsItsPromptAndCancelGivesNoFolder) {
    bool prompted = false;
    HWND owner = nullptr;
    answerNextDialog([&](HWND browser) {
        prompted = showsText(browser, "选择要添加的文件夹");
        owner = ::GetWindow(browser, GW_OWNER);
        answerWith(browser, IDCANCEL);
    });
    EXPECT_EQ(ui.browseForFolder("选择要添加的文件夹"), "");
    EXPECT_TRUE(prompted);
    EXPECT_EQ(owner, window.handle());
    // COM was set up for the browser and let go again afterwards.
    const HRESULT again = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EXPECT_EQ(again, S_OK);
    if (SUCCEEDED(again)) ::CoUninitialize();
}

class FileDialogTest : public WindowUserInterfaceTest {
protected:
    void SetUp() override {
        WindowUserInterfaceTest::SetUp();
        folder = platform::makeTemporaryFolder("tolvane-dialog");
        before = platform::currentDirectory();
        for (const char* name : {"a.exe", "软件.dll"}) platform::writeFileAtomic(platform::joinPath(folder, name), "x");
    }
    void TearDown() override {
        platform::setCurrentDirectory(before);
        platform::removeFolderTree(folder);
    }

    // Types `name` into the dialog's file name box and presses OK (or
    // Cancel), noting the dialog's title and its filter list.
    void answerFileDialog(const std::string& name, int button = IDOK) {
        answerNextDialog([this, name, button](HWND dialog) {
            dialogTitle = textOf(dialog);
            filters = comboItems(dialog, cmb1);
            HWND nameBox = ::GetDlgItem(dialog, cmb13) ? ::GetDlgItem(dialog, cmb13) : ::GetDlgItem(dialog, edt1);
            ::SetWindowTextW(nameBox, platform::wide(name).c_str());
            answerWith(dialog, button);
        });
    }

    std::string folder;
    std::string before;
    std::string dialogTitle;
    std::vector<std::string> filters;
};

TEST_F(FileDialogTest, OpenGivesTheFullPathAndShowsTheFiltersAndTitle) {
    shell::FileDialogRequest request;
    request.filter = "注册表文件 (*.reg)|*.reg|所有文件 (*.*)|*.*|";
    request.filterIndex = 2;
    answerFileDialog(platform::joinPath(folder, "a.exe"));
    const auto chosen = ui.chooseOpenFile(request);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(platform::baseName(*chosen), "a.exe");
    EXPECT_EQ(filters, (std::vector<std::string>{"注册表文件 (*.reg)", "所有文件 (*.*)"}));
}

TEST_F(FileDialogTest, SeveralFilesComeAsTheFolderAndTheNamesAfterNuls) {
    shell::FileDialogRequest request;
    request.title = "选择文件";
    request.filter = "所有类型的文件(*.*)|*.*";
    request.multiSelect = true;
    platform::setCurrentDirectory(folder);
    answerFileDialog("\"a.exe\" \"软件.dll\"");
    const auto chosen = ui.chooseOpenFile(request);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(dialogTitle, "选择文件");
    const std::size_t firstNul = chosen->find('\0');
    ASSERT_NE(firstNul, std::string::npos) << *chosen;
    EXPECT_EQ(platform::nameOnDisk(chosen->substr(0, firstNul)), platform::baseName(folder));
    EXPECT_EQ(chosen->substr(firstNul), bytesOf("\0a.exe\0软件.dll"));
}

TEST_F(FileDialogTest, CancelGivesNothingAndSaveGivesThePathTyped) {
    shell::FileDialogRequest request;
    request.filter = "整合包 (*.cab)|*.cab|";
    answerFileDialog("ignored.cab", IDCANCEL);
    EXPECT_FALSE(ui.chooseSaveFile(request));

    request.initialName = "App_1.0_Addon.cab";
    const std::string target = platform::joinPath(folder, "App_1.0_Addon.cab");
    answerFileDialog(target);
    const auto chosen = ui.chooseSaveFile(request);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(platform::baseName(*chosen), "App_1.0_Addon.cab");
    EXPECT_EQ(filters, (std::vector<std::string>{"整合包 (*.cab)"}));
}

}  // namespace
}  // namespace windowtest
