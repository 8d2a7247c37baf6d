// Running a tool and waiting for it while the user interface stays alive.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host.h"
#include "platform/process.h"
#include "shell/tool_runner.h"
#include "tests/support/fake_user_interface.h"

using shell::ToolRunner;

namespace {

std::string helper(const std::string& name) {
    return platform::quoteArgument(platform::joinPath(platform::executableFolder(), name + platform::kExecutableSuffix));
}

// Waits for a file that a program let go of writes as its last act (at its
// final name once complete), as long as the file takes to appear, up to a
// minute. Nothing else tells of that program's end.
bool waitForFile(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (!platform::fileExists(path)) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

}  // namespace

TEST(ToolRunner, AToolThatHasEndedIsTestedOnceAndNothingIsPumped) {
    testsupport::FakeUserInterface ui;
    ToolRunner runner(ui);
    platform::ChildProcess tool = runner.start(helper("shell_test_tool_quick"), platform::kHidden);
    // Ended before the runner looks: waited for here, without pumping.
    while (tool.isAlive()) tool.waitBriefly(1000);
    runner.waitForExit(tool);
    EXPECT_EQ(ui.pumps, 0);
    EXPECT_FALSE(ToolRunner::isAlive(tool));
}

TEST(ToolRunner, WaitingForALongerToolPumpsEventsWithoutSpinning) {
    testsupport::FakeUserInterface ui;
    ToolRunner runner(ui);
    const std::string folder = platform::makeTemporaryFolder("tolvane-runner");
    const std::string before = platform::currentDirectory();
    platform::setCurrentDirectory(folder);

    const auto started = std::chrono::steady_clock::now();
    platform::ChildProcess tool = runner.start(helper("shell_test_tool_slow") + " 1500 done.txt", platform::kHidden);
    EXPECT_TRUE(ToolRunner::isAlive(tool));
    runner.waitForExit(tool);
    const auto waited = std::chrono::steady_clock::now() - started;
    platform::setCurrentDirectory(before);

    // The tool ran in the current directory and the wait lasted to its end.
    EXPECT_TRUE(platform::fileExists(platform::joinPath(folder, "done.txt")));
    EXPECT_GE(waited, std::chrono::milliseconds(1400));
    EXPECT_FALSE(ToolRunner::isAlive(tool));
    // Events were handled meanwhile, a few times a second: a loop that spun
    // would have pumped hundreds of thousands of times (about 10 a second here).
    EXPECT_GE(ui.pumps, 3);
    EXPECT_LE(ui.pumps, 1000) << "waited " << std::chrono::duration_cast<std::chrono::milliseconds>(waited).count() << " ms";
    std::printf("waited %lld ms, pumped %d times\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count()),
                ui.pumps);
    platform::removeFolderTree(folder);
}

TEST(ToolRunner, AToolLeftRunningEndsOnItsOwn) {
    testsupport::FakeUserInterface ui;
    ToolRunner runner(ui);
    const std::string folder = platform::makeTemporaryFolder("tolvane-runner");
    const std::string left = platform::joinPath(folder, "left.txt");
    {
        // Started and let go of, as the clean-up commands are. It runs in
        // this folder, not the temporary one, so that can go once the file is there.
        platform::ChildProcess tool =
            runner.start(helper("shell_test_tool_slow") + " 200 " + platform::quoteArgument(left), 2);
    }
    EXPECT_TRUE(waitForFile(left));
    EXPECT_EQ(ui.pumps, 0);
    platform::removeFolderTree(folder);
}

TEST(ToolRunner, AProgramThatDoesNotExistIsAnErrorNamingIt) {
    testsupport::FakeUserInterface ui;
    ToolRunner runner(ui);
    try {
        runner.start("no-such-tool-tolvane.exe -w -t \"a b.reg\" reg.bak", platform::kHidden);
        FAIL() << "started a program that does not exist";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.kind(), platform::ErrorKind::FileNotFound);
        EXPECT_NE(std::string(error.what()).find("no-such-tool-tolvane"), std::string::npos) << error.what();
    }
}

TEST(ToolRunner, ProgramsStartedByAKilledProgramEndWithIt) {
    // A program of ours (standing for a builder) starts the batch
    // interpreter, which starts the slow tool (standing for 7z); the first is
    // killed outright, with no time to end anything. The tool must not live
    // on to write its file, as makecab or 7z must not finish a package for a
    // builder that is gone.
    const std::string folder = platform::makeTemporaryFolder("tolvane-orphan");
    const std::string before = platform::currentDirectory();
    platform::setCurrentDirectory(folder);
    platform::ChildProcess interpreter = platform::ChildProcess::start(
        helper("tolvane-cmd") + " /c " + helper("tolvane-cmd") + " /c " + helper("shell_test_tool_slow") +
            " 1500 late.txt",
        platform::kHidden);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_TRUE(interpreter.isAlive());
    interpreter.terminate();
    interpreter.exitCode();
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    const bool toolFinished = platform::fileExists("late.txt");
    platform::setCurrentDirectory(before);
    platform::removeFolderTree(folder);
    EXPECT_FALSE(toolFinished) << "the tool outlived the program that started it";
}
