// The commands' user interface on a console: messages are printed, the save
// dialog answers with the output path given on the command line, and the
// overwrite question with the answer given there.
#pragma once

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
    std::optional<std::string> chooseOpenFile(const shell::FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const shell::FileDialogRequest& request) override;
    std::string browseForFolder(const std::string&) override { return {}; }
    void beginBusy() override {}
    void endBusy() override {}
    void pumpEvents() override {}

    const std::vector<std::string>& messages() const { return messages_; }
    bool shown(const std::string& text) const;

private:
    std::string outputPath_;
    bool overwrite_;
    std::vector<std::string> messages_;
};

}  // namespace console
