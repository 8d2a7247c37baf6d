// What the inf and t13 commands share: how their arguments are read and
// the run begins, and around a build where the tools' output goes, the
// overwrite question in the run's language, and the work folder's
// complaints as errors.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/console/console_run.h"
#include "tools/console/console_user_interface.h"

namespace console {

// Ends the reading of the arguments: throws platform::Error(BadInput).
[[noreturn]] void refuse(const std::string& message);

// What every command reads alike from its arguments.
struct CommandArguments {
    std::string output;       // the package, as the builder composes it
    std::string shownOutput;  // as the user gave it
    bool overwrite = false;
    bool help = false;
    std::vector<std::pair<std::string, std::string>> givenPaths;  // composed, as given

    // A path from the command line as the builder composes it, remembered
    // with the user's spelling for the messages.
    std::string givenPath(const std::string& startFolder, const std::string& path);
    // Without --output: `fileName` in the start folder.
    void defaultOutput(const std::string& startFolder, const std::string& fileName);
};

// Takes the command's own option at args[i], stepping `i` past its value
// (see optionValue); throws platform::Error(BadInput) for one it does not know.
using OwnOptionReader = std::function<void(const std::vector<std::string>& args, std::size_t& i)>;

// Reads the arguments in order. A help word ends the reading with `help`
// set; the common options, --overwrite [yes|no] and --output FILE are taken
// here, every other word by `takeOwn`. Throws platform::Error(BadInput)
// naming the argument that cannot be used.
void readArguments(const std::vector<std::string>& args, const std::string& startFolder, ConsoleRun& run,
                   CommandArguments& a, const OwnOptionReader& takeOwn);

// The value after the option args[i], with `i` stepped onto it. Throws
// platform::Error(BadInput) when none follows.
const std::string& optionValue(const std::vector<std::string>& args, std::size_t& i, const ConsoleTexts& texts);

// How a command is called and explains itself.
struct CommandHelp {
    const char* word;     // "inf"
    ConsoleText usage;    // its usage lines
    ConsoleText options;  // its own options, as its --help explains them
};

// The start of every command: `read` reads the arguments into `a`, throwing
// platform::Error for those that cannot be used. Returns the exit status when
// the run ends there: 2 for such arguments (the problem and the usage on
// standard error), 0 for --help (the help on standard output). None: the
// build goes on.
std::optional<int> startCommand(const ConsoleRun& run, const CommandHelp& command, const CommandArguments& a,
                                const std::function<void()>& read);

// Tells the user interface the package path and the overwrite answer, and
// that the paths the user gave are shown as given.
void showArguments(ConsoleUserInterface& ui, const CommandArguments& a, const std::string& startFolder);

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

// The run's language's overwrite question ("runinfo" "create"), or the
// built-in one where its file gives none.
std::string overwriteQuestion(const ConsoleRun& run);

// Each line the work folder's set-up and removal reported, as an error.
void reportWorkFolderTrouble(ConsoleUserInterface& ui, const std::string& lines);

}  // namespace console
