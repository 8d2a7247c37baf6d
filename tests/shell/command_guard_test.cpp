#include "shell/command_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/fake_user_interface.h"

namespace {

TEST(CommandGuard, AnErrorBecomesOneMessageAndTheBusyBracketIsClosed) {
    testsupport::FakeUserInterface ui;
    const bool ok = shell::RunGuarded(ui, [&] {
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
    EXPECT_TRUE(shell::RunGuarded(ui, [] {}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST(CommandGuard, ThrownNonExceptionsAreCaughtToo) {
    testsupport::FakeUserInterface ui;
    EXPECT_FALSE(shell::RunGuarded(ui, [] { throw 42; }));
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
