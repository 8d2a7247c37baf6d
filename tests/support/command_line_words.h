// Every word of the command line a test program was started with, its own
// name first, as UTF-8: main()'s argv on POSIX; on Windows the wide command
// line, since main()'s argv holds only what the ANSI code page can
// (command_line_words_posix.cpp, command_line_words_win32.cpp).
#pragma once

#include <string>
#include <vector>

namespace testsupport {

std::vector<std::string> commandLineWords(int argc, char** argv);

}  // namespace testsupport
