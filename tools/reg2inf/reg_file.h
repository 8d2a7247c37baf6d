// What a registry export file (.reg) says, read into entries: keys, key
// deletions, values and value deletions, in file order.
//
// Reads both export formats: "REGEDIT4" (text in the ANSI code page) and
// "Windows Registry Editor Version 5.00" (UTF-16LE as regedit writes it, or
// UTF-8 where the file was saved again so), with CR LF or LF line ends. The
// whole file is checked before anything is made of it: the first line that
// cannot be read is an error naming the file and the line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace reg2inf {

enum class RegFormat { Regedit4, Version5 };

// Registry value types as hex(n) numbers them.
enum RegType : std::uint32_t {
    kRegNone = 0,
    kRegString = 1,
    kRegExpandString = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegMultiString = 7,
    kRegQword = 11,
};

// One line of the file as UTF-8, with its number (the first line is 1).
struct RegLine {
    int number = 0;
    std::string text;
};

struct RegKeyName {
    std::string written;  // as the file writes it, for messages
    std::string root;     // HKLM, HKCU, HKCR or HKU
    std::string subkey;   // without the root; empty for the root itself
};

struct RegData {
    // "text" (kRegString, `text`), dword:… (kRegDword, `dword`) or hex(n):…
    // (`type` n, the raw `bytes`).
    enum class Form { String, Dword, Hex } form = Form::String;
    std::uint32_t type = kRegString;
    std::string text;
    std::uint32_t dword = 0;
    std::vector<std::uint8_t> bytes;
};

struct RegEntry {
    enum class Kind { Key, DeleteKey, SetValue, DeleteValue };
    Kind kind = Kind::Key;
    int line = 0;  // where the entry begins
    RegKeyName key;
    bool isDefault = false;  // "@": the key's unnamed value
    std::string valueName;
    RegData data;
};

struct RegFile {
    RegFormat format = RegFormat::Version5;
    std::vector<RegEntry> entries;
};

// Splits the file's bytes into UTF-8 lines, choosing the encoding by the byte
// order mark or the header line. Throws platform::Error(BadInput) naming
// `fileName` and the line for bytes the encoding cannot read.
std::vector<RegLine> decodeRegLines(const std::string& bytes, const std::string& fileName);

// The error for a line that cannot be read: names the file, the line and why.
[[noreturn]] void throwLineError(const std::string& fileName, int line, const std::string& reason);

// Reads the whole file. Throws platform::Error(BadInput) naming `fileName`
// and the first line that cannot be read, with the reason.
RegFile parseRegFile(const std::string& bytes, const std::string& fileName);

}  // namespace reg2inf
