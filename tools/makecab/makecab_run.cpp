#include "tools/makecab/makecab_run.h"

#include <chrono>
#include <ctime>
#include <map>

#include "platform/ansi_text_file.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/unicode.h"
#include "tools/makecab/directive_file.h"
#include "tools/makecab/makecab_file_checks.h"
#include "tools/makecab/makecab_output.h"
#include "tools/makecab/makecab_reports.h"

namespace makecab {

namespace {

using platform::Error;
using platform::ErrorKind;

// Where a cabinet (or, with Cabinet=OFF, a file) named `name` goes.
std::string outputPath(const Settings& settings, const std::string& name) {
    if (platform::isAbsolutePath(name) || settings.diskDirectory.empty()) return name;
    return platform::joinPath(settings.diskDirectory, name);
}

std::string withExtensionChar(const std::string& name, char c) {
    if (name.empty()) return name;
    std::string out = name;
    out.back() = c;
    return out;
}

struct Progress {
    std::ostream& out;
    int verbosity;
    void say(int level, const std::string& text) const {
        if (verbosity >= level) out << text << "\n";
    }
};

// A cabinet written over one of its own files would destroy it: refused
// before anything is compressed or written.
void refuseOutputThatIsAnInput(const std::string& output, const std::vector<CheckedFile>& files) {
    for (const CheckedFile& f : files)
        if (platform::samePath(output, f.line.source))
            throw Error(ErrorKind::BadInput, (f.line.lineNumber ? f.line.where() + ": " : "") + "The cabinet \"" +
                                                 output + "\" would replace the file \"" + f.line.source +
                                                 "\" it is to hold. Name another cabinet.");
}

// Cabinet=ON: every checked file into one cabinet.
void writeOneCabinet(const std::vector<CheckedFile>& files, const Settings& settings, RunSummary& summary,
                     const Progress& progress) {
    if (files.empty())
        throw Error(ErrorKind::BadInput, "The directive files name no file, so no cabinet was made.");
    const std::string path = outputPath(settings, settings.cabinetName);
    refuseOutputThatIsAnInput(path, files);
    NewFolders folders;
    folders.makeParentOf(path);
    const std::unique_ptr<platform::AtomicFileWriter> cabinet = writeCabinetBeside(path, files, settings);
    cabinet->commit();
    folders.keep();
    summary.cabinetName = path;
    summary.bytesAfter = cabinet->size();
    progress.say(1, "Wrote \"" + path + "\": " + std::to_string(files.size()) + " files, " +
                        groupDigits(summary.bytesBefore) + " bytes in, " + groupDigits(cabinet->size()) +
                        " bytes out.");
}

// Cabinet=OFF: each file on its own, as a one-file cabinet (Compress=ON,
// the name's last character replaced) or as a plain copy (Compress=OFF).
// All are made beside their targets before any replaces its target.
void writeSeparateFiles(const std::vector<CheckedFile>& files, const Settings& settings, RunSummary& summary,
                        const Progress& progress) {
    std::vector<std::string> paths;
    for (const CheckedFile& f : files) {
        const std::string name = settings.compress
                                     ? withExtensionChar(f.line.storedName, settings.compressedFileExtensionChar)
                                     : f.line.storedName;
        paths.push_back(outputPath(settings, name));
        refuseOutputThatIsAnInput(paths.back(), files);
    }
    NewFolders folders;
    std::vector<std::unique_ptr<platform::AtomicFileWriter>> outputs;
    for (std::size_t i = 0; i < files.size(); ++i) {
        folders.makeParentOf(paths[i]);
        outputs.push_back(settings.compress ? writeCabinetBeside(paths[i], {files[i]}, settings)
                                            : copyBeside(paths[i], files[i]));
    }
    for (const auto& o : outputs) {
        o->commit();
        summary.bytesAfter += o->size();
        progress.say(2, "Wrote \"" + o->path() + "\".");
    }
    folders.keep();
}

// The variables with the command line's /D definitions applied; a bad one
// is named as it was given.
Variables definedVariables(const CommandLine& c) {
    Variables variables;
    for (const auto& d : c.definitions) {
        try {
            variables.set(d.first, d.second);
        } catch (const Error& e) {
            throw Error(e.kind(), "/D " + d.first + "=" + d.second + ": " + e.what());
        }
    }
    return variables;
}

void runDirectiveFiles(const CommandLine& c, RunSummary& summary, const Progress& progress) {
    Variables variables = definedVariables(c);
    std::vector<FileLine> lines;
    for (const std::string& file : c.directiveFiles) {
        const std::vector<FileLine> more = readDirectiveFile(file, variables);
        lines.insert(lines.end(), more.begin(), more.end());
    }
    const Settings settings = settingsFrom(variables);
    summary.infFileName = settings.infFileName;
    summary.rptFileName = settings.rptFileName;
    summary.generateInf = settings.generateInf;
    ErrorList errors(std::stoull(variables.get("MaxErrors")));
    const std::vector<CheckedFile> files = checkFiles(lines, settings, errors);
    if (!errors.messages.empty()) {
        summary.errors = errors.messages;
        return;
    }
    for (const CheckedFile& f : files) {
        summary.files.push_back({f.line.storedName, f.entry.size});
        summary.bytesBefore += f.entry.size;
        progress.say(2, "Adding \"" + f.line.source + "\" as \"" + f.line.storedName + "\".");
    }
    if (settings.cabinet) writeOneCabinet(files, settings, summary, progress);
    else writeSeparateFiles(files, settings, summary, progress);
}

void runOneFile(const CommandLine& c, const Progress& progress) {
    Variables variables = definedVariables(c);
    const Settings settings = settingsFrom(variables);
    FileLine line;
    line.source = c.source;
    line.storedName = platform::baseName(c.source);
    ErrorList errors(1);
    CheckedFile f;
    if (!checkFile(line, settings.nameCodePage, f, errors)) throw Error(ErrorKind::BadInput, errors.messages.at(0));
    const std::string name =
        c.destination.empty() ? withExtensionChar(line.storedName, settings.compressedFileExtensionChar) : c.destination;
    const std::string path = c.locationFolder.empty() || platform::isAbsolutePath(name) ? name : platform::joinPath(c.locationFolder, name);
    refuseOutputThatIsAnInput(path, {f});
    NewFolders folders;
    folders.makeParentOf(path);
    const std::unique_ptr<platform::AtomicFileWriter> cabinet = writeCabinetBeside(path, {f}, settings);
    cabinet->commit();
    folders.keep();
    progress.say(1, "Wrote \"" + path + "\": " + groupDigits(f.entry.size) + " bytes in, " +
                        groupDigits(cabinet->size()) + " bytes out.");
}

// In the ANSI code page as Windows' makecab writes them, or in UTF-8 with a
// byte-order mark where that code page cannot hold a name.
void writeReport(const std::string& path, const std::string& text) {
    if (platform::canEncode(platform::ansiCodePage(), text)) platform::writeAnsiFile(path, text);
    else platform::writeFileAtomic(path, std::string(platform::kUtf8Bom) + text);
}

void writeReports(const RunSummary& summary, std::ostream& err) {
    try {
        if (summary.generateInf && !summary.infFileName.empty()) writeReport(summary.infFileName, setupInfText(summary));
        if (!summary.rptFileName.empty()) writeReport(summary.rptFileName, setupRptText(summary));
    } catch (const Error& e) {
        err << "ERROR: " << e.what() << "\n";
    }
}

}  // namespace

RunClock systemClock() {
    const auto start = std::chrono::steady_clock::now();
    RunClock clock;
    clock.startedAt = [] {
        const std::time_t now = std::time(nullptr);
        char buffer[64];
        std::strftime(buffer, sizeof buffer, "%a %b %d %H:%M:%S %Y", std::localtime(&now));
        return std::string(buffer);
    };
    clock.elapsedSeconds = [start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    return clock;
}

int runMakecab(const CommandLine& c, std::ostream& out, std::ostream& err, const RunClock& clock) {
    if (c.help) {
        out << kUsage;
        return 1;
    }
    const Progress progress{out, c.verbosity};
    if (c.directiveFiles.empty()) {
        try {
            runOneFile(c, progress);
            return 0;
        } catch (const Error& e) {
            err << "ERROR: " << e.what() << "\n";
            return 1;
        }
    }
    RunSummary summary;
    summary.startedAt = clock.startedAt();
    summary.directiveFiles = c.directiveFiles;
    try {
        runDirectiveFiles(c, summary, progress);
    } catch (const Error& e) {
        summary.errors.push_back(e.what());
    } catch (const std::exception& e) {
        summary.errors.push_back(std::string("Internal error: ") + e.what());
    }
    summary.seconds = clock.elapsedSeconds();
    if (!summary.errors.empty()) summary.cabinetName.clear();
    writeReports(summary, err);
    for (const std::string& e : summary.errors) err << "ERROR: " << e << "\n";
    if (!summary.errors.empty()) {
        err << "No cabinet was made.\n";
        return 1;
    }
    return 0;
}

int runMakecab(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CommandLine c;
    try {
        c = parseCommandLine(args);
    } catch (const platform::Error& e) {
        err << "ERROR: " << e.what() << "\n";
        return 1;
    }
    return runMakecab(c, out, err, systemClock());
}

}  // namespace makecab
