// Running an external command line and waiting for it while the user
// interface stays alive. The builders judge a tool by the file it was to
// make; the T13 batch's exit status also tells them 7z left an item out.
#pragma once

#include <string>

#include "platform/process.h"
#include "shell/user_interface.h"

namespace shell {

class ToolRunner {
public:
    explicit ToolRunner(EventPump& pump) : pump_(pump) {}

    // Starts the command line in the current directory with a window style
    // (0 hidden, 2 minimised with focus, 6 minimised without). Throws
    // platform::Error naming the program when it cannot be started.
    platform::ChildProcess start(const std::string& commandLine, int windowStyle);
    static bool isAlive(platform::ChildProcess& process) { return process.isAlive(); }
    // Returns when the process has ended, pumping events meanwhile. No time-out.
    void waitForExit(platform::ChildProcess& process);

private:
    EventPump& pump_;
};

}  // namespace shell
