// The whole program: Tolvane.exe starts, removing what a killed build left
// in its program folder, its start window appears with its texts, and Exit
// ends the process with status 0.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32/wide.h"
#include "shell/package_replacement.h"
#include "shell/stale_work_files.h"
#include "shell/start_window_texts.h"
#include "shell/win/res/start_window_res.h"
#include "tests/support/ended_process.h"
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

// A Tolvane.exe started and showing its start window (window null when none
// appeared; the process has then been ended and let go of).
struct Running {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

Running startTolvane(const std::string& exe) {
    Running run;
    std::wstring commandLine = platform::wide("\"" + exe + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &run.process))
        return run;
    ::WaitForInputIdle(run.process.hProcess, 20000);
    Found found{run.process.dwProcessId, nullptr};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!found.window && std::chrono::steady_clock::now() < deadline) {
        ::EnumWindows(&findStartWindow, reinterpret_cast<LPARAM>(&found));
        if (!found.window) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    run.window = found.window;
    if (!run.window) {
        ::TerminateProcess(run.process.hProcess, 99);
        ::CloseHandle(run.process.hThread);
        ::CloseHandle(run.process.hProcess);
    }
    return run;
}

// Clicks Exit and returns the exit status, or -1 when the program did not end.
long exitTolvane(Running& run) {
    ::PostMessageW(::GetDlgItem(run.window, IDC_FORMMAN_COMMAND2), BM_CLICK, 0, 0);
    const DWORD waited = ::WaitForSingleObject(run.process.hProcess, 30000);
    DWORD status = 1;
    if (waited != WAIT_OBJECT_0)
        ::TerminateProcess(run.process.hProcess, 99);
    else
        ::GetExitCodeProcess(run.process.hProcess, &status);
    ::CloseHandle(run.process.hThread);
    ::CloseHandle(run.process.hProcess);
    return waited == WAIT_OBJECT_0 ? long(status) : -1;
}

TEST(TolvaneExe, StartsWithItsStartWindowAndExitEndsItWithStatusZero) {
    const std::string exe = platform::joinPath(platform::executableFolder(), "Tolvane.exe");
    ASSERT_TRUE(platform::fileExists(exe)) << exe;
    Running run = startTolvane(exe);
    ASSERT_NE(run.window, nullptr) << "no start window appeared";

    EXPECT_EQ(itemText(run.window, IDC_FORMMAN_LABEL2), shell::startWindowDescription());
    EXPECT_FALSE(itemText(run.window, IDC_FORMMAN_COMMAND1).empty());
    EXPECT_FALSE(itemText(run.window, IDC_FORMMAN_COMMAND2).empty());
    EXPECT_EQ(textOf(run.window), "NLITETolvaneV3.3");
    EXPECT_FALSE(comboItems(run.window, IDC_FORMMAN_COMBO1).empty());

    EXPECT_EQ(exitTolvane(run), 0) << "Exit did not end the program with status 0";
}

TEST(TolvaneExe, AtStartItRemovesWhatAKilledBuildLeftAndKeepsTheUsersFiles) {
    // A program folder of its own, where a T13 build was killed while 7z
    // wrote the package: its work files, its marker and its half package.
    const std::string folder = platform::makeTemporaryFolder("tolvane-exe-start");
    const std::string program = platform::joinPath(folder, "prog"), out = platform::joinPath(folder, "out");
    platform::createFolders(platform::joinPath(program, "SVCPACK"));
    platform::createFolders(out);
    const std::string exe = platform::joinPath(program, "Tolvane.exe");
    platform::copyFile(platform::joinPath(platform::executableFolder(), "Tolvane.exe"), exe);
    for (const char* name : {"SVCPACK\\MyApp.exe", "config.txt", "temp.7z", "readme.txt"})
        platform::writeFileAtomic(platform::joinPath(program, name), "bytes");
    const std::string userPackage = platform::joinPath(out, "MyApp_1.0_Addon.7z");
    platform::writeFileAtomic(userPackage, "the user's earlier package");
    const std::string partial = shell::partialPackagePath(userPackage);
    platform::writeFileAtomic(partial, "half a package");
    platform::writeFileAtomic(platform::joinPath(program, shell::kBuildMarkerName),
                              "process " + std::to_string(testsupport::endedProcessId()) + "\npackage " + partial +
                                  "\nwork SVCPACK\nwork config.txt\nwork temp.7z\n");

    Running run = startTolvane(exe);
    ASSERT_NE(run.window, nullptr) << "no start window appeared";
    // The clean-up comes before the start window.
    EXPECT_EQ(platform::listFolder(program).files, (std::vector<std::string>{"readme.txt", "Tolvane.exe"}));
    EXPECT_TRUE(platform::listFolder(program).folders.empty());
    EXPECT_EQ(platform::listFolder(out).files, (std::vector<std::string>{"MyApp_1.0_Addon.7z"}));
    EXPECT_EQ(platform::readFile(userPackage), "the user's earlier package");
    EXPECT_EQ(exitTolvane(run), 0);
    platform::removeFolderTree(folder);
}

}  // namespace
}  // namespace windowtest
