// Writes the symbols of one or more frames as one LZX block: verbatim or
// aligned-offset, whichever is smaller, or (a single frame only)
// uncompressed when the data did not shrink. The bit stream is realigned to
// 16 bits at every frame's end, where the decoders realign; the trees go
// once, before the first frame's symbols.
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
    std::vector<const std::vector<Item>*> frames;  // each frame's items, in stream order
    const std::uint8_t* bytes;  // a single frame's (translated) bytes, for an uncompressed block
    std::size_t size;           // the uncompressed bytes of all the frames
    RepeatQueue queueAtStart;   // what an uncompressed block hands the decoder
    bool allowUncompressed;     // only ever for a single frame
};

// Returns the block type written. For verbatim and aligned blocks,
// `previous` becomes the new code lengths. frameEnds receives the number of
// bytes written so far at each frame's end.
BlockType writeLzxBlock(BitWriter& out, const BlockInput& block, TreeLengths& previous,
                     std::vector<std::size_t>& frameEnds);

// The symbols of a run of frames, counted for the choice of where a block
// ends.
struct SymbolCounts {
    std::vector<std::uint32_t> main;
    std::vector<std::uint32_t> length;
    std::vector<std::uint32_t> aligned;
    std::uint64_t extraBits = 0;  // offset bits as a verbatim block sends them
    std::uint64_t alignedUses = 0;
    explicit SymbolCounts(unsigned mainTreeSize)
        : main(mainTreeSize, 0), length(kLengthTreeSize, 0), aligned(kAlignedTreeSize, 0) {}
    void add(const std::vector<Item>& items);
    void add(const SymbolCounts& other);
};

// What one block over `counts` would take with codes built from them alone,
// the trees sent as differences from `previousMain` and `previousLength`.
struct BlockEstimate {
    std::uint64_t bits = 0;
    std::vector<std::uint8_t> main;
    std::vector<std::uint8_t> length;
    std::vector<std::uint8_t> aligned;  // empty unless an aligned-offset block is the cheaper
};
BlockEstimate estimateBlock(const SymbolCounts& counts, const std::vector<std::uint8_t>& previousMain,
                            const std::vector<std::uint8_t>& previousLength);

}  // namespace lzx
}  // namespace cabinet
