// File collection: every list the scan fills, line for line, for real trees
// on disk; the staged-name mend; INF-special names; progress; the staging
// folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "infaddon/directory_tables.h"
#include "infaddon/source_scanner.h"
#include "infaddon_test_tree.h"
#include "platform/error.h"
#include "platform/file_faults.h"
#include "platform/host.h"

namespace {

using infaddon::AddonProject;
using infaddon::BuildState;
using Lines = std::vector<std::string>;

class Scanner : public infaddontest::TempTree {
protected:
    // Adds the folder (below root) and scans every source folder of the build.
    void scan(const std::vector<std::pair<std::string, std::string>>& folders,
              const infaddon::ScanProgress& progress = {}) {
        for (const auto& [relative, dirId] : folders) project.addSourceFolder(at(relative), dirId);
        state.resetAtStart();
        infaddon::scanSourceFolders(project, state, progress);
    }
    Lines stagedSources() const {
        Lines out;
        for (const auto& f : state.StagedFiles) out.push_back(f.source);
        return out;
    }
    Lines stagedNames() const {
        Lines out;
        for (const auto& f : state.StagedFiles) out.push_back(f.stagedName);
        return out;
    }
    Lines sourceDiskLines() const {
        Lines out;
        for (const auto& f : state.StagedFiles) out.push_back(f.sourceDiskLine);
        return out;
    }

    AddonProject project;
    BuildState state;
};

TEST_F(Scanner, WorkedExampleFillsEveryList) {
    file("MyApp\\a.exe");
    file("MyApp\\doc\\b.txt");
    scan({{"MyApp", ""}});

    const std::string base = at("MyApp") + "\\";
    EXPECT_EQ(state.RunLog, (Lines{"查找 " + base, "■" + base + "doc\\", " " + base + "a.exe",
                                   " " + base + "doc\\b.txt"}));
    EXPECT_TRUE(state.ScanQueue.empty());
    EXPECT_EQ(state.CopySectionNames, (Lines{"MyApp.copyfile,", "MyApp.doc.copyfile,"}));
    EXPECT_EQ(state.DestinationDirLines,
              (Lines{"MyApp.copyfile = 16422,\"MyApp\"", "MyApp.doc.copyfile = 16422,\"MyApp\\doc\""}));
    EXPECT_EQ(state.RemoveDirLines, (Lines{"%16422%\\MyApp", "%16422%\\MyApp\\doc"}));
    EXPECT_EQ(state.CopySectionLines, (Lines{"", "[MyApp.copyfile]", "a.exe,MyApp_a.exe", "",
                                             "[MyApp.doc.copyfile]", "b.txt,MyApp_doc_b.txt"}));
    EXPECT_EQ(sourceDiskLines(), (Lines{"MyApp_a.exe=1", "MyApp_doc_b.txt=1"}));
    EXPECT_EQ(stagedSources(), (Lines{base + "a.exe", base + "doc\\b.txt"}));
    EXPECT_EQ(stagedNames(), (Lines{"\\MyApp_a.exe", "\\MyApp_doc_b.txt"}));
    EXPECT_EQ(state.FileCount, 2);
    EXPECT_EQ(state.ProgressLabel, "查找完毕，共找到 4 个条目其中有2个文件");
    EXPECT_EQ(state.CopyFilesList, "MyApp.copyfile,MyApp.doc.copyfile,");
}

TEST_F(Scanner, ListsBreadthFirstWithTwoLevelPaths) {
    file("App\\z.txt");
    file("App\\b\\x.txt");
    file("App\\b\\c\\y.txt");
    file("App\\a\\w.txt");
    scan({{"App", "11"}});

    const std::string base = at("App") + "\\";
    EXPECT_EQ(state.RunLog, (Lines{"查找 " + base, "■" + base + "a\\", "■" + base + "b\\", " " + base + "z.txt",
                                   " " + base + "a\\w.txt", "■" + base + "b\\c\\", " " + base + "b\\x.txt",
                                   " " + base + "b\\c\\y.txt"}));
    EXPECT_EQ(state.CopySectionNames, (Lines{"App.copyfile,", "App.a.copyfile,", "App.b.copyfile,", "App.b.c.copyfile,"}));
    EXPECT_EQ(state.DestinationDirLines.back(), "App.b.c.copyfile = 11,\"App\\b\\c\"");
    EXPECT_EQ(state.RemoveDirLines.back(), "%11%\\App\\b\\c");
    EXPECT_EQ(state.CopySectionLines,
              (Lines{"", "[App.copyfile]", "z.txt,App_z.txt", "", "[App.a.copyfile]", "w.txt,App_a_w.txt", "",
                     "[App.b.copyfile]", "x.txt,App_b_x.txt", "", "[App.b.c.copyfile]", "y.txt,App_b_c_y.txt"}));
    EXPECT_EQ(stagedNames(), (Lines{"\\App_z.txt", "\\App_a_w.txt", "\\App_b_x.txt", "\\App_b_c_y.txt"}));
    EXPECT_EQ(state.ProgressLabel, "查找完毕，共找到 8 个条目其中有4个文件");
}

TEST_F(Scanner, EmptyFolderGetsItsHeaderAndDestinationLines) {
    folder("Empty");
    scan({{"Empty", ""}});
    EXPECT_EQ(state.RunLog, (Lines{"查找 " + at("Empty") + "\\"}));
    EXPECT_EQ(state.CopySectionNames, (Lines{"Empty.copyfile,"}));
    EXPECT_EQ(state.DestinationDirLines, (Lines{"Empty.copyfile = 16422,\"Empty\""}));
    EXPECT_EQ(state.RemoveDirLines, (Lines{"%16422%\\Empty"}));
    EXPECT_EQ(state.CopySectionLines, (Lines{"", "[Empty.copyfile]"}));
    EXPECT_TRUE(state.StagedFiles.empty());
    EXPECT_EQ(state.FileCount, 0);
    EXPECT_EQ(state.ProgressLabel, "查找完毕，共找到 1 个条目其中有0个文件");
}

TEST_F(Scanner, StartPathWithItsBackslashIsTakenAsItStands) {
    file("App\\doc\\a.txt");
    project.addSourceFolder(at("App") + "\\", "");
    state.resetAtStart();
    infaddon::scanSourceFolders(project, state);
    const std::string base = at("App") + "\\";
    EXPECT_EQ(state.RunLog, (Lines{"查找 " + base, "■" + base + "doc\\", " " + base + "doc\\a.txt"}));
    EXPECT_EQ(state.CopySectionNames, (Lines{"App.copyfile,", "App.doc.copyfile,"}));
    EXPECT_EQ(stagedNames(), (Lines{"\\App_doc_a.txt"}));
}

TEST_F(Scanner, TwoSourceFoldersShareTheListsAndCounts) {
    file("One\\a.txt");
    file("Two\\b.txt");
    file("Two\\c.txt");
    scan({{"One", ""}, {"Two", infaddon::dirIdForSelection(26)}});  // the row "x" is a code like any other

    EXPECT_EQ(state.CopySectionNames, (Lines{"One.copyfile,", "Two.copyfile,"}));
    EXPECT_EQ(state.DestinationDirLines, (Lines{"One.copyfile = 16422,\"One\"", "Two.copyfile = x,\"Two\""}));
    EXPECT_EQ(state.RemoveDirLines, (Lines{"%16422%\\One", "%x%\\Two"}));
    EXPECT_EQ(state.CopySectionLines, (Lines{"", "[One.copyfile]", "a.txt,One_a.txt", "", "[Two.copyfile]",
                                             "b.txt,Two_b.txt", "c.txt,Two_c.txt"}));
    EXPECT_EQ(state.FileCount, 3);
    EXPECT_EQ(state.RunLog.size(), 5u);
    EXPECT_EQ(state.ProgressLabel, "查找完毕，共找到 5 个条目其中有3个文件");
    EXPECT_EQ(state.CopyFilesList, "One.copyfile,Two.copyfile,");
}

TEST_F(Scanner, DotsAndUnderscoresStayInSectionAndStagedNames) {
    file("My.App_1\\s.d_x\\f_g.h.txt");
    file("My.App_1\\a.exe");
    scan({{"My.App_1", "-1"}});
    EXPECT_EQ(state.CopySectionNames, (Lines{"My.App_1.copyfile,", "My.App_1.s.d_x.copyfile,"}));
    EXPECT_EQ(state.DestinationDirLines[1], "My.App_1.s.d_x.copyfile = -1,\"My.App_1\\s.d_x\"");
    EXPECT_EQ(state.CopySectionLines, (Lines{"", "[My.App_1.copyfile]", "a.exe,My.App_1_a.exe", "",
                                             "[My.App_1.s.d_x.copyfile]", "f_g.h.txt,My.App_1_s.d_x_f_g.h.txt"}));
    EXPECT_EQ(sourceDiskLines(), (Lines{"My.App_1_a.exe=1", "My.App_1_s.d_x_f_g.h.txt=1"}));
}

TEST_F(Scanner, MissingStartFolderGivesItsLineAndTheBuildGoesOn) {
    file("Real\\a.txt");
    scan({{"Gone", ""}, {"Real", ""}});
    const std::string gone = at("Gone") + "\\";
    EXPECT_EQ(state.RunLog, (Lines{"查找 " + gone, "起始目录不存在：" + gone, "查找 " + at("Real") + "\\",
                                   " " + at("Real") + "\\a.txt"}));
    EXPECT_EQ(state.CopySectionNames, (Lines{"Real.copyfile,"}));
    EXPECT_EQ(state.RemoveDirLines, (Lines{"%16422%\\Real"}));
    EXPECT_TRUE(state.ScanQueue.empty());
    EXPECT_EQ(state.FileCount, 1);
}

TEST_F(Scanner, SameFileNameInTwoFoldersGetsTwoStagedNames) {
    file("App\\a.txt");
    file("App\\doc\\a.txt");
    scan({{"App", ""}});
    EXPECT_EQ(stagedNames(), (Lines{"\\App_a.txt", "\\App_doc_a.txt"}));
}

// Flat staged names coincide for a_b\c.txt and a\b_c.txt, and for names that
// differ only in letter case: each later file gets its own name, keeping its
// extension, in the copy line, the source-disk line and the staged file alike.
TEST_F(Scanner, CoincidingStagedNamesAreMadeUnique) {
    file("App\\a\\b_c.txt", "first");
    file("App\\a_b\\c.txt", "second");
    file("App\\doc_X.TXT");
    file("App\\Doc\\x.txt");
    file("App\\Doc\\README");
    file("App\\Doc_README");
    scan({{"App", ""}});

    EXPECT_EQ(stagedNames(), (Lines{"\\App_Doc_README", "\\App_doc_X.TXT", "\\App_a_b_c.txt", "\\App_a_b_c(2).txt",
                                    "\\App_Doc_README(2)", "\\App_Doc_x(2).txt"}));
    EXPECT_EQ(sourceDiskLines(), (Lines{"App_Doc_README=1", "App_doc_X.TXT=1", "App_a_b_c.txt=1",
                                        "App_a_b_c(2).txt=1", "App_Doc_README(2)=1", "App_Doc_x(2).txt=1"}));
    EXPECT_EQ(stagedSources()[3], at("App") + "\\a_b\\c.txt");
    EXPECT_EQ(state.CopySectionLines,
              (Lines{"", "[App.copyfile]", "Doc_README,App_Doc_README", "doc_X.TXT,App_doc_X.TXT", "",
                     "[App.a.copyfile]", "b_c.txt,App_a_b_c.txt", "", "[App.a_b.copyfile]", "c.txt,App_a_b_c(2).txt",
                     "", "[App.Doc.copyfile]", "README,App_Doc_README(2)", "x.txt,App_Doc_x(2).txt"}));
}

TEST_F(Scanner, StagedNamesStayUniqueAcrossSourceFolders) {
    file("one\\App\\a.txt");
    file("two\\App\\A.txt");
    scan({{"one\\App", ""}, {"two\\App", "11"}});
    EXPECT_EQ(stagedNames(), (Lines{"\\App_a.txt", "\\App_A(2).txt"}));
    EXPECT_EQ(state.CopySectionLines.back(), "A.txt,App_A(2).txt");
}

// Names INF syntax would misread are quoted and escaped so that the setup
// engine reads the real names back; section headers stay as they are.
TEST_F(Scanner, InfSpecialNamesAreQuotedAndEscaped) {
    file("My,App\\x;y\\a=b.txt");
    file("My,App\\100%.txt");
    file("My,App\\ lead.txt");
    file("My,App\\plain.txt");
    scan({{"My,App", ""}});

    EXPECT_EQ(state.CopySectionNames, (Lines{"\"My,App.copyfile\",", "\"My,App.x;y.copyfile\","}));
    EXPECT_EQ(state.DestinationDirLines, (Lines{"\"My,App.copyfile\" = 16422,\"My,App\"",
                                                "\"My,App.x;y.copyfile\" = 16422,\"My,App\\x;y\""}));
    EXPECT_EQ(state.RemoveDirLines, (Lines{"\"%16422%\\My,App\"", "\"%16422%\\My,App\\x;y\""}));
    EXPECT_EQ(state.CopySectionLines,
              (Lines{"", "[My,App.copyfile]", "\" lead.txt\",\"My,App_ lead.txt\"", "100%%.txt,\"My,App_100%%.txt\"",
                     "plain.txt,\"My,App_plain.txt\"", "", "[My,App.x;y.copyfile]", "\"a=b.txt\",\"My,App_x;y_a=b.txt\""}));
    EXPECT_EQ(sourceDiskLines(), (Lines{"\"My,App_ lead.txt\"=1", "\"My,App_100%%.txt\"=1", "\"My,App_plain.txt\"=1",
                                        "\"My,App_x;y_a=b.txt\"=1"}));
    // The staged file itself carries the real name.
    EXPECT_EQ(stagedNames()[1], "\\My,App_100%.txt");
    EXPECT_EQ(state.CopyFilesList, "\"My,App.copyfile\",\"My,App.x;y.copyfile\",");
}

// Copy-section names: one per destination. A later folder whose derived name
// another folder with another destination already has gets "(2)", "(3)",
// ... before ".copyfile", in CopyFiles, DestinationDirs and its header alike.
TEST_F(Scanner, FoldersWithOneDerivedNameGetSectionsOfTheirOwn) {
    file("App\\a.b\\x.txt");
    file("App\\a\\b\\y.txt");
    scan({{"App", ""}});
    EXPECT_EQ(state.CopySectionNames,
              (Lines{"App.copyfile,", "App.a.copyfile,", "App.a.b.copyfile,", "App.a.b(2).copyfile,"}));
    EXPECT_EQ(state.DestinationDirLines,
              (Lines{"App.copyfile = 16422,\"App\"", "App.a.copyfile = 16422,\"App\\a\"",
                     "App.a.b.copyfile = 16422,\"App\\a.b\"", "App.a.b(2).copyfile = 16422,\"App\\a\\b\""}));
    EXPECT_EQ(state.CopySectionLines,
              (Lines{"", "[App.copyfile]", "", "[App.a.copyfile]", "", "[App.a.b.copyfile]", "x.txt,App_a.b_x.txt", "",
                     "[App.a.b(2).copyfile]", "y.txt,App_a_b_y.txt"}));
    EXPECT_EQ(state.CopyFilesList, "App.copyfile,App.a.copyfile,App.a.b.copyfile,App.a.b(2).copyfile,");
}

TEST_F(Scanner, SourceFoldersWithOneNameAndAnotherCodeOrCaseGetSectionsOfTheirOwn) {
    file("x\\bin\\one.dll");
    file("y\\bin\\two.dll");
    file("p\\App\\a.txt");
    file("q\\app\\b.txt");
    // The same folder twice with the same code keeps its duplicate lines.
    scan({{"x\\bin", "10"}, {"y\\bin", "11"}, {"x\\bin", "10"}, {"p\\App", ""}, {"q\\app", ""}});
    EXPECT_EQ(state.CopySectionNames,
              (Lines{"bin.copyfile,", "bin(2).copyfile,", "bin.copyfile,", "App.copyfile,", "app(2).copyfile,"}));
    EXPECT_EQ(state.DestinationDirLines,
              (Lines{"bin.copyfile = 10,\"bin\"", "bin(2).copyfile = 11,\"bin\"", "bin.copyfile = 10,\"bin\"",
                     "App.copyfile = 16422,\"App\"", "app(2).copyfile = 16422,\"app\""}));
    EXPECT_EQ(state.CopySectionLines,
              (Lines{"", "[bin.copyfile]", "one.dll,bin_one.dll", "", "[bin(2).copyfile]", "two.dll,bin_two.dll", "",
                     "[bin.copyfile]", "one.dll,bin_one(2).dll", "", "[App.copyfile]", "a.txt,App_a.txt", "",
                     "[app(2).copyfile]", "b.txt,app_b.txt"}));
    EXPECT_EQ(state.RemoveDirLines,
              (Lines{"%10%\\bin", "%11%\\bin", "%10%\\bin", "%16422%\\App", "%16422%\\app"}));
}

// The setup engine ends a section name at the first "]" and rejects names
// over 255 characters: the internal names hold no "]" and are cut to fit,
// while DestinationDirs keeps the folder's real name.
TEST_F(Scanner, SectionNamesHoldNoBracketAndFitTheLimit) {
    file("App\\Docs [EN]\\read.txt");
    const std::string longName(200, 'a');
    const std::string tail(100, 'b');
    file("App\\" + longName + "\\" + tail + "1\\one.txt");
    file("App\\" + longName + "\\" + tail + "2\\two.txt");
    scan({{"App", ""}});
    ASSERT_EQ(state.CopySectionNames.size(), 5u);
    EXPECT_EQ(state.CopySectionNames[2], "App.Docs [EN_.copyfile,");
    EXPECT_EQ(state.DestinationDirLines[2], "App.Docs [EN_.copyfile = 16422,\"App\\Docs [EN]\"");
    const auto header = std::find(state.CopySectionLines.begin(), state.CopySectionLines.end(), "[App.Docs [EN_.copyfile]");
    ASSERT_NE(header, state.CopySectionLines.end());
    EXPECT_EQ(*(header + 1), "read.txt,App_Docs [EN]_read.txt");

    const std::string cut = ("App." + longName + "." + tail).substr(0, 239);
    EXPECT_EQ(state.CopySectionNames[1], "App." + longName + ".copyfile,") << "short enough: unchanged";
    EXPECT_EQ(state.CopySectionNames[3], cut + ".copyfile,");
    EXPECT_EQ(state.CopySectionNames[4], cut + "(2).copyfile,");
    EXPECT_EQ(state.DestinationDirLines[4], cut + "(2).copyfile = 16422,\"App\\" + longName + "\\" + tail + "2\"");
    for (const std::string& name : state.CopySectionNames) EXPECT_LE(name.size() - 1, 255u) << name;
    EXPECT_NE(std::find(state.CopySectionLines.begin(), state.CopySectionLines.end(), "[" + cut + "(2).copyfile]"),
              state.CopySectionLines.end());
}

// A line that begins with "[" is a section header to the setup engine: such
// names are quoted where they begin a line.
TEST_F(Scanner, NamesBeginningWithABracketAreQuotedWhereTheyBeginALine) {
    file("[x]\\[1] intro.txt");
    scan({{"[x]", ""}});
    EXPECT_EQ(state.CopySectionNames, (Lines{"\"[x_.copyfile\","}));
    EXPECT_EQ(state.DestinationDirLines, (Lines{"\"[x_.copyfile\" = 16422,\"[x]\""}));
    EXPECT_EQ(state.CopySectionLines, (Lines{"", "[[x_.copyfile]", "\"[1] intro.txt\",\"[x]_[1] intro.txt\""}));
    EXPECT_EQ(sourceDiskLines(), (Lines{"\"[x]_[1] intro.txt\"=1"}));
}

// Folders whose names differ only in letter case (a POSIX disk can hold both).
TEST_F(Scanner, SubfoldersDifferingInCaseGetSectionsOfTheirOwn) {
    if (platform::kWindowsHost) GTEST_SKIP() << "a Windows disk cannot hold two names that differ only in case";
    file("App\\Doc\\a.txt");
    file("App\\doc\\b.txt");
    scan({{"App", ""}});
    EXPECT_EQ(state.CopySectionNames, (Lines{"App.copyfile,", "App.Doc.copyfile,", "App.doc(2).copyfile,"}));
    EXPECT_EQ(state.DestinationDirLines[2], "App.doc(2).copyfile = 16422,\"App\\doc\"");
    EXPECT_EQ(state.CopySectionLines.back(), "b.txt,App_doc_b.txt");
    EXPECT_EQ(state.CopySectionLines[state.CopySectionLines.size() - 2], "[App.doc(2).copyfile]");
}

TEST_F(Scanner, PercentInFolderNamesIsDoubled) {
    file("App\\50%\\a.txt");
    scan({{"App", ""}});
    EXPECT_EQ(state.CopySectionNames[1], "App.50%%.copyfile,");
    EXPECT_EQ(state.DestinationDirLines[1], "App.50%%.copyfile = 16422,\"App\\50%%\"");
    EXPECT_EQ(state.RemoveDirLines[1], "\"%16422%\\App\\50%%\"");
    EXPECT_EQ(state.CopySectionLines[3], "[App.50%.copyfile]");
    EXPECT_EQ(state.CopySectionLines[4], "a.txt,App_50%%_a.txt");
}

// Names Windows cannot hold, but a POSIX disk can.
// A trailing blank is quoted; a name with a character Windows names cannot
// hold could never be installed, so the scan refuses it, naming the file.
TEST_F(Scanner, QuotesAndTrailingBlanksAreQuotedToo) {
    if (platform::kWindowsHost) GTEST_SKIP() << "a Windows disk cannot hold these names";
    file("App\\tail .txt ");
    scan({{"App", ""}});
    EXPECT_EQ(state.CopySectionLines, (Lines{"", "[App.copyfile]", "\"tail .txt \",\"App_tail .txt \""}));

    int n = 0;
    for (const char* name : {"say \"hi\".txt", "a*b.txt", "a?b", "a<b>", "a|b", "a:b", "tab\there"}) {
        const std::string folder = "Bad" + std::to_string(++n);
        platform::createFolders(at(folder));
        platform::writeFileAtomic(at(folder) + "/" + name, "x");
        try {
            scan({{folder, ""}});
            ADD_FAILURE() << name << " was not refused";
        } catch (const platform::Error& e) {
            EXPECT_NE(std::string(e.what()).find(at(folder) + "\\" + name), std::string::npos) << e.what();
            // In the built-in texts: the scan is given no language here.
            EXPECT_EQ(std::string(e.what()).rfind("文件 " + at(folder) + "\\" + name + " 的名字含有 Windows 文件名不能含有的字符 ", 0),
                      0u)
                << e.what();
        }
        project.SourceFolders.clear();
    }
    // A folder too: its files could not be installed below it.
    platform::createFolders(at("Quoted/say \"so\""));
    project.SourceFolders.clear();
    try {
        scan({{"Quoted", ""}});
        ADD_FAILURE() << "the folder was not refused";
    } catch (const platform::Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("文件夹 " + at("Quoted") + "\\say \"so\"\\ 的名字", 0), 0u) << e.what();
    }
}

TEST_F(Scanner, ProgressRunsEvery99ItemsAndRestartsPerSourceFolder) {
    // 1 subfolder + 97 files in the first tree: 98 items, no progress step.
    file("Small\\sub\\keep.txt");
    for (int i = 0; i < 96; ++i) file("Small\\f" + std::to_string(100 + i) + ".txt");
    // 2 subfolders + 196 files: steps at the 99th and the 198th item.
    folder("Big\\s1");
    folder("Big\\s2");
    for (int i = 0; i < 196; ++i) file("Big\\f" + std::to_string(100 + i) + ".txt");

    std::vector<std::string> labels;
    scan({{"Small", ""}, {"Big", ""}}, [&] { labels.push_back(state.ProgressLabel); });

    // Small's RunLog has 1 + 1 + 97 lines; Big's start line comes next.
    // Big's 99th item is its 97th file: 100 + 1 + 2 + 96 lines are logged before it.
    const std::string big = at("Big") + "\\";
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0], "已找到 " + std::to_string(99 + 1 + 2 + 96) + " 个：" + big);
    EXPECT_EQ(labels[1], "已找到 " + std::to_string(99 + 1 + 2 + 195) + " 个：" + big);
    EXPECT_EQ(state.ProgressLabel, "查找完毕，共找到 298 个条目其中有293个文件");
}

TEST_F(Scanner, AnEntryThatCannotBeReadEndsTheScanWithAnErrorNamingIt) {
    file("App\\locked\\a.txt");
    file("App\\b.txt");
    file("App\\c.txt");
    {
        platform::FileFaults faults;
        faults.refuse(platform::FileOperation::List, "App\\locked");
        try {
            scan({{"App", ""}});
            ADD_FAILURE() << "the scan went on past a folder it cannot list";
        } catch (const platform::Error& e) {
            EXPECT_NE(std::string(e.what()).find("locked"), std::string::npos) << e.what();
        }
    }
    // A file the system cannot examine (no permission, a name too long) is
    // not left out of the package as if it were not there.
    state = BuildState();
    platform::FileFaults faults;
    faults.refuse(platform::FileOperation::Examine, "App\\c.txt", "File name too long");
    try {
        scan({{"App", ""}});
        ADD_FAILURE() << "the scan left out a file it cannot examine";
    } catch (const platform::Error& e) {
        EXPECT_NE(std::string(e.what()).find("c.txt\": File name too long."), std::string::npos) << e.what();
    }
}

class StagingFolder : public infaddontest::TempTree {};

TEST_F(StagingFolder, CountsUpPastLeftoverFolders) {
    BuildState state;
    EXPECT_EQ(infaddon::CreateStagingFolder(root, state), root + "\\提取文件");
    EXPECT_EQ(state.StagingFolder, root + "\\提取文件");
    EXPECT_TRUE(platform::folderExists(root + "\\提取文件"));
    EXPECT_EQ(infaddon::CreateStagingFolder(root, state), root + "\\提取文件(1)");
    EXPECT_EQ(infaddon::CreateStagingFolder(root + "\\", state), root + "\\提取文件(2)");
    EXPECT_EQ(state.StagingFolder, root + "\\提取文件(2)");
    EXPECT_EQ(entriesOf(""), (Lines{"提取文件", "提取文件(1)", "提取文件(2)"}));
}

}  // namespace
