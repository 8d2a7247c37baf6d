#include "shell/command_runner.h"

namespace shell {

int ToolCommandRunner::runAndWait(const std::string& commandLine, int windowStyle) {
    platform::ChildProcess process = runner_.start(commandLine, windowStyle);
    runner_.waitForExit(process);
    return process.exitCode();
}

void ToolCommandRunner::runDetached(const std::string& commandLine, int windowStyle) {
    detached_.push_back(runner_.start(commandLine, windowStyle));
}

void ToolCommandRunner::waitForDetached() {
    for (auto& process : detached_) runner_.waitForExit(process);
    detached_.clear();
}

}  // namespace shell
