#include "tools/console/command_support.h"

#include <ostream>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "shell/window_texts.h"
#include "tools/console/work_folder.h"

namespace console {

void refuse(const std::string& message) { throw platform::Error(platform::ErrorKind::BadInput, message); }

std::string CommandArguments::givenPath(const std::string& startFolder, const std::string& path) {
    const std::string composed = absoluteFrom(startFolder, path);
    givenPaths.emplace_back(composed, path);
    return composed;
}

void CommandArguments::defaultOutput(const std::string& startFolder, const std::string& fileName) {
    if (!output.empty()) return;
    shownOutput = fileName;
    output = platform::joinPath(startFolder, shownOutput);
}

void readArguments(const std::vector<std::string>& args, const std::string& startFolder, ConsoleRun& run,
                   CommandArguments& a, const OwnOptionReader& takeOwn) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (isHelpOption(option)) {
            a.help = true;
            return;
        }
        if (takeCommonOption(args, i, run)) continue;
        if (option == "--overwrite") {
            // Alone, or before another option, it means yes.
            a.overwrite = true;
            if (i + 1 < args.size() && (args[i + 1] == "yes" || args[i + 1] == "no")) a.overwrite = args[++i] == "yes";
            else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0)
                refuse(run.texts(ConsoleText::BadValue, {option, run.texts(ConsoleText::YesOrNo), args[i + 1]}));
        } else if (option == "--output") {
            const std::string& value = optionValue(args, i, run.texts);
            a.output = absoluteFrom(startFolder, value);
            a.shownOutput = value;
        } else {
            takeOwn(args, i);
        }
    }
}

const std::string& optionValue(const std::vector<std::string>& args, std::size_t& i, const ConsoleTexts& texts) {
    if (i + 1 >= args.size()) refuse(texts(ConsoleText::NeedsValue, {args[i]}));
    return args[++i];
}

std::optional<int> startCommand(const ConsoleRun& run, const CommandHelp& command, const CommandArguments& a,
                                const std::function<void()>& read) {
    try {
        read();
    } catch (const platform::Error& e) {
        return refuseArguments(run, e.what(), command.usage, std::string(kProgramName) + " " + command.word);
    }
    if (a.help) {
        *run.out << commandHelp(run.texts, command.usage, command.options);
        return 0;
    }
    return std::nullopt;
}

void showArguments(ConsoleUserInterface& ui, const CommandArguments& a, const std::string& startFolder) {
    ui.setOutput(a.output, a.shownOutput, a.overwrite);
    // Paths below the current folder that the user did not give: the system's separators.
    ui.addShownPath(startFolder, startFolder);
    for (const auto& [composed, given] : a.givenPaths) ui.addShownPath(composed, given);
}

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
    const std::string question = shell::overwriteQuestionText(run.language);
    return question.empty() ? shell::overwriteQuestionText({}) : question;
}

void reportWorkFolderTrouble(ConsoleUserInterface& ui, const std::string& lines) {
    std::size_t start = 0;
    for (std::size_t end; (end = lines.find('\n', start)) != std::string::npos; start = end + 1)
        if (end > start) ui.error(lines.substr(start, end - start));
}

}  // namespace console
