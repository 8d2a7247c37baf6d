#include <gtest/gtest.h>

#include "platform/process.h"
#include "platform/system_language.h"

using platform::splitCommandLine;

TEST(CommandLine, SplitsByTheWindowsRules) {
    using V = std::vector<std::string>;
    EXPECT_EQ(splitCommandLine("reg2inf.exe -w -t \"C:\\My Files\\a.reg\" reg.bak"),
              (V{"reg2inf.exe", "-w", "-t", "C:\\My Files\\a.reg", "reg.bak"}));
    EXPECT_EQ(splitCommandLine("a \"b\\\"c\" d\\\\\"e f\""), (V{"a", "b\"c", "d\\e f"}));
    EXPECT_EQ(splitCommandLine("  x   \"\"  "), (V{"x", ""}));
    EXPECT_EQ(splitCommandLine("/d cabinetnametemplate=\"App.cab\""), (V{"/d", "cabinetnametemplate=App.cab"}));
}

TEST(CommandLine, QuotedArgumentsSplitBackUnchanged) {
    for (const std::string arg : {"plain", "with blank", "quote\"inside", "trailing\\", "C:\\dir with\\", ""}) {
        const auto args = splitCommandLine("prog " + platform::quoteArgument(arg));
        ASSERT_EQ(args.size(), 2u) << arg;
        EXPECT_EQ(args[1], arg);
    }
}

TEST(SystemLanguage, LocaleNamesGiveFourHexDigits) {
    EXPECT_EQ(platform::languageIdFromLocaleName("zh_CN.UTF-8"), "0804");
    EXPECT_EQ(platform::languageIdFromLocaleName("zh_TW.Big5"), "0404");
    EXPECT_EQ(platform::languageIdFromLocaleName("en_US.UTF-8"), "0409");
    EXPECT_EQ(platform::languageIdFromLocaleName("en_GB"), "0809");
    EXPECT_EQ(platform::languageIdFromLocaleName("C"), "");
    EXPECT_EQ(platform::languageIdFromLocaleName("POSIX"), "");
    EXPECT_EQ(platform::languageIdFromLocaleName(""), "");
}
