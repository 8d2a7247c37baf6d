#include "platform/win32/controls/window.h"

#include <vector>

#include "platform/win32/wide.h"

namespace win32 {

std::string Window::text() const {
    const int length = ::GetWindowTextLengthW(hwnd_);
    if (length <= 0) return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = ::GetWindowTextW(hwnd_, buffer.data(), length + 1);
    const DWORD error = ::GetLastError();
    std::string text = platform::narrow(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
    ::SetLastError(error);
    return text;
}

bool Window::setText(const std::string& utf8) const {
    const std::wstring wide = platform::wide(utf8);
    return ::SetWindowTextW(hwnd_, wide.c_str()) != FALSE;
}

}  // namespace win32
