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
#include "shell/error_text.h"
#include "shell/package_name_rule.h"
#include "shell/ui_strings.h"
#include "tools/console/console_language.h"
#include "tools/console/console_texts.h"

namespace inftext {

namespace {

using console::ConsoleText;
using console::ConsoleTexts;

struct Options {
    std::optional<std::string> name, version, out;
    std::string dirId = infaddon::kDefaultDirId;
    std::string website;
    bool log = false;
    std::string language;
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

// The name after the last --language, or empty.
std::string requestedLanguage(const std::vector<std::string>& args) {
    std::string language;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--language") language = args[++i];
    return language;
}

// Reads the arguments; an empty text on success, else what is wrong.
std::string parse(const std::vector<std::string>& args, const ConsoleTexts& texts, Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) return false;
            into = args[++i];
            return true;
        };
        std::string v;
        if (a == "--name" || a == "--version" || a == "--out" || a == "--dir-id" || a == "--website" ||
            a == "--language") {
            if (!value(v)) return texts(ConsoleText::NeedsValue, {a});
            if (a == "--name") o.name = v;
            else if (a == "--version") o.version = v;
            else if (a == "--out") o.out = v;
            else if (a == "--dir-id") o.dirId = v;
            else if (a == "--language") o.language = v;
            else o.website = v;
        } else if (a == "--log") {
            o.log = true;
        } else if (a.rfind("--", 0) == 0) {
            return texts(ConsoleText::InfTextUnknownOption, {a});
        } else {
            o.sources.push_back(a);
        }
    }
    if (!o.name || o.name->empty()) return texts(ConsoleText::InfNoName);
    if (!o.version) return texts(ConsoleText::InfNoVersion);
    if (!o.out || o.out->empty()) return texts(ConsoleText::InfTextNoOutput);
    if (o.sources.empty()) return texts(ConsoleText::InfTextNoSource);
    if (!isDirIdCode(o.dirId)) return texts(ConsoleText::InfTextBadDirId, {o.dirId, dirIdCodes()});
    return {};
}

// Why a source folder cannot be scanned, before anything is written.
std::optional<std::string> sourceFolderProblem(const std::string& folder, const ConsoleTexts& texts) {
    if (platform::folderExists(folder)) return std::nullopt;
    if (platform::fileExists(folder)) return texts(ConsoleText::SourceIsFile, {folder});
    return texts(ConsoleText::InfTextSourceMissing, {folder});
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
    // The language first: every refusal below is told in it.
    console::ConsoleLanguage language;
    ConsoleTexts consoleTexts;
    try {
        language = console::chooseConsoleLanguage(requestedLanguage(args));
        consoleTexts = ConsoleTexts::fromLanguageFile(language.file);
    } catch (const platform::Error& e) {
        err << "tolvane-inftext: " << e.what() << "\n" << consoleTexts(ConsoleText::InfTextUsage) << "\n";
        return 2;
    }
    Options o;
    const std::string problem = parse(args, consoleTexts, o);
    if (!problem.empty()) {
        err << "tolvane-inftext: " << problem << "\n" << consoleTexts(ConsoleText::InfTextUsage) << "\n";
        return 2;
    }

    infaddon::AddonProject project;
    project.PackageName = *o.name;
    project.PackageVersion = *o.version;
    project.Website = o.website;
    // The same rules as the builder's Generate: the files written here are the package's.
    // The builder's refusals and the scan's log in the same language: its
    // file's message texts (the built-in ones where there is none).
    const shell::LanguageState languageState = console::languageStateOf(language);
    const shell::LanguageTexts texts(languageState);
    for (const auto& refusal :
         {shell::packageNameProblem(project.PackageName, texts), infaddon::typedTextProblem(project, texts)})
        if (refusal) {
            err << "tolvane-inftext: " << *refusal << "\n";
            return 2;
        }
    // The builder scans what is there and logs a missing folder; this tool's
    // caller would get an INF without that folder's files and no error.
    for (const auto& source : o.sources)
        if (const auto refusal = sourceFolderProblem(source, consoleTexts)) {
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
                shell::filledValue(texts.messageText(shell::MessageKey::ScanFolderMissing), line).has_value();
            missing = missing || folderMissing;
            if (o.log || folderMissing) out << line << "\n";
        }
        out << state.ProgressLabel << "\n";
        if (missing)
            throw platform::Error(platform::ErrorKind::FileNotFound, consoleTexts(ConsoleText::InfTextFolderWentAway));
        platform::createFolders(*o.out);
        platform::setProgramFolder(*o.out);
        writeFiles(project, state);
        platform::setProgramFolder(programFolderBefore);
    } catch (const platform::Error& e) {
        platform::setProgramFolder(programFolderBefore);
        err << "tolvane-inftext: " << shell::errorText(texts, e) << "\n";
        return 1;
    }
    out << consoleTexts(ConsoleText::InfTextWritten, {state.PackageName, *o.out}) << "\n";
    return 0;
}

}  // namespace inftext
