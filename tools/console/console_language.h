// Which language file the console speaks. The language folder "lng" lies
// beside the program, as it does for the windows. Asked for by name
// (--language NAME), that file; otherwise the one "language.txt" gives for
// the system's language id (on POSIX read from LC_ALL, LC_MESSAGES and LANG,
// so zh_CN.UTF-8 gives Chinese), and English where it names none or a file
// that is not there.
#pragma once

#include <string>

#include "shell/ui_strings.h"

namespace console {

// The language for a console run that names no other.
inline constexpr const char* kFallbackLanguage = "English";

struct ConsoleLanguage {
    std::string name;  // the language file's base name
    std::string file;  // its path; empty when not even the fallback is there
};

// The language folder beside the program.
std::string consoleLanguageFolder();

// `requested` is the name given with --language, or empty. Throws
// platform::Error(BadInput) when the requested file is not there, naming the
// language files that are.
ConsoleLanguage chooseConsoleLanguage(const std::string& requested);

// The builders' texts in `language`: its file's keyed texts, the built-in
// ones where there is no file.
shell::LanguageState languageStateOf(const ConsoleLanguage& language);

}  // namespace console
