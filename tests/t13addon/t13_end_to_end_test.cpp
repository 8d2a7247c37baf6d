// A whole T13 build with the real tools: the batch interpreter runs the batch
// file, 7z packs, copy /b joins. The package is then taken apart with 7z.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "platform/code_page.h"
#include "shell/message_keys.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "t13_fixture.h"
#include "shell/command_runner.h"
#include "t13addon/generate_t13_addon.h"
#include "t13addon/t13_batch_file.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/outside_tools.h"
#include "tests/support/shipped_language.h"

using namespace t13addon;

namespace {

// Runs a command line to its end and gives its exit status.
int run(const std::string& commandLine) { return testsupport::runToEnd(commandLine); }

// What "7z l -slt" says of each file in an archive: path (with "/") ->
// compression method ("Copy" for stored files). Folders are left out.
std::map<std::string, std::string> listArchive(const std::string& archive) {
    const std::string text = testsupport::outputOf({"7z", "l", "-slt", platform::nativePath(archive)});
    std::map<std::string, std::string> files;
    std::size_t pos = text.find("\n----------\n");  // the archive's own block ends here
    std::string path, method;
    bool folder = false;
    while (pos != std::string::npos && pos < text.size()) {
        const std::size_t end = text.find('\n', pos + 1);
        std::string line = text.substr(pos + 1, end == std::string::npos ? std::string::npos : end - pos - 1);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.compare(0, 7, "Path = ") == 0) {
            path = line.substr(7);
            for (char& c : path)
                if (c == '\\') c = '/';  // 7-Zip for Windows lists "SVCPACK\MyApp.exe"
            method.clear();
            folder = false;
        } else if (line.compare(0, 9, "Method = ") == 0) {
            method = line.substr(9);
        } else if (line == "Folder = +" || line.compare(0, 14, "Attributes = D") == 0) {
            folder = true;
        } else if (line.empty() && !path.empty()) {
            if (!folder) files[path] = method;
            path.clear();
        }
        pos = end;
    }
    if (!path.empty() && !folder) files[path] = method;
    return files;
}

// A path handed straight to 7z (no batch interpreter in between) must be native.
std::string quoted(const std::string& path) { return platform::quoteArgument(platform::nativePath(path)); }

class T13EndToEnd : public t13test::GenerateWithToolsTest {
protected:
    void SetUp() override {
        if (platform::findProgram(platform::joinPath(TOLVANE_BIN_DIR, "tolvane-cmd"), {}).empty())
            GTEST_SKIP() << "the batch interpreter tolvane-cmd is not built in " TOLVANE_BIN_DIR;
        if (platform::findProgram("7z", {}).empty()) GTEST_SKIP() << "no 7z is installed (p7zip-full, 7-Zip)";
        GenerateWithToolsTest::SetUp();
        // What the user packs: one file and one folder with a subfolder.
        platform::createFolders(inRoot("soft\\app\\doc"));
        platform::writeFileAtomic(inRoot("soft\\setup.exe"), "setup program bytes");
        platform::writeFileAtomic(inRoot("soft\\app\\app.exe"), std::string(100000, 'a'));
        platform::writeFileAtomic(inRoot("soft\\app\\doc\\说明.txt"), "readme");
        platform::createFolder(inRoot("out"));
    }

    T13Builder myApp() {
        T13Builder w;
        w.packageNameText = "MyApp";
        w.versionText = "1.0";
        w.extractPathText = "%ProgramFiles%\\MyApp";
        w.packItems = {inRoot("soft\\setup.exe"), inRoot("soft\\app") + "\\*"};
        w.runCommands = {"setup.exe /S", "C:\\new\\tool.exe"};
        return w;
    }

    std::string expectedConfig() const {
        return "\xEF\xBB\xBF;!@Install@!UTF-8!\r\nInstallPath=\"%ProgramFiles%\\\\MyApp\"\r\nGUIMode=\"1\"\r\n"
               "RunProgram =\"setup.exe /S\"\r\nRunProgram =\"C:\\\\new\\\\tool.exe\"\r\n"
               "ExtractPathText=\"程序正在解压安装中...\"\r\nExtractPathTitle=\"程序正在解压安装中...\"\r\n"
               "ExtractTitle=\"程序正在解压安装中...\"\r\nGUIFlags =\"63\"\r\n;!@InstallEnd@!\r\n";
    }

};

}  // namespace

TEST_F(T13EndToEnd, ThePackageHoldsTheInstallerAndTheEntriesFile) {
    T13Builder w = myApp();
    const std::string output = inRoot("out\\MyApp_1.0_Addon.7z");
    ASSERT_EQ(generate(w, output), shell::GenerateOutcome::Made) << ui.lastMessage();
    EXPECT_EQ(ui.lastMessage(), shell::builtInText(shell::MessageKey::T13Success));

    // The program folder holds only what was there before.
    const platform::FolderListing left = platform::listFolder(programFolder);
    EXPECT_EQ(left.files, (std::vector<std::string>{"7zs.sfx"}));
    EXPECT_TRUE(left.folders.empty());

    // The installer is stored, the entries file compressed.
    const std::map<std::string, std::string> listed = listArchive(output);
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed.at("SVCPACK/MyApp.exe"), "Copy");
    EXPECT_NE(listed.at("Entries.ini"), "Copy");

    const std::string unpacked = inRoot("unpacked");
    ASSERT_EQ(run("7z t " + quoted(output)), 0);
    ASSERT_EQ(run("7z x -y " + quoted(output) + " " + quoted("-o" + unpacked)), 0);
    const platform::FolderListing top = platform::listFolder(unpacked);
    EXPECT_EQ(top.files, (std::vector<std::string>{"Entries.ini"}));
    EXPECT_EQ(top.folders, (std::vector<std::string>{"SVCPACK"}));
    EXPECT_EQ(platform::listFolder(platform::joinPath(unpacked, "SVCPACK")).files,
              (std::vector<std::string>{"MyApp.exe"}));
    EXPECT_EQ(platform::readFile(platform::joinPath(unpacked, "Entries.ini")),
              platform::encodeAnsi("[general]\r\nbuilddate=" + platform::todayShortDate() +
                                   "\r\ndescription=MyApp 整合包\r\ntitle=MyApp\r\nversion=1.0\r\n\r\n\r\n"
                                   "[EditFile]\r\nSVCPACK.INF,SetupHotfixesToRun,AddProgram\r\n\r\n\r\n"
                                   "[AddProgram]\r\nMyApp.exe\r\n"));

    // The installer: module, then the UTF-8 configuration, then a 7z archive.
    const std::string installer = platform::readFile(platform::joinPath(unpacked, "SVCPACK\\MyApp.exe"));
    const std::string module = t13test::standInSfxModule();
    const std::string config = expectedConfig();
    ASSERT_GT(installer.size(), module.size() + config.size());
    EXPECT_EQ(installer.substr(0, module.size()), module);
    EXPECT_EQ(installer.substr(module.size(), config.size()), config);
    const std::string archive = installer.substr(module.size() + config.size());
    EXPECT_EQ(archive.substr(0, 6), std::string("7z\xBC\xAF\x27\x1C", 6));
    const std::string inner = inRoot("inner.7z");
    platform::writeFileAtomic(inner, archive);
    ASSERT_EQ(run("7z t " + quoted(inner)), 0);
    const std::map<std::string, std::string> innerListed = listArchive(inner);
    EXPECT_EQ(innerListed.size(), 3u);
    // A console program lists names in the OEM code page: one that page cannot hold comes out as "?".
    if (platform::canEncode(platform::oemCodePage(), "说明")) {
        EXPECT_EQ(innerListed.count("setup.exe") + innerListed.count("app.exe") + innerListed.count("doc/说明.txt"),
                  3u);
    }
    for (const auto& entry : innerListed) EXPECT_NE(entry.second, "Copy") << entry.first << ": -mx9";
    const std::string items = inRoot("items");
    ASSERT_EQ(run("7z x -y " + quoted(inner) + " " + quoted("-o" + items)), 0);
    EXPECT_EQ(platform::readFile(platform::joinPath(items, "setup.exe")), "setup program bytes");
    EXPECT_EQ(platform::readFile(platform::joinPath(items, "app.exe")), std::string(100000, 'a'));
    EXPECT_EQ(platform::readFile(platform::joinPath(items, "doc\\说明.txt")), "readme");
    EXPECT_EQ(platform::listFolder(items).files, (std::vector<std::string>{"app.exe", "setup.exe"}));

    // What the window keeps.
    EXPECT_TRUE(w.packageNameText.empty() && w.versionText.empty() && w.extractPathText.empty());
    EXPECT_TRUE(w.packItems.empty() && w.runCommands.empty());
}

TEST_F(T13EndToEnd, OverwritingMakesAFreshArchiveNotAnAddition) {
    const std::string output = inRoot("out\\My App_1.0_Addon.7z");
    // An old archive at the path with a file the new package must not hold.
    platform::writeFileAtomic(inRoot("stale.txt"), "stale");
    ASSERT_EQ(run("7z a -t7z " + quoted(output) + " " + quoted(inRoot("stale.txt"))), 0);

    T13Builder w = myApp();
    w.packageNameText = "My&App";  // an "&" in the copy target
    w.storeOnly = true;
    ui.yesNoAnswers.push_back(true);
    ASSERT_EQ(generate(w, output), shell::GenerateOutcome::Made) << ui.lastMessage();
    const std::string unpacked = inRoot("unpacked");
    ASSERT_EQ(run("7z x -y " + quoted(output) + " " + quoted("-o" + unpacked)), 0);
    EXPECT_EQ(platform::listFolder(unpacked).files, (std::vector<std::string>{"Entries.ini"}));
    EXPECT_TRUE(platform::fileExists(platform::joinPath(unpacked, "SVCPACK\\My&App.exe")));
    // "不压缩": the items are stored in the installer's archive.
    const std::string installer = platform::readFile(platform::joinPath(unpacked, "SVCPACK\\My&App.exe"));
    const std::string inner = inRoot("inner.7z");
    platform::writeFileAtomic(inner, installer.substr(installer.find("7z\xBC\xAF\x27\x1C")));
    const std::map<std::string, std::string> innerListed = listArchive(inner);
    EXPECT_EQ(innerListed.size(), 3u);
    for (const auto& entry : innerListed) EXPECT_EQ(entry.second, "Copy") << entry.first << ": -mx0";
    EXPECT_EQ(platform::listFolder(inRoot("out")).files, (std::vector<std::string>{"My App_1.0_Addon.7z"}));
}

// The real tools, with something done to the items just before the batch
// file runs: after Generate's own check of the items, as when a file is
// deleted or taken by another program in that moment.
class TamperingRunner : public shell::CommandRunner {
public:
    TamperingRunner(shell::EventPump& pump, std::function<void()> beforeBatch)
        : real_(pump), beforeBatch_(std::move(beforeBatch)) {}
    int runAndWait(const std::string& commandLine, int windowStyle) override {
        if (commandLine == t13addon::kT13BatchFileName) beforeBatch_();
        return real_.runAndWait(commandLine, windowStyle);
    }
    void runDetached(const std::string& commandLine, int windowStyle) override {
        real_.runDetached(commandLine, windowStyle);
    }
    void waitForDetached() { real_.waitForDetached(); }

private:
    shell::ToolCommandRunner real_;
    std::function<void()> beforeBatch_;
};

TEST_F(T13EndToEnd, AnItemThat7zCannotFindWhenItPacksFailsTheBuildAndTheOldPackageStays) {
    // 7z only warns of an item it cannot find or read (status 1) and packs
    // the rest; the batch must stop there and the build must say so.
    const std::string output = inRoot("out\\MyApp_1.0_Addon.7z");
    platform::writeFileAtomic(output, "the old package");
    T13Builder w = myApp();
    w.packItems = {inRoot("soft\\app") + "\\*", inRoot("soft\\setup.exe")};
    ui.language = &testsupport::shippedLanguage("English");
    ui.saveFileAnswers.push_back(output);
    ui.yesNoAnswers.push_back(true);
    TamperingRunner runner(ui, [&] { platform::deleteFile(inRoot("soft\\setup.exe")); });
    const shell::GenerateOutcome outcome = GenerateT13Addon(w, ui, runner, "overwrite?");
    runner.waitForDetached();
    EXPECT_EQ(outcome, shell::GenerateOutcome::Failed) << ui.lastMessage();
    EXPECT_NE(ui.lastMessage().find("ended with status 1"), std::string::npos) << ui.lastMessage();
    EXPECT_EQ(platform::readFile(output), "the old package");
    EXPECT_EQ(platform::listFolder(inRoot("out")).files, (std::vector<std::string>{"MyApp_1.0_Addon.7z"}));
    // The batch ended at the missing item's line: the work files went, and no package was begun.
    const platform::FolderListing left = platform::listFolder(programFolder);
    EXPECT_EQ(left.files, (std::vector<std::string>{"7zs.sfx"}));
    EXPECT_TRUE(left.folders.empty());
    EXPECT_EQ(w.packItems.size(), 2u) << "the items stay for another try";
}
