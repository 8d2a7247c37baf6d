// A command's status as the batch files test it: "if [not] errorlevel N",
// "exit" with a code, and the status that leaves the interpreter as its
// process's exit status. argdump sets the status: it exits with the number
// of arguments it was given.
#include "platform/process.h"
#include "tests/cmd/interpreter_fixture.h"

namespace {

class ErrorLevelTest : public InterpreterTest {
protected:
    void SetUp() override {
        InterpreterTest::SetUp();
        ownFolder_ = TOLVANE_BIN_DIR;  // where argdump is found
    }
};

}  // namespace

TEST_F(ErrorLevelTest, IfErrorlevelHoldsFromItsNumberUpNotBelowItAndLeavesTheStatusAsItWas) {
    const RunResult r = runBatch("levels.bat",
                                 "@echo off\r\nargdump a b\r\n"
                                 "if errorlevel 3 echo 3 or more\r\n"
                                 "if errorlevel 2 echo 2 or more\r\n"
                                 "if errorlevel 1 echo 1 or more\r\n"
                                 "if not errorlevel 3 echo below 3\r\n"
                                 "if not errorlevel 2 echo below 2\r\n"
                                 "IF  NOT  ERRORLEVEL  5  echo spaced and upper case\r\n"
                                 "echo status %errorlevel%\r\n"
                                 "argdump\r\n"
                                 "if errorlevel 1 echo not after a success\r\n"
                                 "if errorlevel 0 echo 0 always holds\r\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "2 or more\n1 or more\nbelow 3\nspaced and upper case\nstatus 2\n0 always holds\n");
    EXPECT_EQ(r.status, 0);
}

TEST_F(ErrorLevelTest, AFailedCommandFollowedByItsCheckEndsTheBatchWithItsStatus) {
    // The shape of the T13 batch: each tool line followed by its check.
    RunResult r = runBatch("t.bat",
                           "@echo off\r\nargdump\r\nif errorlevel 1 exit 1\r\necho went on\r\n"
                           "argdump warns\r\nif errorlevel 1 exit 1\r\necho not here\r\n");
    EXPECT_EQ(r.out, "went on\n");
    EXPECT_EQ(r.status, 1);
    // exit /b ends the batch with its code too; a code that is no number is 0.
    r = runBatch("b.bat", "@echo off\r\nargdump a b c\r\nif errorlevel 3 exit /b 7\r\necho not here\r\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 7);
    r = runBatch("n.bat", "@echo off\r\nargdump a\r\nexit /b x\r\n");
    EXPECT_EQ(r.status, 0);
    // A failed command without a check leaves its status as the batch's.
    r = runBatch("last.bat", "@echo off\r\nargdump a b\r\n");
    EXPECT_EQ(r.status, 2);
}

TEST_F(ErrorLevelTest, TheStatusIsTheExitStatusOfTheBatchStartedByNameAndOfCmdC) {
    // Through tolvane-cmd here, through cmd.exe on Windows.
    write("T13整合包生成.bat", platform::encodeAnsi("argdump warns\r\nif errorlevel 1 exit 1\r\necho not here\r\n"));
    platform::ChildProcess batch = platform::ChildProcess::start("T13整合包生成.bat", platform::kHidden);
    EXPECT_EQ(batch.exitCode(), 1);
    platform::ChildProcess command = platform::ChildProcess::start("cmd /c exit 5", platform::kHidden);
    EXPECT_EQ(command.exitCode(), 5);
    platform::ChildProcess nested = platform::ChildProcess::start("cmd /c T13整合包生成.bat", platform::kHidden);
    EXPECT_EQ(nested.exitCode(), 1);
}

TEST_F(ErrorLevelTest, AnIfThatCannotBeReadOrIsNotSupportedStopsTheBatch) {
    const char* const lines[] = {"if errorlevel x echo run", "if errorlevel 1", "if errorlevel 1x echo run",
                                 "if exist levels.bat echo run", "if a==a echo run", "if not"};
    for (const char* line : lines) {
        const RunResult r =
            runBatch("bad.bat", std::string("@echo off\r\nargdump a b\r\n") + line + "\r\necho not here\r\n");
        EXPECT_EQ(r.out, "") << line;
        EXPECT_EQ(r.status, 1) << line;  // not argdump's 2
        EXPECT_NE(r.err, "") << line;
    }
    EXPECT_NE(runBatch("bad.bat", "if exist x echo y\r\n").err.find("if [not] errorlevel N command"),
              std::string::npos);
}
