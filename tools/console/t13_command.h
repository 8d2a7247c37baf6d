// "tolvane-console t13 ...": builds a T13 package without windows, through
// the same Generate command the T13 builder window runs.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace console {

// The usage text of the t13 command.
extern const char* const kT13Usage;

// `args` are the words after "t13" (see kT13Usage). The command's own
// complaints (bad arguments with the usage, a missing module, a work folder
// that cannot be made or removed) go to `err`; Generate's messages and the
// overwrite answer are printed on standard output by ConsoleUserInterface.
// Returns 0 when the package was made, 1 when it was not, 2 for arguments
// that cannot be used (nothing is written then).
int RunT13Command(const std::vector<std::string>& args, std::ostream& err);

}  // namespace console
