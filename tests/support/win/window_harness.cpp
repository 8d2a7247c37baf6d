#include "window_harness.h"

#include <vector>

#include "platform/file_system.h"
#include "platform/win32/wide.h"
#include "png_file.h"
#include "shell/win/modeless_dialogs.h"

namespace windowtest {

HWND control(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

std::string textOf(HWND window) {
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = ::GetWindowTextW(window, buffer.data(), length + 1);
    return platform::narrow(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

std::string itemText(HWND dialog, int id) { return textOf(control(dialog, id)); }
bool isShown(HWND window) { return window && ::IsWindowVisible(window) != FALSE; }
bool isEnabled(HWND window) { return window && ::IsWindowEnabled(window) != FALSE; }
bool isChecked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void click(HWND dialog, int id) { ::SendMessageW(control(dialog, id), BM_CLICK, 0, 0); }
void postClick(HWND dialog, int id) { ::PostMessageW(control(dialog, id), BM_CLICK, 0, 0); }

void pickListItem(HWND dialog, int id, int index) {
    HWND list = control(dialog, id);
    ::SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void pickComboItem(HWND dialog, int id, int index) {
    HWND combo = control(dialog, id);
    ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

namespace {

std::vector<std::string> itemsOf(HWND box, UINT countMessage, UINT lengthMessage, UINT textMessage) {
    std::vector<std::string> items;
    const LRESULT count = ::SendMessageW(box, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = ::SendMessageW(box, lengthMessage, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        const LRESULT copied = ::SendMessageW(box, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        items.push_back(platform::narrow(text.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0));
    }
    return items;
}

int indexOf(const std::vector<std::string>& items, const std::string& wanted) {
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == wanted) return static_cast<int>(i);
    return -1;
}

}  // namespace

std::vector<std::string> listItems(HWND dialog, int id) {
    return itemsOf(control(dialog, id), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::string> comboItems(HWND dialog, int id) {
    return itemsOf(control(dialog, id), CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

int findListItem(HWND dialog, int id, const std::string& utf8) { return indexOf(listItems(dialog, id), utf8); }
int findComboItem(HWND dialog, int id, const std::string& utf8) { return indexOf(comboItems(dialog, id), utf8); }

void typeText(HWND dialog, int id, const std::string& utf8) {
    HWND target = control(dialog, id);
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    if (::GetComboBoxInfo(target, &combo) && combo.hwndItem) target = combo.hwndItem;
    // The caret goes to the end first, as a click behind the text puts it.
    ::SetFocus(target);
    const LRESULT length = ::GetWindowTextLengthW(target);
    ::SendMessageW(target, EM_SETSEL, static_cast<WPARAM>(length), length);
    for (wchar_t c : platform::wide(utf8)) ::SendMessageW(target, WM_CHAR, static_cast<WPARAM>(c), 1);
}

void closeFromTitleBar(HWND window) { ::SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

void pumpMessages() { shell::win::pumpPendingMessages(); }

bool hasCloseCommand(HWND window) {
    HMENU menu = ::GetSystemMenu(window, FALSE);
    return menu && ::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

bool textFitsControl(HWND window, std::string* why) {
    const std::wstring text = platform::wide(textOf(window));
    if (text.empty()) return true;
    wchar_t className[32] = {};
    ::GetClassNameW(window, className, 32);
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    RECT client{};
    ::GetClientRect(window, &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    const bool isButton = lstrcmpiW(className, L"Button") == 0;
    const LONG kind = style & BS_TYPEMASK;
    const bool isFrame = isButton && kind == BS_GROUPBOX;
    const bool isCheck = isButton && (kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON ||
                                      kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX);
    HDC dc = ::GetDC(window);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(::SendMessageW(window, WM_GETFONT, 0, 0));
    HGDIOBJ old = ::SelectObject(dc, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    // What the control keeps for itself: the box or circle of a check or
    // option button, the border and margins of a push button, the frame's
    // line on both sides of its caption.
    if (isCheck) width -= ::GetSystemMetrics(SM_CXMENUCHECK) + metrics.tmAveCharWidth;
    else if (isFrame) width -= 2 * metrics.tmAveCharWidth;
    else if (isButton) width -= 2 * ::GetSystemMetrics(SM_CXEDGE) + 2;
    RECT needed{0, 0, width, 0};
    const bool wraps = !isButton && lstrcmpiW(className, L"Static") == 0;
    UINT flags = DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS;
    flags |= wraps ? DT_WORDBREAK : DT_SINGLELINE;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, flags);
    ::SelectObject(dc, old);
    ::ReleaseDC(window, dc);
    const int neededWidth = needed.right - needed.left;
    const int neededHeight = needed.bottom - needed.top;
    std::string problem;
    if (neededWidth > width)
        problem = "needs " + std::to_string(neededWidth) + " px across, has " + std::to_string(width);
    else if (!isFrame && neededHeight > height)
        problem = "needs " + std::to_string(neededHeight) + " px down, has " + std::to_string(height);
    if (why) *why = problem;
    return problem.empty();
}

namespace {

struct PendingAnswer {
    std::vector<HWND> before;
    std::function<void(HWND)> answer;
    UINT_PTR timer = 0;
};
PendingAnswer& pending() {
    static PendingAnswer state;
    return state;
}

BOOL CALLBACK collectDialog(HWND window, LPARAM param) {
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (lstrcmpW(className, L"#32770") == 0) reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

std::vector<HWND> threadDialogs() {
    std::vector<HWND> dialogs;
    ::EnumThreadWindows(::GetCurrentThreadId(), &collectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

void CALLBACK lookForDialog(HWND, UINT, UINT_PTR, DWORD) {
    PendingAnswer& state = pending();
    for (HWND dialog : threadDialogs()) {
        if (!::IsWindowVisible(dialog)) continue;
        bool old = false;
        for (HWND seen : state.before) old = old || seen == dialog;
        if (old) continue;
        ::KillTimer(nullptr, state.timer);
        state.timer = 0;
        auto answer = std::move(state.answer);
        state.answer = nullptr;
        if (answer) answer(dialog);
        return;
    }
}

}  // namespace

void answerNextDialog(std::function<void(HWND dialog)> answer) {
    PendingAnswer& state = pending();
    if (state.timer) ::KillTimer(nullptr, state.timer);
    state.before = threadDialogs();
    state.answer = std::move(answer);
    state.timer = ::SetTimer(nullptr, 0, 50, &lookForDialog);
}

void answerWith(HWND dialog, int id) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

std::string messageBoxText(HWND box) {
    // The message's text is the static control with id 0xFFFF.
    return textOf(::GetDlgItem(box, 0xFFFF));
}

bool messageBoxHasIcon(HWND box) {
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[16] = {};
        ::GetClassNameW(child, className, 16);
        const LONG style = ::GetWindowLongW(child, GWL_STYLE);
        if (lstrcmpiW(className, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON && ::IsWindowVisible(child) &&
            ::SendMessageW(child, STM_GETICON, 0, 0) != 0)
            return true;
    }
    return false;
}

bool saveScreenshot(HWND window, const std::string& pngPath) {
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // The X server shows what Wine drew a moment later.
    for (int i = 0; i < 5; ++i) {
        pumpMessages();
        ::Sleep(60);
    }
    RECT rect{};
    ::GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    bool saved = false;
    if (width > 0 && height > 0) {
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // rows from the top
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap && bits) {
            HGDIOBJ old = ::SelectObject(memory, bitmap);
            if (::BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY | CAPTUREBLT)) {
                ::GdiFlush();
                const auto* bgra = static_cast<const std::uint8_t*>(bits);
                std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
                for (std::size_t i = 0, n = static_cast<std::size_t>(width) * height; i < n; ++i) {
                    rgb[i * 3] = bgra[i * 4 + 2];
                    rgb[i * 3 + 1] = bgra[i * 4 + 1];
                    rgb[i * 3 + 2] = bgra[i * 4];
                }
                writePng(pngPath, width, height, rgb);
                saved = true;
            }
            ::SelectObject(memory, old);
        }
        if (bitmap) ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
    }
    ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return saved;
}

std::string screenshotFolder() {
    const std::string folder = platform::joinPath(platform::parentPath(platform::executableFolder()), "screenshots");
    platform::createFolders(folder);
    return folder;
}

}  // namespace windowtest
