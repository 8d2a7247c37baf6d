// The system language id, the key into "language.txt".
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "platform/host.h"
#include "platform/process.h"
#include "platform/system_language.h"
#include "locale_variables.h"

TEST(SystemLanguage, LocaleNamesGiveWindowsLanguageIds) {
    using platform::languageIdFromLocaleName;
    EXPECT_EQ(languageIdFromLocaleName("zh_CN.UTF-8"), "0804");
    EXPECT_EQ(languageIdFromLocaleName("zh_TW.Big5"), "0404");
    EXPECT_EQ(languageIdFromLocaleName("zh_HK"), "0c04");
    EXPECT_EQ(languageIdFromLocaleName("en_US.UTF-8"), "0409");
    EXPECT_EQ(languageIdFromLocaleName("en_GB.UTF-8@euro"), "0809");
    EXPECT_EQ(languageIdFromLocaleName("en_ZW"), "0409");  // unknown country: the language's own
    EXPECT_EQ(languageIdFromLocaleName("C.UTF-8"), "");
    EXPECT_EQ(languageIdFromLocaleName("POSIX"), "");
    EXPECT_EQ(languageIdFromLocaleName(""), "");
    EXPECT_EQ(languageIdFromLocaleName("xx_YY"), "");
}

TEST(SystemLanguage, IsFourHexadecimalDigits) {
    shelltest::LocaleVariables chinese("zh_CN.UTF-8");
    const std::string id = platform::systemLanguageId();
    ASSERT_EQ(id.size(), 4u) << id;
    for (char c : id) EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(c))) << id;
    std::printf("system language id %s\n", id.c_str());
}

TEST(SystemLanguage, PosixTakesLcAllThenLcMessagesThenLang) {
    if (platform::kWindowsHost) GTEST_SKIP() << "Windows reads the language from the registry";
    shelltest::LocaleVariables restore;
    EXPECT_EQ(platform::systemLanguageId(), "");
    platform::setEnvironmentVariable("LANG", "en_US.UTF-8");
    EXPECT_EQ(platform::systemLanguageId(), "0409");
    platform::setEnvironmentVariable("LC_MESSAGES", "zh_TW.UTF-8");
    EXPECT_EQ(platform::systemLanguageId(), "0404");
    platform::setEnvironmentVariable("LC_ALL", "zh_CN.UTF-8");
    EXPECT_EQ(platform::systemLanguageId(), "0804");
}
