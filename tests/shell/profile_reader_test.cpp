// The profile reader: how language files and "language.txt" are read.
#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "shell/profile_reader.h"

using shell::findProfileValue;

namespace {
const std::string kZhong = "\xE4\xB8\xAD";  // 中, D6 D0 in code page 936

std::string repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}
}  // namespace

TEST(ProfileReader, SectionAndKeyMatchInAnyLetterCase) {
    const std::string file = "[BUTTONS]\r\nNEXT=Go on\r\n[main]\r\nZTitle=T\r\n";
    EXPECT_EQ(findProfileValue(file, "Buttons", "next"), "Go on");
    EXPECT_EQ(findProfileValue(file, "Main", "ztitle"), "T");
    EXPECT_EQ(findProfileValue(file, " Main ", " ztitle\t"), "T");
}

TEST(ProfileReader, BlanksAndOnePairOfMatchingQuotesAreDropped) {
    const std::string file =
        "[S]\r\n"
        "\t plain \t=\t  two  words \t \r\n"
        "quoted=  \"  inner blanks kept  \"  \r\n"
        "single='one'\r\n"
        "twice=\"\"x\"\"\r\n"
        "mismatched=\"abc'\r\n"
        "lone=\"\r\n"
        "empty=\"\"\r\n"
        "inner=a \"b\"\r\n"
        "fullwidth=\xA1\xA1x\xA1\xA1\r\n";  // U+3000 is no blank to the reader
    EXPECT_EQ(findProfileValue(file, "S", "plain"), "two  words");
    EXPECT_EQ(findProfileValue(file, "S", "quoted"), "  inner blanks kept  ");
    EXPECT_EQ(findProfileValue(file, "S", "single"), "one");
    EXPECT_EQ(findProfileValue(file, "S", "twice"), "\"x\"");
    EXPECT_EQ(findProfileValue(file, "S", "mismatched"), "\"abc'");
    EXPECT_EQ(findProfileValue(file, "S", "lone"), "\"");
    EXPECT_EQ(findProfileValue(file, "S", "empty"), "");
    EXPECT_EQ(findProfileValue(file, "S", "inner"), "a \"b\"");
    EXPECT_EQ(findProfileValue(file, "S", "fullwidth"), "\xE3\x80\x80x\xE3\x80\x80");
}

TEST(ProfileReader, LongValuesAreCutTo254AnsiBytesOnWholeCharacters) {
    const std::string file = "[S]\r\n"
                             "ascii=" + std::string(300, 'x') + "\r\n" +
                             "even=" + repeat("\xD6\xD0", 150) + "\r\n" +
                             "odd=a" + repeat("\xD6\xD0", 150) + "\r\n" +
                             "quoted=\"" + std::string(300, 'y') + "\"\r\n" +
                             "exact=" + std::string(254, 'z') + "\r\n";
    EXPECT_EQ(findProfileValue(file, "S", "ascii"), std::string(254, 'x'));
    // 127 double-byte characters fill the 254 bytes exactly.
    EXPECT_EQ(findProfileValue(file, "S", "even"), repeat(kZhong, 127));
    // After one single byte, the 127th character would straddle the cut: it goes.
    const std::string odd = findProfileValue(file, "S", "odd");
    EXPECT_EQ(odd, "a" + repeat(kZhong, 126));
    EXPECT_EQ(platform::encodeCodePage(936, odd).size(), 253u);
    // The quotes go first, then the cut.
    EXPECT_EQ(findProfileValue(file, "S", "quoted"), std::string(254, 'y'));
    EXPECT_EQ(findProfileValue(file, "S", "exact"), std::string(254, 'z'));
}

// The message and caption texts are read whole, whatever their length.
TEST(ProfileReader, AWholeValueIsNotCut) {
    const std::string file = "[S]\r\n"
                             "ascii=" + std::string(300, 'x') + "\r\n" +
                             "zh=" + repeat("\xD6\xD0", 150) + "\r\n" +
                             "quoted=\"" + std::string(300, 'y') + "\"\r\n";
    EXPECT_EQ(findProfileValue(file, "S", "ascii", shell::ValueLength::Whole), std::string(300, 'x'));
    EXPECT_EQ(findProfileValue(file, "S", "zh", shell::ValueLength::Whole), repeat(kZhong, 150));
    EXPECT_EQ(findProfileValue(file, "S", "quoted", shell::ValueLength::Whole), std::string(300, 'y'));
}

TEST(ProfileReader, MissingSectionOrKeyGivesEmpty) {
    const std::string file = "[S]\r\nk=v\r\nflag\r\nflag=later\r\n";
    EXPECT_EQ(findProfileValue(file, "T", "k"), "");
    EXPECT_EQ(findProfileValue(file, "S", "other"), "");
    // A line without "=" is a key without a value, and hides a later one.
    EXPECT_EQ(findProfileValue(file, "S", "flag"), "");
    EXPECT_EQ(findProfileValue("", "S", "k"), "");
}

TEST(ProfileReader, FirstSectionAndFirstKeyOfANameWin) {
    const std::string file = "[S]\r\nk=first\r\nK=second\r\n[s]\r\nk=third\r\nlate=later section\r\n";
    EXPECT_EQ(findProfileValue(file, "S", "k"), "first");
    EXPECT_EQ(findProfileValue(file, "S", "late"), "");
}

TEST(ProfileReader, LineShapes) {
    const std::string file =
        "top=before any section\r\n"
        "; note=a semicolon starts no comment\r\n"
        "[S]trailing text\r\n"
        "eq=a=b\r\n"
        "semi=value ; not a comment\r\n"
        "=no name\r\n"
        "[B]]\r\n"
        "b=in B]\r\n"
        "[Open\r\n"
        "open=still in B]\r\n"
        "\x1a\r\n";
    EXPECT_EQ(findProfileValue(file, "S", "top"), "");
    EXPECT_EQ(findProfileValue(file, "", "top"), "before any section");
    EXPECT_EQ(findProfileValue(file, "", "; note"), "a semicolon starts no comment");
    EXPECT_EQ(findProfileValue(file, "S", "eq"), "a=b");
    EXPECT_EQ(findProfileValue(file, "S", "semi"), "value ; not a comment");
    EXPECT_EQ(findProfileValue(file, "B]", "b"), "in B]");
    EXPECT_EQ(findProfileValue(file, "B]", "open"), "still in B]");
}

TEST(ProfileReader, DoubleByteTrailBytesAreNoBrackets) {
    // 0x81 0x5D is one character; its second byte is no "]". Read byte by
    // byte, the line would open a section "X\x81" and take "k" away from S.
    const std::string file = "[S]\r\n[X\x81\x5D\r\nk=v\r\n";
    EXPECT_EQ(findProfileValue(file, "S", "k"), "v");
}

TEST(ProfileReader, LineEndsAndByteOrderMarks) {
    EXPECT_EQ(findProfileValue("[S]\nk=lf\n", "S", "k"), "lf");
    EXPECT_EQ(findProfileValue("[S]\rk=cr\rj=2", "S", "j"), "2");
    EXPECT_EQ(findProfileValue("[S]\r\nk=last", "S", "k"), "last");
    EXPECT_EQ(findProfileValue("\xEF\xBB\xBF[S]\r\nk=" + kZhong + "\r\n", "S", "k"), kZhong);
    const std::string utf16 = std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\x2D\x4E", 18);
    EXPECT_EQ(findProfileValue(utf16, "S", "k"), kZhong);
    EXPECT_EQ(findProfileValue("[S]\r\nk=\xD6\xD0\r\n", "S", "k"), kZhong);
}

TEST(ProfileReader, MissingFileGivesEmpty) {
    const std::string folder = platform::makeTemporaryFolder("tolvane-profile");
    EXPECT_EQ(shell::readProfileString(platform::joinPath(folder, "none.lng"), "S", "k"), "");
    platform::writeFileAtomic(platform::joinPath(folder, "some.lng"), "[S]\r\nk=v\r\n");
    EXPECT_EQ(shell::readProfileString(folder + "\\some.lng", "s", "K"), "v");
    platform::removeFolderTree(folder);
}
