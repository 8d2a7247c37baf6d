// makecab's command line, in either of its two forms:
//   makecab [/V[n]] [/D var=value ...] /F directive_file [/F ...]
//   makecab [/V[n]] [/D var=value ...] [/L folder] source [destination]
// Switches may come in any order, with "/" or "-", in any letter case.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace makecab {

struct CommandLine {
    std::vector<std::pair<std::string, std::string>> definitions;  // /D, in order
    std::vector<std::string> directiveFiles;                       // /F, in order
    int verbosity = 1;                                             // /V alone is 3
    std::string locationFolder;                                    // /L
    std::string source;                                            // one-file form
    std::string destination;
    bool help = false;  // /? or no arguments at all
};

// Throws platform::Error(BadInput) with a message for a line it cannot use.
CommandLine parseCommandLine(const std::vector<std::string>& args);

extern const char* const kUsage;

}  // namespace makecab
