// The base of every window of the program: a modeless dialog made from a
// dialog template in the resources, with one static dialog procedure that
// finds the object and calls its hooks.
//
// How to use: derive, pass the template id and the user interface the
// commands talk through, override the hooks you need (onInit, onButton,
// onCommand, onClose, onMessage), then call create() once and show()/hide()
// afterwards. Every hook runs through shell::runGuarded: an error a command
// did not handle becomes one message box, and nothing escapes into user32.
// While the window is disabled (the busy bracket of a build) its command
// notifications are dropped, so a click queued during a run does nothing.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/controls/button.h"
#include "platform/win32/controls/combo_box.h"
#include "platform/win32/controls/list_box.h"
#include "platform/win32/controls/static_controls.h"
#include "platform/win32/controls/text_box.h"
#include "platform/win32/controls/window.h"
#include "shell/command_guard.h"
#include "shell/user_interface.h"

namespace shell::win {

class Dialog : public win32::Window {
public:
    Dialog(int templateId, UserInterface& ui) : templateId_(templateId), ui_(ui) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the window from its template (hidden unless the template has
    // WS_VISIBLE); onInit runs inside. A second call does nothing. Throws
    // platform::Error when the template cannot be made into a window.
    void create(HWND owner = nullptr);
    bool isCreated() const { return hwnd_ != nullptr; }
    // Unloads the window: its controls and their contents are gone, and the
    // next create() makes it anew (and runs onInit again).
    void destroy();
    int templateId() const { return templateId_; }

    // Shows the window and brings it to the front; hide keeps its contents.
    void showWindow();
    void hideWindow() { show(false); }

    // Items by control id. item() is null when the dialog has no such control.
    win32::Window item(int id) const { return win32::Window(::GetDlgItem(hwnd_, id)); }
    template <class Control>
    Control itemAs(int id) const { return Control(::GetDlgItem(hwnd_, id)); }
    std::string itemText(int id) const { return item(id).text(); }
    void setItemText(int id, const std::string& utf8) const { item(id).setText(utf8); }
    void enableItem(int id, bool on) const { item(id).enable(on); }
    void showItem(int id, bool on) const { item(id).show(on); }
    bool isItemChecked(int id) const { return ::IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
    void checkItem(int id, bool on) const { ::CheckDlgButton(hwnd_, id, on ? BST_CHECKED : BST_UNCHECKED); }
    LRESULT sendItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendDlgItemMessageW(hwnd_, id, message, wParam, lParam);
    }

    UserInterface& userInterface() const { return ui_; }

    // Runs one command through the guard: an unhandled error is shown as one
    // message. False when the command ended by an error.
    bool runCommand(const std::function<void()>& command) const { return runGuarded(ui_, command); }

    // The dialog object behind a window of this program, or null.
    static Dialog* fromHandle(HWND hwnd);

protected:
    // WM_INITDIALOG: bind controls, fill them. Return false when the focus
    // was set here (the system then leaves it alone).
    virtual bool onInit() { return true; }
    // WM_COMMAND from a control or menu. The default sends BN_CLICKED on to
    // onButton. True when handled.
    virtual bool onCommand(int id, int notifyCode, HWND control);
    virtual bool onButton(int /*id*/) { return false; }
    // WM_CLOSE (title bar, system menu, Alt+F4). The default hides the window.
    virtual void onClose() { hideWindow(); }
    // Any other message; set `result` and return true to handle it.
    virtual bool onMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, INT_PTR& /*result*/) {
        return false;
    }

private:
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    UserInterface& ui_;
};

}  // namespace shell::win
