// Writes a frame's symbols as one LZX block: verbatim or aligned-offset,
// whichever is smaller, or uncompressed when the data did not shrink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/cabinet/lzx_bit_writer.h"
#include "tools/cabinet/lzx_constants.h"
#include "tools/cabinet/lzx_symbols.h"

namespace cabinet {
namespace lzx {

// The code lengths of the last compressed block: the next block's trees are
// sent as differences from them (all zero at the start of the stream).
struct TreeLengths {
    std::vector<std::uint8_t> main;
    std::vector<std::uint8_t> length;
    // The statistics the codes were built from, carried into the next
    // block's choice of code.
    std::vector<std::uint32_t> mainFrequencies;
    std::vector<std::uint32_t> lengthFrequencies;
    explicit TreeLengths(unsigned mainTreeSize)
        : main(mainTreeSize, 0),
          length(kLengthTreeSize, 0),
          mainFrequencies(mainTreeSize, 0),
          lengthFrequencies(kLengthTreeSize, 0) {}
};

struct BlockInput {
    const std::vector<Item>* items;
    const std::uint8_t* bytes;  // the frame's (translated) bytes, for an uncompressed block
    std::size_t size;
    RepeatQueue queueAtStart;   // what an uncompressed block hands the decoder
    bool allowUncompressed;
};

// Returns the block type written. For verbatim and aligned blocks,
// `previous` becomes the new code lengths.
BlockType WriteBlock(BitWriter& out, const BlockInput& block, TreeLengths& previous);

}  // namespace lzx
}  // namespace cabinet
