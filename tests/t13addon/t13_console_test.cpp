// The console front end's t13 command: exit status, output and clean-up.
#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "platform/process.h"
#include "t13_fixture.h"

namespace console {
int runT13Command(const std::vector<std::string>& args);
}

namespace {

class T13Console : public t13test::ProgramFolderTest {
protected:
    void SetUp() override {
#ifdef _WIN32
        if (platform::findProgram("7z.exe", {}).empty()) GTEST_SKIP() << "no 7z.exe on this Windows";
#else
        if (platform::findProgram(platform::joinPath(TOLVANE_BIN_DIR, "tolvane-cmd"), {}).empty())
            GTEST_SKIP() << "the batch interpreter tolvane-cmd is not built in " TOLVANE_BIN_DIR;
#endif
        ProgramFolderTest::SetUp();
        platform::setProgramFolder({});
        platform::createFolders(inRoot("soft\\app"));
        platform::writeFileAtomic(inRoot("soft\\setup.exe"), "setup");
        platform::writeFileAtomic(inRoot("soft\\app\\a.dll"), "dll");
        platform::setCurrentDirectory(root);
    }
    std::vector<std::string> basic() {
        return {"--name", "MyApp", "--version", "1.0", "--item", "soft/setup.exe", "--item", "soft/app",
                "--sfx", inProgram("7zs.sfx"), "--run", "setup.exe /S", "--compression", "store"};
    }
};

}  // namespace

TEST_F(T13Console, MakesThePackageBesideTheCallerAndCleansUp) {
    const std::string folderBefore = platform::programFolder();
    EXPECT_EQ(console::runT13Command(basic()), 0);
    EXPECT_TRUE(platform::fileExists(inRoot("MyApp_1.0_Addon.7z")));
    EXPECT_TRUE(platform::fileExists("MyApp_1.0_Addon.7z")) << "the current folder is the caller's again";
    EXPECT_EQ(platform::programFolder(), folderBefore);

    // An existing package is kept unless overwriting was asked for.
    EXPECT_EQ(console::runT13Command(basic()), 1);
    std::vector<std::string> again = basic();
    again.insert(again.end(), {"--overwrite", "yes", "--integrator", "rvmi"});
    EXPECT_EQ(console::runT13Command(again), 0);
}

TEST_F(T13Console, BadArgumentsAndMissingPartsFailWithoutOutput) {
    EXPECT_EQ(console::runT13Command({"--name"}), 2);
    EXPECT_EQ(console::runT13Command({"--colour", "red"}), 2);
    EXPECT_EQ(console::runT13Command({"--integrator", "other"}), 2);
    std::vector<std::string> noSfx = basic();
    noSfx[9] = inRoot("missing.sfx");
    EXPECT_EQ(console::runT13Command(noSfx), 1);
    EXPECT_EQ(console::runT13Command({"--name", "MyApp", "--version", "1.0", "--sfx", inProgram("7zs.sfx")}), 1);
    EXPECT_FALSE(platform::fileExists(inRoot("MyApp_1.0_Addon.7z")));
}
