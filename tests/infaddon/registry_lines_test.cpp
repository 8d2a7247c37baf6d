// Which converter lines the registry import collects, and the delete-registry
// lines derived from them.
#include <gtest/gtest.h>

#include <string>

#include "infaddon/registry_import.h"

using infaddon::collectRegistryLines;
using infaddon::deriveDeleteRegistryLines;

namespace {

std::string crlf(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// Each line preceded by CR LF, as the collected lines are kept.
std::string collected(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += "\r\n" + line;
    return text;
}

}  // namespace

TEST(CollectRegistryLines, TakesExactlyTheLinesBetweenTheAddRegHeaderAndStrings) {
    const std::string output = crlf({
        "[Version]",
        "Signature=\"$CHICAGO$\"",
        "[Reg2Inf_DelReg]",
        "HKCU,\"Software\\Gone\"",
        "",
        "[Reg2Inf_AddReg]",
        "HKLM,\"Software\\App\",\"A\",0x00000000,\"1\"",
        "",
        "; a comment stays",
        "HKLM,\"Software\\App\",\"B\",0x00000001,01,\\",
        "  02",
        "[Strings]",
        "key = \"value\"",
    });
    EXPECT_EQ(collectRegistryLines(output), collected({
                                                "HKLM,\"Software\\App\",\"A\",0x00000000,\"1\"",
                                                "",
                                                "; a comment stays",
                                                "HKLM,\"Software\\App\",\"B\",0x00000001,01,\\",
                                                "  02",
                                            }));
}

TEST(CollectRegistryLines, NothingWithoutAnAddRegHeader) {
    EXPECT_EQ(collectRegistryLines(crlf({"[Version]", "[Reg2Inf_DelReg]", "HKCU,\"X\"", "[Strings]"})), "");
    EXPECT_EQ(collectRegistryLines(crlf({"[Reg2Inf_addreg]", "HKCU,\"X\",\"a\",,\"1\""})), "") << "case-sensitive";
    EXPECT_EQ(collectRegistryLines(""), "");
}

TEST(CollectRegistryLines, AnAddRegSectionAtTheEndRunsToTheEndOfTheFile) {
    EXPECT_EQ(collectRegistryLines(crlf({"[A_AddReg]", "L1", "L2"})), collected({"L1", "L2"}));
    // The last line without its line end is a line too.
    EXPECT_EQ(collectRegistryLines("[A_AddReg]\r\nL1\r\nL2"), collected({"L1", "L2"}));
    // A blank last line is collected; nothing after the last line end is none.
    EXPECT_EQ(collectRegistryLines("[A_AddReg]\r\nL1\r\n\r\n"), collected({"L1", ""}));
}

TEST(CollectRegistryLines, StringsInAnotherCaseDoesNotStopIt) {
    EXPECT_EQ(collectRegistryLines(crlf({"[A_AddReg]", "L1", "[strings]", "L2", "[Strings]", "L3"})),
              collected({"L1", "[strings]", "L2"}));
}

TEST(CollectRegistryLines, TheTestsStandAroundTheAppend) {
    // A further header before [Strings] is collected; a later _AddReg header
    // switches collecting on again without being collected itself.
    EXPECT_EQ(collectRegistryLines(crlf({"[A_AddReg]", "L1", "[Other]", "L2", "[Strings]", "x", "[B_AddReg]", "L3"})),
              collected({"L1", "[Other]", "L2", "L3"}));
    // [Strings] is tested by its first nine characters, _AddReg] by the last eight.
    EXPECT_EQ(collectRegistryLines(crlf({"[A_AddReg]", "L1", "[Strings] ; more", "L2"})), collected({"L1"}));
    EXPECT_EQ(collectRegistryLines(crlf({"[A_AddReg] ", "L1"})), "");
    // A line that is both ends the collecting and starts it again.
    EXPECT_EQ(collectRegistryLines(crlf({"[A_AddReg]", "L1", "[Strings]_AddReg]", "L2"})), collected({"L1", "L2"}));
}

TEST(CollectRegistryLines, LfLineEndsAreLineEndsToo) {
    EXPECT_EQ(collectRegistryLines("[A_AddReg]\nL1\nL2\n[Strings]\n"), collected({"L1", "L2"}));
}

TEST(DeriveDeleteRegistryLines, OnePlainValueDeletionPerNamedValue) {
    const std::string lines = collected({
        "HKLM,\"Software\\App\",\"Name\",0x00000000,\"text\"",
        "HKLM,\"Software\\App\",\"Count\",0x00010001,0x0000002a",
        "HKLM,\"Software\\App\",\"Home\",0x00020000,\"%%SystemRoot%%\"",
        "HKLM,\"Software\\App\",\"List\",0x00010000,\"a\",\"b\"",
        "HKCU,\"Software\\App\",\"Say \"\"hi\"\", 100%%\",,\"x\"",
        "HKCR,.tol,plain",
    });
    EXPECT_EQ(deriveDeleteRegistryLines(lines), collected({
                                                    "HKLM,\"Software\\App\",\"Name\"",
                                                    "HKLM,\"Software\\App\",\"Count\"",
                                                    "HKLM,\"Software\\App\",\"Home\"",
                                                    "HKLM,\"Software\\App\",\"List\"",
                                                    "HKCU,\"Software\\App\",\"Say \"\"hi\"\", 100%%\"",
                                                    "HKCR,.tol,plain",
                                                }));
}

TEST(DeriveDeleteRegistryLines, DefaultValuesAndKeysAreLeftInPlace) {
    const std::string lines = collected({
        "HKCR,\".txt\",,0x00000000,\"txtfile\"",
        "HKCR,\".txt\",\"\",0x00000000,\"txtfile\"",
        "HKCR,\".txt\"",
        "HKLM,\"Software\\Empty\",,0x00000010",
        "HKLM,\"Software\\Empty\",\"v\",0x00000010",
        "HKLM,\"Software\\Old\",\"gone\",0x00000004",
        "HKLM,\"Software\\Old\",,0x00000004",
    });
    EXPECT_EQ(deriveDeleteRegistryLines(lines), "");
}

TEST(DeriveDeleteRegistryLines, ValuesThePackageDoesNotOwnAreLeft) {
    // Set only where none was, changed only where one was, or strings
    // appended to an existing multi-string: the value may be the user's.
    EXPECT_EQ(deriveDeleteRegistryLines(collected({
                  "HKLM,\"S\",\"NoClobber\",0x00000002,\"x\"",
                  "HKLM,\"S\",\"OverwriteOnly\",0x00000020,\"x\"",
                  "HKLM,\"S\",\"Append\",0x00010008,\"x\"",
                  "HKLM,\"S\",\"Mine\",0x00000001,01",
              })),
              collected({"HKLM,\"S\",\"Mine\""}));
}

TEST(DeriveDeleteRegistryLines, ContinuedDataIsPartOfItsValue) {
    const std::string lines = collected({
        "HKLM,\"Software\\App\",\"Blob\",0x00000001,01,02,\\",
        "  03,04,\\",
        "  HKLM,\"Looks\",\"LikeALine\",,\"but is data\"",
        "HKLM,\"Software\\App\",\\",
        "  \"SplitName\",0x00000000,\"x\"",
        "HKLM,\"Software\\App\",\"Comment\",,\"x\" ; ends in \\",
        "HKLM,\"Software\\App\",\"AfterComment\",,\"x\"",
        "; a comment line ending in \\",
        "HKLM,\"Software\\App\",\"AfterCommentLine\",,\"x\"",
        "HKLM,\"Software\\App\",\"Path\",,\"C:\\\"",
        "HKLM,\"Software\\App\",\"AfterPath\",,\"x\"",
    });
    EXPECT_EQ(deriveDeleteRegistryLines(lines), collected({
                                                    "HKLM,\"Software\\App\",\"Blob\"",
                                                    "HKLM,\"Software\\App\",\"SplitName\"",
                                                    "HKLM,\"Software\\App\",\"Comment\"",
                                                    "HKLM,\"Software\\App\",\"AfterComment\"",
                                                    "HKLM,\"Software\\App\",\"AfterCommentLine\"",
                                                    "HKLM,\"Software\\App\",\"Path\"",
                                                    "HKLM,\"Software\\App\",\"AfterPath\"",
                                                }));
}

TEST(DeriveDeleteRegistryLines, BlankCommentAndHeaderLinesGiveNothing) {
    EXPECT_EQ(deriveDeleteRegistryLines(collected({"", "   ", "; HKLM,\"S\",\"v\"", "[Other]", "Signature=x"})), "");
    EXPECT_EQ(deriveDeleteRegistryLines(""), "");
}
