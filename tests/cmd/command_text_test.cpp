#include <gtest/gtest.h>

#include <map>

#include "tools/cmd/command_text.h"
#include "tools/cmd/program_runner.h"
#include "tools/cmd/windows_names.h"

using namespace batch;

namespace {

VariableLookup table(std::map<std::string, std::string> values) {
    return [values](const std::string& name, std::string& value) {
        const auto it = values.find(name);
        if (it == values.end()) return false;
        value = it->second;
        return true;
    };
}

std::vector<std::string> texts(const std::vector<Word>& words) {
    std::vector<std::string> out;
    for (const auto& w : words) out.push_back(w.text);
    return out;
}

}  // namespace

TEST(CommandText, TheCommandWordKeepsItsQuotesAndTheRestStartsAfterOneBlank) {
    auto parts = splitCommandWord("  \"my tool.exe\" /f  x");
    EXPECT_EQ(parts.word, "\"my tool.exe\"");
    EXPECT_EQ(parts.rest, "/f  x");
    parts = splitCommandWord("echo  two blanks ");
    EXPECT_EQ(parts.word, "echo");
    EXPECT_EQ(parts.rest, " two blanks ");
    EXPECT_EQ(splitCommandWord("exit").rest, "");
}

TEST(CommandText, CopyWordsSplitAtPlusSignsOutsideQuotes) {
    using V = std::vector<std::string>;
    EXPECT_EQ(texts(splitWords("/b 7zs.sfx + config.txt + temp.7z SVCPACK\\MyApp.exe", true)),
              (V{"/b", "7zs.sfx", "+", "config.txt", "+", "temp.7z", "SVCPACK\\MyApp.exe"}));
    EXPECT_EQ(texts(splitWords("a+b+\"c+d\" \"out dir\\x y.exe\"", true)), (V{"a", "+", "b", "+", "c+d", "out dir\\x y.exe"}));
    EXPECT_EQ(texts(splitWords("a+b", false)), (V{"a+b"}));
    const auto words = splitWords("+ \"+\"", true);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_TRUE(words[0].plus);
    EXPECT_FALSE(words[1].plus);
    EXPECT_TRUE(words[1].quoted);
}

TEST(CommandText, SwitchesAreASlashAndOneLetterNeverAPathOrQuotedText) {
    EXPECT_TRUE(isSwitch({"/s", false, false}));
    EXPECT_TRUE(isSwitch({"/Q", false, false}));
    EXPECT_TRUE(isSwitch({"/-y", false, false}));
    EXPECT_TRUE(isSwitch({"/a:h", false, false}));
    EXPECT_FALSE(isSwitch({"/tmp", false, false}));
    EXPECT_FALSE(isSwitch({"/tmp/x/SVCPACK", false, false}));
    EXPECT_FALSE(isSwitch({"/s", true, false}));
    EXPECT_FALSE(isSwitch({"/", false, false}));
    EXPECT_EQ(switchName({"/Q", false, false}), "q");
}

TEST(CommandText, BatchLinesExpandArgumentsVariablesAndDoublePercents) {
    const auto lookup = table({{"OUT", "/tmp/o"}, {"ERRORLEVEL", "3"}});
    const std::vector<std::string> args = {"x.bat", "\"a b\"", "c"};
    EXPECT_EQ(expandBatchLine("7z a %OUT%\\x.7z %1 %2 %3", args, lookup), "7z a /tmp/o\\x.7z \"a b\" c ");
    EXPECT_EQ(expandBatchLine("echo %~1|%*|%0", args, lookup), "echo a b|\"a b\" c|x.bat");
    EXPECT_EQ(expandBatchLine("echo 100%% %UNSET%done %ERRORLEVEL%", args, lookup), "echo 100% done 3");
    EXPECT_EQ(expandBatchLine("echo 50% off", args, lookup), "echo 50 off");
}

TEST(CommandText, CommandTextKeepsWhatIsNotADefinedVariable) {
    const auto lookup = table({{"OUT", "/tmp/o"}});
    EXPECT_EQ(expandCommandText("rd /s /q %OUT%\\a %UNSET% 100%% 5%", lookup), "rd /s /q /tmp/o\\a %UNSET% 100%% 5%");
}

TEST(WindowsNames, WildcardsMatchWholeNamesIgnoringLetterCase) {
    EXPECT_TRUE(matchesWildcard("Setup.INF", "*.inf"));
    EXPECT_TRUE(matchesWildcard("setup.rpt", "setup.*"));
    EXPECT_TRUE(matchesWildcard("a.b.c", "*.c"));
    EXPECT_TRUE(matchesWildcard("App_a.exe", "App_?.exe"));
    EXPECT_TRUE(matchesWildcard("生成cab文件.bat", "生成???文件.bat"));
    EXPECT_TRUE(matchesWildcard("x", "*"));
    EXPECT_FALSE(matchesWildcard("setup.inf", "*.rpt"));
    EXPECT_FALSE(matchesWildcard("ab", "a?b"));
    EXPECT_FALSE(matchesWildcard("abc", "ab"));
}

TEST(ProgramArguments, BackslashesBecomeSlashesForPosixPrograms) {
    EXPECT_EQ(posixProgramArgument("SVCPACK\\*"), "SVCPACK/*");
    EXPECT_EQ(posixProgramArgument("/tmp/prog\\提取文件\\App_a.exe"), "/tmp/prog/提取文件/App_a.exe");
    EXPECT_EQ(posixProgramArgument("-mx9"), "-mx9");
    EXPECT_EQ(posixProgramArgument("/d"), "/d");
    EXPECT_EQ(posixProgramArgument("cabinetnametemplate=D:\\out\\x.cab"), "cabinetnametemplate=D:/out/x.cab");
}

TEST(CommandText, JoinedSwitchesAreReadOneByOne) {
    using V = std::vector<std::string>;
    EXPECT_EQ(texts(splitWords("/s/q dir")), (V{"/s", "/q", "dir"}));
    EXPECT_EQ(texts(splitWords("/tmp/x /s/tmp")), (V{"/tmp/x", "/s/tmp"}));
    EXPECT_EQ(texts(splitWords("\"/s/q\"")), (V{"/s/q"}));
}
