// What a killed build left: removed at the next start only when the build's
// marker names a process that has ended, and then only what the marker
// names in the program folder and the package under its temporary name.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/error.h"
#include "platform/file_faults.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "shell/package_replacement.h"
#include "shell/stale_work_files.h"
#include "tests/support/ended_process.h"

namespace {

const std::vector<std::string> kT13WorkNames = {"SVCPACK", "config.txt", "temp.7z", "Entries.ini",
                                                "T13整合包生成.bat"};

// A program folder and a package folder beside it, holding what a T13 build
// killed while 7z ran leaves, among the user's own files.
class StaleWorkFiles : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = platform::makeTemporaryFolder("tolvane-stale");
        program_ = platform::joinPath(root_, "prog");
        packages_ = platform::joinPath(root_, "out");
        platform::createFolders(platform::joinPath(program_, "SVCPACK"));
        platform::createFolders(packages_);
        for (const char* name : {"SVCPACK\\MyApp.exe", "config.txt", "temp.7z", "Entries.ini", "T13整合包生成.bat",
                                 "7zs.sfx", "readme.txt"})
            platform::writeFileAtomic(inProgram(name), "bytes");
        userPackage_ = platform::joinPath(packages_, "MyApp_1.0_Addon.7z");
        platform::writeFileAtomic(userPackage_, "the user's earlier package");
        platform::writeFileAtomic(shell::partialPackagePath(userPackage_), "half a package");
    }
    void TearDown() override { platform::removeFolderTree(root_); }

    std::string inProgram(const std::string& name) const { return platform::joinPath(program_, name); }
    std::string marker() const { return inProgram(shell::kBuildMarkerName); }
    // The marker a build in process `id` writes, as BuildMarker writes it.
    std::string markerText(unsigned long id, const std::string& package, const std::vector<std::string>& names) {
        std::string text = "process " + std::to_string(id) + "\n";
        if (!package.empty()) text += "package " + package + "\n";
        for (const auto& name : names) text += "work " + name + "\n";
        return text;
    }
    std::vector<std::string> programFiles() const { return platform::listFolder(program_).files; }

    std::string root_, program_, packages_, userPackage_;
};

TEST_F(StaleWorkFiles, TheMarkerNamesTheBuildsProcessWorkFilesAndPackageAndGoesWithTheBuild) {
    {
        shell::BuildMarker building(program_);
        EXPECT_EQ(platform::readFile(marker()), markerText(platform::currentProcessId(), "", {}));
        building.recordWorkNames(kT13WorkNames);
        building.recordPackage(shell::partialPackagePath(userPackage_));
        building.recordWorkNames({"提取文件(1)"});
        std::vector<std::string> names = kT13WorkNames;
        names.push_back("提取文件(1)");
        EXPECT_EQ(platform::readFile(marker()),
                  markerText(platform::currentProcessId(), shell::partialPackagePath(userPackage_), names));
        // While the build runs, the start of another Tolvane leaves all alone.
        EXPECT_TRUE(shell::removeStaleWorkFiles(program_).empty());
        EXPECT_TRUE(platform::fileExists(marker()));
        EXPECT_TRUE(platform::fileExists(inProgram("temp.7z")));
    }
    EXPECT_FALSE(platform::fileExists(marker()));
    // A build that ends by an exception takes its marker along too.
    EXPECT_THROW(
        {
            shell::BuildMarker building(program_);
            building.recordWorkNames(kT13WorkNames);
            throw std::runtime_error("a step failed");
        },
        std::runtime_error);
    EXPECT_FALSE(platform::fileExists(marker()));
    EXPECT_TRUE(platform::fileExists(inProgram("temp.7z"))) << "a build removes its own files, not the marker";
}

TEST_F(StaleWorkFiles, AnEndedBuildsFilesAndTemporaryPackageGoTheUsersFilesAndPackageStay) {
    const std::string partial = shell::partialPackagePath(userPackage_);
    // 7z was adding to the archive: its copy of it lies beside it too.
    platform::writeFileAtomic(partial + ".tmp", "7-Zip's copy of half a package");
    platform::writeFileAtomic(userPackage_ + ".tmp", "the user's own");
    platform::writeFileAtomic(marker(), markerText(testsupport::endedProcessId(), partial, kT13WorkNames));
    const std::vector<std::string> removed = shell::removeStaleWorkFiles(program_);
    EXPECT_EQ(removed.size(), 7u);
    EXPECT_EQ(programFiles(), (std::vector<std::string>{"7zs.sfx", "readme.txt"}));
    EXPECT_TRUE(platform::listFolder(program_).folders.empty());
    EXPECT_EQ(platform::listFolder(packages_).files,
              (std::vector<std::string>{"MyApp_1.0_Addon.7z", "MyApp_1.0_Addon.7z.tmp"}));
    EXPECT_EQ(platform::readFile(userPackage_), "the user's earlier package");
    // Done once: the next start finds no marker and removes nothing.
    platform::writeFileAtomic(inProgram("temp.7z"), "a new build's");
    EXPECT_TRUE(shell::removeStaleWorkFiles(program_).empty());
    EXPECT_TRUE(platform::fileExists(inProgram("temp.7z")));
}

TEST_F(StaleWorkFiles, WithoutAMarkerOrWithALiveOrUnreadableOneNothingIsRemoved) {
    const std::string partial = shell::partialPackagePath(userPackage_);
    const std::vector<std::string> before = programFiles();
    EXPECT_TRUE(shell::removeStaleWorkFiles(program_).empty());
    for (const std::string& text : {markerText(platform::currentProcessId(), partial, kT13WorkNames),
                                    std::string("process \nwork temp.7z\n"), std::string("process 12x\nwork temp.7z\n"),
                                    std::string("work temp.7z\n")}) {
        platform::writeFileAtomic(marker(), text);
        EXPECT_TRUE(shell::removeStaleWorkFiles(program_).empty()) << text;
        EXPECT_TRUE(platform::fileExists(marker())) << text;
        EXPECT_TRUE(platform::fileExists(partial)) << text;
        EXPECT_TRUE(platform::folderExists(inProgram("SVCPACK"))) << text;
    }
    platform::deleteFile(marker());
    EXPECT_EQ(programFiles(), before);
}

TEST_F(StaleWorkFiles, OnlyBareNamesInTheProgramFolderAndATemporaryPackageAreEverRemoved) {
    // A package chosen in the program folder under a work file's name stays,
    // and so does what lies outside the folder or is the user's package itself.
    const std::string inProgramPackage = inProgram("temp.7z");
    const std::vector<std::string> names = {"..", ".", "", "out", "..\\out\\MyApp_1.0_Addon.7z",
                                            userPackage_, "SVCPACK\\MyApp.exe", "temp.7z", shell::kBuildMarkerName};
    const unsigned long ended = testsupport::endedProcessId();
    platform::writeFileAtomic(marker(), markerText(ended, shell::partialPackagePath(inProgramPackage), names));
    EXPECT_TRUE(shell::removeStaleWorkFiles(program_).empty());
    EXPECT_TRUE(platform::fileExists(inProgramPackage));
    EXPECT_TRUE(platform::fileExists(inProgram("SVCPACK\\MyApp.exe")));
    EXPECT_EQ(platform::readFile(userPackage_), "the user's earlier package");
    EXPECT_FALSE(platform::fileExists(marker()));
    // A package path without the temporary name is never deleted.
    platform::writeFileAtomic(marker(), markerText(ended, userPackage_, {"config.txt"}));
    EXPECT_EQ(shell::removeStaleWorkFiles(program_), std::vector<std::string>{inProgram("config.txt")});
    EXPECT_EQ(platform::readFile(userPackage_), "the user's earlier package");
}

TEST_F(StaleWorkFiles, WhatCannotBeRemovedIsToldAndTheMarkerStaysForTheNextStart) {
    const std::string partial = shell::partialPackagePath(userPackage_);
    platform::writeFileAtomic(marker(), markerText(testsupport::endedProcessId(), partial, kT13WorkNames));
    {
        platform::FileFaults faults;
        faults.refuse(platform::FileOperation::Delete, "temp.7z", "the file is in use");
        EXPECT_THROW(shell::removeStaleWorkFiles(program_), platform::Error);
        EXPECT_TRUE(platform::fileExists(marker()));
        EXPECT_TRUE(platform::fileExists(inProgram("temp.7z")));
        EXPECT_FALSE(platform::fileExists(inProgram("config.txt"))) << "the others go all the same";
        EXPECT_FALSE(platform::fileExists(partial));

        const auto message = shell::removeStaleWorkFilesAtStart(program_);
        ASSERT_TRUE(message);
        EXPECT_NE(message->find(program_), std::string::npos);
        EXPECT_NE(message->find("temp.7z"), std::string::npos);
        EXPECT_NE(message->find("the file is in use"), std::string::npos);
        EXPECT_NE(message->find("Close any program that may be using them"), std::string::npos);
        EXPECT_NE(message->find("请关闭可能正在使用这些文件的程序"), std::string::npos);
    }
    EXPECT_FALSE(shell::removeStaleWorkFilesAtStart(program_));
    EXPECT_EQ(programFiles(), (std::vector<std::string>{"7zs.sfx", "readme.txt"}));
}

}  // namespace
