// "tolvane-console inf ...": builds an INF package without windows, through
// the same Generate command the INF builder window runs.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace console {

// The usage text of the inf command.
extern const char* const kInfUsage;

// `args` are the words after "inf" (see kInfUsage). The work files go into a
// fresh temporary program folder, removed afterwards. The command's own
// complaints (bad arguments with the usage, a work folder that cannot be made
// or removed) go to `err`; Generate's messages, the overwrite answer and the
// run log are printed on standard output. Returns 0 when the package was
// made, 1 when it was not, 2 for arguments that cannot be used (nothing is
// written then).
int RunInfCommand(const std::vector<std::string>& args, std::ostream& err);

}  // namespace console
