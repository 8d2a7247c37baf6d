#include "platform/unicode.h"

#include <cstdio>

namespace platform {

char32_t nextCodePoint(std::string_view s, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) { extra = 1; cp = b0 & 0x1F; }
    else if ((b0 & 0xF0) == 0xE0) { extra = 2; cp = b0 & 0x0F; }
    else if ((b0 & 0xF8) == 0xF0) { extra = 3; cp = b0 & 0x07; }
    else { ++pos; return 0xFFFD; }
    for (int i = 1; i <= extra; ++i) {
        if (pos + i >= s.size() || (byte(pos + i) & 0xC0) != 0x80) { ++pos; return 0xFFFD; }
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    static const char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) { ++pos; return 0xFFFD; }
    pos += extra + 1;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isValidUtf8(std::string_view s) {
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t before = pos;
        if (nextCodePoint(s, pos) == 0xFFFD) {
            // A real U+FFFD in the text is three valid bytes.
            if (pos - before != 3) return false;
        }
    }
    return true;
}

std::u16string utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (pos < s.size()) {
        char32_t cp = nextCodePoint(s, pos);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        appendUtf8(out, cp);
    }
    return out;
}

std::string describeCodePoint(char32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    std::string out = buf;
    if (cp >= 0x20 && cp != 0x7F && cp != 0xFFFD) {
        out += " '";
        appendUtf8(out, cp);
        out += "'";
    }
    return out;
}

std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string asciiUpper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

bool endsWithIgnoreCase(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && equalsIgnoreCase(text.substr(text.size() - tail.size()), tail);
}

std::string_view trim(std::string_view text, std::string_view blanks) {
    while (!text.empty() && blanks.find(text.front()) != std::string_view::npos) text.remove_prefix(1);
    while (!text.empty() && blanks.find(text.back()) != std::string_view::npos) text.remove_suffix(1);
    return text;
}

std::string foldCase(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    std::size_t pos = 0;
    while (pos < s.size()) {
        char32_t cp = nextCodePoint(s, pos);
        if (cp >= 'A' && cp <= 'Z') cp += 0x20;
        else if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) cp += 0x20;
        else if (cp >= 0x100 && cp <= 0x17F && cp != 0x130 && cp != 0x131 && cp != 0x138 && cp != 0x149 &&
                 cp != 0x17F) {
            // Latin Extended-A pairs: even upper, odd lower, except the run
            // 0x139..0x148 and 0x179..0x17E, where odd is upper.
            const bool oddUpper = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
            if (oddUpper ? (cp % 2 == 1) : (cp % 2 == 0)) cp += 1;
        } else if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) cp += 0x20;
        else if (cp >= 0x410 && cp <= 0x42F) cp += 0x20;
        else if (cp >= 0x400 && cp <= 0x40F) cp += 0x50;
        appendUtf8(out, cp);
    }
    return out;
}

std::size_t completeUtf8Length(std::string_view bytes) {
    const std::size_t end = bytes.size();
    std::size_t lead = end;
    // A character has at most three bytes after its first.
    while (lead > 0 && end - lead < 3 && (static_cast<unsigned char>(bytes[lead - 1]) & 0xC0) == 0x80) --lead;
    if (lead == 0) return end;
    const unsigned char first = static_cast<unsigned char>(bytes[lead - 1]);
    const std::size_t length = first >= 0xF8 ? 1 : first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return end - (lead - 1) >= length ? end : lead - 1;
}

std::string textExcerpt(std::string_view text) {
    std::string s(text.substr(0, 80));
    if (text.size() > 80) {
        std::size_t pos = 0, last = 0;
        while (pos < s.size()) { last = pos; nextCodePoint(s, pos); }
        if (pos > s.size()) s.resize(last);
        s += "...";
    }
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

}  // namespace platform
