#include "platform/win32/controls/combo_box.h"

#include "platform/win32/wide.h"

namespace win32 {

int ComboBox::addString(const std::string& utf8) const {
    const std::wstring wide = platform::wide(utf8);
    return static_cast<int>(send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

std::string ComboBox::itemText(int index) const {
    const LRESULT length = send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length <= 0) return {};
    std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&buffer[0]));
    if (copied == CB_ERR) return {};
    return platform::narrow(buffer.data(), static_cast<std::size_t>(copied));
}

std::vector<std::string> ComboBox::items() const {
    std::vector<std::string> texts;
    const int n = count();
    for (int i = 0; i < n; ++i) texts.push_back(itemText(i));
    return texts;
}

int ComboBox::findExact(const std::string& utf8) const {
    const std::wstring wide = platform::wide(utf8);
    return static_cast<int>(send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str())));
}

HWND ComboBox::editHandle() const {
    // GetComboBoxInfo (XP and later) names the edit part of any combo style.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!::GetComboBoxInfo(hwnd_, &info)) return nullptr;
    return info.hwndItem;
}

}  // namespace win32
