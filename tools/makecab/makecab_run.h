// One makecab run: reads the command line's directive files (or takes its
// one file), checks every file and setting before anything is written,
// streams the cabinet into a file beside its target that is renamed when
// complete, so the cabinet's existence means success. A
// directive-file run also writes setup.inf and setup.rpt into the current
// folder, on failure too (the builders delete both after every run).
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "tools/makecab/makecab_command_line.h"

namespace makecab {

struct RunClock {
    std::function<std::string()> startedAt;  // the report's date line
    std::function<double()> elapsedSeconds;  // since the run started
};
RunClock systemClock();

// Returns the exit status: 0 when the cabinet (or every file of a one-file
// run) was written, 1 otherwise. Messages go to `out` (progress, by
// verbosity) and `err` ("ERROR: ..." lines).
int runMakecab(const CommandLine& commandLine, std::ostream& out, std::ostream& err, const RunClock& clock);
int runMakecab(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace makecab
