// The compressors of one cabinet folder. A folder's data is cut into frames
// of 32768 bytes (the last one may be shorter); each frame becomes the
// payload of one CFDATA block. A compressor keeps whatever history its
// method carries from frame to frame within the folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace cabinet {

const std::size_t kFrameSize = 32768;

// One CFDATA block's payload and the number of folder bytes it stands for.
struct CompressedFrame {
    std::vector<std::uint8_t> payload;
    std::uint16_t uncompressedSize = 0;
};

// The folder's frames go in with addFrame() and finish(); the blocks come out
// through takeReleased(), in stream order. A compressor may hold frames
// back (to choose a block over several of them) and release their blocks
// later, at the latest in finish(); the writer writes each block as soon as
// it is released, so no more than the held-back frames are ever in memory.
class FrameCompressor {
public:
    virtual ~FrameCompressor() = default;

    // The folder's next frame. `size` is at most kFrameSize; only the
    // folder's last frame may be shorter. Releases zero or more blocks.
    virtual void addFrame(const std::uint8_t* data, std::size_t size) = 0;
    // The folder has no more frames: releases every block still held back.
    virtual void finish() {}
    // The blocks released since the last call.
    std::vector<CompressedFrame> takeReleased() {
        std::vector<CompressedFrame> out;
        out.swap(released_);
        return out;
    }

protected:
    void release(CompressedFrame frame) { released_.push_back(std::move(frame)); }

private:
    std::vector<CompressedFrame> released_;
};

// The folder's 16-bit typeCompress field for a method.
enum class Method { None, Mszip, Lzx };
std::uint16_t compressionTypeField(Method method, int lzxWindowBits);

std::unique_ptr<FrameCompressor> makeStoreCompressor();
std::unique_ptr<FrameCompressor> makeMszipCompressor();
// windowBits from 15 to 21. totalSize is the folder's whole uncompressed
// size (the E8 translation, the last frame and the match finder's tables
// depend on it); frames beyond it are refused. The LZX compressor finds one
// frame's matches while it codes the frame before, on a second thread where
// the machine has a second core; its output does not depend on that.
enum class LzxThreads { WhereThereAreCores, One };
std::unique_ptr<FrameCompressor> makeLzxCompressor(int windowBits, std::uint64_t totalSize,
                                                   LzxThreads threads = LzxThreads::WhereThereAreCores);

}  // namespace cabinet
