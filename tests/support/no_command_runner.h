// A command runner the code under test must not reach: a check is expected
// to end the command before any tool runs. Reaching it fails the test.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "shell/command_runner.h"

namespace testsupport {

class NoCommandRunner : public shell::CommandRunner {
public:
    int runAndWait(const std::string& line, int) override {
        ADD_FAILURE() << "ran " << line;
        return 0;
    }
    void runDetached(const std::string& line, int) override { ADD_FAILURE() << "ran " << line; }
};

}  // namespace testsupport
