// Files the converter refuses: the message names the file and the line (or
// the key and value), and no output is written.
#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/file_system.h"
#include "tests/reg2inf/reg_test_files.h"
#include "tools/reg2inf/reg2inf.h"

using regtest::joinLines;

namespace {

struct BadFile {
    const char* what;
    std::string bytes;
    int line;               // the line the message must name
    const char* reasonPart;  // a piece of the reason
};

class ReadingErrors : public regtest::TempFolder {
protected:
    // Converts and returns the error; fails the test when none is thrown or
    // an output file appears.
    platform::Error refused(const std::string& bytes) {
        const std::string input = write("bad.reg", bytes);
        try {
            reg2inf::convertRegFile(input, path("reg.bak"), {});
        } catch (const platform::Error& e) {
            EXPECT_FALSE(platform::fileExists(path("reg.bak"))) << "an output was written";
            EXPECT_EQ(platform::listFolder(folder).files, std::vector<std::string>{"bad.reg"}) << "a file was left";
            return e;
        }
        ADD_FAILURE() << "converted without an error";
        return platform::Error(platform::ErrorKind::BadInput, "");
    }
};

const char kV5[] = "Windows Registry Editor Version 5.00";
const char kKey[] = "[HKEY_LOCAL_MACHINE\\Software\\T]";

}  // namespace

TEST_F(ReadingErrors, ALineThatCannotBeReadIsNamedByFileAndLine) {
    const std::vector<BadFile> files = {
        {"no header", joinLines({"REGEDIT5", kKey}), 1, "REGEDIT4"},
        {"empty file", "", 1, "empty"},
        {"junk line", joinLines({kV5, "", kKey, "\"a\"=\"1\"", "hello"}), 5, "neither a key"},
        {"key without ]", joinLines({kV5, "[HKEY_LOCAL_MACHINE\\Software"}), 2, "]"},
        {"unknown root", joinLines({kV5, "[HKEY_DYN_DATA\\X]"}), 2, "HKEY_DYN_DATA"},
        {"whole root deleted", joinLines({kV5, "[-HKEY_CURRENT_USER]"}), 2, "whole root"},
        {"value before a key", joinLines({kV5, "\"a\"=\"1\""}), 2, "before the first key"},
        {"value under a deleted key", joinLines({kV5, "[-HKEY_CURRENT_USER\\X]", "\"a\"=\"1\""}), 3, "[-"},
        {"no =", joinLines({kV5, kKey, "\"a\" \"1\""}), 3, "\"=\""},
        {"no closing quote", joinLines({kV5, kKey, "\"a\"=\"1"}), 3, "closing quote"},
        {"unknown escape", joinLines({kV5, kKey, "\"a\"=\"C:\\temp\""}), 3, "\\t"},
        {"text after a string", joinLines({kV5, kKey, "\"a\"=\"1\" 2"}), 3, "after the string"},
        {"dword too long", joinLines({kV5, kKey, "\"a\"=dword:123456789"}), 3, "8 hex digits"},
        {"dword empty", joinLines({kV5, kKey, "\"a\"=dword:"}), 3, "hex digits"},
        {"unknown data", joinLines({kV5, kKey, "\"a\"=str(2):\"x\""}), 3, "unknown data"},
        {"three hex digits", joinLines({kV5, kKey, "\"a\"=hex:001"}), 3, "two hex digits"},
        {"bad hex type", joinLines({kV5, kKey, "\"a\"=hex(z):00"}), 3, "hex("},
        {"bad byte on a continued line", joinLines({kV5, kKey, "\"a\"=hex:00,\\", "; note", "  01,zz"}), 5, "\"z\""},
        {"continued past the end", joinLines({kV5, kKey, "\"a\"=hex:00,\\", ""}), 3, "no line follows"},
        {"default value deleted", joinLines({kV5, kKey, "@=-"}), 3, "default value"},
        {"invalid UTF-8 after a mark", "\xEF\xBB\xBF" + joinLines({kV5, kKey, "\"a\"=\"\xC3\x28\""}), 3, "UTF-8"},
        {"byte outside the code page", joinLines({"REGEDIT4", kKey, "\"a\"=\"\xFF\xFF\""}), 3, "code page 936"},
        {"odd Unicode file", regtest::utf16LeFile(joinLines({kV5, kKey})) + "x", 2, "even"},
    };
    for (const BadFile& file : files) {
        const platform::Error e = refused(file.bytes);
        const std::string message = e.what();
        EXPECT_EQ(e.kind(), platform::ErrorKind::BadInput) << file.what;
        EXPECT_NE(message.find(path("bad.reg")), std::string::npos) << file.what << ": " << message;
        EXPECT_NE(message.find("line " + std::to_string(file.line) + ":"), std::string::npos)
            << file.what << ": " << message;
        EXPECT_NE(message.find(file.reasonPart), std::string::npos) << file.what << ": " << message;
    }
}

TEST_F(ReadingErrors, TextTheCodePageCannotHoldNamesTheKeyAndValue) {
    REQUIRE_CODE_PAGE_936();
    const std::string thai = "\xE0\xB8\x81";  // U+0E01, not in code page 936
    struct Case {
        std::string line;
        const char* value;
    };
    const std::vector<Case> cases = {
        {"\"Title\"=\"A" + thai + "\"", "value \"Title\""},
        {"\"" + thai + "\"=\"x\"", "value \"" },
        {"@=\"" + thai + "\"", "default value @"},
        // hex(2) holding U+0E01 in UTF-16LE
        {"\"Exp\"=hex(2):01,0e,00,00", "value \"Exp\""},
        {"\"Many\"=hex(7):41,00,00,00,01,0e,00,00,00,00", "value \"Many\""},
    };
    for (const Case& c : cases) {
        const platform::Error e = refused(regtest::utf16LeFile(joinLines({kV5, "", kKey, c.line})));
        const std::string message = e.what();
        EXPECT_EQ(e.kind(), platform::ErrorKind::CodePage) << message;
        EXPECT_NE(message.find("line 4"), std::string::npos) << message;
        EXPECT_NE(message.find("[HKEY_LOCAL_MACHINE\\Software\\T]"), std::string::npos) << message;
        EXPECT_NE(message.find(c.value), std::string::npos) << message;
        EXPECT_NE(message.find("U+0E01"), std::string::npos) << message;
    }
    // In the key itself.
    const platform::Error e = refused(regtest::utf16LeFile(joinLines({kV5, "[HKEY_CURRENT_USER\\" + thai + "]"})));
    EXPECT_NE(std::string(e.what()).find("U+0E01"), std::string::npos) << e.what();
}

TEST_F(ReadingErrors, ValuesAnInfLineCannotHoldAreRefusedWithTheirNames) {
    struct Case {
        std::string line;
        const char* reasonPart;
    };
    const std::vector<Case> cases = {
        {"\"Two\"=hex(1):41,00,0a,00,42,00,00,00", "line break"},
        {"\"Nul\"=hex(2):41,00,00,00,42,00,00,00", "NUL"},
        {"\"Odd\"=hex(2):41,00,42", "odd number"},
        {"\"Wide\"=hex(12345):00", "above ffff"},
        {"\"Long\"=\"" + std::string(4097, 'x') + "\"", "at most 4096"},
    };
    for (const Case& c : cases) {
        const platform::Error e = refused(joinLines({kV5, kKey, c.line}));
        const std::string message = e.what();
        const std::string name = c.line.substr(0, c.line.find('='));
        EXPECT_NE(message.find("value " + name), std::string::npos) << message;
        EXPECT_NE(message.find("[HKEY_LOCAL_MACHINE\\Software\\T]"), std::string::npos) << message;
        EXPECT_NE(message.find(c.reasonPart), std::string::npos) << message;
    }
}

TEST_F(ReadingErrors, ARefusedFileLeavesAnEarlierOutputAsItWas) {
    write("reg.bak", "earlier");
    const std::string input = write("bad.reg", joinLines({kV5, "junk"}));
    EXPECT_THROW(reg2inf::convertRegFile(input, path("reg.bak"), {}), platform::Error);
    EXPECT_EQ(platform::readFile(path("reg.bak")), "earlier");
}

TEST_F(ReadingErrors, AMissingInputIsNamed) {
    try {
        reg2inf::convertRegFile(path("none.reg"), path("reg.bak"), {});
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        EXPECT_NE(std::string(e.what()).find("none.reg"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(platform::fileExists(path("reg.bak")));
}
