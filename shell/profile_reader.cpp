#include "shell/profile_reader.h"

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/unicode.h"

namespace shell {

namespace {

// The blanks the profile reader trims. Ctrl-Z (0x1A) counts as one, so an
// end-of-file mark left by old editors reads as an empty line.
constexpr std::string_view kBlanks = " \t\r\n\v\f\x1a";

std::string_view trim(std::string_view text) { return platform::trim(text, kBlanks); }

// The file's text as UTF-8, by its byte-order mark or else the ANSI code page.
// Structure characters ("[", "]", "=") are only looked for after decoding: in
// a double-byte code page they may be the second byte of a character.
std::string decodeProfileText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return platform::decodeCodePage(65001, bytes.substr(3));
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        std::u16string units;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                  static_cast<unsigned char>(bytes[i + 1]) << 8));
        return platform::utf16ToUtf8(units);
    }
    return platform::decodeAnsi(bytes, /*lenient=*/true);
}

std::string_view dropMatchingQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// The longest head of `value` whose ANSI form fits in kProfileValueBytes,
// ending on a whole character. A character the code page cannot hold counts
// as the one "?" the system's reader would put in its place.
std::string cutToAnsiBytes(std::string_view value) {
    if (value.size() <= kProfileValueBytes) return std::string(value);  // ANSI is never longer than UTF-8
    std::size_t ansiBytes = 0;
    std::size_t pos = 0;
    while (pos < value.size()) {
        std::size_t next = pos;
        platform::nextCodePoint(value, next);
        std::size_t width = 1;
        if (next - pos > 1) {
            try {
                width = platform::encodeAnsi(value.substr(pos, next - pos)).size();
            } catch (const platform::Error&) {
                width = 1;
            }
        }
        if (ansiBytes + width > kProfileValueBytes) break;
        ansiBytes += width;
        pos = next;
    }
    return std::string(value.substr(0, pos));
}

// Walks the text line by line; CR, LF or CR LF end a line.
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool next(std::string_view& line) {
        if (pos_ >= text_.size()) return false;
        const std::size_t end = text_.find_first_of("\r\n", pos_);
        const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        line = text_.substr(pos_, stop - pos_);
        pos_ = stop;
        if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
        return true;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::string findProfileValue(std::string_view fileBytes, std::string_view section, std::string_view key,
                             ValueLength length) {
    const std::string text = decodeProfileText(fileBytes);
    section = trim(section);
    key = trim(key);

    // Keys before the first header belong to a section without a name.
    bool inSection = section.empty();
    LineReader lines(text);
    std::string_view line;
    while (lines.next(line)) {
        line = trim(line);
        if (line.empty()) continue;
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                if (inSection) return {};  // only the first section of that name counts
                inSection = platform::equalsIgnoreCase(trim(line.substr(1, close - 1)), section);
                continue;
            }
        }
        if (!inSection) continue;
        // A line without "=" is a key without a value: it hides later keys
        // of its name, as any first key does.
        const std::size_t equals = line.find('=');
        if (!platform::equalsIgnoreCase(trim(line.substr(0, equals)), key)) continue;
        if (equals == std::string_view::npos) return {};
        const std::string_view value = dropMatchingQuotes(trim(line.substr(equals + 1)));
        return length == ValueLength::Whole ? std::string(value) : cutToAnsiBytes(value);
    }
    return {};
}

std::string readProfileString(const std::string& path, std::string_view section, std::string_view key,
                              ValueLength length) {
    std::string bytes;
    try {
        if (!platform::fileExists(path)) return {};
        bytes = platform::readFile(path);
    } catch (const platform::Error&) {
        return {};  // a file that cannot be read gives the default, as a missing one does
    }
    return findProfileValue(bytes, section, key, length);
}

}  // namespace shell
