#include "shell/tool_runner.h"

namespace shell {

platform::ChildProcess ToolRunner::start(const std::string& commandLine, int windowStyle) {
    return platform::ChildProcess::start(commandLine, windowStyle);
}

void ToolRunner::waitForExit(platform::ChildProcess& process) {
    while (process.isAlive()) {
        pump_.pumpEvents();
        // Sleeps until the process ends or the windows have input.
        process.waitBriefly(100);
    }
}

}  // namespace shell
