// From the bytes of a .reg file to UTF-8 lines. regedit writes version 5.00
// files as UTF-16LE with a byte-order mark and REGEDIT4 files in the ANSI code
// page; an editor may have saved either again as UTF-8, with or without a
// byte-order mark. A file without a mark whose bytes are valid UTF-8 is read
// as UTF-8 (text in code page 936 is almost never valid UTF-8, and ASCII reads
// the same either way); any other as the ANSI code page.
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/unicode.h"
#include "tools/reg2inf/reg_file.h"
#include "platform/ansi_text_file.h"

namespace reg2inf {
namespace {

enum class Encoding { Utf16Le, Utf16Be, Utf8, Ansi };

Encoding chooseEncoding(const std::string& bytes, std::size_t& skip) {
    skip = 0;
    const auto startsWith = [&](const char* mark, std::size_t n) { return bytes.compare(0, n, mark, n) == 0; };
    if (startsWith("\xFF\xFE", 2)) { skip = 2; return Encoding::Utf16Le; }
    if (startsWith("\xFE\xFF", 2)) { skip = 2; return Encoding::Utf16Be; }
    if (startsWith("\xEF\xBB\xBF", 3)) { skip = 3; return Encoding::Utf8; }
    // A UTF-16 file that lost its mark still begins with an ASCII letter and a zero byte.
    if (bytes.size() >= 2 && bytes[0] != '\0' && bytes[1] == '\0') return Encoding::Utf16Le;
    if (platform::isValidUtf8(bytes)) return Encoding::Utf8;
    return Encoding::Ansi;
}

std::string utf16ToText(const std::string& bytes, std::size_t skip, bool bigEndian) {
    std::u16string units;
    units.reserve((bytes.size() - skip) / 2);
    for (std::size_t i = skip; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        units.push_back(static_cast<char16_t>(lo | hi << 8));
    }
    // Some tools end a Unicode file with a NUL character.
    while (!units.empty() && units.back() == u'\0') units.pop_back();
    return platform::utf16ToUtf8(units);
}

}  // namespace

void throwLineError(const std::string& fileName, int line, const std::string& reason) {
    throw platform::Error(platform::ErrorKind::BadInput,
                          "The registry file \"" + fileName + "\" cannot be read at line " + std::to_string(line) +
                              ": " + reason);
}

std::vector<RegLine> decodeRegLines(const std::string& bytes, const std::string& fileName) {
    std::size_t skip = 0;
    const Encoding encoding = chooseEncoding(bytes, skip);
    std::vector<RegLine> lines;
    if (encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be) {
        const std::string text = utf16ToText(bytes, skip, encoding == Encoding::Utf16Be);
        for (std::string& line : platform::splitLines(text))
            lines.push_back({static_cast<int>(lines.size()) + 1, std::move(line)});
        if ((bytes.size() - skip) % 2 != 0)
            throwLineError(fileName, static_cast<int>(lines.size()),
                           "the file ends in the middle of a character. A Unicode registry file has an even "
                           "number of bytes; export the key again with regedit.");
        return lines;
    }
    for (std::string& raw : platform::splitLines(bytes.substr(skip))) {
        const int number = static_cast<int>(lines.size()) + 1;
        if (encoding == Encoding::Utf8) {
            if (!platform::isValidUtf8(raw))
                throwLineError(fileName, number, "the line is not valid UTF-8, as the rest of the file is.");
            lines.push_back({number, std::move(raw)});
        } else {
            try {
                lines.push_back({number, platform::decodeAnsi(raw, false)});
            } catch (const platform::Error& e) {
                throwLineError(fileName, number,
                               std::string(e.what()) + " Save the file as Unicode or in the system's code page.");
            }
        }
    }
    return lines;
}

}  // namespace reg2inf
