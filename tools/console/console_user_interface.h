// The commands' user interface on a console: messages are printed, the save
// dialog answers with the output path given on the command line, and the
// overwrite question with the answer given there. The open dialog and the
// folder browser answer with what the front end queued from its arguments,
// so the same builder commands the windows run add the files and folders.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "shell/user_interface.h"

namespace console {

class ConsoleUserInterface : public shell::UserInterface {
public:
    ConsoleUserInterface(std::string outputPath, bool overwrite)
        : outputPath_(std::move(outputPath)), overwrite_(overwrite) {}

    void showMessage(const std::string& text, const std::string& title, shell::MessageIcon icon) override;
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
    void pumpEvents() override {}

    void queueOpenFile(std::string path) { openFiles_.push_back(std::move(path)); }
    void queueFolder(std::string path) { folders_.push_back(std::move(path)); }

    const std::vector<std::string>& messages() const { return messages_; }
    bool shown(const std::string& text) const;

private:
    std::string outputPath_;
    bool overwrite_;
    std::deque<std::string> openFiles_;
    std::deque<std::string> folders_;
    std::vector<std::string> messages_;
};

}  // namespace console
