// How commands talk to the user. The same command runs under a Win32 window,
// a console front end and a test double, each implementing this interface.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "shell/message_keys.h"

namespace shell {

// The title of message boxes that name none of their own.
inline constexpr const char* kApplicationTitle = "Tolvane";

// Lets the user interface handle pending events (repaint, input) while a
// command works on its one thread.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void pumpEvents() = 0;
};

enum class MessageIcon { None, Stop, Information };

struct FileDialogRequest {
    std::string title;        // empty: the system's default title
    std::string filter;       // "描述|*.ext|描述|*.*|", as the builders give it
    int filterIndex = 1;      // 1-based
    std::string initialName;  // preset file name
    bool multiSelect = false; // Explorer style, several files
    // The dialog's OPENFILENAME flags where a command sets them (0: the
    // dialog's own for its kind), and the size of its file-name buffer in
    // characters (0: the dialog's own).
    unsigned flags = 0;
    std::size_t fileNameBufferSize = 0;
};

// messageText (from MessageTexts) gives the built-in text unless the user
// interface has a language loaded.
class UserInterface : public EventPump, public MessageTexts {
public:
    // A message box with an OK button. An empty title shows kApplicationTitle.
    virtual void showMessage(const std::string& text, const std::string& title = {},
                             MessageIcon icon = MessageIcon::None) = 0;
    // A Yes/No message box; true only for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& title = {}) = 0;
    // An OK/Cancel message box (the close confirmations); true only for OK.
    virtual bool askOkCancel(const std::string& text, const std::string& title = {}) = 0;

    // The open-file dialog. Its result is the dialog's file-name text: one
    // full path, or (several files) the folder followed by NUL and each name
    // separated by NUL. The dialog leaves the current directory at the
    // selection's folder. nullopt when the user cancels.
    virtual std::optional<std::string> chooseOpenFile(const FileDialogRequest& request) = 0;
    // The save dialog: the chosen full path, or nullopt on cancel.
    virtual std::optional<std::string> chooseSaveFile(const FileDialogRequest& request) = 0;
    // The folder browser: the chosen folder, or empty on cancel.
    virtual std::string browseForFolder(const std::string& prompt) = 0;

    // The busy bracket: disable the builder window and show the busy window;
    // afterwards enable the builder window and hide the busy window.
    virtual void beginBusy() = 0;
    virtual void endBusy() = 0;
};

// Calls endBusy() on the way out, however the command ends.
class BusyBracket {
public:
    explicit BusyBracket(UserInterface& ui) : ui_(ui) { ui_.beginBusy(); }
    ~BusyBracket() { ui_.endBusy(); }
    BusyBracket(const BusyBracket&) = delete;
    BusyBracket& operator=(const BusyBracket&) = delete;

private:
    UserInterface& ui_;
};

}  // namespace shell
