// The INF builder window Form1 under Wine, driven through window messages
// with the dialogs answered by the test double: its controls and captions in
// each language, the folder picker, the source folders and codes, the
// advanced area, the keyboard, leaving and coming back, and whole builds
// with the project's cabinet maker and the system's cmd.exe, checked by
// unpacking the package with Wine's extrac32. Screenshots go to
// <build>/screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "infaddon/directory_tables.h"
#include "shell/message_keys.h"
#include "infaddon/inf_builder.h"
#include "infaddon/packaging_names.h"
#include "infaddon/win/inf_builder_res.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/win32/controls/list_box.h"
#include "shell/win/res/start_window_res.h"
#include "tests/shell/win/program_fixture.h"

namespace windowtest {
namespace {

using namespace infaddon;

std::string bin(const std::string& tool) { return platform::joinPath(TOLVANE_BIN_DIR, tool); }

// Copies a folder tree.
void copyTree(const std::string& from, const std::string& to) {
    platform::createFolders(to);
    const platform::FolderListing listing = platform::listFolder(from);
    for (const std::string& name : listing.files)
        platform::copyFile(platform::joinPath(from, name), platform::joinPath(to, name));
    for (const std::string& name : listing.folders) copyTree(platform::joinPath(from, name), platform::joinPath(to, name));
}

// Unpacks a cabinet with Wine's extrac32 and gives its files by name.
std::map<std::string, std::string> unpack(const std::string& cabinet, const std::string& into) {
    platform::createFolders(into);
    platform::ChildProcess process = platform::ChildProcess::start(
        "extrac32.exe /y /e /l " + platform::quoteArgument(into) + " " + platform::quoteArgument(cabinet),
        platform::kHidden);
    while (process.isAlive()) process.waitBriefly(100);
    std::map<std::string, std::string> files;
    for (const std::string& name : platform::listFolder(into).files)
        files[name] = platform::readFile(platform::joinPath(into, name));
    return files;
}

// A double click on a list line, as the mouse gives it.
void doubleClickListItem(HWND dialog, int id, int index) {
    HWND list = control(dialog, id);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
}

// A key pressed in a control, through the program's own loop (which lets
// the dialog manager turn Enter into its command).
void pressKey(HWND dialog, int id, WPARAM key) {
    HWND target = control(dialog, id);
    ::SetFocus(target);
    ::PostMessageW(target, WM_KEYDOWN, key, 0);
    ::PostMessageW(target, WM_KEYUP, key, 0);
    pumpMessages();
}

int outerHeight(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return r.bottom - r.top;
}

int dialogUnitsToPixelsY(HWND window, int units) {
    RECT r{0, 0, 0, units};
    ::MapDialogRect(window, &r);
    return r.bottom;
}

class InfBuilderWindowTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        if (IsSkipped()) return;
        apps_ = platform::joinPath(root_, "apps");
        platform::createFolders(platform::joinPath(apps_, "My App\\doc"));
        platform::createFolders(platform::joinPath(apps_, "Other"));
        platform::writeFileAtomic(platform::joinPath(apps_, "My App\\app.exe"), "program");
        platform::writeFileAtomic(platform::joinPath(apps_, "My App\\doc\\readme.txt"), "read me");
        // The folder tree opens at the current folder, as the classic one does.
        platform::setCurrentDirectory(apps_);
    }

    // Opens the tree line whose folder name is `name`.
    void openTreeFolder(const std::string& name) {
        const auto& tree = program_->infBuilder().record().picker.tree;
        for (std::size_t i = 0; i < tree.size(); ++i)
            if (tree[i].name == name) {
                doubleClickListItem(infBuilder(), IDC_FORM1_DIR1, static_cast<int>(i));
                return;
            }
        FAIL() << name << " is not in the folder tree";
    }

    int codeRow(int listId, const std::string& code) { return findListItem(infBuilder(), listId, code); }

    std::string apps_;
};

// Every control of the window with its caption: built in, and as each
// shipped language file gives it.
struct Caption {
    int id;
    const char* builtIn;
    const char* chinese;  // nullptr: the built-in text in every language
    const char* english;
};
const Caption kCaptions[] = {
    {IDC_FORM1_COMMAND5, "快捷方式", "快捷方式", "Shortcuts"},
    {IDC_FORM1_COMMAND2, "添加", "添加", "Add"},
    {IDC_FORM1_COMMAND6, "删除", "删除", "Delete"},
    {IDC_FORM1_COMMAND11, "生成", "生成", "Generate"},
    {IDC_FORM1_COMMAND9, "返回", "返回", "Back"},
    {IDC_FORM1_COMMAND3, "退出", "退出", "Exit"},
    {IDC_FORM1_CHECK1, "高级", "高级", "Advanced"},
    {IDC_FORM1_FRAME2, "软件信息", "软件信息", "Software"},
    {IDC_FORM1_LABEL5, "软件名", "软件名", "Name"},
    {IDC_FORM1_LABEL6, "版本", "版本", "Version"},
    {IDC_FORM1_LABEL7, "网站", "网站", "Web site"},
    {IDC_FORM1_TEXT1, "", nullptr, nullptr},
    {IDC_FORM1_TEXT2, "", nullptr, nullptr},
    {IDC_FORM1_TEXT5, "", nullptr, nullptr},
    {IDC_FORM1_FRAME4, "软件路径", "软件路径", "Software folder"},
    {IDC_FORM1_DRIVE1, nullptr, nullptr, nullptr},
    {IDC_FORM1_DIR1, "", nullptr, nullptr},
    {IDC_FORM1_FRAME6, "地址代码", "地址代码", "Destination code"},
    {IDC_FORM1_LIST5, "", nullptr, nullptr},
    {IDC_FORM1_FRAME1, "代码说明", "代码说明", "About the code"},
    {IDC_FORM1_LABEL1, "(默认)16422代码,系统路径:Program Files", "(默认)16422代码,系统路径:Program Files",
     "(default) code 16422, system path: Program Files"},
    {IDC_FORM1_FRAME8, "添加", "软件源路径", "Source folders"},
    {IDC_FORM1_FRAME9, "软件源路径", "软件源路径", "Source folders"},
    {IDC_FORM1_LIST7, "", nullptr, nullptr},
    {IDC_FORM1_FRAME10, "地址代码", "地址代码", "Destination code"},
    {IDC_FORM1_LIST8, "", nullptr, nullptr},
    {IDC_FORM1_FRAME5, "注册表添加", "注册表添加", "Registry file"},
    {IDC_FORM1_COMMAND7, "添加", "添加", "Add"},
    {IDC_FORM1_TEXT3, "", nullptr, nullptr},
    {IDC_FORM1_FRAME11, "运行结果", "运行结果", "Results"},
    {IDC_FORM1_LIST1, "", nullptr, nullptr},
    {IDC_FORM1_LABEL2, "准备运行", "准备运行", "Ready"},
    {IDC_FORM1_FRAME15, "高级选项,不懂就让它空着.", "高级选项,不懂就让它空着.",
     "Advanced options (leave them empty if unsure)."},
    {IDC_FORM1_FRAME14, "文件添加", "文件添加", "Add files"},
    {IDC_FORM1_FRAME16, "源文件信息", "源文件信息", "Source files"},
    {IDC_FORM1_LIST14, "", nullptr, nullptr},
    {IDC_FORM1_FRAME13, "复制代码", "复制代码", "Copy code"},
    {IDC_FORM1_LIST16, "", nullptr, nullptr},
    {IDC_FORM1_LIST17, "", nullptr, nullptr},
    {IDC_FORM1_FRAME3, "代码选项", "代码选项", "Code options"},
    {IDC_FORM1_FRAME12, "高级地址代码", "高级地址代码", "Setup folder code"},
    {IDC_FORM1_LIST18, "", nullptr, nullptr},
    {IDC_FORM1_FRAME7, "整合方式", "整合方式", "Integration mode"},
    {IDC_FORM1_OPTION2, "补丁方式=100", "补丁方式=100", "Patch=100"},
    {IDC_FORM1_OPTION1, "原文件方式=1", "原文件方式=1", "Whole file=1"},
    {IDC_FORM1_COMMAND4, "添加", "添加", "Add"},
    {IDC_FORM1_COMMAND8, "删除", "删除", "Delete"},
    {IDC_FORM1_LABEL4,
     "[dosnet_files][txtsetup_files][i386_compress]这三个字段内.并将文件整进包内.添加完请按自已的要求手动修改",
     "[dosnet_files][txtsetup_files][i386_compress]这三个字段内.并将文件整进包内.添加完请按自已的要求手动修改",
     "Adds the files to the [dosnet_files], [txtsetup_files] and [i386_compress] sections and packs them into the "
     "package. Edit those entries by hand afterwards as you need."},
    {IDC_FORM1_LABEL3, "高级地址代码说明", "高级地址代码说明", "Folder of the setup number"},
};

// Which frame holds each control: its rectangle lies inside the frame's.
const std::pair<int, int> kContainers[] = {
    {IDC_FORM1_LABEL5, IDC_FORM1_FRAME2},  {IDC_FORM1_TEXT1, IDC_FORM1_FRAME2},   {IDC_FORM1_LABEL6, IDC_FORM1_FRAME2},
    {IDC_FORM1_TEXT2, IDC_FORM1_FRAME2},   {IDC_FORM1_LABEL7, IDC_FORM1_FRAME2},  {IDC_FORM1_TEXT5, IDC_FORM1_FRAME2},
    {IDC_FORM1_DRIVE1, IDC_FORM1_FRAME4},  {IDC_FORM1_DIR1, IDC_FORM1_FRAME4},    {IDC_FORM1_LIST5, IDC_FORM1_FRAME6},
    {IDC_FORM1_LABEL1, IDC_FORM1_FRAME1},  {IDC_FORM1_FRAME9, IDC_FORM1_FRAME8},  {IDC_FORM1_LIST7, IDC_FORM1_FRAME9},
    {IDC_FORM1_FRAME10, IDC_FORM1_FRAME8}, {IDC_FORM1_LIST8, IDC_FORM1_FRAME10},  {IDC_FORM1_COMMAND7, IDC_FORM1_FRAME5},
    {IDC_FORM1_TEXT3, IDC_FORM1_FRAME5},   {IDC_FORM1_LIST1, IDC_FORM1_FRAME11},  {IDC_FORM1_LABEL2, IDC_FORM1_FRAME11},
    {IDC_FORM1_FRAME14, IDC_FORM1_FRAME15}, {IDC_FORM1_FRAME16, IDC_FORM1_FRAME14}, {IDC_FORM1_LIST14, IDC_FORM1_FRAME16},
    {IDC_FORM1_FRAME13, IDC_FORM1_FRAME14}, {IDC_FORM1_LIST16, IDC_FORM1_FRAME13}, {IDC_FORM1_LIST17, IDC_FORM1_FRAME13},
    {IDC_FORM1_FRAME3, IDC_FORM1_FRAME14},  {IDC_FORM1_FRAME12, IDC_FORM1_FRAME3},  {IDC_FORM1_LIST18, IDC_FORM1_FRAME12},
    {IDC_FORM1_FRAME7, IDC_FORM1_FRAME3},   {IDC_FORM1_OPTION2, IDC_FORM1_FRAME7},  {IDC_FORM1_OPTION1, IDC_FORM1_FRAME7},
    {IDC_FORM1_COMMAND4, IDC_FORM1_FRAME14}, {IDC_FORM1_COMMAND8, IDC_FORM1_FRAME14}, {IDC_FORM1_LABEL4, IDC_FORM1_FRAME14},
    {IDC_FORM1_LABEL3, IDC_FORM1_FRAME15},
};

RECT rectOf(HWND dialog, int id) {
    RECT r{};
    ::GetWindowRect(control(dialog, id), &r);
    return r;
}

bool inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

class InfBuilderInLanguages : public InfBuilderWindowTest, public ::testing::WithParamInterface<Shown> {
protected:
    const char* expected(const Caption& c) const {
        const std::string language = GetParam().language;
        if (language == "Chinese" && c.chinese) return c.chinese;
        if (language == "English" && c.english) return c.english;
        return c.builtIn;
    }

    // No two visible controls overlap, except a frame and what lies inside it.
    void expectNoOverlaps(HWND window, const std::string& what) {
        std::vector<HWND> children;
        for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (::IsWindowVisible(child)) children.push_back(child);
        const auto isFrame = [](HWND h) {
            return (::GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX && [&] {
                wchar_t className[32] = {};
                ::GetClassNameW(h, className, 32);
                return lstrcmpiW(className, L"Button") == 0;
            }();
        };
        for (std::size_t i = 0; i < children.size(); ++i)
            for (std::size_t j = i + 1; j < children.size(); ++j) {
                if (isFrame(children[i]) || isFrame(children[j])) continue;
                RECT a{}, b{}, both{};
                ::GetWindowRect(children[i], &a);
                ::GetWindowRect(children[j], &b);
                EXPECT_FALSE(::IntersectRect(&both, &a, &b))
                    << what << ": controls " << ::GetDlgCtrlID(children[i]) << " and " << ::GetDlgCtrlID(children[j])
                    << " overlap";
            }
    }
};

TEST_P(InfBuilderInLanguages, EveryControlIsThereInItsFrameWithItsCaptionAndShowsAllOfIt) {
    HWND form = openInfBuilder(GetParam().language);
    ASSERT_TRUE(isShown(form));
    const std::string language = GetParam().language;
    EXPECT_EQ(textOf(form), language == "Chinese"   ? "NLITETolvaneV3.3--INF整合包生成"
                            : language == "English" ? "NLITETolvaneV3.3--INF package builder"
                                                    : "INF整合包生成");
    for (const Caption& c : kCaptions) {
        ASSERT_NE(control(form, c.id), nullptr) << "control " << c.id;
        if (const char* text = expected(c)) {
            EXPECT_EQ(itemText(form, c.id), text) << "control " << c.id;
        }
    }
    EXPECT_FALSE(isChecked(form, IDC_FORM1_CHECK1));
    EXPECT_TRUE(isChecked(form, IDC_FORM1_OPTION1));
    EXPECT_FALSE(isChecked(form, IDC_FORM1_OPTION2));
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST5).size(), kDirIdRowCount);
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST5).front(), "16422");
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST18).size(), kSetupDirRowCount);
    EXPECT_FALSE(comboItems(form, IDC_FORM1_DRIVE1).empty());
    for (const auto& [inner, frame] : kContainers)
        EXPECT_TRUE(inside(rectOf(form, inner), rectOf(form, frame))) << "control " << inner << " in " << frame;

    expectTextsFit(form, "Form1");
    expectNoOverlaps(form, "Form1");
    shoot(form, "form1", GetParam());

    click(form, IDC_FORM1_CHECK1);
    pumpMessages();
    expectTextsFit(form, "Form1 advanced");
    expectNoOverlaps(form, "Form1 advanced");
    // Every control of the advanced area shows inside the window.
    RECT client{};
    ::GetClientRect(form, &client);
    ::MapWindowPoints(form, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_TRUE(inside(rectOf(form, IDC_FORM1_FRAME15), client));
    shoot(form, "form1-advanced", GetParam());
}

INSTANTIATE_TEST_SUITE_P(Languages, InfBuilderInLanguages, kShownLanguages, shownName);

TEST_F(InfBuilderWindowTest, TheFolderTreeOpensFoldersAndAddTakesTheOpenOneWithItsCode) {
    HWND form = openInfBuilder("");
    const std::vector<std::string> tree = listItems(form, IDC_FORM1_DIR1);
    ASSERT_FALSE(tree.empty());
    EXPECT_EQ(program_->infBuilder().record().openFolder, apps_);
    // The path down to the open folder, then its subfolders.
    EXPECT_NE(tree[tree.size() - 2].find("My App"), std::string::npos);
    EXPECT_NE(tree.back().find("Other"), std::string::npos);

    openTreeFolder("My App");
    const std::string myApp = platform::joinPath(apps_, "My App");
    EXPECT_EQ(program_->infBuilder().record().openFolder, myApp);
    EXPECT_NE(listItems(form, IDC_FORM1_DIR1).back().find("doc"), std::string::npos);

    // Without a code selected: 16422.
    click(form, IDC_FORM1_COMMAND2);
    // With "x" clicked: its description shows and the folder gets "x".
    pickListItem(form, IDC_FORM1_LIST5, codeRow(IDC_FORM1_LIST5, "x"));
    EXPECT_EQ(itemText(form, IDC_FORM1_LABEL1), "无效定义");
    openTreeFolder("doc");
    click(form, IDC_FORM1_COMMAND2);
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST7),
              (std::vector<std::string>{myApp, platform::joinPath(myApp, "doc")}));
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST8), (std::vector<std::string>{"16422", "x"}));
    pickListItem(form, IDC_FORM1_LIST5, 0);
    EXPECT_EQ(itemText(form, IDC_FORM1_LABEL1), "Program Files(默认)");

    // The source list scrolls sideways at least 500 pixels, and far enough for its longest line.
    HWND list7 = control(form, IDC_FORM1_LIST7);
    const int extent = static_cast<int>(::SendMessageW(list7, LB_GETHORIZONTALEXTENT, 0, 0));
    EXPECT_GE(extent, 500);
    EXPECT_GT(extent, win32::ListBox(list7).textWidth(platform::joinPath(myApp, "doc")));

    // Enter in the tree opens the selected folder, as a double click does.
    ::SendMessageW(control(form, IDC_FORM1_DIR1), LB_SETCURSEL, 0, 0);
    pressKey(form, IDC_FORM1_DIR1, VK_RETURN);
    EXPECT_EQ(program_->infBuilder().record().openFolder, platform::withoutTrailingSeparator(rootOf(apps_)));
    EXPECT_TRUE(ui_->messages.empty());
}

TEST_F(InfBuilderWindowTest, DeleteRemovesThePairSelectedInEitherList) {
    HWND form = openInfBuilder("");
    openTreeFolder("My App");
    click(form, IDC_FORM1_COMMAND2);
    click(form, IDC_FORM1_COMMAND2);
    pickListItem(form, IDC_FORM1_LIST5, codeRow(IDC_FORM1_LIST5, "-1"));
    click(form, IDC_FORM1_COMMAND2);
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST8), (std::vector<std::string>{"16422", "16422", "-1"}));

    click(form, IDC_FORM1_COMMAND6);  // nothing selected: nothing changes
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST7).size(), 3u);
    pickListItem(form, IDC_FORM1_LIST7, 0);
    click(form, IDC_FORM1_COMMAND6);
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST8), (std::vector<std::string>{"16422", "-1"}));
    pickListItem(form, IDC_FORM1_LIST8, 1);
    click(form, IDC_FORM1_COMMAND6);
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST8), std::vector<std::string>{"16422"});
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST7).size(), 1u);
    EXPECT_EQ(program_->infBuilder().record().project.SourceFolders.size(), 1u);
}

TEST_F(InfBuilderWindowTest, AdvancedAddTakesSeveralFilesWithTheModeAndTheSetupNumberAndDeleteRemovesOne) {
    HWND form = openInfBuilder("");
    click(form, IDC_FORM1_CHECK1);
    // No setup number selected: the message, nothing added.
    ui_->openFileAnswers.push_back(std::string("unused"));
    click(form, IDC_FORM1_COMMAND4);
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_EQ(ui_->messages[0].text, shell::builtInText(shell::MessageKey::InfNoSetupDir));
    EXPECT_TRUE(ui_->openRequests.empty());
    EXPECT_TRUE(listItems(form, IDC_FORM1_LIST14).empty());
    ui_->openFileAnswers.clear();

    const std::string files = platform::joinPath(root_, "extra");
    platform::createFolder(files);
    for (const char* name : {"a.dll", "b 二.sys", "c.txt"}) platform::writeFileAtomic(platform::joinPath(files, name), name);
    pickListItem(form, IDC_FORM1_LIST18, codeRow(IDC_FORM1_LIST18, "11"));
    EXPECT_EQ(itemText(form, IDC_FORM1_LABEL3), *describeSetupDir(static_cast<std::size_t>(codeRow(IDC_FORM1_LIST18, "11"))));
    click(form, IDC_FORM1_OPTION2);
    ui_->openFileAnswers.push_back(files + std::string(1, '\0') + "a.dll" + std::string(1, '\0') + "b 二.sys" +
                                   std::string(1, '\0') + "c.txt");
    click(form, IDC_FORM1_COMMAND4);
    EXPECT_EQ(ui_->messages.size(), 1u);
    ASSERT_EQ(ui_->openRequests.size(), 1u);
    EXPECT_TRUE(ui_->openRequests[0].multiSelect);
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST14),
              (std::vector<std::string>{platform::joinPath(files, "a.dll"), platform::joinPath(files, "b 二.sys"),
                                        platform::joinPath(files, "c.txt")}));
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST16), (std::vector<std::string>{"100", "100", "100"}));
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST17), (std::vector<std::string>{"11", "11", "11"}));

    click(form, IDC_FORM1_COMMAND8);  // nothing selected
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST14).size(), 3u);
    pickListItem(form, IDC_FORM1_LIST14, 1);
    click(form, IDC_FORM1_COMMAND8);
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST14),
              (std::vector<std::string>{platform::joinPath(files, "a.dll"), platform::joinPath(files, "c.txt")}));
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST16), (std::vector<std::string>{"100", "100"}));
    const auto& extra = program_->infBuilder().record().project.ExtraFiles;
    ASSERT_EQ(extra.size(), 2u);
    EXPECT_EQ(extra[1].name, "c.txt");
}

TEST_F(InfBuilderWindowTest, CheckingAdvancedGrowsTheWindowToTheLargerHeightAndClearingItReturns) {
    HWND form = openInfBuilder("");
    const int closed = outerHeight(form);
    // 5850 and 8775 twips at the classic dialog font are 240 and 360 dialog units.
    EXPECT_EQ(closed, dialogUnitsToPixelsY(form, 240));
    RECT before = rectOf(form, IDC_FORM1_COMMAND11);
    EXPECT_FALSE(isShown(control(form, IDC_FORM1_LIST14)));
    click(form, IDC_FORM1_CHECK1);
    EXPECT_EQ(outerHeight(form), dialogUnitsToPixelsY(form, 360));
    EXPECT_TRUE(isShown(control(form, IDC_FORM1_LIST14)));
    RECT after = rectOf(form, IDC_FORM1_COMMAND11);
    EXPECT_TRUE(::EqualRect(&before, &after)) << "no control moves";
    std::printf("Form1 outer height: closed %d px, advanced %d px\n", closed, outerHeight(form));
    click(form, IDC_FORM1_CHECK1);
    EXPECT_EQ(outerHeight(form), closed);
    EXPECT_FALSE(isShown(control(form, IDC_FORM1_LIST14)));
}

TEST_F(InfBuilderWindowTest, EnterInATextBoxDoesNotGenerateAndEscDoesNotClose) {
    HWND form = openInfBuilder("");
    typeText(form, IDC_FORM1_TEXT1, "App");
    pressKey(form, IDC_FORM1_TEXT1, VK_RETURN);
    pressKey(form, IDC_FORM1_TEXT2, VK_RETURN);
    pressKey(form, IDC_FORM1_TEXT1, VK_ESCAPE);
    EXPECT_TRUE(ui_->messages.empty()) << "Generate would refuse with a message";
    EXPECT_TRUE(ui_->saveRequests.empty());
    EXPECT_TRUE(ui_->confirmations.empty());
    EXPECT_TRUE(isShown(form));
    EXPECT_EQ(itemText(form, IDC_FORM1_TEXT1), "App");
}

TEST_F(InfBuilderWindowTest, TabFollowsTheLayout) {
    HWND form = openInfBuilder("");
    const int expected[] = {IDC_FORM1_TEXT1,  IDC_FORM1_TEXT2,    IDC_FORM1_TEXT5,    IDC_FORM1_TEXT3,
                            IDC_FORM1_COMMAND7, IDC_FORM1_LIST1,  IDC_FORM1_DRIVE1,   IDC_FORM1_DIR1,
                            IDC_FORM1_LIST5,  IDC_FORM1_LIST7,    IDC_FORM1_LIST8,    IDC_FORM1_CHECK1,
                            IDC_FORM1_COMMAND5, IDC_FORM1_COMMAND2, IDC_FORM1_COMMAND6, IDC_FORM1_COMMAND11,
                            IDC_FORM1_COMMAND9, IDC_FORM1_COMMAND3};
    HWND at = control(form, IDC_FORM1_TEXT1);
    for (int id : expected) {
        EXPECT_EQ(::GetDlgCtrlID(at), id);
        at = ::GetNextDlgTabItem(form, at, FALSE);
    }
    EXPECT_EQ(::GetDlgCtrlID(at), IDC_FORM1_TEXT1) << "the hidden advanced area is not in the cycle";
}

TEST_F(InfBuilderWindowTest, CancelInTheCloseConfirmationKeepsEverything) {
    HWND form = openInfBuilder("English");
    typeText(form, IDC_FORM1_TEXT1, "App");
    openTreeFolder("My App");
    click(form, IDC_FORM1_COMMAND2);
    ui_->okCancelAnswers.push_back(false);
    closeFromTitleBar(form);
    pumpMessages();
    ASSERT_EQ(ui_->confirmations.size(), 1u);
    EXPECT_EQ(ui_->confirmations[0].text, "Exit？");
    EXPECT_EQ(ui_->confirmations[0].title, "NLITETolvaneV3.3");
    EXPECT_FALSE(exitStatus_.has_value());
    EXPECT_TRUE(isShown(form));
    EXPECT_EQ(itemText(form, IDC_FORM1_TEXT1), "App");
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST7).size(), 1u);
}

TEST_F(InfBuilderWindowTest, BackAndNextKeepEveryEntry) {
    HWND form = openInfBuilder("");
    typeText(form, IDC_FORM1_TEXT1, "App");
    typeText(form, IDC_FORM1_TEXT2, "1.0");
    typeText(form, IDC_FORM1_TEXT5, "http://example.org/");
    typeText(form, IDC_FORM1_TEXT3, "C:\\app.reg");
    openTreeFolder("My App");
    click(form, IDC_FORM1_COMMAND2);
    click(form, IDC_FORM1_CHECK1);
    pickListItem(form, IDC_FORM1_LIST18, 0);
    ui_->openFileAnswers.push_back(platform::joinPath(apps_, "My App\\app.exe"));
    click(form, IDC_FORM1_COMMAND4);
    const auto snapshot = [&] {
        std::vector<std::string> all;
        for (int id : {IDC_FORM1_TEXT1, IDC_FORM1_TEXT2, IDC_FORM1_TEXT5, IDC_FORM1_TEXT3}) all.push_back(itemText(form, id));
        for (int id : {IDC_FORM1_LIST7, IDC_FORM1_LIST8, IDC_FORM1_LIST14, IDC_FORM1_LIST16, IDC_FORM1_LIST17, IDC_FORM1_DIR1})
            for (const std::string& line : listItems(form, id)) all.push_back(std::to_string(id) + line);
        all.push_back(isChecked(form, IDC_FORM1_CHECK1) ? "advanced" : "closed");
        return all;
    };
    const auto before = snapshot();
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST14).size(), 1u);

    click(form, IDC_FORM1_COMMAND9);
    EXPECT_FALSE(isShown(form));
    EXPECT_TRUE(isShown(startWindow()));
    click(startWindow(), IDC_FORMMAN_COMMAND1);
    EXPECT_EQ(infBuilder(), form) << "the same window, not a new one";
    EXPECT_TRUE(isShown(form));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(InfBuilderWindowTest, TheRegistryButtonPutsTheChosenFileInTheBoxAndCancelKeepsIt) {
    HWND form = openInfBuilder("");
    const std::string reg = platform::joinPath(apps_, "app 设置.reg");
    platform::writeFileAtomic(reg, "REGEDIT4\r\n");
    ui_->openFileAnswers.push_back(reg);
    click(form, IDC_FORM1_COMMAND7);
    ASSERT_EQ(ui_->openRequests.size(), 1u);
    EXPECT_EQ(ui_->openRequests[0].filter, shell::builtInText(shell::MessageKey::InfRegistryFileFilter));
    EXPECT_EQ(itemText(form, IDC_FORM1_TEXT3), reg);
    click(form, IDC_FORM1_COMMAND7);  // cancelled
    EXPECT_EQ(itemText(form, IDC_FORM1_TEXT3), reg);
    EXPECT_EQ(program_->infBuilder().record().project.RegFilePath, reg);
    EXPECT_TRUE(ui_->messages.empty());
}

// Whole builds from the window.
class InfBuilderGenerating : public InfBuilderWindowTest {
protected:
    void SetUp() override {
        InfBuilderWindowTest::SetUp();
        if (IsSkipped()) return;
        if (platform::findProgram(bin("makecab.exe"), {}).empty())
            GTEST_SKIP() << "the cabinet maker is not built in " TOLVANE_BIN_DIR;
        copyTree(platform::joinPath(TOLVANE_SOURCE_DIR, "examples\\HelloApp"), platform::joinPath(apps_, "HelloApp"));
        out_ = platform::joinPath(root_, "out 目录 二");
        platform::createFolder(out_);
    }

    // Fills the window as a user does and clicks Generate, looking at the
    // windows whenever the build lets them handle events.
    void generate(HWND form, const std::string& target) {
        ui_->saveFileAnswers.push_back(target);
        ui_->onPump = [this, form] {
            if (!::IsWindowEnabled(form)) disabledDuringBuild_ = true;
            const HWND busy = program_->windowUserInterface().busyWindow();
            if (busy && ::IsWindowVisible(busy)) busyShown_ = true;
        };
        click(form, IDC_FORM1_COMMAND11);
        ui_->onPump = nullptr;
    }

    std::string out_;
    bool disabledDuringBuild_ = false;
    bool busyShown_ = false;
};

TEST_F(InfBuilderGenerating, GenerateMakesThePackageShowsTheRunAndResetsTheControls) {
    HWND form = openInfBuilder("");
    typeText(form, IDC_FORM1_TEXT1, "Hello");
    typeText(form, IDC_FORM1_TEXT2, "1.0");
    typeText(form, IDC_FORM1_TEXT5, "http://example.org/");
    openTreeFolder("HelloApp");
    const std::string hello = platform::joinPath(apps_, "HelloApp");
    click(form, IDC_FORM1_COMMAND2);
    click(form, IDC_FORM1_CHECK1);
    pickListItem(form, IDC_FORM1_LIST18, codeRow(IDC_FORM1_LIST18, "11"));
    click(form, IDC_FORM1_OPTION2);
    ui_->openFileAnswers.push_back(platform::joinPath(apps_, "My App\\app.exe"));
    click(form, IDC_FORM1_COMMAND4);

    const std::string target = platform::joinPath(out_, "Hello_1.0_Addon.cab");
    generate(form, target);

    ASSERT_TRUE(platform::fileExists(target)) << (ui_->messages.empty() ? "" : ui_->messages.back().text);
    ASSERT_EQ(ui_->saveRequests.size(), 1u);
    EXPECT_EQ(ui_->saveRequests[0].initialName, "Hello_1.0_Addon.cab");
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_EQ(ui_->messages[0].text, shell::builtInText(shell::MessageKey::InfPackageMade));
    EXPECT_EQ(ui_->busyBegins, 1);
    EXPECT_EQ(ui_->busyDepth, 0);
    EXPECT_TRUE(busyShown_) << "the busy window showed during the build";
    EXPECT_TRUE(disabledDuringBuild_) << "the window was disabled during the build";
    EXPECT_TRUE(isEnabled(form));
    EXPECT_FALSE(isShown(program_->windowUserInterface().busyWindow()));

    // The package: INF, entries file, inner cabinet with every file of the example, the extra file.
    const auto top = unpack(target, platform::joinPath(root_, "unpacked"));
    std::vector<std::string> names;
    for (const auto& entry : top) names.push_back(entry.first);
    EXPECT_EQ(names, (std::vector<std::string>{"Entries_Hello.ini", "Hello.cab", "Hello.inf", "app.exe"}));
    if (top.count("Entries_Hello.ini")) {
        EXPECT_NE(top.at("Entries_Hello.ini").find("app.exe = 100,,,,,,,11,0,0"), std::string::npos);
    }
    if (top.count("Hello.inf")) {
        EXPECT_NE(top.at("Hello.inf").find("HelloApp.copyfile"), std::string::npos);
    }
    const auto inner = unpack(platform::joinPath(root_, "unpacked\\Hello.cab"), platform::joinPath(root_, "inner"));
    ASSERT_EQ(inner.size(), 4u);
    EXPECT_EQ(inner.at("HelloApp_HelloApp.exe"), platform::readFile(platform::joinPath(hello, "HelloApp.exe")));
    EXPECT_EQ(inner.at("HelloApp_readme.txt"), platform::readFile(platform::joinPath(hello, "readme.txt")));
    EXPECT_EQ(inner.at("HelloApp_bin_helper.dll"), platform::readFile(platform::joinPath(hello, "bin\\helper.dll")));
    EXPECT_EQ(inner.at("HelloApp_bin_说明.txt"), platform::readFile(platform::joinPath(hello, "bin\\说明.txt")));

    // The run log shows the scan; the label its summary.
    const std::vector<std::string> log = listItems(form, IDC_FORM1_LIST1);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], "查找 " + hello + "\\");
    EXPECT_NE(std::find(log.begin(), log.end(), " " + platform::joinPath(hello, "HelloApp.exe")), log.end());
    EXPECT_NE(std::find(log.begin(), log.end(), "■" + platform::joinPath(hello, "bin") + "\\"), log.end());
    EXPECT_EQ(itemText(form, IDC_FORM1_LABEL2),
              "查找完毕，共找到 " + std::to_string(log.size()) + " 个条目其中有4个文件");
    // What a build empties, and what it keeps.
    for (int id : {IDC_FORM1_LIST7, IDC_FORM1_LIST8, IDC_FORM1_LIST14, IDC_FORM1_LIST16, IDC_FORM1_LIST17})
        EXPECT_TRUE(listItems(form, id).empty()) << "list " << id;
    EXPECT_EQ(itemText(form, IDC_FORM1_TEXT1), "Hello");
    EXPECT_EQ(itemText(form, IDC_FORM1_TEXT2), "1.0");
    EXPECT_EQ(itemText(form, IDC_FORM1_TEXT5), "http://example.org/");
    EXPECT_TRUE(platform::listFolder(root_).files.empty()) << "no work file is left in the program folder";

    // A second build, from another folder and without extra files, carries nothing of the first.
    openTreeFolder("apps");
    openTreeFolder("My App");
    click(form, IDC_FORM1_COMMAND2);
    win32::Window(control(form, IDC_FORM1_TEXT1)).setText("Two");
    const std::string second = platform::joinPath(out_, "Two_1.0_Addon.cab");
    generate(form, second);
    ASSERT_TRUE(platform::fileExists(second)) << ui_->messages.back().text;
    const auto top2 = unpack(second, platform::joinPath(root_, "unpacked2"));
    std::vector<std::string> names2;
    for (const auto& entry : top2) names2.push_back(entry.first);
    EXPECT_EQ(names2, (std::vector<std::string>{"Entries_Two.ini", "Two.cab", "Two.inf"}));
    if (top2.count("Two.inf")) {
        EXPECT_EQ(top2.at("Two.inf").find("HelloApp"), std::string::npos);
    }
    const auto inner2 = unpack(platform::joinPath(root_, "unpacked2\\Two.cab"), platform::joinPath(root_, "inner2"));
    std::vector<std::string> innerNames;
    for (const auto& entry : inner2) innerNames.push_back(entry.first);
    EXPECT_EQ(innerNames, (std::vector<std::string>{"My App_app.exe", "My App_doc_readme.txt"}));
    const std::vector<std::string> log2 = listItems(form, IDC_FORM1_LIST1);
    ASSERT_FALSE(log2.empty());
    EXPECT_EQ(log2[0], "查找 " + platform::joinPath(apps_, "My App") + "\\");
    for (const std::string& line : log2) EXPECT_EQ(line.find("HelloApp"), std::string::npos) << line;
}

TEST_F(InfBuilderGenerating, TheRunLogAndItsLabelShowTheScanWhileItRuns) {
    const std::string many = platform::joinPath(apps_, "Many");
    platform::createFolder(many);
    for (int i = 0; i < 150; ++i)
        platform::writeFileAtomic(platform::joinPath(many, "f" + std::to_string(1000 + i) + ".txt"), "x");
    HWND form = openInfBuilder("");
    typeText(form, IDC_FORM1_TEXT1, "Many");
    typeText(form, IDC_FORM1_TEXT2, "1");
    openTreeFolder("Many");
    click(form, IDC_FORM1_COMMAND2);
    std::string labelDuringScan;
    std::size_t linesDuringScan = 0;
    ui_->saveFileAnswers.push_back(platform::joinPath(out_, "Many_1_Addon.cab"));
    ui_->onPump = [&] {
        const std::string label = itemText(form, IDC_FORM1_LABEL2);
        if (labelDuringScan.empty() && label.rfind("已找到 ", 0) == 0) {
            labelDuringScan = label;
            linesDuringScan = listItems(form, IDC_FORM1_LIST1).size();
        }
    };
    click(form, IDC_FORM1_COMMAND11);
    ui_->onPump = nullptr;
    // The 99th item of the scan: the log's line count and the folder being listed.
    EXPECT_EQ(labelDuringScan, "已找到 99 个：" + many + "\\");
    EXPECT_EQ(linesDuringScan, 99u);
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST1).size(), 151u);
    EXPECT_EQ(itemText(form, IDC_FORM1_LABEL2), "查找完毕，共找到 151 个条目其中有150个文件");
    EXPECT_TRUE(platform::fileExists(platform::joinPath(out_, "Many_1_Addon.cab")));
}

TEST_F(InfBuilderGenerating, AFailingGenerateNamesTheProblemEnablesTheWindowAndKeepsEverything) {
    HWND form = openInfBuilder("");
    typeText(form, IDC_FORM1_TEXT1, "Hello");
    typeText(form, IDC_FORM1_TEXT2, "1.0");
    openTreeFolder("HelloApp");
    click(form, IDC_FORM1_COMMAND2);
    const std::string missing = platform::joinPath(root_, "no such folder");
    generate(form, platform::joinPath(missing, "Hello_1.0_Addon.cab"));
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_NE(ui_->messages[0].text.find(missing), std::string::npos) << ui_->messages[0].text;
    EXPECT_TRUE(isEnabled(form));
    EXPECT_EQ(ui_->busyDepth, 0);
    EXPECT_FALSE(isShown(program_->windowUserInterface().busyWindow()));
    EXPECT_EQ(listItems(form, IDC_FORM1_LIST7), std::vector<std::string>{platform::joinPath(apps_, "HelloApp")});
    EXPECT_EQ(itemText(form, IDC_FORM1_TEXT1), "Hello");
    EXPECT_FALSE(platform::folderExists(missing));
}

}  // namespace
}  // namespace windowtest
