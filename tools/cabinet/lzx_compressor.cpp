// The LZX compressor of a cabinet folder: one stream over the whole folder,
// the bit stream realigned to 16 bits at each 32 KiB frame's end so that
// every frame is one CFDATA payload. A block (one set of codes) spans as many
// frames as share their statistics well enough: each parsed frame is held
// back and joins the block while one set of codes over both costs less than
// new codes for the frame; the block's frames are released when it ends.
// Each frame's matches are found a frame ahead of its coding, on a thread of
// their own where the machine has a second core (see BackgroundWorker).
#include <algorithm>
#include <memory>
#include <string>
#include <system_error>
#include <thread>

#include "platform/error.h"
#include "platform/large_pages.h"
#include "tools/cabinet/background_worker.h"
#include "tools/cabinet/cab_format.h"
#include "tools/cabinet/frame_compressor.h"
#include "tools/cabinet/lzx_bit_writer.h"
#include "tools/cabinet/lzx_block_writer.h"
#include "tools/cabinet/lzx_e8.h"
#include "tools/cabinet/lzx_parser.h"

namespace cabinet {
namespace {

using namespace lzx;

// Effort falls as folders grow, where the time adds up. Near-optimal LZX
// encoders search 24 tree nodes at their default level and stop at a match
// of 48 bytes. Ours stop at 128: text and PE files repeat long stretches,
// and a match cut short leaves the parser fewer ways to end it well. That
// is 0.7% smaller on text than 64 and 0.1% on PE files; depth 32 gains
// another 0.15% on text. Neither cost time that could be measured. Past
// 16 MiB depth 12 is a tenth faster for 0.5% of size. A second pass per
// frame, with the costs the first one found, gains 0.2% (text) to 0.6% (PE
// files, small apps). Where the machine has a second core the passes cost
// little time, since they run while the next frame's matches are found;
// without one they take a third more.
ParserSettings settingsFor(std::uint64_t folderBytes) {
    const std::uint64_t MiB = std::uint64_t(1) << 20;
    if (folderBytes <= 16 * MiB) return {32, 128, 2};
    return {12, 128, 2};
}

// At most this many frames go into one block: the held-back frames' items
// are what the compressor keeps beyond its window (12 bytes a byte at worst).
const std::size_t kMaxFramesPerBlock = 16;
// A frame's payload may exceed its bytes by this much before the limit; the
// trees take well under it even sent from nothing.
const std::uint64_t kTreeAllowanceBits = 8 * 3072;

class LzxCompressor : public FrameCompressor {
public:
    LzxCompressor(int windowBits, std::uint64_t folderBytes, bool overlapSteps)
        : folderBytes_(folderBytes),
          windowSize_(std::uint32_t(1) << windowBits),
          mainTreeSize_(mainTreeSizeFor(windowBits)),
          translationSize_(e8TranslationSizeFor(folderBytes)),
          parser_(windowBits, settingsFor(folderBytes), folderBytes),
          previous_(mainTreeSizeFor(windowBits)),
          model_(initialCostModel(mainTreeSizeFor(windowBits))),
          heldCounts_(mainTreeSizeFor(windowBits)) {
        if (overlapSteps) {
            try {
                finder_ = std::make_unique<BackgroundWorker>();
            } catch (const std::system_error&) {
                // No thread to be had: both steps on this one.
            }
        }
        // Match candidates are read all over the window, like the match
        // finder's links.
        const std::size_t historyBytes = 2 * (std::size_t(windowSize_) + kFrameSize);
        history_.reserve(historyBytes);
        platform::preferLargePages(history_.data(), historyBytes);
    }

    void addFrame(const std::uint8_t* data, std::size_t size) override {
        if (size > kFrameSize)
            throw platform::Error(platform::ErrorKind::BadInput, "An LZX frame holds at most 32768 bytes.");
        if (streamPosition_ + size > folderBytes_)
            throw platform::Error(platform::ErrorKind::BadInput,
                                  "The LZX folder was started for " + std::to_string(folderBytes_) +
                                      " bytes and was given more.");
        if (size == 0) return;

        // Keep one window of history before the frame found last, whose
        // items are still to be chosen, and whose last positions go into
        // the match finder only now.
        const std::size_t keep = std::size_t(windowSize_) + kFrameSize;
        if (history_.size() + size > 2 * keep) {
            std::size_t drop = history_.size() - keep;
            history_.erase(history_.begin(), history_.begin() + drop);
            historyBase_ += static_cast<std::uint32_t>(drop);
        }
        const std::size_t frameOffset = history_.size();
        history_.insert(history_.end(), data, data + size);
        translateE8(history_.data() + frameOffset, size, streamPosition_, translationSize_);
        const FoundFrame frame{static_cast<std::uint32_t>(streamPosition_), static_cast<std::uint32_t>(size)};
        streamPosition_ += size;

        // The new frame's matches are found while the frame before has its
        // items chosen: on a second core where there is one. What the
        // choice decides for the finder applies from the frame after, so
        // the output is the same either way.
        const WindowView window{history_.data(), historyBase_};
        const auto find = [this, window, frame, shortMatches = shortMatchesWanted_] {
            parser_.findMatches(window, frame.start, frame.size, shortMatches, nextMatches_);
        };
        if (finder_)
            finder_->start(find);
        else
            find();
        if (pending_.size != 0) {
            try {
                chooseAndCode(pending_, pendingMatches_);
            } catch (...) {
                letFinderEnd();
                throw;
            }
        }
        if (finder_) finder_->wait();
        std::swap(pendingMatches_, nextMatches_);
        pending_ = frame;
        if (streamPosition_ == folderBytes_) chooseLast();
    }

    void finish() override {
        chooseLast();
        releaseHeld();
    }

private:
    // A frame whose matches are found and whose items are not chosen yet.
    struct FoundFrame {
        std::uint32_t start = 0;
        std::uint32_t size = 0;  // 0: none
    };

    // No finder's job may outlive a failed call: it reads the history. What
    // the job threw matters less than the failure already on its way.
    void letFinderEnd() noexcept {
        if (!finder_) return;
        try {
            finder_->wait();
        } catch (...) {
        }
    }

    void chooseLast() {
        if (pending_.size == 0) return;
        chooseAndCode(pending_, pendingMatches_);
        pending_ = FoundFrame();
    }

    // Chooses the frame's items; the frame joins the held block, or ends it
    // and starts the next one.
    void chooseAndCode(const FoundFrame& found, const FrameMatches& matches) {
        const std::uint32_t size = found.size;
        const WindowView window{history_.data(), historyBase_};
        const std::uint8_t* frame = window.at(found.start);
        Held held(mainTreeSize_);
        held.queueAtStart = queue_;
        held.size = size;
        // A frame that joins the block is coded with the block's codes;
        // its later parsing passes are priced by them.
        BlockSoFar soFar;
        if (!held_.empty()) {
            soFar.main = &heldCounts_.main;
            soFar.length = &heldCounts_.length;
            soFar.aligned = &heldCounts_.aligned;
        }
        parser_.choose(window, found.start, size, matches, model_, queue_, held.items, soFar);
        held.counts.add(held.items);

        // The frame alone, with codes of its own sent from those of the
        // block before it.
        const std::vector<std::uint8_t>& fromMain = held_.empty() ? previous_.main : heldEstimate_.main;
        const std::vector<std::uint8_t>& fromLength = held_.empty() ? previous_.length : heldEstimate_.length;
        BlockEstimate alone = estimateBlock(held.counts, fromMain, fromLength);
        if (alone.bits > 8 * kMaxCompressedBlockBytes - kTreeAllowanceBits) {
            // Matches chosen under a stale cost model can, in theory, cost
            // more than the bytes; plain literals always fit.
            held.items.clear();
            for (std::size_t i = 0; i < size; ++i) held.items.push_back(literalItem(frame[i]));
            held.counts = SymbolCounts(mainTreeSize_);
            held.counts.add(held.items);
            queue_ = held.queueAtStart;
            alone = estimateBlock(held.counts, fromMain, fromLength);
        }

        // Data that does not shrink is stored as a block of its own. An
        // odd-sized uncompressed block at a frame's end leaves its padding
        // byte where Wine's decoder does not look for it; only even frames
        // (all but perhaps the folder's last) may be stored.
        const std::uint64_t storedBits = 8 * (size + 16);
        if (size % 2 == 0 && alone.bits >= storedBits) {
            releaseHeld();
            held.bytes.assign(frame, frame + size);
            held_.push_back(std::move(held));
            releaseHeld(true);
            return;
        }

        shortMatchesWanted_ = true;
        // The frame joins the block when one set of codes over both costs
        // less than the block as it is plus the frame with codes of its own.
        if (!held_.empty()) {
            SymbolCounts joined = heldCounts_;
            joined.add(held.counts);
            BlockEstimate together = estimateBlock(joined, previous_.main, previous_.length);
            if (held_.size() < kMaxFramesPerBlock && together.bits <= heldEstimate_.bits + alone.bits) {
                heldCounts_ = std::move(joined);
                heldEstimate_ = std::move(together);
                held_.push_back(std::move(held));
                model_ = costModelFromLengths(heldEstimate_.main, heldEstimate_.length, heldEstimate_.aligned);
                return;
            }
            releaseHeld();
        }
        heldCounts_ = held.counts;
        heldEstimate_ = estimateBlock(heldCounts_, previous_.main, previous_.length);
        held_.push_back(std::move(held));
        model_ = costModelFromLengths(heldEstimate_.main, heldEstimate_.length, heldEstimate_.aligned);
    }

    // A frame parsed but not yet written.
    struct Held {
        std::vector<Item> items;
        SymbolCounts counts;
        RepeatQueue queueAtStart;
        std::size_t size = 0;
        std::vector<std::uint8_t> bytes;  // only for a frame that may be stored
        explicit Held(unsigned mainTreeSize) : counts(mainTreeSize) {}
    };

    // Writes the held frames as one block and releases one payload per
    // frame.
    void releaseHeld(bool mayStore = false) {
        if (held_.empty()) return;
        std::vector<std::uint8_t> out;
        std::vector<std::size_t> ends;
        const TreeLengths before = previous_;
        const bool first = streamStarted_ == false;
        BlockType type = writeBlock(out, ends, 0, held_.size(), mayStore);
        bool fits = true;
        for (std::size_t i = 0; i < ends.size(); ++i)
            if (ends[i] - (i ? ends[i - 1] : 0) > kMaxCompressedBlockBytes) fits = false;
        if (!fits) {
            // One set of codes did not suit every frame: each frame gets its
            // own block, which fits (the frame's own codes were checked).
            previous_ = before;
            streamStarted_ = !first;
            out.clear();
            ends.clear();
            for (std::size_t i = 0; i < held_.size(); ++i) writeBlock(out, ends, i, i + 1, false);
        }
        if (type == kUncompressedBlock) {
            queue_ = held_.front().queueAtStart;
            // Short matches rarely pay after data that did not compress.
            shortMatchesWanted_ = false;
        } else {
            model_ = costModelFromLengths(previous_.main, previous_.length);
        }
        std::size_t from = 0;
        for (std::size_t i = 0; i < held_.size(); ++i) {
            release({std::vector<std::uint8_t>(out.begin() + from, out.begin() + ends[i]),
                     static_cast<std::uint16_t>(held_[i].size)});
            from = ends[i];
        }
        held_.clear();
    }

    // The held frames [begin, end) as one block, after the stream header
    // before the first.
    BlockType writeBlock(std::vector<std::uint8_t>& out, std::vector<std::size_t>& ends, std::size_t begin,
                         std::size_t end, bool mayStore) {
        BitWriter bits(out);
        if (!streamStarted_) {
            // E8 translation on, then its translation size in two 16-bit halves.
            bits.writeBits(1, 1);
            bits.writeBits(translationSize_ >> 16, 16);
            bits.writeBits(translationSize_ & 0xFFFF, 16);
            streamStarted_ = true;
        }
        BlockInput block{{}, held_[begin].bytes.data(), 0, held_[begin].queueAtStart, mayStore && end == begin + 1};
        for (std::size_t i = begin; i < end; ++i) {
            block.frames.push_back(&held_[i].items);
            block.size += held_[i].size;
        }
        return writeLzxBlock(bits, block, previous_, ends);
    }

    std::uint64_t folderBytes_;
    std::uint32_t windowSize_;
    unsigned mainTreeSize_;
    std::uint32_t translationSize_;
    FrameParser parser_;
    TreeLengths previous_;
    CostModel model_;
    RepeatQueue queue_;
    std::vector<Held> held_;
    SymbolCounts heldCounts_;
    BlockEstimate heldEstimate_;
    std::vector<std::uint8_t> history_;
    std::uint32_t historyBase_ = 0;
    std::uint64_t streamPosition_ = 0;  // bytes taken in
    bool streamStarted_ = false;
    FoundFrame pending_;
    FrameMatches pendingMatches_;
    FrameMatches nextMatches_;
    bool shortMatchesWanted_ = true;
    // Last, so that it goes first: a job it still runs uses the rest.
    std::unique_ptr<BackgroundWorker> finder_;
};

}  // namespace

std::unique_ptr<FrameCompressor> makeLzxCompressor(int windowBits, std::uint64_t totalSize, LzxThreads threads) {
    if (windowBits < kMinWindowBits || windowBits > kMaxWindowBits)
        throw platform::Error(platform::ErrorKind::BadInput,
                              "The LZX window must be 15 to 21 bits (CompressionMemory); " +
                                  std::to_string(windowBits) + " was given.");
    // A folder of a few frames is coded in milliseconds, which starting a
    // thread for it would hardly shorten.
    const std::uint64_t kFramesWorthAThread = 4;
    const bool overlap = threads == LzxThreads::WhereThereAreCores && std::thread::hardware_concurrency() > 1 &&
                         totalSize > kFramesWorthAThread * kFrameSize;
    return std::make_unique<LzxCompressor>(windowBits, totalSize, overlap);
}

}  // namespace cabinet
