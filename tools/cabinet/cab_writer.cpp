#include "tools/cabinet/cab_writer.h"

#include <algorithm>

#include "platform/error.h"
#include "tools/cabinet/cab_checksum.h"
#include "tools/cabinet/cab_format.h"
#include "tools/cabinet/compressor_choice.h"

namespace cabinet {

namespace {

// Where the fields known only at the end lie: CFHEADER's cbCabinet and the
// folder's cCFData.
const std::uint64_t kCabinetSizeField = 8;
const std::uint64_t kBlockCountField = kHeaderSize + 4;

void put16(std::string& out, std::uint32_t v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

[[noreturn]] void refuse(const std::string& message) { throw platform::Error(platform::ErrorKind::BadInput, message); }

std::uint64_t folderBytes(const std::vector<CabinetEntry>& entries) {
    std::uint64_t total = 0;
    for (const CabinetEntry& e : entries) total += e.size;
    return total;
}

std::uint64_t blockCount(std::uint64_t folderBytes) { return (folderBytes + kFrameSize - 1) / kFrameSize; }

std::uint64_t dataOffset(const std::vector<CabinetEntry>& entries) {
    std::uint64_t fileTableBytes = 0;
    for (const CabinetEntry& e : entries) fileTableBytes += kFileEntrySize + e.storedName.size() + 1;
    return kHeaderSize + kFolderEntrySize + fileTableBytes;
}

void checkEntries(const std::vector<CabinetEntry>& entries) {
    if (entries.empty()) refuse("A cabinet needs at least one file.");
    if (entries.size() > kMaxFiles)
        refuse("A cabinet holds at most " + std::to_string(kMaxFiles) + " files; " + std::to_string(entries.size()) +
               " were given.");
    for (const CabinetEntry& e : entries) {
        if (e.storedName.empty()) refuse("A file in the cabinet needs a name.");
        if (e.storedName.size() > kMaxNameBytes || e.storedName.find('\0') != std::string::npos)
            refuse("The name \"" + e.storedName + "\" is longer than the " + std::to_string(kMaxNameBytes) +
                   " bytes a cabinet can hold.");
    }
    const std::uint64_t total = folderBytes(entries);
    if (total > kMaxFolderBytes)
        refuse("The files add up to " + std::to_string(total) + " bytes; a cabinet folder holds at most " +
               std::to_string(kMaxFolderBytes) + ".");
}

std::uint64_t smallestSize(const std::vector<CabinetEntry>& entries, const FolderMethod& method) {
    const std::uint64_t total = folderBytes(entries);
    const std::uint64_t stored = method.method == Method::None ? total : 0;
    return dataOffset(entries) + blockCount(total) * kDataBlockHeaderSize + stored;
}

// CFHEADER, CFFOLDER and the file table, with the cabinet's size and the
// block count left 0 until the end.
std::string headerAndFileTable(const std::vector<CabinetEntry>& entries, const FolderMethod& method) {
    const std::uint64_t filesOffset = kHeaderSize + kFolderEntrySize;
    std::string out;
    out += "MSCF";
    put32(out, 0);
    put32(out, 0);  // cbCabinet
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(filesOffset));
    put32(out, 0);
    out += char(kVersionMinor);
    out += char(kVersionMajor);
    put16(out, 1);                                          // cFolders
    put16(out, static_cast<std::uint32_t>(entries.size()));  // cFiles
    put16(out, 0);                                          // flags: no neighbours, no reserve
    put16(out, 0);                                          // setID
    put16(out, 0);                                          // iCabinet

    put32(out, static_cast<std::uint32_t>(dataOffset(entries)));
    put16(out, 0);  // cCFData
    put16(out, compressionTypeField(method.method, method.lzxWindowBits));

    std::uint32_t offsetInFolder = 0;
    for (const CabinetEntry& e : entries) {
        put32(out, e.size);
        put32(out, offsetInFolder);
        put16(out, 0);  // iFolder
        put16(out, e.dosDate);
        put16(out, e.dosTime);
        put16(out, e.attributes & kStoredAttributes);
        out += e.storedName;
        out += '\0';
        offsetInFolder += e.size;
    }
    return out;
}

void append(CabinetSink& sink, const std::string& bytes) {
    sink.append(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// Appends each block the compressor releases, and counts what went out.
class DataBlocks {
public:
    DataBlocks(FrameCompressor& compressor, CabinetSink& sink, std::uint64_t cabinetBytes)
        : compressor_(compressor), sink_(sink), cabinetBytes_(cabinetBytes) {}

    void add(const std::uint8_t* frame, std::size_t size) {
        compressor_.addFrame(frame, size);
        writeReleased();
    }
    void finish() {
        compressor_.finish();
        writeReleased();
    }
    std::uint64_t blocks() const { return blocks_; }
    std::uint64_t uncompressedBytes() const { return uncompressed_; }
    std::uint64_t cabinetBytes() const { return cabinetBytes_; }

private:
    void writeReleased() {
        for (const CompressedFrame& frame : compressor_.takeReleased()) write(frame);
    }
    void write(const CompressedFrame& frame) {
        const std::vector<std::uint8_t>& payload = frame.payload;
        if (payload.size() > kMaxCompressedBlockBytes)
            refuse("Internal error: a compressed block of " + std::to_string(payload.size()) +
                   " bytes is larger than a cabinet allows.");
        cabinetBytes_ += kDataBlockHeaderSize + payload.size();
        if (cabinetBytes_ > kMaxCabinetBytes)
            refuse("The cabinet would be more than the " + std::to_string(kMaxCabinetBytes) +
                   " bytes a cabinet holds at most.");
        std::string header;
        put32(header, dataBlockChecksum(payload.data(), payload.size(), frame.uncompressedSize));
        put16(header, static_cast<std::uint32_t>(payload.size()));
        put16(header, frame.uncompressedSize);
        append(sink_, header);
        sink_.append(payload.data(), payload.size());
        uncompressed_ += frame.uncompressedSize;
        ++blocks_;
    }

    FrameCompressor& compressor_;
    CabinetSink& sink_;
    std::uint64_t cabinetBytes_;
    std::uint64_t blocks_ = 0;
    std::uint64_t uncompressed_ = 0;
};

[[noreturn]] void changedSize(const CabinetEntry& e) {
    refuse("The file stored as \"" + e.storedName + "\" changed size while the cabinet was made.");
}

// Cuts the entries' bytes into frames, one entry after another.
void streamEntries(const std::vector<CabinetEntry>& entries, EntrySource& source, DataBlocks& blocks) {
    std::vector<std::uint8_t> frame(kFrameSize);
    std::size_t filled = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        source.open(i);
        std::uint64_t left = entries[i].size;
        while (left > 0) {
            const std::size_t wanted = static_cast<std::size_t>(std::min<std::uint64_t>(kFrameSize - filled, left));
            const std::size_t n = source.read(frame.data() + filled, wanted);
            if (n == 0) changedSize(entries[i]);
            filled += n;
            left -= n;
            if (filled == kFrameSize) {
                blocks.add(frame.data(), filled);
                filled = 0;
            }
        }
        std::uint8_t more;
        if (source.read(&more, 1) != 0) changedSize(entries[i]);
    }
    if (filled > 0) blocks.add(frame.data(), filled);  // the last, shorter frame; an empty folder has none
    blocks.finish();
}

void patch32(CabinetSink& sink, std::uint64_t offset, std::uint32_t value) {
    std::string bytes;
    put32(bytes, value);
    sink.overwrite(offset, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

void patch16(CabinetSink& sink, std::uint64_t offset, std::uint32_t value) {
    std::string bytes;
    put16(bytes, value);
    sink.overwrite(offset, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// Hands out each entry's string piece by piece.
class StringEntrySource : public EntrySource {
public:
    explicit StringEntrySource(const EntryReader& readEntry) : readEntry_(readEntry) {}
    void open(std::size_t index) override {
        bytes_ = readEntry_(index);
        at_ = 0;
    }
    std::size_t read(std::uint8_t* buffer, std::size_t count) override {
        const std::size_t n = std::min(count, bytes_.size() - at_);
        std::copy(bytes_.begin() + at_, bytes_.begin() + at_ + n, buffer);
        at_ += n;
        return n;
    }

private:
    const EntryReader& readEntry_;
    std::string bytes_;
    std::size_t at_ = 0;
};

class StringSink : public CabinetSink {
public:
    explicit StringSink(std::string& out) : out_(out) {}
    void append(const std::uint8_t* data, std::size_t size) override {
        out_.append(reinterpret_cast<const char*>(data), size);
    }
    void overwrite(std::uint64_t offset, const std::uint8_t* data, std::size_t size) override {
        out_.replace(static_cast<std::size_t>(offset), size, reinterpret_cast<const char*>(data), size);
    }

private:
    std::string& out_;
};

}  // namespace

std::uint64_t smallestCabinetBytes(const std::vector<CabinetEntry>& entries, const FolderMethod& method) {
    checkEntries(entries);
    return smallestSize(entries, method);
}

std::uint64_t writeCabinet(const std::vector<CabinetEntry>& entries, const FolderMethod& method, EntrySource& source,
                           CabinetSink& sink) {
    const std::uint64_t smallest = smallestCabinetBytes(entries, method);
    if (smallest > kMaxCabinetBytes)
        refuse("The cabinet would be at least " + std::to_string(smallest) + " bytes; a cabinet holds at most " +
               std::to_string(kMaxCabinetBytes) + ".");
    const std::uint64_t total = folderBytes(entries);
    std::unique_ptr<FrameCompressor> compressor = makeFrameCompressor(method.method, method.lzxWindowBits, total);

    const std::string head = headerAndFileTable(entries, method);
    append(sink, head);
    DataBlocks blocks(*compressor, sink, head.size());
    streamEntries(entries, source, blocks);
    if (blocks.uncompressedBytes() != total || blocks.blocks() != blockCount(total))
        refuse("Internal error: the compressor gave back " + std::to_string(blocks.uncompressedBytes()) +
               " bytes in " + std::to_string(blocks.blocks()) + " blocks for a folder of " + std::to_string(total) +
               " bytes.");
    patch32(sink, kCabinetSizeField, static_cast<std::uint32_t>(blocks.cabinetBytes()));
    patch16(sink, kBlockCountField, static_cast<std::uint32_t>(blocks.blocks()));
    return blocks.cabinetBytes();
}

std::string buildCabinet(const std::vector<CabinetEntry>& entries, const FolderMethod& method,
                         const EntryReader& readEntry) {
    std::string out;
    StringEntrySource source(readEntry);
    StringSink sink(out);
    writeCabinet(entries, method, source, sink);
    return out;
}

}  // namespace cabinet
