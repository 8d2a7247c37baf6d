// Which control gets which text, and that texts apply only with a language.
#include <gtest/gtest.h>

#include <algorithm>

#include "shell/window_texts.h"
#include "language_test_folder.h"

using namespace shell;

namespace {

LanguageState loadedState(const std::string& fileText) {
    shelltest::LanguageFolder folder;
    folder.write("L.lng", fileText);
    LanguageState state;
    changeLanguage(state, "L");
    return state;
}

template <std::size_t N>
std::vector<int> idsOf(const TextTable<N>& table) {
    std::vector<int> ids;
    for (const auto& binding : table) ids.push_back(binding.controlId);
    return ids;
}

}  // namespace

TEST(WindowTexts, NothingIsAppliedWithoutALanguage) {
    LanguageState state;
    state.uiStrings.set(UiKey::ButtonsAdd, "Add");
    EXPECT_TRUE(ApplyInfBuilderTexts(state).empty());
    EXPECT_TRUE(ApplyT13BuilderTexts(state).empty());
    EXPECT_TRUE(shortcutEditorTexts(state).empty());
}

TEST(WindowTexts, InfBuilderTextsInTheirOrderWithTheComposedTitle) {
    const LanguageState state = loadedState(
        "[Main]\r\nztitle=ABC\r\n[Buttons]\r\nadd=Add\r\n[runinfo]\r\nadd file=Sources\r\n");
    const std::vector<ControlText> texts = ApplyInfBuilderTexts(state);
    // The 26 UI strings, then the advanced area's 7 captions.
    ASSERT_EQ(texts.size(), 33u);
    EXPECT_EQ(texts[0].controlId, kWindowTitle);
    EXPECT_EQ(texts[0].text, "ABCV3.3--");  // "inf title" is missing
    EXPECT_EQ(texts[1].controlId, IDC_FORM1_COMMAND5);
    EXPECT_EQ(texts[1].text, "");  // "shortcut" is missing: the button shows no text
    for (int id : {IDC_FORM1_COMMAND2, IDC_FORM1_COMMAND7, IDC_FORM1_COMMAND4}) {
        const auto it = std::find_if(texts.begin(), texts.end(), [&](const ControlText& t) { return t.controlId == id; });
        ASSERT_NE(it, texts.end());
        EXPECT_EQ(it->text, "Add");
    }
    EXPECT_EQ(texts[15].controlId, IDC_FORM1_FRAME9);
    EXPECT_EQ(texts[15].text, "Sources");
    EXPECT_EQ(texts[22].controlId, IDC_FORM1_FRAME8);
    EXPECT_EQ(texts[22].text, "Sources");
    EXPECT_EQ(texts[25].controlId, IDC_FORM1_LABEL4);
    // A file without the captions section leaves their built-in texts.
    EXPECT_EQ(texts[26].controlId, IDC_FORM1_FRAME16);
    EXPECT_EQ(texts[26].text, "源文件信息");
    EXPECT_EQ(texts[32].controlId, IDC_FORM1_OPTION1);
    EXPECT_EQ(texts[32].text, "原文件方式=1");
}

TEST(WindowTexts, TablesKeepTheOrderTheWindowsSetThem) {
    EXPECT_EQ(idsOf(kInfBuilderTexts),
              (std::vector<int>{kWindowTitle, IDC_FORM1_COMMAND5, IDC_FORM1_COMMAND2, IDC_FORM1_COMMAND6,
                                IDC_FORM1_COMMAND11, IDC_FORM1_COMMAND9, IDC_FORM1_COMMAND3, IDC_FORM1_COMMAND7,
                                IDC_FORM1_COMMAND4, IDC_FORM1_COMMAND8, IDC_FORM1_CHECK1, IDC_FORM1_LABEL5,
                                IDC_FORM1_LABEL6, IDC_FORM1_LABEL7, IDC_FORM1_FRAME2, IDC_FORM1_FRAME9,
                                IDC_FORM1_FRAME4, IDC_FORM1_FRAME6, IDC_FORM1_FRAME1, IDC_FORM1_FRAME10,
                                IDC_FORM1_FRAME5, IDC_FORM1_FRAME11, IDC_FORM1_FRAME8, IDC_FORM1_FRAME15,
                                IDC_FORM1_FRAME14, IDC_FORM1_LABEL4}));
    EXPECT_EQ(idsOf(kT13BuilderTexts),
              (std::vector<int>{kWindowTitle, IDC_FORM4_COMMAND2, IDC_FORM4_COMMAND4, IDC_FORM4_COMMAND1,
                                IDC_FORM4_COMMAND3, IDC_FORM4_COMMAND5, IDC_FORM4_COMMAND6, IDC_FORM4_LABEL1,
                                IDC_FORM4_LABEL2, IDC_FORM4_LABEL5, IDC_FORM4_FRAME1, IDC_FORM4_FRAME2,
                                IDC_FORM4_FRAME3}));
    EXPECT_EQ(idsOf(kShortcutEditorTexts),
              (std::vector<int>{kWindowTitle, IDC_FORM3_FRAME1, IDC_FORM3_OPTION1, IDC_FORM3_OPTION2,
                                IDC_FORM3_OPTION3, IDC_FORM3_FRAME2, IDC_FORM3_LABEL7, IDC_FORM3_LABEL1,
                                IDC_FORM3_LABEL2, IDC_FORM3_LABEL4, IDC_FORM3_LABEL3, IDC_FORM3_LABEL5,
                                IDC_FORM3_COMMAND1, IDC_FORM3_COMMAND3, IDC_FORM3_COMMAND2, IDC_FORM3_COMMAND4}));
    // A control id names its window by its thousand.
    for (const auto& b : kInfBuilderTexts) EXPECT_TRUE(b.controlId == 0 || b.controlId / 1000 == 1);
    for (const auto& b : kShortcutEditorTexts) EXPECT_TRUE(b.controlId == 0 || b.controlId / 1000 == 3);
    for (const auto& b : kT13BuilderTexts) EXPECT_TRUE(b.controlId == 0 || b.controlId / 1000 == 4);
}

TEST(WindowTexts, T13BuilderAndShortcutEditorShareTheArgumentText) {
    const LanguageState state = loadedState("[software]\r\nargument=Args\r\n[Main]\r\nztitle=Z\r\nt13 title=T\r\n");
    const auto t13 = ApplyT13BuilderTexts(state);
    ASSERT_EQ(t13.size(), 18u);  // 13 UI strings and 5 captions
    EXPECT_EQ(t13[0].text, "ZV3.3--T");
    EXPECT_EQ(t13[9].text, "Args");   // Label5
    EXPECT_EQ(t13[12].text, "Args");  // Frame3
    const auto editor = shortcutEditorTexts(state);
    ASSERT_EQ(editor.size(), 17u);  // 16 UI strings and Frame3's caption
    EXPECT_EQ(editor[16].controlId, IDC_FORM3_FRAME3);
    EXPECT_EQ(editor[16].text, "快捷方式");
    EXPECT_EQ(editor[6].controlId, IDC_FORM3_LABEL7);
    EXPECT_EQ(editor[6].text, "Args");
}

TEST(WindowTexts, BusyWindowShowsRunTitleOrItsBuiltInTexts) {
    LanguageState none;
    const auto builtIn = busyWindowTexts(none);
    ASSERT_EQ(builtIn.size(), 2u);
    EXPECT_EQ(builtIn[0].controlId, kWindowTitle);
    EXPECT_EQ(builtIn[0].text, "程序运行请稍等....");
    EXPECT_EQ(builtIn[1].controlId, IDC_FORM2_LABEL1);
    EXPECT_EQ(builtIn[1].text, "程序正在运行请稍等....");

    const auto loaded = busyWindowTexts(loadedState("[main]\r\nrun title=Busy\r\n"));
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(loaded[0].text, "Busy");
    EXPECT_EQ(loaded[1].text, "Busy");
}

TEST(WindowTexts, MessageTexts) {
    const LanguageState loaded = loadedState("[Buttons]\r\nexit=Quit\r\n[Main]\r\nztitle=Z\r\n");
    EXPECT_EQ(closeConfirmationText(loaded), "Quit？");
    EXPECT_EQ(closeConfirmationTitle(loaded), "ZV3.3");
    EXPECT_EQ(overwriteQuestionText(loaded), "");  // loaded, and the key is missing

    LanguageState none;
    EXPECT_EQ(closeConfirmationText(none), "退出？");
    EXPECT_EQ(closeConfirmationTitle(none), "NLITETolvaneV3.3");
    EXPECT_EQ(overwriteQuestionText(none), "文件已存在，是否覆盖？");
}
