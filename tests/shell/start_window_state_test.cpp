// The start window's commands apart from the window: what the record holds
// and which texts the window takes, in which order, at load and on a pick.
#include <gtest/gtest.h>

#include "platform/system_language.h"
#include "shell/start_window_state.h"
#include "shell/start_window_texts.h"
#include "tests/support/fake_user_interface.h"
#include "language_test_folder.h"
#include "locale_variables.h"

using namespace shell;
using shelltest::LanguageFolder;

namespace {

const char* const kEnglish =
    "[Buttons]\r\nnext=Next\r\nexit=Exit\r\nabout=About\r\n"
    "[Main]\r\ninfzhb=INF package\r\ninfsm=About INF\r\ntime13zhb=T-13 package\r\ntime13sm=About T-13\r\n"
    "mode=Package kind\r\nztitle=Tol\r\n";

class StartWindowState : public ::testing::Test {
protected:
    void SetUp() override {
        id_ = platform::systemLanguageId();
        if (id_.empty()) GTEST_SKIP() << "the system reports no default language id";
        folder_.write("Chinese.lng", "[Buttons]\r\nnext=下一步\r\n[Main]\r\nztitle=中文\r\n");
        folder_.write("English.lng", kEnglish);
    }
    void mapSystemLanguageTo(const std::string& name) {
        folder_.write("language.txt", "[language]\r\n" + id_ + "=" + name + "\r\n");
    }

    shelltest::LocaleVariables locale_{"zh_CN.UTF-8"};
    LanguageFolder folder_;
    std::string id_;
    StartWindowRecord record_;
    LanguageState language_;
};

std::vector<int> idsOf(const std::vector<ControlText>& texts) {
    std::vector<int> ids;
    for (const ControlText& text : texts) ids.push_back(text.controlId);
    return ids;
}

const std::vector<int> kLoadOrder = {IDC_FORMMAN_COMMAND1, IDC_FORMMAN_COMMAND2, IDC_FORMMAN_COMMAND3,
                                     IDC_FORMMAN_OPTION1,  IDC_FORMMAN_LABEL1,   IDC_FORMMAN_OPTION2,
                                     IDC_FORMMAN_LABEL3,   IDC_FORMMAN_FRAME1,   kWindowTitle};

TEST_F(StartWindowState, LoadListsTheFilesLoadsTheSystemLanguageAndSetsTextsInLoadOrder) {
    mapSystemLanguageTo("English");
    const std::vector<ControlText> texts = startWindowLoad(record_, language_);
    EXPECT_EQ(record_.languageNames, (std::vector<std::string>{"Chinese", "English"}));
    EXPECT_EQ(record_.languageText, "English");
    EXPECT_EQ(record_.packageKind, PackageKind::Inf);
    EXPECT_EQ(record_.description, startWindowDescription());
    EXPECT_TRUE(language_.languageLoaded);
    EXPECT_EQ(language_.systemLanguageId, id_);
    ASSERT_EQ(idsOf(texts), kLoadOrder);
    EXPECT_EQ(texts[0].text, "Next");
    EXPECT_EQ(texts[2].text, "About");
    EXPECT_EQ(texts[5].text, "T-13 package");
    EXPECT_EQ(texts[7].text, "Package kind");
    EXPECT_EQ(texts[8].text, "TolV3.3");
}

TEST_F(StartWindowState, ANameWithoutItsFileIsShownButNothingLoads) {
    mapSystemLanguageTo("Klingon");
    EXPECT_TRUE(startWindowLoad(record_, language_).empty());
    EXPECT_EQ(record_.languageText, "Klingon");
    EXPECT_EQ(record_.languageNames, (std::vector<std::string>{"Chinese", "English"}));
    EXPECT_FALSE(language_.languageLoaded);
    EXPECT_EQ(record_.description, startWindowDescription());
}

TEST_F(StartWindowState, NoEntryForTheSystemLanguageLeavesTheBoxEmpty) {
    folder_.write("language.txt", "[language]\r\nffff=English\r\n");
    EXPECT_TRUE(startWindowLoad(record_, language_).empty());
    EXPECT_EQ(record_.languageText, "");
    EXPECT_FALSE(language_.languageLoaded);
}

TEST_F(StartWindowState, APickLoadsThatLanguageAndAMissingKeyEmptiesItsControl) {
    mapSystemLanguageTo("Klingon");
    startWindowLoad(record_, language_);
    std::vector<ControlText> texts = startWindowPickLanguage(record_, language_, "English");
    EXPECT_TRUE(language_.languageLoaded);
    EXPECT_EQ(record_.languageText, "English");
    ASSERT_EQ(idsOf(texts), kLoadOrder);
    EXPECT_EQ(texts[0].text, "Next");

    texts = startWindowPickLanguage(record_, language_, "Chinese");
    ASSERT_EQ(idsOf(texts), kLoadOrder);
    EXPECT_EQ(texts[0].text, "下一步");
    EXPECT_EQ(texts[1].text, "");  // no "exit" in this file
    EXPECT_EQ(texts[8].text, "中文V3.3");
    EXPECT_EQ(language_.uiStrings[UiKey::MainInfTitle], "中文V3.3--");
}

TEST(StartWindowAbout, ShowsTheFeedbackTextWithTheApplicationTitle) {
    testsupport::FakeUserInterface ui;
    showAbout(ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, aboutText());
    EXPECT_EQ(ui.messages[0].title, "");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::None);
}

}  // namespace
