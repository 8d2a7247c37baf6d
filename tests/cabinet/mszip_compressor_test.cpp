// MSZIP frames: "CK" and a raw deflate stream ending in a final block,
// decoded here with zlib the way the decoders do it (the previous frame as
// the dictionary); history kept across frames; frames that do not shrink
// stored; the folder's typeCompress values.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>

#include "tests/cabinet/cabinet_fixture.h"
#include "tools/cabinet/frame_compressor.h"

namespace {

using Frame = std::vector<std::uint8_t>;

// Inflates one frame with the previous frame's bytes as history.
std::string inflateFrame(const Frame& frame, const std::string& history, std::size_t expectedSize) {
    EXPECT_GE(frame.size(), 2u);
    EXPECT_EQ(frame[0], 'C');
    EXPECT_EQ(frame[1], 'K');
    z_stream z;
    std::memset(&z, 0, sizeof z);
    EXPECT_EQ(inflateInit2(&z, -15), Z_OK);
    if (!history.empty())
        inflateSetDictionary(&z, reinterpret_cast<const Bytef*>(history.data()), uInt(history.size()));
    std::string out(expectedSize + 1, '\0');
    z.next_in = const_cast<Bytef*>(frame.data() + 2);
    z.avail_in = uInt(frame.size() - 2);
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = uInt(out.size());
    EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END) << "the frame must end with a final block";
    EXPECT_EQ(z.avail_in, 0u) << "nothing may follow the final block";
    out.resize(out.size() - z.avail_out);
    inflateEnd(&z);
    return out;
}

std::vector<Frame> compressAll(cabinet::FrameCompressor& c, const std::string& data) {
    std::vector<Frame> frames;
    for (std::size_t at = 0; at < data.size(); at += cabinet::kFrameSize) {
        const std::size_t n = std::min(cabinet::kFrameSize, data.size() - at);
        c.addFrame(reinterpret_cast<const std::uint8_t*>(data.data() + at), n);
        for (cabinet::CompressedFrame& released : c.takeReleased()) frames.push_back(std::move(released.payload));
    }
    return frames;
}

std::string decodeAll(const std::vector<Frame>& frames, const std::string& original) {
    std::string out, history;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const std::size_t n = std::min(cabinet::kFrameSize, original.size() - i * cabinet::kFrameSize);
        const std::string frame = inflateFrame(frames[i], history, n);
        out += frame;
        history = frame;
    }
    return out;
}

}  // namespace

TEST(MszipCompressor, SeveralFramesOfTextAndRandomDataComeBackWhole) {
    const std::string data = cabtest::textBytes(100000) + cabtest::randomBytes(70000, 3) + std::string(40000, 'z') +
                             cabtest::textBytes(12345);
    auto c = cabinet::makeMszipCompressor();
    const std::vector<Frame> frames = compressAll(*c, data);
    ASSERT_EQ(frames.size(), 7u);
    EXPECT_EQ(decodeAll(frames, data), data);
    for (const Frame& f : frames) EXPECT_LE(f.size(), 32768u + 12) << "MSZIP's limit for one block";
}

TEST(MszipCompressor, FramesThatDoNotShrinkAreStored) {
    const std::string random = cabtest::randomBytes(32768 + 1000, 9);
    auto c = cabinet::makeMszipCompressor();
    const std::vector<Frame> frames = compressAll(*c, random);
    ASSERT_EQ(frames.size(), 2u);
    // "CK", BFINAL=1 BTYPE=00, LEN, NLEN, then the bytes as they are.
    ASSERT_EQ(frames[0].size(), 2u + 5 + 32768);
    EXPECT_EQ(frames[0][2], 0x01);
    EXPECT_EQ(frames[0][3], 0x00);
    EXPECT_EQ(frames[0][4], 0x80);
    EXPECT_EQ(frames[0][5], 0xFF);
    EXPECT_EQ(frames[0][6], 0x7F);
    EXPECT_EQ(std::string(frames[0].begin() + 7, frames[0].end()), random.substr(0, 32768));
    EXPECT_EQ(frames[1].size(), 2u + 5 + 1000);
    EXPECT_EQ(decodeAll(frames, random), random);
}

TEST(MszipCompressor, HistoryReachesIntoThePreviousFrame) {
    // The second frame repeats the first's second half (deflate reaches back
    // at most 32506 bytes in zlib): with history it costs a few bytes.
    const std::string first = cabtest::randomBytes(32768, 4);
    const std::string data = first + first.substr(16384) + first.substr(16384);
    auto c = cabinet::makeMszipCompressor();
    const std::vector<Frame> frames = compressAll(*c, data);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_GT(frames[0].size(), 32768u);
    EXPECT_LT(frames[1].size(), 400u);
    EXPECT_EQ(decodeAll(frames, data), data);
}

TEST(MszipCompressor, AnEmptyFrameIsAFinalBlockOfNothing) {
    auto c = cabinet::makeMszipCompressor();
    c->addFrame(nullptr, 0);
    const std::vector<cabinet::CompressedFrame> released = c->takeReleased();
    ASSERT_EQ(released.size(), 1u);
    const Frame f = released[0].payload;
    EXPECT_EQ(inflateFrame(f, "", 0), "");
}

TEST(CompressionTypeField, MethodInTheLowBitsWindowAbove) {
    EXPECT_EQ(cabinet::compressionTypeField(cabinet::Method::None, 0), 0x0000);
    EXPECT_EQ(cabinet::compressionTypeField(cabinet::Method::Mszip, 21), 0x0001);
    EXPECT_EQ(cabinet::compressionTypeField(cabinet::Method::Lzx, 21), 0x1503);
    EXPECT_EQ(cabinet::compressionTypeField(cabinet::Method::Lzx, 15), 0x0F03);
}
