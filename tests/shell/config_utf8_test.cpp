// Rewriting the self-extractor configuration as UTF-8.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/config_utf8.h"

namespace {
class ConfigUtf8 : public ::testing::Test {
protected:
    void SetUp() override {
        folder = platform::makeTemporaryFolder("tolvane-config");
        platform::setProgramFolder(folder);
        path = platform::joinPath(folder, "config.txt");
    }
    void TearDown() override {
        platform::setProgramFolder("");
        platform::removeFolderTree(folder);
    }
    std::string folder, path;
};
}  // namespace

TEST_F(ConfigUtf8, GbkTextBecomesUtf8WithAByteOrderMarkAndNothingElse) {
    // ;!@Install@!UTF-8!  Title="软件" ... as code page 936 bytes.
    const std::string gbk =
        ";!@Install@!UTF-8!\r\nTitle=\"\xC8\xED\xBC\xFE\"\r\nExtractPath=\"%ProgramFiles%\\\xB2\xE2\xCA\xD4\"\r\n"
        ";!@InstallEnd@!\r\n";
    platform::writeFileAtomic(path, gbk);
    shell::ConvertConfigToUtf8(shell::kBuiltInTexts);
    const std::string expected =
        "\xEF\xBB\xBF;!@Install@!UTF-8!\r\nTitle=\"\xE8\xBD\xAF\xE4\xBB\xB6\"\r\n"
        "ExtractPath=\"%ProgramFiles%\\\xE6\xB5\x8B\xE8\xAF\x95\"\r\n;!@InstallEnd@!\r\n";
    EXPECT_EQ(platform::readFile(path), expected);
    EXPECT_EQ(platform::listFolder(folder).files, (std::vector<std::string>{"config.txt"}));
}

// Where the ANSI code page cannot hold the configuration (its fixed Chinese
// texts on an English system), it is written as UTF-8 at once and stays so.
TEST_F(ConfigUtf8, AFileInUtf8AlreadyStaysAsItIs) {
    const std::string utf8 = "\xEF\xBB\xBF;!@Install@!UTF-8!\r\nExtractTitle=\"程序正在解压安装中...\"\r\n";
    platform::writeFileAtomic(path, utf8);
    shell::ConvertConfigToUtf8(shell::kBuiltInTexts);
    EXPECT_EQ(platform::readFile(path), utf8);
}

TEST_F(ConfigUtf8, NoFileNoAction) {
    shell::ConvertConfigToUtf8(shell::kBuiltInTexts);
    EXPECT_FALSE(platform::fileExists(path));
    EXPECT_TRUE(platform::listFolder(folder).files.empty());
}

TEST_F(ConfigUtf8, AnEmptyFileGetsTheMarkOnly) {
    platform::writeFileAtomic(path, "");
    shell::ConvertConfigToUtf8(shell::kBuiltInTexts);
    EXPECT_EQ(platform::readFile(path), "\xEF\xBB\xBF");
}

TEST_F(ConfigUtf8, UnreadableBytesLeaveTheFileAsItWas) {
    const std::string bytes = "Title=\"\xFF\xFF\"\r\n";
    platform::writeFileAtomic(path, bytes);
    try {
        shell::ConvertConfigToUtf8(shell::kBuiltInTexts);
        FAIL() << "no error";
    } catch (const platform::Error& error) {
        EXPECT_NE(std::string(error.what()).find("config.txt"), std::string::npos) << error.what();
    }
    EXPECT_EQ(platform::readFile(path), bytes);
    EXPECT_EQ(platform::listFolder(folder).files, (std::vector<std::string>{"config.txt"}));
}
