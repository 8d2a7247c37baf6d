// The CFDATA checksum: the data's little-endian 32-bit words XORed together,
// the 0-3 left-over bytes folded high byte first, then the same over the
// block's cbData and cbUncomp fields.
#pragma once

#include <cstddef>
#include <cstdint>

namespace cabinet {

std::uint32_t checksumBytes(const std::uint8_t* data, std::size_t size, std::uint32_t seed);
std::uint32_t dataBlockChecksum(const std::uint8_t* data, std::size_t compressedSize, std::uint16_t uncompressedSize);

}  // namespace cabinet
