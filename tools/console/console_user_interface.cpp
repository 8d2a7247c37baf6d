#include "tools/console/console_user_interface.h"

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/process.h"

namespace console {

namespace {

// The scan log's lines (see the source scanner): a file.
bool isScannedFile(const std::string& line) { return !line.empty() && line[0] == ' '; }

// How many of the tools' last lines a failure shows.
constexpr std::size_t kToolLinesShown = 15;

// The quoted path after a makecab line's verb: `Adding "PATH" as "NAME".`
std::string firstQuoted(const std::string& line) {
    const std::size_t open = line.find('"');
    const std::size_t close = open == std::string::npos ? open : line.find('"', open + 1);
    return close == std::string::npos ? std::string() : line.substr(open + 1, close - open - 1);
}

}  // namespace

ConsoleUserInterface::ConsoleUserInterface(const ConsoleRun& run)
    : run_(run), progress_(*run.err, run.progress && !run.verbose, run.columns) {}

ConsoleUserInterface::~ConsoleUserInterface() { progress_.clear(); }

void ConsoleUserInterface::setOutput(const std::string& composedPath, const std::string& givenPath, bool overwrite) {
    outputPath_ = composedPath;
    shownOutput_ = platform::nativePath(givenPath);
    overwrite_ = overwrite;
    paths_.add(composedPath, givenPath);
}

void ConsoleUserInterface::writeLine(std::ostream& stream, const std::string& text) {
    progress_.clear();
    stream << text << "\n";
    stream.flush();
}

std::string ConsoleUserInterface::messageText(shell::MessageKey key) const {
    if (const auto wording = consoleWordingOf(key)) return run_.texts(*wording);
    return shell::messageTextIn(run_.language, key);
}

void ConsoleUserInterface::showMessage(const std::string& text, const std::string&, shell::MessageIcon) {
    messages_.push_back(text);
}

bool ConsoleUserInterface::askYesNo(const std::string&, const std::string&) {
    if (overwrite_) log(run_.texts(ConsoleText::Replacing, {shownOutput_}));
    else refusedOverwrite_ = true;
    return overwrite_;
}

std::optional<std::string> ConsoleUserInterface::chooseSaveFile(const shell::FileDialogRequest& request) {
    if (!outputPath_.empty()) return outputPath_;
    // No path given: the preset name, in the current folder, as the dialog would offer it.
    return request.initialName;
}

std::optional<std::string> ConsoleUserInterface::chooseOpenFile(const shell::FileDialogRequest&) {
    if (openFiles_.empty()) return std::nullopt;
    const std::string path = openFiles_.front();
    openFiles_.pop_front();
    // The dialog leaves the current directory at the choice's folder, and the
    // split of a selection relies on it: the path is given in that folder's
    // own spelling, so the two agree.
    // A choice whose folder is missing (a registry file named on the
    // command line that is not there) is handed on as given.
    const std::size_t cut = path.find_last_of("\\/");
    if (cut == std::string::npos) return path;
    const std::string folder = path.substr(0, cut == 0 || path[cut - 1] == ':' ? cut + 1 : cut);
    if (!platform::folderExists(folder)) return path;
    platform::setCurrentDirectory(folder);
    const std::string chosen = platform::joinPath(platform::currentDirectory(), platform::baseName(path));
    // The folder's own spelling stands for the user's in the messages too.
    paths_.add(chosen, platform::nativePath(path));
    return chosen;
}

std::string ConsoleUserInterface::browseForFolder(const std::string&) {
    if (folders_.empty()) return {};
    const std::string folder = folders_.front();
    folders_.pop_front();
    // The browser names a folder without a trailing separator; a root keeps its own.
    return platform::withoutTrailingSeparator(folder);
}

void ConsoleUserInterface::error(const std::string& text) {
    writeLine(*run_.err, std::string(kProgramName) + ": " + paths_.apply(text));
}

void ConsoleUserInterface::warning(const std::string& text) {
    writeLine(*run_.err, std::string(kProgramName) + ": " + run_.texts(ConsoleText::Warning, {paths_.apply(text)}));
}

void ConsoleUserInterface::log(const std::string& line) {
    if (run_.verbose) writeLine(*run_.err, paths_.apply(line));
}

void ConsoleUserInterface::followScan(const std::vector<std::string>& runLog) {
    scanLog_ = &runLog;
    readScanLog();
    drawProgress();
}

void ConsoleUserInterface::readScanLog() {
    if (!scanLog_) return;
    const std::vector<std::string>& runLog = *scanLog_;
    if (runLog.size() < scanLinesSeen_) scanLinesSeen_ = 0;  // a new build's log
    for (; scanLinesSeen_ < runLog.size(); ++scanLinesSeen_) {
        const std::string& line = runLog[scanLinesSeen_];
        if (isScannedFile(line)) ++filesScanned_;
        // A source folder that was not there, in the words the scan wrote it with.
        if (const auto missing = shell::filledValue(messageText(shell::MessageKey::ScanFolderMissing), line))
            warning(run_.texts(ConsoleText::FolderLeftOut, {*missing}));
        else
            log(line);
    }
}

void ConsoleUserInterface::followToolOutput(const std::string& path) {
    toolOutputPath_ = path;
    toolOutputRead_ = 0;
    toolOutputPartial_.clear();
}

void ConsoleUserInterface::readToolOutput() {
    if (toolOutputPath_.empty() || !platform::fileExists(toolOutputPath_)) return;
    std::string bytes;
    try {
        bytes = platform::readFile(toolOutputPath_);
    } catch (const platform::Error&) {
        return;  // being written: read again at the next turn
    }
    if (bytes.size() <= toolOutputRead_) return;
    toolOutputPartial_ += bytes.substr(toolOutputRead_);
    toolOutputRead_ = bytes.size();
    std::size_t start = 0;
    for (std::size_t end; (end = toolOutputPartial_.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = toolOutputPartial_.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        toolOutputTail_.push_back(line);
        if (toolOutputTail_.size() > kToolLinesShown) toolOutputTail_.erase(toolOutputTail_.begin());
        // makecab names each file it takes; the first cabinet holds the application's files.
        if (firstCabinetWritten_) continue;
        if (line.compare(0, 8, "Adding \"") == 0) {
            ++filesPacked_;
            try {
                bytesPacked_ += platform::fileInfo(firstQuoted(line)).size;
            } catch (const platform::Error&) {
            }
        } else if (line.compare(0, 7, "Wrote \"") == 0) {
            firstCabinetWritten_ = true;
        }
    }
    toolOutputPartial_.erase(0, start);
}

void ConsoleUserInterface::keepToolOutputForFailure() { readToolOutput(); }

void ConsoleUserInterface::pumpEvents() {
    readScanLog();
    readToolOutput();
    drawProgress();
}

void ConsoleUserInterface::drawProgress() {
    if (!progress_.shown()) return;
    if (!packingText_.empty()) {
        progress_.show(packingText_);
        return;
    }
    progress_.show(run_.texts(ConsoleText::Progress, {std::to_string(filesScanned_), std::to_string(filesPacked_),
                                                      std::to_string(bytesPacked_)}));
}

int ConsoleUserInterface::finish(shell::GenerateOutcome outcome) {
    progress_.clear();
    const bool made = shell::packageMade(outcome);
    for (const std::string& message : messages_) {
        if (made) writeLine(*run_.err, paths_.apply(message));
        else error(message);
    }
    if (refusedOverwrite_) error(run_.texts(ConsoleText::PackageExists, {shownOutput_}));
    if (!made && !run_.verbose && !toolOutputTail_.empty()) {
        writeLine(*run_.err, run_.texts(ConsoleText::ToolOutput));
        for (const std::string& line : toolOutputTail_) writeLine(*run_.err, "  " + paths_.apply(line));
    }
    if (made) writeLine(*run_.out, shownOutput_);
    return shell::exitStatusOf(outcome);
}

bool ConsoleUserInterface::shown(const std::string& text) const {
    for (const auto& m : messages_)
        if (m == text) return true;
    return false;
}

}  // namespace console
