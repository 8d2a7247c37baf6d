// "tolvane-console inf ...": builds an INF package without windows, through
// the same Generate command the INF builder window runs.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "tools/console/console_run.h"

namespace console {

// Its --help text in the language of `texts`: how it is called, every
// option, the exit statuses.
std::string infHelp(const ConsoleTexts& texts);

// `args` are the words after "inf" (see infHelp). The work files go into a
// fresh temporary program folder, removed afterwards. Returns 0 when the
// package was made (its path then on the run's standard output), 1 when it
// was refused or not made, 2 for arguments that cannot be used (nothing is
// written then).
int runInfCommand(const std::vector<std::string>& args, ConsoleRun run);
// The same with the built-in English texts, quiet, everything but the
// package's path on `err`.
int runInfCommand(const std::vector<std::string>& args, std::ostream& err);

}  // namespace console
