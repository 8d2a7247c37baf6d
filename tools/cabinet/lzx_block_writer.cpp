#include "tools/cabinet/lzx_block_writer.h"

#include <algorithm>

#include "tools/cabinet/lzx_huffman.h"
#include "tools/cabinet/lzx_tree_writer.h"

namespace cabinet {
namespace lzx {

namespace {

const unsigned kBlockHeaderBits = 3 + 24;

struct Codes {
    HuffmanCode main;
    HuffmanCode length;
    HuffmanCode aligned;
};

void writeBlockHeader(BitWriter& out, BlockType type, std::size_t size) {
    out.writeBits(type, 3);
    out.writeBits(static_cast<std::uint32_t>(size >> 8), 16);
    out.writeBits(static_cast<std::uint32_t>(size & 0xFF), 8);
}

void writeUncompressed(BitWriter& out, const BlockInput& block) {
    writeBlockHeader(out, kUncompressedBlock, block.size);
    // 1 to 16 bits of padding: a whole word when already aligned.
    if (out.aligned()) out.writeBits(0, 16);
    out.alignToWord();
    std::uint8_t offsets[12];
    for (unsigned i = 0; i < 3; ++i)
        for (unsigned b = 0; b < 4; ++b) offsets[4 * i + b] = static_cast<std::uint8_t>(block.queueAtStart.r[i] >> (8 * b));
    out.writeBytes(offsets, sizeof offsets);
    out.writeBytes(block.bytes, block.size);
    if (block.size & 1) {
        const std::uint8_t pad = 0;
        out.writeBytes(&pad, 1);
    }
}

bool usesAlignedTree(const Item& item) {
    return item.mainSymbol >= kNumChars && extraBitsFor(item.slot) >= kAlignedBits;
}

void writeSymbols(BitWriter& out, const std::vector<Item>& items, const Codes& codes, bool aligned) {
    for (const Item& item : items) {
        out.writeBits(codes.main.codes[item.mainSymbol], codes.main.lengths[item.mainSymbol]);
        if (item.mainSymbol < kNumChars) continue;
        if (item.lengthSymbol != kNoLengthSymbol)
            out.writeBits(codes.length.codes[item.lengthSymbol], codes.length.lengths[item.lengthSymbol]);
        unsigned extra = extraBitsFor(item.slot);
        if (aligned && extra >= kAlignedBits) {
            out.writeBits(item.offsetBits >> kAlignedBits, extra - kAlignedBits);
            unsigned low = item.offsetBits & 7;
            out.writeBits(codes.aligned.codes[low], codes.aligned.lengths[low]);
        } else {
            out.writeBits(item.offsetBits, extra);
        }
    }
}

// The tree sent as parts of these sizes (the main tree has two).
struct TreeParts {
    std::size_t first, second;
};

std::uint64_t treeBitsOf(const std::vector<std::uint8_t>& lengths, const std::vector<std::uint8_t>& previous,
                       TreeParts parts) {
    std::uint64_t bits = treePartBits(lengths.data(), previous.data(), parts.first);
    if (parts.second) bits += treePartBits(lengths.data() + parts.first, previous.data() + parts.first, parts.second);
    return bits;
}

// A fresh code for the block's frequencies, one built from them blended
// with the earlier blocks' (closer to the previous code, so its lengths cost
// less to send), or the previous block's code again, whichever costs least:
// neighbouring frames tend to have similar statistics.
std::uint64_t codedBits(const std::vector<std::uint32_t>& frequencies, const std::vector<std::uint8_t>& lengths,
                        const std::vector<std::uint8_t>& previous, TreeParts parts) {
    std::uint64_t bits = treeBitsOf(lengths, previous, parts);
    for (std::size_t s = 0; s < frequencies.size(); ++s) {
        if (frequencies[s] == 0) continue;
        if (lengths[s] == 0) return ~std::uint64_t(0);  // cannot code the block
        bits += std::uint64_t(frequencies[s]) * lengths[s];
    }
    return bits;
}

HuffmanCode cheaperCode(const std::vector<std::uint32_t>& frequencies, std::vector<std::uint32_t>& history,
                        const std::vector<std::uint8_t>& previous, unsigned maxLength, TreeParts parts) {
    // History weights in quarters: 0 is the block's own frequencies.
    static const unsigned kWeights[] = {0, 1, 2, 4};
    const std::size_t kBlends = sizeof kWeights / sizeof kWeights[0];
    std::vector<std::uint32_t> blended[kBlends];
    std::vector<std::uint8_t> candidates[kBlends + 1];
    std::uint64_t bits[kBlends + 1];
    for (std::size_t c = 0; c < kBlends; ++c) {
        blended[c].resize(frequencies.size());
        for (std::size_t s = 0; s < frequencies.size(); ++s)
            blended[c][s] = frequencies[s] + std::uint32_t(std::uint64_t(history[s]) * kWeights[c] / 4);
        candidates[c] = buildCodeLengths(blended[c], maxLength);
        bits[c] = codedBits(frequencies, candidates[c], previous, parts);
    }
    candidates[kBlends] = previous;
    bits[kBlends] = codedBits(frequencies, previous, previous, parts);
    const bool previousUsable = std::any_of(previous.begin(), previous.end(), [](std::uint8_t l) { return l != 0; });
    if (!previousUsable) bits[kBlends] = ~std::uint64_t(0);
    const std::size_t best = std::size_t(std::min_element(bits, bits + kBlends + 1) - bits);
    history = best == kBlends ? blended[2] : blended[best];
    return HuffmanCode{candidates[best], canonicalCodes(candidates[best])};
}

}  // namespace

void SymbolCounts::add(const std::vector<Item>& items) {
    for (const Item& item : items) {
        ++main[item.mainSymbol];
        if (item.mainSymbol < kNumChars) continue;
        if (item.lengthSymbol != kNoLengthSymbol) ++length[item.lengthSymbol];
        extraBits += extraBitsFor(item.slot);
        if (usesAlignedTree(item)) {
            ++aligned[item.offsetBits & 7];
            ++alignedUses;
        }
    }
}

void SymbolCounts::add(const SymbolCounts& other) {
    for (std::size_t s = 0; s < main.size(); ++s) main[s] += other.main[s];
    for (std::size_t s = 0; s < length.size(); ++s) length[s] += other.length[s];
    for (std::size_t s = 0; s < aligned.size(); ++s) aligned[s] += other.aligned[s];
    extraBits += other.extraBits;
    alignedUses += other.alignedUses;
}

BlockEstimate estimateBlock(const SymbolCounts& counts, const std::vector<std::uint8_t>& previousMain,
                            const std::vector<std::uint8_t>& previousLength) {
    BlockEstimate estimate;
    estimate.main = buildCodeLengths(counts.main, kMaxMainCodeLength);
    estimate.length = buildCodeLengths(counts.length, kMaxLengthCodeLength);
    const std::size_t mainTreeSize = counts.main.size();
    std::uint64_t bits = kBlockHeaderBits + counts.extraBits;
    bits += treeBitsOf(estimate.main, previousMain, {kNumChars, mainTreeSize - kNumChars});
    bits += treeBitsOf(estimate.length, previousLength, {kLengthTreeSize, 0});
    for (std::size_t s = 0; s < mainTreeSize; ++s) bits += std::uint64_t(counts.main[s]) * estimate.main[s];
    for (std::size_t s = 0; s < kLengthTreeSize; ++s) bits += std::uint64_t(counts.length[s]) * estimate.length[s];
    // An aligned-offset block when its tree pays for itself.
    const std::vector<std::uint8_t> aligned = buildCodeLengths(counts.aligned, kMaxAlignedCodeLength);
    std::uint64_t alignedBits = kAlignedTreeSize * 3;
    for (std::size_t s = 0; s < kAlignedTreeSize; ++s) alignedBits += std::uint64_t(counts.aligned[s]) * aligned[s];
    const std::uint64_t verbatimBits = counts.alignedUses * kAlignedBits;
    if (alignedBits < verbatimBits) {
        bits -= verbatimBits - alignedBits;
        estimate.aligned = aligned;
    }
    estimate.bits = bits;
    return estimate;
}

BlockType writeLzxBlock(BitWriter& out, const BlockInput& block, TreeLengths& previous,
                     std::vector<std::size_t>& frameEnds) {
    const unsigned mainTreeSize = static_cast<unsigned>(previous.main.size());
    SymbolCounts counts(mainTreeSize);
    for (const std::vector<Item>* items : block.frames) counts.add(*items);
    Codes codes;
    std::vector<std::uint32_t> mainHistory = previous.mainFrequencies, lengthHistory = previous.lengthFrequencies;
    codes.main = cheaperCode(counts.main, mainHistory, previous.main, kMaxMainCodeLength,
                             {kNumChars, mainTreeSize - kNumChars});
    // An all-zero length tree is legal, but not every decoder takes one; the
    // dummy pair costs a few bits.
    codes.length = cheaperCode(counts.length, lengthHistory, previous.length, kMaxLengthCodeLength, {kLengthTreeSize, 0});
    codes.aligned = buildHuffmanCode(counts.aligned, kMaxAlignedCodeLength);

    std::uint64_t symbolBits = 0;
    for (unsigned s = 0; s < mainTreeSize; ++s) symbolBits += std::uint64_t(counts.main[s]) * codes.main.lengths[s];
    for (unsigned s = 0; s < kLengthTreeSize; ++s) symbolBits += std::uint64_t(counts.length[s]) * codes.length.lengths[s];
    std::uint64_t alignedTreeBits = 0;
    for (unsigned s = 0; s < kAlignedTreeSize; ++s) alignedTreeBits += std::uint64_t(counts.aligned[s]) * codes.aligned.lengths[s];
    const std::uint64_t verbatimOffsetBits = counts.extraBits;
    const std::uint64_t alignedOffsetBits = counts.extraBits - counts.alignedUses * kAlignedBits + alignedTreeBits;
    const std::uint64_t treeBits = treePartBits(codes.main.lengths.data(), previous.main.data(), kNumChars) +
                                   treePartBits(codes.main.lengths.data() + kNumChars, previous.main.data() + kNumChars,
                                                mainTreeSize - kNumChars) +
                                   treePartBits(codes.length.lengths.data(), previous.length.data(), kLengthTreeSize);
    const std::uint64_t verbatimBits = kBlockHeaderBits + treeBits + symbolBits + verbatimOffsetBits;
    const std::uint64_t alignedBits =
        kBlockHeaderBits + kAlignedTreeSize * 3 + treeBits + symbolBits + alignedOffsetBits;
    const std::uint64_t uncompressedBits = kBlockHeaderBits + 16 + 96 + 8 * ((block.size + 1) & ~std::size_t(1));

    const bool aligned = alignedBits < verbatimBits;
    if (block.allowUncompressed && block.frames.size() == 1 &&
        uncompressedBits <= (aligned ? alignedBits : verbatimBits)) {
        writeUncompressed(out, block);
        out.alignToWord();
        frameEnds.push_back(out.bytesWritten());
        return kUncompressedBlock;
    }

    writeBlockHeader(out, aligned ? kAlignedBlock : kVerbatimBlock, block.size);
    if (aligned)
        for (unsigned s = 0; s < kAlignedTreeSize; ++s) out.writeBits(codes.aligned.lengths[s], 3);
    writeTreePart(out, codes.main.lengths.data(), previous.main.data(), kNumChars);
    writeTreePart(out, codes.main.lengths.data() + kNumChars, previous.main.data() + kNumChars,
                  mainTreeSize - kNumChars);
    writeTreePart(out, codes.length.lengths.data(), previous.length.data(), kLengthTreeSize);
    for (const std::vector<Item>* items : block.frames) {
        writeSymbols(out, *items, codes, aligned);
        out.alignToWord();
        frameEnds.push_back(out.bytesWritten());
    }
    previous.main = codes.main.lengths;
    previous.length = codes.length.lengths;
    previous.mainFrequencies = mainHistory;
    previous.lengthFrequencies = lengthHistory;
    return aligned ? kAlignedBlock : kVerbatimBlock;
}

}  // namespace lzx
}  // namespace cabinet
