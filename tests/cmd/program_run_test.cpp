// Programs run from batch lines: found as cmd finds them, given their
// arguments by the Windows rules, and the whole interpreter started the way
// the builders start batch files.
#include <cstdlib>

#include "platform/code_page.h"
#include "platform/host.h"
#include "platform/process.h"
#include "platform/unicode.h"
#include "tests/cmd/interpreter_fixture.h"

namespace {

const std::string kExe = platform::kExecutableSuffix;

const std::string kArgdump = std::string(TOLVANE_BIN_DIR) + "/argdump" + kExe;

void setPath(const std::string& value) { platform::setEnvironmentVariable("PATH", value); }

// A path in one spelling: "/" for "\", letter case folded.
std::string comparable(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    while (!path.empty() && path.back() == '/') path.pop_back();
    return platform::foldCase(path);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out.push_back(line);
        start = end + 1;
    }
    return out;
}

}  // namespace

class ProgramRunTest : public InterpreterTest {
protected:
    void SetUp() override {
        InterpreterTest::SetUp();
        savedPath_ = platform::environmentVariable("PATH");
    }
    void TearDown() override {
        setPath(savedPath_);
        InterpreterTest::TearDown();
    }
    // What argdump wrote down, argv[0] first.
    std::vector<std::string> dumped() { return lines(read("argdump.out")); }
    std::string savedPath_;
};

TEST_F(ProgramRunTest, ProgramsAreFoundInTheCurrentFolderThenTheOwnFolderThenPath) {
    for (const char* folder : {"own", "onpath"}) {
        platform::createFolder(folder);
        platform::copyFile(kArgdump, std::string(folder) + "/tool" + kExe);
    }
    platform::copyFile(kArgdump, "tool" + kExe);
    ownFolder_ = platform::joinPath(folder_, "own");
    setPath(platform::joinPath(folder_, "onpath") + (kExe.empty() ? ":" : ";") + savedPath_);

    RunResult r = run("tool x");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_EQ(comparable(platform::parentPath(dumped().at(0))), comparable(folder_));
    platform::deleteFile("tool" + kExe);
    r = run("tool x");
    EXPECT_EQ(comparable(platform::parentPath(dumped().at(0))), comparable(ownFolder_));
    platform::deleteFile("own/tool" + kExe);
    r = run("tool x");
    EXPECT_EQ(comparable(platform::parentPath(dumped().at(0))), comparable(platform::joinPath(folder_, "onpath")));
}

TEST_F(ProgramRunTest, ANameEndingInExeIsFoundWithoutItAndInAnotherLetterCase) {
    if (platform::kWindowsHost) GTEST_SKIP() << "programs on Windows carry their .exe";
    platform::copyFile(kArgdump, "makecab");
    RunResult r = run(
        "makecab.exe /f CAB压缩文件列表.txt /v3 /d compressiontype=LZX /d compressionmemory=21 "
        "/d maxdisksize=1024000000 /d diskdirectorytemplate= /d cabinetnametemplate=\"App.cab\"");
    EXPECT_EQ(r.status, 13) << r.err;
    EXPECT_EQ(dumped(), (std::vector<std::string>{folder_ + "/makecab", "/f", "CAB压缩文件列表.txt", "/v3", "/d",
                                                  "compressiontype=LZX", "/d", "compressionmemory=21", "/d",
                                                  "maxdisksize=1024000000", "/d", "diskdirectorytemplate=", "/d",
                                                  "cabinetnametemplate=App.cab"}));
    // The package run names its target by the full path, blanks and all.
    r = run("makecab.exe /f 整合包压缩列表.txt /d cabinetnametemplate=\"" + folder_ + "\\my out\\App_1.0_Addon.cab\"");
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_EQ(dumped().at(4), "cabinetnametemplate=" + folder_ + "/my out/App_1.0_Addon.cab");
    platform::renameFile("makecab", "MakeCab");
    r = run("MAKECAB.EXE");
    EXPECT_EQ(r.status, 0) << r.err;
}

TEST_F(ProgramRunTest, AProgramNotFoundGetsCmdsMessageAndTheNextLineStillRuns) {
    const RunResult r = runBatch("m.bat", "@echo off\r\nnosuchprogram.exe a b\r\necho next %ERRORLEVEL%\r\n");
    EXPECT_EQ(r.err, "'nosuchprogram.exe' is not recognized as an internal or external command,\n"
                     "operable program or batch file.\n");
    EXPECT_EQ(r.out, "next 9009\n");
}

TEST_F(ProgramRunTest, ArgumentsAreSplitAndUnquotedByTheWindowsRules) {
    platform::copyFile(kArgdump, "tool" + kExe);
    const RunResult r = run("tool \"a b\"  c\\d \"e\\\"f\" \"\" 中文 \"带 空格\\x.7z\"");
    EXPECT_EQ(r.status, 6) << r.err;
    const auto args = dumped();
    ASSERT_EQ(args.size(), 7u);
    const std::string separator = platform::kWindowsHost ? "\\" : "/";
    EXPECT_EQ(std::vector<std::string>(args.begin() + 1, args.end()),
              (std::vector<std::string>{"a b", "c" + separator + "d", "e\"f", "", "中文", "带 空格" + separator + "x.7z"}));
}

TEST_F(ProgramRunTest, PathArgumentsTakeTheLetterCaseOnDiskAndWildcardsKeepTheirPattern) {
    if (platform::kWindowsHost) GTEST_SKIP() << "Windows programs read letter case and backslashes themselves";
    platform::copyFile(kArgdump, "tool");
    platform::createFolder("SVCPACK");
    write("Entries.ini", "x");
    const std::string mixed = folder_ + "\\svcpack\\new.exe";
    run("tool svcpack\\* entries.ini a -t7z " + mixed);
    EXPECT_EQ(dumped(), (std::vector<std::string>{folder_ + "/tool", "SVCPACK/*", "Entries.ini", "a", "-t7z",
                                                  folder_ + "/SVCPACK/new.exe"}));
}

TEST_F(ProgramRunTest, TheT13BatchBuildsAnArchiveThatRealSevenZipReads) {
    if (platform::kWindowsHost) GTEST_SKIP() << "runs p7zip through the POSIX interpreter";
    if (platform::findProgram("7z", "").empty()) GTEST_SKIP() << "7z is not installed";
    platform::createFolders("soft");
    platform::createFolders("out");
    const std::string setup = std::string("MZ setup \x00\x01", 11);
    write("soft/setup.exe", setup);
    write("7zS.sfx", "SFX-MODULE");
    write("config.txt", ";!@Install@!UTF-8!\r\n;!@InstallEnd@!\r\n");
    write("Entries.ini", "[general]\r\n");
    platform::createFolder("SVCPACK");
    // The system composes Windows paths onto its POSIX program folder.
    const std::string out = folder_ + "\\out\\MyApp_1.0_Addon.7z";
    const std::string check = "if errorlevel 1 exit 1\r\n";
    const std::string packLines = "copy /b 7zs.sfx + config.txt + temp.7z SVCPACK\\MyApp.exe\r\n"
                                  "7z a -t7z \"" + out + "\" SVCPACK\\* -mx0\r\n" + check +
                                  "7z a -t7z \"" + out + "\" \"Entries.ini\" -mx9\r\n" + check;
    const std::string itemLine = "7z a -t7z \"temp.7z\" \"" + folder_ + "\\soft\\setup.exe\" -mx9\r\n" + check;
    RunResult r = runBatch("T13整合包生成.bat", itemLine + packLines +
                                                 "7z x -y -oextract \"" + out + "\"\r\n"
                                                 "7z x -y -oextract\\inner temp.7z\r\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read("extract/SVCPACK/MyApp.exe"),
              "SFX-MODULE;!@Install@!UTF-8!\r\n;!@InstallEnd@!\r\n" + read("temp.7z"));
    EXPECT_EQ(read("extract/Entries.ini"), "[general]\r\n");
    EXPECT_EQ(read("extract/inner/setup.exe"), setup);
    EXPECT_EQ(platform::listFolder("extract").files, std::vector<std::string>{"Entries.ini"});
    EXPECT_EQ(platform::listFolder("extract").folders, (std::vector<std::string>{"inner", "SVCPACK"}));

    // An item 7z cannot read: 7z packs the others with a warning, status 1,
    // and the batch ends there with that status.
    platform::deleteFile("temp.7z");
    platform::deleteFile("SVCPACK/MyApp.exe");
    platform::deleteFile("out/MyApp_1.0_Addon.7z");
    const std::string missingItem = "7z a -t7z \"temp.7z\" \"" + folder_ + "\\soft\\gone.exe\" -mx9\r\n" + check;
    r = runBatch("T13整合包生成.bat", itemLine + missingItem + packLines);
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_TRUE(platform::fileExists("temp.7z")) << "7z made the archive without the item";
    EXPECT_FALSE(platform::fileExists("SVCPACK/MyApp.exe"));
    EXPECT_FALSE(platform::fileExists("out/MyApp_1.0_Addon.7z"));
}

// The interpreter as the builders start it: a bare batch name and "cmd /c",
// through tolvane-cmd here and through cmd.exe on Windows.
TEST_F(ProgramRunTest, ABatchFileStartedByNameRunsAndFindsTheSystemsOwnPrograms) {
    write("a.txt", "A\x1A");
    write("b.txt", "B");
    write("生成cab文件.bat",
          platform::encodeAnsi("@echo off\r\ncopy /b a.txt + b.txt 结果.exe\r\nargdump.exe 中文 \"a b\"\r\n"));
    // argdump lies beside the running program only: beside tolvane-cmd, and
    // on the search path that Windows children get.
    platform::ChildProcess child = platform::ChildProcess::start("生成cab文件.bat", platform::kMinimizedNoFocus);
    EXPECT_EQ(child.exitCode(), 2);
    EXPECT_EQ(read("结果.exe"), "A\x1A" "B");
    const auto args = dumped();
    ASSERT_EQ(args.size(), 3u);
    EXPECT_EQ(args[1], "中文");
    EXPECT_EQ(args[2], "a b");
}

// A batch file in UTF-8 with a byte-order mark, as the builders write it
// where the system's code pages cannot hold its names: cmd.exe would read it
// in the OEM code page, so it runs through tolvane-cmd on every system.
TEST_F(ProgramRunTest, ABatchFileInUtf8RunsThroughTheProjectsOwnInterpreter) {
    write("a.txt", "A");
    write("생성.bat", "\xEF\xBB\xBF@echo off\r\ncopy /b a.txt 결과.exe\r\nset \"X_ARG=é ß\"\r\n"
                          "argdump.exe 한국 \"%X_ARG%\"\r\n");
    platform::ChildProcess child = platform::ChildProcess::start("생성.bat", platform::kMinimizedNoFocus);
    EXPECT_EQ(child.exitCode(), 2);
    EXPECT_EQ(read("결과.exe"), "A");
    const auto args = dumped();
    ASSERT_EQ(args.size(), 3u);
    EXPECT_EQ(args[1], "한국");
    EXPECT_EQ(args[2], "é ß");
}

TEST_F(ProgramRunTest, CmdSlashCRemovesAFolderTree) {
    platform::createFolders("dir/sub");
    write("dir/sub/f", "x");
    platform::ChildProcess child = platform::ChildProcess::start("cmd /c rd /s /q .\\dir", platform::kHidden);
    EXPECT_EQ(child.exitCode(), 0);
    EXPECT_FALSE(platform::folderExists("dir"));
    // The same from a batch line: a nested interpreter of its own.
    platform::createFolders("two/sub");
    const RunResult r = run("cmd /c rd /s /q .\\two");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(platform::folderExists("two"));
}

TEST_F(ProgramRunTest, TheInterpreterReportsAMissingProgramAndEndsWithAFailureStatus) {
    if (platform::kWindowsHost) GTEST_SKIP() << "cmd.exe reports for itself on Windows";
    write("f.bat", "@echo off\r\nnosuchprogram.exe\r\n");
    platform::ChildProcess child = platform::ChildProcess::start("cmd /s /c \"f.bat\"", platform::kHidden);
    EXPECT_EQ(child.exitCode(), 255);
}

TEST_F(ProgramRunTest, WindowsChildrenFindTheProjectsToolsOnlyBehindTheSystemFolders) {
    if (!platform::kWindowsHost) GTEST_SKIP() << "the search path of cmd.exe's children";
    write("p.bat", "@echo off\r\necho %PATH%> path.txt\r\n");
    platform::ChildProcess::start("p.bat", platform::kMinimizedNoFocus).exitCode();
    std::string path = platform::decodeAnsi(read("path.txt"));
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r' || path.back() == ' ')) path.pop_back();
    const std::size_t cut = path.rfind(';');
    ASSERT_NE(cut, std::string::npos) << path;
    EXPECT_EQ(comparable(path.substr(cut + 1)), comparable(platform::executableFolder()));
    // System32 stays ahead of it.
    const std::string system = comparable(platform::environmentVariable("SystemRoot") + "\\system32");
    EXPECT_LT(comparable(path).find(system), cut) << path;
    // And it is added once, even for a child's child.
    EXPECT_EQ(comparable(path).find(comparable(platform::executableFolder())), cut + 1) << path;
}
