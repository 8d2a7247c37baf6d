// Builds a single cabinet with one folder: CFHEADER, CFFOLDER, the CFFILE
// entries in stream order, then one CFDATA block per 32768-byte frame of the
// folder's stream, each with its checksum. No spanning, no reserve fields.
//
// The writer streams: it reads the entries in pieces from an EntrySource,
// compresses frame by frame and appends each block to a CabinetSink as soon
// as the compressor releases it. The header and the file table go first,
// their sizes being known from the entries; the two fields known only at
// the end (the cabinet's size and the block count) are patched then. So the
// memory it takes is the compressor's window and a few frames, whatever the
// size of the input.
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

// The entries' bytes. The writer opens each entry in turn, in order, and
// reads it until read() returns 0 (one read past its recorded size, to see
// that it did not grow).
class EntrySource {
public:
    virtual ~EntrySource() = default;
    virtual void open(std::size_t index) = 0;
    // Up to `count` bytes of the open entry; fewer only at its end.
    virtual std::size_t read(std::uint8_t* buffer, std::size_t count) = 0;
};

// Where the cabinet's bytes go.
class CabinetSink {
public:
    virtual ~CabinetSink() = default;
    virtual void append(const std::uint8_t* data, std::size_t size) = 0;
    // Replaces bytes already appended, `offset` from the cabinet's start.
    virtual void overwrite(std::uint64_t offset, const std::uint8_t* data, std::size_t size) = 0;
};

// Throws platform::Error(BadInput) when the entries break the format's limits
// (no entries, too many, a name too long or empty, a folder too large, a
// cabinet that could not be smaller than a cabinet may be): all before any
// byte is read or written. Also throws when an entry's data does not have its
// recorded size, or the compressed cabinet grows past the format's limit,
// with the sink then holding part of a cabinet. Returns the cabinet's size.
std::uint64_t writeCabinet(const std::vector<CabinetEntry>& entries, const FolderMethod& method, EntrySource& source,
                           CabinetSink& sink);

// The least the cabinet can take, known before compressing: exact for a
// stored folder; for a compressed one the header, the file table and the
// block headers. Throws as writeCabinet does for entries it would refuse.
std::uint64_t smallestCabinetBytes(const std::vector<CabinetEntry>& entries, const FolderMethod& method);

// Returns entry i's data; it must be exactly entries[i].size bytes.
using EntryReader = std::function<std::string(std::size_t index)>;

// The whole cabinet in memory, each entry taken whole from `readEntry`: for
// small cabinets and tests. Throws as writeCabinet does.
std::string buildCabinet(const std::vector<CabinetEntry>& entries, const FolderMethod& method,
                         const EntryReader& readEntry);

}  // namespace cabinet
