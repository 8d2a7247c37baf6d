// The busy bracket around a command that runs a real program, and the busy
// window's texts and missing Close command.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/file_system.h"
#include "platform/process.h"
#include "shell/tool_runner.h"
#include "shell/win/busy_window.h"
#include "shell/win/res/busy_window_res.h"
#include "shell/win/window_user_interface.h"
#include "test_window.h"
#include "tests/support/win/recording_user_interface.h"
#include "tests/support/win/window_harness.h"

namespace windowtest {
namespace {

shell::LanguageState languageWithRunTitle(const std::string& runTitle) {
    shell::LanguageState language;
    language.languageLoaded = true;
    language.uiStrings.set(shell::UiKey::MainRunTitle, runTitle);
    return language;
}

std::string slowTool(int milliseconds) {
    return platform::quoteArgument(platform::joinPath(platform::executableFolder(), "shell_test_tool_slow.exe")) +
           " " + std::to_string(milliseconds);
}

TEST(BusyBracket, DisablesTheWindowAndShowsTheBusyWindowWhileARealToolRuns) {
    const shell::LanguageState language = languageWithRunTitle("Working, please wait....");
    shell::win::WindowUserInterface real(language);
    RecordingUserInterface ui(real);
    TestWindow window(ui);
    window.create();
    window.showWindow();
    real.setBuilderWindow(window.handle());

    std::vector<bool> windowEnabled, busyShown;
    ui.onPump = [&] {
        windowEnabled.push_back(isEnabled(window.handle()));
        busyShown.push_back(isShown(real.busyWindow()));
    };
    window.command = [&] {
        shell::BusyBracket busy(ui);
        shell::ToolRunner runner(ui);
        platform::ChildProcess tool = runner.start(slowTool(1500), platform::kHidden);
        runner.waitForExit(tool);
    };

    // Two clicks queued: the first runs the command, the second reaches the
    // window while the tool runs and must do nothing.
    postClick(window.handle(), IDC_TEST_RUN);
    postClick(window.handle(), IDC_TEST_RUN);
    pumpMessages();
    pumpMessages();

    EXPECT_EQ(window.runs, 1);
    EXPECT_EQ(ui.busyBegins, 1);
    ASSERT_FALSE(windowEnabled.empty()) << "the wait never pumped events";
    EXPECT_TRUE(std::none_of(windowEnabled.begin(), windowEnabled.end(), [](bool b) { return b; }));
    EXPECT_TRUE(std::all_of(busyShown.begin(), busyShown.end(), [](bool b) { return b; }));
    // Afterwards: the window enabled again, the busy window hidden but kept.
    EXPECT_TRUE(isEnabled(window.handle()));
    ASSERT_NE(real.busyWindow(), nullptr);
    EXPECT_FALSE(isShown(real.busyWindow()));
    EXPECT_EQ(::GetWindow(real.busyWindow(), GW_OWNER), nullptr);
}

TEST(BusyBracket, ACommandThatFailsStillEndsTheBracketAndTellsTheUser) {
    const shell::LanguageState language;
    shell::win::WindowUserInterface real(language);
    RecordingUserInterface ui(real);
    TestWindow window(ui);
    window.create();
    window.showWindow();
    real.setBuilderWindow(window.handle());
    window.command = [&] {
        shell::BusyBracket busy(ui);
        shell::ToolRunner runner(ui);
        runner.start("no-such-program-anywhere.exe", platform::kHidden);
    };
    click(window.handle(), IDC_TEST_RUN);
    EXPECT_TRUE(isEnabled(window.handle()));
    EXPECT_FALSE(isShown(real.busyWindow()));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("no-such-program-anywhere"), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(ui.messages[0].icon, shell::MessageIcon::Stop);
}

TEST(BusyWindow, TakesItsTextsAtItsFirstShowOnlyAndHasNoCloseCommand) {
    shell::LanguageState language = languageWithRunTitle("Working, please wait....");
    shell::win::WindowUserInterface ui(language);
    ui.beginBusy();
    HWND busy = ui.busyWindow();
    ASSERT_NE(busy, nullptr);
    EXPECT_TRUE(isShown(busy));
    EXPECT_EQ(textOf(busy), "Working, please wait....");
    EXPECT_EQ(itemText(busy, IDC_FORM2_LABEL1), "Working, please wait....");
    EXPECT_FALSE(hasCloseCommand(busy));
    closeFromTitleBar(busy);
    ::SendMessageW(busy, WM_CLOSE, 0, 0);
    EXPECT_TRUE(isShown(busy));
    ui.endBusy();
    EXPECT_FALSE(isShown(busy));

    // Another language later: the busy window keeps the texts of its first show.
    language.uiStrings.set(shell::UiKey::MainRunTitle, "程序运行请稍等....");
    ui.beginBusy();
    EXPECT_EQ(ui.busyWindow(), busy);
    EXPECT_EQ(textOf(busy), "Working, please wait....");
    ui.endBusy();
}

TEST(BusyWindow, KeepsItsBuiltInTextsWithoutALanguage) {
    const shell::LanguageState language;
    shell::win::WindowUserInterface ui(language);
    ui.beginBusy();
    EXPECT_EQ(textOf(ui.busyWindow()), "程序运行请稍等....");
    EXPECT_EQ(itemText(ui.busyWindow(), IDC_FORM2_LABEL1), "程序正在运行请稍等....");
    ui.endBusy();
}

std::wstring faceOf(HFONT font) {
    LOGFONTW described{};
    ::GetObjectW(font, sizeof described, &described);
    return described.lfFaceName;
}

TEST(BusyWindow, ItsLabelIsInSimSunWhereTheSystemHasItAndInTheDialogFontElsewhere) {
    const shell::LanguageState language;
    shell::win::WindowUserInterface ui(language);
    ui.beginBusy();
    HWND busy = ui.busyWindow();
    const auto labelFont = reinterpret_cast<HFONT>(::SendMessageW(control(busy, IDC_FORM2_LABEL1), WM_GETFONT, 0, 0));
    const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageW(busy, WM_GETFONT, 0, 0));
    if (HFONT simSun = shell::win::createSimSunFont(10, 96)) {
        const std::wstring face = faceOf(simSun);
        ::DeleteObject(simSun);
        EXPECT_EQ(faceOf(labelFont), face);
        // A move to a monitor of twice the DPI gives the label a font twice as tall.
        LOGFONTW before{};
        ::GetObjectW(labelFont, sizeof before, &before);
        RECT suggested{};
        ::GetWindowRect(busy, &suggested);
        ::SendMessageW(busy, 0x02E0, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
        LOGFONTW after{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control(busy, IDC_FORM2_LABEL1), WM_GETFONT, 0, 0)),
                     sizeof after, &after);
        EXPECT_EQ(after.lfHeight, -::MulDiv(10, 192, 72));
    } else {
        std::printf("no SimSun on this system: the busy window's label keeps the dialog font\n");
        EXPECT_EQ(labelFont, dialogFont);
    }
    ui.endBusy();
}

}  // namespace
}  // namespace windowtest
