#include "tools/cabinet/cab_checksum.h"

namespace cabinet {

std::uint32_t checksumBytes(const std::uint8_t* data, std::size_t size, std::uint32_t seed) {
    std::uint32_t sum = seed;
    std::size_t i = 0;
    for (; i + 4 <= size; i += 4) {
        sum ^= std::uint32_t(data[i]) | std::uint32_t(data[i + 1]) << 8 | std::uint32_t(data[i + 2]) << 16 |
               std::uint32_t(data[i + 3]) << 24;
    }
    // The tail is folded high byte first, not little-endian: that is what
    // every reader computes.
    std::uint32_t tail = 0;
    for (; i < size; ++i) tail = tail << 8 | data[i];
    return sum ^ tail;
}

std::uint32_t dataBlockChecksum(const std::uint8_t* data, std::size_t compressedSize, std::uint16_t uncompressedSize) {
    const std::uint32_t sum = checksumBytes(data, compressedSize, 0);
    const std::uint8_t sizes[4] = {std::uint8_t(compressedSize), std::uint8_t(compressedSize >> 8),
                                   std::uint8_t(uncompressedSize), std::uint8_t(uncompressedSize >> 8)};
    return checksumBytes(sizes, 4, sum);
}

}  // namespace cabinet
