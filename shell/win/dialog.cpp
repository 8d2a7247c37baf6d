#include "shell/win/dialog.h"

#include "platform/error.h"
#include "platform/win32/wide.h"
#include "shell/win/modeless_dialogs.h"

namespace shell::win {

Dialog::~Dialog() { destroy(); }

void Dialog::destroy() {
    if (!hwnd_) return;
    HWND window = hwnd_;
    hwnd_ = nullptr;
    forgetModelessDialog(window);
    // The object lets go first: the window must not call back into it while
    // it is being destroyed.
    ::SetWindowLongPtrW(window, DWLP_USER, 0);
    ::DestroyWindow(window);
}

void Dialog::create(HWND owner) {
    if (hwnd_) return;
    HWND made = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, &procedure,
                                     reinterpret_cast<LPARAM>(this));
    if (!made) {
        const DWORD error = ::GetLastError();
        throw platform::Error(platform::ErrorKind::Io, "The window with template " + std::to_string(templateId_) +
                                                           " cannot be made: " + platform::systemReason(error));
    }
    hwnd_ = made;
    rememberModelessDialog(hwnd_);
}

void Dialog::showWindow() {
    ::ShowWindow(hwnd_, SW_SHOW);
    ::SetForegroundWindow(hwnd_);
    ::UpdateWindow(hwnd_);
}

Dialog* Dialog::fromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (::GetWindowLongPtrW(hwnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&procedure)) return nullptr;
    return reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
}

bool Dialog::onCommand(int id, int notifyCode, HWND) {
    if (notifyCode == BN_CLICKED) return onButton(id);
    return false;
}

INT_PTR CALLBACK Dialog::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<Dialog*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        dialog->hwnd_ = hwnd;
    } else {
        dialog = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT and the like) and after the
    // object has gone take the dialog manager's default handling.
    if (!dialog) return FALSE;
    return dialog->dispatch(message, wParam, lParam);
}

INT_PTR Dialog::dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    // DialogProc rule: return TRUE when the message was handled (for
    // WM_INITDIALOG: TRUE lets the system set the focus), FALSE to leave it
    // to the dialog manager. Values for other messages go in DWLP_MSGRESULT.
    switch (message) {
        case WM_INITDIALOG: {
            bool setFocus = true;
            runCommand([&] { setFocus = onInit(); });
            return setFocus ? TRUE : FALSE;
        }
        case WM_COMMAND: {
            // A disabled window takes no commands: this is what keeps a
            // second click queued during a build from starting another one.
            if (!::IsWindowEnabled(hwnd_)) return TRUE;
            bool handled = false;
            runCommand([&] {
                handled = onCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            });
            return handled ? TRUE : FALSE;
        }
        case WM_CLOSE:
            runCommand([&] { onClose(); });
            return TRUE;
        default: {
            INT_PTR result = 0;
            bool handled = false;
            runCommand([&] { handled = onMessage(message, wParam, lParam, result); });
            if (!handled) return FALSE;
            ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
}

}  // namespace shell::win
