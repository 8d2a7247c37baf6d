// A tool for the ToolRunner tests: runs for the given milliseconds, then
// writes the named file (relative to the current directory), so a test can
// tell that the wait lasted to the end and that the tool ran where it was
// started. The file is written beside its name and renamed when complete:
// once it is there, the tool has let go of it and is ending.
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/file_system.h"
#include "platform/program_arguments.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args = platform::programArguments(argc, argv);
    const long milliseconds = !args.empty() ? std::atol(args[0].c_str()) : 1000;
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    if (args.size() > 1) platform::writeFileAtomic(args[1], "done");
    return 0;
}
