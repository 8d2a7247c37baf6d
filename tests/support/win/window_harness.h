// Drives the program's windows from a test the way a user would, through
// window messages: find controls by id, read their texts, click buttons,
// pick list and combo items, type text, close windows, and take a
// screenshot as PNG.
//
// How to use: make the windows (a shell::win::Program, or one Dialog), then
// call these with the dialog's HWND and the control ids from the window's
// *_res.h. Sent messages (click, pick, type) return when the handler has run;
// postClick queues a click that the next pump (pumpMessages, or the program's
// own event pump during a tool run) delivers.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace windowtest {

// The control, or null when the dialog has no control with that id.
HWND control(HWND dialog, int id);
std::string textOf(HWND window);
std::string itemText(HWND dialog, int id);
bool isShown(HWND window);     // visible, parents included
bool isEnabled(HWND window);
bool isChecked(HWND dialog, int id);

// A button press as the mouse gives it (BM_CLICK): the dialog gets BN_CLICKED.
void click(HWND dialog, int id);
void postClick(HWND dialog, int id);
// Selects an item as the user's pick does: the selection changes and the
// dialog gets LBN_SELCHANGE / CBN_SELCHANGE.
void pickListItem(HWND dialog, int id, int index);
void pickComboItem(HWND dialog, int id, int index);
// The index of the list or combo item with exactly this text, or -1.
int findListItem(HWND dialog, int id, const std::string& utf8);
int findComboItem(HWND dialog, int id, const std::string& utf8);
std::vector<std::string> listItems(HWND dialog, int id);
std::vector<std::string> comboItems(HWND dialog, int id);
// Types text into a text box or a combo box's edit part, one WM_CHAR per
// UTF-16 unit, as the keyboard would (the edit sends EN_CHANGE or
// CBN_EDITCHANGE on to the dialog).
void typeText(HWND dialog, int id, const std::string& utf8);
// Closing from the title bar: WM_SYSCOMMAND SC_CLOSE, as the Close button sends it.
void closeFromTitleBar(HWND window);

// Delivers every message waiting in the queue.
void pumpMessages();

// Whether the window's system menu still has a Close command.
bool hasCloseCommand(HWND window);

// Whether a static text, button or frame shows its whole text in its own
// font: the wrapped text fits the control's height and no word is wider than
// the control. `why` says what does not fit.
bool textFitsControl(HWND control, std::string* why = nullptr);

// Answers the next modal dialog of this thread (a message box, a file or
// folder dialog): a timer of this thread, which keeps firing inside the
// dialog's own message loop, finds the first dialog window that was not
// there when this was called and hands it to `answer`, once. The answer
// reads what it needs and ends the dialog (answerWith, or typing a name
// and pressing OK).
void answerNextDialog(std::function<void(HWND dialog)> answer);
// Ends a dialog as a click on its button `id` (IDOK, IDYES, IDCANCEL ...) does.
void answerWith(HWND dialog, int id);
// A message box's text (its static text control) and whether it shows an icon.
std::string messageBoxText(HWND box);
bool messageBoxHasIcon(HWND box);

// Copies the window's rectangle from the screen (under Wine and Xvfb the
// window's own DC and PrintWindow give black images) and writes it as PNG.
// The window is brought to the top first. Returns false when nothing could
// be copied.
bool saveScreenshot(HWND window, const std::string& pngPath);
// <build folder>/screenshots, made when missing.
std::string screenshotFolder();

}  // namespace windowtest
