// The three INF texts of a shortcut, byte for byte.
#include <gtest/gtest.h>

#include "shortcuts/shortcut_definition.h"

using namespace shortcuts;

namespace {

ShortcutDefinition exampleApp() {
    ShortcutDefinition d;
    d.TargetPath = "C:\\Program Files\\App\\app.exe";
    d.StartIn = "C:\\Program Files\\App\\";
    d.Description = "app";
    d.LinkName = "App";
    d.Arguments = argumentsFromText("-x");
    d.Location = "%16409%";
    d.LinkId = 7056;
    d.AppFolderName = "App";
    return d;
}

}  // namespace

TEST(ShortcutTexts, DesktopExampleGivesTheThreeTexts) {
    const ShortcutEntry e = buildShortcutEntry(exampleApp());
    EXPECT_EQ(e.section,
              "[AddLink7056]\r\n"
              "setup.ini, progman.groups,, \"App7056=\"\"%16409%\"\"\"\r\n"
              "setup.ini, App7056,,\"\"\"App\"\",\"\"\"\"\"\"C:\\Program Files\\App\\app.exe\"\"\"\" -x\"\",,,,"
              "\"\"C:\\Program Files\\App\\\"\",\"\"app\"\"\"\r\n");
    EXPECT_EQ(e.sectionName, "addlink7056");
    EXPECT_EQ(e.deleteEntry,
              "setup.ini, progman.groups,, \"App7056=\"\"%16409%\"\"\"\r\n"
              "setup.ini, App7056,,\"\"\"App\"\"");
}

TEST(ShortcutTexts, EveryFieldEmptyLeavesOnlyTheQuotes) {
    ShortcutDefinition d;
    d.Arguments = argumentsFromText("");
    d.LinkId = 12;
    d.AppFolderName = "Tools";
    const ShortcutEntry e = buildShortcutEntry(d);
    const std::string line2 = "setup.ini, progman.groups,, \"Tools12=\"\"\"\"\"";
    const std::string line3 = "setup.ini, Tools12,," + std::string(5, '"') + "," + std::string(10, '"') + " " +
                              std::string(2, '"') + ",,,," + std::string(4, '"') + "," + std::string(5, '"');
    EXPECT_EQ(e.section, "[AddLink12]\r\n" + line2 + "\r\n" + line3 + "\r\n");
    EXPECT_EQ(e.deleteEntry, line2 + "\r\n" + "setup.ini, Tools12,," + std::string(5, '"'));
    EXPECT_EQ(e.sectionName, "addlink12");
}

TEST(ShortcutTexts, ArgumentsAlwaysBeginWithOneBlank) {
    EXPECT_EQ(argumentsFromText("-x"), " -x");
    EXPECT_EQ(argumentsFromText(" -x"), " -x");
    EXPECT_EQ(argumentsFromText("  -x"), "  -x");
    EXPECT_EQ(argumentsFromText(""), " ");
}

TEST(ShortcutTexts, ValuesGoInUnescaped) {
    ShortcutDefinition d = exampleApp();
    d.LinkName = "A \"quoted\" 名字";
    const ShortcutEntry e = buildShortcutEntry(d);
    EXPECT_NE(e.section.find(",,\"\"\"A \"quoted\" 名字\"\","), std::string::npos);
    EXPECT_EQ(e.deleteEntry.substr(e.deleteEntry.find("\r\n") + 2), "setup.ini, App7056,,\"\"\"A \"quoted\" 名字\"\"");
}
