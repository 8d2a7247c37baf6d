#include "platform/win32/controls/list_box.h"

#include "platform/win32/wide.h"

namespace win32 {

int ListBox::addString(const std::string& utf8) const {
    const std::wstring wide = platform::wide(utf8);
    return static_cast<int>(send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

int ListBox::insertString(int index, const std::string& utf8) const {
    const std::wstring wide = platform::wide(utf8);
    return static_cast<int>(send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str())));
}

std::string ListBox::itemText(int index) const {
    const LRESULT length = send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR || length <= 0) return {};
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&buffer[0]));
    if (copied == LB_ERR) return {};
    return platform::narrow(buffer.data(), static_cast<std::size_t>(copied));
}

std::vector<std::string> ListBox::items() const {
    std::vector<std::string> texts;
    const int n = count();
    for (int i = 0; i < n; ++i) texts.push_back(itemText(i));
    return texts;
}

int ListBox::findExact(const std::string& utf8) const {
    const std::wstring wide = platform::wide(utf8);
    return static_cast<int>(send(LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str())));
}

int ListBox::textWidth(const std::string& utf8) const {
    HDC dc = ::GetDC(hwnd_);
    if (!dc) return 0;
    HGDIOBJ old = ::SelectObject(dc, font() ? static_cast<HGDIOBJ>(font()) : ::GetStockObject(SYSTEM_FONT));
    const std::wstring wide = platform::wide(utf8);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd_, dc);
    return size.cx;
}

int ListBox::fitHorizontalExtent(int atLeast) const {
    HDC dc = ::GetDC(hwnd_);
    if (!dc) {
        setHorizontalExtent(atLeast);
        return atLeast;
    }
    HGDIOBJ old = ::SelectObject(dc, font() ? static_cast<HGDIOBJ>(font()) : ::GetStockObject(SYSTEM_FONT));
    int widest = 0;
    const int n = count();
    for (int i = 0; i < n; ++i) {
        const std::wstring wide = platform::wide(itemText(i));
        SIZE size{};
        if (::GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size) && size.cx > widest)
            widest = size.cx;
    }
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(hwnd_, dc);
    // The list draws its items a few pixels in from the border; one average
    // character keeps the last letter clear of the edge.
    int extent = widest > 0 ? widest + metrics.tmAveCharWidth : 0;
    if (extent < atLeast) extent = atLeast;
    setHorizontalExtent(extent);
    return extent;
}

}  // namespace win32
