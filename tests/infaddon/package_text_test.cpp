// The INF and the integrator entries file, byte for byte against expected
// files (code page 936, CR LF), and the code page refusal.
#include <gtest/gtest.h>

#include <string>

#include "infaddon/entries_file.h"
#include "infaddon/inf_writer.h"
#include "infaddon_test_tree.h"
#include "platform/error.h"

namespace {

using infaddon::AddonProject;
using infaddon::BuildState;

// The lists a scan of App (a.exe, doc\b.txt) gives, written out by hand.
BuildState appBuild() {
    BuildState s;
    s.PackageName = "App";
    s.PackageVersion = "1.0";
    s.CopySectionNames = {"App.copyfile,", "App.doc.copyfile,"};
    s.CopyFilesList = "App.copyfile,App.doc.copyfile,";
    s.CopySectionLines = {"", "[App.copyfile]", "a.exe,App_a.exe", "", "[App.doc.copyfile]", "b.txt,App_doc_b.txt"};
    s.DestinationDirLines = {"App.copyfile = 16422,\"App\"", "App.doc.copyfile = 16422,\"App\\doc\""};
    s.RemoveDirLines = {"%16422%\\App", "%16422%\\App\\doc"};
    s.StagedFiles = {{"D:\\App\\a.exe", "\\App_a.exe", "App_a.exe=1"},
                     {"D:\\App\\doc\\b.txt", "\\App_doc_b.txt", "App_doc_b.txt=1"}};
    return s;
}

shortcuts::Shortcuts twoShortcuts() {
    shortcuts::ShortcutEntry desktop;
    desktop.section = "[AddLink12]\r\n"
                      R"(setup.ini, progman.groups,, "App12=""%16409%""")" "\r\n"
                      R"(setup.ini, App12,,"""App"",""""""%16422%\App\a.exe"""" "",,,,""%16422%\App\"",""App""")" "\r\n";
    desktop.sectionName = "addlink12";
    desktop.deleteEntry = R"(setup.ini, progman.groups,, "App12=""%16409%""")" "\r\n"
                          R"(setup.ini, App12,,"""App"")";
    shortcuts::ShortcutEntry menu;
    menu.section = "[AddLink345]\r\n"
                   R"(setup.ini, progman.groups,, "App345=""%16407%\App""")" "\r\n"
                   R"(setup.ini, App345,,"""App Help"",""""""%16422%\App\doc\b.txt"""" "",,,,""%16422%\App\doc\"",""help""")" "\r\n";
    menu.sectionName = "addlink345";
    menu.deleteEntry = R"(setup.ini, progman.groups,, "App345=""%16407%\App""")" "\r\n"
                       R"(setup.ini, App345,,"""App Help"")";
    return {desktop, menu};
}

class PackageText : public infaddontest::TempTree {
protected:
    void SetUp() override {
        TempTree::SetUp();
        platform::setProgramFolder(root);
    }
    AddonProject project;
    BuildState state = appBuild();
};

TEST_F(PackageText, InfWithoutShortcutsOrRegistryLines) {
    infaddon::WriteInfFile(project, state);
    EXPECT_EQ(platform::readFile(at("App.inf")), infaddontest::expectedFile("App_1.0.inf"));
}

TEST_F(PackageText, InfWithTwoShortcutsAndTwoRegistryLines) {
    project.Shortcuts = twoShortcuts();
    state.RegistryLines = "\r\n" R"(HKLM,"SOFTWARE\App","Path",,"C:\Program Files\App")"
                          "\r\n" R"(HKLM,"SOFTWARE\App","Runs",0x00010001,5)";
    infaddon::WriteInfFile(project, state);
    EXPECT_EQ(platform::readFile(at("App.inf")), infaddontest::expectedFile("App_1.0_shortcuts_registry.inf"));
}

TEST_F(PackageText, UpdateInisFollowsTheFirstSectionName) {
    project.Shortcuts = twoShortcuts();
    const std::string both = infaddon::infFileText(project, state, "");
    EXPECT_NE(both.find("UpdateInis      = addlink12,addlink345\r\n"), std::string::npos);

    // An empty first name empties the list, later names notwithstanding.
    project.Shortcuts[0].sectionName.clear();
    const std::string text = infaddon::infFileText(project, state, "");
    EXPECT_EQ(text.find("addlink345\r\n"), std::string::npos);
    EXPECT_NE(text.find("[App]\r\nOptionDesc      = App\r\nTip             = App\r\nModes           = 0,1,2,3\r\n"
                        "CopyFiles       = App.copyfile,App.doc.copyfile,\r\nAddReg          = App.Addreg\r\n"
                        "UpdateInis      = \r\n"),
              std::string::npos);
}

TEST_F(PackageText, NothingCollectedStillGivesTheListsTheirEmptyLines) {
    BuildState empty;
    empty.PackageName = "App";
    empty.PackageVersion = "1.0";
    const std::string text = infaddon::infFileText(project, empty, "");
    EXPECT_NE(text.find("CopyFiles       = \r\n"), std::string::npos);
    EXPECT_NE(text.find("[DestinationDirs]\r\n\r\n\r\n  \r\n   \r\n  \r\n[SourceDisksFiles]\r\n\r\n\r\n  \r\n\r\n\r\n"
                        "\r\n\r\n[App.Addreg]\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("[App.DelDirs]\r\n\r\n\r\n\r\n\r\n[Strings]\r\n"), std::string::npos);
}

TEST_F(PackageText, ChineseNamesAreWrittenInCodePage936) {
    state.PackageName = "应用";
    infaddon::WriteInfFile(project, state);
    const std::string bytes = platform::readFile(at("应用.inf"));
    // 应用 is D3 A6 D3 C3 in code page 936; 准备卸载 D7 BC B1 B8 D0 B6 D4 D8.
    EXPECT_NE(bytes.find("OptionDesc      = \xD3\xA6\xD3\xC3\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("Prompt     =\"\xD7\xBC\xB1\xB8\xD0\xB6\xD4\xD8\xD3\xA6\xD3\xC3?\"\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("\xEF\xBB\xBF"), std::string::npos) << "no byte-order mark";
}

TEST_F(PackageText, EntriesFileWithoutExtraFiles) {
    EXPECT_EQ(infaddontest::cp936(infaddon::entriesFileText(project, state, "2026-12-7")),
              infaddontest::expectedFile("Entries_App.ini"));

    // The file itself carries today's date.
    infaddon::WriteEntriesFile(project, state);
    std::string expected = infaddontest::expectedFile("Entries_App.ini");
    expected.replace(expected.find("2026-12-7"), 9, platform::encodeAnsi(platform::todayShortDate()));
    EXPECT_EQ(platform::readFile(at("Entries_App.ini")), expected);
}

TEST_F(PackageText, EntriesFileWithToolExe) {
    project.Website = "http://example.com/app";
    project.addExtraFile({"C:\\extra\\tool.exe", "tool.exe", "100", "2"});
    EXPECT_EQ(infaddontest::cp936(infaddon::entriesFileText(project, state, "2026-12-7")),
              infaddontest::expectedFile("Entries_App_tool.ini"));
}

TEST_F(PackageText, ExtraFileBlocksDependOnTheFirstNameAlone) {
    project.addExtraFile({"C:\\extra\\", "", "1", "2"});
    project.addExtraFile({"C:\\extra\\b.dll", "b.dll", "1", "11"});
    const std::string text = infaddon::entriesFileText(project, state, "d");
    EXPECT_EQ(text.find("b.dll"), std::string::npos);
    EXPECT_EQ(text.find(";"), std::string::npos);

    project.ExtraFiles[0].name = "a.sys";
    const std::string both = infaddon::entriesFileText(project, state, "d");
    EXPECT_NE(both.find("a.sys = 1,,,,,,,2,0,0\r\nb.dll = 1,,,,,,,11,0,0\r\n\r\n\r\n\r\n[i386_compress]"),
              std::string::npos);
}

TEST_F(PackageText, ProgramFolderWithTrailingSeparatorGetsNoSecondOne) {
    platform::setProgramFolder(root + "\\");
    infaddon::WriteEntriesFile(project, state);
    EXPECT_TRUE(platform::fileExists(at("Entries_App.ini")));
}

// A character code page 936 cannot hold is refused: the message names it and
// the line that holds it, and nothing is written, not even beside the target.
TEST_F(PackageText, CharacterOutsideTheCodePageIsRefusedAndNothingIsWritten) {
    state.StagedFiles[1].sourceDiskLine = "App_doc_b\xED\x95\x9C.txt=1";  // Hangul, outside code page 936
    try {
        infaddon::WriteInfFile(project, state);
        FAIL() << "a character outside code page 936 was written";
    } catch (const platform::Error& e) {
        EXPECT_EQ(e.kind(), platform::ErrorKind::CodePage);
        const std::string message = e.what();
        EXPECT_NE(message.find("App.inf"), std::string::npos) << message;
        EXPECT_NE(message.find("App_doc_b\xED\x95\x9C.txt=1"), std::string::npos) << message;
        EXPECT_NE(message.find("U+D55C"), std::string::npos) << message;
    }
    EXPECT_TRUE(entriesOf("").empty());

    // An older entries file stays as it was when the new text is refused.
    platform::writeFileAtomic(at("Entries_App.ini"), "old");
    project.Website = "http://example.com/\xED\x95\x9C";
    EXPECT_THROW(infaddon::WriteEntriesFile(project, state), platform::Error);
    EXPECT_EQ(platform::readFile(at("Entries_App.ini")), "old");
    EXPECT_EQ(entriesOf(""), (std::vector<std::string>{"Entries_App.ini"}));
}

}  // namespace

namespace {

// The version is typed freely: inside the INF's quoted values a quote is
// doubled and "%" written "%%", in both registry sections; the rest of the
// INF is the same as for a plain version.
TEST_F(PackageText, AVersionWithQuotesAndPercentIsEscapedInTheInf) {
    state.PackageVersion = "1.0 \"beta\" 50%";
    const std::string text = infaddon::infFileText(project, state, "");
    const std::string displayName = R"(HKLM,"%au_un_reg%\App","DisplayName",,"App1.0 ""beta"" 50%%")" "\r\n";
    const std::string displayVersion = R"(HKLM,"%au_un_reg%\App","DisplayVersion",,"1.0 ""beta"" 50%%")" "\r\n";
    const std::size_t first = text.find(displayName + displayVersion);
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_NE(text.find(displayName + displayVersion, first + 1), std::string::npos) << "the .Delreg copy";

    BuildState plain = appBuild();
    std::string expected = infaddon::infFileText(project, plain, "");
    for (const std::string from : {"App1.0\"", ",,\"1.0\""})
        for (std::size_t at; (at = expected.find(from)) != std::string::npos;)
            expected.replace(at, from.size(), from[0] == 'A' ? "App1.0 \"\"beta\"\" 50%%\"" : ",,\"1.0 \"\"beta\"\" 50%%\"");
    EXPECT_EQ(text, expected);
}

}  // namespace
