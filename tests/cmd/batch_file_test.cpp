// Batch files as the builders write them: ANSI code page, CR LF, and the
// commands echo, rem, exit and blank lines.
#include "platform/process.h"
#include "tests/cmd/interpreter_fixture.h"

TEST_F(InterpreterTest, ABatchFileInTheAnsiCodePageWithChineseNamesRuns) {
    write("甲.txt", "A");
    write("乙.txt", "B");
    const std::string text =
        "@echo off\r\ncopy /b 甲.txt + 乙.txt 丙.txt\r\nrem 说明\r\n\r\necho 完成\r\nexit\r\necho 不会运行\r\n";
    const std::string bytes = platform::encodeAnsi(text);
    ASSERT_NE(bytes, text);  // really stored in code page 936, not as UTF-8
    write("生成cab文件.bat", bytes);
    const RunResult r = run("生成cab文件.bat");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "甲.txt\n乙.txt\n        1 file(s) copied.\n完成\n");
    EXPECT_EQ(read("丙.txt"), "AB");
}

TEST_F(InterpreterTest, ABatchFileWithAByteOrderMarkIsReadAsUtf8) {
    // Hangul and German letters: no single code page of a Chinese or Western
    // system holds both, and the mark is no part of the first command.
    write("한.txt", "A");
    write("ß.txt", "B");
    write("生成整合包.bat",
          "\xEF\xBB\xBF@echo off\r\ncopy /b 한.txt + ß.txt \"结果 é.txt\"\r\necho 완료\r\n");
    const RunResult r = run("生成整合包.bat");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "한.txt\nß.txt\n        1 file(s) copied.\n완료\n");
    EXPECT_EQ(read("结果 é.txt"), "AB");
}

TEST_F(InterpreterTest, SetGivesAVariableToTheLinesAfterIt) {
    RunResult r = runBatch("s.bat",
                           "@echo off\r\nset \"TOLVANE_SET_TEST=a b;c (x86)\" ignored\r\necho [%TOLVANE_SET_TEST%]\r\n"
                           "set TOLVANE_SET_TEST=%TOLVANE_SET_TEST%;d\r\necho [%TOLVANE_SET_TEST%]\r\n"
                           "set TOLVANE_SET_TEST=\r\necho [%TOLVANE_SET_TEST%]\r\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "[a b;c (x86)]\n[a b;c (x86);d]\n[]\n");
    EXPECT_EQ(platform::environmentVariable("TOLVANE_SET_TEST"), "");
    // Listing variables is not supported: a message and a failure status.
    r = runBatch("l.bat", "@echo off\r\nset\r\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("set NAME=value"), std::string::npos) << r.err;
}

TEST_F(InterpreterTest, EchoPrintsTextEmptyLinesAndItsStateAndOffStopsTheEcho) {
    RunResult r = runBatch("e.bat",
                           "@echo off\r\necho hello  world \r\necho.\r\necho:x\r\necho\r\n"
                           "  \r\n:label\r\n:: remark\r\nREM remark\r\nEcho On\r\necho\r\n@echo off\r\n");
    EXPECT_EQ(r.err, "");
    const std::string prompt = "\n" + platform::currentDirectory() + ">";
    EXPECT_EQ(r.out, "hello  world \n\nx\nECHO is off.\n" + prompt + "echo\nECHO is on.\n");
}

TEST_F(InterpreterTest, WithoutEchoOffEachCommandIsShownBehindThePrompt) {
    const RunResult r = runBatch("p.bat", "echo hi\r\nrem x\r\n");
    const std::string prompt = "\n" + platform::currentDirectory() + ">";
    EXPECT_EQ(r.out, prompt + "echo hi\nhi\n" + prompt + "rem x\n");
}

TEST_F(InterpreterTest, ExitEndsTheRunWithItsCodeAndExitBEndsOnlyTheBatch) {
    RunResult r = runBatch("x.bat", "@echo off\r\necho one\r\nexit 3\r\necho two\r\n");
    EXPECT_EQ(r.out, "one\n");
    EXPECT_EQ(r.status, 3);
    // A batch named by another runs in its place: the first does not go on.
    write("inner.bat", "@echo off\r\necho inner %1 %~2\r\nexit /b 4\r\necho not here\r\n");
    r = runBatch("outer.bat", "@echo off\r\necho outer\r\ninner.bat first \"second arg\"\r\necho not here\r\n");
    EXPECT_EQ(r.out, "outer\ninner first second arg\n");
    EXPECT_EQ(r.status, 4);
    // A name without ending finds the batch file too.
    r = runBatch("caller.bat", "@echo off\r\ninner x\r\n");
    EXPECT_EQ(r.out, "inner x \n");
}

TEST_F(InterpreterTest, ABatchFileThatRunsItselfStopsWithAClearErrorNotACrash) {
    const RunResult r = runBatch("self.bat", "@echo off\r\nself.bat\r\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("self.bat\" is named by batch files 256 deep"), std::string::npos) << r.err;
    // Two that name each other, with a line of work each time round.
    write("ping.bat", "@echo off\r\necho ping\r\npong.bat\r\n");
    write("pong.bat", "@echo off\r\npong\r\nping.bat\r\n");
    const RunResult r2 = run("ping.bat");
    EXPECT_EQ(r2.status, 1);
    EXPECT_NE(r2.err.find("batch processing stopped"), std::string::npos) << r2.err;
}

TEST_F(InterpreterTest, TheLastCommandsStatusIsTheErrorLevelAndTheBatchGoesOnAfterAFailure) {
    const RunResult r = runBatch("s.bat",
                                 "@echo off\r\ncopy missing.bin x.bin\r\necho after %ERRORLEVEL%\r\n"
                                 "copy s.bat y.bat\r\necho then %errorlevel%\r\n");
    EXPECT_EQ(r.out, "after 1\n        1 file(s) copied.\nthen 0\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(platform::fileExists("y.bat"));
}

TEST_F(InterpreterTest, ABatchFileThatCannotBeFoundIsReportedAsCmdDoes) {
    const RunResult r = run("\"no such.bat\"");
    EXPECT_EQ(r.status, 9009);
    EXPECT_EQ(r.err, "'no such.bat' is not recognized as an internal or external command,\n"
                     "operable program or batch file.\n");
}
