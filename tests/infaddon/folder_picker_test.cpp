// The INF builder's folder picker on a real folder tree: the tree's lines,
// opening folders up and down, drives that cannot be read, and what Add
// takes from the open folder.
#include <gtest/gtest.h>

#include "infaddon/folder_picker.h"
#include "infaddon/inf_builder.h"
#include "platform/file_system.h"
#include "tests/support/fake_user_interface.h"

using namespace infaddon;

namespace {

class FolderPicking : public ::testing::Test {
protected:
    void SetUp() override {
        root = platform::makeTemporaryFolder("tolvane-picker");
        platform::createFolders(platform::joinPath(root, "soft\\My App\\bin"));
        platform::createFolders(platform::joinPath(root, "soft\\Zeta"));
        platform::createFolders(platform::joinPath(root, "soft\\alpha"));
        platform::writeFileAtomic(platform::joinPath(root, "soft\\file.txt"), "not a folder");
        soft = platform::joinPath(root, "soft");
    }
    void TearDown() override { platform::removeFolderTree(root); }

    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& line : builder.picker.tree) out.push_back(line.name);
        return out;
    }
    std::size_t lineNamed(const std::string& name) const {
        for (std::size_t i = 0; i < builder.picker.tree.size(); ++i)
            if (builder.picker.tree[i].name == name) return i;
        ADD_FAILURE() << name << " is not in the tree";
        return 0;
    }

    std::string root, soft;
    InfBuilder builder;
    testsupport::FakeUserInterface ui;
};

TEST(FolderTreeRoots, DriveLettersAndSeparators) {
    EXPECT_EQ(rootOf("D:\\Tools\\App"), "D:\\");
    EXPECT_EQ(rootOf("d:"), "d:\\");
    EXPECT_EQ(rootOf("/home/user"), "/");
    EXPECT_EQ(rootOf("relative\\path"), "");
    EXPECT_EQ(driveIndexOf({"C:\\", "D:\\"}, "d:\\"), 1u);
    EXPECT_EQ(driveIndexOf({"C:\\", "D:\\"}, "E:\\"), 2u);
}

TEST_F(FolderPicking, TheTreeShowsThePathDownToTheOpenFolderThenItsSubfoldersInNameOrder) {
    loadFolderPicker(builder, ui, soft + "\\");
    EXPECT_EQ(builder.openFolder, soft) << "no trailing separator";
    ASSERT_FALSE(builder.picker.drives.empty());
    const auto& tree = builder.picker.tree;
    const std::size_t open = builder.picker.openLine;
    ASSERT_LT(open, tree.size());
    EXPECT_EQ(tree[open].name, "soft");
    EXPECT_EQ(tree[open].path, soft);
    EXPECT_EQ(tree[0].depth, 0);
    EXPECT_EQ(tree[0].path, rootOf(soft));
    for (std::size_t i = 0; i <= open; ++i) {
        EXPECT_TRUE(tree[i].onPath);
        EXPECT_EQ(tree[i].depth, static_cast<int>(i));
    }
    // Subfolders only (no file), one level deeper, letter case ignored in the order.
    const std::vector<std::string> all = names();
    EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(open) + 1, all.end()),
              (std::vector<std::string>{"alpha", "My App", "Zeta"}));
    for (std::size_t i = open + 1; i < tree.size(); ++i) {
        EXPECT_FALSE(tree[i].onPath);
        EXPECT_EQ(tree[i].depth, tree[open].depth + 1);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FolderPicking, OpeningASubfolderAndAnAncestorMovesTheOpenFolderAndAddTakesIt) {
    loadFolderPicker(builder, ui, soft);
    openTreeFolder(builder, ui, lineNamed("My App"));
    EXPECT_EQ(builder.openFolder, platform::joinPath(soft, "My App"));
    EXPECT_EQ(names().back(), "bin");
    addSourceFolder(builder, ui, std::nullopt);
    ASSERT_EQ(builder.project.SourceFolders.size(), 1u);
    EXPECT_EQ(builder.project.SourceFolders[0].folder, platform::joinPath(soft, "My App"));
    EXPECT_EQ(builder.project.SourceFolders[0].dirId, kDefaultDirId);

    openTreeFolder(builder, ui, lineNamed("soft"));
    EXPECT_EQ(builder.openFolder, soft);
    openTreeFolder(builder, ui, 0);
    EXPECT_EQ(builder.openFolder, rootOf(soft)) << "a root keeps its separator";
    EXPECT_EQ(builder.picker.openLine, 0u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FolderPicking, AFolderThatWentAwayGivesAMessageAndTheTreeStays) {
    loadFolderPicker(builder, ui, soft);
    const std::size_t zeta = lineNamed("Zeta");
    platform::removeFolderTree(platform::joinPath(soft, "Zeta"));
    const auto before = names();
    openTreeFolder(builder, ui, zeta);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Zeta"), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(builder.openFolder, soft);
    EXPECT_EQ(names(), before);
}

TEST_F(FolderPicking, ADriveThatIsNotReadyGivesItsMessageAndThePickerStays) {
    loadFolderPicker(builder, ui, soft);
    builder.picker.drives.push_back("?:\\");  // a drive no system can read
    const std::size_t drive = builder.picker.drive;
    const auto before = names();
    chooseDrive(builder, ui, builder.picker.drives.size() - 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, driveNotReadyMessage(ui, "?:\\"));
    EXPECT_NE(ui.messages[0].text.find("?:\\"), std::string::npos);
    EXPECT_EQ(builder.picker.drive, drive);
    EXPECT_EQ(builder.openFolder, soft);
    EXPECT_EQ(names(), before);
}

TEST_F(FolderPicking, AStartFolderThatCannotBeListedOpensAReadyDriveInstead) {
    loadFolderPicker(builder, ui, platform::joinPath(root, "missing"));
    ASSERT_FALSE(builder.picker.tree.empty());
    EXPECT_EQ(builder.openFolder, builder.picker.drives[builder.picker.drive]);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
