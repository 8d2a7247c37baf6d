#include "tools/makecab/makecab_variables.h"

#include <cctype>
#include <vector>

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/unicode.h"

namespace makecab {

namespace {

enum class Kind { Text, Switch, Number, DiskSize, Method, Memory, Level, Width, Char, MustBeZero, CodePage };

struct Standard {
    const char* name;
    const char* defaultValue;
    Kind kind;
};

// makecab's standard variables and their documented defaults. Variables that
// shape only the INF makecab writes (the Inf* family) take any text.
const Standard kStandard[] = {
    {"Cabinet", "ON", Kind::Switch},
    {"CabinetFileCountThreshold", "0", Kind::Number},
    {"CabinetNameTemplate", "*.CAB", Kind::Text},
    {"ChecksumWidth", "8", Kind::Width},
    {"ClusterSize", "512", Kind::Number},
    {"Compress", "ON", Kind::Switch},
    {"CompressedFileExtensionChar", "_", Kind::Char},
    {"CompressionLevel", "2", Kind::Level},
    {"CompressionMemory", "18", Kind::Memory},
    {"CompressionType", "MSZIP", Kind::Method},
    {"DestinationDir", "", Kind::Text},
    {"DiskDirectoryTemplate", "DISK*", Kind::Text},
    {"DiskLabelTemplate", "Disk *", Kind::Text},
    {"DoNotCopyFiles", "OFF", Kind::Switch},
    {"FolderFileCountThreshold", "0", Kind::Number},
    {"FolderSizeThreshold", "0", Kind::Number},
    {"GenerateInf", "ON", Kind::Switch},
    {"InfFileName", "setup.inf", Kind::Text},
    {"MaxCabinetSize", "0", Kind::DiskSize},
    {"MaxDiskFileCount", "0", Kind::Number},
    {"MaxDiskSize", "1.44M", Kind::DiskSize},
    {"MaxErrors", "20", Kind::Number},
    // Not one of Windows' makecab, which stores names in the ANSI code page
    // (0 here). A directive file names the code page its cabinet's readers
    // use, where that is not the code page of the system making it.
    {"NameCodePage", "0", Kind::CodePage},
    {"ReservePerCabinetSize", "0", Kind::MustBeZero},
    {"ReservePerDataBlockSize", "0", Kind::MustBeZero},
    {"ReservePerFolderSize", "0", Kind::MustBeZero},
    {"RptFileName", "setup.rpt", Kind::Text},
    {"SourceDir", "", Kind::Text},
    {"UniqueFiles", "ON", Kind::Switch},
};

// Families with a number after the name (CabinetName1, MaxDiskSize2 ...).
const Standard kNumbered[] = {
    {"CabinetName", "", Kind::Text},
    {"DiskDirectory", "", Kind::Text},
    {"DiskLabel", "", Kind::Text},
    {"MaxDiskSize", "", Kind::DiskSize},
    {"MaxDiskFileCount", "", Kind::Number},
};

[[noreturn]] void refuse(const std::string& name, const std::string& value, const std::string& why) {
    throw platform::Error(platform::ErrorKind::BadInput,
                          "The value \"" + value + "\" of the variable " + name + " is not valid: " + why);
}

bool isDigits(const std::string& s) {
    if (s.empty() || s.size() > 18) return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

std::uint64_t parseNumber(const std::string& name, const std::string& value) {
    if (!isDigits(value)) refuse(name, value, "a whole number is needed.");
    return std::stoull(value);
}

bool parseSwitch(const std::string& name, const std::string& value) {
    const std::string v = platform::asciiUpper(value);
    if (v == "ON" || v == "YES" || v == "TRUE" || v == "1") return true;
    if (v == "OFF" || v == "NO" || v == "FALSE" || v == "0") return false;
    refuse(name, value, "ON or OFF is needed.");
}

cabinet::Method parseMethod(const std::string& name, const std::string& value) {
    const std::string v = platform::asciiUpper(value);
    if (v == "MSZIP") return cabinet::Method::Mszip;
    if (v == "LZX") return cabinet::Method::Lzx;
    if (v == "NONE") return cabinet::Method::None;
    if (v == "QUANTUM") refuse(name, value, "Quantum compression is not supported; use MSZIP or LZX.");
    refuse(name, value, "MSZIP, LZX or NONE is needed.");
}

void check(const Standard& s, const std::string& name, const std::string& value) {
    switch (s.kind) {
    case Kind::Text: return;
    case Kind::Switch: parseSwitch(name, value); return;
    case Kind::Number: parseNumber(name, value); return;
    case Kind::DiskSize: parseDiskSize(name, value); return;
    case Kind::Method: parseMethod(name, value); return;
    case Kind::Memory: {
        const std::uint64_t n = isDigits(value) ? std::stoull(value) : 0;
        if (n < 15 || n > 21) refuse(name, value, "a window size from 15 to 21 is needed.");
        return;
    }
    case Kind::Level: {
        const std::uint64_t n = isDigits(value) ? std::stoull(value) : 0;
        if (n < 1 || n > 7) refuse(name, value, "a level from 1 to 7 is needed.");
        return;
    }
    case Kind::Width: {
        const std::uint64_t n = isDigits(value) ? std::stoull(value) : 0;
        if (n < 1 || n > 8) refuse(name, value, "a width from 1 to 8 is needed.");
        return;
    }
    case Kind::Char:
        if (value.size() != 1) refuse(name, value, "one character is needed.");
        return;
    case Kind::MustBeZero:
        if (parseNumber(name, value) != 0) refuse(name, value, "reserved space in cabinets is not supported.");
        return;
    case Kind::CodePage: {
        const std::uint64_t n = parseNumber(name, value);
        // UTF-8 names need the cabinet's UTF-8 mark, and the setup engines skip files that carry it.
        if (n == 65001) refuse(name, value, "names are stored in a code page of their own, not as UTF-8.");
        // 1 to 3 are Windows' stand-ins for "this system's OEM (Mac, thread) code page".
        if (n > 65535 || (n >= 1 && n <= 3)) refuse(name, value, "a code page number is needed.");
        if (n != 0) {
            try {
                platform::encodeCodePage(static_cast<unsigned>(n), "A");
            } catch (const platform::Error&) {
                refuse(name, value, "this system cannot write code page " + value + ".");
            }
        }
        return;
    }
    }
}

const Standard* findStandard(const std::string& name) {
    const std::string lower = platform::asciiLower(name);
    for (const Standard& s : kStandard)
        if (platform::asciiLower(s.name) == lower) return &s;
    for (const Standard& s : kNumbered) {
        const std::string stem = platform::asciiLower(s.name);
        if (lower.size() > stem.size() && lower.compare(0, stem.size(), stem) == 0 &&
            isDigits(lower.substr(stem.size())))
            return &s;
    }
    // The INF layout variables (InfHeader, InfFileLineFormat, ...).
    static const Standard kInfText = {"Inf", "", Kind::Text};
    if (lower.size() > 3 && lower.compare(0, 3, "inf") == 0) return &kInfText;
    return nullptr;
}

std::string replaceStar(const std::string& pattern, int number) {
    std::string out;
    for (char c : pattern) {
        if (c == '*') out += std::to_string(number);
        else out += c;
    }
    return out;
}

}  // namespace

std::uint64_t parseDiskSize(const std::string& name, const std::string& value) {
    struct Named { const char* text; std::uint64_t bytes; };
    // The usable bytes of the disk formats makecab names.
    static const Named kNamed[] = {
        {"CDROM", 681984000}, {"2.88M", 2915328}, {"1.44M", 1457664}, {"1.25M", 1250304},
        {"1.2M", 1213952},    {"720K", 730112},   {"360K", 362496},   {"DMF168", 1716224},
    };
    const std::string v = platform::asciiUpper(value);
    for (const Named& n : kNamed)
        if (v == n.text) return n.bytes;
    const std::uint64_t bytes = parseNumber(name, value);
    if (bytes > 0x7FFFFFFFu) refuse(name, value, "a cabinet holds at most 2147483647 bytes.");
    return bytes;
}

Variables::Variables() {
    for (const Standard& s : kStandard) values_[platform::asciiLower(s.name)] = s.defaultValue;
}

void Variables::set(const std::string& name, const std::string& value) {
    const std::string key = platform::asciiLower(name);
    if (const Standard* s = findStandard(name)) {
        check(*s, name, value);
    } else if (!values_.count(key)) {
        throw platform::Error(platform::ErrorKind::BadInput,
                              "Unknown variable: " + name + ". Check its spelling, or make it first with .Define.");
    }
    values_[key] = value;
}

void Variables::define(const std::string& name, const std::string& value) {
    if (findStandard(name)) {
        set(name, value);
        return;
    }
    if (name.empty()) throw platform::Error(platform::ErrorKind::BadInput, "A variable needs a name.");
    values_[platform::asciiLower(name)] = value;
}

void Variables::remove(const std::string& name) {
    if (findStandard(name))
        throw platform::Error(platform::ErrorKind::BadInput, "The standard variable " + name + " cannot be deleted.");
    values_.erase(platform::asciiLower(name));
}

bool Variables::has(const std::string& name) const { return values_.count(platform::asciiLower(name)) != 0; }

std::string Variables::get(const std::string& name) const {
    const auto it = values_.find(platform::asciiLower(name));
    return it == values_.end() ? std::string() : it->second;
}

Settings settingsFrom(const Variables& v) {
    Settings s;
    s.cabinet = parseSwitch("Cabinet", v.get("Cabinet"));
    s.compress = parseSwitch("Compress", v.get("Compress"));
    s.method = s.compress ? parseMethod("CompressionType", v.get("CompressionType")) : cabinet::Method::None;
    s.compressionMemory = static_cast<int>(std::stoul(v.get("CompressionMemory")));
    const std::string firstDiskSize = v.has("MaxDiskSize1") ? v.get("MaxDiskSize1") : v.get("MaxDiskSize");
    s.maxDiskSize = parseDiskSize("MaxDiskSize", firstDiskSize);
    s.maxCabinetSize = parseDiskSize("MaxCabinetSize", v.get("MaxCabinetSize"));
    const std::string firstFileCount = v.has("MaxDiskFileCount1") ? v.get("MaxDiskFileCount1") : v.get("MaxDiskFileCount");
    s.maxDiskFileCount = parseNumber("MaxDiskFileCount", firstFileCount);
    s.cabinetFileCountThreshold = parseNumber("CabinetFileCountThreshold", v.get("CabinetFileCountThreshold"));
    s.diskDirectory = v.has("DiskDirectory1") ? v.get("DiskDirectory1") : replaceStar(v.get("DiskDirectoryTemplate"), 1);
    s.cabinetName = v.has("CabinetName1") ? v.get("CabinetName1") : replaceStar(v.get("CabinetNameTemplate"), 1);
    s.destinationDir = v.get("DestinationDir");
    s.sourceDir = v.get("SourceDir");
    s.uniqueFiles = parseSwitch("UniqueFiles", v.get("UniqueFiles"));
    s.generateInf = parseSwitch("GenerateInf", v.get("GenerateInf"));
    s.infFileName = v.get("InfFileName");
    s.rptFileName = v.get("RptFileName");
    s.compressedFileExtensionChar = v.get("CompressedFileExtensionChar").at(0);
    s.nameCodePage = static_cast<unsigned>(std::stoul(v.get("NameCodePage")));
    return s;
}

}  // namespace makecab
