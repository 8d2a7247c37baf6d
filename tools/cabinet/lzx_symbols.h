// What a frame turns into before it is written: literals and matches as
// main-tree symbols with their length-tree symbol and offset bits, and the
// repeated-offset queue that matches update.
#pragma once

#include <cstdint>

#include "tools/cabinet/lzx_constants.h"

namespace cabinet {
namespace lzx {

const std::uint16_t kNoLengthSymbol = 0xFFFF;

struct Item {
    std::uint16_t mainSymbol;
    std::uint16_t lengthSymbol;  // kNoLengthSymbol unless the length header is 7
    std::uint32_t offsetBits;    // formatted offset minus the slot's base
    std::uint8_t slot;           // meaningful for matches only
};

inline Item literalItem(std::uint8_t byte) { return {byte, kNoLengthSymbol, 0, 0}; }

// slot 0..2 for R0..R2; for slot >= 3 offsetBits holds the extra bits.
inline Item matchItem(unsigned length, unsigned slot, std::uint32_t offsetBits) {
    unsigned header = length - kMinMatch;
    std::uint16_t lengthSymbol = kNoLengthSymbol;
    if (header >= kNumLengthHeaders - 1) {
        lengthSymbol = static_cast<std::uint16_t>(length - kLengthTreeBase);
        header = kNumLengthHeaders - 1;
    }
    return {static_cast<std::uint16_t>(kNumChars + slot * kNumLengthHeaders + header), lengthSymbol, offsetBits,
            static_cast<std::uint8_t>(slot)};
}

// R0, R1, R2: 1 each at the start of the stream.
struct RepeatQueue {
    std::uint32_t r[kNumRepeatedOffsets] = {1, 1, 1};

    void useRepeat(unsigned index) {
        std::uint32_t offset = r[index];
        r[index] = r[0];
        r[0] = offset;
    }
    void useOffset(std::uint32_t offset) {
        r[2] = r[1];
        r[1] = r[0];
        r[0] = offset;
    }
};

}  // namespace lzx
}  // namespace cabinet
