#include "tools/console/inf_command.h"

#include <optional>
#include <ostream>
#include <sstream>

#include "infaddon/addon_project.h"
#include "infaddon/directory_tables.h"
#include "infaddon/generate.h"
#include "infaddon/inf_builder.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/command_runner.h"
#include "shortcuts/shortcut_editor.h"
#include "tools/console/console_user_interface.h"
#include "tools/console/command_support.h"
#include "tools/console/work_folder.h"
#include "shell/error_text.h"

namespace console {

std::string infHelp(const ConsoleTexts& texts) { return commandHelp(texts, ConsoleText::InfUsage, ConsoleText::InfHelp); }

namespace {

struct PendingShortcut {
    std::string linkName;
    std::string target;
    shortcuts::ShortcutPlace place = shortcuts::ShortcutPlace::Desktop;
    std::string menuFolder;
    std::string arguments;
    std::string startIn;
    std::string description;
};

struct PendingSource {
    std::optional<std::size_t> dirIdRow;  // the chosen code's row; none: the default
    std::string folder;
};

struct PendingExtra {
    std::size_t setupDirRow;
    std::string file;
    infaddon::DiskCodeOption option;
};

// What the arguments ask the builder's buttons to do.
struct InfArguments {
    std::string name;
    std::string version;
    std::string website;
    std::string regFile;
    std::vector<PendingSource> sources;
    std::vector<PendingExtra> extras;
    std::vector<PendingShortcut> shortcuts;
    CommandArguments shared;  // the package path, --overwrite, the paths as given
};

bool allDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// The row of `code` in a table, as the user would select it.
template <std::size_t N>
std::optional<std::size_t> rowOf(const std::array<infaddon::DirTableRow, N>& table, const std::string& code) {
    for (std::size_t i = 0; i < N; ++i)
        if (code == table[i].code) return i;
    return std::nullopt;
}

// "CODE=REST": the code when the text before the first "=" is all digits.
std::pair<std::string, std::string> splitCode(const std::string& value) {
    const std::size_t eq = value.find('=');
    if (eq != std::string::npos && allDigits(value.substr(0, eq))) return {value.substr(0, eq), value.substr(eq + 1)};
    return {{}, value};
}

void addSource(InfArguments& a, const ConsoleTexts& texts, const std::string& value, const std::string& startFolder) {
    auto [code, folder] = splitCode(value);
    const std::optional<std::size_t> row = rowOf(infaddon::DirIdTable, code);
    if (!code.empty() && !row)
        refuse(texts(ConsoleText::BadDirId, {code, value}));
    const std::string given = folder;
    folder = a.shared.givenPath(startFolder, folder);
    if (platform::fileExists(folder)) refuse(texts(ConsoleText::SourceIsFile, {platform::nativePath(given)}));
    if (!platform::folderExists(folder)) refuse(texts(ConsoleText::SourceMissing, {platform::nativePath(given)}));
    a.sources.push_back({row, folder});
}

void addExtra(InfArguments& a, const ConsoleTexts& texts, const std::string& option, const std::string& value,
              const std::string& startFolder) {
    auto [number, file] = splitCode(value);
    if (number.empty()) refuse(texts(ConsoleText::ExtraNeedsNumber, {option, value}));
    const std::optional<std::size_t> row = rowOf(infaddon::SetupDirTable, number);
    if (!row) refuse(texts(ConsoleText::BadSetupNumber, {number, option, value}));
    const std::string given = file;
    file = a.shared.givenPath(startFolder, file);
    if (!platform::fileExists(file)) refuse(texts(ConsoleText::ExtraMissing, {platform::nativePath(given)}));
    a.extras.push_back({*row, file,
                        option == "--patch-extra" ? infaddon::DiskCodeOption::Patch : infaddon::DiskCodeOption::WholeFile});
}

PendingShortcut& lastShortcut(InfArguments& a, const ConsoleTexts& texts, const std::string& option) {
    if (a.shortcuts.empty()) refuse(texts(ConsoleText::ShortcutFirst, {option}));
    return a.shortcuts.back();
}

void describeShortcut(InfArguments& a, const ConsoleTexts& texts, const std::string& option,
                      const std::string& value) {
    PendingShortcut& s = lastShortcut(a, texts, option);
    if (option == "--place") {
        if (value == "desktop") s.place = shortcuts::ShortcutPlace::Desktop;
        else if (value == "startmenu") s.place = shortcuts::ShortcutPlace::StartMenu;
        else if (value == "quicklaunch") s.place = shortcuts::ShortcutPlace::QuickLaunch;
        else refuse(texts(ConsoleText::BadValue, {option, texts(ConsoleText::PlaceValues), value}));
    } else if (option == "--menu-folder") s.menuFolder = value;
    else if (option == "--arguments") s.arguments = value;
    else if (option == "--start-in") s.startIn = value;
    else s.description = value;
}

// Throws platform::Error(BadInput) naming the argument that cannot be used.
void parseArguments(const std::vector<std::string>& args, const std::string& startFolder, ConsoleRun& run,
                    InfArguments& a) {
    const ConsoleTexts& texts = run.texts;
    readArguments(args, startFolder, run, a.shared, [&](const std::vector<std::string>& words, std::size_t& i) {
        const std::string& option = words[i];
        const std::string& value = optionValue(words, i, texts);
        if (option == "--name") a.name = value;
        else if (option == "--version") a.version = value;
        else if (option == "--website") a.website = value;
        else if (option == "--reg") a.regFile = a.shared.givenPath(startFolder, value);
        else if (option == "--source") addSource(a, texts, value, startFolder);
        else if (option == "--extra" || option == "--patch-extra") addExtra(a, texts, option, value, startFolder);
        else if (option == "--shortcut") {
            const std::size_t eq = value.find('=');
            if (eq == std::string::npos || eq == 0 || eq + 1 == value.size())
                refuse(texts(ConsoleText::ShortcutForm, {value}));
            PendingShortcut s;
            s.linkName = value.substr(0, eq);
            s.target = value.substr(eq + 1);
            a.shortcuts.push_back(s);
        } else if (option == "--place" || option == "--menu-folder" || option == "--arguments" ||
                   option == "--start-in" || option == "--description") {
            describeShortcut(a, texts, option, value);
        } else {
            refuse(texts(ConsoleText::UnknownOption, {option, "inf"}));
        }
    });
    if (!a.shared.help) a.shared.defaultOutput(startFolder, infaddon::defaultPackageFileName(a.name, a.version));
}

// The folder a shortcut starts in when none is given: the target's folder. A
// drive root keeps its backslash ("C:\\", as the shortcut editor's Get gives
// it): "C:" alone would mean the current folder of drive C.
std::string defaultStartIn(const std::string& target) {
    const std::string folder = platform::parentPath(target);
    if (folder.size() == 2 && folder[1] == ':') return folder + "\\";
    return folder;
}

// Fills the builder as a user would: the boxes, then the buttons' commands
// with the dialogs answered from the arguments. The shortcuts' group key
// takes the name of the last source folder, the folder still open in the
// folder tree. Throws platform::Error when a command added nothing.
void fillBuilder(const InfArguments& a, const ConsoleTexts& texts, infaddon::InfBuilder& builder,
                 ConsoleUserInterface& ui) {
    builder.project.PackageName = a.name;
    builder.project.PackageVersion = a.version;
    builder.project.Website = a.website;
    if (!a.regFile.empty()) {
        ui.queueOpenFile(a.regFile);
        infaddon::chooseRegistryFile(builder, ui);
    }
    for (const PendingSource& source : a.sources) {
        builder.openFolder = source.folder;
        infaddon::addSourceFolder(builder, ui, source.dirIdRow);
    }
    for (const PendingExtra& extra : a.extras) {
        builder.diskCodeOption = extra.option;
        ui.queueOpenFile(extra.file);
        const std::size_t before = builder.project.ExtraFiles.size();
        infaddon::addExtraFiles(builder, ui, extra.setupDirRow);
        if (builder.project.ExtraFiles.size() == before) refuse(texts(ConsoleText::ExtraNotAdded, {extra.file}));
    }

    shortcuts::ShortcutEditor editor(builder);
    for (const PendingShortcut& s : a.shortcuts) {
        shortcuts::chooseShortcutPlace(editor, ui, s.place);
        editor.targetPathText = s.target;
        editor.startInText = s.startIn.empty() ? defaultStartIn(s.target) : s.startIn;
        editor.descriptionText = s.description.empty() ? s.linkName : s.description;
        editor.linkNameText = s.linkName;
        editor.menuFolderText = s.menuFolder;
        editor.argumentsText = s.arguments;
        shortcuts::addShortcut(editor, ui);
    }
}

}  // namespace

int runInfCommand(const std::vector<std::string>& args, ConsoleRun run) {
    const std::string startFolder = platform::currentDirectory();
    InfArguments a;
    if (const std::optional<int> ended = startCommand(run, {"inf", ConsoleText::InfUsage, ConsoleText::InfHelp}, a.shared,
                                                      [&] { parseArguments(args, startFolder, run, a); }))
        return *ended;

    ConsoleUserInterface ui(run);
    showArguments(ui, a.shared, startFolder);
    infaddon::InfBuilder builder;
    try {
        fillBuilder(a, run.texts, builder, ui);
    } catch (const platform::Error& e) {
        platform::setCurrentDirectory(startFolder);
        ui.error(shell::errorText(ui, e));
        return ui.finish(shell::GenerateOutcome::Failed);
    }
    platform::setCurrentDirectory(startFolder);
    shell::GenerateOutcome outcome = shell::GenerateOutcome::Failed;
    shell::ToolCommandRunner runner(ui);
    std::ostringstream workFolderTrouble;
    runInWorkFolder("tolvane-inf", startFolder, runner, workFolderTrouble, run.texts, ui, [&](const std::string& workFolder) {
        ui.addShownPath(workFolder, workFolder);
        const ToolOutputRoute route(ui, run.verbose, workFolder);
        ui.followScan(builder.build.RunLog);
        // The texts of the chosen language file: its overwrite question.
        outcome = infaddon::generateInfPackage(builder, ui, runner, overwriteQuestion(run),
                                               [&] { ui.followScan(builder.build.RunLog); });
        ui.followScan(builder.build.RunLog);
        if (!shell::packageMade(outcome)) ui.keepToolOutputForFailure();
    });
    reportWorkFolderTrouble(ui, workFolderTrouble.str());
    return ui.finish(outcome);
}

int runInfCommand(const std::vector<std::string>& args, std::ostream& err) {
    ConsoleRun run;
    run.err = &err;
    return runInfCommand(args, run);
}

}  // namespace console
