// UTF-8 is the text form inside the system. These helpers convert to and from
// UTF-16 (the Windows side, and .reg files saved as "Unicode") and walk code
// points. Pure code: no system calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Decodes the code point at text[pos] and advances pos. Invalid bytes decode
// as U+FFFD one byte at a time.
char32_t nextCodePoint(std::string_view text, std::size_t& pos);
void appendUtf8(std::string& out, char32_t cp);
bool isValidUtf8(std::string_view text);

std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);

// How much of `bytes` ends on a character boundary: all of it, unless it ends
// in the first bytes of a character whose rest is still to come (a stream
// that hands text on in pieces keeps those back). Invalid bytes count as
// whole characters.
std::size_t completeUtf8Length(std::string_view bytes);

// "U+4E2D '中'": how an error message names a character.
std::string describeCodePoint(char32_t cp);
// The start of a text for a message: at most 80 bytes, cut at a character
// boundary and marked "..." when cut, line breaks shown as blanks.
std::string textExcerpt(std::string_view text);

// ASCII-only case folding, as file names and INI keys are compared here.
std::string asciiLower(std::string_view text);
std::string asciiUpper(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// Whether `text` ends with `tail`, ASCII letter case ignored (".BAT", ".exe").
bool endsWithIgnoreCase(std::string_view text, std::string_view tail);

// The text without the given characters at either end (blanks and tabs by default).
std::string_view trim(std::string_view text, std::string_view blanks = " \t");

// Folds letter case the way Windows file names ignore it, for the scripts the
// names here use: Latin (with Latin-1 and Latin Extended-A), Greek, Cyrillic.
// Two names that fold to the same text name one file on Windows.
std::string foldCase(std::string_view text);

}  // namespace platform
