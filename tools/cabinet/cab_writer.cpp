#include "tools/cabinet/cab_writer.h"

#include "platform/error.h"
#include "tools/cabinet/cab_checksum.h"
#include "tools/cabinet/cab_format.h"
#include "tools/cabinet/compressor_choice.h"

namespace cabinet {

namespace {

void put16(std::string& out, std::uint32_t v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

[[noreturn]] void refuse(const std::string& message) { throw platform::Error(platform::ErrorKind::BadInput, message); }

void checkEntries(const std::vector<CabinetEntry>& entries) {
    if (entries.empty()) refuse("A cabinet needs at least one file.");
    if (entries.size() > kMaxFiles)
        refuse("A cabinet holds at most " + std::to_string(kMaxFiles) + " files; " + std::to_string(entries.size()) +
               " were given.");
    std::uint64_t total = 0;
    for (const CabinetEntry& e : entries) {
        if (e.storedName.empty()) refuse("A file in the cabinet needs a name.");
        if (e.storedName.size() > kMaxNameBytes || e.storedName.find('\0') != std::string::npos)
            refuse("The name \"" + e.storedName + "\" is longer than the " + std::to_string(kMaxNameBytes) +
                   " bytes a cabinet can hold.");
        total += e.size;
    }
    if (total > kMaxFolderBytes)
        refuse("The files add up to " + std::to_string(total) + " bytes; a cabinet folder holds at most " +
               std::to_string(kMaxFolderBytes) + ".");
}

// Cuts the folder's stream into frames and appends one CFDATA per frame.
class DataBlockStream {
public:
    DataBlockStream(FrameCompressor& compressor, std::string& out) : compressor_(compressor), out_(out) {
        frame_.reserve(kFrameSize);
    }
    void write(const std::string& bytes) {
        std::size_t pos = 0;
        while (pos < bytes.size()) {
            const std::size_t n = std::min(kFrameSize - frame_.size(), bytes.size() - pos);
            frame_.insert(frame_.end(), bytes.begin() + pos, bytes.begin() + pos + n);
            pos += n;
            if (frame_.size() == kFrameSize) flush();
        }
    }
    // The last, shorter frame. An empty folder gets no block at all.
    void finish() {
        if (!frame_.empty()) flush();
    }
    std::size_t blocks() const { return blocks_; }

private:
    void flush() {
        const std::vector<std::uint8_t> payload = compressor_.compressFrame(frame_.data(), frame_.size());
        if (payload.size() > kMaxCompressedBlockBytes)
            refuse("Internal error: a compressed block of " + std::to_string(payload.size()) +
                   " bytes is larger than a cabinet allows.");
        const std::uint16_t uncompressed = static_cast<std::uint16_t>(frame_.size());
        put32(out_, dataBlockChecksum(payload.data(), payload.size(), uncompressed));
        put16(out_, static_cast<std::uint32_t>(payload.size()));
        put16(out_, uncompressed);
        out_.append(reinterpret_cast<const char*>(payload.data()), payload.size());
        frame_.clear();
        ++blocks_;
    }

    FrameCompressor& compressor_;
    std::string& out_;
    std::vector<std::uint8_t> frame_;
    std::size_t blocks_ = 0;
};

}  // namespace

std::string buildCabinet(const std::vector<CabinetEntry>& entries, const FolderMethod& method,
                         const EntryReader& readEntry) {
    checkEntries(entries);
    std::uint64_t total = 0;
    for (const CabinetEntry& e : entries) total += e.size;

    std::string data;
    std::unique_ptr<FrameCompressor> compressor = makeFrameCompressor(method.method, method.lzxWindowBits, total);
    DataBlockStream stream(*compressor, data);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string bytes = readEntry(i);
        if (bytes.size() != entries[i].size)
            refuse("The file stored as \"" + entries[i].storedName + "\" changed size while the cabinet was made.");
        stream.write(bytes);
    }
    stream.finish();
    if (stream.blocks() > kMaxDataBlocks) refuse("The folder needs more data blocks than a cabinet can hold.");

    std::size_t fileTableBytes = 0;
    for (const CabinetEntry& e : entries) fileTableBytes += kFileEntrySize + e.storedName.size() + 1;
    const std::uint64_t filesOffset = kHeaderSize + kFolderEntrySize;
    const std::uint64_t dataOffset = filesOffset + fileTableBytes;
    const std::uint64_t cabinetBytes = dataOffset + data.size();
    if (cabinetBytes > kMaxCabinetBytes)
        refuse("The cabinet would be " + std::to_string(cabinetBytes) + " bytes; a cabinet holds at most " +
               std::to_string(kMaxCabinetBytes) + ".");

    std::string out;
    out.reserve(static_cast<std::size_t>(cabinetBytes));
    out += "MSCF";
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(cabinetBytes));
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

    put32(out, static_cast<std::uint32_t>(dataOffset));
    put16(out, static_cast<std::uint32_t>(stream.blocks()));
    put16(out, CompressionTypeField(method.method, method.lzxWindowBits));

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
    out += data;
    return out;
}

}  // namespace cabinet
