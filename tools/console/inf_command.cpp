#include "tools/console/inf_command.h"

#include <cstdio>
#include <optional>
#include <ostream>

#include "infaddon/addon_project.h"
#include "infaddon/directory_tables.h"
#include "infaddon/generate.h"
#include "infaddon/inf_builder.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/command_runner.h"
#include "shell/window_texts.h"
#include "shortcuts/shortcut_editor.h"
#include "tools/console/console_user_interface.h"
#include "tools/console/work_folder.h"

namespace console {

const char* const kInfUsage =
    "usage: tolvane-console inf --name NAME --version VERSION --source [DIRID=]FOLDER [--source ...]\n"
    "         [--website URL] [--reg FILE] [--extra NUMBER=FILE ...] [--patch-extra NUMBER=FILE ...]\n"
    "         [--shortcut NAME=TARGET [--place desktop|startmenu|quicklaunch] [--menu-folder FOLDER]\n"
    "                                 [--arguments TEXT] [--start-in FOLDER] [--description TEXT]] ...\n"
    "         [--output FILE] [--overwrite [yes|no]]\n"
    "  --source       a folder of the application; DIRID is its destination code (default 16422,\n"
    "                 Program Files; e.g. 10 Windows, 11 System32). Repeat for more folders.\n"
    "  --reg          a .reg file whose values the package sets (converted by reg2inf)\n"
    "  --extra        a file for setup's own file tables, in the numbered setup folder NUMBER\n"
    "                 (disk code 1); --patch-extra the same in patch mode (disk code 100)\n"
    "  --shortcut     a shortcut named NAME to TARGET (the installed program's full path, e.g.\n"
    "                 %ProgramFiles%\\App\\app.exe); the options after it describe it: where it goes\n"
    "                 (default desktop), the start-menu folder, run arguments, the folder it starts\n"
    "                 in (default the target's folder) and its description (default NAME)\n"
    "  --output       the package (default: NAME_VERSION_Addon.cab in the current folder)\n"
    "  --overwrite    replace an existing package (default: no)\n"
    "Exit status 0 only when the package was made.\n";

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
    std::string output;
    bool overwrite = false;
};

[[noreturn]] void refuse(const std::string& message) { throw platform::Error(platform::ErrorKind::BadInput, message); }

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

void addSource(InfArguments& a, const std::string& value, const std::string& startFolder) {
    auto [code, folder] = splitCode(value);
    const std::optional<std::size_t> row = rowOf(infaddon::DirIdTable, code);
    if (!code.empty() && !row)
        refuse("\"" + code + "\" in --source " + value + " is no destination code of the table (16422 Program Files, "
               "10 Windows, 11 System32, ...).");
    folder = absoluteFrom(startFolder, folder);
    if (platform::fileExists(folder))
        refuse("The source folder " + folder + " is a file, not a folder. Give the folder that holds the "
               "application's files.");
    if (!platform::folderExists(folder)) refuse("The source folder " + folder + " does not exist.");
    a.sources.push_back({row, folder});
}

void addExtra(InfArguments& a, const std::string& option, const std::string& value, const std::string& startFolder) {
    auto [number, file] = splitCode(value);
    if (number.empty()) refuse(option + " " + value + " needs a setup folder number: " + option + " NUMBER=FILE.");
    const std::optional<std::size_t> row = rowOf(infaddon::SetupDirTable, number);
    if (!row) refuse("\"" + number + "\" in " + option + " " + value + " is no numbered setup folder of the table.");
    file = absoluteFrom(startFolder, file);
    if (!platform::fileExists(file)) refuse("The extra file " + file + " does not exist.");
    a.extras.push_back({*row, file,
                        option == "--patch-extra" ? infaddon::DiskCodeOption::Patch : infaddon::DiskCodeOption::WholeFile});
}

PendingShortcut& lastShortcut(InfArguments& a, const std::string& option) {
    if (a.shortcuts.empty()) refuse(option + " describes a shortcut: give --shortcut NAME=TARGET before it.");
    return a.shortcuts.back();
}

void describeShortcut(InfArguments& a, const std::string& option, const std::string& value) {
    PendingShortcut& s = lastShortcut(a, option);
    if (option == "--place") {
        if (value == "desktop") s.place = shortcuts::ShortcutPlace::Desktop;
        else if (value == "startmenu") s.place = shortcuts::ShortcutPlace::StartMenu;
        else if (value == "quicklaunch") s.place = shortcuts::ShortcutPlace::QuickLaunch;
        else refuse("--place takes desktop, startmenu or quicklaunch, not \"" + value + "\".");
    } else if (option == "--menu-folder") s.menuFolder = value;
    else if (option == "--arguments") s.arguments = value;
    else if (option == "--start-in") s.startIn = value;
    else s.description = value;
}

// Throws platform::Error(BadInput) naming the argument that cannot be used.
InfArguments parseArguments(const std::vector<std::string>& args, const std::string& startFolder) {
    InfArguments a;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--overwrite") {
            a.overwrite = true;
            if (i + 1 < args.size() && (args[i + 1] == "yes" || args[i + 1] == "no")) a.overwrite = args[++i] == "yes";
            else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0)
                refuse("--overwrite takes yes or no (alone it means yes), not \"" + args[i + 1] + "\".");
            continue;
        }
        if (i + 1 >= args.size()) refuse("\"" + option + "\" needs a value.");
        const std::string& value = args[++i];
        if (option == "--name") a.name = value;
        else if (option == "--version") a.version = value;
        else if (option == "--website") a.website = value;
        else if (option == "--reg") a.regFile = absoluteFrom(startFolder, value);
        else if (option == "--output") a.output = absoluteFrom(startFolder, value);
        else if (option == "--source") addSource(a, value, startFolder);
        else if (option == "--extra" || option == "--patch-extra") addExtra(a, option, value, startFolder);
        else if (option == "--shortcut") {
            const std::size_t eq = value.find('=');
            if (eq == std::string::npos || eq == 0 || eq + 1 == value.size())
                refuse("--shortcut takes NAME=TARGET, not \"" + value + "\".");
            PendingShortcut s;
            s.linkName = value.substr(0, eq);
            s.target = value.substr(eq + 1);
            a.shortcuts.push_back(s);
        } else if (option == "--place" || option == "--menu-folder" || option == "--arguments" ||
                   option == "--start-in" || option == "--description") {
            describeShortcut(a, option, value);
        } else {
            refuse("\"" + option + "\" is not an option of the inf command.");
        }
    }
    if (a.output.empty())
        a.output = platform::joinPath(startFolder, infaddon::DefaultPackageFileName(a.name, a.version));
    return a;
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
void fillBuilder(const InfArguments& a, infaddon::InfBuilder& builder, ConsoleUserInterface& ui) {
    builder.project.PackageName = a.name;
    builder.project.PackageVersion = a.version;
    builder.project.Website = a.website;
    if (!a.regFile.empty()) {
        ui.queueOpenFile(a.regFile);
        infaddon::ChooseRegistryFile(builder, ui);
    }
    for (const PendingSource& source : a.sources) {
        builder.openFolder = source.folder;
        infaddon::AddSourceFolder(builder, ui, source.dirIdRow);
    }
    for (const PendingExtra& extra : a.extras) {
        builder.diskCodeOption = extra.option;
        ui.queueOpenFile(extra.file);
        const std::size_t before = builder.project.ExtraFiles.size();
        infaddon::AddExtraFiles(builder, ui, extra.setupDirRow);
        if (builder.project.ExtraFiles.size() == before) refuse("The extra file " + extra.file + " was not added.");
    }

    shortcuts::ShortcutEditor editor(builder);
    for (const PendingShortcut& s : a.shortcuts) {
        shortcuts::ChooseShortcutPlace(editor, ui, s.place);
        editor.targetPathText = s.target;
        editor.startInText = s.startIn.empty() ? defaultStartIn(s.target) : s.startIn;
        editor.descriptionText = s.description.empty() ? s.linkName : s.description;
        editor.linkNameText = s.linkName;
        editor.menuFolderText = s.menuFolder;
        editor.argumentsText = s.arguments;
        shortcuts::AddShortcut(editor, ui);
    }
}

}  // namespace

int RunInfCommand(const std::vector<std::string>& args, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        err << kInfUsage;
        return 0;
    }
    const std::string startFolder = platform::currentDirectory();
    InfArguments a;
    try {
        a = parseArguments(args, startFolder);
    } catch (const platform::Error& e) {
        err << e.what() << "\n" << kInfUsage;
        return 2;
    }

    shell::GenerateOutcome outcome = shell::GenerateOutcome::Failed;
    ConsoleUserInterface ui(a.output, a.overwrite);
    infaddon::InfBuilder builder;
    try {
        fillBuilder(a, builder, ui);
    } catch (const platform::Error& e) {
        platform::setCurrentDirectory(startFolder);
        err << e.what() << "\n";
        return 1;
    }
    platform::setCurrentDirectory(startFolder);
    shell::ToolCommandRunner runner(ui);
    runInWorkFolder("tolvane-inf", startFolder, runner, err, [&](const std::string&) {
        // No language file is loaded here: the built-in overwrite question.
        outcome = infaddon::GenerateInfPackage(builder, ui, runner, shell::OverwriteQuestionText({}));
        for (const std::string& line : builder.build.RunLog) std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    });
    return shell::exitStatusOf(outcome);
}

}  // namespace console
