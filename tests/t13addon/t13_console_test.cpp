// The console front end's t13 command: exit status, output and clean-up.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/seven_zip_location.h"
#include "fake_archive.h"
#include "recorded_seven_zip_folder.h"
#include "t13_fixture.h"
#include "tools/console/t13_command.h"

namespace {

class T13Console : public t13test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        platform::setProgramFolder({});
        platform::createFolders(inRoot("soft\\app"));
        platform::writeFileAtomic(inRoot("soft\\setup.exe"), "setup");
        platform::writeFileAtomic(inRoot("soft\\app\\a.dll"), "dll");
        platform::setCurrentDirectory(root);
        // Without a 7-Zip (Wine), the stand-in 7z as an installed one, where
        // the system has a record of installed ones.
        if (platform::findProgram("7z.exe", {}).empty() && platform::installedSevenZipFolders().empty()) {
            t13test::placeStandIn7z(inRoot("soft\\7-Zip"));
            recorded = std::make_unique<t13test::RecordedSevenZipFolder>(inRoot("soft\\7-Zip"));
            if (!recorded->recorded()) recorded.reset();
        }
    }
    // Why the tools cannot run here, or nothing when they can.
    std::string toolsMissing() const {
        if (platform::findProgram(platform::joinPath(TOLVANE_BIN_DIR, "tolvane-cmd"), {}).empty())
            return "the batch interpreter tolvane-cmd is not built in " TOLVANE_BIN_DIR;
        if (!recorded && platform::findProgram("7z", {}).empty()) return "no 7z is installed (p7zip-full)";
        return {};
    }
    int run(const std::vector<std::string>& args) {
        err.str({});
        return console::runT13Command(args, err);
    }
    std::vector<std::string> basic() {
        return {"--name", "MyApp", "--version", "1.0", "--item", "soft/setup.exe", "--item", "soft/app",
                "--sfx", inProgram("7zs.sfx"), "--run", "setup.exe /S", "--compression", "store"};
    }
    std::ostringstream err;
    std::unique_ptr<t13test::RecordedSevenZipFolder> recorded;
};

}  // namespace

TEST_F(T13Console, MakesThePackageBesideTheCallerAndCleansUp) {
    if (!toolsMissing().empty()) GTEST_SKIP() << toolsMissing();
    const std::string folderBefore = platform::programFolder();
    EXPECT_EQ(run(basic()), 0) << err.str();
    EXPECT_TRUE(platform::fileExists(inRoot("MyApp_1.0_Addon.7z")));
    EXPECT_TRUE(platform::fileExists("MyApp_1.0_Addon.7z")) << "the current folder is the caller's again";
    EXPECT_EQ(platform::programFolder(), folderBefore);
    EXPECT_EQ(platform::listFolder(root).folders, (std::vector<std::string>{"prog", "soft"}))
        << "the work folder is gone";

    // An existing package is kept unless overwriting was asked for.
    EXPECT_EQ(run(basic()), 1);
    std::vector<std::string> again = basic();
    again.insert(again.end(), {"--overwrite", "yes", "--integrator", "rvmi"});
    EXPECT_EQ(run(again), 0) << err.str();
    EXPECT_EQ(platform::listFolder(root).files, (std::vector<std::string>{"MyApp_1.0_Addon.7z"}));

    // A relative output path is taken from the caller's folder.
    std::vector<std::string> named = basic();
    named.insert(named.end(), {"--output", "soft/out.7z"});
    EXPECT_EQ(run(named), 0) << err.str();
    EXPECT_TRUE(platform::fileExists(inRoot("soft\\out.7z")));
}

// A Chinese name stands in the batch file: on an English or Western European
// system (this test runs under Wine in those locales too) cmd.exe could not
// read it, and the project's own interpreter runs the batch. The entries
// file is in code page 936 on every system.
TEST_F(T13Console, AChineseNameMakesThePackageWithItsEntriesFileInCodePage936) {
    if (!toolsMissing().empty()) GTEST_SKIP() << toolsMissing();
    std::vector<std::string> args = basic();
    args[1] = "我的App";
    EXPECT_EQ(run(args), 0) << err.str();
    const std::string package = inRoot("我的App_1.0_Addon.7z");
    ASSERT_TRUE(platform::fileExists(package));
    EXPECT_EQ(platform::listFolder(root).folders, (std::vector<std::string>{"prog", "soft"}));
    if (!recorded) return;  // a real 7-Zip: its archive is not read here
    // The stand-in's records (fake_archive.h).
    std::map<std::string, std::string> records;
    for (const t13test::FakeEntry& entry : t13test::readFakeArchive(platform::readFile(package)))
        records[entry.name] = entry.bytes;
    ASSERT_EQ(records.count("Entries.ini"), 1u) << testing::PrintToString(records);
    const std::string entries = records["Entries.ini"];
    const std::size_t dateEnd = entries.find("\r\n", entries.find("builddate="));
    EXPECT_EQ(entries.substr(dateEnd), platform::encodeCodePage(936, "\r\ndescription=我的App 整合包\r\ntitle=我的App\r\n"
                                                                   "version=1.0\r\n\r\n\r\n[EditFile]\r\n"
                                                                   "SVCPACK.INF,SetupHotfixesToRun,AddProgram\r\n\r\n\r\n"
                                                                   "[AddProgram]\r\n我的App.exe\r\n"));
    EXPECT_EQ(records.count("SVCPACK\\我的App.exe"), 1u)
        << testing::PrintToString(records);
}

TEST_F(T13Console, BadArgumentsAndMissingPartsFailWithoutOutput) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_EQ(err.str(), "") << "help goes to standard output";
    EXPECT_EQ(run({"--name"}), 2);
    EXPECT_NE(err.str().find("\"--name\" needs a value."), std::string::npos);
    EXPECT_EQ(run({"--colour", "red"}), 2);
    EXPECT_NE(err.str().find("\"--colour\" is not an option of the t13 command."), std::string::npos);
    EXPECT_NE(err.str().find("usage: tolvane-console t13"), std::string::npos);
    EXPECT_EQ(run({"--integrator", "other"}), 2);
    EXPECT_NE(err.str().find("--integrator takes nlite or rvmi, not \"other\"."), std::string::npos) << err.str();
    EXPECT_EQ(run({"--overwrite", "maybe"}), 2);
    EXPECT_NE(err.str().find("--overwrite takes yes or no (alone it means yes), not \"maybe\"."), std::string::npos) << err.str();
    EXPECT_EQ(run({"--name", "MyApp", "--version", "1.0", "--item", "soft/gone/setup.exe"}), 2);
    EXPECT_NE(err.str().find("setup.exe does not exist."), std::string::npos) << err.str();
    std::vector<std::string> noSfx = basic();
    noSfx[9] = inRoot("missing.sfx");
    EXPECT_EQ(run(noSfx), 1);
    EXPECT_NE(err.str().find(platform::nativePath(inRoot("missing.sfx")) + " is missing"), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("7zSD.sfx"), std::string::npos);
    // No items: Generate's own check refuses.
    EXPECT_EQ(run({"--name", "MyApp", "--version", "1.0", "--sfx", inProgram("7zs.sfx")}), 1);
    EXPECT_FALSE(platform::fileExists(inRoot("MyApp_1.0_Addon.7z")));
    EXPECT_EQ(platform::listFolder(root).folders, (std::vector<std::string>{"prog", "soft"}));
}
