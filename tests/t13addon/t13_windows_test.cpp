// The Windows side of a T13 build, where Wine has no 7-Zip: an installed
// 7-Zip is found through the folder its installer records in the registry,
// and the batch file runs through the system's cmd.exe, whose copy /b joins
// the installer. A stand-in 7z (fake_seven_zip.cpp) sits in that folder and
// records what it was asked to pack, so every byte of the package can be
// checked.
#include <gtest/gtest.h>

#include <map>

#include "platform/code_page.h"
#include "shell/message_keys.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/seven_zip_location.h"
#include "fake_archive.h"
#include "recorded_seven_zip_folder.h"
#include "t13_fixture.h"
#include "shell/command_runner.h"
#include "t13addon/generate_t13_addon.h"
#include "t13addon/seven_zip_search.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/shipped_language.h"

using namespace t13addon;

namespace {

using t13test::FakeEntry;
using t13test::readFakeArchive;

const char* const kConfig =
    "\xEF\xBB\xBF;!@Install@!UTF-8!\r\nInstallPath=\"%ProgramFiles%\\\\MyApp\"\r\nGUIMode=\"1\"\r\n"
    "RunProgram =\"setup.exe /S\"\r\nRunProgram =\"\\\"C:\\\\new\\\\tool.exe\\\" /q\"\r\n"
    "ExtractPathText=\"程序正在解压安装中...\"\r\nExtractPathTitle=\"程序正在解压安装中...\"\r\n"
    "ExtractTitle=\"程序正在解压安装中...\"\r\nGUIFlags =\"63\"\r\n;!@InstallEnd@!\r\n";

class T13OnWindows : public t13test::GenerateWithToolsTest {
protected:
    void SetUp() override {
        if (!platform::findProgram("7z.exe", {}).empty() || !platform::installedSevenZipFolders().empty())
            GTEST_SKIP() << "a 7-Zip is installed here; these tests need a system without one";
        GenerateWithToolsTest::SetUp();
        // The folder 7-Zip was installed into: blanks, brackets and "&", which
        // cmd would read as a command separator outside quotes.
        // 7-Zip's installer records the folder with a trailing "\".
        sevenZipFolder = inRoot("Program Files (x86)\\7-Zip & co") + "\\";
        t13test::placeStandIn7z(sevenZipFolder);
        platform::createFolders(inRoot("软件\\app\\doc"));
        platform::writeFileAtomic(inRoot("软件\\setup.exe"), "setup program bytes");
        platform::writeFileAtomic(inRoot("软件\\app\\app.exe"), std::string(5000, 'a'));
        platform::writeFileAtomic(inRoot("软件\\app\\doc\\说明.txt"), "readme");
        platform::createFolder(inRoot("out"));
    }

    T13Builder myApp() const {
        T13Builder w;
        w.packageNameText = "MyApp";
        w.versionText = "1.0";
        w.extractPathText = "%ProgramFiles%\\MyApp";
        w.packItems = {inRoot("软件\\setup.exe"), inRoot("软件\\app") + "\\*"};
        w.runCommands = {"setup.exe /S", "\"C:\\new\\tool.exe\" /q"};
        return w;
    }

    shell::GenerateOutcome generate(T13Builder& w, const std::string& output) {
        return GenerateWithToolsTest::generate(w, output, "覆盖吗？");
    }

    // Checks the package the stand-in 7z made for `name`.
    void expectPackage(const std::string& output, const std::string& name, const std::string& itemLevel) {
        const std::vector<FakeEntry> package = readFakeArchive(platform::readFile(output));
        ASSERT_EQ(package.size(), 2u);
        EXPECT_EQ(package[0].name, "SVCPACK\\" + name + ".exe");
        EXPECT_EQ(package[0].level, "-mx0");
        EXPECT_EQ(package[1].name, "Entries.ini");
        EXPECT_EQ(package[1].level, "-mx9");
        EXPECT_EQ(package[1].bytes,
                  platform::encodeAnsi("[general]\r\nbuilddate=" + platform::todayShortDate() + "\r\ndescription=" +
                                       name + " 整合包\r\ntitle=" + name + "\r\nversion=1.0\r\n\r\n\r\n"
                                       "[EditFile]\r\nSVCPACK.INF,SetupHotfixesToRun,AddProgram\r\n\r\n\r\n"
                                       "[AddProgram]\r\n" + name + ".exe\r\n"));

        // cmd's copy /b: the module, the UTF-8 configuration, then temp.7z.
        const std::string installer = package[0].bytes;
        const std::string module = t13test::standInSfxModule();
        const std::string config = kConfig;
        ASSERT_GT(installer.size(), module.size() + config.size());
        EXPECT_EQ(installer.substr(0, module.size()), module);
        EXPECT_EQ(installer.substr(module.size(), config.size()), config);
        const std::vector<FakeEntry> items = readFakeArchive(installer.substr(module.size() + config.size()));
        ASSERT_EQ(items.size(), 3u);
        EXPECT_EQ(items[0].name, "setup.exe");
        EXPECT_EQ(items[0].bytes, "setup program bytes");
        EXPECT_EQ(items[1].name, "app.exe");
        EXPECT_EQ(items[1].bytes, std::string(5000, 'a'));
        EXPECT_EQ(items[2].name, "doc\\说明.txt");
        for (const auto& item : items) EXPECT_EQ(item.level, itemLevel);
    }

    std::string sevenZipFolder;
};

}  // namespace

TEST_F(T13OnWindows, An7zFoundNowhereIsRefusedWithWhereToPutIt) {
    const SevenZipSearch search = findSevenZip();
    EXPECT_FALSE(search.found);
    T13Builder w = myApp();
    EXPECT_EQ(generate(w, inRoot("out\\MyApp_1.0_Addon.7z")), shell::GenerateOutcome::Refused);
    EXPECT_NE(ui.lastMessage().find("7z.exe 和 7z.dll 放进 " + programFolder + "\\，然后再生成。"), std::string::npos)
        << ui.lastMessage();
    // The English text, longer than a UI string may be, reaches its end.
    ui.language = &testsupport::shippedLanguage("English");
    EXPECT_EQ(generate(w, inRoot("out\\MyApp_1.0_Addon.7z")), shell::GenerateOutcome::Refused);
    EXPECT_NE(ui.lastMessage().find("7z.exe and 7z.dll into " + programFolder + "\\, then generate again."),
              std::string::npos)
        << ui.lastMessage();
    ui.language = nullptr;
    EXPECT_TRUE(ui.saveRequests.empty());
}

TEST_F(T13OnWindows, TheRecordedFolderIsFoundAndPutOnTheBatchSearchPath) {
    t13test::RecordedSevenZipFolder recorded(sevenZipFolder);
    ASSERT_TRUE(recorded.recorded());
    EXPECT_EQ(platform::installedSevenZipFolders(), (std::vector<std::string>{sevenZipFolder}));
    const SevenZipSearch search = findSevenZip();
    EXPECT_TRUE(search.found);
    EXPECT_EQ(search.searchFolder, sevenZipFolder);

    // A 7z in the program folder comes first: the batch file then needs no search path.
    platform::copyFile(platform::joinPath(sevenZipFolder, "7z.exe"), inProgram("7z.exe"));
    platform::setCurrentDirectory(programFolder);
    const SevenZipSearch local = findSevenZip();
    EXPECT_TRUE(local.found);
    EXPECT_EQ(local.searchFolder, "");
}

TEST_F(T13OnWindows, CmdRunsTheBatchFileWithTheInstalled7z) {
    t13test::RecordedSevenZipFolder recorded(sevenZipFolder);
    ASSERT_TRUE(recorded.recorded());
    // Left by a run that stopped halfway: cmd's rd removes the folder first.
    platform::createFolders(inProgram("SVCPACK\\old"));
    platform::writeFileAtomic(inProgram("SVCPACK\\old\\Old.exe"), "old installer");
    platform::writeFileAtomic(inProgram("temp.7z"), "old items");
    T13Builder w = myApp();
    const std::string output = inRoot("out\\MyApp_1.0_Addon.7z");
    ASSERT_EQ(generate(w, output), shell::GenerateOutcome::Made) << ui.lastMessage();
    EXPECT_EQ(ui.lastMessage(), shell::builtInText(shell::MessageKey::T13Success));
    expectPackage(output, "MyApp", "-mx9");

    const platform::FolderListing left = platform::listFolder(programFolder);
    EXPECT_EQ(left.files, (std::vector<std::string>{"7zs.sfx"}));
    EXPECT_TRUE(left.folders.empty());
    EXPECT_TRUE(w.packageNameText.empty() && w.packItems.empty() && w.extractPathText.empty());
}

TEST_F(T13OnWindows, AnAmpersandInTheNameAndAnOverwrittenPackage) {
    t13test::RecordedSevenZipFolder recorded(sevenZipFolder);
    ASSERT_TRUE(recorded.recorded());
    const std::string output = inRoot("out\\R&D_1.0_Addon.7z");
    // The stand-in adds to an archive that is there, as 7z does: the old
    // package must be out of the way while the batch runs.
    platform::writeFileAtomic(output, "OLD|-mx0\n3\nold");
    T13Builder w = myApp();
    w.packageNameText = "R&D";
    w.storeOnly = true;
    ui.yesNoAnswers.push_back(true);
    ASSERT_EQ(generate(w, output), shell::GenerateOutcome::Made) << ui.lastMessage();
    EXPECT_EQ(ui.questions, (std::vector<std::string>{"覆盖吗？"}));
    expectPackage(output, "R&D", "-mx0");
    EXPECT_EQ(platform::listFolder(inRoot("out")).files, (std::vector<std::string>{"R&D_1.0_Addon.7z"}));
}
