// The Generate command with the batch runs stood in for: its checks and
// dialogs, the order of its steps, what a build leaves, the old package's
// safe keeping, and the one message of a failed step.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "infaddon/build_checks.h"
#include "shell/message_keys.h"
#include "infaddon/generate.h"
#include "infaddon/packaging_names.h"
#include "packaging_fixture.h"
#include "shell/package_replacement.h"
#include "platform/ansi_text_file.h"
#include "platform/error.h"
#include "platform/file_faults.h"
#include "shell/stale_work_files.h"
#include "tests/support/ended_process.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/shipped_language.h"

using namespace infaddon;

namespace {

const std::string kRemoveStaging = "cmd /c rd /s /q .\\提取文件";
const std::string kQuestion = "文件已存在，是否覆盖？";

// Also records whether the busy bracket was open when each message came.
class RecordingUi : public testsupport::FakeUserInterface {
public:
    std::vector<int> busyAtMessage;
    void showMessage(const std::string& text, const std::string& title, shell::MessageIcon icon) override {
        busyAtMessage.push_back(busyDepth);
        FakeUserInterface::showMessage(text, title, icon);
    }
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        result.push_back(text.substr(start, end - start));
    return result;
}

std::string unquoted(const std::string& line) { return line.size() >= 2 ? line.substr(1, line.size() - 2) : line; }

class Generating : public packtest::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        // The messages are checked as the English language file words them.
        ui.language = &testsupport::shippedLanguage("English");
        platform::createFolders(inRoot("soft\\App\\doc"));
        platform::createFolders(inRoot("out"));
        write(inRoot("soft\\App\\app.exe"), "program bytes");
        write(inRoot("soft\\App\\doc\\读我.txt"), "readme bytes");
        write(inRoot("tool.dll"), "extra bytes");
        target = inRoot("out\\App_1.0_Addon.cab");

        project.PackageName = "App";
        project.PackageVersion = "1.0";
        project.Website = "http://example.org/";
        project.addSourceFolder(inRoot("soft\\App"), "");
        project.addExtraFile({inRoot("tool.dll"), "tool.dll", "100", "2"});
        project.Shortcuts.push_back({"[addlink12]\r\nx\r\ny\r\n", "addlink12", "a\r\nb"});

        // makecab as the first batch file runs it: it reads every listed
        // staged file, as the cabinet would hold it.
        runner.actions[kCabBatchFileName] = [this] {
            packed.clear();
            for (const std::string& line : lines(platform::readAnsiFile(inProgram(kCabListFileName)))) {
                const std::string path = unquoted(line);
                packed.push_back({platform::baseName(path), platform::fileExists(path) ? platform::readFile(path) : "?"});
            }
            infText = platform::readAnsiFile(inProgram("App.inf"));
            if (makeInnerCabinet) write(inProgram("App.cab"), packtest::wholeCabinet("inner"));
            write(inProgram("setup.inf"), "");
            write(inProgram("setup.rpt"), "");
        };
        runner.actions[kRemoveStaging] = [this] { platform::removeFolderTree(inProgram("提取文件")); };
        runner.actions[kPackageBatchFileName] = [this] {
            targetDuringPacking = platform::fileExists(target) ? platform::readFile(target) : "";
            packageMembers.clear();
            for (const std::string& line : lines(platform::readAnsiFile(inProgram(kPackageListFileName))))
                if (platform::fileExists(inProgram(unquoted(line)))) packageMembers.push_back(unquoted(line));
            if (makePackage) write(shell::partialPackagePath(target), newPackage);
        };
    }

    shell::GenerateOutcome generate() {
        ui.saveFileAnswers.push_back(target);
        return Generate(project, state, ui, runner, kQuestion);
    }

    std::vector<std::string> outFolderFiles() const { return platform::listFolder(inRoot("out")).files; }

    AddonProject project;
    BuildState state;
    std::string target;
    RecordingUi ui;
    packtest::FakeCommandRunner runner;
    bool makeInnerCabinet = true;
    bool makePackage = true;

    std::vector<std::pair<std::string, std::string>> packed;  // staged name, bytes
    std::string infText;
    std::vector<std::string> packageMembers;
    std::string targetDuringPacking;
    const std::string newPackage = packtest::wholeCabinet("new package");
};

TEST_F(Generating, TheThreeChecksComeInOrderAndChangeNothing) {
    ui.language = nullptr;  // the built-in texts
    AddonProject empty;
    empty.PackageName = "";
    EXPECT_EQ(Generate(empty, state, ui, runner, kQuestion), shell::GenerateOutcome::Refused);
    project.PackageName.clear();
    project.PackageVersion.clear();
    EXPECT_EQ(Generate(project, state, ui, runner, kQuestion), shell::GenerateOutcome::Refused);
    project.PackageName = "App";
    EXPECT_EQ(Generate(project, state, ui, runner, kQuestion), shell::GenerateOutcome::Refused);

    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, "请在\"软件路径\"选项选择好您要整合的软件路径,在点击添加之后再点击整合包生成.");
    EXPECT_EQ(ui.messages[1].text, "请输入软件LOGO信息。");
    EXPECT_EQ(ui.messages[2].text, "请输入软件名称及版本信息。");
    EXPECT_TRUE(ui.saveRequests.empty());
    EXPECT_EQ(ui.busyBegins, 0);
    EXPECT_TRUE(programFolderEntries().empty());
    EXPECT_EQ(project.SourceFolders.size(), 1u);
}

TEST_F(Generating, ANameThatCannotNameFilesAndSectionsIsRefusedBeforeTheDialog) {
    for (const char* name : {"App:1", "A[1]", "App.", "App ", "a%b", "tab\there", "NUL"}) {
        project.PackageName = name;
        EXPECT_EQ(Generate(project, state, ui, runner, kQuestion), shell::GenerateOutcome::Refused) << name;
        EXPECT_EQ(ui.messages.back().icon, shell::MessageIcon::Stop);
        EXPECT_NE(ui.messages.back().text.find(name), std::string::npos) << ui.messages.back().text;
    }
    EXPECT_TRUE(ui.saveRequests.empty());
    project.PackageName = "应用 App-2.0_x";
    ui.messages.clear();
    EXPECT_EQ(Generate(project, state, ui, runner, kQuestion), shell::GenerateOutcome::Cancelled) << ui.lastMessage();
}

TEST_F(Generating, TheSaveDialogProposesTheNameAndCancelEndsSilently) {
    EXPECT_EQ(Generate(project, state, ui, runner, kQuestion), shell::GenerateOutcome::Cancelled);
    ASSERT_EQ(ui.saveRequests.size(), 1u);
    EXPECT_EQ(ui.saveRequests[0].filter, "Integration package (*.cab)|*.cab|");
    EXPECT_EQ(ui.saveRequests[0].filterIndex, 1);
    EXPECT_EQ(ui.saveRequests[0].initialName, "App_1.0_Addon.cab");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ui.busyBegins, 0);
    EXPECT_TRUE(programFolderEntries().empty());
}

TEST_F(Generating, DecliningTheOverwriteQuestionTouchesNothing) {
    write(target, "old package");
    ui.yesNoAnswers.push_back(false);
    EXPECT_EQ(generate(), shell::GenerateOutcome::Cancelled);
    EXPECT_EQ(ui.questions, std::vector<std::string>{kQuestion});
    EXPECT_EQ(platform::readFile(target), "old package");
    EXPECT_EQ(ui.busyBegins, 0);
    EXPECT_TRUE(runner.started.empty());
    EXPECT_TRUE(programFolderEntries().empty());
}

TEST_F(Generating, ABuildRunsItsStepsInOrderAndLeavesOnlyWhatSurvives) {
    platform::createFolders(inRoot("soft\\Second"));
    write(inRoot("soft\\Second\\two.ini"), "second folder");
    project.addSourceFolder(inRoot("soft\\Second"), "11");

    EXPECT_EQ(generate(), shell::GenerateOutcome::Made);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(runner.commandLines(),
              (std::vector<std::string>{kCabBatchFileName, kRemoveStaging, kPackageBatchFileName}));

    // Every collected file was in the staging folder, under its staged name, with its bytes.
    ASSERT_EQ(packed.size(), 3u);
    for (const auto& [name, bytes] : packed) {
        if (name.find("app.exe") != std::string::npos) EXPECT_EQ(bytes, "program bytes");
        else if (name.find("读我.txt") != std::string::npos) EXPECT_EQ(bytes, "readme bytes");
        else EXPECT_EQ(bytes, "second folder") << name;
    }
    EXPECT_NE(infText.find("CopyFiles       = "), std::string::npos);
    EXPECT_NE(infText.find("[addlink12]"), std::string::npos) << "the shortcuts reach the INF";
    EXPECT_EQ(packageMembers, (std::vector<std::string>{"Entries_App.ini", "App.inf", "App.cab", "tool.dll"}));

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The integration package was made.");
    EXPECT_EQ(ui.busyAtMessage, std::vector<int>{1}) << "the outcome comes while the busy window shows";
    EXPECT_EQ(ui.busyBegins, 1);
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_EQ(platform::readFile(target), newPackage);
    EXPECT_TRUE(programFolderEntries().empty()) << testing::PrintToString(programFolderEntries());

    // The scan went through the folders in order; the log shows the last build.
    ASSERT_GE(state.RunLog.size(), 2u);
    EXPECT_EQ(state.RunLog[0].rfind("Searching ", 0), 0u);
    EXPECT_NE(state.RunLog[0].find("App"), std::string::npos);
    EXPECT_TRUE(std::any_of(state.RunLog.begin(), state.RunLog.end(),
                            [](const std::string& l) { return l.find("Second") != std::string::npos; }));

    // Source folders and extra files are gone; name, version, web site and shortcuts stay.
    EXPECT_TRUE(project.SourceFolders.empty());
    EXPECT_TRUE(project.ExtraFiles.empty());
    EXPECT_EQ(project.PackageName, "App");
    EXPECT_EQ(project.PackageVersion, "1.0");
    EXPECT_EQ(project.Website, "http://example.org/");
    EXPECT_EQ(project.Shortcuts.size(), 1u);
    EXPECT_TRUE(state.StagedFiles.empty());
    EXPECT_TRUE(state.CopySectionLines.empty());
    EXPECT_TRUE(state.CopyFilesList.empty());
}

TEST_F(Generating, TheMarkerNamesWhatAKillWouldLeaveAndAKilledBuildsLeftoversGoFirst) {
    // A build of another package killed while makecab ran: its staging
    // folder, INF and unfinished package are left, and its marker.
    const std::string otherTarget = inRoot("out\\Other_Addon.cab");
    write(otherTarget, "the user's other package");
    write(shell::partialPackagePath(otherTarget), "half");
    platform::createFolders(inProgram("提取文件"));
    write(inProgram("提取文件\\old.exe"), "staged");
    write(inProgram("Other.inf"), "inf");
    write(inProgram("readme.txt"), "the user's");
    write(inProgram(shell::kBuildMarkerName), "process " + std::to_string(testsupport::endedProcessId()) +
                                                  "\npackage " + shell::partialPackagePath(otherTarget) +
                                                  "\nwork Other.inf\nwork 提取文件\n");
    std::string markerWhilePacking;
    const auto pack = runner.actions[kPackageBatchFileName];
    runner.actions[kPackageBatchFileName] = [&, pack] {
        markerWhilePacking = platform::readFile(inProgram(shell::kBuildMarkerName));
        pack();
    };
    EXPECT_EQ(generate(), shell::GenerateOutcome::Made) << ui.lastMessage();
    EXPECT_EQ(runner.commandLines(),
              (std::vector<std::string>{kCabBatchFileName, kRemoveStaging, kPackageBatchFileName}))
        << "the new staging folder takes the first name again";
    EXPECT_EQ(markerWhilePacking,
              "process " + std::to_string(platform::currentProcessId()) + "\npackage " +
                  shell::partialPackagePath(target) +
                  "\nwork reg.bak\nwork App.inf\nwork Entries_App.ini\nwork App.cab\nwork CAB压缩文件列表.txt"
                  "\nwork 生成cab文件.bat\nwork 整合包压缩列表.txt\nwork 生成整合包.bat\nwork setup.inf\nwork setup.rpt"
                  "\nwork 提取文件\nwork tool.dll\n");
    EXPECT_EQ(programFolderEntries(), std::vector<std::string>{"readme.txt"});
    EXPECT_EQ(platform::readFile(otherTarget), "the user's other package");
    EXPECT_EQ(outFolderFiles(), (std::vector<std::string>{"App_1.0_Addon.cab", "Other_Addon.cab"}));
}

TEST_F(Generating, ASecondBuildCarriesNothingOfTheFirst) {
    ASSERT_EQ(generate(), shell::GenerateOutcome::Made);
    platform::createFolders(inRoot("soft\\Other"));
    write(inRoot("soft\\Other\\other.txt"), "other");
    project.addSourceFolder(inRoot("soft\\Other"), "");
    ui.yesNoAnswers.push_back(true);
    ASSERT_EQ(generate(), shell::GenerateOutcome::Made);

    ASSERT_EQ(packed.size(), 1u);
    EXPECT_EQ(packed[0].second, "other");
    EXPECT_EQ(infText.find("app.exe"), std::string::npos);
    EXPECT_EQ(infText.find("tool.dll"), std::string::npos);
    EXPECT_EQ(packageMembers, (std::vector<std::string>{"Entries_App.ini", "App.inf", "App.cab"}));
}

TEST_F(Generating, AnOldPackageStaysAtItsPathUntilTheNewOneIsWhole) {
    write(target, "old package");
    ui.yesNoAnswers.push_back(true);
    EXPECT_EQ(generate(), shell::GenerateOutcome::Made);
    EXPECT_EQ(targetDuringPacking, "old package") << "a build killed while makecab runs would leave no package";
    EXPECT_EQ(platform::readFile(target), newPackage);
    EXPECT_EQ(outFolderFiles(), std::vector<std::string>{"App_1.0_Addon.cab"});
}

TEST_F(Generating, ADiskThatFillsAtAnyByteOfTheBuildNeverGivesAPackageOrLosesTheOldOne) {
    // The disk fills at a byte of the build, from the first work file to the
    // package itself (the stand-in makecab writes through the same file
    // layer): every build short of room fails, and the old package stays.
    const AddonProject original = project;
    const auto wipeProgramFolder = [&] {
        const platform::FolderListing listing = platform::listFolder(programFolder);
        for (const std::string& name : listing.folders) platform::removeFolderTree(inProgram(name));
        for (const std::string& name : listing.files) platform::deleteFile(inProgram(name));
    };
    int failed = 0;
    bool made = false;
    for (std::uint64_t room = 0; room < 100000 && !made; room += 61) {
        write(target, "old package");
        project = original;
        state = BuildState{};
        ui.messages.clear();
        ui.yesNoAnswers.push_back(true);
        shell::GenerateOutcome outcome;
        {
            platform::FileFaults faults;
            faults.fillDiskAfter(room);
            outcome = generate();
        }
        made = outcome == shell::GenerateOutcome::Made;
        if (made) {
            EXPECT_EQ(platform::readFile(target), newPackage) << room;
            EXPECT_EQ(ui.messages.size(), 1u) << room;
        } else {
            ++failed;
            EXPECT_EQ(platform::readFile(target), "old package") << "the disk filled after " << room << " bytes";
            ASSERT_FALSE(ui.messages.empty()) << room;
            EXPECT_NE(ui.messages.back().text, "The integration package was made.") << room;
        }
        EXPECT_EQ(outFolderFiles(), std::vector<std::string>{"App_1.0_Addon.cab"}) << "after " << room << " bytes";
        wipeProgramFolder();
    }
    EXPECT_TRUE(made) << "no room was enough";
    EXPECT_GT(failed, 10);
}

TEST_F(Generating, AnOldPackageComesBackWhenNoNewOneIsMade) {
    write(target, "old package");
    makePackage = false;
    ui.yesNoAnswers.push_back(true);
    EXPECT_EQ(generate(), shell::GenerateOutcome::NotMade);
    EXPECT_EQ(ui.messages.back().text, "The integration package was not made. Check your entries and make it again.")
        << "an old file at the path is no success";
    EXPECT_EQ(platform::readFile(target), "old package");
    EXPECT_EQ(outFolderFiles(), std::vector<std::string>{"App_1.0_Addon.cab"});

    makeInnerCabinet = false;
    project.addSourceFolder(inRoot("soft\\App"), "");
    ui.yesNoAnswers.push_back(true);
    ui.messages.clear();
    EXPECT_EQ(generate(), shell::GenerateOutcome::NotMade);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "The application's cabinet was not made. Choose the files again, and check whether one of them is in use.");
    EXPECT_EQ(platform::readFile(target), "old package");
    EXPECT_EQ(outFolderFiles(), std::vector<std::string>{"App_1.0_Addon.cab"});
    // As after any failed inner cabinet, the package's two work files stay.
    EXPECT_EQ(programFolderEntries(), (std::vector<std::string>{kPackageListFileName, kPackageBatchFileName}));
}

TEST_F(Generating, AFailedStepEndsTheBuildWithOneMessageNamingItAndWhy) {
    project.ExtraFiles[0].source = inRoot("gone.dll");
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& text = ui.messages[0].text;
    EXPECT_NE(text.find("copying the extra files"), std::string::npos) << text;
    EXPECT_NE(text.find("gone.dll"), std::string::npos) << text;
    EXPECT_EQ(ui.messages[0].icon, shell::MessageIcon::Stop);
    EXPECT_EQ(ui.busyAtMessage, std::vector<int>{0}) << "the window is enabled again before the message";
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_TRUE(runner.started.empty()) << "later steps do not run";
    EXPECT_FALSE(platform::fileExists(inProgram(kCabBatchFileName)));
    EXPECT_TRUE(platform::fileExists(inProgram("App.inf"))) << "what was written stays";
    EXPECT_EQ(project.SourceFolders.size(), 1u) << "the end reset does not run";
}

// The system's account of the failed copy comes in the user's language too.
TEST_F(Generating, AFailedFileOperationIsToldInTheUsersLanguage) {
    project.ExtraFiles[0].source = inRoot("gone.dll");
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Cannot copy the file \"" + inRoot("gone.dll") + "\": "), std::string::npos)
        << ui.messages[0].text;
    ui.language = &testsupport::shippedLanguage("Chinese");
    ui.messages.clear();
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& text = ui.messages[0].text;
    EXPECT_NE(text.find("无法复制文件“" + inRoot("gone.dll") + "”："), std::string::npos) << text;
    EXPECT_EQ(text.find("Cannot"), std::string::npos) << text;
}

// The package's files are in code page 936 on every system: a name or text
// it cannot hold is refused before the staging folder or any file is made.
TEST_F(Generating, ATextCodePage936CannotHoldIsNamedBeforeAnythingIsWritten) {
    write(inRoot("soft\\App\\doc\\한국어.txt"), "Hangul");
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    std::string text = ui.messages[0].text;
    EXPECT_NE(text.find("Cannot write \"App.inf\""), std::string::npos) << text;
    EXPECT_NE(text.find("App_doc_한국어.txt"), std::string::npos) << text;
    EXPECT_NE(text.find("code page 936"), std::string::npos) << text;
    EXPECT_TRUE(programFolderEntries().empty()) << testing::PrintToString(programFolderEntries());
    EXPECT_TRUE(runner.started.empty());

    // The web site stands in the entries file only.
    platform::deleteFile(inRoot("soft\\App\\doc\\한국어.txt"));
    project.Website = "http://한국.example/";
    ui.messages.clear();
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    text = ui.messages[0].text;
    EXPECT_NE(text.find("Cannot write \"Entries_App.ini\""), std::string::npos) << text;
    EXPECT_NE(text.find("website=http://한국.example/"), std::string::npos) << text;
    EXPECT_TRUE(programFolderEntries().empty()) << testing::PrintToString(programFolderEntries());
    EXPECT_TRUE(outFolderFiles().empty());
}

TEST_F(Generating, ATheToolThatCannotStartIsNamedAndTheOldPackageKept) {
    write(target, "old package");
    ui.yesNoAnswers.push_back(true);
    runner.actions[kCabBatchFileName] = [] {
        throw platform::Error(platform::ErrorKind::FileNotFound, "The program makecab.exe was not found.");
    };
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("makecab.exe was not found"), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(platform::readFile(target), "old package");
    EXPECT_EQ(outFolderFiles(), std::vector<std::string>{"App_1.0_Addon.cab"});
}

TEST_F(Generating, APackageFolderThatIsNotThereIsNamedAndTheProjectKept) {
    target = inRoot("no such folder\\App_1.0_Addon.cab");
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& text = ui.messages[0].text;
    EXPECT_NE(text.find(inRoot("no such folder")), std::string::npos) << text;
    EXPECT_NE(text.find("does not exist"), std::string::npos) << text;
    EXPECT_EQ(ui.busyAtMessage, std::vector<int>{0}) << "the window is enabled again before the message";
    EXPECT_TRUE(runner.started.empty());
    EXPECT_EQ(project.SourceFolders.size(), 1u);
    EXPECT_EQ(project.ExtraFiles.size(), 1u);
    EXPECT_EQ(programFolderEntries(), std::vector<std::string>{}) << "nothing was written";
}

TEST_F(Generating, APackagePathThatNamesAnInputIsRefusedBeforeAnythingIsWritten) {
    write(inRoot("soft\\App.reg"), "REGEDIT4\r\n");
    project.RegFilePath = inRoot("soft\\App.reg");
    const std::pair<std::string, std::string> inputs[] = {
        {inRoot("soft\\App\\app.exe"), "a file of the source folders"},
        {inRoot("soft\\App\\doc\\..\\APP.EXE"), "a file of the source folders"},
        {inRoot("tool.dll"), "one of the extra files"},
        {inRoot("soft\\App.reg"), "the registry file"},
    };
    for (const auto& [path, what] : inputs) {
        const std::string before = platform::readFile(path);
        target = path;
        ui.yesNoAnswers.push_back(true);  // the overwrite question
        ui.messages.clear();
        EXPECT_EQ(generate(), shell::GenerateOutcome::Failed) << path;
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].text.find(what), std::string::npos) << ui.messages[0].text;
        EXPECT_NE(ui.messages[0].text.find(path), std::string::npos) << ui.messages[0].text;
        EXPECT_EQ(platform::readFile(path), before);
        EXPECT_TRUE(runner.started.empty()) << "no tool ran";
        EXPECT_TRUE(programFolderEntries().empty()) << testing::PrintToString(programFolderEntries());
    }
}

TEST_F(Generating, FilesBeyondWhatACabinetHoldsAreRefusedRightAfterTheScan) {
    // A sparse file: large on paper, nothing on the disk.
    write(inRoot("soft\\App\\huge.bin"), "");
    std::filesystem::resize_file(std::filesystem::u8path(platform::absolutePath(inRoot("soft\\App\\huge.bin"))),
                                 kCabinetMaxFolderBytes - 20);
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("add up to 2,147,450,885 bytes; a cabinet holds at most 2,147,450,880"),
              std::string::npos)
        << ui.messages[0].text;
    EXPECT_TRUE(runner.started.empty());
    EXPECT_TRUE(programFolderEntries().empty()) << "nothing was staged";

    BuildState many;
    many.StagedFiles.resize(kCabinetMaxFiles + 1);
    try {
        checkCabinetLimits(many, ui);
        ADD_FAILURE() << "65,536 files passed";
    } catch (const platform::Error& e) {
        EXPECT_NE(std::string(e.what()).find("hold 65,536 files; a cabinet holds at most 65,535"), std::string::npos)
            << e.what();
    }
}

}  // namespace

namespace {

// An extra file the user took from the program folder is its own copy: the
// build packs it and leaves it there, whatever the spelling of its path.
TEST_F(Generating, AnExtraFileFromTheProgramFolderIsPackedAndKept) {
    write(inProgram("Tool.dll"), "the user's own file");
    project.ExtraFiles = {{programFolder + "/./TOOL.DLL", "Tool.dll", "1", "2"}};
    std::string packedBytes;
    runner.actions[kPackageBatchFileName] = [this, &packedBytes] {
        packedBytes = platform::readFile(inProgram("Tool.dll"));
        write(shell::partialPackagePath(target), newPackage);
    };
    ASSERT_EQ(generate(), shell::GenerateOutcome::Made) << ui.lastMessage();
    EXPECT_EQ(packedBytes, "the user's own file");
    EXPECT_EQ(programFolderEntries(), std::vector<std::string>{"Tool.dll"});
    EXPECT_EQ(platform::readFile(inProgram("Tool.dll")), "the user's own file");
}

// Refused before anything is written, each with a message naming what is wrong.
TEST_F(Generating, ExtraFilesWhoseNamesCoincideAreRefusedNamingBoth) {
    write(inRoot("a.dll"), "a");
    platform::createFolders(inRoot("other"));
    write(inRoot("other\\TOOL.DLL"), "b");
    project.addExtraFile({inRoot("other\\TOOL.DLL"), "TOOL.DLL", "1", "2"});
    EXPECT_EQ(generate(), shell::GenerateOutcome::Refused);
    EXPECT_NE(ui.lastMessage().find(inRoot("tool.dll")), std::string::npos) << ui.lastMessage();
    EXPECT_NE(ui.lastMessage().find(inRoot("other\\TOOL.DLL")), std::string::npos) << ui.lastMessage();

    for (const char* own : {"app.INF", "Entries_App.ini", "App.cab", "setup.inf", "SETUP.RPT", "生成整合包.bat"}) {
        project.ExtraFiles = {{inRoot("a.dll"), own, "1", "2"}};
        EXPECT_EQ(generate(), shell::GenerateOutcome::Refused) << own;
        EXPECT_NE(ui.lastMessage().find(std::string("as ") + own), std::string::npos) << ui.lastMessage();
        EXPECT_NE(ui.lastMessage().find(inRoot("a.dll")), std::string::npos) << ui.lastMessage();
    }
    EXPECT_EQ(ui.messages.back().icon, shell::MessageIcon::Stop);
    EXPECT_TRUE(ui.saveRequests.empty());
    EXPECT_TRUE(runner.started.empty());
    EXPECT_TRUE(programFolderEntries().empty());
}

TEST_F(Generating, TypedTextsThatWouldBreakTheirLinesAreRefusedNamingTheField) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"1.0\r\n[Evil]", "version"}, {"1.0\tbeta", "version"}, {"http://a/\nb", "web site"}};
    for (const auto& [value, field] : cases) {
        project.PackageVersion = field == "version" ? value : "1.0";
        project.Website = field == "web site" ? value : "";
        EXPECT_EQ(generate(), shell::GenerateOutcome::Refused) << value;
        EXPECT_EQ(ui.lastMessage().rfind("The " + field + " ", 0), 0u) << ui.lastMessage();
    }
    project.PackageName = " App";  // the setup engine would drop the blank
    project.PackageVersion = "1.0";
    project.Website = "";
    EXPECT_EQ(generate(), shell::GenerateOutcome::Refused);
    EXPECT_NE(ui.lastMessage().find("begins with a blank"), std::string::npos) << ui.lastMessage();
    EXPECT_TRUE(ui.saveRequests.empty());
    EXPECT_TRUE(programFolderEntries().empty());
}

// makecab reads "*" in the cabinet name as the cabinet's number, and a quote
// would end the quoted path in the batch file: such a path is refused once
// chosen, before anything is written.
TEST_F(Generating, APackagePathWithAStarOrAQuoteIsRefused) {
    for (const std::string name : {"App*_Addon.cab", "say \"hi\".cab"}) {
        target = inRoot("out\\" + name);
        EXPECT_EQ(generate(), shell::GenerateOutcome::Refused) << name;
        EXPECT_NE(ui.lastMessage().find(target), std::string::npos) << ui.lastMessage();
        EXPECT_EQ(ui.busyBegins, 0);
    }
    EXPECT_NE(ui.lastMessage().find("double quote"), std::string::npos) << ui.lastMessage();
    EXPECT_TRUE(runner.started.empty());
    EXPECT_TRUE(programFolderEntries().empty());
}

// A step that fails after the package was made says so: the package is there.
TEST_F(Generating, AFailureAfterThePackageWasMadeSaysThePackageIsThere) {
    write(target, "old package");
    ui.yesNoAnswers.push_back(true);
    // The extra file copied into the program folder cannot be deleted afterwards.
    platform::FileFaults faults;
    faults.refuse(platform::FileOperation::Delete, "prog\\tool.dll");
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "The integration package was made.");
    const std::string& text = ui.messages[1].text;
    EXPECT_EQ(text.rfind("The INF package was made at " + target + ", but then deleting the extra files", 0), 0u)
        << text;
    EXPECT_EQ(platform::readFile(target), newPackage);
}

TEST_F(Generating, AFailureBeforeThePackageSaysTheEarlierOneIsUnchanged) {
    write(target, "old package");
    ui.yesNoAnswers.push_back(true);
    runner.actions[kCabBatchFileName] = [] {
        throw platform::Error(platform::ErrorKind::FileNotFound, "The program makecab.exe was not found.");
    };
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    const std::string& text = ui.lastMessage();
    EXPECT_EQ(text.rfind("The INF package was not made: packing with makecab failed.", 0), 0u) << text;
    EXPECT_NE(text.find("The earlier package at " + target + " is unchanged."), std::string::npos) << text;

    // Without a language file the same account is the built-in Chinese one,
    // the step's name included.
    ui.language = nullptr;
    ui.yesNoAnswers.push_back(true);
    EXPECT_EQ(generate(), shell::GenerateOutcome::Failed);
    EXPECT_EQ(ui.lastMessage(), "INF 整合包没有生成：“用 makecab 打包”这一步失败了。The program makecab.exe was not found. " +
                                    target + " 处原有的整合包没有改动。");
}

}  // namespace
