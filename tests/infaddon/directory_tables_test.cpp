// The two pick tables: their size, order, the rows the builder relies on,
// and the lookups behind the description labels and the Add command.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "infaddon/addon_project.h"
#include "infaddon/directory_tables.h"

namespace {

using infaddon::DirIdTable;
using infaddon::SetupDirTable;

std::string row(const infaddon::DirTableRow& r) { return std::string(r.code) + "|" + r.description; }

TEST(DirectoryTables, HoldTheirRowsInTableOrder) {
    ASSERT_EQ(DirIdTable.size(), 32u);
    ASSERT_EQ(SetupDirTable.size(), 155u);

    EXPECT_EQ(row(DirIdTable[0]), "16422|Program Files(默认)");
    EXPECT_EQ(row(DirIdTable[1]), "01|定义INF文件路径");  // "01", never "1"
    EXPECT_EQ(row(DirIdTable[3]), "11|%windows%\\system32");
    EXPECT_EQ(row(DirIdTable[19]), "-1|输入完整路径");
    EXPECT_EQ(row(DirIdTable[22]), "16408|All Users\\Strrt Menu\\Programs\\Startup");
    EXPECT_EQ(row(DirIdTable[26]), "x|无效定义");
    EXPECT_EQ(row(DirIdTable[31]), "16438|All Users\\Documents\\My Pictures");

    EXPECT_EQ(row(SetupDirTable[0]), "1|\\windows\\");
    EXPECT_EQ(row(SetupDirTable[54]), "58|\\windows\\%MUI_PRIMARY_LANG_ID_DIR%");
    EXPECT_EQ(row(SetupDirTable[106]), "250|\\windows\\system32\\PreInstall\\WinSE\\wxp_x86_0804_v1");
    EXPECT_EQ(row(SetupDirTable[154]), "1981|\\windows\\Web\\Wallpaper");

    // The tail is not in numeric order, and stays as listed.
    std::string tail;
    for (std::size_t i = 146; i < 155; ++i) tail += std::string(SetupDirTable[i].code) + " ";
    EXPECT_EQ(tail, "737 204 205 220 221 243 244 248 1981 ");
}

TEST(DirectoryTables, CodesAreUniqueAndFoldersMayRepeat) {
    std::set<std::string> codes, numbers;
    for (const auto& r : DirIdTable) codes.insert(r.code);
    for (const auto& r : SetupDirTable) numbers.insert(r.code);
    EXPECT_EQ(codes.size(), 32u);
    EXPECT_EQ(numbers.size(), 155u);

    EXPECT_EQ(row(SetupDirTable[93]), "127|\\windows\\ime");
    EXPECT_EQ(row(SetupDirTable[95]), "130|\\windows\\ime");
    EXPECT_EQ(row(SetupDirTable[96]), "133|\\windows\\System32\\IME\\PINTLGNT");
    EXPECT_EQ(row(SetupDirTable[147]), "204|\\windows\\System32\\IME\\PINTLGNT");
}

TEST(DirectoryTables, DescriptionsForTheClickedPosition) {
    EXPECT_EQ(infaddon::describeDirId(0), "Program Files(默认)");
    EXPECT_EQ(infaddon::describeDirId(26), "无效定义");
    EXPECT_EQ(infaddon::describeDirId(32), std::nullopt);
    EXPECT_EQ(infaddon::describeSetupDir(95), "\\windows\\ime");
    EXPECT_EQ(infaddon::describeSetupDir(95), infaddon::describeSetupDir(93));
    EXPECT_EQ(infaddon::describeSetupDir(155), std::nullopt);
}

TEST(DirectoryTables, AddUsesTheSelectedCodeOrTheDefault) {
    EXPECT_EQ(infaddon::dirIdForSelection(std::nullopt), "16422");
    EXPECT_EQ(infaddon::dirIdForSelection(26), "x");
    EXPECT_EQ(infaddon::dirIdForSelection(19), "-1");
    EXPECT_EQ(infaddon::dirIdForSelection(1), "01");

    infaddon::AddonProject project;
    project.addSourceFolder("D:\\Tools\\MyApp", "");
    project.addSourceFolder("D:\\Tools\\MyApp", infaddon::dirIdForSelection(26));
    ASSERT_EQ(project.SourceFolders.size(), 2u);  // the same folder twice is two entries
    EXPECT_EQ(project.SourceFolders[0].dirId, "16422");
    EXPECT_EQ(project.SourceFolders[1].dirId, "x");
    project.removeSourceFolder(0);
    project.removeSourceFolder(5);  // nothing there: nothing happens
    ASSERT_EQ(project.SourceFolders.size(), 1u);
    EXPECT_EQ(project.SourceFolders[0].dirId, "x");
}

TEST(BuildStateReset, EndKeepsTheLogAndRegistryLinesAndDropsTheProjectLists) {
    infaddon::AddonProject project;
    project.addSourceFolder("D:\\App", "");
    project.addExtraFile({"C:\\t\\tool.exe", "tool.exe", "100", "2"});
    infaddon::BuildState state;
    state.RunLog = {"查找 D:\\App\\"};
    state.RegistryLines = "\r\nHKLM,\"K\",\"V\",,\"1\"";
    state.CopySectionNames = {"App.copyfile,"};
    state.StagedFiles = {{"D:\\App\\a", "\\App_a", "App_a=1"}};
    state.FileCount = 1;

    state.resetAtEnd(project);
    EXPECT_EQ(state.RunLog.size(), 1u);
    EXPECT_FALSE(state.RegistryLines.empty());
    EXPECT_TRUE(state.CopySectionNames.empty());
    EXPECT_TRUE(state.StagedFiles.empty());
    EXPECT_EQ(state.FileCount, 0);
    EXPECT_TRUE(project.SourceFolders.empty());
    EXPECT_TRUE(project.ExtraFiles.empty());

    state.resetAtStart();
    EXPECT_TRUE(state.RunLog.empty());
    EXPECT_TRUE(state.RegistryLines.empty());
}

}  // namespace
