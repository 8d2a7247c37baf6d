// Facts of the cabinet format that the writer and its checks rely on. All
// integers in a cabinet are little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cabinet {

// CFHEADER without the optional reserve fields, CFFOLDER without reserve,
// CFFILE without its name, CFDATA without reserve.
const std::size_t kHeaderSize = 36;
const std::size_t kFolderEntrySize = 8;
const std::size_t kFileEntrySize = 16;
const std::size_t kDataBlockHeaderSize = 8;

// Version 1.3: readers warn about (libmspack) or refuse (Wine, above 1.3) others.
const std::uint8_t kVersionMinor = 3;
const std::uint8_t kVersionMajor = 1;

// Names are at most 255 bytes before their NUL (libmspack refuses longer ones).
const std::size_t kMaxNameBytes = 255;
// cFiles and cCFData are 16-bit counts.
const std::size_t kMaxFiles = 65535;
const std::size_t kMaxDataBlocks = 65535;
// A folder's uncompressed stream: at most 65535 blocks of 32768 bytes.
const std::uint64_t kMaxFolderBytes = 0x7FFF8000u;
// Sizes and offsets are read as signed 32-bit by Windows' FDI.
const std::uint64_t kMaxCabinetBytes = 0x7FFFFFFFu;
// Compressed bytes in one CFDATA block (libmspack CAB_INPUTMAX).
const std::size_t kMaxCompressedBlockBytes = 32768 + 6144;

// CFFILE attribute bits. 0x80 marks a UTF-8 name: the setup engines (Windows'
// and Wine's) skip files that carry it, so names are stored in the ANSI code
// page and the bit is never written.
const std::uint16_t kAttributeReadOnly = 0x01;
const std::uint16_t kAttributeHidden = 0x02;
const std::uint16_t kAttributeSystem = 0x04;
const std::uint16_t kAttributeArchive = 0x20;
const std::uint16_t kStoredAttributes = kAttributeReadOnly | kAttributeHidden | kAttributeSystem | kAttributeArchive;

}  // namespace cabinet
