// The code page layer. Text is UTF-8 inside; files written "in the system ANSI
// code page" are encoded here, at the edge: the Windows ANSI code page on
// Windows, code page 936 elsewhere. A character the code page cannot hold is
// an error that names the text and the character, never a silent "?".
#pragma once

#include <string>
#include <string_view>

namespace platform {

// GetACP() on Windows; 936 on other systems.
unsigned ansiCodePage();
// GetOEMCP() on Windows, the code page cmd.exe reads batch files in; 936 on
// other systems, where the project's own interpreter reads them as ANSI.
unsigned oemCodePage();

// Encodes UTF-8 text to the ANSI code page. Throws Error(CodePage) naming the
// text and the first character the code page cannot hold.
std::string encodeAnsi(std::string_view utf8);
// Decodes ANSI bytes to UTF-8. Bytes that are no character of the code page
// become U+FFFD when lenient, and are an Error(CodePage) otherwise.
std::string decodeAnsi(std::string_view bytes, bool lenient = true);

// The same for a named code page (936, 1252, 65001 ...).
std::string encodeCodePage(unsigned codePage, std::string_view utf8);
std::string decodeCodePage(unsigned codePage, std::string_view bytes, bool lenient = true);
// Whether the code page holds every character of the text.
bool canEncode(unsigned codePage, std::string_view utf8);

}  // namespace platform
