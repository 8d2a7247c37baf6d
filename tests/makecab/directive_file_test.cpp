// Directive files: quoted and bare names, destination names, .Set and the
// other directives, comments, variables in lines, and the errors that name
// the file and the line.
#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "platform/error.h"
#include "tests/cabinet/cabinet_fixture.h"
#include "tools/makecab/directive_file.h"

namespace {

using makecab::FileLine;
using makecab::Variables;

std::vector<FileLine> parse(const std::string& text, Variables& v) {
    return makecab::parseDirectiveText(text, "list.txt", v);
}
std::vector<FileLine> parse(const std::string& text) {
    Variables v;
    return parse(text, v);
}

std::string errorOf(const std::string& text) {
    try {
        parse(text);
    } catch (const platform::Error& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST(DirectiveFile, TheBuildersLinesGiveFullPathsStoredUnderBareNames) {
    const auto files = parse("\"C:\\prog\\提取文件\\App_a.exe\"\r\n\"C:\\prog\\提取文件\\read me.txt\"\r\n");
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].source, "C:\\prog\\提取文件\\App_a.exe");
    EXPECT_EQ(files[0].storedName, "App_a.exe");
    EXPECT_EQ(files[1].source, "C:\\prog\\提取文件\\read me.txt");
    EXPECT_EQ(files[1].storedName, "read me.txt");
    EXPECT_EQ(files[1].where(), "list.txt(2)");
    const auto package = parse("\"Entries_App.ini\"\r\n\"App.inf\"\r\n\"App.cab\"\r\n");
    ASSERT_EQ(package.size(), 3u);
    EXPECT_EQ(package[2].source, "App.cab");
    EXPECT_EQ(package[2].storedName, "App.cab");
}

TEST(DirectiveFile, NamesQuotedOrBareWithDestinationsCommentsAndOptions) {
    const auto files = parse(
        "; a comment line\n"
        "\n"
        "   plain.txt   \n"
        "src/a.bin  stored.bin ; trailing comment\n"
        "\"x y.txt\" \"in cab.txt\"\n"
        "\"semi;colon.txt\"\n"
        "\"say \"\"hi\"\".txt\" /inf=no /unique=no\n"
        "\tdir\\tab.txt\tother.txt\n");
    ASSERT_EQ(files.size(), 6u);
    EXPECT_EQ(files[0].source, "plain.txt");
    EXPECT_EQ(files[0].lineNumber, 3);
    EXPECT_EQ(files[1].source, "src/a.bin");
    EXPECT_EQ(files[1].storedName, "stored.bin");
    EXPECT_EQ(files[2].source, "x y.txt");
    EXPECT_EQ(files[2].storedName, "in cab.txt");
    EXPECT_EQ(files[3].source, "semi;colon.txt");
    EXPECT_EQ(files[4].source, "say \"hi\".txt");
    EXPECT_FALSE(files[4].unique);
    EXPECT_TRUE(files[0].unique);
    EXPECT_EQ(files[5].storedName, "other.txt");
}

TEST(DirectiveFile, SetChangesVariablesForTheLinesAfterIt) {
    Variables v;
    const auto files = parse(
        ".Set CompressionType=LZX\n"
        ".set compressionmemory=15\n"
        ".Set CabinetNameTemplate=\"out dir\\x.cab\"\n"
        "a.txt\n"
        ".Set DestinationDir=sub\n"
        ".Set SourceDir=C:\\src\n"
        "b.txt\n"
        "D:\\abs\\c.txt\n"
        ".Set DestinationDir=\n"
        ".Option Explicit\n"
        ".Define Where=folder\n"
        "%where%\\d.txt %WHERE%_d.txt\n"
        "100%.txt\n"
        ".New Folder\n"
        ".InfBegin File\n"
        "not a file line\n"
        ".InfEnd\n"
        ".Dump\n",
        v);
    ASSERT_EQ(files.size(), 5u);
    EXPECT_EQ(files[0].storedName, "a.txt");
    EXPECT_EQ(files[1].source, "C:\\src\\b.txt");
    EXPECT_EQ(files[1].storedName, "sub\\b.txt");
    EXPECT_EQ(files[2].source, "D:\\abs\\c.txt");
    EXPECT_EQ(files[3].source, "C:\\src\\folder\\d.txt");
    EXPECT_EQ(files[3].storedName, "folder_d.txt");
    EXPECT_EQ(files[4].storedName, "100%.txt");
    const makecab::Settings s = makecab::settingsFrom(v);
    EXPECT_EQ(s.method, cabinet::Method::Lzx);
    EXPECT_EQ(s.compressionMemory, 15);
    EXPECT_EQ(s.cabinetName, "out dir\\x.cab");
}

TEST(DirectiveFile, BadLinesNameTheFileAndLine) {
    EXPECT_EQ(errorOf("a.txt\n.Set NoSuchVariable=1\n"),
              "list.txt(2): Unknown variable: NoSuchVariable. Check its spelling, or make it first with .Define.");
    EXPECT_EQ(errorOf(".Set CompressionMemory=22\n"),
              "list.txt(1): The value \"22\" of the variable CompressionMemory is not valid: a window size from 15 "
              "to 21 is needed.");
    EXPECT_EQ(errorOf("a.txt\n\n\"unterminated.txt\n"), "list.txt(3): a quoted name has no closing quote.");
    EXPECT_EQ(errorOf("a b c\n"), "list.txt(1): too many names; put a name with blanks in quotes: \"a b c\".");
    EXPECT_EQ(errorOf(".Frobnicate\n"), "list.txt(1): unknown directive \".Frobnicate\".");
    EXPECT_EQ(errorOf(".Set CompressionType\n"), "list.txt(1): .set needs Variable=Value.");
    EXPECT_EQ(errorOf("a.txt /color=red\n"), "list.txt(1): unknown file option \"/color=red\".");
    EXPECT_EQ(errorOf(".New Cabinet\n"), "list.txt(1): .New Cabinet: this makecab makes one cabinet per run.");
    EXPECT_EQ(errorOf("\"\"\n"), "list.txt(1): the line names no file.");
    EXPECT_EQ(errorOf("C:\\folder\\\n"), "list.txt(1): \"C:\\folder\\\" names a folder, not a file.");
    EXPECT_EQ(errorOf(".InfBegin File\nx\n"), "list.txt(2): .InfBegin has no .InfEnd.");
}

class DirectiveFileOnDisk : public cabtest::TempFolderTest {};

TEST_F(DirectiveFileOnDisk, IsReadInTheAnsiCodePage) {
    write("list.txt", platform::encodeCodePage(936, "\"提取文件\\中文.txt\"\r\n"));
    Variables v;
    const auto files = makecab::readDirectiveFile("list.txt", v);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].source, "提取文件\\中文.txt");
    EXPECT_EQ(files[0].storedName, "中文.txt");
}

TEST_F(DirectiveFileOnDisk, IsReadAsUtf8AfterAByteOrderMark) {
    write("list.txt", "\xEF\xBB\xBF\"提取文件\\한국.txt\"\r\n\"b.txt\"\r\n");
    Variables v;
    const auto files = makecab::readDirectiveFile("list.txt", v);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].source, "提取文件\\한국.txt");
    EXPECT_EQ(files[0].storedName, "한국.txt");
    EXPECT_EQ(files[1].lineNumber, 2);
    // Bytes that are no UTF-8 there name their line.
    write("list.txt", "\xEF\xBB\xBF\"a.txt\"\r\n\"\xD6\xD0.txt\"\r\n");
    try {
        makecab::readDirectiveFile("list.txt", v);
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("list.txt(2): ", 0), 0u) << e.what();
    }
}

TEST_F(DirectiveFileOnDisk, BytesTheCodePageCannotReadNameTheLine) {
    // 0x81 0x20 is no character of code page 936 (a lead byte without its trail).
    write("list.txt", std::string("a.txt\r\nb\x81 .txt\r\n"));
    Variables v;
    try {
        makecab::readDirectiveFile("list.txt", v);
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("list.txt(2): ", 0), 0u) << e.what();
    }
}

TEST_F(DirectiveFileOnDisk, AMissingDirectiveFileSaysSo) {
    Variables v;
    try {
        makecab::readDirectiveFile("nothere.txt", v);
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        EXPECT_EQ(std::string(e.what()), "The directive file \"nothere.txt\" does not exist.");
    }
}
