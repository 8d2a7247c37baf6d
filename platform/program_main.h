// The body of every command-line program runs inside runProgram: whatever it
// throws (a current folder that cannot be read, memory that runs out, an
// error of the system) becomes one message naming the program and a
// non-zero exit status, never an abort.
#pragma once

#include <functional>
#include <ostream>

namespace platform {

// The body's status, or 1 after a message on `err` when it throws.
int runProgram(const char* programName, std::ostream& err, const std::function<int()>& body);

}  // namespace platform
