// Shared by the cabinet tests: a fresh temporary folder as the current
// folder, file helpers, a small reader for the cabinet's header fields (to
// check what the writer put where), and runs of the makecab exe and of the
// outside decoders (tests/support/outside_tools.h).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/host.h"
#include "platform/process.h"
#include "tests/support/outside_tools.h"

namespace cabtest {

const std::string kExe = platform::kExecutableSuffix;

inline std::string makecabExe() { return std::string(TOLVANE_BIN_DIR) + "/makecab" + kExe; }

inline std::uint32_t u32(const std::string& b, std::size_t at) {
    return std::uint32_t(std::uint8_t(b.at(at))) | std::uint32_t(std::uint8_t(b.at(at + 1))) << 8 |
           std::uint32_t(std::uint8_t(b.at(at + 2))) << 16 | std::uint32_t(std::uint8_t(b.at(at + 3))) << 24;
}
inline std::uint16_t u16(const std::string& b, std::size_t at) {
    return std::uint16_t(std::uint8_t(b.at(at)) | std::uint8_t(b.at(at + 1)) << 8);
}

struct ParsedFile {
    std::uint32_t size, offset;
    std::uint16_t folder, date, time, attributes;
    std::string name;  // bytes as stored
};
struct ParsedBlock {
    std::uint32_t checksum;
    std::uint16_t compressed, uncompressed;
    std::string data;
};
struct ParsedCabinet {
    std::uint32_t cabinetSize = 0, filesOffset = 0;
    std::uint16_t folders = 0, files = 0, flags = 0, typeCompress = 0, blockCount = 0;
    std::uint32_t dataOffset = 0;
    std::vector<ParsedFile> entries;
    std::vector<ParsedBlock> blocks;
};

// Reads a one-folder cabinet without reserve fields, as the writer makes them.
inline ParsedCabinet parseCabinet(const std::string& b) {
    ParsedCabinet c;
    EXPECT_EQ(b.substr(0, 4), "MSCF");
    c.cabinetSize = u32(b, 8);
    c.filesOffset = u32(b, 16);
    c.folders = u16(b, 26);
    c.files = u16(b, 28);
    c.flags = u16(b, 30);
    c.dataOffset = u32(b, 36);
    c.blockCount = u16(b, 40);
    c.typeCompress = u16(b, 42);
    std::size_t at = c.filesOffset;
    for (int i = 0; i < c.files; ++i) {
        ParsedFile f{u32(b, at), u32(b, at + 4), u16(b, at + 8), u16(b, at + 10), u16(b, at + 12), u16(b, at + 14), ""};
        at += 16;
        const std::size_t end = b.find('\0', at);
        f.name = b.substr(at, end - at);
        at = end + 1;
        c.entries.push_back(f);
    }
    at = c.dataOffset;
    for (int i = 0; i < c.blockCount; ++i) {
        ParsedBlock k{u32(b, at), u16(b, at + 4), u16(b, at + 6), ""};
        k.data = b.substr(at + 8, k.compressed);
        at += 8 + k.compressed;
        c.blocks.push_back(k);
    }
    return c;
}

inline std::string randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s) c = char(rng() & 0xFF);
    return s;
}

// Text that compresses well but not to nothing: numbered lines.
inline std::string textBytes(std::size_t n) {
    std::string s;
    for (int i = 0; s.size() < n; ++i) s += "line " + std::to_string(i * 7919 % 10007) + " of the sample text\r\n";
    s.resize(n);
    return s;
}

inline int runProgram(const std::string& commandLine) { return testsupport::runToEnd(commandLine); }

inline bool haveProgram(const std::string& name) { return testsupport::haveProgram(name); }

class TempFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = platform::currentDirectory();
        folder_ = platform::makeTemporaryFolder("cab-test");
        platform::setCurrentDirectory(folder_);
    }
    void TearDown() override {
        platform::setCurrentDirectory(previous_);
        platform::removeFolderTree(folder_);
    }
    void write(const std::string& path, const std::string& bytes) { platform::writeFileAtomic(path, bytes); }
    std::string read(const std::string& path) { return platform::readFile(path); }
    std::string path(const std::string& name) const { return platform::joinPath(folder_, name); }

    // Every outside decoder here unpacks `cabinet`, each into a fresh folder
    // of its own, and every one of `files` (stored name -> bytes) comes out
    // with its bytes. With no decoder here the test is skipped.
    template <typename Files>
    void expectUnpackedEverywhere(const std::string& cabinet, const Files& files) {
        const std::vector<std::string> decoders = testsupport::cabinetDecoders();
        if (decoders.empty()) GTEST_SKIP() << "no outside cabinet decoder here (cabextract, 7z, gcab)";
        ++unpacks_;
        for (const std::string& decoder : decoders) {
            const std::string folder = "by-" + decoder + "-" + std::to_string(unpacks_);
            ASSERT_EQ(testsupport::unpackCabinet(decoder, path(cabinet), path(folder)), 0) << decoder;
            for (const auto& [name, bytes] : files) {
                const std::string p = platform::joinPath(folder, name);
                ASSERT_TRUE(platform::fileExists(p)) << name << " missing in " << folder;
                EXPECT_TRUE(read(p) == bytes) << name << " differs after extraction to " << folder;
            }
        }
    }

    std::string previous_;
    std::string folder_;
    int unpacks_ = 0;  // each unpacking goes into folders of its own
};

}  // namespace cabtest
