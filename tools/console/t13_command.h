// "tolvane-console t13 ...": builds a T13 package without windows, through
// the same Generate command the T13 builder window runs.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "tools/console/console_run.h"

namespace console {

// Its --help text in the language of `texts`: how it is called, every
// option, the exit statuses.
std::string t13Help(const ConsoleTexts& texts);

// `args` are the words after "t13" (see t13Help). Returns 0 when the
// package was made (its path then on the run's standard output), 1 when it
// was refused or not made (a missing self-extractor module among them), 2
// for arguments that cannot be used (nothing is written then).
int runT13Command(const std::vector<std::string>& args, ConsoleRun run);
// The same with the built-in English texts, quiet, everything but the
// package's path on `err`.
int runT13Command(const std::vector<std::string>& args, std::ostream& err);

}  // namespace console
