#include "tools/reg2inf/reg_data_text.h"

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/unicode.h"

namespace reg2inf {
namespace {

// The data as characters: UTF-16 units, or the ANSI bytes one by one.
bool characters(const std::vector<std::uint8_t>& bytes, bool unicode, std::u16string& units, std::string& reason) {
    if (!unicode) {
        units.assign(bytes.begin(), bytes.end());
        return true;
    }
    if (bytes.size() % 2 != 0) {
        reason = "the data has an odd number of bytes, so it is no Unicode text. Export the key again with regedit.";
        return false;
    }
    units.clear();
    for (std::size_t i = 0; i < bytes.size(); i += 2) units.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    return true;
}

bool toUtf8(const std::u16string& units, bool unicode, std::string& text, std::string& reason) {
    if (unicode) {
        text = platform::utf16ToUtf8(units);
        return true;
    }
    const std::string bytes(units.begin(), units.end());
    try {
        text = platform::decodeAnsi(bytes, false);
        return true;
    } catch (const platform::Error& e) {
        reason = e.what();
        return false;
    }
}

}  // namespace

bool decodeSingleString(const std::vector<std::uint8_t>& bytes, bool unicode, std::string& text, std::string& reason) {
    std::u16string units;
    if (!characters(bytes, unicode, units, reason)) return false;
    while (!units.empty() && units.back() == u'\0') units.pop_back();
    if (units.find(u'\0') != std::u16string::npos) {
        reason = "the string holds a NUL character before its end, which an INF line cannot hold.";
        return false;
    }
    return toUtf8(units, unicode, text, reason);
}

bool decodeMultiString(const std::vector<std::uint8_t>& bytes, bool unicode, std::vector<std::string>& strings,
                       std::string& reason) {
    std::u16string units;
    if (!characters(bytes, unicode, units, reason)) return false;
    std::vector<std::u16string> pieces;
    std::u16string current;
    for (char16_t c : units) {
        if (c == u'\0') {
            pieces.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) pieces.push_back(current);  // the last string lacks its NUL
    if (!pieces.empty() && pieces.back().empty()) pieces.pop_back();  // the NUL that ends the list
    strings.clear();
    for (const std::u16string& piece : pieces) {
        std::string text;
        if (!toUtf8(piece, unicode, text, reason)) return false;
        strings.push_back(text);
    }
    return true;
}

}  // namespace reg2inf
