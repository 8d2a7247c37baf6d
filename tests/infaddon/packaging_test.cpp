// The packaging run: the four work files byte for byte, the extra files, the
// two batch runs, the outcome messages and what each outcome leaves behind.
#include <gtest/gtest.h>

#include <algorithm>

#include "infaddon/extra_files.h"
#include "shell/message_keys.h"
#include "infaddon/package_directives.h"
#include "infaddon/packaging_names.h"
#include "infaddon/run_packaging.h"
#include "packaging_fixture.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/unicode.h"
#include "shell/package_replacement.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/shipped_language.h"

using namespace infaddon;

namespace {

const std::string kCabBatchGbk = "\xC9\xFA\xB3\xC9" "cab\xCE\xC4\xBC\xFE.bat";
const std::string kPackageBatchGbk = "\xC9\xFA\xB3\xC9\xD5\xFB\xBA\xCF\xB0\xFC.bat";
const std::string kRemoveStaging = "cmd /c rd /s /q .\\提取文件";

using packtest::wholeCabinet;

bool sameFolder(std::string a, std::string b) {
    std::replace(a.begin(), a.end(), '\\', '/');
    std::replace(b.begin(), b.end(), '\\', '/');
    return platform::equalsIgnoreCase(a, b);
}

class Packaging : public packtest::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        state.PackageName = "App";
        state.PackageVersion = "1.0";
        state.StagingFolder = inProgram("提取文件");
        platform::createFolder(state.StagingFolder);
        state.StagedFiles = {{"C:\\src\\a.exe", "\\1_a.exe", "1_a.exe=1"},
                             {"C:\\src\\doc\\读我.txt", "\\2_doc_读我.txt", "2_doc_读我.txt=1"}};
        target = inRoot("out dir\\App_1.0_Addon.cab");
        platform::createFolder(inRoot("out dir"));
        for (const char* name : {"Entries_App.ini", "App.inf"}) write(inProgram(name), "made earlier");
    }

    // makecab as the batch files run it: the result and its two side products.
    void makecabMakes(const std::string& batch, const std::string& result) {
        runner.actions[batch] = [this, result] {
            if (!result.empty()) write(result, wholeCabinet());
            write(inProgram("setup.inf"), "");
            write(inProgram("setup.rpt"), "");
        };
    }
    void rdRemovesTheStagingFolder() {
        runner.actions[kRemoveStaging] = [this] { platform::removeFolderTree(state.StagingFolder); };
    }
    PackagingOutcome runPackaging() {
        shell::PackageReplacement package(target);
        WriteCabDirectives(state);
        WritePackageDirectives(project, state, package.buildPath());
        return RunPackaging(state, package, ui, runner);
    }
    std::string partialTarget() const { return shell::partialPackagePath(target); }

    AddonProject project;
    BuildState state;
    std::string target;
    testsupport::FakeUserInterface ui;
    packtest::FakeCommandRunner runner;
};

TEST_F(Packaging, InnerCabinetWorkFilesAreExactBytesUnderTheirChineseNames) {
    WriteCabDirectives(state);
    const std::string staging = platform::encodeAnsi(state.StagingFolder);
    EXPECT_EQ(platform::readFile(inProgram(kCabListFileName)),
              "\"" + staging + "\\1_a.exe\"\r\n\"" + staging + "\\2_doc_\xB6\xC1\xCE\xD2.txt\"\r\n");
    EXPECT_EQ(platform::readFile(inProgram(kCabBatchFileName)),
              "@echo off\r\n"
              "makecab.exe /f " + std::string(packtest::kCabListGbk) +
                  " /v3 /d compressiontype=LZX /d compressionmemory=21 /d maxdisksize=1024000000"
                  " /d diskdirectorytemplate= /d cabinetnametemplate=\"App.cab\"\r\n"
                  "exit\r\n");
    EXPECT_EQ(platform::encodeAnsi(kCabBatchFileName), kCabBatchGbk);
}

TEST_F(Packaging, NothingCollectedGivesAnEmptyCabinetList) {
    state.StagedFiles.clear();
    WriteCabDirectives(state);
    EXPECT_EQ(platform::readFile(inProgram(kCabListFileName)), "");
}

TEST_F(Packaging, PackageWorkFilesListExtraFilesOnlyWhenTheFirstHasAName) {
    WritePackageDirectives(project, state, target);
    const std::string threeLines = "\"Entries_App.ini\"\r\n\"App.inf\"\r\n\"App.cab\"\r\n";
    EXPECT_EQ(platform::readFile(inProgram(kPackageListFileName)), threeLines);
    EXPECT_EQ(platform::readFile(inProgram(kPackageBatchFileName)),
              "makecab.exe /f " + std::string(packtest::kPackageListGbk) +
                  " /d compressiontype=mszip /d compressionmemory=21 /d maxdisksize=1024000000"
                  " /d diskdirectorytemplate= /d cabinetnametemplate=\"" + platform::encodeAnsi(target) + "\"\r\n");
    EXPECT_EQ(platform::encodeAnsi(kPackageBatchFileName), kPackageBatchGbk);

    project.addExtraFile({"C:\\x\\a.dll", "a.dll", "1", "2"});
    project.addExtraFile({"C:\\x\\b.txt", "b.txt", "100", "11"});
    WritePackageDirectives(project, state, target);
    EXPECT_EQ(platform::readFile(inProgram(kPackageListFileName)), threeLines + "\"a.dll\"\r\n\"b.txt\"\r\n");

    project.ExtraFiles[0].name.clear();
    WritePackageDirectives(project, state, target);
    EXPECT_EQ(platform::readFile(inProgram(kPackageListFileName)), threeLines);
}

// The command interpreter expands "%...%" even inside quotes: the target
// path's "%" is doubled, so makecab is handed the path as chosen.
TEST_F(Packaging, APercentInThePackagePathIsDoubledInTheBatchFile) {
    EXPECT_EQ(packageBatchText("D:\\50%a\\b%c.cab"),
              "makecab.exe /f " + std::string(kPackageListFileName) +
                  " /d compressiontype=mszip /d compressionmemory=21 /d maxdisksize=1024000000"
                  " /d diskdirectorytemplate= /d cabinetnametemplate=\"D:\\50%%a\\b%%c.cab\"\r\n");
}

// Where the system's code pages cannot hold the work files' names, the same
// files under the same names carry UTF-8 after a byte-order mark, for the
// project's own tools; the directive lists name the cabinet's code page.
TEST_F(Packaging, OnTheOwnRouteTheWorkFilesAreUtf8AndTheListsNameCodePage936) {
    project.addExtraFile({"C:\\x\\a.dll", "a.dll", "1", "2"});
    WriteCabDirectives(state, shell::ToolRoute::Own);
    WritePackageDirectives(project, state, target, shell::ToolRoute::Own);
    const std::string bom = "\xEF\xBB\xBF";
    EXPECT_EQ(platform::readFile(inProgram(kCabListFileName)),
              bom + ".Set NameCodePage=936\r\n\"" + state.StagingFolder + "\\1_a.exe\"\r\n\"" + state.StagingFolder +
                  "\\2_doc_读我.txt\"\r\n");
    EXPECT_EQ(platform::readFile(inProgram(kCabBatchFileName)), bom + cabBatchText("App"));
    EXPECT_EQ(platform::readFile(inProgram(kPackageListFileName)),
              bom + ".Set NameCodePage=936\r\n\"Entries_App.ini\"\r\n\"App.inf\"\r\n\"App.cab\"\r\n\"a.dll\"\r\n");
    EXPECT_EQ(platform::readFile(inProgram(kPackageBatchFileName)), bom + packageBatchText(target));
}

TEST_F(Packaging, TheRouteIsChosenFromEveryTextTheToolsReadAndEveryNameTheCabinetsStore) {
    project.addExtraFile({"C:\\x\\额外.dll", "额外.dll", "1", "2"});
    const shell::WorkTexts texts = packagingWorkTexts(project, state, target);
    EXPECT_EQ(texts.directiveLists,
              (std::vector<std::string>{cabDirectiveListText(state), packageDirectiveListText(project, state)}));
    EXPECT_EQ(texts.batchFiles, (std::vector<std::string>{cabBatchText("App"), packageBatchText(target)}));
    EXPECT_EQ(texts.storedNames, (std::vector<std::string>{"1_a.exe", "2_doc_读我.txt", "Entries_App.ini", "App.inf",
                                                           "App.cab", "额外.dll"}));
    EXPECT_EQ(shell::chooseToolRoute({936, 936}, texts), shell::ToolRoute::System);
    EXPECT_EQ(shell::chooseToolRoute({1252, 850}, texts), shell::ToolRoute::Own);
}

TEST_F(Packaging, AWorkFileTheCodePageCannotHoldIsRefusedAndNotWritten) {
    state.PackageName = "App\xED\x95\x9C";  // a Hangul syllable: not in code page 936
    EXPECT_THROW(WriteCabDirectives(state), platform::Error);
    EXPECT_FALSE(platform::fileExists(inProgram(kCabBatchFileName)));
}

TEST_F(Packaging, ExtraFilesAreCopiedOverOldOnesAndDeletedWhereTheyAre) {
    write(inRoot("a.dll"), "new a");
    write(inRoot("b.txt"), "new b");
    write(inProgram("a.dll"), "old a");
    project.addExtraFile({inRoot("a.dll"), "a.dll", "1", "2"});
    project.addExtraFile({inRoot("b.txt"), "b.txt", "100", "11"});
    CopyExtraFiles(project);
    EXPECT_EQ(platform::readFile(inProgram("a.dll")), "new a");
    EXPECT_EQ(platform::readFile(inProgram("b.txt")), "new b");

    platform::deleteFile(inProgram("b.txt"));
    DeleteExtraFiles(project);  // b.txt is gone already: skipped
    EXPECT_FALSE(platform::fileExists(inProgram("a.dll")));
    EXPECT_TRUE(platform::fileExists(inRoot("a.dll"))) << "the source stays";

    project.ExtraFiles[0].name.clear();
    project.ExtraFiles[1].source = inRoot("missing");
    EXPECT_NO_THROW(CopyExtraFiles(project)) << "an empty first name means no extra files";
    project.ExtraFiles[0].name = "a.dll";
    EXPECT_THROW(CopyExtraFiles(project), platform::Error);
}

// Copying a file onto itself "succeeds" (the copy goes to a temporary name
// and is renamed over it); the clean-up would then delete the user's file.
TEST_F(Packaging, AnExtraFileThatIsItsOwnCopyIsNeitherCopiedNorDeleted) {
    write(inProgram("Tool.dll"), "the user's own");
    write(inRoot("b.txt"), "b");
    project.addExtraFile({inProgram("TOOL.DLL"), "tool.dll", "1", "2"});
    project.addExtraFile({inRoot("b.txt"), "b.txt", "1", "2"});
    CopyExtraFiles(project);
    DeleteExtraFiles(project);
    EXPECT_FALSE(platform::fileExists(inProgram("b.txt"))) << "the copy the build made goes";
    const auto entries = programFolderEntries();
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "Tool.dll"), 1) << testing::PrintToString(entries);
    EXPECT_EQ(platform::readFile(inProgram("Tool.dll")), "the user's own");
}

TEST_F(Packaging, SuccessRunsBothBatchFilesAndLeavesNoWorkFile) {
    makecabMakes(kCabBatchFileName, inProgram("App.cab"));
    makecabMakes(kPackageBatchFileName, partialTarget());
    rdRemovesTheStagingFolder();
    // When the staging folder's removal starts, makecab's side products of the
    // first run are gone and the inner cabinet's work files not yet.
    runner.actions[kRemoveStaging] = [this] {
        EXPECT_FALSE(platform::fileExists(inProgram("setup.inf")));
        EXPECT_FALSE(platform::fileExists(inProgram("setup.rpt")));
        EXPECT_TRUE(platform::fileExists(inProgram(kCabListFileName)));
        EXPECT_TRUE(platform::fileExists(inProgram(kCabBatchFileName)));
        platform::removeFolderTree(state.StagingFolder);
    };
    runner.actions[kPackageBatchFileName] = [this] {
        EXPECT_FALSE(platform::fileExists(inProgram(kCabListFileName)));
        EXPECT_FALSE(platform::fileExists(inProgram(kCabBatchFileName)));
        write(partialTarget(), wholeCabinet());
        write(inProgram("setup.inf"), "");
        write(inProgram("setup.rpt"), "");
    };

    EXPECT_EQ(runPackaging(), PackagingOutcome::PackageMade);
    ASSERT_EQ(runner.started.size(), 3u);
    EXPECT_EQ(runner.started[0].commandLine, kCabBatchFileName);
    EXPECT_EQ(runner.started[0].windowStyle, 6);
    EXPECT_TRUE(runner.started[0].waited);
    EXPECT_EQ(runner.started[1].commandLine, kRemoveStaging);
    EXPECT_EQ(runner.started[1].windowStyle, 0);
    EXPECT_FALSE(runner.started[1].waited);
    EXPECT_EQ(runner.started[2].commandLine, kPackageBatchFileName);
    EXPECT_EQ(runner.started[2].windowStyle, 6);
    EXPECT_TRUE(runner.started[2].waited);

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, shell::builtInText(shell::MessageKey::InfPackageMade));
    EXPECT_EQ(ui.messages[0].title, "");
    EXPECT_TRUE(programFolderEntries().empty()) << "left: " << testing::PrintToString(programFolderEntries());
    EXPECT_EQ(platform::readFile(target), wholeCabinet());
    EXPECT_FALSE(platform::fileExists(partialTarget()));
    EXPECT_TRUE(sameFolder(platform::currentDirectory(), programFolder))
        << platform::currentDirectory() << " is not the program folder";
}

TEST_F(Packaging, InnerCabinetMissingKeepsOnlyThePackageWorkFiles) {
    // The batch file could not even start makecab: no setup.inf or setup.rpt
    // either, and the clean-up skips them.
    rdRemovesTheStagingFolder();
    EXPECT_EQ(runPackaging(), PackagingOutcome::InnerCabinetMissing);
    EXPECT_EQ(runner.commandLines(), (std::vector<std::string>{kCabBatchFileName, kRemoveStaging}));
    EXPECT_FALSE(runner.started[1].waited);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, shell::builtInText(shell::MessageKey::InfInnerCabinetMissing));
    EXPECT_EQ(programFolderEntries(), (std::vector<std::string>{kPackageListFileName, kPackageBatchFileName}));
    EXPECT_FALSE(platform::fileExists(target));
}

TEST_F(Packaging, InnerCabinetMissingGivesTheCabinetMakersOwnReasons) {
    runner.actions[kCabBatchFileName] = [&] {
        write(inProgram("setup.rpt"), "MakeCAB Report: Tue Dec 08 17:50:00 2026\r\n\r\n"
                                      "ERROR: list.txt(2): The file \"a.dll\" does not exist.\r\n"
                                      "ERROR: The disk is full.\r\n\r\n");
    };
    rdRemovesTheStagingFolder();
    ui.language = &testsupport::shippedLanguage("English");
    EXPECT_EQ(runPackaging(), PackagingOutcome::InnerCabinetMissing);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The inner cabinet App.cab was not made. makecab said:\n"
                                   "list.txt(2): The file \"a.dll\" does not exist.\nThe disk is full.\n"
                                   "Correct this and generate again.");
    EXPECT_EQ(programFolderEntries(), (std::vector<std::string>{kPackageListFileName, kPackageBatchFileName}))
        << "the report goes with the other work files";
}

TEST_F(Packaging, PackageMissingGivesTheFailureMessageAfterTheCleanUp) {
    makecabMakes(kCabBatchFileName, inProgram("App.cab"));
    makecabMakes(kPackageBatchFileName, "");
    rdRemovesTheStagingFolder();
    EXPECT_EQ(runPackaging(), PackagingOutcome::PackageMissing);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, shell::builtInText(shell::MessageKey::InfPackageMissing));
    EXPECT_TRUE(programFolderEntries().empty());
}

TEST_F(Packaging, NoRemovalIsStartedForAStagingFolderThatIsNotThereOrHasNoName) {
    platform::removeFolderTree(state.StagingFolder);
    EXPECT_EQ(runPackaging(), PackagingOutcome::InnerCabinetMissing);
    state.StagingFolder.clear();
    EXPECT_EQ(runPackaging(), PackagingOutcome::InnerCabinetMissing);
    EXPECT_EQ(runner.commandLines(), (std::vector<std::string>{kCabBatchFileName, kCabBatchFileName}));

    EXPECT_EQ(stagingFolderRemoval(""), "");
    EXPECT_EQ(stagingFolderRemoval("\\"), "");
    platform::createFolder(inProgram("提取文件(1)"));
    EXPECT_EQ(stagingFolderRemoval(inProgram("提取文件(1)") + "\\"), "cmd /c rd /s /q .\\提取文件(1)");
}

TEST_F(Packaging, APackageCutShortNeverReplacesTheOldOne) {
    // makecab stopped part way (a full disk, a kill): the file beside the
    // path holds less than its header says. The old package stays, whole.
    write(target, "old package");
    makecabMakes(kCabBatchFileName, inProgram("App.cab"));
    runner.actions[kPackageBatchFileName] = [this] { write(partialTarget(), wholeCabinet().substr(0, 20)); };
    rdRemovesTheStagingFolder();
    EXPECT_EQ(runPackaging(), PackagingOutcome::PackageMissing);
    EXPECT_EQ(platform::readFile(target), "old package");
    EXPECT_FALSE(platform::fileExists(partialTarget()));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, shell::builtInText(shell::MessageKey::InfPackageMissing));
}

TEST_F(Packaging, AnInnerCabinetCutShortIsNotPacked) {
    runner.actions[kCabBatchFileName] = [this] { write(inProgram("App.cab"), wholeCabinet("data").substr(0, 30)); };
    rdRemovesTheStagingFolder();
    EXPECT_EQ(runPackaging(), PackagingOutcome::InnerCabinetMissing);
    EXPECT_EQ(runner.commandLines(), (std::vector<std::string>{kCabBatchFileName, kRemoveStaging}));
    EXPECT_FALSE(platform::fileExists(inProgram("App.cab"))) << "the broken inner cabinet is removed";
}

TEST_F(Packaging, TheOldPackageStaysAtItsPathWhileThePackageIsMade) {
    write(target, "old package");
    makecabMakes(kCabBatchFileName, inProgram("App.cab"));
    runner.actions[kPackageBatchFileName] = [this] {
        EXPECT_EQ(platform::readFile(target), "old package") << "a kill now would leave the old package";
        write(partialTarget(), wholeCabinet("new"));
    };
    rdRemovesTheStagingFolder();
    EXPECT_EQ(runPackaging(), PackagingOutcome::PackageMade);
    EXPECT_EQ(platform::readFile(target), wholeCabinet("new"));
}

TEST_F(Packaging, WhatAStoppedBuildLeftBesideThePathGoesBeforeTheNextBuildAndWithIt) {
    // A build killed while a tool wrote the package leaves its copies beside
    // the path: 7-Zip's while it adds to the archive, a writer's before its
    // rename. The user's own files, even of like names, stay.
    const std::string folder = inRoot("out dir");
    const std::vector<std::string> leftovers = {partialTarget(), partialTarget() + ".tmp",
                                                partialTarget() + ".tmp-x81Kq2", partialTarget() + ".tmp-write"};
    const std::vector<std::string> users = {"App_1.0_Addon.cab", "App_1.0_Addon.cab.tmp", "App_1.0_Addon.cab.tmp-1",
                                            "App_1.0_Addon.cab.tolvane-part.tmp-", "App_1.0_Addon.cab.tolvane-part.tmpl",
                                            "Other.cab.tolvane-part.tmp"};
    for (const std::string& name : users) write(platform::joinPath(folder, name), "the user's");
    platform::createFolder(platform::joinPath(folder, "App_1.0_Addon.cab.tolvane-part.tmp-folder"));
    const auto leave = [&] {
        for (const std::string& path : leftovers) write(path, "part of a package");
    };
    leave();
    std::vector<std::string> found = shell::unfinishedPackageFiles(partialTarget());
    std::sort(found.begin(), found.end());
    std::vector<std::string> expected = leftovers;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);

    {
        shell::PackageReplacement package(target);
        EXPECT_EQ(platform::listFolder(folder).files, users) << "the next build starts with none of them";
        leave();  // this build stopped by a failure midway
    }
    EXPECT_EQ(platform::listFolder(folder).files, users) << "a build that ends takes its own along";
    EXPECT_EQ(platform::listFolder(folder).folders,
              (std::vector<std::string>{"App_1.0_Addon.cab.tolvane-part.tmp-folder"}));
    for (const std::string& name : users) EXPECT_EQ(platform::readFile(platform::joinPath(folder, name)), "the user's");
}

TEST(PackageChecks, WholeCabinetsAnd7zArchivesAreToldFromCutOnes) {
    const std::string folder = platform::makeTemporaryFolder("tolvane-whole");
    const std::string path = platform::joinPath(folder, "p");
    const auto isCab = [&](const std::string& bytes) {
        platform::writeFileAtomic(path, bytes);
        return shell::isCompleteCabinet(path);
    };
    EXPECT_TRUE(isCab(wholeCabinet("abc")));
    EXPECT_FALSE(isCab(wholeCabinet("abc").substr(0, 38)));
    EXPECT_FALSE(isCab(wholeCabinet("abc") + "x"));
    EXPECT_FALSE(isCab("MSCF"));
    EXPECT_FALSE(isCab(""));

    // 7z: signature, version, CRC, next header offset 3 and size 2 after the 32 bytes.
    std::string archive = std::string("7z\xBC\xAF\x27\x1C\x00\x04", 8) + std::string(24, '\0') + "dataHH";
    archive[12] = 4;
    archive[20] = 2;
    const auto is7z = [&](const std::string& bytes) {
        platform::writeFileAtomic(path, bytes);
        return shell::isComplete7zArchive(path);
    };
    EXPECT_TRUE(is7z(archive));
    EXPECT_FALSE(is7z(archive.substr(0, 37)));
    std::string unfinished = archive;  // 7-Zip writes the start header last
    unfinished[12] = unfinished[20] = 0;
    EXPECT_FALSE(is7z(unfinished));
    EXPECT_FALSE(is7z(wholeCabinet()));
    platform::removeFolderTree(folder);
}

}  // namespace
