// The LZX compressor of a cabinet folder: one stream over the whole folder,
// one block per 32 KiB frame, the bit stream realigned to 16 bits at each
// frame's end so that every frame is one CFDATA payload.
#include <algorithm>
#include <string>

#include "platform/error.h"
#include "platform/large_pages.h"
#include "tools/cabinet/cab_format.h"
#include "tools/cabinet/frame_compressor.h"
#include "tools/cabinet/lzx_bit_writer.h"
#include "tools/cabinet/lzx_block_writer.h"
#include "tools/cabinet/lzx_e8.h"
#include "tools/cabinet/lzx_parser.h"

namespace cabinet {
namespace {

using namespace lzx;

// Effort falls as folders grow, where the time adds up. Search depth 24 and
// nice length 64 match what near-optimal LZX encoders use at their default
// level; past 16 MiB depth 12 is a tenth faster for 0.5% of size. A second
// pass per frame, with the costs the first one found, gains about 1% for a
// third more time: folders up to 4 MiB get it, larger ones only for the
// first frame, which starts from a guessed model.
ParserSettings SettingsFor(std::uint64_t folderBytes) {
    const std::uint64_t MiB = std::uint64_t(1) << 20;
    if (folderBytes <= 4 * MiB) return {24, 64, 2};
    if (folderBytes <= 16 * MiB) return {24, 64, 1};
    return {12, 64, 1};
}

class LzxCompressor : public FrameCompressor {
public:
    LzxCompressor(int windowBits, std::uint64_t folderBytes)
        : windowSize_(std::uint32_t(1) << windowBits),
          translationSize_(E8TranslationSizeFor(folderBytes)),
          parser_(windowBits, SettingsFor(folderBytes)),
          previous_(MainTreeSize(windowBits)),
          model_(InitialCostModel(MainTreeSize(windowBits))) {
        // Match candidates are read all over the window, like the match
        // finder's links.
        const std::size_t historyBytes = 2 * (std::size_t(windowSize_) + kFrameSize);
        history_.reserve(historyBytes);
        platform::preferLargePages(history_.data(), historyBytes);
    }

    std::vector<std::uint8_t> compressFrame(const std::uint8_t* data, std::size_t size) override {
        if (size > kFrameSize)
            throw platform::Error(platform::ErrorKind::BadInput, "An LZX frame holds at most 32768 bytes.");
        if (size == 0) return {};

        // Keep one window of history before the previous frame's last
        // positions, which go into the match finder only now.
        const std::size_t keep = std::size_t(windowSize_) + kFrameSize;
        if (history_.size() + size > 2 * keep) {
            std::size_t drop = history_.size() - keep;
            history_.erase(history_.begin(), history_.begin() + drop);
            historyBase_ += static_cast<std::uint32_t>(drop);
        }
        const std::size_t frameOffset = history_.size();
        history_.insert(history_.end(), data, data + size);
        const std::uint8_t* frame = history_.data() + frameOffset;
        TranslateE8(history_.data() + frameOffset, size, streamPosition_, translationSize_);

        const WindowView window{history_.data(), historyBase_};
        const std::uint32_t start = static_cast<std::uint32_t>(streamPosition_);
        const RepeatQueue queueAtStart = queue_;
        parser_.parse(window, start, static_cast<std::uint32_t>(size), model_, queue_, items_);

        // An odd-sized uncompressed block at a frame's end leaves its padding
        // byte where Wine's decoder does not look for it; only even frames
        // (all but perhaps the folder's last) may be stored.
        const TreeLengths before = previous_;
        BlockInput block{&items_, frame, size, queueAtStart, size % 2 == 0};
        std::vector<std::uint8_t> out;
        BlockType type = writeFrame(out, block);
        if (out.size() > kMaxCompressedBlockBytes) {
            // Matches chosen under a stale cost model can, in theory, cost
            // more than the bytes; plain literals always fit.
            std::vector<Item> literals;
            for (std::size_t i = 0; i < size; ++i) literals.push_back(LiteralItem(frame[i]));
            previous_ = before;
            out.clear();
            block.items = &literals;
            type = writeFrame(out, block);
            queue_ = queueAtStart;
        }
        parser_.findShortMatches(type != kUncompressedBlock);
        if (type == kUncompressedBlock) {
            queue_ = queueAtStart;
        } else {
            model_ = CostModelFromLengths(previous_.main, previous_.length);
        }
        streamPosition_ += size;
        return out;
    }

private:
    // The payload of one frame: the stream header before the first, one
    // block, and the realignment to 16 bits.
    BlockType writeFrame(std::vector<std::uint8_t>& out, const BlockInput& block) {
        BitWriter bits(out);
        if (streamPosition_ == 0) {
            // E8 translation on, then its translation size in two 16-bit halves.
            bits.writeBits(1, 1);
            bits.writeBits(translationSize_ >> 16, 16);
            bits.writeBits(translationSize_ & 0xFFFF, 16);
        }
        BlockType type = WriteBlock(bits, block, previous_);
        bits.alignToWord();
        return type;
    }

    std::uint32_t windowSize_;
    std::uint32_t translationSize_;
    FrameParser parser_;
    TreeLengths previous_;
    CostModel model_;
    RepeatQueue queue_;
    std::vector<Item> items_;
    std::vector<std::uint8_t> history_;
    std::uint32_t historyBase_ = 0;
    std::uint64_t streamPosition_ = 0;
};

}  // namespace

std::unique_ptr<FrameCompressor> MakeLzxCompressor(int windowBits, std::uint64_t totalSize) {
    if (windowBits < kMinWindowBits || windowBits > kMaxWindowBits)
        throw platform::Error(platform::ErrorKind::BadInput,
                              "The LZX window must be 15 to 21 bits (CompressionMemory); " +
                                  std::to_string(windowBits) + " was given.");
    return std::make_unique<LzxCompressor>(windowBits, totalSize);
}

}  // namespace cabinet
