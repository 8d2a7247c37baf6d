// Reading the lines of a .reg file into entries. The rules are regedit's:
// a key line "[ROOT\path]" or "[-ROOT\path]", value lines "name"=data or
// @=data, blank and ";" comment lines anywhere; hex data may continue over
// lines ending in "\" (the next line's leading blanks are skipped, and blank
// or comment lines between the parts are passed over). Anything else is an
// error naming the file and the line: nothing is guessed.
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/unicode.h"
#include "tools/reg2inf/reg_file.h"

namespace reg2inf {
namespace {

const char kRegedit4Header[] = "REGEDIT4";
const char kVersion5Header[] = "Windows Registry Editor Version 5.00";

bool isBlank(char c) { return c == ' ' || c == '\t'; }

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string trimmedEnd(const std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && isBlank(text[end - 1])) --end;
    return text.substr(0, end);
}

std::size_t skipBlanks(const std::string& text, std::size_t pos) {
    while (pos < text.size() && isBlank(text[pos])) ++pos;
    return pos;
}

bool isCommentOrBlank(const std::string& text) {
    const std::size_t pos = skipBlanks(text, 0);
    return pos == text.size() || text[pos] == ';';
}

struct RootName {
    const char* longName;
    const char* shortName;
    const char* infRoot;
    const char* subkeyPrefix;  // where the root lies below an INF root
};

// HKEY_CURRENT_CONFIG has no INF root of its own: it is the current hardware
// profile under HKLM.
const RootName kRoots[] = {
    {"HKEY_LOCAL_MACHINE", "HKLM", "HKLM", ""},
    {"HKEY_CURRENT_USER", "HKCU", "HKCU", ""},
    {"HKEY_CLASSES_ROOT", "HKCR", "HKCR", ""},
    {"HKEY_USERS", "HKU", "HKU", ""},
    {"HKEY_CURRENT_CONFIG", "HKCC", "HKLM", "System\\CurrentControlSet\\Hardware Profiles\\Current"},
};

class Parser {
public:
    Parser(std::vector<RegLine> lines, const std::string& fileName) : lines_(std::move(lines)), fileName_(fileName) {}

    RegFile parse() {
        RegFile file;
        if (lines_.empty())
            fail(1, "the file is empty. A registry file begins with the line \"" + std::string(kVersion5Header) +
                        "\" or \"" + kRegedit4Header + "\".");
        std::string header = trimmedEnd(lines_[0].text);
        if (header.compare(0, 3, "\xEF\xBB\xBF") == 0) header.erase(0, 3);  // a mark saved twice
        if (header == kRegedit4Header) file.format = RegFormat::Regedit4;
        else if (header == kVersion5Header) file.format = RegFormat::Version5;
        else
            fail(1, "the first line is not a registry file header. It must be \"" + std::string(kVersion5Header) +
                        "\" or \"" + kRegedit4Header + "\"; export the key with regedit.");

        for (index_ = 1; index_ < lines_.size(); ++index_) {
            const std::string& text = lines_[index_].text;
            if (isCommentOrBlank(text)) continue;
            const std::size_t pos = skipBlanks(text, 0);
            if (text[pos] == '[') readKeyLine(text.substr(pos), file);
            else if (text[pos] == '"' || text[pos] == '@') readValueLine(text, pos, file);
            else
                fail(lineNumber(), "the line is neither a key \"[...]\", a value \"name\"=... or @=..., nor a "
                                   "comment beginning with \";\".");
        }
        return file;
    }

private:
    int lineNumber() const { return lines_[index_].number; }
    [[noreturn]] void fail(int line, const std::string& reason) const { throwLineError(fileName_, line, reason); }

    void readKeyLine(const std::string& text, RegFile& file) {
        const std::string line = trimmedEnd(text);
        if (line.size() < 2 || line.back() != ']')
            fail(lineNumber(), "a key line must end with \"]\".");
        std::string path = line.substr(1, line.size() - 2);
        RegEntry entry;
        entry.line = lineNumber();
        entry.kind = RegEntry::Kind::Key;
        if (!path.empty() && path[0] == '-') {
            entry.kind = RegEntry::Kind::DeleteKey;
            path.erase(0, 1);
        }
        entry.key = keyName(path);
        if (entry.kind == RegEntry::Kind::DeleteKey && entry.key.subkey.empty())
            fail(lineNumber(), "the line deletes the whole root " + path + ", which no registry file may do.");
        currentKey_ = entry.key;
        keyDeleted_ = entry.kind == RegEntry::Kind::DeleteKey;
        haveKey_ = true;
        file.entries.push_back(std::move(entry));
    }

    RegKeyName keyName(const std::string& path) const {
        const std::size_t slash = path.find('\\');
        const std::string root = path.substr(0, slash);
        std::string rest = slash == std::string::npos ? std::string() : path.substr(slash + 1);
        while (!rest.empty() && rest.back() == '\\') rest.pop_back();
        for (const RootName& r : kRoots) {
            if (!platform::equalsIgnoreCase(root, r.longName) && !platform::equalsIgnoreCase(root, r.shortName))
                continue;
            RegKeyName name;
            name.written = path;
            name.root = r.infRoot;
            name.subkey = r.subkeyPrefix;
            if (!rest.empty()) name.subkey += (name.subkey.empty() ? "" : "\\") + rest;
            return name;
        }
        fail(lineNumber(), "the key \"" + path +
                               "\" does not begin with a registry root: HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, "
                               "HKEY_CLASSES_ROOT, HKEY_USERS or HKEY_CURRENT_CONFIG.");
    }

    // A quoted string with regedit's escapes \\ and \", from the opening quote
    // at `pos`; leaves `pos` after the closing quote.
    std::string quotedString(const std::string& text, std::size_t& pos) const {
        std::string value;
        ++pos;
        while (pos < text.size() && text[pos] != '"') {
            if (text[pos] == '\\') {
                if (pos + 1 >= text.size()) break;
                const char next = text[pos + 1];
                if (next != '\\' && next != '"')
                    fail(lineNumber(), std::string("the string holds the unknown escape \"\\") + next +
                                           "\". Inside quotes a backslash is written \\\\ and a quote \\\".");
                value += next;
                pos += 2;
                continue;
            }
            value += text[pos++];
        }
        if (pos >= text.size()) fail(lineNumber(), "a string has no closing quote.");
        ++pos;
        return value;
    }

    void expectLineEnd(const std::string& text, std::size_t pos, const char* what) const {
        pos = skipBlanks(text, pos);
        if (pos != text.size())
            fail(lineNumber(), std::string("unexpected text \"") + text.substr(pos) + "\" after " + what + ".");
    }

    void readValueLine(const std::string& text, std::size_t pos, RegFile& file) {
        if (!haveKey_) fail(lineNumber(), "a value stands before the first key line \"[...]\".");
        if (keyDeleted_)
            fail(lineNumber(), "a value stands under the key deletion [-" + currentKey_.written +
                                   "]. Put it under a key line without \"-\".");
        RegEntry entry;
        entry.line = lineNumber();
        entry.key = currentKey_;
        if (text[pos] == '@') {
            entry.isDefault = true;
            ++pos;
        } else {
            entry.valueName = quotedString(text, pos);
            entry.isDefault = entry.valueName.empty();
        }
        pos = skipBlanks(text, pos);
        if (pos >= text.size() || text[pos] != '=') fail(lineNumber(), "the value name is not followed by \"=\".");
        pos = skipBlanks(text, pos + 1);
        if (pos >= text.size()) fail(lineNumber(), "the value has no data after \"=\".");

        if (text[pos] == '-') {
            expectLineEnd(text, pos + 1, "\"-\"");
            if (entry.isDefault)
                fail(lineNumber(), "the default value of [" + currentKey_.written +
                                       "] cannot be deleted by itself: an INF would delete the whole key. Delete "
                                       "the key with a line [-...] or leave this line out.");
            entry.kind = RegEntry::Kind::DeleteValue;
        } else {
            entry.kind = RegEntry::Kind::SetValue;
            entry.data = readData(pos);
        }
        file.entries.push_back(std::move(entry));
    }

    bool startsWithWord(const std::string& text, std::size_t pos, const char* word) const {
        const std::string w = word;
        return platform::equalsIgnoreCase(text.substr(pos, w.size()), w);
    }

    // The data after "=": reads continuation lines, so index_ may advance.
    RegData readData(std::size_t pos) {
        const std::string text = lines_[index_].text;
        RegData data;
        if (text[pos] == '"') {
            data.form = RegData::Form::String;
            data.type = kRegString;
            data.text = quotedString(text, pos);
            expectLineEnd(text, pos, "the string");
            return data;
        }
        if (startsWithWord(text, pos, "dword:")) {
            pos += 6;
            const std::size_t start = pos;
            std::uint32_t value = 0;
            while (pos < text.size() && hexDigit(text[pos]) >= 0) {
                if (pos - start == 8) fail(lineNumber(), "a dword has at most 8 hex digits.");
                value = value << 4 | static_cast<std::uint32_t>(hexDigit(text[pos++]));
            }
            if (pos == start) fail(lineNumber(), "\"dword:\" is not followed by hex digits.");
            expectLineEnd(text, pos, "the dword");
            data.form = RegData::Form::Dword;
            data.type = kRegDword;
            data.dword = value;
            return data;
        }
        if (startsWithWord(text, pos, "hex:")) {
            data.type = kRegBinary;
            pos += 4;
        } else if (startsWithWord(text, pos, "hex(")) {
            pos += 4;
            const std::size_t start = pos;
            std::uint32_t type = 0;
            while (pos < text.size() && hexDigit(text[pos]) >= 0) {
                if (pos - start == 8) fail(lineNumber(), "a type number hex(n) has at most 8 hex digits.");
                type = type << 4 | static_cast<std::uint32_t>(hexDigit(text[pos++]));
            }
            if (pos == start || text.compare(pos, 2, "):") != 0)
                fail(lineNumber(), "\"hex(\" must be followed by a hex type number and \"):\".");
            pos += 2;
            data.type = type;
        } else {
            fail(lineNumber(), "unknown data \"" + text.substr(pos) +
                                   "\". Data is a quoted string, dword:, hex: or hex(n):, or \"-\" to delete.");
        }
        data.form = RegData::Form::Hex;
        data.bytes = readHexBytes(pos);
        return data;
    }

    // Comma-separated bytes of one or two hex digits. A "\" at the end of a
    // line continues the list on the next line that is not blank or a comment.
    std::vector<std::uint8_t> readHexBytes(std::size_t pos) {
        std::vector<std::uint8_t> bytes;
        bool expectByte = true;
        std::string text = lines_[index_].text;
        while (true) {
            pos = skipBlanks(text, pos);
            if (pos >= text.size()) break;
            const char c = text[pos];
            if (c == '\\' && skipBlanks(text, pos + 1) == text.size()) {
                const int continuedLine = lineNumber();
                do {
                    if (++index_ >= lines_.size())
                        fail(continuedLine, "the hex data ends in \"\\\" but no line follows to continue it.");
                } while (isCommentOrBlank(lines_[index_].text));
                text = lines_[index_].text;
                pos = 0;
                expectByte = true;  // a line break stands between two bytes like a comma
                continue;
            }
            if (expectByte && hexDigit(c) >= 0) {
                int value = hexDigit(c);
                ++pos;
                if (pos < text.size() && hexDigit(text[pos]) >= 0) value = value * 16 + hexDigit(text[pos++]);
                if (pos < text.size() && hexDigit(text[pos]) >= 0)
                    fail(lineNumber(), "a byte of hex data has at most two hex digits.");
                bytes.push_back(static_cast<std::uint8_t>(value));
                expectByte = false;
                continue;
            }
            if (!expectByte && c == ',') {
                expectByte = true;
                ++pos;
                continue;
            }
            fail(lineNumber(), std::string("unexpected \"") + c +
                                   "\" in hex data. Hex data is bytes of two hex digits separated by commas.");
        }
        return bytes;
    }

    std::vector<RegLine> lines_;
    const std::string& fileName_;
    std::size_t index_ = 0;
    RegKeyName currentKey_;
    bool haveKey_ = false;
    bool keyDeleted_ = false;
};

}  // namespace

RegFile parseRegFile(const std::string& bytes, const std::string& fileName) {
    return Parser(decodeRegLines(bytes, fileName), fileName).parse();
}

}  // namespace reg2inf
