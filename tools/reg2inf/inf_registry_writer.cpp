// The INF text for the entries of a .reg file (layout in the header).
#include "tools/reg2inf/inf_registry_writer.h"

#include <cstdio>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/unicode.h"
#include "tools/reg2inf/reg_data_text.h"

namespace reg2inf {
namespace {

const char kCrLf[] = "\r\n";
const char kAddRegSection[] = "Reg2Inf_AddReg";
const char kDelRegSection[] = "Reg2Inf_DelReg";
// A wrapped line is at most this long, its ",\" included.
const std::size_t kLineWidth = 80;

// The setup engine's limit for one field (MAX_INF_STRING_LENGTH).
const std::size_t kMaxFieldCharacters = 4096;

// AddReg flags (setupapi's FLG_ADDREG_*).
const std::uint32_t kFlagString = 0x00000000;
const std::uint32_t kFlagBinary = 0x00000001;
const std::uint32_t kFlagKeyOnly = 0x00000010;
const std::uint32_t kFlagMultiString = 0x00010000;
const std::uint32_t kFlagExpandString = 0x00020000;
const std::uint32_t kFlagDword = 0x00010001;
const std::uint32_t kFlagNone = 0x00020001;

std::string formatted(const char* format, std::uint32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string hex32(std::uint32_t value) { return formatted("0x%08x", value); }
std::string hexNumber(std::uint32_t value) { return formatted("%x", value); }
std::string flagsField(std::uint32_t flags) { return formatted("0x%08X", flags); }
std::string hexByte(std::uint8_t value) { return formatted("%02x", value); }

std::string quotedContent(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '"') out += "\"\"";
        else if (c == '%') out += "%%";
        else out += c;
    }
    return out;
}

class Writer {
public:
    Writer(const RegFile& file, const std::string& fileName) : file_(file), fileName_(fileName) {}

    std::string text(bool wholeInf) {
        for (std::size_t i = 0; i < file_.entries.size(); ++i) addEntry(i);
        std::string out;
        if (wholeInf) {
            out += std::string("[Version]") + kCrLf + "Signature=\"$CHICAGO$\"" + kCrLf + kCrLf;
            out += std::string("[DefaultInstall]") + kCrLf;
            if (!delReg_.empty()) out += std::string("DelReg=") + kDelRegSection + kCrLf;
            out += std::string("AddReg=") + kAddRegSection + kCrLf + kCrLf;
        }
        if (!delReg_.empty()) out += std::string("[") + kDelRegSection + "]" + kCrLf + delReg_ + kCrLf;
        out += std::string("[") + kAddRegSection + "]" + kCrLf + addReg_;
        out += std::string("[Strings]") + kCrLf;
        return out;
    }

private:
    [[noreturn]] void fail(const RegEntry& entry, const std::string& reason,
                           platform::ErrorKind kind = platform::ErrorKind::BadInput) const {
        std::string where = "line " + std::to_string(entry.line) + ", key [" + entry.key.written + "]";
        if (entry.kind == RegEntry::Kind::SetValue || entry.kind == RegEntry::Kind::DeleteValue)
            where += entry.isDefault ? ", default value @" : ", value \"" + entry.valueName + "\"";
        throw platform::Error(kind, "The registry file \"" + fileName_ + "\" cannot be converted: " + where + ": " + reason);
    }

    // A text that goes into the INF: one line, and in the ANSI code page.
    const std::string& checked(const RegEntry& entry, const std::string& text) const {
        if (text.find_first_of("\r\n") != std::string::npos)
            fail(entry, "the text holds a line break, which a line of an INF cannot hold.");
        try {
            platform::encodeAnsi(text);
        } catch (const platform::Error& e) {
            fail(entry, e.what(), platform::ErrorKind::CodePage);
        }
        return text;
    }

    std::string keyFields(const RegEntry& entry) const {
        std::string fields = entry.key.root + ",";
        if (!entry.key.subkey.empty()) fields += "\"" + quotedContent(checked(entry, entry.key.subkey)) + "\"";
        return fields;
    }

    std::string nameField(const RegEntry& entry) const {
        return entry.isDefault ? std::string() : "\"" + quotedContent(checked(entry, entry.valueName)) + "\"";
    }

    std::string quotedField(const RegEntry& entry, const std::string& text) const {
        std::size_t characters = 0;
        for (std::size_t pos = 0; pos < text.size(); ++characters) platform::nextCodePoint(text, pos);
        if (characters > kMaxFieldCharacters)
            fail(entry, "the text has " + std::to_string(characters) + " characters; a field of an INF line holds at most " +
                            std::to_string(kMaxFieldCharacters) + ".");
        return "\"" + quotedContent(checked(entry, text)) + "\"";
    }

    // One AddReg line: the flags and the first data field stay on the line of
    // the names; further data fields continue on lines ending in ",\" when
    // the line would run past kLineWidth. Widths are counted in UTF-8 bytes,
    // never fewer than the code page's, so no written line is longer.
    void addLine(const std::string& head, const std::vector<std::string>& fields) {
        std::string line = head;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i >= 2 && line.size() + 1 + fields[i].size() + 2 > kLineWidth) {
                addReg_ += line + ",\\" + kCrLf;
                line = "  " + fields[i];
            } else {
                line += "," + fields[i];
            }
        }
        addReg_ += line + kCrLf;
    }

    // Whether a key line is followed by a value it sets, before the next key line.
    bool setsAValue(std::size_t keyIndex) const {
        for (std::size_t i = keyIndex + 1; i < file_.entries.size(); ++i) {
            const RegEntry::Kind kind = file_.entries[i].kind;
            if (kind == RegEntry::Kind::SetValue) return true;
            if (kind != RegEntry::Kind::DeleteValue) return false;
        }
        return false;
    }

    void addEntry(std::size_t index) {
        const RegEntry& entry = file_.entries[index];
        switch (entry.kind) {
            case RegEntry::Kind::Key:
                // A key with no value of its own is still made, as regedit makes it.
                if (!entry.key.subkey.empty() && !setsAValue(index))
                    addLine(keyFields(entry) + ",", {flagsField(kFlagKeyOnly)});
                break;
            case RegEntry::Kind::DeleteKey:
                delReg_ += keyFields(entry) + kCrLf;
                break;
            case RegEntry::Kind::DeleteValue:
                delReg_ += keyFields(entry) + "," + nameField(entry) + kCrLf;
                break;
            case RegEntry::Kind::SetValue:
                addValue(entry);
                break;
        }
    }

    void addValue(const RegEntry& entry) {
        const std::string head = keyFields(entry) + "," + nameField(entry);
        const RegData& data = entry.data;
        if (data.form == RegData::Form::String) {
            addLine(head, {flagsField(kFlagString), quotedField(entry, data.text)});
            return;
        }
        if (data.form == RegData::Form::Dword) {
            addLine(head, {flagsField(kFlagDword), hex32(data.dword)});
            return;
        }
        const bool unicode = file_.format == RegFormat::Version5;
        std::string reason;
        switch (data.type) {
            case kRegString:
            case kRegExpandString: {
                std::string text;
                if (!decodeSingleString(data.bytes, unicode, text, reason)) fail(entry, reason);
                addLine(head, {flagsField(data.type == kRegString ? kFlagString : kFlagExpandString),
                               quotedField(entry, text)});
                return;
            }
            case kRegMultiString: {
                std::vector<std::string> strings;
                if (!decodeMultiString(data.bytes, unicode, strings, reason)) fail(entry, reason);
                std::vector<std::string> fields = {flagsField(kFlagMultiString)};
                for (const std::string& s : strings) fields.push_back(quotedField(entry, s));
                addLine(head, fields);
                return;
            }
            default:
                break;
        }
        std::uint32_t flags;
        if (data.type == kRegBinary) flags = kFlagBinary;
        else if (data.type == kRegNone) flags = kFlagNone;
        // Four bytes are more than one field, so setup reads them as bytes.
        else if (data.type == kRegDword && data.bytes.size() == 4) flags = kFlagDword;
        else if (data.type <= 0xFFFF) flags = data.type << 16 | kFlagBinary;
        else
            fail(entry, "the type hex(" + hexNumber(data.type) + ") is above ffff, which an INF line cannot name.");
        std::vector<std::string> fields = {flagsField(flags)};
        for (std::uint8_t b : data.bytes) fields.push_back(hexByte(b));
        addLine(head, fields);
    }

    const RegFile& file_;
    const std::string& fileName_;
    std::string addReg_;
    std::string delReg_;
};

}  // namespace

std::string registryInfText(const RegFile& file, const std::string& fileName, bool wholeInf) {
    return Writer(file, fileName).text(wholeInf);
}

}  // namespace reg2inf
