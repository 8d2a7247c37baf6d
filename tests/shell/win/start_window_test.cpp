// The start window and the flow between the windows, driven by messages.
#include <gtest/gtest.h>

#include "infaddon/win/inf_builder_res.h"
#include "program_fixture.h"
#include "shell/start_window_texts.h"
#include "shell/win/res/start_window_res.h"
#include "t13addon/win/t13_builder_res.h"

namespace windowtest {
namespace {

using StartWindowTest = ProgramFixture;

TEST_F(StartWindowTest, ListsTheLanguageFilesAndLoadsTheSystemLanguage) {
    mapSystemLanguageTo("English");
    startProgram();
    HWND start = startWindow();
    ASSERT_TRUE(isShown(start));
    EXPECT_EQ(comboItems(start, IDC_FORMMAN_COMBO1), (std::vector<std::string>{"Chinese", "English"}));
    EXPECT_EQ(itemText(start, IDC_FORMMAN_COMBO1), "English");
    EXPECT_EQ(textOf(start), "NLITETolvaneV3.3");
    EXPECT_EQ(itemText(start, IDC_FORMMAN_COMMAND1), "Next");
    EXPECT_EQ(itemText(start, IDC_FORMMAN_COMMAND2), "Exit");
    EXPECT_EQ(itemText(start, IDC_FORMMAN_COMMAND3), "About");
    EXPECT_EQ(itemText(start, IDC_FORMMAN_OPTION1), "INF package");
    EXPECT_EQ(itemText(start, IDC_FORMMAN_OPTION2), "T-13 package");
    EXPECT_EQ(itemText(start, IDC_FORMMAN_FRAME1), "Package kind");
    EXPECT_EQ(itemText(start, IDC_FORMMAN_LABEL2), shell::startWindowDescription());
    EXPECT_TRUE(isChecked(start, IDC_FORMMAN_OPTION1));
    EXPECT_FALSE(isChecked(start, IDC_FORMMAN_OPTION2));
    EXPECT_TRUE(program_->language().languageLoaded);
}

TEST_F(StartWindowTest, ANameWithoutAFileIsShownAndTheBuiltInTextsStay) {
    mapSystemLanguageTo("Klingon");
    startProgram();
    HWND start = startWindow();
    EXPECT_EQ(itemText(start, IDC_FORMMAN_COMBO1), "Klingon");
    EXPECT_EQ(findComboItem(start, IDC_FORMMAN_COMBO1, "Klingon"), -1);
    EXPECT_EQ(textOf(start), "NLITETolvaneV3.3");
    EXPECT_EQ(itemText(start, IDC_FORMMAN_COMMAND1), "下一步");
    EXPECT_EQ(itemText(start, IDC_FORMMAN_OPTION1), "INF整合包");
    EXPECT_EQ(itemText(start, IDC_FORMMAN_FRAME1), "选择模式");
    EXPECT_FALSE(program_->language().languageLoaded);

    // Nor does the builder take texts while no language is loaded.
    click(start, IDC_FORMMAN_COMMAND1);
    EXPECT_EQ(textOf(infBuilder()), "INF整合包生成");
    EXPECT_EQ(itemText(infBuilder(), IDC_FORM1_COMMAND9), "返回");
}

TEST_F(StartWindowTest, TheLastLanguagePickedReachesTheBuilderOnTheNextVisit) {
    mapSystemLanguageTo("");
    startProgram();
    HWND start = startWindow();
    EXPECT_EQ(itemText(start, IDC_FORMMAN_COMBO1), "");

    pickComboItem(start, IDC_FORMMAN_COMBO1, findComboItem(start, IDC_FORMMAN_COMBO1, "English"));
    EXPECT_EQ(itemText(start, IDC_FORMMAN_COMMAND1), "Next");
    click(start, IDC_FORMMAN_COMMAND1);
    ASSERT_TRUE(isShown(infBuilder()));
    EXPECT_FALSE(isShown(start));
    EXPECT_EQ(textOf(infBuilder()), "NLITETolvaneV3.3--INF package builder");
    EXPECT_EQ(itemText(infBuilder(), IDC_FORM1_COMMAND9), "Back");

    click(infBuilder(), IDC_FORM1_COMMAND9);
    EXPECT_TRUE(isShown(start));
    EXPECT_FALSE(isShown(infBuilder()));

    pickComboItem(start, IDC_FORMMAN_COMBO1, findComboItem(start, IDC_FORMMAN_COMBO1, "Chinese"));
    EXPECT_EQ(itemText(start, IDC_FORMMAN_COMMAND1), "下一步");
    // The builder keeps the texts it has until it is opened again.
    EXPECT_EQ(textOf(infBuilder()), "NLITETolvaneV3.3--INF package builder");
    click(start, IDC_FORMMAN_COMMAND1);
    EXPECT_EQ(textOf(infBuilder()), "NLITETolvaneV3.3--INF整合包生成");
    EXPECT_EQ(itemText(infBuilder(), IDC_FORM1_COMMAND9), "返回");
    EXPECT_EQ(itemText(infBuilder(), IDC_FORM1_COMMAND3), "退出");
}

TEST_F(StartWindowTest, TypingIntoTheLanguageBoxChangesNothing) {
    mapSystemLanguageTo("Klingon");
    startProgram();
    HWND start = startWindow();
    typeText(start, IDC_FORMMAN_COMBO1, "English");
    pumpMessages();
    EXPECT_EQ(itemText(start, IDC_FORMMAN_COMMAND1), "下一步");
    EXPECT_FALSE(program_->language().languageLoaded);
    EXPECT_EQ(program_->language().languageName, "Klingon");
}

TEST_F(StartWindowTest, NextRightAfterStartOpensTheInfBuilderAndTheOtherKindTheT13Builder) {
    mapSystemLanguageTo("English");
    startProgram();
    HWND start = startWindow();
    click(start, IDC_FORMMAN_COMMAND1);
    ASSERT_NE(infBuilder(), nullptr);
    EXPECT_TRUE(isShown(infBuilder()));
    EXPECT_EQ(program_->infBuilder().templateId(), IDD_FORM1);
    EXPECT_EQ(t13Builder(), nullptr);

    click(infBuilder(), IDC_FORM1_COMMAND9);
    click(start, IDC_FORMMAN_OPTION2);
    click(start, IDC_FORMMAN_COMMAND1);
    ASSERT_NE(t13Builder(), nullptr);
    EXPECT_TRUE(isShown(t13Builder()));
    EXPECT_FALSE(isShown(infBuilder()));
    EXPECT_EQ(program_->t13Builder().templateId(), IDD_FORM4);
    EXPECT_EQ(textOf(t13Builder()), "NLITETolvaneV3.3--T-13 package builder");

    // The choice stays as the user left it.
    click(t13Builder(), IDC_FORM4_COMMAND5);
    EXPECT_TRUE(isChecked(start, IDC_FORMMAN_OPTION2));
    EXPECT_FALSE(isChecked(start, IDC_FORMMAN_OPTION1));
}

TEST_F(StartWindowTest, ExitEndsTheProgramWhileABuilderIsLoadedAndHidden) {
    mapSystemLanguageTo("English");
    startProgram();
    click(startWindow(), IDC_FORMMAN_COMMAND1);
    click(infBuilder(), IDC_FORM1_COMMAND9);
    ASSERT_FALSE(isShown(infBuilder()));
    EXPECT_FALSE(exitStatus_);
    click(startWindow(), IDC_FORMMAN_COMMAND2);
    ASSERT_TRUE(exitStatus_);
    EXPECT_EQ(*exitStatus_, 0);
    EXPECT_TRUE(ui_->confirmations.empty());
    EXPECT_FALSE(isShown(startWindow()));
    EXPECT_FALSE(isShown(infBuilder()));
}

TEST_F(StartWindowTest, ClosingTheStartWindowFromItsTitleBarEndsTheProgram) {
    mapSystemLanguageTo("English");
    startProgram();
    click(startWindow(), IDC_FORMMAN_COMMAND1);
    click(infBuilder(), IDC_FORM1_COMMAND9);
    closeFromTitleBar(startWindow());
    // No window would be left to see: the program ends, asking nothing.
    ASSERT_TRUE(exitStatus_);
    EXPECT_EQ(*exitStatus_, 0);
    EXPECT_TRUE(ui_->confirmations.empty());
}

TEST_F(StartWindowTest, TheBuildersExitButtonEndsAtOnceAndTheTitleBarAsksFirst) {
    mapSystemLanguageTo("Klingon");
    startProgram();
    click(startWindow(), IDC_FORMMAN_COMMAND1);

    ui_->okCancelAnswers = {false};
    closeFromTitleBar(infBuilder());
    ASSERT_EQ(ui_->confirmations.size(), 1u);
    // No language loaded: the built-in texts stand in.
    EXPECT_EQ(ui_->confirmations[0].text, "退出？");
    EXPECT_EQ(ui_->confirmations[0].title, "NLITETolvaneV3.3");
    EXPECT_TRUE(isShown(infBuilder()));
    EXPECT_FALSE(exitStatus_);

    ui_->okCancelAnswers = {true};
    closeFromTitleBar(infBuilder());
    EXPECT_EQ(ui_->confirmations.size(), 2u);
    ASSERT_TRUE(exitStatus_);
    EXPECT_EQ(*exitStatus_, 0);
}

TEST_F(StartWindowTest, TheCloseConfirmationSpeaksTheLoadedLanguage) {
    mapSystemLanguageTo("English");
    startProgram();
    click(startWindow(), IDC_FORMMAN_OPTION2);
    click(startWindow(), IDC_FORMMAN_COMMAND1);
    ui_->okCancelAnswers = {false};
    closeFromTitleBar(t13Builder());
    ASSERT_EQ(ui_->confirmations.size(), 1u);
    EXPECT_EQ(ui_->confirmations[0].text, "Exit？");
    EXPECT_EQ(ui_->confirmations[0].title, "NLITETolvaneV3.3");
    EXPECT_FALSE(exitStatus_);
    click(t13Builder(), IDC_FORM4_COMMAND3);
    EXPECT_EQ(ui_->confirmations.size(), 1u);
    EXPECT_TRUE(exitStatus_);
}

TEST_F(StartWindowTest, AboutShowsTheFeedbackTextUnderTheApplicationTitle) {
    mapSystemLanguageTo("English");
    startProgram();
    click(startWindow(), IDC_FORMMAN_COMMAND3);
    ASSERT_EQ(ui_->messages.size(), 1u);
    EXPECT_EQ(ui_->messages[0].text, shell::aboutText());
    EXPECT_EQ(ui_->messages[0].title, "");
    EXPECT_EQ(ui_->messages[0].icon, shell::MessageIcon::None);
}

}  // namespace
}  // namespace windowtest
