// The id of a process that has provably ended, for tests of what is left by
// a build whose process is gone: this test program run once more, running
// no test, and waited for.
#pragma once

#include "platform/file_system.h"
#include "platform/process.h"

namespace testsupport {

inline unsigned long endedProcessId() {
    platform::ChildProcess child = platform::ChildProcess::start(
        platform::quoteArgument(platform::executablePath()) + " --gtest_list_tests --gtest_filter=-*",
        platform::kHidden);
    child.exitCode();
    return child.processId();
}

}  // namespace testsupport
