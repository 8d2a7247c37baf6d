// The fault seam of the file layer: each refusal fails the operation it names
// with a message naming the path, and a full disk stops a write where the
// disk ends, leaving the old file whole and nothing beside it.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/error.h"
#include "platform/file_faults.h"
#include "platform/file_system.h"

using namespace platform;

namespace {

class FileFaultsTest : public ::testing::Test {
protected:
    void SetUp() override { root = makeTemporaryFolder("tolvane-faults"); }
    void TearDown() override { removeFolderTree(root); }

    std::string at(const std::string& name) const { return joinPath(root, name); }

    // The message of the error `action` throws; empty when it throws none.
    template <typename Action>
    static std::string errorOf(Action action) {
        try {
            action();
        } catch (const Error& e) {
            return e.what();
        }
        return {};
    }

    std::string root;
};

bool mentions(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(FileFaultsTest, EachRefusedOperationFailsNamingItsPathAndOnlyWhileTheFaultsLive) {
    createFolders(at("app\\sub"));
    writeFileAtomic(at("app\\a.txt"), "a");
    {
        FileFaults faults;
        faults.refuse(FileOperation::List, "app\\sub");
        faults.refuse(FileOperation::Examine, "app/a.txt");
        faults.refuse(FileOperation::Read, "B.TXT");
        faults.refuse(FileOperation::Write, "c.txt");
        faults.refuse(FileOperation::Rename, "d.txt");
        faults.refuse(FileOperation::Delete, "e.txt");
        writeFileAtomic(at("b.txt"), "b");
        writeFileAtomic(at("d.txt"), "d");
        writeFileAtomic(at("e.txt"), "e");

        EXPECT_TRUE(mentions(errorOf([&] { listFolder(at("app\\sub")); }), "sub\": Permission denied."));
        const std::string entry = errorOf([&] { listFolder(at("app")); });
        EXPECT_TRUE(mentions(entry, "Cannot read the entry")) << entry;
        EXPECT_TRUE(mentions(entry, "a.txt")) << entry;
        EXPECT_TRUE(mentions(errorOf([&] { readFile(at("b.txt")); }), "b.txt"));
        EXPECT_TRUE(mentions(errorOf([&] { copyFile(at("b.txt"), at("f.txt")); }), "b.txt"));
        EXPECT_TRUE(mentions(errorOf([&] { writeFileAtomic(at("c.txt"), "c"); }), "c.txt"));
        EXPECT_TRUE(mentions(errorOf([&] { copyFile(at("d.txt"), at("c.txt")); }), "c.txt"));
        EXPECT_TRUE(mentions(errorOf([&] { renameFile(at("d.txt"), at("g.txt")); }), "d.txt"));
        EXPECT_TRUE(mentions(errorOf([&] { deleteFile(at("e.txt")); }), "e.txt"));
        EXPECT_EQ(faults.refusals(), 8);
        EXPECT_FALSE(fileExists(at("c.txt")));
        EXPECT_FALSE(fileExists(at("f.txt")));
        EXPECT_TRUE(fileExists(at("d.txt")));
        EXPECT_TRUE(fileExists(at("e.txt")));
    }
    EXPECT_EQ(listFolder(at("app")).files, (std::vector<std::string>{"a.txt"}));
    EXPECT_EQ(readFile(at("b.txt")), "b");
    EXPECT_NO_THROW(writeFileAtomic(at("c.txt"), "c"));
}

TEST_F(FileFaultsTest, AFullDiskStopsTheWriteAtItsByteAndLeavesTheOldFileWhole) {
    writeFileAtomic(at("package.cab"), "old package");
    FileFaults faults;
    faults.fillDiskAfter(10);
    EXPECT_NO_THROW(writeFileAtomic(at("small.txt"), "1234"));
    const std::string message = errorOf([&] { writeFileAtomic(at("package.cab"), std::string(100, 'n')); });
    EXPECT_TRUE(mentions(message, "package.cab")) << message;
    EXPECT_TRUE(mentions(message, "not enough space")) << message;
    EXPECT_EQ(readFile(at("package.cab")), "old package");
    EXPECT_TRUE(mentions(errorOf([&] { copyFile(at("package.cab"), at("copy.cab")); }), "copy.cab"));
    EXPECT_EQ(listFolder(root).files, (std::vector<std::string>{"package.cab", "small.txt"}))
        << "no partial file is left beside the targets";
}

TEST_F(FileFaultsTest, ACopyThatFillsTheDiskHalfwayLeavesTheOldTargetWhole) {
    writeFileAtomic(at("app.exe"), std::string(3 * 1024 * 1024, 'a'));
    writeFileAtomic(at("copy.exe"), "old copy");
    FileFaults faults;
    faults.fillDiskAfter(1536 * 1024);
    const std::string message = errorOf([&] { copyFile(at("app.exe"), at("copy.exe")); });
    EXPECT_TRUE(mentions(message, "copy.exe")) << message;
    EXPECT_TRUE(mentions(message, "not enough space")) << message;
    EXPECT_EQ(readFile(at("copy.exe")), "old copy");
    EXPECT_EQ(listFolder(root).files, (std::vector<std::string>{"app.exe", "copy.exe"}))
        << "no partial file is left beside the target";
}

TEST_F(FileFaultsTest, AnEntryThatCannotBeExaminedIsAnErrorNotLeftOut) {
    // A link whose target is gone cannot be examined: the listing names it
    // rather than giving a folder without it.
    createFolder(at("app"));
    writeFileAtomic(at("app\\a.txt"), "a");
    std::error_code error;
    std::filesystem::create_symlink(std::filesystem::u8path(root) / "gone.txt",
                                    std::filesystem::u8path(root) / "app" / "link.txt", error);
    if (error) GTEST_SKIP() << "this system makes no symbolic links here: " << error.message();
    const std::string message = errorOf([&] { listFolder(at("app")); });
    EXPECT_TRUE(mentions(message, "link.txt")) << message;
}

}  // namespace
