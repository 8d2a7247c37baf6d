// The commands' user interface on a console. The builders' messages, the
// console's own warnings and errors, the scan's log and the progress line
// all go through it (see console_run.h for where each goes). The save
// dialog answers with the output path given on the command line, and the
// overwrite question with the answer given there. The open dialog and the
// folder browser answer with what the front end queued from its arguments,
// so the same builder commands the windows run add the files and folders.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "shell/generate_outcome.h"
#include "shell/user_interface.h"
#include "tools/console/console_run.h"
#include "tools/console/progress_line.h"
#include "tools/console/shown_paths.h"

namespace console {

class ConsoleUserInterface : public shell::UserInterface {
public:
    explicit ConsoleUserInterface(const ConsoleRun& run);
    ~ConsoleUserInterface() override;

    // The package path: as the builders compose it, and as the user gave it
    // (what the result line and the messages show).
    void setOutput(const std::string& composedPath, const std::string& givenPath, bool overwrite);
    // Another path the user gave, shown in the user's spelling.
    void addShownPath(const std::string& composedPath, const std::string& givenPath) {
        paths_.add(composedPath, givenPath);
    }

    // A builder message in the console's wording where it has one, otherwise
    // in the chosen language file's (the built-in text where it has none).
    std::string messageText(shell::MessageKey key) const override;
    // The builders' messages are kept until the command knows how it ended:
    // then the result is written plainly, and refusals and failures as errors.
    void showMessage(const std::string& text, const std::string& title, shell::MessageIcon icon) override;
    // The overwrite question: the --overwrite answer. Refused, it says so.
    bool askYesNo(const std::string& text, const std::string& title) override;
    // A console has no window to close: the confirmation is answered OK.
    bool askOkCancel(const std::string&, const std::string&) override { return true; }
    // The next queued file, as the dialog reports a single choice: the full
    // path, with the current directory left at its folder. Nothing queued:
    // cancel.
    std::optional<std::string> chooseOpenFile(const shell::FileDialogRequest&) override;
    std::optional<std::string> chooseSaveFile(const shell::FileDialogRequest& request) override;
    // The next queued folder, without a trailing separator unless it is a
    // root; nothing queued: cancel.
    std::string browseForFolder(const std::string&) override;
    void beginBusy() override {}
    void endBusy() override {}
    // Called while a tool runs: the progress line follows the tools' output.
    void pumpEvents() override;

    void queueOpenFile(std::string path) { openFiles_.push_back(std::move(path)); }
    void queueFolder(std::string path) { folders_.push_back(std::move(path)); }

    // The console's own lines. An error is written at once, a warning too;
    // a log line only with --verbose.
    void error(const std::string& text);
    void warning(const std::string& text);
    void log(const std::string& line);

    // The build's scan log, followed as it grows (now, during the scan and
    // while the tools run): the files scanned are counted for the progress
    // line, a missing source folder is warned of, and with --verbose every
    // line is written. The log must outlive the build.
    void followScan(const std::vector<std::string>& runLog);
    // The file the tools write their output into (quiet runs), read as it
    // grows for the files packed; empty: none.
    void followToolOutput(const std::string& path);
    // What the progress line says while a T13 package is packed.
    void setPackingText(const std::string& text) { packingText_ = text; }
    // Keeps the tools' last lines, to be shown with a failure.
    void keepToolOutputForFailure();

    // Writes the kept messages by how the command ended, and on success the
    // package's path on standard output. Returns the exit status.
    int finish(shell::GenerateOutcome outcome);

    const std::vector<std::string>& messages() const { return messages_; }
    bool shown(const std::string& text) const;

private:
    void readScanLog();
    void drawProgress();
    void readToolOutput();
    void writeLine(std::ostream& stream, const std::string& text);

    const ConsoleRun& run_;
    ProgressLine progress_;
    ShownPaths paths_;
    std::string outputPath_;
    std::string shownOutput_;
    bool overwrite_ = false;
    bool refusedOverwrite_ = false;
    std::deque<std::string> openFiles_;
    std::deque<std::string> folders_;
    std::vector<std::string> messages_;  // the builders' own texts, as shown

    // The progress counts.
    const std::vector<std::string>* scanLog_ = nullptr;
    std::size_t scanLinesSeen_ = 0;
    std::size_t filesScanned_ = 0;
    std::size_t filesPacked_ = 0;
    std::uint64_t bytesPacked_ = 0;
    bool firstCabinetWritten_ = false;
    std::string packingText_;
    std::string toolOutputPath_;
    std::size_t toolOutputRead_ = 0;
    std::string toolOutputPartial_;
    std::vector<std::string> toolOutputTail_;
};

}  // namespace console
