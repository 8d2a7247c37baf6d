// The strings held in hex(1), hex(2) and hex(7) data. A version 5.00 file
// gives their bytes in UTF-16LE, a REGEDIT4 file in the ANSI code page; the
// terminating NUL characters are dropped.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace reg2inf {

// One string (hex(1), hex(2)). False, with the reason, for bytes that are no
// text or a NUL character inside the string.
bool decodeSingleString(const std::vector<std::uint8_t>& bytes, bool unicode, std::string& text, std::string& reason);

// The strings of a multi-string (hex(7)): each ends in NUL and the list ends
// in one more. An empty list gives none.
bool decodeMultiString(const std::vector<std::uint8_t>& bytes, bool unicode, std::vector<std::string>& strings,
                       std::string& reason);

}  // namespace reg2inf
