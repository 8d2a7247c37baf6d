// The INF builder's commands on its record, through the test double: folders
// and their codes, the code clicks, the registry file, the advanced area's
// extra files, and Generate's shared outcome.
#include <gtest/gtest.h>

#include "infaddon/directory_tables.h"
#include "shell/message_keys.h"
#include "infaddon/generate.h"
#include "infaddon/inf_builder.h"
#include "shell/dlg_file_info.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/no_command_runner.h"
#include "tests/support/selection_folder.h"

using namespace infaddon;
using testsupport::FakeUserInterface;
using testsupport::NoCommandRunner;
using testsupport::SelectionFolder;

namespace {

template <std::size_t N>
std::size_t rowOf(const std::array<DirTableRow, N>& table, const std::string& code) {
    for (std::size_t i = 0; i < N; ++i)
        if (code == table[i].code) return i;
    ADD_FAILURE() << code << " is not in the table";
    return 0;
}

std::vector<std::string> folders(const InfBuilder& b) {
    std::vector<std::string> out;
    for (const auto& f : b.project.SourceFolders) out.push_back(f.folder + " " + f.dirId);
    return out;
}

}  // namespace

TEST(InfBuilderRecord, StartsWithTheWindowsInitialTexts) {
    InfBuilder b;
    EXPECT_EQ(b.build.CodeDescriptionLabel, "(默认)16422代码,系统路径:Program Files");
    EXPECT_EQ(b.build.ProgressLabel, "准备运行");
    EXPECT_EQ(b.setupDirLabel, "高级地址代码说明");
    EXPECT_EQ(b.diskCodeOption, DiskCodeOption::WholeFile);
}

// A language that words every text as its key, "<key>".
class KeyNameTexts : public shell::MessageTexts {
public:
    std::string messageText(shell::MessageKey key) const override {
        return std::string("<") + shell::messageKeyText(key).key + ">";
    }
};

TEST(InfBuilderRecord, ItsLabelsSpeakTheLanguageAndTakeAnotherUntilWritten) {
    const KeyNameTexts other;
    InfBuilder b(other);
    EXPECT_EQ(b.build.CodeDescriptionLabel, "<default code caption>");
    EXPECT_EQ(b.build.ProgressLabel, "<ready caption>");
    EXPECT_EQ(b.setupDirLabel, "<setup dir caption>");

    // Back to the built-in texts, after a click wrote Label1: it keeps the click's text.
    FakeUserInterface ui;
    clickDirIdCode(b, ui, 26);
    retellInitialCaptions(b, initialCaptions(other), initialCaptions(shell::kBuiltInTexts));
    EXPECT_EQ(b.build.CodeDescriptionLabel, "无效定义");
    EXPECT_EQ(b.build.ProgressLabel, "准备运行");
    EXPECT_EQ(b.setupDirLabel, "高级地址代码说明");
}

TEST(InfBuilderFolders, AddPairsTheOpenFolderWithTheSelectedCodeOrTheDefault) {
    InfBuilder b;
    FakeUserInterface ui;
    addSourceFolder(b, ui, std::nullopt);  // no folder open yet
    EXPECT_TRUE(b.project.SourceFolders.empty());

    b.openFolder = "D:\\Tools\\MyApp";
    addSourceFolder(b, ui, std::nullopt);
    addSourceFolder(b, ui, rowOf(DirIdTable, "x"));
    b.openFolder = "D:\\";
    addSourceFolder(b, ui, rowOf(DirIdTable, "-1"));
    addSourceFolder(b, ui, rowOf(DirIdTable, "01"));
    EXPECT_EQ(folders(b), (std::vector<std::string>{"D:\\Tools\\MyApp 16422", "D:\\Tools\\MyApp x", "D:\\ -1",
                                                     "D:\\ 01"}))
        << "the same folder twice gives two entries; codes stay text";
    EXPECT_TRUE(ui.messages.empty());
}

TEST(InfBuilderFolders, DeleteTakesTheFolderListsSelectionElseTheCodeLists) {
    InfBuilder b;
    FakeUserInterface ui;
    for (const char* f : {"A", "B", "C", "D"}) {
        b.openFolder = f;
        addSourceFolder(b, ui, std::nullopt);
    }
    deleteSourceFolder(b, ui, std::nullopt, std::nullopt);
    deleteSourceFolder(b, ui, 9, std::nullopt);
    EXPECT_EQ(b.project.SourceFolders.size(), 4u) << "no selection, or one past the end, changes nothing";

    deleteSourceFolder(b, ui, std::nullopt, 1);  // List8 only
    EXPECT_EQ(folders(b), (std::vector<std::string>{"A 16422", "C 16422", "D 16422"}));
    deleteSourceFolder(b, ui, 2, 0);  // both lists: List7's counts
    EXPECT_EQ(folders(b), (std::vector<std::string>{"A 16422", "C 16422"}));
}

TEST(InfBuilderCodes, ClicksShowThePartnerTextsInTheirLabels) {
    InfBuilder b;
    FakeUserInterface ui;
    clickDirIdCode(b, ui, 0);
    EXPECT_EQ(b.build.CodeDescriptionLabel, "Program Files(默认)");
    clickDirIdCode(b, ui, rowOf(DirIdTable, "11"));
    EXPECT_EQ(b.build.CodeDescriptionLabel, "%windows%\\system32");
    clickDirIdCode(b, ui, kDirIdRowCount);
    EXPECT_EQ(b.build.CodeDescriptionLabel, "%windows%\\system32") << "a position outside the table changes nothing";

    clickSetupDirCode(b, ui, rowOf(SetupDirTable, "130"));
    EXPECT_EQ(b.setupDirLabel, "\\windows\\ime");
    b.setupDirLabel.clear();
    clickSetupDirCode(b, ui, rowOf(SetupDirTable, "127"));
    EXPECT_EQ(b.setupDirLabel, "\\windows\\ime");
    clickSetupDirCode(b, ui, kSetupDirRowCount);
    EXPECT_EQ(b.setupDirLabel, "\\windows\\ime");
    EXPECT_EQ(b.build.CodeDescriptionLabel, "%windows%\\system32") << "Label3's clicks leave Label1 alone";
}

TEST(InfBuilderRegistry, TheChosenFileGoesIntoTheBoxAndCancelKeepsIt) {
    InfBuilder b;
    FakeUserInterface ui;
    ui.openFileAnswers.push_back(std::string("D:\\exports\\app.reg"));
    chooseRegistryFile(b, ui);
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].filter, "注册表文件 (*.reg)|*.reg|所有文件 (*.*)|*.*|");
    EXPECT_EQ(ui.openRequests[0].filterIndex, 1);
    EXPECT_FALSE(ui.openRequests[0].multiSelect);
    EXPECT_EQ(b.project.RegFilePath, "D:\\exports\\app.reg");

    chooseRegistryFile(b, ui);  // cancelled
    EXPECT_EQ(b.project.RegFilePath, "D:\\exports\\app.reg");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(InfBuilderExtraFiles, ThreeFilesInPatchModeWithSetupNumber11GiveThreeAlignedEntries) {
    SelectionFolder here("tolvane-extra");
    InfBuilder b;
    FakeUserInterface ui;
    b.diskCodeOption = DiskCodeOption::Patch;
    ui.openFileAnswers.push_back(here.several({"a.dll", "b.txt", "c.ini"}));
    addExtraFiles(b, ui, rowOf(SetupDirTable, "11"));

    ASSERT_EQ(ui.openRequests.size(), 1u);
    const shell::FileDialogRequest& r = ui.openRequests[0];
    EXPECT_EQ(r.title, "选择文件");
    EXPECT_EQ(r.filter, "所有类型的文件(*.*)|*.*");
    EXPECT_EQ(r.flags, 524804u);
    EXPECT_EQ(r.fileNameBufferSize, 32767u);
    EXPECT_TRUE(r.multiSelect);

    const std::string folder = here.folderAsSplit();
    ASSERT_EQ(b.project.ExtraFiles.size(), 3u);
    const char* names[] = {"a.dll", "b.txt", "c.ini"};
    for (std::size_t i = 0; i < 3; ++i) {
        const ExtraFile& f = b.project.ExtraFiles[i];
        EXPECT_EQ(f.source, folder + names[i]);
        EXPECT_EQ(f.name, names[i]);
        EXPECT_EQ(f.diskCode, "100");
        EXPECT_EQ(f.dirCode, "11");
    }
    EXPECT_TRUE(ui.messages.empty());

    // Whole-file mode, one file: disk code 1, after the others.
    b.diskCodeOption = DiskCodeOption::WholeFile;
    ui.openFileAnswers.push_back(here.path() + "\\d.sys");
    addExtraFiles(b, ui, rowOf(SetupDirTable, "2"));
    ASSERT_EQ(b.project.ExtraFiles.size(), 4u);
    EXPECT_EQ(b.project.ExtraFiles[3].source, folder + "d.sys");
    EXPECT_EQ(b.project.ExtraFiles[3].diskCode, "1");
    EXPECT_EQ(b.project.ExtraFiles[3].dirCode, "2");
}

TEST(InfBuilderExtraFiles, TheRefusalAndTheDialogSpeakTheLoadedLanguage) {
    shell::LanguageState english;
    english.languageLoaded = true;
    english.loadedTexts.messages[static_cast<int>(shell::MessageKey::InfNoSetupDir)] = "Choose a setup folder code first.";
    english.loadedTexts.messages[static_cast<int>(shell::MessageKey::ChooseFilesTitle)] = "Choose files";
    InfBuilder b;
    FakeUserInterface ui;
    ui.language = &english;
    addExtraFiles(b, ui, std::nullopt);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Choose a setup folder code first.");
    addExtraFiles(b, ui, rowOf(SetupDirTable, "11"));  // cancelled
    ASSERT_EQ(ui.openRequests.size(), 1u);
    EXPECT_EQ(ui.openRequests[0].title, "Choose files");
    EXPECT_EQ(ui.openRequests[0].filter, "所有类型的文件(*.*)|*.*") << "a text the file lacks stays built in";
}

TEST(InfBuilderExtraFiles, NoSetupNumberCancelOrAFailedSplitAddNothing) {
    SelectionFolder here("tolvane-extra");
    InfBuilder b;
    FakeUserInterface ui;
    ui.openFileAnswers.push_back(here.several({"a.dll"}));
    addExtraFiles(b, ui, std::nullopt);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "请选择高级代码地址");
    EXPECT_EQ(ui.messages[0].title, "");
    EXPECT_TRUE(ui.openRequests.empty()) << "no dialog without a setup number";
    addExtraFiles(b, ui, kSetupDirRowCount);
    EXPECT_EQ(ui.messages.size(), 2u) << "a position past the table counts as none";

    ui.openFileAnswers.clear();
    addExtraFiles(b, ui, 0);  // cancelled
    EXPECT_EQ(ui.messages.size(), 2u) << "cancel shows nothing";

    // A selection shorter than the folder the dialog left: the split fails.
    platform::setCurrentDirectory(here.path());
    ui.openFileAnswers.push_back(std::string("x"));
    addExtraFiles(b, ui, 0);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[2].text, shell::builtInText(shell::MessageKey::DlgFileInfoError));
    EXPECT_EQ(ui.messages[2].title, shell::builtInText(shell::MessageKey::DlgFileInfoErrorTitle));
    EXPECT_TRUE(b.project.ExtraFiles.empty());
}

TEST(InfBuilderExtraFiles, DeleteRemovesTheSelectedFileFromAllFourLists) {
    InfBuilder b;
    FakeUserInterface ui;
    b.project.addExtraFile({"D:\\x\\a.dll", "a.dll", "1", "2"});
    b.project.addExtraFile({"D:\\x\\b.dll", "b.dll", "100", "11"});
    deleteExtraFile(b, ui, std::nullopt);
    deleteExtraFile(b, ui, 2);
    ASSERT_EQ(b.project.ExtraFiles.size(), 2u);
    deleteExtraFile(b, ui, 0);
    ASSERT_EQ(b.project.ExtraFiles.size(), 1u);
    EXPECT_EQ(b.project.ExtraFiles[0].source, "D:\\x\\b.dll");
    EXPECT_EQ(b.project.ExtraFiles[0].name, "b.dll");
    EXPECT_EQ(b.project.ExtraFiles[0].diskCode, "100");
    EXPECT_EQ(b.project.ExtraFiles[0].dirCode, "11");
}

TEST(InfBuilderGenerate, RefusesWithoutASourceFolderAndKeepsTheRecord) {
    InfBuilder b;
    FakeUserInterface ui;
    NoCommandRunner runner;
    b.project.PackageName = "App";
    b.project.PackageVersion = "1.0";
    EXPECT_EQ(generateInfPackage(b, ui, runner, "?"), shell::GenerateOutcome::Refused);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, shell::builtInText(shell::MessageKey::InfNoSourceFolder));
    EXPECT_TRUE(ui.saveRequests.empty());
    EXPECT_EQ(b.project.PackageName, "App");
    EXPECT_EQ(b.build.ProgressLabel, "准备运行");
}
