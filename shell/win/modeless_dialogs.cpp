#include "shell/win/modeless_dialogs.h"

#include <algorithm>
#include <vector>

namespace shell::win {

namespace {

std::vector<HWND>& dialogs() {
    static std::vector<HWND> list;
    return list;
}

void dispatch(MSG& message) {
    for (HWND dialog : dialogs()) {
        if (::IsWindow(dialog) && ::IsDialogMessageW(dialog, &message)) return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

}  // namespace

void rememberModelessDialog(HWND dialog) {
    if (std::find(dialogs().begin(), dialogs().end(), dialog) == dialogs().end()) dialogs().push_back(dialog);
}

void forgetModelessDialog(HWND dialog) {
    dialogs().erase(std::remove(dialogs().begin(), dialogs().end(), dialog), dialogs().end());
}

bool pumpPendingMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        dispatch(message);
    }
    return true;
}

int runMessageLoop() {
    MSG message;
    for (;;) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 1;
        dispatch(message);
    }
}

}  // namespace shell::win
