// The words a command-line program was started with, after its own name, as
// UTF-8. On Windows they are read from the wide command line (split by the
// Windows rules), so names outside the ANSI code page arrive intact; the
// arguments main() received are not used there.
#pragma once

#include <string>
#include <vector>

namespace platform {

std::vector<std::string> programArguments(int argc, char** argv);

}  // namespace platform
