// Thin, non-owning wrappers over Win32 windows and controls. A wrapper holds
// one HWND and turns each call into one API call with UTF-8 text at the edge;
// it never creates or destroys the window, so copying one is harmless.
//
// How to use: take a control from its dialog by id (Dialog::item, or
// Window(GetDlgItem(dialog, id))) and call what you need. A wrapper gains a
// method when a caller needs one.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

class Window {
public:
    explicit Window(HWND handle = nullptr) : hwnd_(handle) {}

    HWND handle() const { return hwnd_; }
    void attach(HWND handle) { hwnd_ = handle; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    // The caption or control text, UTF-8. GetLastError() is kept across the
    // conversion, so a failure can still be told after the call.
    std::string text() const;
    bool setText(const std::string& utf8) const;

    // EnableWindow returns the previous state; this returns whether it worked.
    void enable(bool on) const { ::EnableWindow(hwnd_, on ? TRUE : FALSE); }
    bool isEnabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
    void show(bool on) const { ::ShowWindow(hwnd_, on ? SW_SHOW : SW_HIDE); }
    // Visible itself and all its parents.
    bool isVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
    int id() const { return ::GetDlgCtrlID(hwnd_); }
    bool exists() const { return hwnd_ != nullptr && ::IsWindow(hwnd_) != FALSE; }

    LRESULT send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(hwnd_, message, wParam, lParam);
    }
    bool post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageW(hwnd_, message, wParam, lParam) != FALSE;
    }

    // The font the control draws its text with (WM_GETFONT); null for the system font.
    HFONT font() const { return reinterpret_cast<HFONT>(send(WM_GETFONT)); }
    void setFont(HFONT font, bool redraw = true) const {
        send(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    }

protected:
    HWND hwnd_;
};

}  // namespace win32
