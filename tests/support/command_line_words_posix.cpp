#include "tests/support/command_line_words.h"

namespace testing_support {

std::vector<std::string> commandLineWords(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }

}  // namespace testing_support
