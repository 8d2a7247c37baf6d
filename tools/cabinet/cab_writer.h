// Builds a single cabinet with one folder: CFHEADER, CFFOLDER, the CFFILE
// entries in stream order, then one CFDATA block per 32768-byte frame of the
// folder's stream, each with its checksum. No spanning, no reserve fields.
//
// The writer does no file I/O: it asks `readEntry` for each entry's bytes in
// turn and returns the finished cabinet, so nothing exists on disk until the
// caller writes the whole result.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/cabinet/frame_compressor.h"

namespace cabinet {

struct CabinetEntry {
    std::string storedName;  // the name's bytes as stored (ANSI code page), no NUL
    std::uint32_t size = 0;
    std::uint16_t dosDate = 0;
    std::uint16_t dosTime = 0;
    std::uint16_t attributes = 0;  // only read-only, hidden, system and archive are kept
};

struct FolderMethod {
    Method method = Method::Mszip;
    int lzxWindowBits = 21;
};

// Returns entry i's data; it must be exactly entries[i].size bytes.
using EntryReader = std::function<std::string(std::size_t index)>;

// Throws platform::Error(BadInput) when the entries break the format's limits
// (no entries, too many, a name too long or empty, a folder too large) or
// when an entry's data does not have its recorded size.
std::string buildCabinet(const std::vector<CabinetEntry>& entries, const FolderMethod& method,
                         const EntryReader& readEntry);

}  // namespace cabinet
