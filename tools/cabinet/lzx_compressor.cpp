// The LZX compressor of a cabinet folder: one stream over the whole folder,
// one block per 32 KiB frame, the bit stream realigned to 16 bits at each
// frame's end so that every frame is one CFDATA payload.
#include <algorithm>
#include <cstring>
#include <cstdio>
#include <cstdlib>

#include "platform/error.h"
#include "tools/cabinet/frame_compressor.h"
#include "tools/cabinet/lzx_bit_writer.h"
#include "tools/cabinet/lzx_block_writer.h"
#include "tools/cabinet/lzx_e8.h"
#include "tools/cabinet/lzx_parser.h"

namespace cabinet {
namespace {

using namespace lzx;

ParserSettings Settings() {
    ParserSettings s = {24, 64, 2};
    if (getenv("LZX_TUNE")) sscanf(getenv("LZX_TUNE"), "%u,%u,%u", &s.searchDepth, &s.niceLength, &s.passes);
    return s;
}
const ParserSettings kSettings = Settings();

class LzxCompressor : public FrameCompressor {
public:
    explicit LzxCompressor(int windowBits)
        : windowSize_(std::uint32_t(1) << windowBits),
          parser_(windowBits, kSettings),
          previous_(MainTreeSize(windowBits)),
          model_(InitialCostModel(MainTreeSize(windowBits))) {
        history_.reserve(2 * (std::size_t(windowSize_) + kFrameSize));
    }

    std::vector<std::uint8_t> compressFrame(const std::uint8_t* data, std::size_t size) override {
        if (size > kFrameSize)
            throw platform::Error(platform::ErrorKind::BadInput, "An LZX frame holds at most 32768 bytes.");
        std::vector<std::uint8_t> out;
        BitWriter bits(out);
        if (streamPosition_ == 0) {
            // E8 translation on, then its translation size in two 16-bit halves.
            bits.writeBits(1, 1);
            bits.writeBits(kE8TranslationSize >> 16, 16);
            bits.writeBits(kE8TranslationSize & 0xFFFF, 16);
        }
        if (size == 0) {
            bits.alignToWord();
            return out;
        }

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
        TranslateE8(history_.data() + frameOffset, size, streamPosition_, kE8TranslationSize);

        const WindowView window{history_.data(), historyBase_};
        const std::uint32_t start = static_cast<std::uint32_t>(streamPosition_);
        const RepeatQueue queueAtStart = queue_;
        parser_.parse(window, start, static_cast<std::uint32_t>(size), model_, queue_, items_);

        // An odd-sized uncompressed block at a frame's end leaves its padding
        // byte where Wine's decoder does not look for it; only even frames
        // may be stored.
        BlockInput block{&items_, history_.data() + frameOffset, size, queueAtStart, size % 2 == 0};
        if (WriteBlock(bits, block, previous_) == kUncompressedBlock) {
            queue_ = queueAtStart;
        } else {
            model_ = CostModelFromLengths(previous_.main, previous_.length);
        }
        bits.alignToWord();
        streamPosition_ += size;
        return out;
    }

private:
    std::uint32_t windowSize_;
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

std::unique_ptr<FrameCompressor> MakeLzxCompressor(int windowBits, std::uint64_t) {
    if (windowBits < kMinWindowBits || windowBits > kMaxWindowBits)
        throw platform::Error(platform::ErrorKind::BadInput,
                              "The LZX window must be 15 to 21 bits (CompressionMemory); " +
                                  std::to_string(windowBits) + " was given.");
    return std::make_unique<LzxCompressor>(windowBits);
}

}  // namespace cabinet
