// makecab's variables: the standard ones with makecab's documented defaults,
// and those a directive file defines itself. Names ignore letter case. A
// value is checked when it is set, so a bad /D or .Set names its variable at
// once; settingsFrom() then reads the typed settings a run uses.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "tools/cabinet/frame_compressor.h"

namespace makecab {

class Variables {
public:
    Variables();  // the standard variables at their defaults

    // Sets a standard variable, or one made by define(). Throws
    // platform::Error(BadInput) naming the variable when it is unknown or the
    // value is out of range.
    void set(const std::string& name, const std::string& value);
    // Makes (or sets) a variable of the directive file's own.
    void define(const std::string& name, const std::string& value);
    void remove(const std::string& name);

    bool has(const std::string& name) const;
    std::string get(const std::string& name) const;  // empty when unset

private:
    std::map<std::string, std::string> values_;  // keyed by the name in lower case
};

struct Settings {
    bool cabinet = true;       // Cabinet: OFF makes one small cabinet per file
    bool compress = true;      // Compress: OFF stores the data (type NONE)
    cabinet::Method method = cabinet::Method::Mszip;
    int compressionMemory = 18;
    std::uint64_t maxDiskSize = 0;     // 0: no limit
    std::uint64_t maxCabinetSize = 0;  // 0: no limit
    std::uint64_t maxDiskFileCount = 0;
    std::uint64_t cabinetFileCountThreshold = 0;
    std::string diskDirectory;  // the first disk's folder ("*" replaced); empty: the current folder
    std::string cabinetName;    // the first cabinet's name ("*" replaced)
    std::string destinationDir;
    std::string sourceDir;
    bool uniqueFiles = true;
    bool generateInf = true;
    std::string infFileName;
    std::string rptFileName;
    char compressedFileExtensionChar = '_';
    unsigned nameCodePage = 0;  // the stored names' code page; 0: the ANSI code page
};

Settings settingsFrom(const Variables& variables);

// "1.44M", "CDROM", "0" or a byte count, as MaxDiskSize takes it.
std::uint64_t parseDiskSize(const std::string& name, const std::string& value);

}  // namespace makecab
