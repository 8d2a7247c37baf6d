// Reads single values from profile (INI) files the way the Windows profile
// reader does, so that a language file reads the same on every system:
//
//   - the file is text in the ANSI code page, or UTF-8 / UTF-16 LE when it
//     starts with the matching byte-order mark;
//   - section and key names are matched without regard to letter case, with
//     blanks around them (in the file and in the request) ignored;
//   - only the first section of a name is searched, and in it the first key
//     of a name wins;
//   - a line starting with "[" and holding a "]" starts a section, named by
//     what lies between the "[" and the last "]"; any other line with "=" is
//     a key; lines without "=" are skipped (there is no comment syntax: ";x=1"
//     is the key ";x");
//   - blanks around the value are dropped, then one pair of matching quotes
//     (" or ') around it;
//   - at most kProfileValueBytes bytes of the value, counted in the ANSI code
//     page, are kept, cut before a character that would not fit whole
//     (unless the whole value is asked for);
//   - a missing or unreadable file, section or key gives the empty string.
//
// It does not write profiles, expand anything, or cache files: every call
// reads the file anew.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace shell {

// The reader copies into a 255-byte buffer, which keeps 254 bytes and a NUL.
inline constexpr std::size_t kProfileValueBytes = 254;

// How much of a value a read keeps: what the reader's buffer holds (the UI
// strings, as the program has always read them), or all of it (the message
// and caption texts, many longer than the buffer, above all in a two-byte
// code page).
enum class ValueLength { Buffer, Whole };

// The value as UTF-8 text; empty when the file, section or key is missing.
std::string readProfileString(const std::string& path, std::string_view section, std::string_view key,
                              ValueLength length = ValueLength::Buffer);

// The same on the file's bytes, for callers that hold them already.
std::string findProfileValue(std::string_view fileBytes, std::string_view section, std::string_view key,
                             ValueLength length = ValueLength::Buffer);

}  // namespace shell
