// UTF-8 <-> UTF-16 at the Win32 edge, and the system's reason for an error.
#pragma once

#include <windows.h>

#include <string>

#include "platform/unicode.h"

namespace platform {

inline std::wstring wide(const std::string& utf8) {
    const std::u16string s = utf8ToUtf16(utf8);
    return std::wstring(s.begin(), s.end());
}

inline std::string narrow(const wchar_t* text, std::size_t length) {
    return utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(text), length));
}

inline std::string narrow(const std::wstring& text) { return narrow(text.data(), text.size()); }

// FormatMessage's text for an error code, without its trailing line break.
inline std::string systemReason(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (n && buffer) text = narrow(buffer, n);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (text.empty()) text = "system error " + std::to_string(code);
    return text;
}

}  // namespace platform
