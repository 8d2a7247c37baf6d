// The three files a T13 build writes, as text and as the bytes on disk.
#include <gtest/gtest.h>

#include "platform/ansi_text_file.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "shell/package_name_rule.h"
#include "t13addon/sfx_config.h"
#include "t13addon/t13_batch_file.h"
#include "t13addon/t13_entries_file.h"
#include "tests/support/shipped_language.h"

using namespace t13addon;

namespace {

T13AddonSettings myApp() {
    T13AddonSettings s;
    s.PackageName = "MyApp";
    s.PackageVersion = "1.0";
    s.PackItems = {"D:\\soft\\setup.exe"};
    s.OutputPath = "D:\\out\\MyApp_1.0_Addon.7z";
    return s;
}

const char* const kProgress = "程序正在解压安装中...";

std::string configTail() {
    return std::string("ExtractPathText=\"") + kProgress + "\"\r\nExtractPathTitle=\"" + kProgress +
           "\"\r\nExtractTitle=\"" + kProgress + "\"\r\nGUIFlags =\"63\"\r\n;!@InstallEnd@!\r\n";
}

}  // namespace

TEST(T13EntriesFile, NliteAndRvmiBytesInTheAnsiCodePage) {
    T13AddonSettings s = myApp();
    const std::string nlite = t13EntriesText(s, "2026-12-7");
    EXPECT_EQ(nlite,
              "[general]\r\nbuilddate=2026-12-7\r\ndescription=MyApp 整合包\r\ntitle=MyApp\r\nversion=1.0\r\n"
              "\r\n\r\n[EditFile]\r\nSVCPACK.INF,SetupHotfixesToRun,AddProgram\r\n\r\n\r\n[AddProgram]\r\nMyApp.exe\r\n");
    // 整合包 in code page 936, no byte-order mark.
    const std::string bytes = platform::encodeCodePage(936, nlite);
    EXPECT_EQ(bytes.substr(0, 11), "[general]\r\n");
    EXPECT_NE(bytes.find("description=MyApp \xD5\xFB\xBA\xCF\xB0\xFC\r\n"), std::string::npos);

    s.integrator = Integrator::RvmIntegrator;
    const std::string rvmi = t13EntriesText(s, "2026-12-7");
    EXPECT_EQ(rvmi.substr(rvmi.find("[EditFile]")),
              "[EditFile]\r\nI386\\SVCPACK.INF,SetupHotfixesToRun,AddProgram\r\n\r\n\r\n[AddProgram]\r\nMyApp.exe\r\n");
}

TEST(T13BatchFile, TheFourCommandsEach7zLineFollowedByItsStatusCheck) {
    EXPECT_EQ(t13BatchText(myApp()),
              "7z a -t7z \"temp.7z\" \"D:\\soft\\setup.exe\" -mx9\r\n"
              "if errorlevel 1 exit 1\r\n"
              "copy /b 7zs.sfx + config.txt + temp.7z SVCPACK\\MyApp.exe\r\n"
              "7z a -t7z \"D:\\out\\MyApp_1.0_Addon.7z\" SVCPACK\\* -mx0\r\n"
              "if errorlevel 1 exit 1\r\n"
              "7z a -t7z \"D:\\out\\MyApp_1.0_Addon.7z\" \"Entries.ini\" -mx9\r\n"
              "if errorlevel 1 exit 1\r\n");
}

TEST(T13BatchFile, StoreOnlyFolderItemsAndOrder) {
    T13AddonSettings s = myApp();
    s.StoreOnly = true;
    s.PackItems = {"D:\\soft\\app\\*", "D:\\a b\\readme.txt", "D:\\\\*"};
    const std::string text = t13BatchText(s);
    EXPECT_EQ(text.substr(0, text.find("copy")),
              "7z a -t7z \"temp.7z\" \"D:\\soft\\app\\*\" -mx0\r\nif errorlevel 1 exit 1\r\n"
              "7z a -t7z \"temp.7z\" \"D:\\a b\\readme.txt\" -mx0\r\nif errorlevel 1 exit 1\r\n"
              "7z a -t7z \"temp.7z\" \"D:\\\\*\" -mx0\r\nif errorlevel 1 exit 1\r\n");
    // The last two archive lines keep their own levels whatever the choice.
    EXPECT_NE(text.find("SVCPACK\\* -mx0\r\nif errorlevel 1 exit 1\r\n"
                        "7z a -t7z \"D:\\out\\MyApp_1.0_Addon.7z\" \"Entries.ini\" -mx9\r\n"),
              std::string::npos);
}

TEST(T13BatchFile, BlanksPercentAndAnAddedSearchFolder) {
    T13AddonSettings s = myApp();
    s.PackageName = "My App";
    s.PackItems = {"D:\\100%\\a.exe"};
    s.OutputPath = "D:\\out %x%\\My App_1.0_Addon.7z";
    const std::string text = t13BatchText(s, "C:\\Program Files (x86)\\7-Zip");
    EXPECT_EQ(text,
              "set \"PATH=%PATH%;C:\\Program Files (x86)\\7-Zip\"\r\n"
              "7z a -t7z \"temp.7z\" \"D:\\100%%\\a.exe\" -mx9\r\n"
              "if errorlevel 1 exit 1\r\n"
              "copy /b 7zs.sfx + config.txt + temp.7z \"SVCPACK\\My App.exe\"\r\n"
              "7z a -t7z \"D:\\out %%x%%\\My App_1.0_Addon.7z\" SVCPACK\\* -mx0\r\n"
              "if errorlevel 1 exit 1\r\n"
              "7z a -t7z \"D:\\out %%x%%\\My App_1.0_Addon.7z\" \"Entries.ini\" -mx9\r\n"
              "if errorlevel 1 exit 1\r\n");
}

TEST(T13BatchFile, A7zKeptWithTheProgramGoesBeforeThePath) {
    T13AddonSettings s = myApp();
    const std::string text = t13BatchText(s, "C:\\Tolvane\\tools", true);
    EXPECT_EQ(text.substr(0, text.find("\r\n") + 2), "set \"PATH=C:\\Tolvane\\tools;%PATH%\"\r\n");
}

TEST(T13BatchFile, CopyTargetsThatCmdWouldSplitAreQuoted) {
    T13AddonSettings s = myApp();
    const auto copyLine = [&s](const std::string& name) {
        s.PackageName = name;
        const std::string text = t13BatchText(s);
        const std::size_t start = text.find("copy");
        return text.substr(start, text.find("\r\n", start) - start);
    };
    EXPECT_EQ(copyLine("A&B"), "copy /b 7zs.sfx + config.txt + temp.7z \"SVCPACK\\A&B.exe\"");
    EXPECT_EQ(copyLine("A^B"), "copy /b 7zs.sfx + config.txt + temp.7z \"SVCPACK\\A^B.exe\"");
    EXPECT_EQ(copyLine("播放器(x64)"), "copy /b 7zs.sfx + config.txt + temp.7z SVCPACK\\播放器(x64).exe");
}

TEST(SfxConfig, WithoutExtractPathOrRunCommands) {
    EXPECT_EQ(sfxConfigText("", {}), ";!@Install@!UTF-8!\r\nGUIMode=\"1\"\r\n" + configTail());
}

TEST(SfxConfig, ExtractPathDoubledAndRunCommandsInOrder) {
    EXPECT_EQ(sfxConfigText("C:\\Program Files\\App", {"setup.exe /S", "", "reg.exe import a.reg"}),
              ";!@Install@!UTF-8!\r\nInstallPath=\"C:\\\\Program Files\\\\App\"\r\nGUIMode=\"1\"\r\n"
              "RunProgram =\"setup.exe /S\"\r\nRunProgram =\"\"\r\nRunProgram =\"reg.exe import a.reg\"\r\n" +
                  configTail());
}

TEST(SfxConfig, RunCommandsWithBackslashesOrQuotesAreEscaped) {
    EXPECT_EQ(escapeRunCommand("setup.exe /S"), "setup.exe /S");
    EXPECT_EQ(escapeRunCommand("C:\\new\\tool.exe"), "C:\\\\new\\\\tool.exe");
    EXPECT_EQ(escapeRunCommand("\"%ProgramFiles%\\App\\a.exe\" -q"), "\\\"%ProgramFiles%\\\\App\\\\a.exe\\\" -q");
    const std::string text = sfxConfigText("%ProgramFiles%\\App", {"C:\\new\\tool.exe"});
    EXPECT_NE(text.find("InstallPath=\"%ProgramFiles%\\\\App\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("RunProgram =\"C:\\\\new\\\\tool.exe\"\r\n"), std::string::npos);
}

TEST(PackageNames, FileNameRule) {
    const shell::MessageTexts builtIn;
    const shell::LanguageTexts english(testsupport::shippedLanguage("English"));
    for (const char* good : {"MyApp", "My App", "播放器", "a.b", "CONSOLE", "COM0"})
        EXPECT_FALSE(shell::packageNameProblem(good, builtIn)) << good;
    for (const char* bad : {"a\\b", "a/b", "a:b", "a*", "a?", "a\"b", "a<b", "a>b", "a|b", "a[1]", "a]", "50%",
                            "a;b", "a,b", "a=b", "tab\there", "a.", "a ", " lead", "   ", "CON", "nul", "Com1", "LPT9"})
        EXPECT_TRUE(shell::packageNameProblem(bad, builtIn)) << bad;
    const auto message = shell::packageNameProblem("a?b", english);
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("\"a?b\""), std::string::npos);
    EXPECT_NE(message->find("U+003F"), std::string::npos);
    // The setup engine drops a leading blank from the component's name and
    // then finds no section of that name.
    const auto leading = shell::packageNameProblem(" App", english);
    ASSERT_TRUE(leading);
    EXPECT_NE(leading->find("begins with a blank"), std::string::npos) << *leading;
    // The reason goes into the whole refusal in the same language.
    const auto chinese = shell::packageNameProblem("a.", builtIn);
    ASSERT_TRUE(chinese);
    EXPECT_EQ(chinese->rfind("软件名称“a.”不能用来命名整合包的文件和节：它以句点结尾。", 0), 0u) << *chinese;
}

TEST(T13Files, WrittenInCodePage936WithCrLfAndNoMark) {
    const std::string root = platform::makeTemporaryFolder("tolvane-t13f");
    const std::string path = platform::joinPath(root, "Entries.ini");
    T13AddonSettings s = myApp();
    s.PackageName = "中文名";
    platform::writeAnsiFile(path, t13EntriesText(s, "2026-12-7"));
    const std::string bytes = platform::readFile(path);
    EXPECT_EQ(bytes.substr(0, 11), "[general]\r\n");
    EXPECT_NE(bytes.find("title=\xD6\xD0\xCE\xC4\xC3\xFB\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 12), "\xD6\xD0\xCE\xC4\xC3\xFB.exe\r\n");
    platform::removeFolderTree(root);
}
