#include "tools/cmd/program_runner.h"

#include "platform/process.h"
#include "tools/cmd/windows_names.h"

namespace batch {

namespace {

bool isPathLike(const std::string& argument) {
    if (argument.empty() || argument[0] == '-') return false;
    if (argument[0] == '/' && argument.find('/', 1) == std::string::npos) return false;  // "/f", "/v3"
    return argument.find_first_of("./") != std::string::npos;
}

}  // namespace

std::string posixProgramArgument(const std::string& argument) {
    std::string converted = argument;
    for (char& c : converted)
        if (c == '\\') c = '/';
    return isPathLike(converted) ? windowsPath(converted) : converted;
}

int runAndWait(const std::string& program, const std::vector<std::string>& arguments) {
    std::string line = platform::quoteArgument(program);
    for (const auto& argument : arguments) line += " " + platform::quoteArgument(argument);
    platform::ChildProcess child = platform::ChildProcess::start(line, platform::kHidden);
    return child.exitCode();
}

}  // namespace batch
