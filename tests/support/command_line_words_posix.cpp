#include "tests/support/command_line_words.h"

namespace testsupport {

std::vector<std::string> commandLineWords(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

}  // namespace testsupport
