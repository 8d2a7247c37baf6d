#include "tests/support/outside_tools.h"

#include "platform/process.h"

namespace testsupport {

int runToEnd(const std::string& commandLine) {
    platform::ChildProcess process = platform::ChildProcess::start(commandLine, platform::kHidden);
    while (process.isAlive()) process.waitBriefly(200);
    return process.exitCode();
}

bool haveProgram(const std::string& name) { return !platform::findProgram(name, {}).empty(); }

}  // namespace testsupport
