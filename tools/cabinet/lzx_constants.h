// Numbers of the LZX format as cabinets use it: symbol alphabets, match
// lengths, and the position slots that group match offsets.
#pragma once

#include <cstdint>

namespace cabinet {
namespace lzx {

const int kMinWindowBits = 15;
const int kMaxWindowBits = 21;

const unsigned kNumChars = 256;
const unsigned kNumLengthHeaders = 8;  // low 3 bits of a match symbol
const unsigned kLengthTreeSize = 249;
const unsigned kPretreeSize = 20;
const unsigned kAlignedTreeSize = 8;
const unsigned kMaxPositionSlots = 50;
const unsigned kMaxMainTreeSize = kNumChars + kNumLengthHeaders * kMaxPositionSlots;

const unsigned kMinMatch = 2;
const unsigned kMaxMatch = 257;
// Length header 7 means "7 + a length-tree symbol": lengths 9 and up.
const unsigned kLengthTreeBase = kMinMatch + kNumLengthHeaders - 1;

const unsigned kMaxMainCodeLength = 16;
const unsigned kMaxLengthCodeLength = 16;
const unsigned kMaxPretreeCodeLength = 15;  // sent in 4 bits
const unsigned kMaxAlignedCodeLength = 7;   // sent in 3 bits

// Slots 0..2 name the repeated offsets R0, R1, R2.
const unsigned kNumRepeatedOffsets = 3;
// Aligned-offset blocks code the low 3 offset bits of slots with 3 or more
// extra bits through the aligned tree.
const unsigned kAlignedBits = 3;

enum BlockType : unsigned { kVerbatimBlock = 1, kAlignedBlock = 2, kUncompressedBlock = 3 };

// Position slots for windows 2^15 .. 2^21 (Microsoft's values; the 1997
// document's table is wrong for the two largest windows).
inline unsigned positionSlotCount(int windowBits) {
    static const unsigned kSlots[] = {30, 32, 34, 36, 38, 42, 50};
    return kSlots[windowBits - kMinWindowBits];
}

inline unsigned mainTreeSizeFor(int windowBits) {
    return kNumChars + kNumLengthHeaders * positionSlotCount(windowBits);
}

// Extra offset bits sent after a match symbol of this slot.
inline unsigned extraBitsFor(unsigned slot) {
    if (slot < 4) return 0;
    if (slot < 36) return (slot - 2) / 2;
    return 17;
}

// The smallest "formatted offset" (offset + 2) of a slot.
inline std::uint32_t positionBase(unsigned slot) {
    if (slot < 4) return slot;
    if (slot < 36) {
        unsigned bits = extraBitsFor(slot);
        return (std::uint32_t(2) << bits) | (std::uint32_t(slot & 1) << bits);
    }
    return 262144u + (std::uint32_t(slot - 36) << 17);
}

// The format allows offsets up to window − 3, but 7-Zip (26.02) decodes a
// match at exactly that offset wrongly; one less costs nothing measurable.
inline std::uint32_t maxMatchOffset(int windowBits) { return (std::uint32_t(1) << windowBits) - 4; }

// The slot of an explicit (not repeated) offset of 1 or more.
inline unsigned positionSlotOf(std::uint32_t offset) {
    std::uint32_t formatted = offset + kNumRepeatedOffsets - 1;
    if (formatted < 4) return formatted;
    if (formatted >= 262144u) return 36 + ((formatted - 262144u) >> 17);
    unsigned log2 = 31 - __builtin_clz(formatted);
    return 2 * log2 + ((formatted >> (log2 - 1)) & 1);
}

}  // namespace lzx
}  // namespace cabinet
