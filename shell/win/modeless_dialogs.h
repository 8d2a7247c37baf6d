// The program's message loop and the modeless dialogs it serves. Keyboard
// navigation (Tab, arrow keys, Enter, mnemonics) of a modeless dialog works
// only when the loop hands its messages to IsDialogMessage, so every dialog
// registers itself here when it is created.
#pragma once

#include <windows.h>

namespace shell::win {

void rememberModelessDialog(HWND dialog);
void forgetModelessDialog(HWND dialog);

// Dispatches every message waiting in the thread's queue and returns. False
// when a WM_QUIT was met: it is posted again, so the outer loop sees it too.
bool pumpPendingMessages();

// The program's main loop: runs until WM_QUIT and returns its exit code.
int runMessageLoop();

}  // namespace shell::win
