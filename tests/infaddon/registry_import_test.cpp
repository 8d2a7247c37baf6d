// The registry import step in a temporary program folder: with the real
// converter beside the tests, with a stand-in in the program folder that
// shows what it was handed, and through the INF writer.
#include <gtest/gtest.h>


#include "infaddon/inf_writer.h"
#include "infaddon/registry_import.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host.h"
#include "platform/unicode.h"
#include "shell/tool_runner.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/shipped_language.h"

namespace {

std::string utf16LeFile(const std::string& utf8) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : platform::utf8ToUtf16(utf8)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string collected(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) text += "\r\n" + line;
    return text;
}

std::string program(const std::string& name) {
    return platform::joinPath(platform::executableFolder(), name + platform::kExecutableSuffix);
}

const std::string kSettings =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tolvane]\r\n"
    "@=\"默认\"\r\n"
    "\"Title\"=\"整合包 100%\"\r\n"
    "\"Count\"=dword:00000003\r\n"
    "\"Old\"=-\r\n"
    "[-HKEY_CURRENT_USER\\Software\\Gone]\r\n";

const std::string kSettingsLines = collected({
    "HKLM,\"SOFTWARE\\Tolvane\",,0x00000000,\"默认\"",
    "HKLM,\"SOFTWARE\\Tolvane\",\"Title\",0x00000000,\"整合包 100%%\"",
    "HKLM,\"SOFTWARE\\Tolvane\",\"Count\",0x00010001,0x00000003",
});

class RegistryImport : public ::testing::Test {
protected:
    void SetUp() override {
        savedProgramFolder = platform::programFolder();
        savedDirectory = platform::currentDirectory();
        folder = platform::makeTemporaryFolder("tolvane-regimport");
        platform::setProgramFolder(folder);
        if (platform::ansiCodePage() != 936) GTEST_SKIP() << "the ANSI code page here is " << platform::ansiCodePage();
    }
    void TearDown() override {
        platform::setCurrentDirectory(savedDirectory);
        platform::setProgramFolder(savedProgramFolder);
        // Under Wine a program that has ended keeps its current folder in use
        platform::removeFolderTree(folder);
    }
    std::string path(const std::string& name) const { return platform::joinPath(folder, name); }
    // The messages are checked as the English language file words them.
    void import() {
        ui.language = &testsupport::shippedLanguage("English");
        infaddon::ImportRegistry(project, state, runner, ui);
    }

    std::string savedProgramFolder, savedDirectory, folder;
    infaddon::AddonProject project;
    infaddon::BuildState state;
    testsupport::FakeUserInterface ui;
    shell::ToolCommandRunner runner{ui};
};

}  // namespace

TEST_F(RegistryImport, AnEmptyBoxImportsNothing) {
    platform::writeFileAtomic(path("reg.bak"), "[A_AddReg]\r\nSTALE\r\n");
    state.RegistryLines = "\r\nkept";
    import();
    EXPECT_EQ(state.RegistryLines, "\r\nkept");
    EXPECT_EQ(state.CodeDescriptionLabel, "");
    EXPECT_TRUE(platform::fileExists(path("reg.bak"))) << "nothing runs, nothing is deleted";
}

TEST_F(RegistryImport, TheFileInTheBoxIsConvertedAndItsAddRegLinesAppended) {
    // A path typed into the box, with blanks and Chinese in it.
    project.RegFilePath = path("My 设置.reg");
    platform::writeFileAtomic(project.RegFilePath, utf16LeFile(kSettings));
    state.RegistryLines = "\r\nearlier";
    import();
    EXPECT_EQ(state.RegistryLines, "\r\nearlier" + kSettingsLines);
    EXPECT_EQ(state.CodeDescriptionLabel, "Finished");
    EXPECT_FALSE(platform::fileExists(path("reg.bak")));
    EXPECT_EQ(platform::currentDirectory(), folder) << "the step works in the program folder";
}

TEST_F(RegistryImport, AStaleRegBakIsDeletedBeforeTheConverterRuns) {
    const std::string stale = "[Stale_AddReg]\r\nHKLM,\"Stale\",\"v\",,\"x\"\r\n[Strings]\r\n";
    project.RegFilePath = path("settings.reg");
    platform::writeFileAtomic(project.RegFilePath, utf16LeFile(kSettings));
    platform::writeFileAtomic(path("reg.bak"), stale);
    import();
    EXPECT_EQ(state.RegistryLines, kSettingsLines);

    // A file the converter refuses: the stale output must not stand in for it.
    platform::writeFileAtomic(project.RegFilePath, "not a registry file\r\n");
    platform::writeFileAtomic(path("reg.bak"), stale);
    state.RegistryLines.clear();
    state.CodeDescriptionLabel.clear();
    try {
        import();
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("reg2inf"), std::string::npos) << message;
        EXPECT_NE(message.find("reg.bak"), std::string::npos) << message;
        EXPECT_NE(message.find("settings.reg"), std::string::npos) << message;
    }
    EXPECT_EQ(state.RegistryLines, "");
    EXPECT_EQ(state.CodeDescriptionLabel, "Finished");
    EXPECT_FALSE(platform::fileExists(path("reg.bak")));
}

TEST_F(RegistryImport, AMissingRegistryFileEndsTheStepWithAMessageNamingIt) {
    project.RegFilePath = path("gone.reg");
    try {
        import();
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        EXPECT_EQ(e.kind(), platform::ErrorKind::FileNotFound);
        EXPECT_NE(std::string(e.what()).find("gone.reg"), std::string::npos) << e.what();
    }
}

TEST_F(RegistryImport, AFolderInTheBoxIsNamedAsAFolderAndTheConverterDoesNotRun) {
    platform::copyFile(program("infaddon_test_fake_reg2inf"), path("reg2inf.exe"));
    platform::createFolder(path("settings.reg"));
    project.RegFilePath = path("settings.reg");
    try {
        import();
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        EXPECT_EQ(std::string(e.what()), "The registry file " + project.RegFilePath +
                                             " is a folder, not a file. Choose the .reg file exported by regedit, "
                                             "or empty the registry box, and generate again.");
    }
    EXPECT_EQ(state.RegistryLines, "") << "the stand-in converter ran";
}

TEST_F(RegistryImport, AConverterInTheProgramFolderComesFirstAndGetsTheFixedArguments) {
    platform::copyFile(program("infaddon_test_fake_reg2inf"), path("reg2inf.exe"));
    project.RegFilePath = path("a b.reg");  // need not exist: the stand-in does not read it
    import();
    EXPECT_EQ(state.RegistryLines, collected({"arg=-w", "arg=-t", "arg=" + project.RegFilePath, "arg=reg.bak"}));
    EXPECT_FALSE(platform::fileExists(path("reg.bak")));
}

TEST_F(RegistryImport, AConverterThatEndsWithoutRegBakIsNamedInTheMessage) {
    platform::copyFile(program("infaddon_test_fake_reg2inf"), path("reg2inf.exe"));
    project.RegFilePath = path("no-output.reg");
    try {
        import();
        FAIL() << "no error";
    } catch (const platform::Error& e) {
        const std::string message = e.what();
        EXPECT_EQ(e.kind(), platform::ErrorKind::FileNotFound);
        // The converter that ran, by its path in the program folder.
        const std::size_t at = message.find(platform::baseName(folder));
        EXPECT_NE(at, std::string::npos) << message;
        EXPECT_EQ(message.find("reg2inf.exe ended without"), at + platform::baseName(folder).size() + 1) << message;
        EXPECT_NE(message.find("without writing reg.bak"), std::string::npos) << message;
        EXPECT_NE(message.find("no-output.reg"), std::string::npos) << message;
    }
    EXPECT_EQ(state.CodeDescriptionLabel, "Finished");
}

TEST_F(RegistryImport, EndToEndTheRegFileReachesTheAddAndDeleteRegistrySections) {
    project.RegFilePath = path("settings.reg");
    platform::writeFileAtomic(project.RegFilePath, utf16LeFile(kSettings));
    state.PackageName = "App";
    state.PackageVersion = "1.0";
    import();
    const std::string inf =
        infaddon::infFileText(project, state, infaddon::deriveDeleteRegistryLines(state.RegistryLines));
    const auto section = [&](const std::string& header, const std::string& next) {
        const std::size_t begin = inf.find(header);
        const std::size_t end = inf.find(next, begin);
        return begin == std::string::npos || end == std::string::npos ? std::string() : inf.substr(begin, end - begin);
    };
    const std::string un = "HKLM,\"%au_un_reg%\\App\",";
    EXPECT_EQ(section("[App.Addreg]", "[App.Delreg]"),
              "[App.Addreg]\r\n;填为注册表导入信息注册表信息可由reg2inf生成\r\n\r\n" + un + "\"DisplayName\",,\"App1.0\"\r\n" +
                  un + "\"DisplayVersion\",,\"1.0\"\r\n" + un +
                  "\"UninstallString\",,\"%11%\\rundll32.exe advpack.dll,LaunchINFSection %17%\\App.inf, "
                  "Uninstall\"\r\n" +
                  kSettingsLines + "\r\n\r\n\r\n\r\n\r\n");
    // Only the named values the package sets are deleted: not the default
    // value (that would delete the key), not the .reg file's own deletions.
    EXPECT_EQ(section("[App.Delreg]", "[App.Sysoc.Inf]"),
              "[App.Delreg]\r\n;注册表删除信息注册表信息可由reg2inf生成\r\n" + un + "\"DisplayName\",,\"App1.0\"\r\n" + un +
                  "\"DisplayVersion\",,\"1.0\"\r\n" + un +
                  "\"UninstallString\",,\"%11%\\rundll32.exe advpack.dll,LaunchINFSection %17%\\App.inf,"
                  "Uninstall\"\r\n"
                  "\r\nHKLM,\"SOFTWARE\\Tolvane\",\"Title\"\r\nHKLM,\"SOFTWARE\\Tolvane\",\"Count\"\r\n\r\n");
}
