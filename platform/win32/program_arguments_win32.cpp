#include "platform/program_arguments.h"

#include "platform/process.h"
#include "platform/win32/wide.h"

namespace platform {

std::vector<std::string> programArguments(int, char**) {
    const std::string line = narrow(GetCommandLineW());
    // The program's own name follows simpler rules than the arguments: it
    // ends at the closing quote, or at the first blank when unquoted.
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        i = close == std::string::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    }
    return splitCommandLine(line.substr(i));
}

}  // namespace platform
