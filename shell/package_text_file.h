// The text files a package carries (the INF, the entries files). They are
// read by the setup engine and the integrators of the XP being installed, not
// by the system that builds them, so they are written in the package's code
// page, 936 (the code page of their fixed Chinese texts), on every system:
// a Chinese Windows, Linux and any other Windows give the same bytes.
#pragma once

#include <string>

#include "shell/message_keys.h"

namespace shell {

inline constexpr unsigned kPackageCodePage = 936;

// Throws platform::Error(CodePage) when code page 936 cannot hold the UTF-8
// text; the error names the file (its bare name from `path`) and the line
// holding the character (the name of a folder or file, usually), in `texts`.
void checkPackageText(const std::string& path, const std::string& utf8, const MessageTexts& texts);

// Writes the text to `path` in code page 936, whole or not at all. A text the
// code page cannot hold is the error of checkPackageText (in the built-in
// texts: the builders check their texts before they write them), and nothing
// is written. Throws platform::Error.
void writePackageTextFile(const std::string& path, const std::string& utf8);

}  // namespace shell
