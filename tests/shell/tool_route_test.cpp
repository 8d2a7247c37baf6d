// Which tools read a build's work files, by the building system's ANSI and
// OEM code pages, and the bytes the work files get on each route.
#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "platform/error.h"
#include "shell/package_text_file.h"
#include "shell/tool_route.h"
#include "tests/support/shipped_language.h"

using shell::chooseToolRoute;
using shell::ToolRoute;
using shell::WorkTexts;

namespace {

const shell::SystemCodePages kChinese{936, 936};
const shell::SystemCodePages kEnglish{1252, 437};
const shell::SystemCodePages kWesternEuropean{1252, 850};
const shell::SystemCodePages kUtf8{65001, 65001};

// An INF build's work texts: Chinese file names in every batch file and in
// the staging folder's path.
WorkTexts infBuild(const std::string& stagedName, const std::string& programFolder = "C:\\Tolvane") {
    WorkTexts t;
    t.directiveLists = {"\"" + programFolder + "\\提取文件\\" + stagedName + "\"\r\n",
                        "\"Entries_App.ini\"\r\n\"App.inf\"\r\n\"App.cab\"\r\n"};
    t.batchFiles = {"@echo off\r\nmakecab.exe /f CAB压缩文件列表.txt /v3 /d cabinetnametemplate=\"App.cab\"\r\nexit\r\n",
                    "makecab.exe /f 整合包压缩列表.txt /d cabinetnametemplate=\"D:\\out\\App_1.0_Addon.cab\"\r\n"};
    t.storedNames = {stagedName, "Entries_App.ini", "App.inf", "App.cab"};
    return t;
}

// A T13 build's: one batch file, nothing for makecab.
WorkTexts t13Build(const std::string& item) {
    WorkTexts t;
    t.batchFiles = {"7z a -t7z \"temp.7z\" \"" + item + "\" -mx9\r\ncopy /b 7zs.sfx + config.txt + temp.7z "
                    "SVCPACK\\MyApp.exe\r\n"};
    return t;
}

}  // namespace

TEST(ToolRoute, AChineseSystemKeepsItsOwnToolsForEveryPackageThePackageCodePageHolds) {
    EXPECT_EQ(chooseToolRoute(kChinese, infBuild("App_a.exe")), ToolRoute::System);
    EXPECT_EQ(chooseToolRoute(kChinese, infBuild("App_说明.txt")), ToolRoute::System);
    EXPECT_EQ(chooseToolRoute(kChinese, t13Build("D:\\软件\\setup.exe")), ToolRoute::System);
    // A program folder in a script code page 936 lacks: makecab could not read the list.
    EXPECT_EQ(chooseToolRoute(kChinese, infBuild("App_a.exe", "C:\\사용자\\Tolvane")), ToolRoute::Own);
}

TEST(ToolRoute, EnglishAndWesternSystemsTakeTheOwnToolsForInfBuildsAndTheirOwnForPlainT13Batches) {
    for (const shell::SystemCodePages& pages : {kEnglish, kWesternEuropean}) {
        SCOPED_TRACE(std::to_string(pages.ansi) + "/" + std::to_string(pages.oem));
        // The work files' own Chinese names are beyond both code pages.
        EXPECT_EQ(chooseToolRoute(pages, infBuild("App_a.exe")), ToolRoute::Own);
        EXPECT_EQ(chooseToolRoute(pages, t13Build("D:\\soft\\setup.exe")), ToolRoute::System);
        // Both code pages hold "é" (as different bytes: the batch file is written in the OEM one).
        EXPECT_EQ(chooseToolRoute(pages, t13Build("D:\\café\\setup.exe")), ToolRoute::System);
        EXPECT_EQ(chooseToolRoute(pages, t13Build("D:\\软件\\setup.exe")), ToolRoute::Own);
    }
    // "Σ" is in code page 437, not in 1252, which makecab and 7z's arguments would need.
    EXPECT_EQ(chooseToolRoute(kEnglish, t13Build("D:\\Σ\\setup.exe")), ToolRoute::Own);
    // "é" in a stored name: makecab would store 0xE9, code page 936 has 0xA8 0xA6.
    WorkTexts stored;
    stored.storedNames = {"café.txt"};
    EXPECT_EQ(chooseToolRoute(kWesternEuropean, stored), ToolRoute::Own);
    stored.storedNames = {"cafe.txt"};
    EXPECT_EQ(chooseToolRoute(kWesternEuropean, stored), ToolRoute::System);
}

TEST(ToolRoute, AUtf8SystemReadsEveryTextButWouldStoreChineseNamesAsUtf8) {
    EXPECT_EQ(chooseToolRoute(kUtf8, infBuild("App_a.exe")), ToolRoute::System);
    EXPECT_EQ(chooseToolRoute(kUtf8, infBuild("App_说明.txt")), ToolRoute::Own);
    EXPECT_EQ(chooseToolRoute(kUtf8, t13Build("D:\\软件\\setup.exe")), ToolRoute::System);
}

TEST(ToolRoute, WorkFilesAreInTheSystemsCodePageOrUtf8WithAByteOrderMark) {
    const std::string text = "copy /b 7zs.sfx + config.txt + temp.7z SVCPACK\\café.exe\r\n";
    const std::string head = "copy /b 7zs.sfx + config.txt + temp.7z SVCPACK\\caf";
    EXPECT_EQ(shell::workFileBytes(ToolRoute::System, 437, text), head + "\x82.exe\r\n");
    EXPECT_EQ(shell::workFileBytes(ToolRoute::System, 1252, text), head + "\xE9.exe\r\n");
    EXPECT_EQ(shell::workFileBytes(ToolRoute::System, 936, "整合包"), "\xD5\xFB\xBA\xCF\xB0\xFC");
    EXPECT_EQ(shell::workFileBytes(ToolRoute::Own, 437, "整合包 한"), "\xEF\xBB\xBF整合包 한");
    EXPECT_EQ(shell::missingOwnTools(ToolRoute::System, {"no-such-tool"}, shell::MessageTexts()), std::nullopt);
    const auto missing = shell::missingOwnTools(ToolRoute::Own, {"no-such-tool"}, shell::MessageTexts());
    ASSERT_TRUE(missing.has_value());
    EXPECT_NE(missing->find("no-such-tool"), std::string::npos) << *missing;
}

TEST(PackageText, IsCheckedAgainstCodePage936WhateverTheSystemsCodePage) {
    const shell::LanguageTexts english(testsupport::shippedLanguage("English"));
    EXPECT_NO_THROW(shell::checkPackageText("App.inf", "[Version]\r\n;填为注册表导入信息\r\n", english));
    try {
        shell::checkPackageText("C:\\prog\\App.inf", "[Version]\r\nApp_한.txt=1\r\n", english);
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("Cannot write \"App.inf\": ", 0), 0u) << message;
        EXPECT_NE(message.find("App_한.txt=1"), std::string::npos) << message;
        EXPECT_NE(message.find("936"), std::string::npos) << message;
    }
}
