// Walks the LZX stream of a cabinet folder the way a decoder reads it, to see
// how it is cut into blocks: each CFDATA payload is read from its own start
// (the 16-bit realignment at every 32 KiB frame's end), trees are read as
// deltas from the last block's, and symbols are decoded only far enough to
// count the bytes they stand for. Written from the format's description,
// not from the encoder: it reports what is on the wire.
#pragma once

#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace cabtest {

struct LzxBlock {
    int type;                  // 1 verbatim, 2 aligned offset, 3 uncompressed
    std::uint32_t size;        // uncompressed bytes
    std::size_t firstFrame;    // the CFDATA block it starts in
    std::size_t frames;        // the CFDATA blocks it covers
};

class LzxBlockWalker {
public:
    // payloads: the folder's CFDATA payloads in order; folderBytes: the
    // uncompressed bytes they stand for.
    static std::vector<LzxBlock> walk(const std::vector<std::string>& payloads, std::uint64_t folderBytes,
                                      int windowBits) {
        LzxBlockWalker w(payloads, folderBytes, windowBits);
        return w.run();
    }

private:
    LzxBlockWalker(const std::vector<std::string>& payloads, std::uint64_t folderBytes, int windowBits)
        : payloads_(payloads),
          total_(folderBytes),
          mainSize_(256 + 8 * (windowBits == 21 ? 50 : windowBits == 20 ? 42 : 2 * windowBits)),
          mainLengths_(mainSize_, 0),
          lengthLengths_(249, 0) {}

    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("LZX stream, frame " + std::to_string(frame_) + ": " + what);
    }

    void startFrame(std::size_t index) {
        if (index >= payloads_.size()) fail("runs past the last CFDATA block");
        frame_ = index;
        at_ = 0;
        bitBuffer_ = 0;
        bitCount_ = 0;
    }
    std::uint32_t bit() {
        if (bitCount_ == 0) {
            const std::string& p = payloads_[frame_];
            if (at_ + 2 > p.size()) fail("reads past its payload");
            bitBuffer_ = std::uint16_t(std::uint8_t(p[at_]) | std::uint8_t(p[at_ + 1]) << 8);
            at_ += 2;
            bitCount_ = 16;
        }
        --bitCount_;
        return (bitBuffer_ >> bitCount_) & 1;
    }
    std::uint32_t bits(unsigned n) {
        std::uint32_t v = 0;
        while (n--) v = (v << 1) | bit();
        return v;
    }

    // Canonical Huffman decoding, one bit at a time.
    struct Code {
        std::vector<unsigned> count = std::vector<unsigned>(17, 0);
        std::vector<unsigned> symbols;
    };
    Code makeCode(const std::vector<std::uint8_t>& lengths) const {
        Code c;
        for (std::uint8_t l : lengths) ++c.count[l];
        for (unsigned len = 1; len <= 16; ++len)
            for (unsigned s = 0; s < lengths.size(); ++s)
                if (lengths[s] == len) c.symbols.push_back(s);
        return c;
    }
    unsigned decode(const Code& c) {
        unsigned code = 0, first = 0, index = 0;
        for (unsigned len = 1; len <= 16; ++len) {
            code |= bit();
            if (code - first < c.count[len]) return c.symbols[index + code - first];
            index += c.count[len];
            first = (first + c.count[len]) << 1;
            code <<= 1;
        }
        fail("a code that is not in its tree");
    }

    void readTree(std::vector<std::uint8_t>& lengths, std::size_t from, std::size_t to) {
        std::vector<std::uint8_t> pre(20);
        for (auto& l : pre) l = std::uint8_t(bits(4));
        const Code pretree = makeCode(pre);
        for (std::size_t i = from; i < to;) {
            unsigned s = decode(pretree);
            if (s == 17 || s == 18) {
                std::size_t run = s == 17 ? 4 + bits(4) : 20 + bits(5);
                for (; run > 0 && i < to; --run) lengths[i++] = 0;
                if (run) fail("a run of zeros past the tree's end");
            } else if (s == 19) {
                std::size_t run = 4 + bit();
                unsigned d = decode(pretree);
                if (d > 16) fail("a bad symbol in a run of equal lengths");
                const std::uint8_t l = std::uint8_t((lengths[i] + 17 - d) % 17);
                for (; run > 0 && i < to; --run) lengths[i++] = l;
                if (run) fail("a run past the tree's end");
            } else {
                lengths[i] = std::uint8_t((lengths[i] + 17 - s) % 17);
                ++i;
            }
        }
    }

    static unsigned extraBits(unsigned slot) { return slot < 4 ? 0 : std::min(17u, (slot - 2) / 2); }

    // Once a frame's last symbol is read, its payload has no words left.
    void endOfFrameReached(std::uint64_t position) {
        if (position % kFrame != 0 && position != total_) return;
        if (at_ != payloads_[frame_].size()) fail("payload bytes after the frame's last symbol");
    }
    void nextFrameIfAtItsStart(std::uint64_t position, LzxBlock* block) {
        if (position == 0 || position % kFrame != 0 || position / kFrame == frame_) return;
        startFrame(std::size_t(position / kFrame));
        if (block) ++block->frames;
    }

    std::vector<LzxBlock> run() {
        std::vector<LzxBlock> blocks;
        startFrame(0);
        if (bit()) bits(32);  // E8 translation size
        std::uint64_t position = 0;
        while (position < total_) {
            nextFrameIfAtItsStart(position, nullptr);
            LzxBlock block{int(bits(3)), 0, frame_, 1};
            block.size = bits(16) << 8;
            block.size |= bits(8);
            if (block.type < 1 || block.type > 3 || block.size == 0) fail("a bad block header");
            const std::uint64_t end = position + block.size;
            if (end > total_) fail("a block past the folder's end");
            if (block.type == 3) {
                if (bitCount_ == 0) bits(16);
                bitCount_ = 0;
                if (end > (frame_ + 1) * kFrame) fail("an uncompressed block past its frame");
                at_ += 12 + block.size + (block.size & 1);
                if (at_ > payloads_[frame_].size()) fail("an uncompressed block past its payload");
                position = end;
                endOfFrameReached(position);
            } else {
                Code aligned;
                if (block.type == 2) {
                    std::vector<std::uint8_t> a(8);
                    for (auto& l : a) l = std::uint8_t(bits(3));
                    aligned = makeCode(a);
                }
                readTree(mainLengths_, 0, 256);
                readTree(mainLengths_, 256, mainSize_);
                readTree(lengthLengths_, 0, 249);
                const Code main = makeCode(mainLengths_), length = makeCode(lengthLengths_);
                while (position < end) {
                    nextFrameIfAtItsStart(position, &block);
                    const unsigned s = decode(main);
                    unsigned len = 1;
                    if (s >= 256) {
                        const unsigned header = (s - 256) & 7, slot = (s - 256) >> 3;
                        len = header == 7 ? 9 + decode(length) : header + 2;
                        const unsigned extra = extraBits(slot);
                        if (block.type == 2 && extra >= 3) {
                            bits(extra - 3);
                            decode(aligned);
                        } else {
                            bits(extra);
                        }
                        // Matches stay within their frame, so every payload
                        // holds exactly its frame's symbols.
                        if (position / kFrame != (position + len - 1) / kFrame) fail("a match across a frame's end");
                    }
                    position += len;
                    endOfFrameReached(position);
                }
                if (position != end) fail("a block's symbols overrun its size");
            }
            blocks.push_back(block);
        }
        if (frame_ + 1 != payloads_.size()) fail("CFDATA blocks left after the folder's end");
        return blocks;
    }

    static constexpr std::uint64_t kFrame = 32768;
    const std::vector<std::string>& payloads_;
    std::uint64_t total_;
    std::size_t mainSize_;
    std::vector<std::uint8_t> mainLengths_;
    std::vector<std::uint8_t> lengthLengths_;
    std::size_t frame_ = 0;
    std::size_t at_ = 0;
    std::uint16_t bitBuffer_ = 0;
    unsigned bitCount_ = 0;
};

}  // namespace cabtest
