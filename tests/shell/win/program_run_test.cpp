// The whole program: Tolvane.exe starts, its start window appears with its
// texts, and Exit ends the process with status 0.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/file_system.h"
#include "platform/win32/wide.h"
#include "shell/start_window_texts.h"
#include "shell/win/res/start_window_res.h"
#include "tests/support/win/window_harness.h"

namespace windowtest {
namespace {

struct Found {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK findStartWindow(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<Found*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == found->processId && ::IsWindowVisible(window) && ::GetDlgItem(window, IDC_FORMMAN_COMMAND2)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

TEST(TolvaneExe, StartsWithItsStartWindowAndExitEndsItWithStatusZero) {
    const std::string exe = platform::joinPath(platform::executableFolder(), "Tolvane.exe");
    ASSERT_TRUE(platform::fileExists(exe)) << exe;
    std::wstring commandLine = platform::wide("\"" + exe + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process));
    ::WaitForInputIdle(process.hProcess, 20000);

    Found found{process.dwProcessId, nullptr};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!found.window && std::chrono::steady_clock::now() < deadline) {
        ::EnumWindows(&findStartWindow, reinterpret_cast<LPARAM>(&found));
        if (!found.window) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!found.window) ::TerminateProcess(process.hProcess, 99);
    ASSERT_NE(found.window, nullptr) << "no start window appeared";

    EXPECT_EQ(itemText(found.window, IDC_FORMMAN_LABEL2), shell::startWindowDescription());
    EXPECT_FALSE(itemText(found.window, IDC_FORMMAN_COMMAND1).empty());
    EXPECT_FALSE(itemText(found.window, IDC_FORMMAN_COMMAND2).empty());
    EXPECT_EQ(textOf(found.window), "NLITETolvaneV3.3");
    EXPECT_FALSE(comboItems(found.window, IDC_FORMMAN_COMBO1).empty());

    ::PostMessageW(::GetDlgItem(found.window, IDC_FORMMAN_COMMAND2), BM_CLICK, 0, 0);
    const DWORD waited = ::WaitForSingleObject(process.hProcess, 30000);
    if (waited != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 99);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "Exit did not end the program";
    DWORD status = 1;
    ::GetExitCodeProcess(process.hProcess, &status);
    EXPECT_EQ(status, 0u);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

}  // namespace
}  // namespace windowtest
