#include "tools/console/command_support.h"

#include "platform/file_system.h"
#include "platform/process.h"
#include "shell/profile_reader.h"
#include "shell/window_texts.h"

namespace console {

ToolOutputRoute::ToolOutputRoute(ConsoleUserInterface& ui, bool verbose, const std::string& workFolder) : ui_(ui) {
    platform::ChildOutput output;
    if (verbose) {
        output.kind = platform::ChildOutput::ErrorStream;
    } else {
        output.kind = platform::ChildOutput::File;
        output.file = platform::joinPath(workFolder, kToolOutputFileName);
        ui.followToolOutput(output.file);
    }
    platform::setChildOutput(output);
}

ToolOutputRoute::~ToolOutputRoute() {
    platform::setChildOutput({});
    ui_.followToolOutput({});
}

std::string overwriteQuestion(const ConsoleRun& run) {
    const std::string question =
        run.languageFile.empty() ? std::string() : shell::ReadProfileString(run.languageFile, "runinfo", "create");
    return question.empty() ? shell::OverwriteQuestionText({}) : question;
}

void reportWorkFolderTrouble(ConsoleUserInterface& ui, const std::string& lines) {
    std::size_t start = 0;
    for (std::size_t end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1)
        if (end > start) ui.error(lines.substr(start, end - start));
}

}  // namespace console
