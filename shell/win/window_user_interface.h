// How commands talk to the user when the program runs with windows: message
// boxes, the open, save and folder dialogs, the busy bracket and the event
// pump, all on the one user-interface thread.
//
// How to use: the program makes one for the run and passes it to every
// window. Before a builder window runs a command, the program names it with
// setBuilderWindow: that window is disabled during the busy bracket, owns the
// file dialogs and the folder browser, and owns message boxes when no window
// of the program is active.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "shell/ui_strings.h"
#include "shell/user_interface.h"

namespace shell::win {

class BusyWindow;

class WindowUserInterface : public UserInterface {
public:
    // `language` is read when the busy window is first shown.
    explicit WindowUserInterface(const LanguageState& language);
    ~WindowUserInterface() override;

    void setBuilderWindow(HWND window) { builderWindow_ = window; }
    HWND builderWindow() const { return builderWindow_; }

    // In the language the start window loaded, as the windows' captions are.
    std::string messageText(MessageKey key) const override { return messageTextIn(language_, key); }
    void showMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    bool askYesNo(const std::string& text, const std::string& title) override;
    bool askOkCancel(const std::string& text, const std::string& title) override;
    std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) override;
    std::string browseForFolder(const std::string& prompt) override;
    void beginBusy() override;
    void endBusy() override;
    void pumpEvents() override;

    // The busy window, once it has been shown (null before).
    HWND busyWindow() const;

private:
    HWND ownerWindow() const;

    const LanguageState& language_;
    HWND builderWindow_ = nullptr;
    std::unique_ptr<BusyWindow> busy_;
    int busyDepth_ = 0;
    bool pumping_ = false;
};

// The common dialogs' filter from the builders' "text|pattern|text|pattern|"
// form: every "|" becomes NUL and the list ends in two NULs.
std::wstring fileDialogFilter(const std::string& filter);
// What the open dialog wrote into its buffer, in the form chooseOpenFile
// returns: one full path, or the folder and the names, each after a NUL.
std::string openDialogSelection(const wchar_t* buffer, std::size_t capacity);

}  // namespace shell::win
