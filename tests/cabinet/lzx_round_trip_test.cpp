// LZX cabinets read back by decoders written elsewhere: cabextract
// (libmspack), 7z and gcab on Linux, Wine's cabinet.dll through extrac32.exe
// when the Windows build runs under Wine (tests/support/outside_tools.h). Each case puts its files into one LZX
// folder and compares every extracted byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/cabinet/cabinet_fixture.h"
#include "tools/cabinet/cab_format.h"
#include "tools/cabinet/cab_writer.h"

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

// The block type of every frame after the first: those start at a word
// boundary with the block header, so the type is the payload's top 3 bits.
std::set<int> laterBlockTypes(const std::string& cab) {
    std::set<int> types;
    const cabtest::ParsedCabinet parsed = cabtest::parseCabinet(cab);
    for (std::size_t i = 1; i < parsed.blocks.size(); ++i) types.insert(std::uint8_t(parsed.blocks[i].data.at(1)) >> 5);
    return types;
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
        const std::string name = "lzx" + std::to_string(windowBits) + ".cab";
        write(name, cab);
        return name;
    }

    void expectRoundTrip(const Files& files, int windowBits) {
        SCOPED_TRACE("window bits " + std::to_string(windowBits));
        const std::string cab = writeCabinet(files, windowBits);
        expectUnpackedEverywhere(cab, files);
    }
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
    EXPECT_EQ(laterBlockTypes(read(cab)).count(3), 1u) << "no uncompressed block";
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
    const std::set<int> types = laterBlockTypes(read("lzx21.cab"));
    EXPECT_EQ(types.count(1), 1u) << "no verbatim block";
    EXPECT_EQ(types.count(2), 1u) << "no aligned-offset block";
}

TEST_F(LzxRoundTrip, EveryWindowSizeWithFilesLongerThanTheWindow) {
    for (int windowBits = 15; windowBits <= 21; ++windowBits) expectRoundTrip({{"far.bin", farRepeats(windowBits)}}, windowBits);
}
