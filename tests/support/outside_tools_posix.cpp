// POSIX: whichever of cabextract, 7z and gcab are installed unpack cabinets;
// programs' output is read through a pipe from the shell.
#include "tests/support/outside_tools.h"

#include <cstdio>

#include "platform/file_system.h"
#include "platform/process.h"

namespace testsupport {

namespace {

std::string shellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

}  // namespace

std::vector<std::string> cabinetDecoders() {
    std::vector<std::string> decoders;
    for (const char* name : {"cabextract", "7z", "gcab"})
        if (haveProgram(name)) decoders.push_back(name);
    return decoders;
}

int unpackCabinet(const std::string& decoder, const std::string& cabinet, const std::string& folder) {
    platform::createFolders(folder);
    const std::string into = platform::quoteArgument(platform::nativePath(folder));
    const std::string from = platform::quoteArgument(platform::nativePath(cabinet));
    if (decoder == "cabextract") return runToEnd("cabextract -q -d " + into + " " + from);
    if (decoder == "7z") {
        const std::string output = platform::quoteArgument("-o" + platform::nativePath(folder));
        return runToEnd("7z x -bd -y -bso0 " + output + " " + from);
    }
    return runToEnd("gcab -x -C " + into + " " + from);
}

std::string outputOf(const std::vector<std::string>& arguments) {
    std::string command = "LC_ALL=C.UTF-8";
    for (const auto& argument : arguments) command += " " + shellQuoted(argument);
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    ::pclose(pipe);
    return text;
}

}  // namespace testsupport
