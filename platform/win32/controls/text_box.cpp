#include "platform/win32/controls/text_box.h"

#include "platform/win32/wide.h"

namespace win32 {

void TextBox::append(const std::string& utf8) const {
    const std::wstring wide = platform::wide(utf8);
    const int end = ::GetWindowTextLengthW(hwnd_);
    send(EM_SETSEL, static_cast<WPARAM>(end), end);
    send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
}

}  // namespace win32
