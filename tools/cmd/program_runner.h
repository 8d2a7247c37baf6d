// Running a program from a batch line: the arguments as the program is to
// see them, and the child process started and waited for.
#pragma once

#include <string>
#include <vector>

namespace batch {

// An argument for a program on POSIX: every "\" becomes "/", and a path-like
// argument (it holds "." or "/" and is no "-x" or "/x" switch) that names a
// file or folder only in another letter case is given as stored on disk. A
// wildcard keeps its last component; its folder is resolved.
std::string posixProgramArgument(const std::string& argument);

// Starts the program with these arguments in the current folder, hidden, and
// waits for it. Returns its exit status. Throws platform::Error when it
// cannot be started.
int runAndWait(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace batch
