// LZX cabinets read back by decoders written elsewhere: cabextract
// (libmspack), 7z and gcab on Linux, Wine's cabinet.dll through extrac32.exe
// when the Windows build runs under Wine (tests/support/outside_tools.h). Each case puts its files into one LZX
// folder and compares every extracted byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/cabinet/cabinet_fixture.h"
#include "tests/cabinet/lzx_block_walker.h"
#include "tools/cabinet/cab_format.h"
#include "tools/cabinet/cab_writer.h"
#include "tools/cabinet/lzx_constants.h"

namespace {

using Files = std::vector<std::pair<std::string, std::string>>;

// x86-like code: short runs of instruction bytes and CALLs (E8 + rel32) to
// a few functions, so the same target turns up under different relative
// values; some calls sit in the last 10 bytes of a frame or across a frame
// boundary.
std::string callHeavyCode(std::size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    const std::uint32_t targets[] = {0x1000, 0x2345, 0x10000, 0x7FF00, 0x250000};
    std::string s;
    while (s.size() < size) {
        for (unsigned n = rng() % 12; n > 0; --n) s += char(0x40 + rng() % 16);
        const std::int32_t rel = std::int32_t(targets[rng() % 5]) - std::int32_t(s.size() + 5);
        s += char(0xE8);
        for (int b = 0; b < 4; ++b) s += char(std::uint32_t(rel) >> (8 * b));
    }
    s.resize(size);
    for (std::size_t frameEnd = 32768; frameEnd + 8 < size; frameEnd += 32768) {
        s[frameEnd - 7] = char(0xE8);  // in the last 10 bytes: never translated
        s[frameEnd - 2] = char(0xE8);  // operand in the next frame
    }
    return s;
}

// A file larger than the window that repeats a piece at almost the largest
// distance, then at short ones, so matches reach far back and wrap the window.
std::string farRepeats(int windowBits) {
    const std::size_t window = std::size_t(1) << windowBits;
    const std::string piece = cabtest::textBytes(3000) + cabtest::randomBytes(1000, 7);
    std::string s = piece + cabtest::randomBytes(window - piece.size() - 8, 8) + piece;
    s += cabtest::randomBytes(window / 2, 9) + piece + piece + cabtest::textBytes(40000);
    return s;
}

// The blocks of the cabinet's LZX stream, as a decoder finds them.
std::vector<cabtest::LzxBlock> blocksOf(const std::string& cab, int windowBits) {
    const cabtest::ParsedCabinet parsed = cabtest::parseCabinet(cab);
    std::vector<std::string> payloads;
    std::uint64_t bytes = 0;
    for (const auto& block : parsed.blocks) {
        payloads.push_back(block.data);
        bytes += block.uncompressed;
    }
    return cabtest::LzxBlockWalker::walk(payloads, bytes, windowBits);
}

std::set<int> blockTypes(const std::vector<cabtest::LzxBlock>& blocks) {
    std::set<int> types;
    for (const auto& block : blocks) types.insert(block.type);
    return types;
}

std::size_t widestBlock(const std::vector<cabtest::LzxBlock>& blocks) {
    std::size_t frames = 0;
    for (const auto& block : blocks) frames = std::max(frames, block.frames);
    return frames;
}

cabinet::FolderMethod lzx(int windowBits) { return {cabinet::Method::Lzx, windowBits}; }

class LzxRoundTrip : public cabtest::TempFolderTest {
protected:
    std::string writeCabinet(const Files& files, int windowBits) {
        std::vector<cabinet::CabinetEntry> entries;
        for (const auto& f : files) entries.push_back({f.first, std::uint32_t(f.second.size()), 0x5B88, 0x6000, 0x20});
        const std::string cab =
            cabinet::buildCabinet(entries, lzx(windowBits), [&](std::size_t i) { return files[i].second; });
        const cabtest::ParsedCabinet parsed = cabtest::parseCabinet(cab);
        EXPECT_EQ(parsed.typeCompress, 0x0003 | (windowBits << 8));
        for (const auto& block : parsed.blocks) EXPECT_LE(block.compressed, cabinet::kMaxCompressedBlockBytes);
        // Every payload holds its frame's symbols and nothing after them.
        std::size_t frames = 0;
        blocks_.clear();
        EXPECT_NO_THROW(blocks_ = blocksOf(cab, windowBits));
        for (const auto& block : blocks_) frames += block.frames;
        EXPECT_GE(frames, parsed.blocks.size());
        const std::string name = "lzx" + std::to_string(windowBits) + ".cab";
        write(name, cab);
        return name;
    }

    void expectRoundTrip(const Files& files, int windowBits) {
        SCOPED_TRACE("window bits " + std::to_string(windowBits));
        const std::string cab = writeCabinet(files, windowBits);
        expectUnpackedEverywhere(cab, files);
    }

    std::vector<cabtest::LzxBlock> blocks_;  // of the last cabinet written
};

}  // namespace

TEST_F(LzxRoundTrip, TinyFolders) {
    expectRoundTrip({{"one.bin", "A"}}, 21);
    expectRoundTrip({{"empty.txt", ""}, {"two.bin", std::string("\x00\x01", 2)}, {"also-empty", ""}}, 15);
    // Frames of 10 bytes or fewer are never translated, E8 or not.
    expectRoundTrip({{"call.bin", std::string("\xE8\x10\x00\x00\x00\xE8\xFF\xFF\xFF\xFF", 10)}}, 16);
    expectRoundTrip({{"call.bin", std::string("\xE8\x10\x00\x00\x00\xE8\xFF\xFF\xFF\xFF\xE8", 11)}}, 16);
}

TEST_F(LzxRoundTrip, FrameBoundaries) {
    for (std::size_t size : {std::size_t(32767), std::size_t(32768), std::size_t(32769), std::size_t(65536 + 1)}) {
        SCOPED_TRACE(size);
        expectRoundTrip({{"text.txt", cabtest::textBytes(size)}, {"tail.bin", cabtest::randomBytes(size % 7, 3)}}, 17);
    }
    // Files cut across frames: the folder is one stream.
    expectRoundTrip({{"a", cabtest::textBytes(20000)}, {"b", cabtest::randomBytes(20000, 4)}, {"c", cabtest::textBytes(50001)}},
                    21);
}

TEST_F(LzxRoundTrip, SeveralMegabytesOfText) {
    std::string text;
    for (int i = 0; text.size() < 3000000; ++i)
        text += "Entry " + std::to_string(i) + ": HKLM,\"Software\\Tolvane\\Item" + std::to_string(i % 977) +
                "\",\"Value\",0x" + std::to_string(i * 2654435761u % 100000) + "\r\n";
    expectRoundTrip({{"big.txt", text}}, 21);
}

TEST_F(LzxRoundTrip, FoldersOverSixteenMegabytesWithLongRepeats) {
    // Large folders get a shallower search and one parsing pass per frame,
    // and the insides of long matches stay out of the match finder; later
    // copies must still find their way back through the matches' ends.
    const std::string base = callHeavyCode(400000, 3) + cabtest::textBytes(200000);
    std::string data;
    std::mt19937 rng(11);
    while (data.size() < (std::size_t(33) << 19)) {
        const std::size_t from = rng() % (base.size() - 70000), length = 2000 + rng() % 60000;
        data.append(base, from, length);
        data += char(rng());  // a break in the repeat
    }
    expectRoundTrip({{"large.bin", data}}, 21);
}

TEST_F(LzxRoundTrip, RandomDataIsStoredNotInflated) {
    // Even and odd last frames: only even frames may be uncompressed blocks.
    const Files files = {{"noise.bin", cabtest::randomBytes(3 * 32768 + 1001, 5)}, {"more.bin", cabtest::randomBytes(7, 6)}};
    const std::string cab = writeCabinet(files, 21);
    const cabtest::ParsedCabinet parsed = cabtest::parseCabinet(read(cab));
    for (const auto& block : parsed.blocks) EXPECT_LE(block.compressed, block.uncompressed + 64u);
    EXPECT_EQ(blockTypes(blocks_).count(3), 1u) << "no uncompressed block";
    expectRoundTrip(files, 21);
}

TEST_F(LzxRoundTrip, CallTranslationAndLongRepeats) {
    expectRoundTrip({{"code.bin", callHeavyCode(300000, 1)},
                     {"run.bin", std::string(100000, 'x')},
                     {"period3.bin", [] {
                          std::string s;
                          while (s.size() < 70000) s += "ab\xE8";
                          return s;
                      }()}},
                    21);
}

TEST_F(LzxRoundTrip, ThisTestProgramItself) {
    // A real executable (PE under Windows, ELF here): machine code full of calls.
    std::string program = platform::readFile(platform::executablePath());
    if (program.size() > 3000000) program.resize(3000000);
    expectRoundTrip({{"program.exe", program}}, 21);
    // Machine code is where aligned-offset blocks win: make sure the
    // decoders above were given some.
    const std::set<int> types = blockTypes(blocks_);
    EXPECT_EQ(types.count(1), 1u) << "no verbatim block";
    EXPECT_EQ(types.count(2), 1u) << "no aligned-offset block";
}

TEST_F(LzxRoundTrip, EveryWindowSizeWithFilesLongerThanTheWindow) {
    for (int windowBits = 15; windowBits <= 21; ++windowBits) expectRoundTrip({{"far.bin", farRepeats(windowBits)}}, windowBits);
}

TEST_F(LzxRoundTrip, RepeatsAtTheLargestOffsetsOfEachWindow) {
    // Noise with one piece repeated at the largest offset the compressor
    // uses, where it is the only match, and one further, at the format's
    // limit (the window less 3), where one decoder goes wrong and no match
    // may be taken.
    for (int windowBits = 15; windowBits <= 21; ++windowBits) {
        const std::size_t window = std::size_t(1) << windowBits;
        ASSERT_EQ(cabinet::lzx::maxMatchOffset(windowBits), window - 4);
        for (std::size_t distance : {window - 4, window - 3}) {
            SCOPED_TRACE("distance " + std::to_string(distance));
            const std::size_t at = 1000;
            const std::string piece = cabtest::randomBytes(8192, 41);
            std::string data = cabtest::randomBytes(at + distance + piece.size() + 5000, 42 + unsigned(windowBits));
            data.replace(at, piece.size(), piece);
            data.replace(at + distance, piece.size(), piece);
            expectRoundTrip({{"far.bin", data}}, windowBits);
            const std::size_t cabinetBytes = read("lzx" + std::to_string(windowBits) + ".cab").size();
            if (distance == window - 4)
                EXPECT_LT(cabinetBytes, data.size() - piece.size() / 2) << "the repeat was not found";
            else
                EXPECT_GT(cabinetBytes, data.size()) << "a match at the format's limit was taken";
        }
    }
}

TEST_F(LzxRoundTrip, FoldersShorterThanTheWindowReachBackToTheirFirstByte) {
    // Folders just over a power of two, shorter than the window, come back
    // whole, and a piece at the folder's start is found again at its end.
    for (std::size_t size : {std::size_t(65537), std::size_t(131072 + 20000), std::size_t(1048577)}) {
        SCOPED_TRACE(size);
        const std::string piece = cabtest::randomBytes(8192, 31);
        const std::string data = piece + cabtest::randomBytes(size - 2 * piece.size(), 32) + piece;
        expectRoundTrip({{"ends.bin", data}}, 21);
        EXPECT_LT(read("lzx21.cab").size(), size - piece.size() / 2) << "the repeat at the end was not found";
    }
}

TEST_F(LzxRoundTrip, BlocksSpanFramesAndEndWhereTheDataChanges) {
    // Text for five frames and a bit, noise for two (stored, frame by frame),
    // then code whose first calls sit just before a frame's end, then text
    // again ending one byte into a frame.
    const std::size_t frame = 32768;
    std::string data = cabtest::textBytes(5 * frame + 100);
    data += cabtest::randomBytes(7 * frame - data.size(), 21);
    data += callHeavyCode(4 * frame - 9, 2);
    data += cabtest::textBytes(14 * frame + 1 - data.size());
    expectRoundTrip({{"mixed.bin", data}}, 21);
    ASSERT_FALSE(blocks_.empty());
    EXPECT_GE(blocks_.front().frames, 3u) << "the text's frames are not one block";
    std::size_t storedFrames = 0;
    for (const auto& block : blocks_) {
        if (block.type == 3) {
            EXPECT_EQ(block.frames, 1u);
            EXPECT_EQ(block.size, frame);
            ++storedFrames;
        }
    }
    EXPECT_GE(storedFrames, 1u);
    // The last block takes the folder's one-byte last frame along.
    EXPECT_EQ(blocks_.back().firstFrame + blocks_.back().frames, 15u);
}

TEST_F(LzxRoundTrip, EveryWindowSizeWithBlocksAcrossFramesOverTheWindow) {
    for (int windowBits = 15; windowBits <= 21; ++windowBits) {
        // Longer than the window by three frames and an odd tail: matches
        // reach back across the window's wrap inside blocks of many frames.
        const std::size_t size = (std::size_t(1) << windowBits) + 3 * 32768 + 777;
        std::string data = cabtest::textBytes(size / 2) + callHeavyCode(size / 4, unsigned(windowBits));
        data += data.substr(0, size - data.size());
        expectRoundTrip({{"a.txt", data.substr(0, 40000)}, {"b.bin", data.substr(40000)}}, windowBits);
        EXPECT_GE(widestBlock(blocks_), 2u) << "no block over several frames at window bits " << windowBits;
    }
}
