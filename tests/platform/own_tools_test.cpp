// The one rule for finding our own tools, and the small text and path
// helpers shared across the tree.
#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/unicode.h"

using namespace platform;

namespace {

std::string comparable(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return asciiLower(path);
}

class OwnTools : public ::testing::Test {
protected:
    void SetUp() override {
        savedProgramFolder = programFolder();
        folder = makeTemporaryFolder("tolvane-owntools");
    }
    void TearDown() override {
        setProgramFolder(savedProgramFolder);
        removeFolderTree(folder);
    }
    std::string savedProgramFolder, folder;
};

}  // namespace

TEST_F(OwnTools, TheProgramFolderComesFirstThenBesideTheExecutableEachOnce) {
    setProgramFolder(folder);
    const std::vector<std::string> folders = ownToolFolders();
    ASSERT_GE(folders.size(), 2u);
    EXPECT_EQ(folders[0], folder);
    EXPECT_EQ(folders[1], executableFolder());
    if (folders.size() == 3) {
        EXPECT_EQ(folders[2], joinPath(executableFolder(), "tools"));
    }

    // The program folder beside the executable (the installed case) counts once.
    setProgramFolder(executableFolder() + "\\");
    const std::vector<std::string> installed = ownToolFolders();
    ASSERT_FALSE(installed.empty());
    EXPECT_EQ(installed.size(), folders.size() - 1);
}

TEST_F(OwnTools, AToolInTheProgramFolderWinsOverTheOneBesideTheExecutable) {
    const std::string name = baseName(executablePath());
    setProgramFolder(folder);
    EXPECT_EQ(comparable(findOwnTool(name)), comparable(executablePath())) << "found beside the executable";

    copyFile(executablePath(), joinPath(folder, name));
    EXPECT_EQ(comparable(findOwnTool(name)), comparable(joinPath(folder, name)));

    EXPECT_EQ(findOwnTool("tolvane-no-such-tool.exe"), "");
    EXPECT_EQ(findOwnTool(""), "");
}

TEST(SharedHelpers, PathsAndTexts) {
    EXPECT_TRUE(isAbsolutePath("C:\\x"));
    EXPECT_TRUE(isAbsolutePath("c:"));
    EXPECT_TRUE(isAbsolutePath("\\\\server\\share"));
    EXPECT_TRUE(isAbsolutePath("/tmp/x"));
    EXPECT_FALSE(isAbsolutePath("soft\\app"));
    EXPECT_FALSE(isAbsolutePath(""));

    EXPECT_EQ(withoutTrailingSeparator("D:\\soft\\app\\"), "D:\\soft\\app");
    EXPECT_EQ(withoutTrailingSeparator("/tmp/x//"), "/tmp/x");
    EXPECT_EQ(withoutTrailingSeparator("D:\\"), "D:\\") << "a root keeps its separator";
    EXPECT_EQ(withoutTrailingSeparator("/"), "/");

    EXPECT_TRUE(endsWithIgnoreCase("SETUP.BAT", ".bat"));
    EXPECT_TRUE(endsWithIgnoreCase(".exe", ".EXE"));
    EXPECT_FALSE(endsWithIgnoreCase("exe", ".exe"));
    EXPECT_FALSE(endsWithIgnoreCase("a.bat.txt", ".bat"));

    EXPECT_EQ(trim(" \t a b \t"), "a b");
    EXPECT_EQ(trim("\r\nkey\x1a", "\r\n\x1a"), "key");
    EXPECT_EQ(trim("   "), "");
}
