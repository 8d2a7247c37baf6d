// The work files go into a fresh temporary program folder, which holds a
// copy of the self-extractor module and is removed afterwards.
#include "tools/console/t13_command.h"

#include <optional>
#include <ostream>
#include <sstream>

#include "platform/file_system.h"
#include "shell/command_runner.h"
#include "t13addon/generate_t13_addon.h"
#include "t13addon/t13_batch_file.h"
#include "t13addon/t13_builder.h"
#include "tools/console/command_support.h"
#include "tools/console/console_user_interface.h"
#include "tools/console/work_folder.h"

namespace console {

std::string t13Help(const ConsoleTexts& texts) { return commandHelp(texts, ConsoleText::T13Usage, ConsoleText::T13Help); }

namespace {

struct PendingItem {
    std::string path;
    t13addon::PackItemKind kind;
};

struct T13Arguments {
    t13addon::T13Builder fields;  // the boxes and options
    std::vector<PendingItem> items;
    std::vector<std::string> runCommands;
    std::string sfx;
    std::string shownSfx;
    CommandArguments shared;  // the package path, --overwrite, the paths as given
};

// Throws platform::Error(BadInput) naming the argument that cannot be used.
void parseArguments(const std::vector<std::string>& args, const std::string& startFolder, ConsoleRun& run,
                    T13Arguments& a) {
    const ConsoleTexts& texts = run.texts;
    readArguments(args, startFolder, run, a.shared, [&](const std::vector<std::string>& words, std::size_t& i) {
        const std::string& option = words[i];
        const bool known = option == "--name" || option == "--version" || option == "--extract-path" ||
                           option == "--run" || option == "--sfx" || option == "--item" ||
                           option == "--integrator" || option == "--compression";
        if (!known) refuse(texts(ConsoleText::UnknownOption, {option, "t13"}));
        const std::string& value = optionValue(words, i, texts);
        if (option == "--name") a.fields.packageNameText = value;
        else if (option == "--version") a.fields.versionText = value;
        else if (option == "--extract-path") a.fields.extractPathText = value;
        else if (option == "--run") a.runCommands.push_back(value);
        else if (option == "--sfx") {
            a.sfx = absoluteFrom(startFolder, value);
            a.shownSfx = value;
        } else if (option == "--item") {
            const std::string item = a.shared.givenPath(startFolder, value);
            if (!platform::fileExists(item) && !platform::folderExists(item))
                refuse(texts(ConsoleText::ItemMissing, {platform::nativePath(value)}));
            a.items.push_back({item, platform::folderExists(item) ? t13addon::PackItemKind::Folder
                                                                   : t13addon::PackItemKind::Files});
        } else if (option == "--integrator") {
            if (value != "nlite" && value != "rvmi") refuse(texts(ConsoleText::BadValue, {option, texts(ConsoleText::IntegratorValues), value}));
            a.fields.integrator = value == "nlite" ? t13addon::Integrator::NLite : t13addon::Integrator::RvmIntegrator;
        } else {
            if (value != "store" && value != "high") refuse(texts(ConsoleText::BadValue, {option, texts(ConsoleText::CompressionValues), value}));
            a.fields.storeOnly = value == "store";
        }
    });
    if (a.shared.help) return;
    a.shared.defaultOutput(startFolder,
                           t13addon::defaultPackageFileName(a.fields.packageNameText, a.fields.versionText));
    if (a.sfx.empty()) {
        a.sfx = platform::joinPath(platform::executableFolder(), t13addon::kSfxModuleName);
        a.shownSfx = a.sfx;
    }
}

}  // namespace

int runT13Command(const std::vector<std::string>& args, ConsoleRun run) {
    const std::string startFolder = platform::currentDirectory();
    T13Arguments a;
    if (const std::optional<int> ended = startCommand(run, {"t13", ConsoleText::T13Usage, ConsoleText::T13Help}, a.shared,
                                                      [&] { parseArguments(args, startFolder, run, a); }))
        return *ended;

    ConsoleUserInterface ui(run);
    showArguments(ui, a.shared, startFolder);
    a.sfx = platform::resolveLetterCase(a.sfx);
    ui.addShownPath(a.sfx, a.shownSfx);
    if (!platform::fileExists(a.sfx)) {
        ui.error(run.texts(ConsoleText::SfxMissing, {platform::nativePath(a.shownSfx)}));
        return ui.finish(shell::GenerateOutcome::Refused);
    }

    shell::GenerateOutcome outcome = shell::GenerateOutcome::Failed;
    // The items and run commands go in through the builder's own buttons.
    for (const PendingItem& item : a.items) {
        a.fields.addKind = item.kind;
        if (item.kind == t13addon::PackItemKind::Folder) ui.queueFolder(item.path);
        else ui.queueOpenFile(item.path);
        t13addon::addPackItems(a.fields, ui);
    }
    platform::setCurrentDirectory(startFolder);
    for (const std::string& command : a.runCommands) {
        a.fields.runCommandText = command;
        t13addon::addRunCommand(a.fields, ui);
    }
    shell::ToolCommandRunner runner(ui);
    std::ostringstream workFolderTrouble;
    runInWorkFolder("tolvane-t13", startFolder, runner, workFolderTrouble, run.texts, ui, [&](const std::string& workFolder) {
        ui.addShownPath(workFolder, workFolder);
        const ToolOutputRoute route(ui, run.verbose, workFolder);
        ui.setPackingText(run.texts(ConsoleText::ProgressT13, {platform::nativePath(a.shared.shownOutput)}));
        platform::copyFile(a.sfx, platform::joinPath(workFolder, t13addon::kSfxModuleName));
        outcome = t13addon::GenerateT13Addon(a.fields, ui, runner, overwriteQuestion(run));
        if (!shell::packageMade(outcome)) ui.keepToolOutputForFailure();
    });
    reportWorkFolderTrouble(ui, workFolderTrouble.str());
    return ui.finish(outcome);
}

int runT13Command(const std::vector<std::string>& args, std::ostream& err) {
    ConsoleRun run;
    run.err = &err;
    return runT13Command(args, run);
}

}  // namespace console
