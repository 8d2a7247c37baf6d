// How Generate starts its command lines: the batch file and the clean-up
// "cmd /c rd". A seam, so that tests can stand in for the tools.
#pragma once

#include <string>
#include <vector>

#include "platform/process.h"
#include "shell/tool_runner.h"
#include "shell/user_interface.h"

namespace t13addon {

class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    // Starts the command line in the current folder and returns when it has
    // ended. Throws platform::Error naming the program when it cannot start.
    virtual void runAndWait(const std::string& commandLine, int windowStyle) = 0;
    // Starts it and returns at once.
    virtual void runDetached(const std::string& commandLine, int windowStyle) = 0;
};

// The real tools, through ToolRunner (the user interface keeps handling its
// events while a tool runs).
class ToolCommandRunner : public CommandRunner {
public:
    explicit ToolCommandRunner(shell::EventPump& pump) : runner_(pump) {}

    void runAndWait(const std::string& commandLine, int windowStyle) override;
    void runDetached(const std::string& commandLine, int windowStyle) override;

    // Waits for the commands started without waiting, for front ends that
    // remove the program folder when done.
    void waitForDetached();

private:
    shell::ToolRunner runner_;
    std::vector<platform::ChildProcess> detached_;
};

}  // namespace t13addon
