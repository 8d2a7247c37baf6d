#include "tools/inftext/inftext_command.h"

#include <optional>

#include "infaddon/addon_project.h"
#include "infaddon/directory_tables.h"
#include "infaddon/entries_file.h"
#include "infaddon/inf_writer.h"
#include "infaddon/project_checks.h"
#include "infaddon/source_scanner.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "shell/package_name_rule.h"
#include "shell/ui_strings.h"

namespace inftext {

namespace {

const char* const kUsage =
    "Usage: tolvane-inftext --name App --version 1.0 [--dir-id 16422] [--website URL] [--log]\n"
    "                       --out <folder> <source folder>...\n"
    "Scans the application's folders as Tolvane's INF package builder does and writes\n"
    "<name>.inf and Entries_<name>.ini into the output folder.\n"
    "  --dir-id   where the folders are installed: a destination code of the builder's\n"
    "             code list (16422, Program Files, when left out)\n"
    "  --log      also print every folder and file the scan found\n";

struct Options {
    std::optional<std::string> name, version, out;
    std::string dirId = infaddon::kDefaultDirId;
    std::string website;
    bool log = false;
    std::vector<std::string> sources;
};

bool isDirIdCode(const std::string& code) {
    for (const auto& row : infaddon::DirIdTable)
        if (code == row.code) return true;
    return false;
}

std::string dirIdCodes() {
    std::string codes;
    for (const auto& row : infaddon::DirIdTable) codes += (codes.empty() ? "" : ", ") + std::string(row.code);
    return codes;
}

// Reads the arguments; an empty text on success, else what is wrong.
std::string parse(const std::vector<std::string>& args, Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        std::string v;
        if (a == "--name" || a == "--version" || a == "--out" || a == "--dir-id" || a == "--website") {
            if (!value(v)) return a + " needs a value.";
            if (a == "--name") o.name = v;
            else if (a == "--version") o.version = v;
            else if (a == "--out") o.out = v;
            else if (a == "--dir-id") o.dirId = v;
            else o.website = v;
        } else if (a == "--log") {
            o.log = true;
        } else if (a.rfind("--", 0) == 0) {
            return "Unknown option " + a + ".";
        } else {
            o.sources.push_back(a);
        }
    }
    if (!o.name || o.name->empty()) return "Give the package's name with --name.";
    if (!o.version) return "Give the package's version with --version.";
    if (!o.out || o.out->empty()) return "Give the output folder with --out.";
    if (o.sources.empty()) return "Give at least one source folder.";
    if (!isDirIdCode(o.dirId)) return "--dir-id " + o.dirId + " is no destination code; use one of " + dirIdCodes() + ".";
    return {};
}

// Why a source folder cannot be scanned, before anything is written.
std::optional<std::string> sourceFolderProblem(const std::string& folder) {
    if (platform::folderExists(folder)) return std::nullopt;
    if (platform::fileExists(folder))
        return "The source folder " + folder + " is a file, not a folder. Give the folder that holds the "
               "application's files.";
    return "The source folder " + folder + " does not exist. Check the path and run again.";
}

// Writes both files into the program folder; the INF goes again when the
// entries file cannot be written, so a failed run leaves nothing behind.
void writeFiles(const infaddon::AddonProject& project, const infaddon::BuildState& state) {
    infaddon::WriteInfFile(project, state);
    try {
        infaddon::WriteEntriesFile(project, state);
    } catch (...) {
        platform::deleteFile(platform::joinPath(platform::programFolder(), state.PackageName + ".inf"));
        throw;
    }
}

}  // namespace

int runInfTextCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    const std::string problem = parse(args, o);
    if (!problem.empty()) {
        err << "tolvane-inftext: " << problem << "\n" << kUsage;
        return 2;
    }

    infaddon::AddonProject project;
    project.PackageName = *o.name;
    project.PackageVersion = *o.version;
    project.Website = o.website;
    // The same rules as the builder's Generate: the files written here are the package's.
    // The refusals in English, as the rest of this tool speaks: the English
    // language file beside it (the built-in texts where there is none).
    shell::LanguageState english;
    english.languageLoaded = true;
    shell::LoadKeyedTexts(english, platform::joinPath(platform::joinPath(platform::executableFolder(), "lng"),
                                                      "English.lng"));
    const shell::LanguageTexts texts(english);
    for (const auto& refusal :
         {shell::packageNameProblem(project.PackageName, texts), infaddon::typedTextProblem(project, texts)})
        if (refusal) {
            err << "tolvane-inftext: " << *refusal << "\n";
            return 2;
        }
    // The builder scans what is there and logs a missing folder; this tool's
    // caller would get an INF without that folder's files and no error.
    for (const auto& source : o.sources)
        if (const auto refusal = sourceFolderProblem(source)) {
            err << "tolvane-inftext: " << *refusal << "\n";
            return 2;
        }
    for (const auto& source : o.sources) project.addSourceFolder(source, o.dirId);
    infaddon::BuildState state;
    state.resetAtStart();
    state.PackageName = project.PackageName;
    state.PackageVersion = project.PackageVersion;

    const std::string programFolderBefore = platform::programFolder();
    try {
        infaddon::scanSourceFolders(project, state, {}, texts);
        // A folder gone since the check above is shown, and nothing is written.
        bool missing = false;
        for (const auto& line : state.RunLog) {
            const bool folderMissing =
                shell::FilledValue(texts.messageText(shell::MessageKey::ScanFolderMissing), line).has_value();
            missing = missing || folderMissing;
            if (o.log || folderMissing) out << line << "\n";
        }
        out << state.ProgressLabel << "\n";
        if (missing) throw platform::Error(platform::ErrorKind::FileNotFound,
                                           "A source folder went away during the scan; nothing was written.");
        platform::createFolders(*o.out);
        platform::setProgramFolder(*o.out);
        writeFiles(project, state);
        platform::setProgramFolder(programFolderBefore);
    } catch (const platform::Error& e) {
        platform::setProgramFolder(programFolderBefore);
        err << "tolvane-inftext: " << e.what() << "\n";
        return 1;
    }
    out << "Wrote " << state.PackageName << ".inf and Entries_" << state.PackageName << ".ini in " << *o.out << "\n";
    return 0;
}

}  // namespace inftext
