// Compression type NONE: each frame is stored as it is.
#include "tools/cabinet/frame_compressor.h"

namespace cabinet {

namespace {

class StoreCompressor : public FrameCompressor {
public:
    std::vector<std::uint8_t> compressFrame(const std::uint8_t* data, std::size_t size) override {
        return std::vector<std::uint8_t>(data, data + size);
    }
};

}  // namespace

std::unique_ptr<FrameCompressor> MakeStoreCompressor() { return std::make_unique<StoreCompressor>(); }

}  // namespace cabinet
