// Conversions of whole .reg files, compared byte for byte with the INF the
// converter writes (code page 936, CR LF).
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/file_system.h"
#include "tests/reg2inf/reg_test_files.h"
#include "tools/reg2inf/reg2inf.h"

using regtest::cp936;
using regtest::joinLines;

namespace {

class Conversion : public regtest::TempFolder {
protected:
    // Converts the bytes as a file and returns the output file's bytes.
    std::string convert(const std::string& regBytes, bool wholeInf) {
        const std::string input = write("input.reg", regBytes);
        reg2inf::ConvertOptions options;
        options.wholeInf = wholeInf;
        options.inlineText = true;
        reg2inf::convertRegFile(input, path("reg.bak"), options);
        return platform::readFile(path("reg.bak"));
    }
};

std::string hexRun(int from, int to) {
    std::string text;
    for (int i = from; i <= to; ++i) {
        char buffer[4];
        std::snprintf(buffer, sizeof buffer, "%02x", i);
        text += (i > from ? "," : "") + std::string(buffer);
    }
    return text;
}

// Every data type in one version 5.00 file as regedit writes it.
const std::initializer_list<std::string> kEveryTypeLines = {
    "Windows Registry Editor Version 5.00",
    "",
    "; exported for the test",
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tolvane\\App]",
    "@=\"默认值\"",
    "\"Path\"=\"C:\\\\Program Files\\\\App\\\\app.exe\"",
    "\"Quote\"=\"say \\\"hi\\\"; 100% sure, ok\"",
    "\"Count\"=dword:0000002a",
    "\"Flags\"=hex:00,ff,10",
    "\"Home\"=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,\\",
    "  25,00,5c,00,41,00,70,00,70,00,00,00",
    "\"List\"=hex(7):61,00,00,00,2d,4e,87,65,00,00,00,00",
    "\"Big\"=hex(b):00,10,00,00,00,00,00,00",
    "\"Nothing\"=hex(0):",
    "\"Raw4\"=hex(4):2a,00,00,00",
    "\"Be\"=hex(5):00,00,00,2a",
    "\"Sz\"=hex(1):4f,00,4b,00,00,00",
    "\"Empty\"=hex(7):00,00",
    "; a comment between keys",
    "",
    "[HKCU\\Software\\Tolvane]",
    "\"Name\"=\"用户\"",
    "\"Old\"=-",
    "[-HKEY_CLASSES_ROOT\\.tolvane]",
    "[HKU\\.DEFAULT\\Software\\Tolvane]",
    "",
};

const std::initializer_list<std::string> kEveryTypeInf = {
    "[Version]",
    "Signature=\"$CHICAGO$\"",
    "",
    "[DefaultInstall]",
    "DelReg=Reg2Inf_DelReg",
    "AddReg=Reg2Inf_AddReg",
    "",
    "[Reg2Inf_DelReg]",
    "HKCU,\"Software\\Tolvane\",\"Old\"",
    "HKCR,\".tolvane\"",
    "",
    "[Reg2Inf_AddReg]",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",,0x00000000,\"默认值\"",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"Path\",0x00000000,\"C:\\Program Files\\App\\app.exe\"",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"Quote\",0x00000000,\"say \"\"hi\"\"; 100%% sure, ok\"",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"Count\",0x00010001,0x0000002a",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"Flags\",0x00000001,00,ff,10",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"Home\",0x00020000,\"%%SystemRoot%%\\App\"",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"List\",0x00010000,\"a\",\"中文\"",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"Big\",0x000B0001,00,10,00,00,00,00,00,00",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"Nothing\",0x00020001",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"Raw4\",0x00010001,2a,00,00,00",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"Be\",0x00050001,00,00,00,2a",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"Sz\",0x00000000,\"OK\"",
    "HKLM,\"SOFTWARE\\Tolvane\\App\",\"Empty\",0x00010000",
    "HKCU,\"Software\\Tolvane\",\"Name\",0x00000000,\"用户\"",
    "HKU,\".DEFAULT\\Software\\Tolvane\",,0x00000010",
    "[Strings]",
};

}  // namespace

TEST_F(Conversion, UnicodeFileWithEveryDataTypeGivesAWholeInf) {
    REQUIRE_CODE_PAGE_936();
    EXPECT_EQ(convert(regtest::utf16LeFile(joinLines(kEveryTypeLines)), true), cp936(joinLines(kEveryTypeInf)));
}

TEST_F(Conversion, TheSameFileSavedAsUtf8OrWithLfOrWithoutMarkGivesTheSameInf) {
    REQUIRE_CODE_PAGE_936();
    const std::string expected = cp936(joinLines(kEveryTypeInf));
    const std::string text = joinLines(kEveryTypeLines);
    EXPECT_EQ(convert("\xEF\xBB\xBF" + text, true), expected) << "UTF-8 with a byte-order mark";
    EXPECT_EQ(convert(text, true), expected) << "UTF-8 without a mark";
    EXPECT_EQ(convert(joinLines(kEveryTypeLines, "\n"), true), expected) << "UTF-8, LF";
    EXPECT_EQ(convert(regtest::utf16LeFile(joinLines(kEveryTypeLines, "\n")), true), expected) << "UTF-16, LF";
    EXPECT_EQ(convert(regtest::utf16LeFile(text, false), true), expected) << "UTF-16 without a mark";
}

TEST_F(Conversion, Regedit4FileInTheAnsiCodePageWithLfGivesTheRegistrySectionsOnly) {
    REQUIRE_CODE_PAGE_936();
    // hex(2) and hex(7) hold code page bytes here: D6 D0 is 中.
    const std::string reg = cp936(joinLines(
        {
            "REGEDIT4",
            "",
            "[HKEY_CURRENT_USER\\Software\\应用]",
            "\"标题\"=\"中文 程序\"",
            "\"Exp\"=hex(2):25,50,41,54,48,25,3b,d6,d0,00",
            "\"Multi\"=hex(7):d6,d0,00,41,00,00",
            "\"Blob\"=hex:01,02,\\",
            "    ; a comment inside the continued data",
            "",
            "  03,04",
            "[HKEY_CURRENT_CONFIG\\Software\\Fonts]",
            "\"LogPixels\"=dword:00000060",
        },
        "\n"));
    EXPECT_EQ(convert(reg, false),
              cp936(joinLines({
                  "[Reg2Inf_AddReg]",
                  "HKCU,\"Software\\应用\",\"标题\",0x00000000,\"中文 程序\"",
                  "HKCU,\"Software\\应用\",\"Exp\",0x00020000,\"%%PATH%%;中\"",
                  "HKCU,\"Software\\应用\",\"Multi\",0x00010000,\"中\",\"A\"",
                  "HKCU,\"Software\\应用\",\"Blob\",0x00000001,01,02,03,04",
                  "HKLM,\"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts\",\"LogPixels\","
                  "0x00010001,0x00000060",
                  "[Strings]",
              })));
}

TEST_F(Conversion, ARegedit4FileSavedAgainAsUtf8IsReadAsUtf8) {
    REQUIRE_CODE_PAGE_936();
    const std::string expected =
        cp936(joinLines({"[Reg2Inf_AddReg]", "HKCU,\"Software\\应用\",\"标题\",0x00000000,\"中文 程序\"", "[Strings]"}));
    const std::string text = joinLines({"REGEDIT4", "[HKEY_CURRENT_USER\\Software\\应用]", "\"标题\"=\"中文 程序\""});
    EXPECT_EQ(convert(text, false), expected);
    EXPECT_EQ(convert(cp936(text), false), expected);
}

TEST_F(Conversion, LongBinaryDataIsWrappedWithContinuationsWithinEightyColumns) {
    std::string data;
    for (int i = 0; i < 60; ++i) data += hexRun(i, i) + (i + 1 < 60 ? "," : "");
    const std::string inf = convert(joinLines({"REGEDIT4", "[HKEY_LOCAL_MACHINE\\Software\\T]", "\"B\"=hex:" + data}), false);
    EXPECT_EQ(inf, joinLines({
                       "[Reg2Inf_AddReg]",
                       "HKLM,\"Software\\T\",\"B\",0x00000001," + hexRun(0x00, 0x0e) + ",\\",
                       "  " + hexRun(0x0f, 0x27) + ",\\",
                       "  " + hexRun(0x28, 0x3b),
                       "[Strings]",
                   }));
    std::size_t start = 0;
    while (start < inf.size()) {
        const std::size_t end = inf.find("\r\n", start);
        EXPECT_LE(end - start, 80u) << inf.substr(start, end - start);
        start = end + 2;
    }
}

TEST_F(Conversion, LongMultiStringsWrapBetweenTheirStrings) {
    std::string data;
    for (char letter = 'a'; letter <= 'f'; ++letter) {
        for (int i = 0; i < 20; ++i) data += hexRun(letter, letter) + ",00,";
        data += "00,00,";  // the string's NUL
    }
    data += "00,00";  // the list's NUL
    const std::string inf = convert(
        regtest::utf16LeFile(joinLines({"Windows Registry Editor Version 5.00", "[HKEY_LOCAL_MACHINE\\Software\\T]",
                                        "\"M\"=hex(7):" + data})),
        false);
    EXPECT_EQ(inf, joinLines({
                       "[Reg2Inf_AddReg]",
                       "HKLM,\"Software\\T\",\"M\",0x00010000,\"aaaaaaaaaaaaaaaaaaaa\",\"bbbbbbbbbbbbbbbbbbbb\",\\",
                       "  \"cccccccccccccccccccc\",\"dddddddddddddddddddd\",\"eeeeeeeeeeeeeeeeeeee\",\\",
                       "  \"ffffffffffffffffffff\"",
                       "[Strings]",
                   }));
}

TEST_F(Conversion, KeysWithoutValuesAreMadeAndDeletionsGoBeforeTheAddRegSection) {
    const std::string inf = convert(joinLines({
                                        "REGEDIT4",
                                        "[HKEY_LOCAL_MACHINE\\Software\\Empty\\]",
                                        "[HKEY_LOCAL_MACHINE\\Software\\OnlyDeletes]",
                                        "\"x\"=-",
                                        "[-HKEY_CURRENT_USER\\Software\\Gone]",
                                        "[HKEY_CURRENT_USER]",
                                        "\"AtRoot\"=\"1\"",
                                    }),
                                    false);
    EXPECT_EQ(inf, joinLines({
                       "[Reg2Inf_DelReg]",
                       "HKLM,\"Software\\OnlyDeletes\",\"x\"",
                       "HKCU,\"Software\\Gone\"",
                       "",
                       "[Reg2Inf_AddReg]",
                       "HKLM,\"Software\\Empty\",,0x00000010",
                       "HKLM,\"Software\\OnlyDeletes\",,0x00000010",
                       "HKCU,,\"AtRoot\",0x00000000,\"1\"",
                       "[Strings]",
                   }));
}

TEST_F(Conversion, LetterCaseBlanksAndEscapesAsRegeditAcceptsThem) {
    const std::string inf = convert(joinLines({
                                        "Windows Registry Editor Version 5.00   ",
                                        "  [hkey_local_machine\\Software\\Case]  ",
                                        "\"A\" = DWORD:FFFFFFFF  ",
                                        "\"B\"=HEX(B):01,02,03,04,05,06,07,08",
                                        "\"C\\\\D\"=\"back\\\\slash \\\"quoted\\\" = ;comma,\"",
                                        "\"Pct\"=\"%%\"",
                                        "\"\"=\"empty name is the default\"",
                                        "\"Trail\"=hex:0A,b,",
                                    }),
                                    false);
    EXPECT_EQ(inf, joinLines({
                       "[Reg2Inf_AddReg]",
                       "HKLM,\"Software\\Case\",\"A\",0x00010001,0xffffffff",
                       "HKLM,\"Software\\Case\",\"B\",0x000B0001,01,02,03,04,05,06,07,08",
                       "HKLM,\"Software\\Case\",\"C\\D\",0x00000000,\"back\\slash \"\"quoted\"\" = ;comma,\"",
                       "HKLM,\"Software\\Case\",\"Pct\",0x00000000,\"%%%%\"",
                       "HKLM,\"Software\\Case\",,0x00000000,\"empty name is the default\"",
                       "HKLM,\"Software\\Case\",\"Trail\",0x00000001,0a,0b",
                       "[Strings]",
                   }));
}

TEST_F(Conversion, AFileWithOnlyItsHeaderGivesAnEmptyAddRegSection) {
    EXPECT_EQ(convert("REGEDIT4\r\n", false), "[Reg2Inf_AddReg]\r\n[Strings]\r\n");
    EXPECT_EQ(convert(regtest::utf16LeFile("Windows Registry Editor Version 5.00\r\n\r\n"), true),
              joinLines({"[Version]", "Signature=\"$CHICAGO$\"", "", "[DefaultInstall]", "AddReg=Reg2Inf_AddReg", "",
                         "[Reg2Inf_AddReg]", "[Strings]"}));
}

TEST_F(Conversion, AStringOfTheLongestFieldFitsOnItsLine) {
    const std::string text(4096, 'x');
    EXPECT_EQ(convert(joinLines({"REGEDIT4", "[HKEY_CURRENT_USER\\T]", "\"L\"=\"" + text + "\""}), false),
              joinLines({"[Reg2Inf_AddReg]", "HKCU,\"T\",\"L\",0x00000000,\"" + text + "\"", "[Strings]"}));
}

TEST_F(Conversion, AnExistingOutputIsReplaced) {
    write("reg.bak", "old contents that are longer than the new ones, to see they are gone");
    EXPECT_EQ(convert("REGEDIT4\r\n", false), "[Reg2Inf_AddReg]\r\n[Strings]\r\n");
}
