// The system's failed file operations as the user reads them: worded by
// their message keys in the user's language, the path and the system's
// reason kept, and through a build step too. Faults come through the fault
// seam.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_faults.h"
#include "platform/file_system.h"
#include "shell/build_step.h"
#include "shell/error_text.h"
#include "shell/ui_strings.h"
#include "tests/support/shipped_language.h"

namespace {

using platform::FileAction;

class ErrorText : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setProgramFolder("");
        folder = platform::makeTemporaryFolder("tolvane-error-text");
    }
    void TearDown() override { platform::removeFolderTree(folder); }
    std::string folder;
};

// English.lng words the error as its own sentence, the built-in texts and
// Chinese.lng as `chinese`; inside a build step, the step's account words
// it the same.
void expectWordedInEachLanguage(const platform::Error& e, const std::string& chinese) {
    const shell::LanguageTexts english(testsupport::shippedLanguage("English"));
    EXPECT_EQ(shell::errorText(english, e), e.what());
    EXPECT_EQ(shell::errorText(shell::kBuiltInTexts, e), chinese);
    const shell::LanguageTexts shippedChinese(testsupport::shippedLanguage("Chinese"));
    EXPECT_EQ(shell::errorText(shippedChinese, e), chinese);
    try {
        shell::runStep("writing", [&] { throw e; });
        ADD_FAILURE() << "the step did not pass the failure on";
    } catch (const shell::StepFailure& failure) {
        EXPECT_EQ(failure.step(), "writing");
        EXPECT_EQ(shell::errorText(shell::kBuiltInTexts, failure), chinese);
    }
}

TEST_F(ErrorText, AFailedFileOperationIsWordedInTheUsersLanguageWithItsPathAndReason) {
    const std::string path = platform::joinPath(folder, "App.inf");
    platform::FileFaults faults;
    faults.refuse(platform::FileOperation::Write, "App.inf", "Access is denied");
    try {
        platform::writeFileAtomic(path, "x");
        FAIL() << "the write was not refused";
    } catch (const platform::Error& e) {
        EXPECT_EQ(e.action(), FileAction::WriteFile);
        EXPECT_EQ(std::string(e.what()), "Cannot write the file \"" + path + "\": Access is denied.");
        expectWordedInEachLanguage(e, "无法写入文件“" + path + "”：Access is denied。");
    }
}

// Every file operation has its message, and English.lng words each as the
// error's own sentence, so an English user reads what he read before.
TEST_F(ErrorText, EveryFileActionHasAMessageThatEnglishWordsAsTheErrorDoes) {
    const shell::LanguageTexts english(testsupport::shippedLanguage("English"));
    for (int i = static_cast<int>(FileAction::ReadFile); i <= static_cast<int>(FileAction::CreateTemporaryFolder);
         ++i) {
        const auto action = static_cast<FileAction>(i);
        ASSERT_TRUE(shell::fileActionMessage(action).has_value()) << platform::fileActionText(action);
        const platform::Error error(platform::ErrorKind::Io, action, "C:\\a b\\c.txt", "The reason");
        EXPECT_EQ(shell::errorText(english, error), error.what());
        EXPECT_NE(shell::errorText(shell::kBuiltInTexts, error).find("“C:\\a b\\c.txt”"), std::string::npos)
            << platform::fileActionText(action);
    }
    EXPECT_FALSE(shell::fileActionMessage(FileAction::None).has_value());
}

TEST_F(ErrorText, ATextTheCodePageCannotHoldIsWordedInTheUsersLanguage) {
    // Code page 936 has no Hangul: the encoder names the text and the
    // character, and each language words them.
    try {
        platform::encodeCodePage(936, "App 한");
        FAIL() << "the text was encoded";
    } catch (const platform::Error& e) {
        EXPECT_EQ(e.kind(), platform::ErrorKind::CodePage);
        ASSERT_TRUE(e.unencodable().has_value());
        EXPECT_EQ(e.unencodable()->excerpt, "App 한");
        EXPECT_EQ(e.unencodable()->codePage, 936u);
        const std::string character = e.unencodable()->character;
        EXPECT_NE(character.find("U+D55C"), std::string::npos) << character;
        EXPECT_EQ(std::string(e.what()), "The text \"App 한\" holds the character " + character +
                                             ", which code page 936 cannot hold. Use a name or text without it.");
        expectWordedInEachLanguage(
            e, "文本“App 한”含有字符 " + character + "，代码页 936 无法表示。请改用不含这个字符的名称或文本。");
    }
}

TEST_F(ErrorText, AnyOtherFailureKeepsItsOwnSentence) {
    const platform::Error plain(platform::ErrorKind::BadInput, "A sentence of its own.");
    EXPECT_EQ(shell::errorText(shell::kBuiltInTexts, plain), "A sentence of its own.");
    const std::runtime_error other("Something else.");
    EXPECT_EQ(shell::errorText(shell::kBuiltInTexts, other), "Something else.");
    const shell::StepFailure step("writing", "Its cause.");
    EXPECT_EQ(shell::errorText(shell::kBuiltInTexts, step), "Its cause.");
}

}  // namespace
