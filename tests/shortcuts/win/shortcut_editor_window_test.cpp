// The shortcut editor Form3 under Wine, driven by window messages: its
// controls and captions in each language, the place options, Add with the
// INF texts it makes, Delete, Get, Back, and closing from the title bar,
// which unloads the window and empties its lists. The INF written from the
// INF builder's project afterwards carries exactly the listed shortcuts.
#include <gtest/gtest.h>

#include <windows.h>

#include "infaddon/inf_writer.h"
#include "infaddon/win/inf_builder_res.h"
#include "shell/win/res/start_window_res.h"
#include "shortcuts/win/shortcut_editor_res.h"
#include "tests/shell/win/program_fixture.h"

namespace windowtest {
namespace {

std::string quotes(int n) { return std::string(static_cast<std::size_t>(n), '"'); }

class ShortcutEditorWindowTest : public ProgramFixture {
protected:
    HWND reopenEditor() {
        program_->openShortcutEditor();
        return program_->shortcutEditor()->handle();
    }

    const shortcuts::Shortcuts& shortcutsOfProject() { return program_->infBuilder().record().project.Shortcuts; }
    // The id Add drew for shortcut `index`: its section name is "addlink" + id.
    std::string idOf(std::size_t index) { return shortcutsOfProject().at(index).sectionName.substr(7); }

    std::string infText() {
        infaddon::BuildState build;
        build.PackageName = "App";
        build.PackageVersion = "1.0";
        return infaddon::infFileText(program_->infBuilder().record().project, build, "");
    }
};

struct Caption {
    int id;
    const char* builtIn;
    const char* english;
};
// With Chinese loaded every control shows its built-in text again.
const Caption kCaptions[] = {
    {IDC_FORM3_FRAME1, "创建选项", "Create in"},
    {IDC_FORM3_OPTION1, "桌面", "Desktop"},
    {IDC_FORM3_OPTION2, "开始菜单", "Start menu"},
    {IDC_FORM3_OPTION3, "快速启动栏", "Quick Launch bar"},
    {IDC_FORM3_FRAME2, "快捷方式参数", "Shortcut settings"},
    {IDC_FORM3_LABEL1, "目标(请填完整路径)", "Target (full path)"},
    {IDC_FORM3_LABEL2, "起始位置(请填完整路径)", "Start in (full path)"},
    {IDC_FORM3_LABEL7, "运行参数", "Arguments"},
    {IDC_FORM3_LABEL3, "快捷方式描述", "Description"},
    {IDC_FORM3_LABEL4, "快捷方式名", "Shortcut name"},
    {IDC_FORM3_LABEL5, "快捷方式所在文件夹(只限在开始菜单创建使用)", "Folder (start menu only)"},
    {IDC_FORM3_LABEL6, "", ""},
    {IDC_FORM3_COMMAND4, "获取", "Get"},
    {IDC_FORM3_FRAME3, "快捷方式", "Shortcuts"},
    {IDC_FORM3_COMMAND1, "添加", "Add"},
    {IDC_FORM3_COMMAND3, "删除", "Delete"},
    {IDC_FORM3_COMMAND2, "返回", "Back"},
    {IDC_FORM3_TEXT1, "", ""},
    {IDC_FORM3_TEXT2, "", ""},
    {IDC_FORM3_TEXT3, "", ""},
    {IDC_FORM3_TEXT4, "", ""},
    {IDC_FORM3_TEXT6, "", ""},
    {IDC_FORM3_LIST1, "", ""},
};

TEST_F(ShortcutEditorWindowTest, EveryControlWithItsCaptionInEachLanguage) {
    struct Run {
        const char* language;
        const char* title;
        bool english;
    };
    for (const Run& run : {Run{"Klingon", "添加快捷方式", false}, Run{"English", "Add shortcuts", true},
                           Run{"Chinese", "添加快捷方式", false}}) {
        SCOPED_TRACE(run.language);
        HWND form3 = openShortcutEditor(run.language, "D:\\soft\\App");
        ASSERT_TRUE(isShown(form3));
        EXPECT_FALSE(isShown(infBuilder())) << "the editor takes the INF builder's place";
        EXPECT_EQ(textOf(form3), run.title);
        for (const Caption& caption : kCaptions) {
            ASSERT_NE(control(form3, caption.id), nullptr) << caption.id;
            EXPECT_TRUE(isShown(control(form3, caption.id))) << caption.id;
            EXPECT_EQ(itemText(form3, caption.id), run.english ? caption.english : caption.builtIn) << caption.id;
        }
        // The menu folder box lies hidden under Label6 until the start menu is chosen.
        ASSERT_NE(control(form3, IDC_FORM3_TEXT5), nullptr);
        EXPECT_FALSE(isShown(control(form3, IDC_FORM3_TEXT5)));
        EXPECT_FALSE(isEnabled(control(form3, IDC_FORM3_TEXT5)));
        // The desktop is chosen when the window opens, and has the focus.
        EXPECT_TRUE(isChecked(form3, IDC_FORM3_OPTION1));
        EXPECT_FALSE(isChecked(form3, IDC_FORM3_OPTION2));
        EXPECT_FALSE(isChecked(form3, IDC_FORM3_OPTION3));
        EXPECT_EQ(::GetNextDlgTabItem(form3, nullptr, FALSE), control(form3, IDC_FORM3_OPTION1));
        endProgram();
    }
}

TEST_F(ShortcutEditorWindowTest, AddWithTheExampleMakesTheThreeTextsAndEmptiesTheBoxes) {
    HWND form3 = openShortcutEditor("English", "D:\\soft\\App");
    typeText(form3, IDC_FORM3_TEXT1, "C:\\Program Files\\App\\app.exe");
    typeText(form3, IDC_FORM3_TEXT2, "C:\\Program Files\\App\\");
    typeText(form3, IDC_FORM3_TEXT3, "app");
    typeText(form3, IDC_FORM3_TEXT4, "App");
    typeText(form3, IDC_FORM3_TEXT6, "-x");
    click(form3, IDC_FORM3_COMMAND1);

    ASSERT_EQ(shortcutsOfProject().size(), 1u);
    const std::string id = idOf(0);
    const std::string g = "App" + id;
    const std::string line2 = "setup.ini, progman.groups,, \"" + g + "=\"\"%16409%\"\"\"";
    const std::string section = "[AddLink" + id + "]\r\n" + line2 + "\r\n" + "setup.ini, " + g +
                                ",,\"\"\"App\"\",\"\"\"\"\"\"C:\\Program Files\\App\\app.exe\"\"\"\" -x\"\",,,,"
                                "\"\"C:\\Program Files\\App\\\"\",\"\"app\"\"\"\r\n";
    EXPECT_EQ(shortcutsOfProject()[0].section, section);
    EXPECT_EQ(shortcutsOfProject()[0].sectionName, "addlink" + id);
    EXPECT_EQ(shortcutsOfProject()[0].deleteEntry, line2 + "\r\nsetup.ini, " + g + ",,\"\"\"App\"\"");
    EXPECT_EQ(listItems(form3, IDC_FORM3_LIST1), (std::vector<std::string>{section}));
    // The list scrolls sideways far enough for its longest line.
    const win32::ListBox list(control(form3, IDC_FORM3_LIST1));
    EXPECT_GE(list.horizontalExtent(), 1500);

    for (int box : {IDC_FORM3_TEXT1, IDC_FORM3_TEXT2, IDC_FORM3_TEXT3, IDC_FORM3_TEXT4, IDC_FORM3_TEXT5,
                    IDC_FORM3_TEXT6})
        EXPECT_EQ(itemText(form3, box), "") << box;
    EXPECT_TRUE(isChecked(form3, IDC_FORM3_OPTION1));
    EXPECT_TRUE(ui_->messages.empty());
}

TEST_F(ShortcutEditorWindowTest, EmptyFieldsAreWrittenAsEmptyAndTheArgumentsAlwaysStartWithABlank) {
    HWND form3 = openShortcutEditor("English", "D:\\soft\\App");
    // Every field empty, start menu without a folder: the group folder is empty too.
    click(form3, IDC_FORM3_OPTION2);
    click(form3, IDC_FORM3_COMMAND1);
    // A leading blank is kept; without one, one is put in front.
    click(form3, IDC_FORM3_OPTION1);
    typeText(form3, IDC_FORM3_TEXT6, " -x");
    click(form3, IDC_FORM3_COMMAND1);
    typeText(form3, IDC_FORM3_TEXT6, "-x");
    click(form3, IDC_FORM3_COMMAND1);

    ASSERT_EQ(shortcutsOfProject().size(), 3u);
    const std::string g = "App" + idOf(0);
    EXPECT_EQ(shortcutsOfProject()[0].section,
              "[AddLink" + idOf(0) + "]\r\nsetup.ini, progman.groups,, \"" + g + "=" + quotes(5) + "\r\n" +
                  "setup.ini, " + g + ",," + quotes(5) + "," + quotes(10) + " " + quotes(2) + ",,,," + quotes(4) +
                  "," + quotes(5) + "\r\n");
    for (std::size_t i : {1u, 2u}) {
        const std::string key = "App" + idOf(i);
        EXPECT_EQ(shortcutsOfProject()[i].section,
                  "[AddLink" + idOf(i) + "]\r\nsetup.ini, progman.groups,, \"" + key + "=\"\"%16409%\"\"\"\r\n" +
                      "setup.ini, " + key + ",," + quotes(5) + "," + quotes(10) + " -x" + quotes(2) + ",,,," +
                      quotes(4) + "," + quotes(5) + "\r\n")
            << i;
    }
    // Each Add drew its own id.
    EXPECT_NE(idOf(0), idOf(1));
    EXPECT_NE(idOf(1), idOf(2));
    EXPECT_NE(idOf(0), idOf(2));
}

TEST_F(ShortcutEditorWindowTest, TheStartMenuFolderIsTypedInText5AndWrittenAsTheGroupFolder) {
    HWND form3 = openShortcutEditor("English", "D:\\soft\\App");
    HWND text5 = control(form3, IDC_FORM3_TEXT5);
    HWND label6 = control(form3, IDC_FORM3_LABEL6);
    click(form3, IDC_FORM3_OPTION2);
    EXPECT_TRUE(isShown(text5));
    EXPECT_TRUE(isEnabled(text5));
    EXPECT_FALSE(isShown(label6));
    typeText(form3, IDC_FORM3_TEXT5, "Tools");
    typeText(form3, IDC_FORM3_TEXT4, "App");
    click(form3, IDC_FORM3_COMMAND1);
    EXPECT_EQ(itemText(form3, IDC_FORM3_TEXT5), "");
    EXPECT_TRUE(isChecked(form3, IDC_FORM3_OPTION2)) << "the option stays for the next Add";
    click(form3, IDC_FORM3_COMMAND1);

    ASSERT_EQ(shortcutsOfProject().size(), 2u);
    EXPECT_NE(shortcutsOfProject()[0].section.find("progman.groups,, \"App" + idOf(0) + "=\"\"Tools\"\"\"\r\n"),
              std::string::npos)
        << shortcutsOfProject()[0].section;
    EXPECT_NE(shortcutsOfProject()[1].section.find("progman.groups,, \"App" + idOf(1) + "=" + quotes(5) + "\r\n"),
              std::string::npos)
        << shortcutsOfProject()[1].section;

    // Back to the quick launch bar: the box hides, and Label6 shows its text.
    typeText(form3, IDC_FORM3_TEXT5, "Half");
    click(form3, IDC_FORM3_OPTION3);
    EXPECT_FALSE(isShown(text5));
    EXPECT_FALSE(isEnabled(text5));
    EXPECT_TRUE(isShown(label6));
    EXPECT_EQ(itemText(form3, IDC_FORM3_LABEL6), "Half");
    click(form3, IDC_FORM3_COMMAND1);
    ASSERT_EQ(shortcutsOfProject().size(), 3u);
    EXPECT_NE(shortcutsOfProject()[2].section.find(
                  "=\"\"%16410%\\Microsoft\\Internet Explorer\\Quick Launch\"\"\"\r\n"),
              std::string::npos);
}

TEST_F(ShortcutEditorWindowTest, TheGroupKeyFollowsTheFolderOpenInTheInfBuilderAtEachAdd) {
    HWND form3 = openShortcutEditor("English", "D:\\soft\\First");
    click(form3, IDC_FORM3_COMMAND1);
    program_->infBuilder().record().openFolder = "D:\\soft\\Second";
    click(form3, IDC_FORM3_COMMAND1);
    ASSERT_EQ(shortcutsOfProject().size(), 2u);
    EXPECT_NE(shortcutsOfProject()[0].section.find("\"First" + idOf(0) + "="), std::string::npos);
    EXPECT_NE(shortcutsOfProject()[1].section.find("\"Second" + idOf(1) + "="), std::string::npos);
}

TEST_F(ShortcutEditorWindowTest, DeleteRemovesTheSelectedShortcutOnlyAndTheInfFollows) {
    HWND form3 = openShortcutEditor("English", "D:\\soft\\App");
    for (const char* name : {"One", "Two", "Three"}) {
        typeText(form3, IDC_FORM3_TEXT4, name);
        click(form3, IDC_FORM3_COMMAND1);
    }
    ASSERT_EQ(shortcutsOfProject().size(), 3u);
    const shortcuts::Shortcuts before = shortcutsOfProject();

    click(form3, IDC_FORM3_COMMAND3);
    EXPECT_EQ(shortcutsOfProject().size(), 3u) << "nothing selected, nothing removed";

    pickListItem(form3, IDC_FORM3_LIST1, 1);
    click(form3, IDC_FORM3_COMMAND3);
    ASSERT_EQ(shortcutsOfProject().size(), 2u);
    for (std::size_t kept : {0u, 1u}) {
        const shortcuts::ShortcutEntry& was = before[kept == 0 ? 0 : 2];
        EXPECT_EQ(shortcutsOfProject()[kept].section, was.section);
        EXPECT_EQ(shortcutsOfProject()[kept].sectionName, was.sectionName);
        EXPECT_EQ(shortcutsOfProject()[kept].deleteEntry, was.deleteEntry);
    }
    EXPECT_EQ(listItems(form3, IDC_FORM3_LIST1), (std::vector<std::string>{before[0].section, before[2].section}));

    // What the INF writer makes of the project: exactly these two.
    const std::string inf = infText();
    const std::string updateInis = "UpdateInis      = " + before[0].sectionName + "," + before[2].sectionName + "\r\n";
    EXPECT_NE(inf.find("[DefaultInstall]\r\n"), std::string::npos);
    EXPECT_NE(inf.find(updateInis), std::string::npos) << inf;
    EXPECT_NE(inf.find("\r\n" + before[0].section + "\r\n" + before[2].section), std::string::npos);
    EXPECT_EQ(inf.find(before[1].section), std::string::npos);
    EXPECT_EQ(inf.find(before[1].sectionName), std::string::npos);
    EXPECT_NE(inf.find(";删除快捷方式\r\n\r\n" + before[0].deleteEntry + "\r\n\r\n" + before[2].deleteEntry),
              std::string::npos)
        << inf;
}

TEST_F(ShortcutEditorWindowTest, GetFillsTheFourBoxesFromTheChosenProgramAndCancelChangesNothing) {
    HWND form3 = openShortcutEditor("English", "D:\\soft\\App");
    typeText(form3, IDC_FORM3_TEXT6, "/q");
    ui_->openFileAnswers = {std::string("C:\\Tools\\App\\app.exe"), std::nullopt};
    click(form3, IDC_FORM3_COMMAND4);
    ASSERT_EQ(ui_->openRequests.size(), 1u);
    EXPECT_EQ(ui_->openRequests[0].filter, "可执行文件 (*.exe)|*.exe|所有文件 (*.*)|*.*|");
    EXPECT_EQ(ui_->openRequests[0].filterIndex, 1);
    EXPECT_FALSE(ui_->openRequests[0].multiSelect);
    EXPECT_EQ(itemText(form3, IDC_FORM3_TEXT1), "C:\\Tools\\App\\app.exe");
    EXPECT_EQ(itemText(form3, IDC_FORM3_TEXT2), "C:\\Tools\\App\\");
    EXPECT_EQ(itemText(form3, IDC_FORM3_TEXT3), "app");
    EXPECT_EQ(itemText(form3, IDC_FORM3_TEXT4), "App");
    EXPECT_EQ(itemText(form3, IDC_FORM3_TEXT6), "/q");

    click(form3, IDC_FORM3_COMMAND4);
    EXPECT_EQ(ui_->openRequests.size(), 2u);
    EXPECT_EQ(itemText(form3, IDC_FORM3_TEXT1), "C:\\Tools\\App\\app.exe");
    EXPECT_EQ(itemText(form3, IDC_FORM3_TEXT4), "App");
    EXPECT_TRUE(ui_->messages.empty());
}

TEST_F(ShortcutEditorWindowTest, BackKeepsEverythingAndTheTextsOfItsLoad) {
    HWND form3 = openShortcutEditor("English", "D:\\soft\\App");
    click(form3, IDC_FORM3_OPTION3);
    click(form3, IDC_FORM3_COMMAND1);
    typeText(form3, IDC_FORM3_TEXT1, "typed");
    click(form3, IDC_FORM3_COMMAND2);
    EXPECT_FALSE(isShown(form3));
    EXPECT_TRUE(isShown(infBuilder()));

    // Another language on the start window, then the editor again.
    click(infBuilder(), IDC_FORM1_COMMAND9);
    pickComboItem(startWindow(), IDC_FORMMAN_COMBO1, findComboItem(startWindow(), IDC_FORMMAN_COMBO1, "Chinese"));
    click(startWindow(), IDC_FORMMAN_COMMAND1);
    ASSERT_EQ(reopenEditor(), form3) << "Back keeps the window loaded";
    EXPECT_TRUE(isShown(form3));
    EXPECT_FALSE(isShown(infBuilder()));
    EXPECT_EQ(textOf(form3), "Add shortcuts") << "texts are set when the window loads";
    EXPECT_EQ(itemText(form3, IDC_FORM3_TEXT1), "typed");
    EXPECT_TRUE(isChecked(form3, IDC_FORM3_OPTION3));
    EXPECT_EQ(listItems(form3, IDC_FORM3_LIST1).size(), 1u);
    EXPECT_EQ(shortcutsOfProject().size(), 1u);
}

TEST_F(ShortcutEditorWindowTest, ClosingUnloadsTheWindowAndEmptiesItsLists) {
    HWND form3 = openShortcutEditor("English", "D:\\soft\\App");
    click(form3, IDC_FORM3_OPTION2);
    typeText(form3, IDC_FORM3_TEXT4, "App");
    click(form3, IDC_FORM3_COMMAND1);
    click(form3, IDC_FORM3_COMMAND1);
    typeText(form3, IDC_FORM3_TEXT1, "typed");
    ASSERT_EQ(shortcutsOfProject().size(), 2u);

    closeFromTitleBar(form3);
    pumpMessages();
    EXPECT_TRUE(ui_->confirmations.empty()) << "the editor closes without asking";
    EXPECT_TRUE(isShown(infBuilder()));
    EXPECT_FALSE(::IsWindow(form3));
    EXPECT_FALSE(exitStatus_);
    EXPECT_TRUE(shortcutsOfProject().empty());
    EXPECT_NE(infText().find("UpdateInis      = \r\n"), std::string::npos) << "an INF now carries no shortcuts";
    EXPECT_EQ(infText().find("[AddLink"), std::string::npos);

    // A new load: texts of the language now loaded, nothing typed, the desktop chosen.
    click(infBuilder(), IDC_FORM1_COMMAND9);
    pickComboItem(startWindow(), IDC_FORMMAN_COMBO1, findComboItem(startWindow(), IDC_FORMMAN_COMBO1, "Chinese"));
    click(startWindow(), IDC_FORMMAN_COMMAND1);
    form3 = reopenEditor();
    ASSERT_TRUE(isShown(form3));
    EXPECT_EQ(textOf(form3), "添加快捷方式");
    EXPECT_EQ(itemText(form3, IDC_FORM3_COMMAND1), "添加");
    EXPECT_EQ(itemText(form3, IDC_FORM3_TEXT1), "");
    EXPECT_TRUE(listItems(form3, IDC_FORM3_LIST1).empty());
    EXPECT_TRUE(isChecked(form3, IDC_FORM3_OPTION1));
    EXPECT_FALSE(isChecked(form3, IDC_FORM3_OPTION2));
    EXPECT_FALSE(isShown(control(form3, IDC_FORM3_TEXT5)));

    // Adding works as on the first load.
    click(form3, IDC_FORM3_COMMAND1);
    ASSERT_EQ(shortcutsOfProject().size(), 1u);
    EXPECT_NE(shortcutsOfProject()[0].section.find("%16409%"), std::string::npos);
}

}  // namespace
}  // namespace windowtest
