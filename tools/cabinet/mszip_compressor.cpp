// MSZIP: each frame is "CK" and a raw deflate stream of its own that ends
// with a final block. Decoders keep the previous frame's 32 KiB as history,
// so each frame's stream is started with that frame as its dictionary; back
// references then reach into the previous frame. A frame that deflate does
// not shrink is written as one stored deflate block.
#include <zlib.h>

#include <cstring>
#include <stdexcept>

#include "tools/cabinet/frame_compressor.h"

namespace cabinet {

namespace {

// Best ratio: the cabinets are made once and read many times.
const int kLevel = 9;
const int kMemLevel = 9;

class MszipCompressor : public FrameCompressor {
public:
    MszipCompressor() {
        std::memset(&stream_, 0, sizeof stream_);
        // Negative window bits: raw deflate, no zlib header or Adler-32.
        if (deflateInit2(&stream_, kLevel, Z_DEFLATED, -15, kMemLevel, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("zlib could not start a deflate stream");
    }
    ~MszipCompressor() override { deflateEnd(&stream_); }

    // Each frame is one deflate stream of its own, primed with the frame
    // before: nothing is held back.
    void addFrame(const std::uint8_t* data, std::size_t size) override {
        release({compressFrame(data, size), static_cast<std::uint16_t>(size)});
    }

private:
    std::vector<std::uint8_t> compressFrame(const std::uint8_t* data, std::size_t size) {
        std::vector<std::uint8_t> out = {'C', 'K'};
        out.resize(2 + deflateBound(&stream_, static_cast<uLong>(size)) + 16);
        deflateReset(&stream_);
        if (!history_.empty())
            deflateSetDictionary(&stream_, history_.data(), static_cast<uInt>(history_.size()));
        stream_.next_in = const_cast<Bytef*>(data);
        stream_.avail_in = static_cast<uInt>(size);
        stream_.next_out = out.data() + 2;
        stream_.avail_out = static_cast<uInt>(out.size() - 2);
        if (deflate(&stream_, Z_FINISH) != Z_STREAM_END) throw std::runtime_error("zlib could not finish a frame");
        const std::size_t deflated = out.size() - 2 - stream_.avail_out;
        history_.assign(data, data + size);

        // A stored block costs 5 bytes of header: anything larger did not shrink.
        if (deflated <= size + 5) {
            out.resize(2 + deflated);
            return out;
        }
        out.resize(2);
        out.push_back(0x01);  // BFINAL = 1, BTYPE = 00 (stored)
        out.push_back(std::uint8_t(size));
        out.push_back(std::uint8_t(size >> 8));
        out.push_back(std::uint8_t(~size));
        out.push_back(std::uint8_t(~size >> 8));
        out.insert(out.end(), data, data + size);
        return out;
    }

    z_stream stream_;
    std::vector<std::uint8_t> history_;
};

}  // namespace

std::unique_ptr<FrameCompressor> makeMszipCompressor() { return std::make_unique<MszipCompressor>(); }

}  // namespace cabinet
