// The makecab exe end to end: the builders' command lines run on directive
// files, and the cabinets extracted by decoders nobody here wrote
// (cabextract, 7z and gcab on Linux; Wine's cabinet.dll through extrac32.exe
// on Windows), with the bytes compared.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "platform/code_page.h"
#include "platform/host.h"
#include "platform/process.h"
#include "tests/cabinet/cabinet_fixture.h"

namespace {

using Files = std::map<std::string, std::string>;  // stored name -> bytes

// A real PE file of some 400 KB (E8 translation matters there): the system's
// cabinet.dll, or this test program where that is missing.
std::string peBytes() {
    // Where Windows keeps it, and where Wine keeps its own on Linux.
    for (const char* dll : {"C:\\windows\\system32\\cabinet.dll",
                            "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/cabinet.dll"})
        if (platform::fileExists(dll)) return platform::readFile(dll);
    return platform::readFile(platform::executablePath());
}

Files variedFiles() {
    Files f;
    f["empty.txt"] = "";
    f["one.bin"] = "\x7f";
    f["runs.bin"] = std::string(70000, 'a') + std::string(5000, '\0') + std::string(33000, 'b');
    f["random.bin"] = cabtest::randomBytes(100000, 11);
    f["text.txt"] = cabtest::textBytes(200000);
    f["edge.bin"] = cabtest::randomBytes(32768, 12);  // the stream crosses frames inside later files
    f["program.dll"] = peBytes();
    return f;
}

}  // namespace

class MakecabExe : public cabtest::TempFolderTest {
protected:
    void writeSources(const Files& files) {
        platform::createFolder("src");
        std::string list;
        for (const auto& f : files) {
            write(platform::joinPath("src", f.first), f.second);
            list += "\"" + path("src\\" + f.first) + "\"\r\n";
        }
        write("list.txt", platform::encodeAnsi(list));
    }
    // The builders' inner-cabinet command line with the given type.
    int makeCabinet(const std::string& type, const std::string& memory, const std::string& name) {
        return cabtest::runProgram(platform::quoteArgument(cabtest::makecabExe()) +
                                   " /f list.txt /v3 /d compressiontype=" + type + " /d compressionmemory=" + memory +
                                   " /d maxdisksize=1024000000 /d diskdirectorytemplate= /d cabinetnametemplate=\"" +
                                   name + "\"");
    }
};

TEST_F(MakecabExe, MszipRoundTripOfVariedFiles) {
    const Files files = variedFiles();
    writeSources(files);
    ASSERT_EQ(makeCabinet("mszip", "21", "App.cab"), 0);
    expectUnpackedEverywhere("App.cab", files);
}

TEST_F(MakecabExe, StoredRoundTrip) {
    const Files files = variedFiles();
    writeSources(files);
    ASSERT_EQ(makeCabinet("NONE", "21", "App.cab"), 0);
    expectUnpackedEverywhere("App.cab", files);
}

TEST_F(MakecabExe, EmptyFilesOnly) {
    const Files files = {{"a.txt", ""}, {"b.txt", ""}};
    writeSources(files);
    ASSERT_EQ(makeCabinet("mszip", "21", "App.cab"), 0);
    expectUnpackedEverywhere("App.cab", files);
}

TEST_F(MakecabExe, ABrokenRunExitsNonZeroAndLeavesNoCabinet) {
    write("list.txt", "\"nothere.txt\"\r\n");
    EXPECT_NE(makeCabinet("mszip", "21", "App.cab"), 0);
    EXPECT_FALSE(platform::fileExists("App.cab"));
    EXPECT_TRUE(platform::fileExists("setup.inf"));
    EXPECT_TRUE(platform::fileExists("setup.rpt"));
    write("list.txt", "a.txt\r\n");
    write("a.txt", "x");
    EXPECT_NE(makeCabinet("zip", "21", "App.cab"), 0);
    EXPECT_FALSE(platform::fileExists("App.cab"));
}

TEST_F(MakecabExe, ChineseNamesComeOutOfWinesCabinetDllInTheAnsiCodePage) {
    if (!platform::kWindowsHost) GTEST_SKIP() << "the decoders here read names as UTF-8 or Latin-1; Wine's cabinet.dll is Windows'";
    const Files files = {{"中文名.txt", "你好"}, {"plain.txt", "x"}};
    writeSources(files);
    ASSERT_EQ(makeCabinet("mszip", "21", "包.cab"), 0);
    expectUnpackedEverywhere("包.cab", files);
}

// Wine's expand.exe reads one-file cabinets through setupapi's
// SetupIterateCabinet, the engine that installs packages; /r takes the
// output name from the cabinet, so the name is checked too.
TEST_F(MakecabExe, WinesSetupApiReadsOneFileCabinetsThroughExpand) {
    if (!platform::kWindowsHost) GTEST_SKIP() << "expand.exe and the setup engine are Windows' own";
    const Files files = {{"程序.dll", peBytes()}};
    writeSources(files);
    for (const std::string type : {"mszip", "none", "lzx"}) {
        ASSERT_EQ(makeCabinet(type, "21", "one.cab"), 0) << type;
        ASSERT_EQ(cabtest::runProgram("expand.exe /r one.cab"), 0) << type;
        ASSERT_TRUE(platform::fileExists("程序.dll")) << type;
        EXPECT_TRUE(read("程序.dll") == files.at("程序.dll")) << type;
        platform::deleteFile("程序.dll");
    }
}

TEST_F(MakecabExe, LzxRoundTripOfVariedFilesAtTheBuildersWindow) {
    const Files files = variedFiles();
    writeSources(files);
    ASSERT_EQ(makeCabinet("LZX", "21", "App.cab"), 0);
    EXPECT_EQ(cabtest::parseCabinet(read("App.cab")).typeCompress, 0x1503);
    expectUnpackedEverywhere("App.cab", files);
}

TEST_F(MakecabExe, LzxRoundTripAtEveryWindowSize) {
    Files files = {{"text.txt", cabtest::textBytes(150000)}, {"random.bin", cabtest::randomBytes(70000, 21)},
                   {"one.bin", "1"}, {"program.dll", peBytes()}};
    writeSources(files);
    for (int window = 15; window <= 21; ++window) {
        const std::string name = "w" + std::to_string(window) + ".cab";
        ASSERT_EQ(makeCabinet("lzx", std::to_string(window), name), 0) << window;
        EXPECT_EQ(cabtest::parseCabinet(read(name)).typeCompress, 3 | window << 8);
        expectUnpackedEverywhere(name, files);
    }
}

// The two batch files the INF builder writes, run as it runs them: the
// batch interpreter finds "makecab.exe" (this makecab where the system has
// none), makes the inner LZX cabinet from the staged files, then the MSZIP
// package at a target path holding blanks.
TEST_F(MakecabExe, TheBuildersBatchFilesMakeTheInnerCabinetAndThePackage) {
    if (platform::kWindowsHost) {
        // cmd.exe looks for makecab.exe on the search path.
        platform::setEnvironmentVariable("PATH", platform::executableFolder() + platform::kPathListSeparator +
                                                     platform::environmentVariable("PATH"));
    }
    Files staged = {{"App_a.dll", peBytes()}, {"App_b.txt", cabtest::textBytes(90000)}, {"App_c.bin", ""}};
    // Wine's cabinet.dll reads names in the ANSI code page, as Windows does
    if (platform::kWindowsHost) staged["App_中文.txt"] = "你好";
    platform::createFolder("提取文件");
    std::string list;
    for (const auto& f : staged) {
        write(platform::joinPath("提取文件", f.first), f.second);
        list += "\"" + path("提取文件") + "\\" + f.first + "\"\r\n";
    }
    write("CAB压缩文件列表.txt", platform::encodeAnsi(list));
    write("生成cab文件.bat",
          platform::encodeAnsi("@echo off\r\n"
                               "makecab.exe /f CAB压缩文件列表.txt /v3 /d compressiontype=LZX /d compressionmemory=21 "
                               "/d maxdisksize=1024000000 /d diskdirectorytemplate= /d cabinetnametemplate=\"App.cab\"\r\n"
                               "exit\r\n"));
    cabtest::runProgram("生成cab文件.bat");
    ASSERT_TRUE(platform::fileExists("App.cab"));
    EXPECT_EQ(cabtest::parseCabinet(read("App.cab")).typeCompress, 0x1503);

    const Files package = {{"Entries_App.ini", "[general]\r\nbuilddate=2026/12/8\r\n"},
                           {"App.inf", "[Version]\r\nSignature=\"$Windows NT$\"\r\n"},
                           {"App.cab", read("App.cab")}};
    for (const auto& f : package)
        if (f.first != "App.cab") write(f.first, f.second);
    write("整合包压缩列表.txt", platform::encodeAnsi("\"Entries_App.ini\"\r\n\"App.inf\"\r\n\"App.cab\"\r\n"));
    platform::createFolder("my packages");
    const std::string target = path("my packages\\App_1.0_Addon.cab");
    write("生成整合包.bat", platform::encodeAnsi("makecab.exe /f 整合包压缩列表.txt /d compressiontype=mszip "
                                                 "/d compressionmemory=21 /d maxdisksize=1024000000 "
                                                 "/d diskdirectorytemplate= /d cabinetnametemplate=\"" + target +
                                                 "\"\r\n"));
    cabtest::runProgram("生成整合包.bat");
    ASSERT_TRUE(platform::fileExists(target));
    EXPECT_EQ(cabtest::parseCabinet(read(target)).typeCompress, 0x0001);
    EXPECT_TRUE(platform::fileExists("setup.inf"));
    EXPECT_TRUE(platform::fileExists("setup.rpt"));

    platform::copyFile(target, "package.cab");
    expectUnpackedEverywhere("package.cab", package);
    for (const char* folder : {"by-cabextract", "by-7z", "by-gcab", "by-extrac32"})
        if (platform::folderExists(folder)) platform::removeFolderTree(folder);
    expectUnpackedEverywhere("App.cab", staged);
}
