// The work files go into a fresh temporary program folder, which holds a
// copy of the self-extractor module and is removed afterwards.
#include "tools/console/t13_command.h"

#include <ostream>

#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/window_texts.h"
#include "shell/command_runner.h"
#include "t13addon/generate_t13_addon.h"
#include "t13addon/t13_builder.h"
#include "t13addon/t13_batch_file.h"
#include "tools/console/console_user_interface.h"
#include "tools/console/work_folder.h"

namespace console {

const char* const kT13Usage =
    "usage: tolvane-console t13 --name NAME --version VERSION --item PATH [--item PATH ...]\n"
    "         [--extract-path PATH] [--run COMMAND ...] [--integrator nlite|rvmi]\n"
    "         [--compression store|high] [--output FILE] [--overwrite yes|no] [--sfx FILE]\n"
    "  --item          a file, or a folder (packed as FOLDER\\*); repeat for more\n"
    "  --extract-path  where the installer unpacks (default: a temporary folder)\n"
    "  --run           a command the installer runs after unpacking; repeat for more\n"
    "  --integrator    nlite (default) or rvmi\n"
    "  --compression   high (default, -mx9) or store (-mx0) for the items\n"
    "  --output        the package (default: NAME_VERSION_Addon.7z in the current folder)\n"
    "  --overwrite     replace an existing package (default: no)\n"
    "  --sfx           the self-extractor module (default: 7zs.sfx beside this program)\n"
    "Exit status 0 only when the package was made.\n";

namespace {

struct PendingItem {
    std::string path;
    t13addon::PackItemKind kind;
};

struct T13Arguments {
    t13addon::T13Builder fields;  // the boxes and options
    std::vector<PendingItem> items;
    std::vector<std::string> runCommands;
    std::string output;
    bool overwrite = false;
    std::string sfx;
};

// Throws platform::Error(BadInput) naming the argument that cannot be used.
T13Arguments parseArguments(const std::vector<std::string>& args, const std::string& startFolder) {
    T13Arguments a;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (i + 1 >= args.size())
            throw platform::Error(platform::ErrorKind::BadInput, "\"" + option + "\" needs a value.");
        const std::string& value = args[++i];
        if (option == "--name") a.fields.packageNameText = value;
        else if (option == "--version") a.fields.versionText = value;
        else if (option == "--extract-path") a.fields.extractPathText = value;
        else if (option == "--run") a.runCommands.push_back(value);
        else if (option == "--output") a.output = absoluteFrom(startFolder, value);
        else if (option == "--sfx") a.sfx = absoluteFrom(startFolder, value);
        else if (option == "--item") {
            const std::string item = absoluteFrom(startFolder, value);
            if (!platform::fileExists(item) && !platform::folderExists(item))
                throw platform::Error(platform::ErrorKind::BadInput, "The item " + item + " does not exist.");
            a.items.push_back({item, platform::folderExists(item) ? t13addon::PackItemKind::Folder
                                                                   : t13addon::PackItemKind::Files});
        } else if (option == "--integrator" && (value == "nlite" || value == "rvmi")) {
            a.fields.integrator = value == "nlite" ? t13addon::Integrator::NLite : t13addon::Integrator::RvmIntegrator;
        } else if (option == "--compression" && (value == "store" || value == "high")) {
            a.fields.storeOnly = value == "store";
        } else if (option == "--overwrite" && (value == "yes" || value == "no")) {
            a.overwrite = value == "yes";
        } else if (option == "--integrator" || option == "--compression" || option == "--overwrite") {
            const char* const choices = option == "--integrator" ? "nlite or rvmi"
                                        : option == "--compression" ? "store or high" : "yes or no";
            throw platform::Error(platform::ErrorKind::BadInput,
                                  option + " takes " + choices + ", not \"" + value + "\".");
        } else {
            throw platform::Error(platform::ErrorKind::BadInput,
                                  "\"" + option + " " + value + "\" is not an option of the t13 command.");
        }
    }
    if (a.output.empty())
        a.output = platform::joinPath(
            startFolder, t13addon::DefaultPackageFileName(a.fields.packageNameText, a.fields.versionText));
    if (a.sfx.empty()) a.sfx = platform::joinPath(platform::executableFolder(), t13addon::kSfxModuleName);
    return a;
}

}  // namespace

int RunT13Command(const std::vector<std::string>& args, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        err << kT13Usage;
        return 0;
    }
    const std::string startFolder = platform::currentDirectory();
    T13Arguments a;
    try {
        a = parseArguments(args, startFolder);
    } catch (const platform::Error& e) {
        err << e.what() << "\n" << kT13Usage;
        return 2;
    }
    a.sfx = platform::resolveLetterCase(a.sfx);
    if (!platform::fileExists(a.sfx)) {
        err << "The self-extractor module " << a.sfx
            << " is missing. Put the modified 7-Zip SFX module (7zSD.sfx by Oleg Scherbakov, renamed to 7zs.sfx; "
               "see t13addon/README.md) beside tolvane-console, or name it with --sfx.\n";
        return 1;
    }

    shell::GenerateOutcome outcome = shell::GenerateOutcome::Failed;
    ConsoleUserInterface ui(a.output, a.overwrite);
    // The items and run commands go in through the builder's own buttons.
    for (const PendingItem& item : a.items) {
        a.fields.addKind = item.kind;
        if (item.kind == t13addon::PackItemKind::Folder) ui.queueFolder(item.path);
        else ui.queueOpenFile(item.path);
        t13addon::AddPackItems(a.fields, ui);
    }
    platform::setCurrentDirectory(startFolder);
    for (const std::string& command : a.runCommands) {
        a.fields.runCommandText = command;
        t13addon::AddRunCommand(a.fields, ui);
    }
    shell::ToolCommandRunner runner(ui);
    runInWorkFolder("tolvane-t13", startFolder, runner, err, [&](const std::string& workFolder) {
        platform::copyFile(a.sfx, platform::joinPath(workFolder, t13addon::kSfxModuleName));
        // No language file is loaded here: the built-in overwrite question.
        outcome = t13addon::GenerateT13Addon(a.fields, ui, runner, shell::OverwriteQuestionText({}));
    });
    return shell::exitStatusOf(outcome);
}

}  // namespace console
