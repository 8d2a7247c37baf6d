// Start-up's check of the program folder: it becomes the current directory,
// and a folder that cannot be written gives one message naming it.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/program_folder_check.h"

namespace {

class ProgramFolderCheck : public ::testing::Test {
protected:
    void SetUp() override { folder_ = platform::makeTemporaryFolder("tolvane-folder"); before_ = platform::currentDirectory(); }
    void TearDown() override {
        platform::setCurrentDirectory(before_);
        platform::removeFolderTree(folder_);
    }
    std::string folder_;
    std::string before_;
};

TEST_F(ProgramFolderCheck, AWritableFolderBecomesTheCurrentDirectoryAndKeepsNoTrace) {
    EXPECT_FALSE(shell::prepareProgramFolder(folder_));
    EXPECT_EQ(platform::nameOnDisk(platform::currentDirectory()), platform::baseName(folder_));
    EXPECT_TRUE(platform::listFolder(folder_).files.empty());
}

TEST_F(ProgramFolderCheck, AFolderThatRefusesWritingGivesOneMessageNamingItAndWhatToDo) {
    const auto refuse = [](const std::string& folder) {
        throw platform::Error(platform::ErrorKind::Io, "Cannot write \"" + folder + "\\x.tmp\": access is denied");
    };
    const auto message = shell::prepareProgramFolder(folder_, refuse);
    ASSERT_TRUE(message);
    EXPECT_NE(message->find(folder_), std::string::npos);
    EXPECT_NE(message->find("access is denied"), std::string::npos);
    EXPECT_NE(message->find("Move the whole Tolvane folder"), std::string::npos);
    EXPECT_NE(message->find("请把整个 Tolvane 文件夹移到可以写入的位置"), std::string::npos);
    // The folder is still made the current directory: the builders expect it.
    EXPECT_EQ(platform::nameOnDisk(platform::currentDirectory()), platform::baseName(folder_));
}

TEST_F(ProgramFolderCheck, AMissingFolderIsReportedToo) {
    const std::string missing = platform::joinPath(folder_, "gone");
    const auto message = shell::prepareProgramFolder(missing);
    ASSERT_TRUE(message);
    EXPECT_NE(message->find(missing), std::string::npos);
}

}  // namespace
