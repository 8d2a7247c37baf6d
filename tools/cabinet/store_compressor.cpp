// Compression type NONE: each frame is stored as it is.
#include "tools/cabinet/frame_compressor.h"

namespace cabinet {

namespace {

class StoreCompressor : public FrameCompressor {
public:
    void addFrame(const std::uint8_t* data, std::size_t size) override {
        release({std::vector<std::uint8_t>(data, data + size), static_cast<std::uint16_t>(size)});
    }
};

}  // namespace

std::unique_ptr<FrameCompressor> makeStoreCompressor() { return std::make_unique<StoreCompressor>(); }

}  // namespace cabinet
