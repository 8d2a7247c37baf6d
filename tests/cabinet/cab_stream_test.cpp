// The streaming writer: the same bytes whatever pieces the entries come in,
// cabinets of many frames written to a file and read back by cabextract, a
// disk that fills midway leaving the old cabinet whole, and the limits it
// refuses before reading or compressing a byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/error.h"
#include "platform/file_faults.h"
#include "platform/file_stream.h"
#include "tests/cabinet/cabinet_fixture.h"
#include "tools/cabinet/cab_file_io.h"
#include "tools/cabinet/cab_format.h"
#include "tools/cabinet/cab_writer.h"

namespace {

using cabinet::CabinetEntry;
using cabinet::FolderMethod;
using cabinet::Method;

// Hands each entry out in pieces of 1, 2, 3 ... 7 bytes and counts the calls.
class PieceSource : public cabinet::EntrySource {
public:
    explicit PieceSource(const std::vector<std::string>& data) : data_(data) {}
    void open(std::size_t index) override {
        ++opens;
        index_ = index;
        at_ = 0;
    }
    std::size_t read(std::uint8_t* buffer, std::size_t count) override {
        ++reads;
        const std::string& d = data_.at(index_);
        const std::size_t n = std::min({count, d.size() - at_, std::size_t(reads % 7 + 1)});
        std::copy(d.begin() + at_, d.begin() + at_ + n, buffer);
        at_ += n;
        return n;
    }
    int opens = 0, reads = 0;

private:
    const std::vector<std::string>& data_;
    std::size_t index_ = 0, at_ = 0;
};

class StringSink : public cabinet::CabinetSink {
public:
    void append(const std::uint8_t* data, std::size_t size) override {
        bytes.append(reinterpret_cast<const char*>(data), size);
    }
    void overwrite(std::uint64_t offset, const std::uint8_t* data, std::size_t size) override {
        bytes.replace(offset, size, reinterpret_cast<const char*>(data), size);
    }
    std::string bytes;
};

std::vector<CabinetEntry> entriesFor(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<CabinetEntry> entries;
    for (const auto& f : files) entries.push_back({f.first, std::uint32_t(f.second.size()), 0x5A21, 0x6000, 0x20});
    return entries;
}

const FolderMethod kMethods[] = {{Method::None, 0}, {Method::Mszip, 0}, {Method::Lzx, 15}, {Method::Lzx, 21}};

std::string label(const FolderMethod& m) {
    return m.method == Method::None ? "none" : m.method == Method::Mszip ? "mszip" : "lzx" + std::to_string(m.lzxWindowBits);
}

class CabStream : public cabtest::TempFolderTest {
protected:
    void writeInputs(const std::vector<std::pair<std::string, std::string>>& files) {
        for (const auto& f : files) write(f.first, f.second);
    }
    // The cabinet of the files (already written) to `cab` through the file
    // source and sink, committed.
    void writeCabinetFile(const std::string& cab, const std::vector<std::pair<std::string, std::string>>& files,
                          const FolderMethod& method) {
        std::vector<std::string> paths;
        for (const auto& f : files) paths.push_back(f.first);
        cabinet::FileEntrySource source(paths);
        platform::AtomicFileWriter out(cab);
        cabinet::FileSink sink(out);
        const std::uint64_t size = cabinet::writeCabinet(entriesFor(files), method, source, sink);
        out.commit();
        EXPECT_EQ(size, out.size());
    }
    void expectNoTemporaryFiles() {
        for (const std::string& f : platform::listFolder(".").files) EXPECT_EQ(f.find(".tmp"), std::string::npos) << f;
    }
};

}  // namespace

TEST(CabStreamBytes, PiecesOfAnySizeGiveTheSameCabinetAsWholeEntries) {
    const std::vector<std::string> data = {cabtest::textBytes(70000), "", cabtest::randomBytes(40000, 9),
                                           cabtest::textBytes(5)};
    std::vector<CabinetEntry> entries;
    for (std::size_t i = 0; i < data.size(); ++i)
        entries.push_back({"f" + std::to_string(i), std::uint32_t(data[i].size()), 0, 0, 0x20});
    for (const FolderMethod& m : kMethods) {
        PieceSource source(data);
        StringSink sink;
        const std::uint64_t size = cabinet::writeCabinet(entries, m, source, sink);
        const std::string whole = cabinet::buildCabinet(entries, m, [&](std::size_t i) { return data[i]; });
        EXPECT_EQ(sink.bytes, whole) << label(m);
        EXPECT_EQ(size, whole.size()) << label(m);
        const cabtest::ParsedCabinet c = cabtest::parseCabinet(sink.bytes);
        EXPECT_EQ(c.cabinetSize, whole.size()) << label(m);
        EXPECT_EQ(c.blockCount, 4) << label(m) << ": 115,005 bytes make three full frames and a short one";
    }
}

TEST(CabStreamBytes, AnEntryThatGrowsOrShrinksWhileReadIsRefused) {
    const std::vector<CabinetEntry> entries = {{"a", 40000, 0, 0, 0}, {"b", 10, 0, 0, 0}};
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"a grew", {std::string(40001, 'a'), std::string(10, 'b')}},
        {"a shrank", {std::string(39999, 'a'), std::string(10, 'b')}},
        {"b grew", {std::string(40000, 'a'), std::string(11, 'b')}},
    };
    for (const auto& c : cases) {
        PieceSource source(c.second);
        StringSink sink;
        try {
            cabinet::writeCabinet(entries, {Method::Mszip, 0}, source, sink);
            ADD_FAILURE() << c.first << ": no error";
        } catch (const platform::Error& e) {
            EXPECT_NE(std::string(e.what()).find("changed size while the cabinet was made"), std::string::npos)
                << c.first << ": " << e.what();
        }
    }
}

TEST(CabStreamBytes, SizeLimitsAreRefusedBeforeAnyByteIsRead) {
    const std::vector<std::string> none;
    // A folder past 65535 frames; a stored cabinet whose blocks alone would
    // pass the 2 GiB a cabinet may take. Neither is read or compressed.
    const std::vector<CabinetEntry> tooLargeFolder = {{"a", 0x40000000u, 0, 0, 0}, {"b", 0x40000000u, 0, 0, 0}};
    const std::vector<CabinetEntry> tooLargeStored = {{"a", 0x7FFF8000u, 0, 0, 0}};
    for (const auto& entries : {tooLargeFolder, tooLargeStored}) {
        PieceSource source(none);
        StringSink sink;
        EXPECT_THROW(cabinet::writeCabinet(entries, {Method::None, 0}, source, sink), platform::Error);
        EXPECT_EQ(source.opens, 0);
        EXPECT_EQ(sink.bytes, "");
    }
    EXPECT_EQ(cabinet::smallestCabinetBytes(tooLargeStored, {Method::None, 0}),
              36u + 8u + 18u + 65535u * 8u + 0x7FFF8000u);
    // Compressed, the same entry may well fit.
    EXPECT_EQ(cabinet::smallestCabinetBytes(tooLargeStored, {Method::Lzx, 21}), 36u + 8u + 18u + 65535u * 8u);
}

TEST_F(CabStream, CabinetsOfManyFramesReadBackThroughCabextract) {
    if (!cabtest::haveProgram("cabextract")) GTEST_SKIP() << "cabextract is not installed";
    // Entries that start and end inside frames, an empty one between them,
    // and more than one window of LZX:15 history.
    const std::vector<std::pair<std::string, std::string>> files = {
        {"text.txt", cabtest::textBytes(300001)},
        {"empty.dat", ""},
        {"random.bin", cabtest::randomBytes(100003, 4)},
        {"tail.txt", cabtest::textBytes(17)},
    };
    writeInputs(files);
    for (const FolderMethod& m : kMethods) {
        const std::string cab = label(m) + ".cab";
        writeCabinetFile(cab, files, m);
        const cabtest::ParsedCabinet c = cabtest::parseCabinet(read(cab));
        EXPECT_EQ(c.blockCount, (300001 + 100003 + 17 + 32767) / 32768) << cab;
        EXPECT_EQ(c.cabinetSize, read(cab).size()) << cab;
        const std::string out = "out-" + label(m);
        ASSERT_EQ(cabtest::runProgram("cabextract -q -d " + out + " " + cab), 0) << cab;
        for (const auto& f : files) EXPECT_EQ(read(platform::joinPath(out, f.first)), f.second) << cab << " " << f.first;
    }
    expectNoTemporaryFiles();
}

TEST_F(CabStream, ADiskThatFillsMidwayLeavesTheOldCabinetWhole) {
    write("App.cab", "old cabinet");
    const std::vector<std::pair<std::string, std::string>> files = {{"r.bin", cabtest::randomBytes(200000, 8)}};
    writeInputs(files);
    {
        platform::FileFaults faults;
        faults.fillDiskAfter(100000);
        EXPECT_THROW(writeCabinetFile("App.cab", files, {Method::Mszip, 0}), platform::Error);
        EXPECT_EQ(faults.refusals(), 1);
    }
    EXPECT_EQ(read("App.cab"), "old cabinet");
    expectNoTemporaryFiles();
}

TEST_F(CabStream, AnUnreadableEntryMidwayLeavesNoCabinet) {
    const std::vector<std::pair<std::string, std::string>> files = {{"a.bin", cabtest::randomBytes(50000, 1)},
                                                                    {"locked.bin", "secret"}};
    writeInputs(files);
    platform::FileFaults faults;
    faults.refuse(platform::FileOperation::Read, "locked.bin");
    EXPECT_THROW(writeCabinetFile("App.cab", files, {Method::Lzx, 21}), platform::Error);
    EXPECT_EQ(faults.refusals(), 1);
    EXPECT_FALSE(platform::fileExists("App.cab"));
    expectNoTemporaryFiles();
}
