// Generate's checks, dialogs, files, outcomes and what the window keeps, with
// the tools stood in for: the batch's effect is scripted per test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <map>

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_faults.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/seven_zip_location.h"
#include "t13_fixture.h"
#include "t13addon/generate_t13_addon.h"
#include "t13addon/t13_batch_file.h"
#include "shell/package_replacement.h"
#include "shell/stale_work_files.h"
#include "tests/support/ended_process.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/shipped_language.h"

using namespace t13addon;

namespace {

// The smallest file a 7z check takes for whole: the signature header, then
// `body` as the next header, which ends the file.
std::string whole7z(const std::string& body) {
    std::string bytes = std::string("7z\xBC\xAF\x27\x1C\x00\x04", 8) + std::string(24, '\0') + body;
    bytes[20] = static_cast<char>(body.size());
    return bytes;
}

class FakeRunner : public shell::CommandRunner {
public:
    explicit FakeRunner(std::string programFolder) : programFolder_(std::move(programFolder)) {}

    std::vector<std::pair<std::string, int>> waited;
    std::vector<std::pair<std::string, int>> detached;
    std::map<std::string, std::string> filesAtBatchTime;  // name -> bytes
    std::function<void()> batchEffect;
    int batchStatus = 0;  // the batch's exit status

    int runAndWait(const std::string& commandLine, int style) override {
        waited.emplace_back(commandLine, style);
        if (commandLine == kT13BatchFileName) {
            for (const auto& name : platform::listFolder(programFolder_).files)
                filesAtBatchTime[name] = platform::readFile(platform::joinPath(programFolder_, name));
            if (batchEffect) batchEffect();
            return batchStatus;
        }
        removeWorkFolder();
        return 0;
    }
    void runDetached(const std::string& commandLine, int style) override {
        detached.emplace_back(commandLine, style);
        removeWorkFolder();
    }

private:
    void removeWorkFolder() {
        const std::string folder = platform::joinPath(programFolder_, "SVCPACK");
        if (platform::folderExists(folder)) platform::removeFolderTree(folder);
    }
    std::string programFolder_;
};

class GenerateT13 : public t13test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        // Windows finds 7z.exe by its presence; POSIX needs it executable and takes the installed one.
        platform::writeFileAtomic(inProgram("7z.exe"), "stand-in");
        runner = std::make_unique<FakeRunner>(programFolder);
        window.packageNameText = "MyApp";
        window.versionText = "1.0";
        window.extractPathText = "C:\\Program Files\\App";
        for (const char* file : {"soft\\setup.exe", "soft\\app\\a.txt", "软件\\setup.exe"}) {
            platform::createFolders(platform::parentPath(inRoot(file)));
            platform::writeFileAtomic(inRoot(file), "item");
        }
        setupItem = inRoot("soft\\setup.exe");
        appItem = inRoot("soft\\app") + "\\*";
        window.packItems = {setupItem, appItem};
        window.runCommands = {"setup.exe /S"};
        window.runCommandText = "typing";
        output = inRoot("MyApp_1.0_Addon.7z");
    }

    // What a working batch makes: temp.7z, the installer, the package.
    void batchMakesEverything(const std::string& packageBytes = "NEW") {
        runner->batchEffect = [this, packageBytes] {
            platform::writeFileAtomic(inProgram("temp.7z"), "7z");
            platform::writeFileAtomic(inProgram("SVCPACK\\" + window.packageNameText + ".exe"), "exe");
            platform::writeFileAtomic(partial(), whole7z(packageBytes));
        };
    }
    // Where 7z writes the package until it is whole.
    std::string partial() const { return shell::partialPackagePath(output); }

    shell::GenerateOutcome generate() {
        ui.saveFileAnswers.push_back(output);
        return GenerateT13Addon(window, ui, *runner, "覆盖吗？");
    }

    // The messages a test checks as the English language file words them.
    void speakEnglish() { ui.language = &testsupport::shippedLanguage("English"); }
    testsupport::FakeUserInterface ui;
    std::unique_ptr<FakeRunner> runner;
    T13Builder window;
    std::string output;
    std::string setupItem, appItem;  // a file and a folder to pack
};

}  // namespace

TEST_F(GenerateT13, TheThreeChecksInOrderChangeNothing) {
    T13Builder empty;
    EXPECT_EQ(GenerateT13Addon(empty, ui, *runner, "q"), shell::GenerateOutcome::Refused);
    EXPECT_EQ(ui.lastMessage(), "请输入软件名称信息。");
    empty.packageNameText = "   ";  // blanks count as text for this check
    EXPECT_EQ(GenerateT13Addon(empty, ui, *runner, "q"), shell::GenerateOutcome::Refused);
    EXPECT_EQ(ui.lastMessage(), "请输入软件版本号。");
    empty.versionText = "1";
    EXPECT_EQ(GenerateT13Addon(empty, ui, *runner, "q"), shell::GenerateOutcome::Refused);
    EXPECT_EQ(ui.lastMessage(), "请加入您要生成的程序");
    ASSERT_EQ(ui.messages.size(), 3u);
    for (const auto& m : ui.messages) EXPECT_EQ(m.title, "");
    EXPECT_TRUE(ui.saveRequests.empty());
    EXPECT_EQ(ui.busyBegins, 0);
    EXPECT_TRUE(runner->waited.empty());
    EXPECT_EQ(platform::listFolder(programFolder).files, (std::vector<std::string>{"7z.exe", "7zs.sfx"}));
}

TEST_F(GenerateT13, NamesThatCannotNameAFileAreRefusedBeforeAnythingIsWritten) {
    speakEnglish();
    for (const char* bad : {"My:App", "   ", "App.", "a%b"}) {
        window.packageNameText = bad;
        EXPECT_EQ(generate(), shell::GenerateOutcome::Refused) << bad;
        EXPECT_NE(ui.lastMessage().find(std::string("\"") + bad + "\""), std::string::npos);
    }
    EXPECT_TRUE(ui.saveRequests.empty());
    EXPECT_TRUE(runner->waited.empty());
    EXPECT_EQ(platform::listFolder(programFolder).files.size(), 2u);
}

TEST_F(GenerateT13, MissingModuleSaysWhereToPutIt) {
    platform::deleteFile(inProgram("7zs.sfx"));
    EXPECT_EQ(generate(), shell::GenerateOutcome::Refused);
    EXPECT_NE(ui.lastMessage().find("7zs.sfx"), std::string::npos);
    EXPECT_NE(ui.lastMessage().find(programFolder), std::string::npos);
    EXPECT_NE(ui.lastMessage().find("7zSD.sfx"), std::string::npos);
    EXPECT_TRUE(ui.saveRequests.empty());
}

TEST_F(GenerateT13, Missing7zSaysWhereToPutIt) {
    speakEnglish();
    if (!platform::findProgram(platform::joinPath(platform::executableFolder(), "7z.exe"), {}).empty() ||
        !platform::installedSevenZipFolders().empty())
        GTEST_SKIP() << "a 7z lies beside the test program or is installed";
    platform::deleteFile(inProgram("7z.exe"));
    const std::string emptyFolder = inRoot("nothing");
    platform::createFolder(emptyFolder);
    const std::string path = platform::environmentVariable("PATH");
    platform::setEnvironmentVariable("PATH", emptyFolder);
    const shell::GenerateOutcome outcome = generate();
    platform::setEnvironmentVariable("PATH", path);
    EXPECT_EQ(outcome, shell::GenerateOutcome::Refused);
    EXPECT_NE(ui.lastMessage().find("into " + programFolder + "\\, then generate again."), std::string::npos)
        << ui.lastMessage();
    EXPECT_TRUE(ui.saveRequests.empty());
}

TEST_F(GenerateT13, SaveDialogPresetAndCancel) {
    EXPECT_EQ(GenerateT13Addon(window, ui, *runner, "q"), shell::GenerateOutcome::Cancelled);
    ASSERT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_EQ(ui.saveRequests[0].filter, "整合包 (*.7z)|*.7z|");
    EXPECT_EQ(ui.saveRequests[0].filterIndex, 1);
    EXPECT_EQ(ui.saveRequests[0].initialName, "MyApp_1.0_Addon.7z");
    EXPECT_EQ(ui.saveRequests[0].title, "");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.busyBegins, 0);
    EXPECT_EQ(window.packageNameText, "MyApp");
}

TEST_F(GenerateT13, ANormalRunWritesTheFilesRunsTheBatchAndClearsTheWindow) {
    batchMakesEverything();
    EXPECT_EQ(generate(), shell::GenerateOutcome::Made);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "*********************T13整合包生成成功****************");
    EXPECT_EQ(ui.messages[0].title, "生成成功");
    EXPECT_EQ(ui.busyBegins, 1);
    EXPECT_EQ(ui.busyDepth, 0);

    ASSERT_EQ(runner->waited.size(), 1u);  // no SVCPACK left from before: no first rd
    EXPECT_EQ(runner->waited[0], std::make_pair(std::string("T13整合包生成.bat"), 0));
    ASSERT_EQ(runner->detached.size(), 1u);
    EXPECT_EQ(runner->detached[0], std::make_pair(std::string("cmd /c rd /s /q .\\SVCPACK"), 2));

    auto& files = runner->filesAtBatchTime;
    const std::string check = "if errorlevel 1 exit 1\r\n";
    EXPECT_EQ(files["T13整合包生成.bat"],
              platform::encodeAnsi("7z a -t7z \"temp.7z\" \"" + setupItem + "\" -mx9\r\n" + check +
                                   "7z a -t7z \"temp.7z\" \"" + appItem + "\" -mx9\r\n" + check +
                                   "copy /b 7zs.sfx + config.txt + temp.7z SVCPACK\\MyApp.exe\r\n"
                                   "7z a -t7z \"" + partial() + "\" SVCPACK\\* -mx0\r\n" + check +
                                   "7z a -t7z \"" + partial() + "\" \"Entries.ini\" -mx9\r\n" + check));
    EXPECT_EQ(files["Entries.ini"],
              "[general]\r\nbuilddate=" + platform::encodeAnsi(platform::todayShortDate()) +
                  "\r\ndescription=MyApp \xD5\xFB\xBA\xCF\xB0\xFC\r\ntitle=MyApp\r\nversion=1.0\r\n\r\n\r\n"
                  "[EditFile]\r\nSVCPACK.INF,SetupHotfixesToRun,AddProgram\r\n\r\n\r\n[AddProgram]\r\nMyApp.exe\r\n");
    EXPECT_EQ(files["config.txt"],
              "\xEF\xBB\xBF;!@Install@!UTF-8!\r\nInstallPath=\"C:\\\\Program Files\\\\App\"\r\nGUIMode=\"1\"\r\n"
              "RunProgram =\"setup.exe /S\"\r\n"
              "ExtractPathText=\"程序正在解压安装中...\"\r\nExtractPathTitle=\"程序正在解压安装中...\"\r\n"
              "ExtractTitle=\"程序正在解压安装中...\"\r\nGUIFlags =\"63\"\r\n;!@InstallEnd@!\r\n");
    // While the batch runs, the marker names what a kill would leave.
    EXPECT_EQ(files[shell::kBuildMarkerName], "process " + std::to_string(platform::currentProcessId()) +
                                                  "\npackage " + partial() +
                                                  "\nwork SVCPACK\nwork config.txt\nwork temp.7z\nwork Entries.ini\n"
                                                  "work T13整合包生成.bat\n");

    // The window keeps only the run command being typed; the work files are gone.
    EXPECT_EQ(window.packageNameText, "");
    EXPECT_EQ(window.versionText, "");
    EXPECT_EQ(window.extractPathText, "");
    EXPECT_TRUE(window.packItems.empty());
    EXPECT_TRUE(window.runCommands.empty());
    EXPECT_EQ(window.runCommandText, "typing");
    const platform::FolderListing left = platform::listFolder(programFolder);
    EXPECT_EQ(left.files, (std::vector<std::string>{"7z.exe", "7zs.sfx"}));
    EXPECT_TRUE(left.folders.empty());
    EXPECT_TRUE(platform::fileExists("7zs.sfx")) << "the program folder stays the current folder";
}

TEST_F(GenerateT13, WhatAKilledBuildLeftGoesBeforeTheBuildAndTheUsersFilesStay) {
    // Killed while 7z wrote another package: its work files and the
    // unfinished package beside that package's path are left.
    const std::string otherPackage = inRoot("Other_2.0_Addon.7z");
    platform::writeFileAtomic(otherPackage, "the user's other package");
    platform::writeFileAtomic(shell::partialPackagePath(otherPackage), "half");
    platform::createFolders(inProgram("SVCPACK"));
    platform::writeFileAtomic(inProgram("SVCPACK\\Other.exe"), "exe");
    platform::writeFileAtomic(inProgram("temp.7z"), "7z");
    platform::writeFileAtomic(inProgram(shell::kBuildMarkerName),
                              "process " + std::to_string(testsupport::endedProcessId()) + "\npackage " +
                                  shell::partialPackagePath(otherPackage) + "\nwork SVCPACK\nwork temp.7z\n");
    batchMakesEverything();
    EXPECT_EQ(generate(), shell::GenerateOutcome::Made) << ui.lastMessage();
    EXPECT_FALSE(platform::fileExists(shell::partialPackagePath(otherPackage)));
    EXPECT_EQ(platform::readFile(otherPackage), "the user's other package");
    EXPECT_EQ(runner->filesAtBatchTime.count("temp.7z"), 0u);
    ASSERT_EQ(runner->waited.size(), 1u) << "the old SVCPACK was gone before the build looked";
    EXPECT_EQ(platform::listFolder(programFolder).files, (std::vector<std::string>{"7z.exe", "7zs.sfx"}));
}

TEST_F(GenerateT13, RvmiStoreOnlyAndNoExtractPath) {
    batchMakesEverything();
    window.integrator = Integrator::RvmIntegrator;
    window.storeOnly = true;
    window.extractPathText.clear();
    window.runCommands.clear();
    window.packItems = {inRoot("软件\\setup.exe"), appItem};
    EXPECT_EQ(generate(), shell::GenerateOutcome::Made);
    auto& files = runner->filesAtBatchTime;
    EXPECT_EQ(files["Entries.ini"],
              "[general]\r\nbuilddate=" + platform::encodeAnsi(platform::todayShortDate()) +
                  "\r\ndescription=MyApp \xD5\xFB\xBA\xCF\xB0\xFC\r\ntitle=MyApp\r\nversion=1.0\r\n\r\n\r\n"
                  "[EditFile]\r\nI386\\SVCPACK.INF,SetupHotfixesToRun,AddProgram\r\n\r\n\r\n[AddProgram]\r\nMyApp.exe\r\n");
    // The batch file in code page 936: 软件 is C8 ED BC FE.
    EXPECT_EQ(files["T13整合包生成.bat"],
              "7z a -t7z \"temp.7z\" \"" + platform::encodeAnsi(root) + "\\\xC8\xED\xBC\xFE\\setup.exe\" -mx0\r\n"
              "if errorlevel 1 exit 1\r\n"
              "7z a -t7z \"temp.7z\" \"" + platform::encodeAnsi(appItem) + "\" -mx0\r\nif errorlevel 1 exit 1\r\n"
              "copy /b 7zs.sfx + config.txt + temp.7z SVCPACK\\MyApp.exe\r\n"
              "7z a -t7z \"" + platform::encodeAnsi(partial()) + "\" SVCPACK\\* -mx0\r\nif errorlevel 1 exit 1\r\n"
              "7z a -t7z \"" + platform::encodeAnsi(partial()) + "\" \"Entries.ini\" -mx9\r\n"
              "if errorlevel 1 exit 1\r\n");
    EXPECT_EQ(files["config.txt"],
              "\xEF\xBB\xBF;!@Install@!UTF-8!\r\nGUIMode=\"1\"\r\n"
              "ExtractPathText=\"程序正在解压安装中...\"\r\nExtractPathTitle=\"程序正在解压安装中...\"\r\n"
              "ExtractTitle=\"程序正在解压安装中...\"\r\nGUIFlags =\"63\"\r\n;!@InstallEnd@!\r\n");
}

TEST_F(GenerateT13, ATemp7zLeftFromAnEarlierRunIsRemovedFirst) {
    platform::writeFileAtomic(inProgram("temp.7z"), "items of an earlier package");
    batchMakesEverything();
    EXPECT_EQ(generate(), shell::GenerateOutcome::Made);
    EXPECT_EQ(runner->filesAtBatchTime.count("temp.7z"), 0u) << "7z would add the new items to the old archive";
}

TEST_F(GenerateT13, TheModuleIsFoundInAnyLetterCase) {
    platform::renameFile(inProgram("7zs.sfx"), inProgram("7zS.sfx"));
    batchMakesEverything();
    EXPECT_EQ(generate(), shell::GenerateOutcome::Made) << ui.lastMessage();
}

TEST_F(GenerateT13, AFailedToolRunNamesWhatFailedAndKeepsTheFieldsAsTyped) {
    // The batch makes nothing at all (7z missing or failing).
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "整合包生成换败了");
    EXPECT_NE(ui.messages[0].text.find("temp.7z"), std::string::npos);
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_TRUE(runner->detached.empty()) << "the later steps did not run";
    EXPECT_EQ(window.packageNameText, "MyApp");
    EXPECT_EQ(window.extractPathText, "C:\\Program Files\\App");
    EXPECT_EQ(window.packItems.size(), 2u);
    EXPECT_TRUE(platform::folderExists(inProgram("SVCPACK")));

    // The next run clears the leftovers first and doubles the path once only.
    batchMakesEverything();
    EXPECT_EQ(generate(), shell::GenerateOutcome::Made);
    ASSERT_EQ(runner->waited.size(), 3u);
    EXPECT_EQ(runner->waited[1], std::make_pair(std::string("cmd /c rd /s /q .\\SVCPACK"), 0));
    EXPECT_NE(runner->filesAtBatchTime["config.txt"].find("InstallPath=\"C:\\\\Program Files\\\\App\"\r\n"),
              std::string::npos);
}

TEST_F(GenerateT13, ToolsThatMakeNoPackageGiveTheFailureMessage) {
    runner->batchEffect = [this] {
        platform::writeFileAtomic(inProgram("temp.7z"), "7z");
        platform::writeFileAtomic(inProgram("SVCPACK\\MyApp.exe"), "exe");
    };
    EXPECT_EQ(generate(), shell::GenerateOutcome::NotMade);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "******Sorry。T13整合包生成失败，请您检查程序好再重新制作******");
    EXPECT_EQ(ui.messages[0].title, "整合包生成换败了");
    EXPECT_EQ(window.packageNameText, "");
}

TEST_F(GenerateT13, APackageWithoutItsInstallerIsNotKept) {
    runner->batchEffect = [this] {
        platform::writeFileAtomic(inProgram("temp.7z"), "7z");
        platform::writeFileAtomic(partial(), whole7z("only Entries.ini"));
    };
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    EXPECT_NE(ui.lastMessage().find("SVCPACK"), std::string::npos);
    EXPECT_FALSE(platform::fileExists(output));
}

TEST_F(GenerateT13, AnItemThat7zLeftOutFailsTheBuildAndKeepsTheOldPackage) {
    speakEnglish();
    // 7z warned (status 1) and packed the rest: everything else is there.
    platform::writeFileAtomic(output, "OLD");
    ui.yesNoAnswers.push_back(true);
    batchMakesEverything();
    runner->batchStatus = 1;
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    EXPECT_EQ(platform::readFile(output), "OLD");
    EXPECT_EQ(platform::listFolder(root).files, (std::vector<std::string>{"MyApp_1.0_Addon.7z"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Package not made");
    const std::string& text = ui.messages[0].text;
    EXPECT_EQ(text.rfind("The T13 package was not made: packing with 7-Zip (", 0), 0u) << text;
    for (const char* part : {"ended with status 1", "7-Zip could not pack every item", "can be read",
                             "not in use by another program", "The earlier package at " })
        EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
    // The work files go as after a build; the fields stay for another try.
    const platform::FolderListing left = platform::listFolder(programFolder);
    EXPECT_EQ(left.files, (std::vector<std::string>{"7z.exe", "7zs.sfx"}));
    EXPECT_TRUE(left.folders.empty());
    EXPECT_EQ(window.packItems.size(), 2u);

    // Without an old package nothing is left at the path either.
    platform::deleteFile(output);
    runner->batchStatus = 2;  // 7z's fatal error, after it wrote a whole archive
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    EXPECT_FALSE(platform::fileExists(output));
    EXPECT_TRUE(platform::listFolder(root).files.empty());
    EXPECT_EQ(ui.lastMessage().find("The earlier package"), std::string::npos);
}

TEST_F(GenerateT13, OverwriteDeclinedChangesNothing) {
    platform::writeFileAtomic(output, "OLD");
    ui.yesNoAnswers.push_back(false);
    EXPECT_EQ(generate(), shell::GenerateOutcome::Cancelled);
    EXPECT_EQ(ui.questions, (std::vector<std::string>{"覆盖吗？"}));
    EXPECT_EQ(platform::readFile(output), "OLD");
    EXPECT_EQ(ui.busyBegins, 0);
    EXPECT_TRUE(runner->waited.empty());
}

TEST_F(GenerateT13, OverwriteReplacesTheOldPackageOnlyOnceANewOneExists) {
    platform::writeFileAtomic(output, "OLD");
    ui.yesNoAnswers.push_back(true);
    std::string oldFileAtBatchTime;
    runner->batchEffect = [&] {
        oldFileAtBatchTime = platform::readFile(output);
        EXPECT_FALSE(platform::fileExists(partial())) << "7z must not add to an old archive";
        platform::writeFileAtomic(inProgram("temp.7z"), "7z");
        platform::writeFileAtomic(inProgram("SVCPACK\\MyApp.exe"), "exe");
        platform::writeFileAtomic(partial(), whole7z("NEW"));
    };
    EXPECT_EQ(generate(), shell::GenerateOutcome::Made);
    EXPECT_EQ(oldFileAtBatchTime, "OLD") << "a build killed while 7z runs would leave no package";
    EXPECT_EQ(platform::readFile(output), whole7z("NEW"));
    EXPECT_EQ(platform::listFolder(root).files, (std::vector<std::string>{"MyApp_1.0_Addon.7z"}));
}

TEST_F(GenerateT13, OverwriteKeepsTheOldPackageWhenNoNewOneIsMade) {
    // No package at all, a package without its installer, tools that never start.
    const std::vector<std::function<void()>> failures = {
        [this] {
            platform::writeFileAtomic(inProgram("temp.7z"), "7z");
            platform::writeFileAtomic(inProgram("SVCPACK\\MyApp.exe"), "exe");
        },
        [this] {
            platform::writeFileAtomic(inProgram("temp.7z"), "7z");
            platform::writeFileAtomic(partial(), "half");
        },
        [this] {  // 7z stopped before the archive was whole (a full disk, a kill)
            platform::writeFileAtomic(inProgram("temp.7z"), "7z");
            platform::writeFileAtomic(inProgram("SVCPACK\\MyApp.exe"), "exe");
            platform::writeFileAtomic(partial(), whole7z("NEW").substr(0, 34));
        },
        [] { throw platform::Error(platform::ErrorKind::FileNotFound, "cannot start the batch"); },
    };
    using shell::GenerateOutcome;
    const GenerateOutcome expected[] = {GenerateOutcome::NotMade, GenerateOutcome::Failed, GenerateOutcome::NotMade,
                                        GenerateOutcome::Failed};
    for (std::size_t i = 0; i < failures.size(); ++i) {
        platform::writeFileAtomic(output, "OLD");
        ui.yesNoAnswers.push_back(true);
        runner->batchEffect = failures[i];
        EXPECT_EQ(generate(), expected[i]) << i;
        EXPECT_EQ(platform::readFile(output), "OLD") << i;
        EXPECT_EQ(platform::listFolder(root).files, (std::vector<std::string>{"MyApp_1.0_Addon.7z"})) << i;
        EXPECT_EQ(ui.busyDepth, 0);
        window.packageNameText = "MyApp";
        window.versionText = "1.0";
        window.packItems = {setupItem};
    }
    EXPECT_NE(ui.lastMessage().find("cannot start the batch"), std::string::npos);
}

// Setup runs the [AddProgram] line from SVCPACK.INF as a command line and
// would split it at a blank: such a name is refused before anything is
// written. An "&" only needs the quoted copy target.
TEST_F(GenerateT13, ANameWithABlankIsRefusedAndOneWithAnAmpersandGetsAQuotedCopyTarget) {
    speakEnglish();
    window.packageNameText = "My App";
    EXPECT_EQ(generate(), shell::GenerateOutcome::Refused);
    EXPECT_NE(ui.lastMessage().find("\"My App\" holds a blank"), std::string::npos) << ui.lastMessage();
    EXPECT_NE(ui.lastMessage().find("My_App"), std::string::npos) << ui.lastMessage();
    EXPECT_TRUE(ui.saveRequests.empty());
    EXPECT_TRUE(runner->waited.empty());
    EXPECT_EQ(window.packageNameText, "My App");
    ui.saveFileAnswers.clear();

    window.packageNameText = "My&App";
    output = inRoot("My App_1.0_Addon.7z");
    batchMakesEverything();
    EXPECT_EQ(generate(), shell::GenerateOutcome::Made) << ui.lastMessage();
    EXPECT_NE(runner->filesAtBatchTime["T13整合包生成.bat"].find(
                  "copy /b 7zs.sfx + config.txt + temp.7z \"SVCPACK\\My&App.exe\"\r\n"),
              std::string::npos);
    EXPECT_NE(runner->filesAtBatchTime["Entries.ini"].find("[AddProgram]\r\nMy&App.exe\r\n"), std::string::npos);
}

// One-line fields whose line break or tab would add lines to Entries.ini or
// config.txt, pack items the batch file cannot quote or the builder would
// overwrite: refused before anything is written, naming the field or file.
TEST_F(GenerateT13, FieldsThatWouldBreakTheirFilesAreRefusedNamingThem) {
    speakEnglish();
    const T13Builder good = window;
    const std::vector<std::pair<std::function<void(T13Builder&)>, std::string>> cases = {
        {[](T13Builder& w) { w.versionText = "1.0\r\n[EditFile]"; }, "The version "},
        {[](T13Builder& w) { w.extractPathText = "C:\\App\n"; }, "The extraction path "},
        {[](T13Builder& w) { w.runCommands.push_back("setup.exe\t/S"); }, "The run command "},
        {[](T13Builder& w) { w.packItems.push_back("D:\\a\nb.exe"); }, "The item to pack "},
        {[](T13Builder& w) { w.packItems.push_back("/soft/say \"hi\".exe"); }, "holds a double quote"},
    };
    for (const auto& [change, expected] : cases) {
        window = good;
        change(window);
        EXPECT_EQ(generate(), shell::GenerateOutcome::Refused) << expected;
        EXPECT_NE(ui.lastMessage().find(expected), std::string::npos) << ui.lastMessage();
        ui.saveFileAnswers.clear();
    }
    // The user's own config.txt in the program folder: the builder would
    // delete it and write its own there before packing.
    window = good;
    platform::writeFileAtomic(inProgram("config.txt"), "the user's");
    window.packItems.push_back(inProgram("CONFIG.TXT"));
    EXPECT_EQ(generate(), shell::GenerateOutcome::Refused);
    EXPECT_NE(ui.lastMessage().find("work file config.txt"), std::string::npos) << ui.lastMessage();
    EXPECT_EQ(platform::readFile(inProgram("config.txt")), "the user's");
    EXPECT_TRUE(ui.saveRequests.empty());
    EXPECT_TRUE(runner->waited.empty());
}

TEST_F(GenerateT13, AQuoteInTheExtractionPathIsEscapedForTheModule) {
    window.extractPathText = "C:\\say \"hi\"";
    batchMakesEverything();
    EXPECT_EQ(generate(), shell::GenerateOutcome::Made) << ui.lastMessage();
    EXPECT_NE(runner->filesAtBatchTime["config.txt"].find("InstallPath=\"C:\\\\say \\\"hi\\\"\"\r\n"),
              std::string::npos)
        << runner->filesAtBatchTime["config.txt"];
}

TEST_F(GenerateT13, AnOutputPathWithAQuoteIsRefused) {
    speakEnglish();
    output = inRoot("say \"hi\".7z");
    EXPECT_EQ(generate(), shell::GenerateOutcome::Refused);
    EXPECT_NE(ui.lastMessage().find("double quote"), std::string::npos) << ui.lastMessage();
    EXPECT_TRUE(runner->waited.empty());
}

// Each failure names its step and says whether a package exists.
TEST_F(GenerateT13, FailureMessagesNameTheStepAndWhetherAPackageIsThere) {
    speakEnglish();
    runner->batchEffect = [this] { platform::writeFileAtomic(inProgram("SVCPACK\\MyApp.exe"), "exe"); };
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    EXPECT_EQ(ui.lastMessage().rfind("The T13 package was not made: packing the items into ", 0), 0u)
        << ui.lastMessage();
    // Without a language file, the built-in account names the step in Chinese too.
    ui.language = nullptr;
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    EXPECT_EQ(ui.lastMessage().rfind("T13 整合包没有生成：“用 7z 把要打包的程序打包进 ", 0), 0u) << ui.lastMessage();
    speakEnglish();

    // Made, then a work file that cannot be deleted: a folder stands at its place.
    window = T13Builder{};
    window.packageNameText = "MyApp";
    window.versionText = "1.0";
    window.packItems = {setupItem};
    runner->batchEffect = [this] {
        platform::writeFileAtomic(inProgram("temp.7z"), "7z");
        platform::writeFileAtomic(inProgram("SVCPACK\\MyApp.exe"), "exe");
        platform::writeFileAtomic(partial(), whole7z("NEW"));
        platform::deleteFile(inProgram("Entries.ini"));
        platform::createFolder(inProgram("Entries.ini"));
    };
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    EXPECT_EQ(ui.lastMessage().rfind("The T13 package was made at " + output + ", but then deleting ", 0), 0u)
        << ui.lastMessage();
    EXPECT_NE(ui.lastMessage().find("Entries.ini"), std::string::npos);
    EXPECT_EQ(platform::readFile(output), whole7z("NEW"));
}

TEST_F(GenerateT13, ItemsThatAreMissingOrUnreadableStopTheBuildBeforeAnythingIsWritten) {
    speakEnglish();
    batchMakesEverything();
    const auto expectRefusal = [&](const std::string& named) {
        ui.messages.clear();
        EXPECT_EQ(generate(), shell::GenerateOutcome::Failed) << named;
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].text.find(named), std::string::npos) << ui.messages[0].text;
        EXPECT_TRUE(runner->waited.empty()) << "7z never ran";
        EXPECT_EQ(platform::listFolder(programFolder).files, (std::vector<std::string>{"7z.exe", "7zs.sfx"}));
        EXPECT_TRUE(platform::listFolder(programFolder).folders.empty());
        EXPECT_EQ(window.packItems.size(), 2u) << "the window keeps what was typed";
        EXPECT_EQ(ui.busyDepth, 0);
    };
    window.packItems = {setupItem, inRoot("soft\\gone.exe")};
    expectRefusal("gone.exe does not exist");
    window.packItems = {inRoot("soft\\missing") + "\\*", setupItem};
    expectRefusal("missing");
    {
        // A file deep in a packed folder that cannot be read (7z would skip it with a warning).
        platform::writeFileAtomic(inRoot("soft\\app\\locked.dll"), "x");
        platform::FileFaults faults;
        faults.refuse(platform::FileOperation::Read, "app\\locked.dll");
        window.packItems = {setupItem, appItem};
        expectRefusal("locked.dll");
    }
    EXPECT_FALSE(platform::fileExists(output));
}

TEST_F(GenerateT13, APackagePathThatIsAnItemOrInAPackedFolderIsRefused) {
    speakEnglish();
    batchMakesEverything();
    ui.yesNoAnswers.push_back(true);
    output = setupItem;
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    EXPECT_NE(ui.lastMessage().find("is the item to pack itself"), std::string::npos) << ui.lastMessage();
    EXPECT_EQ(platform::readFile(setupItem), "item");

    output = inRoot("soft\\app\\MyApp_1.0_Addon.7z");
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    EXPECT_NE(ui.lastMessage().find("would pack itself"), std::string::npos) << ui.lastMessage();
    EXPECT_TRUE(runner->waited.empty());
    EXPECT_FALSE(platform::fileExists(output));
}

TEST(AppDir, ExactlyOneTrailingBackslash) {
    EXPECT_EQ(appDirOf("C:\\"), "C:\\");
    EXPECT_EQ(appDirOf("C:\\Tools"), "C:\\Tools\\");
    EXPECT_EQ(defaultPackageFileName("MyApp", "1.0"), "MyApp_1.0_Addon.7z");
}
