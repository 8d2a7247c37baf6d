// The one way the builders start programs (batch files, "cmd /c rd ...", the
// registry converter): a seam, so that command tests can stand in for the
// tools while the real runs go through ToolRunner.
#pragma once

#include <string>
#include <vector>

#include "platform/process.h"
#include "shell/tool_runner.h"
#include "shell/user_interface.h"

namespace shell {

class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    // Starts the command line in the current folder and returns its exit
    // status when it has ended. Throws platform::Error naming the program when
    // it cannot start.
    virtual int runAndWait(const std::string& commandLine, int windowStyle) = 0;
    // Starts it and returns at once.
    virtual void runDetached(const std::string& commandLine, int windowStyle) = 0;
};

// The real tools, through ToolRunner (the user interface keeps handling its
// events while a tool runs).
class ToolCommandRunner : public CommandRunner {
public:
    explicit ToolCommandRunner(EventPump& pump) : runner_(pump) {}

    int runAndWait(const std::string& commandLine, int windowStyle) override;
    void runDetached(const std::string& commandLine, int windowStyle) override;

    // Waits for the commands started without waiting, for front ends that
    // remove the program folder when done.
    void waitForDetached();

private:
    ToolRunner runner_;
    std::vector<platform::ChildProcess> detached_;
};

}  // namespace shell
