// copy, rd and del as the builders' batch files use them, byte for byte.
#include "tests/cmd/interpreter_fixture.h"

namespace {

// Bytes a text-mode copy would cut or change: NUL, Ctrl-Z, CR LF, high bytes.
const std::string kModule = std::string("MZ\x90\x00\x1A\r\n\xFF", 8) + std::string(70000, '\x37');
const std::string kConfig = "\xEF\xBB\xBF;!@Install@!UTF-8!\r\nGUIMode=\"1\"\r\n;!@InstallEnd@!\r\n";
const std::string kArchive = std::string("7z\xBC\xAF\x27\x1C\x00\x04\x1A\x1A", 10);

}  // namespace

TEST_F(InterpreterTest, CopyJoinsTheSelfExtractorByteForByteTakingACaseDifferingModule) {
    write("7zS.sfx", kModule);  // the user's module, in another letter case
    write("config.txt", kConfig);
    write("temp.7z", kArchive);
    platform::createFolder("SVCPACK");
    const RunResult r = run("copy /b 7zs.sfx + config.txt + temp.7z SVCPACK\\MyApp.exe");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read("SVCPACK/MyApp.exe"), kModule + kConfig + kArchive);
    EXPECT_EQ(r.out, "7zs.sfx\nconfig.txt\ntemp.7z\n        1 file(s) copied.\n");
    EXPECT_EQ(r.err, "");
    // The folder holds the result only: nothing written beside it is left.
    EXPECT_EQ(platform::listFolder("SVCPACK").files, std::vector<std::string>{"MyApp.exe"});
}

TEST_F(InterpreterTest, CopyTakesQuotedTargetsSourcesWithoutBlanksAndExistingFolders) {
    write("a", "1\x1A" "2");
    write("b", "3");
    platform::createFolder("out dir");
    EXPECT_EQ(run("copy /b a+b \"out dir\\a b.exe\"").status, 0);
    EXPECT_EQ(read("out dir/a b.exe"), "1\x1A" "23");
    // Without /b a join is text: each source up to its Ctrl-Z, and one at the end.
    EXPECT_EQ(run("copy a + b joined.txt").status, 0);
    EXPECT_EQ(read("joined.txt"), "13\x1A");
    // One source is a plain binary copy, into a folder under its own name.
    EXPECT_EQ(run("copy a \"out dir\"").status, 0);
    EXPECT_EQ(read("out dir/a"), "1\x1A" "2");
    const RunResult r = run("copy a out.bin");
    EXPECT_EQ(r.out, "        1 file(s) copied.\n");
    EXPECT_EQ(read("out.bin"), "1\x1A" "2");
    // Without a target, a join goes into its first source.
    EXPECT_EQ(run("copy /b a + b").status, 0);
    EXPECT_EQ(read("a"), "1\x1A" "23");
}

TEST_F(InterpreterTest, CopyWritesNothingWhenASourceIsMissingOrTheCommandIsWrong) {
    write("config.txt", kConfig);
    RunResult r = run("copy /b 7zs.sfx + config.txt + temp.7z MyApp.exe");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "The system cannot find the file specified: \"7zs.sfx\".\n        0 file(s) copied.\n");
    EXPECT_FALSE(platform::fileExists("MyApp.exe"));
    r = run("copy config.txt Config.TXT");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "The file cannot be copied onto itself.\n        0 file(s) copied.\n");
    EXPECT_EQ(read("config.txt"), kConfig);
    for (const char* bad : {"copy", "copy a + ", "copy + a b", "copy a b c", "copy /x a b"}) {
        r = run(bad);
        EXPECT_EQ(r.status, 1) << bad;
        EXPECT_FALSE(r.err.empty()) << bad;
    }
    r = run("copy /b config.txt + config.txt nofolder\\x.exe");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("nofolder"), std::string::npos) << r.err;
}

TEST_F(InterpreterTest, RdRemovesTheStagingFolderTreeAndOnlyThat) {
    platform::createFolders("提取文件/sub");
    write("提取文件/App_a.exe", "x");
    write("提取文件/sub/b.dll", "y");
    platform::createFolder("keep");
    RunResult r = run("rd /s /q .\\提取文件");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out + r.err, "");
    EXPECT_FALSE(platform::folderExists("提取文件"));
    EXPECT_TRUE(platform::folderExists("keep"));

    // Letter case is Windows': "svcpack" names "SVCPACK". "rmdir/s/q" is "rmdir /s /q".
    platform::createFolder("SVCPACK");
    write("SVCPACK/MyApp.exe", "x");
    EXPECT_EQ(run("rmdir/s/q svcpack").status, 0);
    EXPECT_FALSE(platform::folderExists("SVCPACK"));

    r = run("rd /s /q .\\SVCPACK");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "The system cannot find the file specified: \".\\SVCPACK\".\n");
}

TEST_F(InterpreterTest, RdWithoutSRemovesOnlyEmptyFoldersAndWithoutQAsks) {
    platform::createFolder("full");
    write("full/f", "x");
    platform::createFolder("empty");
    RunResult r = run("rd full empty");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "The directory is not empty: \"full\".\n");
    EXPECT_TRUE(platform::folderExists("full"));
    EXPECT_FALSE(platform::folderExists("empty"));

    r = run("rd /s full", "n\n");
    EXPECT_EQ(r.out, "full, Are you sure (Y/N)? ");
    EXPECT_TRUE(platform::folderExists("full"));
    r = run("rd /s full", "y\n");
    EXPECT_FALSE(platform::folderExists("full"));

    write("file", "x");
    r = run("rd /s /q file");
    EXPECT_EQ(r.err, "The directory name is invalid: \"file\".\n");
    EXPECT_TRUE(platform::fileExists("file"));
}

TEST_F(InterpreterTest, DelDeletesNamesWildcardsAndFolderContents) {
    for (const char* name : {"setup.inf", "setup.rpt", "Entries_App.ini", "App.inf", "keep.txt"}) write(name, "x");
    RunResult r = run("del setup.inf \"Entries_App.ini\"");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(platform::fileExists("setup.inf"));
    EXPECT_FALSE(platform::fileExists("Entries_App.ini"));
    EXPECT_EQ(run("erase /q SETUP.*").status, 0);
    EXPECT_FALSE(platform::fileExists("setup.rpt"));
    EXPECT_TRUE(platform::fileExists("App.inf"));

    r = run("del missing.txt App.inf");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "Could Not Find " + platform::nativePath(platform::joinPath(platform::currentDirectory(), "missing.txt")) +
                  "\n");
    EXPECT_FALSE(platform::fileExists("App.inf"));  // the names after a missing one are still deleted

    platform::createFolder("work");
    write("work/a", "x");
    write("work/b", "x");
    r = run("del work", "n\n");
    EXPECT_TRUE(platform::fileExists("work/a"));
    EXPECT_EQ(run("del /q work").status, 0);
    EXPECT_TRUE(platform::listFolder("work").files.empty());
    EXPECT_TRUE(platform::folderExists("work"));
    EXPECT_TRUE(platform::fileExists("keep.txt"));
}
