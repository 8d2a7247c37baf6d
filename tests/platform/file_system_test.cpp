#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "platform/error.h"
#include "platform/file_system.h"

using namespace platform;

namespace {
class FileSystem : public ::testing::Test {
protected:
    void SetUp() override { root = makeTemporaryFolder("tolvane-fs"); }
    void TearDown() override { removeFolderTree(root); }
    std::string root;
};
}  // namespace

TEST_F(FileSystem, ListingIsInNameOrderIgnoringCaseWithFoldersApart) {
    for (const char* name : {"b.txt", "A.txt", ".hidden", "c.TXT"}) writeFileAtomic(joinPath(root, name), "x");
    createFolder(joinPath(root, "Zed"));
    createFolder(joinPath(root, "alpha"));
    const FolderListing listing = listFolder(root);
    EXPECT_EQ(listing.folders, (std::vector<std::string>{"alpha", "Zed"}));
    EXPECT_EQ(listing.files, (std::vector<std::string>{".hidden", "A.txt", "b.txt", "c.TXT"}));
}

TEST_F(FileSystem, BackslashPathsWorkEverywhere) {
    createFolders(root + "\\one\\two");
    writeFileAtomic(root + "\\one\\two\\f.bin", std::string("a\0b", 3));
    EXPECT_TRUE(folderExists(root + "\\one\\two\\"));
    EXPECT_TRUE(fileExists(root + "\\one\\two\\f.bin"));
    EXPECT_FALSE(fileExists(root + "\\one\\two"));
    EXPECT_EQ(readFile(root + "\\one\\two\\f.bin"), std::string("a\0b", 3));
    EXPECT_EQ(nameOnDisk(root + "\\one\\two\\"), "two");
    copyFile(root + "\\one\\two\\f.bin", root + "\\g.bin");
    EXPECT_EQ(fileInfo(root + "\\g.bin").size, 3u);
    deleteFile(root + "\\g.bin");
    EXPECT_FALSE(fileExists(root + "\\g.bin"));
}

TEST_F(FileSystem, ACopyOfManyPiecesKeepsEveryByteAndTheTime) {
    // Larger than the piece a copy moves at a time, and not a multiple of it.
    std::string bytes(3 * 1024 * 1024 + 5, '\0');
    std::uint32_t x = 1;
    for (char& c : bytes) c = char((x = x * 1103515245u + 12345u) >> 24);
    const std::string source = joinPath(root, "big.bin"), copy = joinPath(root, "copy.bin");
    writeFileAtomic(source, bytes);
    const std::filesystem::path native = std::filesystem::u8path(root) / "big.bin";
    std::filesystem::last_write_time(native, std::filesystem::last_write_time(native) - std::chrono::hours(24 * 400));
    copyFile(source, copy);
    EXPECT_TRUE(readFile(copy) == bytes);
    const FileInfo before = fileInfo(source), after = fileInfo(copy);
    EXPECT_EQ(after.dosDate, before.dosDate);
    EXPECT_EQ(after.dosTime, before.dosTime);
    EXPECT_EQ(listFolder(root).files, (std::vector<std::string>{"big.bin", "copy.bin"}));
}

TEST_F(FileSystem, FailuresNameThePath) {
    try {
        readFile(joinPath(root, "missing.txt"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::FileNotFound);
        EXPECT_NE(std::string(e.what()).find("missing.txt"), std::string::npos);
    }
    EXPECT_THROW(deleteFile(joinPath(root, "missing.txt")), Error);
}

TEST_F(FileSystem, LetterCaseIsResolvedAsWindowsWould) {
    writeFileAtomic(joinPath(root, "7zS.sfx"), "m");
    EXPECT_TRUE(fileExists(joinPath(root, "7zs.sfx")));
    EXPECT_EQ(readFile(joinPath(root, "7ZS.SFX")), "m");
}

TEST(Paths, JoinBaseAndParent) {
    EXPECT_EQ(joinPath("C:\\", "a"), "C:\\a");
    EXPECT_EQ(joinPath("C:\\Tools", "a"), "C:\\Tools\\a");
    EXPECT_EQ(baseName("C:\\Tools\\app.exe"), "app.exe");
    EXPECT_EQ(parentPath("C:\\Tools\\app.exe"), "C:\\Tools");
}

TEST(Dates, ShortDateIsNotEmpty) { EXPECT_FALSE(todayShortDate().empty()); }

TEST_F(FileSystem, SameFileKnowsOneFileUnderEverySpelling) {
    createFolder(joinPath(root, "Prog"));
    writeFileAtomic(root + "\\Prog\\Tool.dll", "mine");
    writeFileAtomic(root + "\\Prog\\other.dll", "mine");
    EXPECT_TRUE(sameFile(root + "\\Prog\\Tool.dll", root + "/Prog/Tool.dll"));
    EXPECT_TRUE(sameFile(root + "\\Prog\\Tool.dll", root + "\\PROG\\tool.DLL")) << "letter case";
    EXPECT_TRUE(sameFile(root + "\\Prog\\Tool.dll", root + "\\Prog\\..\\Prog\\Tool.dll"));
    EXPECT_FALSE(sameFile(root + "\\Prog\\Tool.dll", root + "\\Prog\\other.dll")) << "same bytes, another file";
    EXPECT_FALSE(sameFile(root + "\\Prog\\Tool.dll", root + "\\Prog\\missing.dll"));
    EXPECT_FALSE(sameFile(root + "\\Prog\\missing.dll", root + "\\Prog\\missing.dll"));
}

TEST_F(FileSystem, SamePathSeesThroughDotsLetterCaseAndSeparators) {
    createFolders(joinPath(root, "App\\doc"));
    writeFileAtomic(joinPath(root, "App\\a.exe"), "a");
    EXPECT_TRUE(samePath(joinPath(root, "App\\a.exe"), joinPath(root, "App\\doc\\..\\.\\A.EXE")));
    EXPECT_TRUE(samePath(joinPath(root, "App/new.cab"), joinPath(root, "app\\NEW.cab")))
        << "a file that is not there yet";
    EXPECT_FALSE(samePath(joinPath(root, "App\\a.exe"), joinPath(root, "App\\a.ex")));
    const std::string here = currentDirectory();
    setCurrentDirectory(joinPath(root, "App"));
    EXPECT_TRUE(samePath("a.exe", joinPath(root, "App\\a.exe")));
    EXPECT_TRUE(samePath("doc\\..\\a.exe", joinPath(root, "App\\a.exe")));
    setCurrentDirectory(here);
    EXPECT_TRUE(isWithinFolder(joinPath(root, "App\\doc\\x.txt"), joinPath(root, "app")));
    EXPECT_FALSE(isWithinFolder(joinPath(root, "Apps\\x.txt"), joinPath(root, "App")));
}
