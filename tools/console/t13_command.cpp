// The work files go into a fresh temporary program folder, which holds a
// copy of the self-extractor module and is removed afterwards.
#include "tools/console/t13_command.h"

#include <ostream>

#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/window_texts.h"
#include "shell/command_runner.h"
#include "t13addon/generate_t13_addon.h"
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

struct T13Arguments {
    t13addon::T13BuilderFields fields;
    std::string output;
    bool overwrite = false;
    std::string sfx;
};

bool isAbsolute(const std::string& path) {
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) || (path.size() >= 2 && path[1] == ':');
}

std::string absoluteFrom(const std::string& folder, const std::string& path) {
    return path.empty() || isAbsolute(path) ? path : platform::joinPath(folder, path);
}

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
        else if (option == "--run") a.fields.runCommands.push_back(value);
        else if (option == "--output") a.output = absoluteFrom(startFolder, value);
        else if (option == "--sfx") a.sfx = absoluteFrom(startFolder, value);
        else if (option == "--item") {
            std::string item = absoluteFrom(startFolder, value);
            // A folder goes in as the builder window adds one: its path and "\*".
            if (platform::folderExists(item)) item = platform::joinPath(item, "*");
            a.fields.packItems.push_back(item);
        } else if (option == "--integrator" && (value == "nlite" || value == "rvmi")) {
            a.fields.integrator = value == "nlite" ? t13addon::Integrator::NLite : t13addon::Integrator::RvmIntegrator;
        } else if (option == "--compression" && (value == "store" || value == "high")) {
            a.fields.storeOnly = value == "store";
        } else if (option == "--overwrite" && (value == "yes" || value == "no")) {
            a.overwrite = value == "yes";
        } else {
            throw platform::Error(platform::ErrorKind::BadInput,
                                  "\"" + option + " " + value + "\" is not an option of the t13 command.");
        }
    }
    if (a.output.empty())
        a.output = platform::joinPath(
            startFolder, t13addon::defaultPackageFileName(a.fields.packageNameText, a.fields.versionText));
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

    t13addon::T13Outcome outcome = t13addon::T13Outcome::Failed;
    ConsoleUserInterface ui(a.output, a.overwrite);
    shell::ToolCommandRunner runner(ui);
    RunInWorkFolder("tolvane-t13", startFolder, runner, err, [&](const std::string& workFolder) {
        platform::copyFile(a.sfx, platform::joinPath(workFolder, t13addon::kSfxModuleName));
        // No language file is loaded here: the built-in overwrite question.
        outcome = t13addon::GenerateT13Addon(a.fields, ui, runner, shell::OverwriteQuestionText({}));
    });
    return outcome == t13addon::T13Outcome::Made ? 0 : 1;
}

}  // namespace console
