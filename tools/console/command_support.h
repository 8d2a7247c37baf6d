// What the inf and t13 commands share around a build: where the tools'
// output goes, the overwrite question in the run's language, and the work
// folder's complaints as errors.
#pragma once

#include <string>

#include "tools/console/console_run.h"
#include "tools/console/console_user_interface.h"

namespace console {

// For the life of a build: the tools' output goes to standard error with
// --verbose; otherwise into a file in the work folder, which the progress
// line follows and a failure shows the end of. Afterwards the tools have
// this program's streams again.
class ToolOutputRoute {
public:
    ToolOutputRoute(ConsoleUserInterface& ui, bool verbose, const std::string& workFolder);
    ~ToolOutputRoute();
    ToolOutputRoute(const ToolOutputRoute&) = delete;
    ToolOutputRoute& operator=(const ToolOutputRoute&) = delete;

private:
    ConsoleUserInterface& ui_;
};

// The name of the tools' output file in the work folder.
inline constexpr const char* kToolOutputFileName = "tolvane-console-tools.log";

// "runinfo" "create" of the run's language file, or the built-in question.
std::string overwriteQuestion(const ConsoleRun& run);

// Each line the work folder's set-up and removal reported, as an error.
void reportWorkFolderTrouble(ConsoleUserInterface& ui, const std::string& lines);

}  // namespace console
