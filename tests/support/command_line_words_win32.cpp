#include "tests/support/command_line_words.h"

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

#include "platform/unicode.h"

namespace testsupport {

std::vector<std::string> commandLineWords(int, char**) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    if (!words) return result;
    for (int i = 0; i < count; ++i)
        result.push_back(platform::utf16ToUtf8(
            std::u16string_view(reinterpret_cast<const char16_t*>(words[i]), std::wcslen(words[i]))));
    LocalFree(words);
    return result;
}

}  // namespace testsupport
