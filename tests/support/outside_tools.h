// The outside programs the tests check the system's output with: programs
// that share no code with ours. Which there are differs between Windows and
// POSIX (outside_tools_win32.cpp, outside_tools_posix.cpp); the tests ask
// here instead of naming them.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// Runs a command line (split by the Windows rules) hidden, to its end, and
// gives its exit status.
int runToEnd(const std::string& commandLine);

// Whether a program is found the way the system finds one.
bool haveProgram(const std::string& name);

// The outside cabinet decoders here, by name: Windows' own extrac32; on
// POSIX those of cabextract, 7z and gcab that are installed.
std::vector<std::string> cabinetDecoders();

// Unpacks every file of `cabinet` into `folder` (made first where missing)
// with one of cabinetDecoders(), flat; gives the decoder's exit status.
int unpackCabinet(const std::string& decoder, const std::string& cabinet, const std::string& folder);

// What a program run to its end with `arguments` (the program first) wrote
// to its standard output, as UTF-8: on Windows a console program writes in
// the OEM code page, on POSIX it is run in the C.UTF-8 locale. Empty when it
// cannot be started.
std::string outputOf(const std::vector<std::string>& arguments);

}  // namespace testsupport
