// The container bytes: a tiny NONE cabinet compared byte for byte with one
// laid out by hand from the format, the checksum against hand-worked values
// and against cabinets gcab writes, and the limits the writer refuses.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/code_page.h"
#include "platform/error.h"
#include "tests/cabinet/cabinet_fixture.h"
#include "tools/cabinet/cab_checksum.h"
#include "tools/cabinet/cab_writer.h"

namespace {

using cabinet::CabinetEntry;

std::string bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s += char(b);
    return s;
}

cabinet::FolderMethod none() { return {cabinet::Method::None, 0}; }

}  // namespace

TEST(CabWriter, TinyStoredCabinetMatchesTheHandLaidBytes) {
    // 2025-12-08 12:00:00; the 0x80 bit (UTF-8 name) must never reach the cabinet.
    std::vector<CabinetEntry> entries = {
        {"a.txt", 5, 0x5B88, 0x6000, 0x20},
        {platform::encodeCodePage(936, "中文.txt"), 3, 0x5B88, 0x6000, 0xA1},
    };
    const std::vector<std::string> data = {"hello", "abc"};
    const std::string cab = cabinet::buildCabinet(entries, none(), [&](std::size_t i) { return data[i]; });
    const std::string expected = bytes({
        // CFHEADER: MSCF, reserved, cbCabinet 107, reserved, coffFiles 44, reserved, 1.3, 1 folder, 2 files, flags, setID, iCabinet
        0x4d, 0x53, 0x43, 0x46, 0x00, 0x00, 0x00, 0x00, 0x6b, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x2c, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x03, 0x01, 0x01, 0x00, 0x02, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00,
        // CFFOLDER: data at 91, one block, NONE
        0x5b, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
        // CFFILE a.txt: 5 bytes at 0, folder 0, date, time, archive
        0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x88, 0x5b, 0x00, 0x60, 0x20, 0x00,
        0x61, 0x2e, 0x74, 0x78, 0x74, 0x00,
        // CFFILE 中文.txt in code page 936 (D6 D0 CE C4), 3 bytes at 5, read-only + archive
        0x03, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x88, 0x5b, 0x00, 0x60, 0x21, 0x00,
        0xd6, 0xd0, 0xce, 0xc4, 0x2e, 0x74, 0x78, 0x74, 0x00,
        // CFDATA: checksum 0x0F06040F, 8 bytes, 8 bytes, "helloabc"
        0x0f, 0x04, 0x06, 0x0f, 0x08, 0x00, 0x08, 0x00, 0x68, 0x65, 0x6c, 0x6c, 0x6f, 0x61, 0x62, 0x63,
    });
    EXPECT_EQ(cab, expected);
}

TEST(CabWriter, FramesAreFullExceptTheLastAndFilesFollowEachOtherInTheStream) {
    // 70000 bytes over three files, crossing both frame boundaries inside files.
    const std::vector<std::string> data = {cabtest::randomBytes(30000, 1), std::string(), cabtest::randomBytes(40000, 2)};
    std::vector<CabinetEntry> entries;
    for (std::size_t i = 0; i < data.size(); ++i)
        entries.push_back({"f" + std::to_string(i), std::uint32_t(data[i].size()), 0x5B88, 0, 0x20});
    const std::string cab = cabinet::buildCabinet(entries, none(), [&](std::size_t i) { return data[i]; });
    const cabtest::ParsedCabinet c = cabtest::parseCabinet(cab);
    EXPECT_EQ(c.cabinetSize, cab.size());
    ASSERT_EQ(c.blocks.size(), 3u);
    EXPECT_EQ(c.blocks[0].uncompressed, 32768);
    EXPECT_EQ(c.blocks[1].uncompressed, 32768);
    EXPECT_EQ(c.blocks[2].uncompressed, 70000 - 65536);
    EXPECT_EQ(c.entries[0].offset, 0u);
    EXPECT_EQ(c.entries[1].offset, 30000u);
    EXPECT_EQ(c.entries[2].offset, 30000u);
    std::string stream;
    for (const auto& b : c.blocks) {
        EXPECT_EQ(b.checksum, cabinet::dataBlockChecksum(reinterpret_cast<const std::uint8_t*>(b.data.data()),
                                                         b.data.size(), b.uncompressed));
        stream += b.data;
    }
    EXPECT_EQ(stream, data[0] + data[2]);
}

TEST(CabChecksum, FoldsTheTailHighByteFirst) {
    const auto sum = [](const std::string& s) {
        return cabinet::checksumBytes(reinterpret_cast<const std::uint8_t*>(s.data()), s.size(), 0);
    };
    EXPECT_EQ(sum(""), 0u);
    EXPECT_EQ(sum("a"), 0x61u);
    EXPECT_EQ(sum("ab"), 0x6162u);
    EXPECT_EQ(sum("abc"), 0x616263u);
    EXPECT_EQ(sum("abcd"), 0x64636261u);
    EXPECT_EQ(sum("abcde"), 0x64636261u ^ 0x65u);
    const std::string five = "abcde";
    EXPECT_EQ(cabinet::dataBlockChecksum(reinterpret_cast<const std::uint8_t*>(five.data()), 5, 5),
              (0x64636261u ^ 0x65u) ^ 0x00050005u);
}

TEST(CabChecksum, AgreesWithTheChecksumsGcabWrites) {
    const std::vector<std::string> decoders = testsupport::cabinetDecoders();
    if (std::find(decoders.begin(), decoders.end(), "gcab") == decoders.end())
        GTEST_SKIP() << "gcab is not installed";
    const std::string folder = platform::makeTemporaryFolder("cab-gcab");
    const std::string previous = platform::currentDirectory();
    platform::setCurrentDirectory(folder);
    platform::writeFileAtomic("t.txt", cabtest::textBytes(100003));
    platform::writeFileAtomic("r.bin", cabtest::randomBytes(33001, 5));
    ASSERT_EQ(cabtest::runProgram("gcab -c -z g.cab t.txt r.bin"), 0);
    const cabtest::ParsedCabinet c = cabtest::parseCabinet(platform::readFile("g.cab"));
    platform::setCurrentDirectory(previous);
    platform::removeFolderTree(folder);
    ASSERT_GE(c.blocks.size(), 4u);
    for (const auto& b : c.blocks) {
        ASSERT_NE(b.checksum, 0u) << "gcab wrote no checksum";
        EXPECT_EQ(b.checksum, cabinet::dataBlockChecksum(reinterpret_cast<const std::uint8_t*>(b.data.data()),
                                                         b.data.size(), b.uncompressed));
    }
}

TEST(CabWriter, RefusesWhatACabinetCannotHold) {
    const auto build = [](const std::vector<CabinetEntry>& entries, const std::string& content = "") {
        cabinet::buildCabinet(entries, none(), [&](std::size_t) { return content; });
    };
    EXPECT_THROW(build({}), platform::Error);
    EXPECT_THROW(build({{std::string(256, 'n'), 0, 0, 0, 0}}), platform::Error);
    EXPECT_NO_THROW(build({{std::string(255, 'n'), 0, 0, 0, 0}}));
    EXPECT_THROW(build({{"", 0, 0, 0, 0}}), platform::Error);
    // Data of another size than recorded: the file changed under the writer.
    EXPECT_THROW(build({{"a", 4, 0, 0, 0}}, "abc"), platform::Error);
    std::vector<CabinetEntry> many(65536, CabinetEntry{"x", 0, 0, 0, 0});
    EXPECT_THROW(build(many), platform::Error);
    EXPECT_THROW(build({{"a", 0xFFFFFFFFu, 0, 0, 0}}), platform::Error);
}
