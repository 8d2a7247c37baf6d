#include "shell/win/busy_window.h"

#include "shell/win/apply_texts.h"
#include "shell/win/res/busy_window_res.h"
#include "shell/window_texts.h"

namespace shell::win {

namespace {

int CALLBACK noteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool fontFamilyExists(HDC dc, const wchar_t* family) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, family, LF_FACESIZE);
    bool found = false;
    ::EnumFontFamiliesExW(dc, &wanted, &noteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

constexpr int kLabelPoints = 10;
// WM_DPICHANGED (Windows 8.1 and later): HIWORD(wParam) is the new DPI.
constexpr UINT kDpiChanged = 0x02E0;

int screenDpi() {
    HDC dc = ::GetDC(nullptr);
    const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ::ReleaseDC(nullptr, dc);
    return dpi;
}

}  // namespace

HFONT createSimSunFont(int points, int dpi) {
    HDC dc = ::GetDC(nullptr);
    if (!dc) return nullptr;
    // Chinese systems may list the face under its Chinese name only.
    const wchar_t* face = nullptr;
    if (fontFamilyExists(dc, L"SimSun")) face = L"SimSun";
    else if (fontFamilyExists(dc, L"\x5B8B\x4F53")) face = L"\x5B8B\x4F53";  // 宋体
    ::ReleaseDC(nullptr, dc);
    if (!face) return nullptr;
    const int height = -::MulDiv(points, dpi, 72);
    return ::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

BusyWindow::BusyWindow(UserInterface& ui, const LanguageState& language)
    : Dialog(IDD_FORM2, ui), language_(language) {}

BusyWindow::~BusyWindow() {
    // The label lets go of its font with the window.
    destroy();
    if (labelFont_) ::DeleteObject(labelFont_);
}

void BusyWindow::showBusy() {
    create(nullptr);
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
}

bool BusyWindow::onInit() {
    applyControlTexts(*this, busyWindowTexts(language_));
    setLabelFont(screenDpi());
    // Without the system menu's Close command the window cannot be closed
    // from its title bar, its menu or Alt+F4. Windows puts Close last; Wine
    // adds an item of its own after it, so the item is looked up by command
    // and only a menu without one loses its last item.
    HMENU menu = ::GetSystemMenu(hwnd_, FALSE);
    if (menu) {
        const int count = ::GetMenuItemCount(menu);
        int position = count - 1;
        for (int i = 0; i < count; ++i)
            if (::GetMenuItemID(menu, i) == SC_CLOSE) position = i;
        if (position >= 0) ::RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_DISABLED);
        ::DrawMenuBar(hwnd_);
    }
    return true;
}

void BusyWindow::setLabelFont(int dpi) {
    // Where SimSun is missing the label keeps the dialog's own font, which
    // shows Chinese on every system the program runs on.
    HFONT font = createSimSunFont(kLabelPoints, dpi);
    if (!font) return;
    item(IDC_FORM2_LABEL1).setFont(font);
    if (labelFont_) ::DeleteObject(labelFont_);
    labelFont_ = font;
}

bool BusyWindow::onMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR&) {
    if (message == kDpiChanged) setLabelFont(HIWORD(wParam));
    // The dialog manager still moves and rescales the window itself.
    return false;
}

}  // namespace shell::win
