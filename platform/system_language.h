// The system's default language id as four hexadecimal digits (0804, 0409 ...),
// the keys of the language map. Empty when it cannot be told.
#pragma once

#include <string>

namespace platform {

// Windows: the registry value HKLM\SYSTEM\CurrentControlSet\Control\Nls\Language\Default.
// Elsewhere: from the locale (LC_ALL, then LC_MESSAGES, then LANG).
std::string systemLanguageId();

// The locale-name part of the POSIX rule, for tests: "zh_CN.UTF-8" gives "0804".
std::string languageIdFromLocaleName(const std::string& localeName);

}  // namespace platform
