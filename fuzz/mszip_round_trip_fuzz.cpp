// MSZIP frames of any data come back whole through zlib's inflate, each
// frame with the previous one as its history, as the cabinet decoders read
// them.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/cabinet/frame_compressor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto compressor = cabinet::makeMszipCompressor();
    std::string history;
    for (std::size_t at = 0; at < size || at == 0; at += cabinet::kFrameSize) {
        const std::size_t n = std::min(cabinet::kFrameSize, size - at);
        compressor->addFrame(data + at, n);
        const std::vector<cabinet::CompressedFrame> released = compressor->takeReleased();
        if (released.size() != 1) std::abort();  // one deflate stream per frame, never held back
        const std::vector<std::uint8_t>& frame = released[0].payload;
        if (frame.size() < 2 || frame[0] != 'C' || frame[1] != 'K' || frame.size() > 32768 + 12) std::abort();
        z_stream z;
        std::memset(&z, 0, sizeof z);
        inflateInit2(&z, -15);
        if (!history.empty())
            inflateSetDictionary(&z, reinterpret_cast<const Bytef*>(history.data()), uInt(history.size()));
        std::string out(n + 1, '\0');
        z.next_in = const_cast<Bytef*>(frame.data() + 2);
        z.avail_in = uInt(frame.size() - 2);
        z.next_out = reinterpret_cast<Bytef*>(&out[0]);
        z.avail_out = uInt(out.size());
        if (inflate(&z, Z_FINISH) != Z_STREAM_END || z.avail_in != 0) std::abort();
        out.resize(out.size() - z.avail_out);
        inflateEnd(&z);
        if (out != std::string(reinterpret_cast<const char*>(data + at), n)) std::abort();
        history = out;
        if (size == 0) break;
    }
    return 0;
}
