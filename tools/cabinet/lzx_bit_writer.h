// The LZX bit stream: 16-bit little-endian words, each filled from its most
// significant bit down; a value of n bits goes out high bit first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace cabinet {
namespace lzx {

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    // count is 0..24.
    void writeBits(std::uint32_t value, unsigned count) {
        buffer_ = (buffer_ << count) | (value & ((std::uint32_t(1) << count) - 1));
        pending_ += count;
        while (pending_ >= 16) {
            pending_ -= 16;
            putWord(static_cast<std::uint16_t>(buffer_ >> pending_));
        }
    }

    // Fills the current word with zero bits; nothing when already aligned.
    void alignToWord() {
        if (pending_ != 0) writeBits(0, 16 - pending_);
    }

    bool aligned() const { return pending_ == 0; }

    // The bytes in the output so far (whole words only).
    std::size_t bytesWritten() const { return out_.size(); }

    // Raw bytes, only at a word boundary (uncompressed blocks).
    void writeBytes(const std::uint8_t* data, std::size_t size) {
        out_.insert(out_.end(), data, data + size);
    }

private:
    void putWord(std::uint16_t word) {
        out_.push_back(static_cast<std::uint8_t>(word));
        out_.push_back(static_cast<std::uint8_t>(word >> 8));
    }

    std::vector<std::uint8_t>& out_;
    std::uint64_t buffer_ = 0;
    unsigned pending_ = 0;
};

}  // namespace lzx
}  // namespace cabinet
