// The LZX encoder's parts checked against the format's rules: code lengths
// and completeness, canonical codes, bit order, the tree deltas, the E8
// translation against the decoder's inverse, the position slots, and the
// first bytes of a stream.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "platform/error.h"
#include "tools/cabinet/frame_compressor.h"
#include "tools/cabinet/lzx_bit_writer.h"
#include "tools/cabinet/lzx_constants.h"
#include "tools/cabinet/lzx_e8.h"
#include "tools/cabinet/lzx_huffman.h"
#include "tools/cabinet/lzx_tree_writer.h"

namespace {

using namespace cabinet::lzx;

// Feeds one frame, then finishes: its only payload.
std::vector<std::uint8_t> onlyPayload(cabinet::FrameCompressor& compressor, const std::uint8_t* data, std::size_t size) {
    compressor.addFrame(data, size);
    compressor.finish();
    std::vector<cabinet::CompressedFrame> released = compressor.takeReleased();
    EXPECT_EQ(released.size(), 1u);
    return released.empty() ? std::vector<std::uint8_t>() : released[0].payload;
}

// Kraft's sum in units of 2^-maxLength.
std::uint64_t kraftSum(const std::vector<std::uint8_t>& lengths, unsigned maxLength) {
    std::uint64_t sum = 0;
    for (std::uint8_t l : lengths)
        if (l) sum += std::uint64_t(1) << (maxLength - l);
    return sum;
}

std::vector<std::uint8_t> byteVector(std::initializer_list<int> list) {
    std::vector<std::uint8_t> v;
    for (int b : list) v.push_back(std::uint8_t(b));
    return v;
}

// The decoder's side of the E8 translation, as libmspack undoes it.
void undoE8(std::uint8_t* frame, std::size_t size, std::int64_t frameStart, std::int64_t fileSize) {
    if (frameStart >= (std::int64_t(1) << 30) || size <= 10) return;
    for (std::size_t i = 0; i + 10 < size; ++i) {
        if (frame[i] != 0xE8) continue;
        std::int64_t abs = std::int32_t(frame[i + 1] | frame[i + 2] << 8 | frame[i + 3] << 16 | std::uint32_t(frame[i + 4]) << 24);
        std::int64_t cur = frameStart + std::int64_t(i);
        if (abs >= -cur && abs < fileSize) {
            std::uint32_t rel = std::uint32_t(abs >= 0 ? abs - cur : abs + fileSize);
            for (int b = 0; b < 4; ++b) frame[i + 1 + b] = std::uint8_t(rel >> (8 * b));
        }
        i += 4;
    }
}

}  // namespace

TEST(LzxHuffman, LengthsStayWithinTheLimitAndTheCodeIsComplete) {
    // Fibonacci frequencies make an unrestricted Huffman code about as deep
    // as there are symbols.
    std::vector<std::uint32_t> fibonacci(40);
    fibonacci[0] = fibonacci[1] = 1;
    for (std::size_t i = 2; i < fibonacci.size(); ++i) fibonacci[i] = fibonacci[i - 1] + fibonacci[i - 2];
    for (unsigned limit : {16u, 15u, 7u}) {
        std::vector<std::uint32_t> frequencies(fibonacci.begin(), fibonacci.begin() + (limit == 7 ? 8 : 40));
        std::vector<std::uint8_t> lengths = buildCodeLengths(frequencies, limit);
        for (std::uint8_t l : lengths) {
            EXPECT_GE(l, 1);
            EXPECT_LE(l, limit);
        }
        EXPECT_EQ(kraftSum(lengths, limit), std::uint64_t(1) << limit) << "limit " << limit;
    }
    std::mt19937 rng(3);
    for (int round = 0; round < 50; ++round) {
        std::vector<std::uint32_t> frequencies(656);
        for (auto& f : frequencies) {
            f = rng() % 3 ? 0 : (rng() % 40000) >> (rng() % 16);
        }
        std::vector<std::uint8_t> lengths = buildCodeLengths(frequencies, 16);
        for (std::size_t s = 0; s < frequencies.size(); ++s)
            if (frequencies[s] != 0) {
                EXPECT_NE(lengths[s], 0) << "used symbol " << s << " without a code";
            }
        EXPECT_EQ(kraftSum(lengths, 16), 65536u);
    }
}

TEST(LzxHuffman, OneOrNoUsedSymbolStillGivesACompleteCode) {
    std::vector<std::uint32_t> one(249, 0);
    one[100] = 5;
    std::vector<std::uint8_t> lengths = buildCodeLengths(one, 16);
    EXPECT_EQ(lengths[100], 1);
    EXPECT_EQ(kraftSum(lengths, 16), 65536u);
    EXPECT_EQ(kraftSum(buildCodeLengths(std::vector<std::uint32_t>(249, 0), 16), 16), 65536u);
}

TEST(LzxHuffman, CanonicalCodesGoShortestFirstThenBySymbol) {
    std::vector<std::uint16_t> codes = canonicalCodes({2, 1, 3, 0, 3});
    EXPECT_EQ(codes, (std::vector<std::uint16_t>{0b10, 0b0, 0b110, 0, 0b111}));
}

TEST(LzxBitWriter, SixteenBitLittleEndianWordsFilledFromTheTop) {
    std::vector<std::uint8_t> out;
    BitWriter bits(out);
    bits.writeBits(1, 1);
    bits.writeBits(0x00B7, 16);
    bits.writeBits(0x1B00, 16);
    EXPECT_EQ(out, byteVector({0x5B, 0x80, 0x80, 0x8D}));
    bits.alignToWord();
    EXPECT_EQ(out, byteVector({0x5B, 0x80, 0x80, 0x8D, 0x00, 0x00}));
    bits.alignToWord();  // already aligned: nothing
    EXPECT_EQ(out.size(), 6u);
}

TEST(LzxTreeWriter, LengthsGoAsDeltasWithRunsOfZerosAndOfRepeats) {
    const std::uint8_t previous[] = {0, 5, 7, 3, 3, 3, 3, 3, 3, 9, 9, 9, 9};
    const std::uint8_t lengths[] = {4, 5, 2, 1, 1, 1, 1, 1, 1, 8, 8, 8, 8};
    std::vector<PretreeItem> items = pretreeItems(lengths, previous, sizeof lengths);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_EQ(items[0].symbol, (0 + 17 - 4) % 17);
    EXPECT_EQ(items[1].symbol, 0);
    EXPECT_EQ(items[2].symbol, 5);
    EXPECT_EQ(items[3].symbol, 19);  // six 1s over six 3s: a run of 5 then one more
    EXPECT_EQ(items[3].extra, 1);
    EXPECT_EQ(items[3].runSymbol, 2);
    EXPECT_EQ(items[4].symbol, 2);
    EXPECT_EQ(items[5].symbol, 19);
    EXPECT_EQ(items[5].extra, 0);
    EXPECT_EQ(items[5].runSymbol, 1);  // four 8s over four 9s

    // A run of one length over differing previous lengths is sent one by one.
    const std::uint8_t mixedPrevious[] = {1, 2, 3, 4, 5};
    const std::uint8_t same[] = {6, 6, 6, 6, 6};
    for (const PretreeItem& item : pretreeItems(same, mixedPrevious, 5)) EXPECT_NE(item.symbol, 19);

    // Zeros: 3 sent singly, 4..19 as symbol 17, 20..51 as 18, longer split.
    std::vector<std::uint8_t> zeros(130, 0), was(130, 7);
    items = pretreeItems(zeros.data(), was.data(), 3);
    EXPECT_EQ(items.size(), 3u);
    items = pretreeItems(zeros.data(), was.data(), 19);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].symbol, 17);
    EXPECT_EQ(items[0].extra, 15);
    items = pretreeItems(zeros.data(), was.data(), 130);  // 51 + 51 + 28
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2].symbol, 18);
    EXPECT_EQ(items[2].extra, 8);
}

TEST(LzxE8, TranslatesCallsAsTheDecoderUndoesThem) {
    std::vector<std::uint8_t> frame(64, 0x90);
    auto put = [&](std::size_t at, std::int32_t value) {
        frame[at] = 0xE8;
        for (int b = 0; b < 4; ++b) frame[at + 1 + b] = std::uint8_t(std::uint32_t(value) >> (8 * b));
    };
    put(2, 0x100);       // forward call: becomes absolute 2 + 0x100 (+ frame start)
    put(20, -10);        // backward call within the stream
    put(30, -100000);    // before the stream's start: left alone
    put(40, 12000000);   // at or past the translation size: left alone
    put(54, 0x100);      // starts in the last 10 bytes: left alone
    const std::vector<std::uint8_t> original = frame;
    translateE8(frame.data(), frame.size(), 1000, kE8TranslationSize);
    EXPECT_EQ(frame[3] | frame[4] << 8, 1000 + 2 + 0x100);
    EXPECT_EQ(frame[21] | frame[22] << 8, 1000 + 20 - 10);
    EXPECT_TRUE(std::equal(frame.begin() + 30, frame.end(), original.begin() + 30));
    undoE8(frame.data(), frame.size(), 1000, kE8TranslationSize);
    EXPECT_EQ(frame, original);

    // Near the end of the translation size the value wraps below zero.
    std::vector<std::uint8_t> high(20, 0);
    high[0] = 0xE8;
    const std::int32_t rel = 12000000 - 5;
    for (int b = 0; b < 4; ++b) high[1 + b] = std::uint8_t(std::uint32_t(rel) >> (8 * b));
    translateE8(high.data(), high.size(), 100, kE8TranslationSize);
    EXPECT_EQ(std::int32_t(high[1] | high[2] << 8 | high[3] << 16 | std::uint32_t(high[4]) << 24), rel - 12000000);

    // Frames of 10 bytes or fewer, and frames past the first 2^30 bytes, stay.
    std::vector<std::uint8_t> small = {0xE8, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    translateE8(small.data(), small.size(), 0, kE8TranslationSize);
    EXPECT_EQ(small[1], 1);
    std::vector<std::uint8_t> late(64, 0);
    late[0] = 0xE8;
    late[1] = 1;
    translateE8(late.data(), late.size(), std::uint64_t(1) << 30, kE8TranslationSize);
    EXPECT_EQ(late[1], 1);
}

TEST(LzxE8, RandomFramesComeBackThroughTheDecoderSide) {
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        std::vector<std::uint8_t> frame(11 + rng() % 300);
        for (auto& b : frame) b = rng() % 4 ? std::uint8_t(0xE8) : std::uint8_t(rng());
        const std::vector<std::uint8_t> original = frame;
        const std::uint64_t start = std::uint64_t(rng() % 40000) * 32768;
        translateE8(frame.data(), frame.size(), start, kE8TranslationSize);
        undoE8(frame.data(), frame.size(), std::int64_t(start), kE8TranslationSize);
        ASSERT_EQ(frame, original) << "round " << round;
    }
}

TEST(LzxConstants, EveryOffsetHasASlotTheWindowAllows) {
    for (int windowBits = kMinWindowBits; windowBits <= kMaxWindowBits; ++windowBits) {
        const std::uint32_t largest = maxMatchOffset(windowBits);
        EXPECT_EQ(positionSlotOf(largest), positionSlotCount(windowBits) - 1) << windowBits;
    }
    for (std::uint32_t offset = 1; offset <= maxMatchOffset(21); ++offset) {
        const unsigned slot = positionSlotOf(offset);
        const std::uint32_t formatted = offset + 2;
        ASSERT_GE(slot, 3u);
        ASSERT_GE(formatted, positionBase(slot));
        ASSERT_LT(formatted, positionBase(slot) + (std::uint32_t(1) << extraBitsFor(slot))) << offset;
    }
    EXPECT_EQ(positionBase(49), 1966080u);
    EXPECT_EQ(extraBitsFor(35), 16u);
    EXPECT_EQ(extraBitsFor(36), 17u);
    EXPECT_EQ(mainTreeSizeFor(21), 656u);
    EXPECT_EQ(mainTreeSizeFor(15), 496u);
}

TEST(LzxCompressor, FirstFrameStartsWithTheCallHeaderAndABlockHeader) {
    auto compressor = cabinet::makeLzxCompressor(21, 1);
    const std::uint8_t a = 'A';
    std::vector<std::uint8_t> payload = onlyPayload(*compressor, &a, 1);
    // 1 (E8 on), 0x00B7 and 0x1B00 (12000000), block type 1 (verbatim: an
    // odd frame is never stored), size 0x000001; the low 4 bits of byte 6
    // start the first tree.
    ASSERT_GE(payload.size(), 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(payload.begin(), payload.begin() + 6),
              byteVector({0x5B, 0x80, 0x80, 0x8D, 0x00, 0x10}));
    EXPECT_EQ(payload[6] & 0xF0, 0x10);
    EXPECT_EQ(payload[7], 0x00);
    EXPECT_EQ(payload.size() % 2, 0u);
}

TEST(LzxCompressor, TheTranslationSizeCoversTheWholeFolder) {
    EXPECT_EQ(e8TranslationSizeFor(1), kE8TranslationSize);
    EXPECT_EQ(e8TranslationSizeFor(30000000), 30000000u);
    EXPECT_EQ(e8TranslationSizeFor(0x7FFF8000u), 1u << 30);  // decoders stop translating there
    auto compressor = cabinet::makeLzxCompressor(21, 30000000);
    const std::uint8_t a = 'A';
    std::vector<std::uint8_t> payload = onlyPayload(*compressor, &a, 1);
    // 1, then 0x01C9 and 0xC380.
    ASSERT_GE(payload.size(), 4u);
    EXPECT_EQ(std::vector<std::uint8_t>(payload.begin(), payload.begin() + 4), byteVector({0xE4, 0x80, 0xC0, 0xE1}));
}

TEST(LzxCompressor, RandomFramesBecomeUncompressedBlocks) {
    std::mt19937 rng(5);
    std::vector<std::uint8_t> frame(cabinet::kFrameSize);
    for (auto& b : frame) b = std::uint8_t(rng());
    auto compressor = cabinet::makeLzxCompressor(16, 3 * frame.size());
    // Data that does not shrink is not held back for a block: it is written
    // once the next frame comes in (a frame is coded while the next one's
    // matches are found).
    compressor->addFrame(frame.data(), frame.size());
    EXPECT_TRUE(compressor->takeReleased().empty());
    const std::vector<std::uint8_t> firstBytes = frame;
    for (auto& b : frame) b = std::uint8_t(rng());
    compressor->addFrame(frame.data(), frame.size());
    std::vector<cabinet::CompressedFrame> released = compressor->takeReleased();
    ASSERT_EQ(released.size(), 1u);
    EXPECT_EQ(released[0].uncompressedSize, frame.size());
    const std::vector<std::uint8_t>& first = released[0].payload;
    // Header words, then R0 = R1 = R2 = 1, then the (translated) bytes.
    ASSERT_EQ(first.size(), 8u + 12u + frame.size());
    EXPECT_EQ(std::vector<std::uint8_t>(first.begin(), first.begin() + 20),
              byteVector({0x5B, 0x80, 0x80, 0x8D, 0x08, 0x30, 0x00, 0x00, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
    std::vector<std::uint8_t> translated = firstBytes;
    translateE8(translated.data(), translated.size(), 0, kE8TranslationSize);
    EXPECT_TRUE(std::equal(translated.begin(), translated.end(), first.begin() + 20));
    // The folder's last frame is coded at once, with the one before it.
    // Later frames: the 27 header bits, padding to the word, the offsets,
    // the bytes.
    for (auto& b : frame) b = std::uint8_t(rng());
    compressor->addFrame(frame.data(), frame.size());
    released = compressor->takeReleased();
    ASSERT_EQ(released.size(), 2u);
    EXPECT_EQ(released[0].payload.size(), 4u + 12u + frame.size());
    EXPECT_EQ(released[1].payload.size(), 4u + 12u + frame.size());
}

TEST(LzxCompressor, HoldsBackNoMoreThanABlockAndOneFrameAndReleasesEveryOneInOrder) {
    // Frames of one kind of text share a block; the compressor keeps no
    // more than a block's frames, and the frame whose matches it found
    // last, before releasing them.
    std::string text;
    for (int i = 0; text.size() < 40 * cabinet::kFrameSize; ++i)
        text += "HKLM,\"Software\\Item" + std::to_string(i % 331) + "\",\"Value\",0x" + std::to_string(i * 7919 % 65536) + "\r\n";
    auto compressor = cabinet::makeLzxCompressor(21, 40 * cabinet::kFrameSize - 5);
    std::size_t added = 0, released = 0;
    bool heldSome = false;
    for (std::size_t at = 0; at < 40 * cabinet::kFrameSize - 5; at += cabinet::kFrameSize) {
        const std::size_t n = std::min(cabinet::kFrameSize, 40 * cabinet::kFrameSize - 5 - at);
        compressor->addFrame(reinterpret_cast<const std::uint8_t*>(text.data() + at), n);
        ++added;
        for (const auto& frame : compressor->takeReleased()) {
            EXPECT_EQ(frame.uncompressedSize, released + 1 < 40 ? cabinet::kFrameSize : cabinet::kFrameSize - 5);
            EXPECT_EQ(frame.payload.size() % 2, 0u);
            ++released;
        }
        EXPECT_LE(added - released, 17u);
        if (added - released > 1) heldSome = true;
    }
    compressor->finish();
    released += compressor->takeReleased().size();
    EXPECT_EQ(released, 40u);
    EXPECT_TRUE(heldSome) << "every frame was its own block";
}

std::vector<cabinet::CompressedFrame> compressFolder(const std::vector<std::uint8_t>& bytes, cabinet::LzxThreads threads) {
    auto compressor = cabinet::makeLzxCompressor(21, bytes.size(), threads);
    std::vector<cabinet::CompressedFrame> out;
    for (std::size_t at = 0; at < bytes.size(); at += cabinet::kFrameSize) {
        compressor->addFrame(bytes.data() + at, std::min(cabinet::kFrameSize, bytes.size() - at));
        for (auto& frame : compressor->takeReleased()) out.push_back(std::move(frame));
    }
    compressor->finish();
    for (auto& frame : compressor->takeReleased()) out.push_back(std::move(frame));
    return out;
}

TEST(LzxCompressor, FindingMatchesOnASecondThreadChangesNoByte) {
    // Text, noise (stored frames, after which short matches are not
    // looked for), text again, and an odd tail: the finder runs ahead of
    // the coder and must not see what the coder decides any earlier than
    // it would alone.
    std::string text;
    for (int i = 0; text.size() < 6 * cabinet::kFrameSize; ++i)
        text += "[Strings]\r\nItem" + std::to_string(i % 97) + " = \"Value " + std::to_string(i * 31 % 1000) + "\"\r\n";
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    std::mt19937 rng(11);
    for (std::size_t i = 0; i < 3 * cabinet::kFrameSize; ++i) bytes.push_back(std::uint8_t(rng()));
    bytes.insert(bytes.end(), text.begin(), text.begin() + 4 * cabinet::kFrameSize + 777);

    const std::vector<cabinet::CompressedFrame> one = compressFolder(bytes, cabinet::LzxThreads::One);
    const std::vector<cabinet::CompressedFrame> two = compressFolder(bytes, cabinet::LzxThreads::WhereThereAreCores);
    ASSERT_EQ(one.size(), (bytes.size() + cabinet::kFrameSize - 1) / cabinet::kFrameSize);
    ASSERT_EQ(two.size(), one.size());
    for (std::size_t i = 0; i < one.size(); ++i) {
        EXPECT_EQ(two[i].uncompressedSize, one[i].uncompressedSize) << "frame " << i;
        EXPECT_TRUE(two[i].payload == one[i].payload) << "frame " << i;
    }
}

TEST(LzxCompressor, MoreBytesThanTheFolderWasStartedForAreRefused) {
    // The match finder's tables are sized to the folder; more bytes would
    // wrap them inside the window and give wrong matches.
    const std::vector<std::uint8_t> bytes(40000, 'x');
    auto compressor = cabinet::makeLzxCompressor(21, 40000);
    EXPECT_NO_THROW(compressor->addFrame(bytes.data(), cabinet::kFrameSize));
    EXPECT_THROW(compressor->addFrame(bytes.data(), 40000 - cabinet::kFrameSize + 1), platform::Error);
    EXPECT_NO_THROW(compressor->addFrame(bytes.data(), 40000 - cabinet::kFrameSize));
}

TEST(LzxCompressor, WindowOutsideFifteenToTwentyOneIsRefused) {
    EXPECT_THROW(cabinet::makeLzxCompressor(14, 0), platform::Error);
    EXPECT_THROW(cabinet::makeLzxCompressor(22, 0), platform::Error);
}
