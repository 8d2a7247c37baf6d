// Sends a part of the main or length tree: each code length as a pretree
// symbol that gives its difference (mod 17) from the previous block's length,
// with runs of zeros and of unchanged lengths folded into one symbol.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/cabinet/lzx_bit_writer.h"

namespace cabinet {
namespace lzx {

struct PretreeItem {
    std::uint8_t symbol;      // 0..19
    std::uint8_t extraBits;   // bits of `extra` after the symbol
    std::uint8_t extra;
    std::uint8_t runSymbol;   // for symbol 19: the pretree symbol of the run's length
};

std::vector<PretreeItem> pretreeItems(const std::uint8_t* lengths, const std::uint8_t* previous, std::size_t count);

// Bits the part takes (20 pretree lengths, then the items).
std::size_t treePartBits(const std::uint8_t* lengths, const std::uint8_t* previous, std::size_t count);

void writeTreePart(BitWriter& out, const std::uint8_t* lengths, const std::uint8_t* previous, std::size_t count);

}  // namespace lzx
}  // namespace cabinet
