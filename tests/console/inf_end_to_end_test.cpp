// Whole INF builds with the real tools: the batch files run through the batch
// interpreter (cmd.exe under Wine), makecab is the project's cabinet maker.
// The package and its inner cabinet are then listed and unpacked with tools
// that share no code with ours: cabextract and 7z on Linux, extrac32 under
// Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "infaddon/generate.h"
#include "shell/message_keys.h"
#include "infaddon/packaging_names.h"
#include "platform/ansi_text_file.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host.h"
#include "platform/process.h"
#include "shell/command_runner.h"
#include "tests/cabinet/cabinet_fixture.h"
#include "tests/support/fake_user_interface.h"
#include "tests/support/outside_tools.h"
#include "tests/support/source_tree.h"
#include "tools/console/inf_command.h"

namespace {

std::string bin(const std::string& tool) { return platform::joinPath(TOLVANE_BIN_DIR, tool); }

std::string bytePattern(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<char>((i % 7 == 0) ? (seed >> 16) : ('a' + i % 13));
    }
    return bytes;
}

// A folder's files by name, with their bytes.
std::map<std::string, std::string> filesIn(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const std::string& name : platform::listFolder(folder).files)
        files[name] = platform::readFile(platform::joinPath(folder, name));
    return files;
}

// Unpacks a cabinet into a new folder with the first outside decoder here
// and gives that folder's files by name.
std::map<std::string, std::string> unpack(const std::string& cabinet, const std::string& into) {
    testsupport::unpackCabinet(testsupport::cabinetDecoders().front(), cabinet, into);
    return filesIn(into);
}

class InfEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (platform::findProgram(bin("makecab.exe"), {}).empty())
            GTEST_SKIP() << "the cabinet maker is not built in " TOLVANE_BIN_DIR;
        if (platform::findProgram(bin("tolvane-cmd"), {}).empty())
            GTEST_SKIP() << "the batch interpreter tolvane-cmd is not built in " TOLVANE_BIN_DIR;
        if (testsupport::cabinetDecoders().empty())
            GTEST_SKIP() << "no outside cabinet decoder is installed (cabextract, 7z, gcab)";
        startFolder = platform::currentDirectory();
        root = platform::makeTemporaryFolder("tolvane-inf-e2e");
        platform::createFolders(inRoot("soft\\My App\\sub\\deep"));
        platform::createFolders(inRoot("extra"));
        platform::createFolders(inRoot("out dir"));
        write("soft\\My App\\app.exe", bytePattern(150000, 1));
        write("soft\\My App\\sub\\readme.txt", "read me\r\n");
        write("soft\\My App\\sub\\deep\\data.bin", bytePattern(70000, 2));
        write("soft\\My App\\sub\\deep\\empty.dat", "");
        write("extra\\tool.dll", "extra dll bytes");
        write("extra\\notes.txt", "extra notes");
        platform::setCurrentDirectory(root);
    }
    void TearDown() override {
        if (root.empty()) return;
        platform::setCurrentDirectory(startFolder);
        platform::setProgramFolder({});
        platform::removeFolderTree(root);
    }
    std::string inRoot(const std::string& name) const { return platform::joinPath(root, name); }
    void write(const std::string& relative, const std::string& bytes) const {
        platform::writeFileAtomic(inRoot(relative), bytes);
    }
    std::string package() const { return inRoot("out dir\\App_1.0_Addon.cab"); }

    std::vector<std::string> appArguments() const {
        return {"--name", "App", "--version", "1.0", "--website", "http://example.org/",
                "--source", "soft/My App", "--extra", "2=extra/tool.dll", "--patch-extra", "11=extra/notes.txt",
                "--shortcut", "My App=%ProgramFiles%\\My App\\app.exe", "--output", "out dir/App_1.0_Addon.cab"};
    }

    // The collected files as the inner cabinet must hold them: flat, under their staged names.
    std::map<std::string, std::string> expectedInnerFiles() const {
        return {{"My App_app.exe", bytePattern(150000, 1)},
                {"My App_sub_readme.txt", "read me\r\n"},
                {"My App_sub_deep_data.bin", bytePattern(70000, 2)},
                {"My App_sub_deep_empty.dat", ""}};
    }

    std::string startFolder;
    std::string root;
};

TEST_F(InfEndToEnd, TheConsoleBuildsThePackageWithEveryPartAndLeavesNoWorkFolder) {
    // The program folder is a fresh temporary folder: one with a blank in its path.
    const std::string temporary = inRoot("t mp");
    platform::createFolder(temporary);
    // Windows' GetTempPath reads TMP first, POSIX reads TMPDIR.
    const std::vector<std::string> variables = {"TMP", "TMPDIR"};
    std::vector<std::string> before;
    for (const std::string& variable : variables) {
        before.push_back(platform::environmentVariable(variable));
        platform::setEnvironmentVariable(variable, platform::nativePath(temporary));
    }
    std::vector<std::string> arguments = appArguments();
    // The registry file goes in only where the converter is built.
    const bool withRegistry = !platform::findProgram(bin("reg2inf.exe"), {}).empty();
    if (withRegistry) {
        write("app.reg", "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\TolvaneTest]\r\n\"Colour\"=\"blue\"\r\n");
        arguments.insert(arguments.end(), {"--reg", "app.reg"});
    }
    std::ostringstream err;
    const int status = console::runInfCommand(arguments, err);
    for (std::size_t i = 0; i < variables.size(); ++i) platform::setEnvironmentVariable(variables[i], before[i]);
    ASSERT_EQ(status, 0) << err.str();
    ASSERT_TRUE(platform::fileExists(package()));
    EXPECT_TRUE(platform::listFolder(temporary).folders.empty()) << "the program folder was not removed";
    EXPECT_TRUE(platform::listFolder(temporary).files.empty());

    const auto top = unpack(package(), inRoot("unpacked"));
    std::vector<std::string> names;
    for (const auto& entry : top) names.push_back(entry.first);
    EXPECT_EQ(names, (std::vector<std::string>{"App.cab", "App.inf", "Entries_App.ini", "notes.txt", "tool.dll"}));
    EXPECT_EQ(top.at("tool.dll"), "extra dll bytes");
    EXPECT_EQ(top.at("notes.txt"), "extra notes");
    const std::string inf = top.at("App.inf");
    EXPECT_NE(inf.find("1=\"AppProgramFiles\",\"App.cab\",,\"i386\""), std::string::npos);
    EXPECT_NE(inf.find("UpdateInis      = addlink"), std::string::npos) << "the shortcut reaches the INF";
    if (withRegistry) {
        EXPECT_NE(inf.find("SOFTWARE\\TolvaneTest\",\"Colour\""), std::string::npos) << inf;
    }
    const std::string entries = top.at("Entries_App.ini");
    EXPECT_NE(entries.find("tool.dll = 1,,,,,,,2,0,0"), std::string::npos) << entries;
    EXPECT_NE(entries.find("notes.txt = 100,,,,,,,11,0,0"), std::string::npos) << entries;

    // Every collected file, flat, under its staged name, with its exact bytes.
    EXPECT_EQ(unpack(inRoot("unpacked\\App.cab"), inRoot("inner")), expectedInnerFiles());
    // Every outside decoder here reads both cabinets to the same files.
    for (const std::string& decoder : testsupport::cabinetDecoders()) {
        const std::string topFolder = inRoot("top by " + decoder);
        const std::string innerFolder = inRoot("inner by " + decoder);
        ASSERT_EQ(testsupport::unpackCabinet(decoder, package(), topFolder), 0) << decoder;
        EXPECT_EQ(filesIn(topFolder), top) << decoder;
        ASSERT_EQ(testsupport::unpackCabinet(decoder, platform::joinPath(topFolder, "App.cab"), innerFolder), 0)
            << decoder;
        EXPECT_EQ(filesIn(innerFolder), expectedInnerFiles()) << decoder;
    }
}

// The bundled example holds a Chinese file name. On every system (this test
// runs under Wine with code pages 936, 1252/437 and 1252/850) the inner
// cabinet stores it in code page 936, as the INF names it: the bytes the
// setup engine of a Chinese XP compares.
TEST_F(InfEndToEnd, TheExamplesChineseNameIsStoredInCodePage936WhateverTheSystemsCodePage) {
    const std::string example = testsupport::sourcePath("examples/HelloApp");
    std::ostringstream err;
    ASSERT_EQ(console::runInfCommand({"--name", "HelloApp", "--version", "1.0", "--source", example, "--output",
                                      "out dir/HelloApp_1.0_Addon.cab"},
                                     err),
              0)
        << err.str();
    const auto top = unpack(inRoot("out dir\\HelloApp_1.0_Addon.cab"), inRoot("unpacked"));
    ASSERT_EQ(top.count("HelloApp.cab"), 1u);
    std::vector<std::string> names;
    for (const cabtest::ParsedFile& file : cabtest::parseCabinet(top.at("HelloApp.cab")).entries)
        names.push_back(file.name);
    std::sort(names.begin(), names.end());
    const std::string chinese = platform::encodeCodePage(936, "HelloApp_bin_说明.txt");
    EXPECT_EQ(names, (std::vector<std::string>{"HelloApp_HelloApp.exe", "HelloApp_bin_helper.dll", chinese,
                                               "HelloApp_readme.txt"}));
    EXPECT_NE(top.at("HelloApp.inf").find(chinese + "=1"), std::string::npos);
    EXPECT_NE(top.at("HelloApp.inf").find(platform::encodeCodePage(936, ";填为注册表导入信息")), std::string::npos);
}

TEST_F(InfEndToEnd, AnExistingPackageIsReplacedOnlyWhenOverwritingIsAsked) {
    std::ostringstream err;
    write("out dir\\App_1.0_Addon.cab", "old package");
    EXPECT_EQ(console::runInfCommand(appArguments(), err), 1);
    EXPECT_EQ(platform::readFile(package()), "old package");

    std::vector<std::string> again = appArguments();
    again.push_back("--overwrite");
    EXPECT_EQ(console::runInfCommand(again, err), 0) << err.str();
    EXPECT_EQ(platform::readFile(package()).substr(0, 4), "MSCF");
    EXPECT_EQ(platform::listFolder(inRoot("out dir")).files, std::vector<std::string>{"App_1.0_Addon.cab"})
        << "the old package was not deleted once the new one was there";
}

TEST_F(InfEndToEnd, ArgumentsThatCannotBeUsedMakeNothing) {
    std::ostringstream err;
    EXPECT_EQ(console::runInfCommand({"--name"}, err), 2);
    EXPECT_EQ(console::runInfCommand({"--colour", "red"}, err), 2);
    EXPECT_EQ(console::runInfCommand({"--name", "App", "--source", "missing folder"}, err), 2);
    EXPECT_EQ(console::runInfCommand({"--source", "99999=soft"}, err), 2);
    EXPECT_EQ(console::runInfCommand({"--extra", "extra/tool.dll"}, err), 2) << "an extra file needs its number";
    EXPECT_EQ(console::runInfCommand({"--place", "desktop"}, err), 2) << "no shortcut to describe";
    EXPECT_NE(err.str().find("usage: tolvane-console inf"), std::string::npos);
    // What is wrong, not a neighbouring complaint.
    std::ostringstream said;
    EXPECT_EQ(console::runInfCommand({"--overwrite", "maybe", "--name", "App"}, said), 2);
    EXPECT_NE(said.str().find("--overwrite takes yes or no (alone it means yes), not \"maybe\"."), std::string::npos)
        << said.str();
    EXPECT_EQ(console::runInfCommand({"--name", "App", "--source", "soft/My App/app.exe"}, said), 2);
    EXPECT_NE(said.str().find("app.exe is a file, not a folder."), std::string::npos) << said.str();
    // Checks of Generate: no version, a name that cannot name files.
    EXPECT_EQ(console::runInfCommand({"--name", "App", "--source", "soft"}, err), 1);
    EXPECT_EQ(console::runInfCommand({"--name", "A:B", "--version", "1", "--source", "soft"}, err), 1);
    EXPECT_TRUE(platform::listFolder(inRoot("out dir")).files.empty());
    EXPECT_FALSE(platform::fileExists(inRoot("App__Addon.cab")));
}

// Generate itself in a program folder of the test's own, with the real tools.
class GenerateWithTools : public InfEndToEnd {
protected:
    void SetUp() override {
        InfEndToEnd::SetUp();
        if (root.empty()) return;
        programFolder = inRoot("prog");
        platform::createFolder(programFolder);
        platform::setProgramFolder(programFolder);
    }
    shell::GenerateOutcome generate(infaddon::AddonProject& project, const std::string& output) {
        ui.saveFileAnswers.push_back(output);
        shell::ToolCommandRunner runner(ui);
        const auto outcome = infaddon::Generate(project, state, ui, runner, "overwrite?");
        runner.waitForDetached();
        return outcome;
    }
    infaddon::AddonProject project(const std::string& folder) const {
        infaddon::AddonProject p;
        p.PackageName = "App";
        p.PackageVersion = "1.0";
        p.addSourceFolder(inRoot(folder), "");
        return p;
    }
    std::vector<std::string> programFolderEntries() const {
        const auto listing = platform::listFolder(programFolder);
        std::vector<std::string> names = listing.folders;
        names.insert(names.end(), listing.files.begin(), listing.files.end());
        return names;
    }

    std::string programFolder;
    infaddon::BuildState state;
    testsupport::FakeUserInterface ui;
};

TEST_F(GenerateWithTools, ASecondBuildInTheSameRunCarriesNothingOfTheFirst) {
    auto first = project("soft\\My App");
    ASSERT_EQ(generate(first, inRoot("out dir\\first.cab")), shell::GenerateOutcome::Made) << ui.lastMessage();
    EXPECT_EQ(ui.lastMessage(), shell::builtInText(shell::MessageKey::InfPackageMade));
    EXPECT_TRUE(programFolderEntries().empty()) << testing::PrintToString(programFolderEntries());

    platform::createFolder(inRoot("second"));
    write("second\\only.txt", "second build");
    auto second = project("second");
    ASSERT_EQ(generate(second, inRoot("out dir\\second.cab")), shell::GenerateOutcome::Made) << ui.lastMessage();
    const auto top = unpack(inRoot("out dir\\second.cab"), inRoot("second-top"));
    ASSERT_EQ(top.count("App.cab"), 1u);
    EXPECT_EQ(unpack(inRoot("second-top\\App.cab"), inRoot("second-inner")),
              (std::map<std::string, std::string>{{"second_only.txt", "second build"}}));
    EXPECT_EQ(top.at("App.inf").find("app.exe"), std::string::npos);
}

TEST_F(GenerateWithTools, AnInnerCabinetNotMadeGivesMakecabsReasonAndKeepsThePackageWorkFiles) {
    // A folder where the inner cabinet would go: makecab cannot write it.
    platform::createFolder(platform::joinPath(programFolder, "App.cab"));
    write("out dir\\App_1.0_Addon.cab", "old package");
    ui.yesNoAnswers.push_back(true);
    auto p = project("soft\\My App");
    EXPECT_EQ(generate(p, package()), shell::GenerateOutcome::NotMade);
    ASSERT_EQ(ui.messages.size(), 1u);
    // The cabinet maker's own reason, from its report. A route through a
    // makecab that leaves no report (the system's own on Windows) keeps the
    // fixed text.
    const std::string& text = ui.messages[0].text;
    const bool reasonGiven =
        text.rfind("软件文件的 CAB 包 App.cab 没有生成。makecab 的说明：\nCannot write the file ", 0) == 0;
    if (platform::kWindowsHost)
        EXPECT_TRUE(reasonGiven || text == shell::builtInText(shell::MessageKey::InfInnerCabinetMissing)) << text;
    else
        EXPECT_TRUE(reasonGiven) << text;
    EXPECT_EQ(programFolderEntries(),
              (std::vector<std::string>{"App.cab", infaddon::kPackageListFileName, infaddon::kPackageBatchFileName}));
    EXPECT_EQ(platform::readFile(package()), "old package");
}

}  // namespace

namespace {

// The batch interpreter expands "%...%" even inside quotes: a package path
// with "%" must still be written exactly there, and an unrelated file at the
// expanded path left alone. A target in a drive root starts in "C:\".
TEST_F(InfEndToEnd, APercentInThePackagePathAndARootTargetComeOutAsChosen) {
    platform::createFolders(inRoot("out dir\\50%a"));
    write("out dir\\50c.cab", "unrelated file");
    std::vector<std::string> arguments = appArguments();
    arguments.back() = "out dir/50%a/b%c.cab";
    arguments.insert(arguments.end(), {"--shortcut", "Root Tool=C:\\tool.exe"});
    std::ostringstream err;
    ASSERT_EQ(console::runInfCommand(arguments, err), 0) << err.str();
    EXPECT_EQ(platform::readFile(inRoot("out dir\\50%a\\b%c.cab")).substr(0, 4), "MSCF");
    EXPECT_EQ(platform::readFile(inRoot("out dir\\50c.cab")), "unrelated file");

    const std::string inf = unpack(inRoot("out dir\\50%a\\b%c.cab"), inRoot("unpacked")).at("App.inf");
    EXPECT_NE(inf.find("\"\"\"\"\"\"C:\\tool.exe\"\"\"\" \"\",,,,\"\"C:\\\"\",\"\"Root Tool\"\"\""), std::string::npos)
        << inf;
}

// A tree whose folders give coinciding copy-section names on their own
// ("a.b" beside "a\b", "Docs [EN]", two source folders named "bin" with
// different codes) and an extra file taken from the program folder: the
// package is built with the real tools, and under Wine its INF is installed
// by the setup engine, every file checked at its destination.
TEST_F(GenerateWithTools, ThePackageOfATreeWithCoincidingNamesInstallsEveryFileInItsPlace) {
    const std::map<std::string, std::string> appFiles = {
        {"top.txt", "top"}, {"a.b\\x.txt", "x in a.b"}, {"a\\b\\y.txt", "y in a\\b"},
        {"Docs [EN]\\read.txt", "read"}, {"Docs [EN]\\[1] intro.txt", "intro"}};
    for (const auto& [relative, bytes] : appFiles) {
        platform::createFolders(platform::parentPath(inRoot("tree\\TolvaneNames\\" + relative)));
        write("tree\\TolvaneNames\\" + relative, bytes);
    }
    platform::createFolders(inRoot("tree\\x\\bin"));
    platform::createFolders(inRoot("tree\\y\\bin"));
    write("tree\\x\\bin\\one.dll", "one in Program Files");
    write("tree\\y\\bin\\two.dll", "two in Common Files");
    platform::writeFileAtomic(platform::joinPath(programFolder, "tool.dll"), "the user's own extra file");

    infaddon::AddonProject p;
    p.PackageName = "NamesApp";
    p.PackageVersion = "1.0";
    p.addSourceFolder(inRoot("tree\\TolvaneNames"), "16422");
    p.addSourceFolder(inRoot("tree\\x\\bin"), "16422");
    p.addSourceFolder(inRoot("tree\\y\\bin"), "16427");
    p.addExtraFile({programFolder + "\\.\\TOOL.DLL", "tool.dll", "1", "2"});
    const std::string output = inRoot("out dir\\NamesApp_1.0_Addon.cab");
    ASSERT_EQ(generate(p, output), shell::GenerateOutcome::Made) << ui.lastMessage();
    EXPECT_EQ(programFolderEntries(), std::vector<std::string>{"tool.dll"}) << "the extra file stays, alone";
    EXPECT_EQ(platform::readFile(platform::joinPath(programFolder, "tool.dll")), "the user's own extra file");

    const std::string unpacked = inRoot("unpacked");
    const auto top = unpack(output, unpacked);
    ASSERT_EQ(top.count("NamesApp.inf"), 1u);
    EXPECT_EQ(top.at("tool.dll"), "the user's own extra file");
    const std::string inf = top.at("NamesApp.inf");
    for (const char* section : {"[TolvaneNames.a.b.copyfile]", "[TolvaneNames.a.b(2).copyfile]",
                                "[TolvaneNames.Docs [EN_.copyfile]", "[bin.copyfile]", "[bin(2).copyfile]"})
        EXPECT_NE(inf.find(std::string("\r\n") + section + "\r\n"), std::string::npos) << section << "\n" << inf;

    if (!platform::kWindowsHost)
        GTEST_SKIP() << "the package is made; the setup engine that installs it runs under Wine";
    // The setup engine's layout: the inner cabinet in an i386 folder below
    // the INF, as the disk line names it. 64-bit Wine reads only an
    // undecorated [SourceDisksNames], so the test's copy of the INF adds one.
    platform::createFolder(platform::joinPath(unpacked, "i386"));
    platform::renameFile(platform::joinPath(unpacked, "NamesApp.cab"), platform::joinPath(unpacked, "i386\\NamesApp.cab"));
    const std::string diskLine = "1=\"NamesAppProgramFiles\",\"NamesApp.cab\",,\"i386\"\r\n";
    std::string testInf = inf;
    const std::size_t disks = testInf.find("[SourceDisksNames.x86]\r\n" + diskLine);
    ASSERT_NE(disks, std::string::npos);
    testInf.insert(disks, "[SourceDisksNames]\r\n" + diskLine + "\r\n");
    const std::string infPath = platform::joinPath(unpacked, "NamesAppTest.inf");
    platform::writeFileAtomic(infPath, testInf);

    const std::string programFiles = platform::environmentVariable("ProgramFiles");
    const std::string commonFiles = platform::environmentVariable("CommonProgramFiles");
    ASSERT_FALSE(programFiles.empty() || commonFiles.empty());
    std::map<std::string, std::string> expected;
    for (const auto& [relative, bytes] : appFiles) expected[programFiles + "\\TolvaneNames\\" + relative] = bytes;
    expected[programFiles + "\\bin\\one.dll"] = "one in Program Files";
    expected[commonFiles + "\\bin\\two.dll"] = "two in Common Files";
    const std::vector<std::string> misplaced = {programFiles + "\\TolvaneNames\\a.b\\y.txt",
                                                programFiles + "\\bin\\two.dll", commonFiles + "\\bin\\one.dll"};
    const auto removeInstalled = [&] {
        for (const auto& entry : expected)
            if (platform::fileExists(entry.first)) platform::deleteFile(entry.first);
        for (const auto& path : misplaced)
            if (platform::fileExists(path)) platform::deleteFile(path);
        if (platform::folderExists(programFiles + "\\TolvaneNames"))
            platform::removeFolderTree(programFiles + "\\TolvaneNames");
        for (const std::string& bin : {programFiles + "\\bin", commonFiles + "\\bin"}) {
            if (!platform::folderExists(bin)) continue;
            const platform::FolderListing left = platform::listFolder(bin);
            if (left.files.empty() && left.folders.empty()) platform::removeFolderTree(bin);
        }
    };
    removeInstalled();  // what an earlier run may have left

    platform::ChildProcess setup = platform::ChildProcess::start(
        "rundll32.exe setupapi.dll,InstallHinfSection DefaultInstall 128 " + infPath, platform::kHidden);
    for (int waited = 0; setup.isAlive() && waited < 1200; ++waited) setup.waitBriefly(100);
    ASSERT_FALSE(setup.isAlive()) << "the setup engine did not finish in two minutes (a dialog may be waiting)";

    for (const auto& [path, bytes] : expected) {
        ASSERT_TRUE(platform::fileExists(path)) << path << " was not installed";
        EXPECT_EQ(platform::readFile(path), bytes) << path;
    }
    for (const auto& path : misplaced) EXPECT_FALSE(platform::fileExists(path)) << path << ": installed in the wrong place";
    removeInstalled();
}

}  // namespace
