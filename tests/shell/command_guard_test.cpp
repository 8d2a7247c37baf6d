#include "shell/command_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/fake_user_interface.h"
#include "tests/support/shipped_language.h"

namespace {

TEST(CommandGuard, AnErrorBecomesOneMessageAndTheBusyBracketIsClosed) {
    testsupport::FakeUserInterface ui;
    const bool ok = shell::runGuarded(ui, [&] {
        shell::BusyBracket busy(ui);
        throw std::runtime_error("disk full while writing App.inf");
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(ui.busyDepth, 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("disk full while writing App.inf"), std::string::npos);
    EXPECT_EQ(ui.messages[0].icon, shell::MessageIcon::Stop);
}

TEST(CommandGuard, ACommandThatEndsNormallyShowsNothing) {
    testsupport::FakeUserInterface ui;
    EXPECT_TRUE(shell::runGuarded(ui, [] {}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(CommandGuard, ThrownNonExceptionsAreCaughtToo) {
    testsupport::FakeUserInterface ui;
    EXPECT_FALSE(shell::runGuarded(ui, [] { throw 42; }));
    EXPECT_EQ(ui.messages.size(), 1u);
}

// The message is one text in the user's language, its advice on a line of
// its own; an error that tells nothing of itself is called one of unknown kind.
TEST(CommandGuard, TheMessageSpeaksTheLoadedLanguage) {
    testsupport::FakeUserInterface ui;
    shell::runGuarded(ui, [] { throw 42; });
    ui.language = &testsupport::shippedLanguage("English");
    shell::runGuarded(ui, [] { throw 42; });
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "命令因意外错误而中止：一个未知类型的错误\r\n此后的操作都没有执行。请查看这条消息，然后再试一次。");
    EXPECT_EQ(ui.messages[1].text,
              "The command stopped because of an unexpected error: an error of unknown kind\r\n"
              "Nothing after that point was done. Check the message, then try again.");
}

}  // namespace
