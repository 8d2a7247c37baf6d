// The compressors of one cabinet folder. A folder's data is cut into frames
// of 32768 bytes (the last one may be shorter); each frame becomes the
// payload of one CFDATA block. A compressor keeps whatever history its
// method carries from frame to frame within the folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace cabinet {

const std::size_t kFrameSize = 32768;

class FrameCompressor {
public:
    virtual ~FrameCompressor() = default;
    // The CFDATA payload for the next frame of the folder. `size` is at most
    // kFrameSize; only the folder's last frame may be shorter.
    virtual std::vector<std::uint8_t> compressFrame(const std::uint8_t* data, std::size_t size) = 0;
};

// The folder's 16-bit typeCompress field for a method.
enum class Method { None, Mszip, Lzx };
std::uint16_t CompressionTypeField(Method method, int lzxWindowBits);

std::unique_ptr<FrameCompressor> MakeStoreCompressor();
std::unique_ptr<FrameCompressor> MakeMszipCompressor();
// windowBits from 15 to 21. totalSize is the folder's whole uncompressed
// size (the E8 translation and the last frame depend on it).
std::unique_ptr<FrameCompressor> MakeLzxCompressor(int windowBits, std::uint64_t totalSize);

}  // namespace cabinet
