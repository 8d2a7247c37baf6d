#include <gtest/gtest.h>

#include "platform/ansi_text_file.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"

using namespace platform;

TEST(CodePage, ChineseTextIsWrittenAsCodePage936Bytes) {
    EXPECT_EQ(encodeCodePage(936, "提取文件"), "\xCC\xE1\xC8\xA1\xCE\xC4\xBC\xFE");
    EXPECT_EQ(encodeCodePage(936, "整合包 App"), "\xD5\xFB\xBA\xCF\xB0\xFC App");
    EXPECT_EQ(decodeCodePage(936, "\xCC\xE1\xC8\xA1\xCE\xC4\xBC\xFE"), "提取文件");
    EXPECT_EQ(encodeCodePage(936, "\xE2\x82\xAC"), "\x80");  // the euro sign, as Windows maps it
}

TEST(CodePage, CharacterOutsideTheCodePageIsRefusedWithItsName) {
    try {
        encodeCodePage(936, "Caf\xC3\xA9 \xF0\x9F\x98\x80");  // U+1F600 has no GBK form
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.kind(), ErrorKind::CodePage);
        const std::string message = e.what();
        EXPECT_NE(message.find("U+1F600"), std::string::npos) << message;
        EXPECT_NE(message.find("Caf"), std::string::npos) << message;
    }
}

TEST(CodePage, InvalidBytesDecodeLenientlyOrFail) {
    EXPECT_EQ(decodeCodePage(936, "a\xFFz"), "a\xEF\xBF\xBDz");
    EXPECT_THROW(decodeCodePage(936, "a\xFFz", false), Error);
}

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override { folder = makeTemporaryFolder("tolvane-test"); }
    void TearDown() override { removeFolderTree(folder); }
    std::string folder;
};

using AnsiTextFileTest = TempFolder;

TEST_F(AnsiTextFileTest, EveryValueEndsWithCrLfAndALineBreakValueGivesTwo) {
    if (ansiCodePage() != 936) GTEST_SKIP() << "the ANSI code page here is " << ansiCodePage();
    AnsiTextFile file(joinPath(folder, "out.txt"));
    file.writeLine("[general]");
    file.writeLine("description=App 1.0 整合包");
    file.writeLine("\r\n");
    file.commit();
    EXPECT_EQ(readFile(joinPath(folder, "out.txt")),
              "[general]\r\ndescription=App 1.0 \xD5\xFB\xBA\xCF\xB0\xFC\r\n\r\n\r\n");
}

TEST_F(AnsiTextFileTest, UnencodableTextLeavesTheOldFileUntouched) {
    const std::string path = joinPath(folder, "keep.txt");
    writeFileAtomic(path, "old");
    AnsiTextFile file(path);
    file.writeLine("fine");
    file.writeLine("\xF0\x9F\x98\x80");
    EXPECT_THROW(file.commit(), Error);
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(listFolder(folder).files.size(), 1u);  // no temporary file left beside it
}
