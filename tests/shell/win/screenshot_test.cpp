// A screenshot of every window in each language (Chinese, English, none
// loaded), written as PNG into <build>/screenshots for a person to look at,
// and a check that every control shows its whole text.
#include <gtest/gtest.h>

#include "program_fixture.h"
#include "shortcuts/win/shortcut_editor_res.h"
#include "t13addon/win/t13_builder_res.h"

namespace windowtest {
namespace {

class WindowScreenshots : public ProgramFixture, public ::testing::WithParamInterface<Shown> {};

TEST_P(WindowScreenshots, EveryWindowShowsAllItsTexts) {
    mapSystemLanguageTo(GetParam().language);
    startProgram();
    HWND start = startWindow();
    expectTextsFit(start, "Formman");
    shoot(start, "formman", GetParam());

    click(start, IDC_FORMMAN_COMMAND1);
    expectTextsFit(infBuilder(), "Form1");
    shoot(infBuilder(), "form1", GetParam());

    // The shortcut editor with one shortcut in its list.
    program_->infBuilder().record().openFolder = "C:\\Program Files\\App";
    program_->openShortcutEditor();
    HWND form3 = program_->shortcutEditor()->handle();
    typeText(form3, IDC_FORM3_TEXT1, "C:\\Program Files\\App\\app.exe");
    typeText(form3, IDC_FORM3_TEXT4, "App");
    click(form3, IDC_FORM3_COMMAND1);
    typeText(form3, IDC_FORM3_TEXT6, "-x");
    expectTextsFit(form3, "Form3");
    shoot(form3, "form3", GetParam());
    click(form3, IDC_FORM3_COMMAND2);

    program_->backToStart(program_->infBuilder());
    click(start, IDC_FORMMAN_OPTION2);
    click(start, IDC_FORMMAN_COMMAND1);
    // The T13 builder with a folder, a file and a run command in its lists.
    HWND form4 = t13Builder();
    typeText(form4, IDC_FORM4_TEXT1, "MyApp");
    ui_->folderAnswers = {"D:\\soft\\app"};
    click(form4, IDC_FORM4_COMMAND2);
    typeText(form4, IDC_FORM4_TEXT5, "setup.exe /S");
    click(form4, IDC_FORM4_COMMAND6);
    expectTextsFit(form4, "Form4");
    shoot(form4, "form4", GetParam());

    program_->windowUserInterface().setBuilderWindow(t13Builder());
    ui_->beginBusy();
    HWND busy = program_->windowUserInterface().busyWindow();
    expectTextsFit(busy, "Form2");
    shoot(busy, "form2", GetParam());
    ui_->endBusy();
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowScreenshots, kShownLanguages, shownName);

}  // namespace
}  // namespace windowtest
