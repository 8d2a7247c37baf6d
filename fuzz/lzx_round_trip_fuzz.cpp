// LZX cabinets of any data come back whole through libmspack, the decoder
// behind cabextract, read from memory. The first input byte picks the window
// (2^15 to 2^21) and how the rest is cut into one to three files, so frame,
// file and window boundaries all fall in varied places.
#include <mspack.h>

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tools/cabinet/cab_writer.h"

namespace {

// libmspack's I/O, backed by named strings instead of files.
struct MemoryFile {
    std::string* bytes;
    std::size_t at;
};

std::map<std::string, std::string> files;

mspack_file* openFile(mspack_system*, const char* name, int mode) {
    std::string& bytes = files[name];
    if (mode == MSPACK_SYS_OPEN_WRITE) bytes.clear();
    return reinterpret_cast<mspack_file*>(new MemoryFile{&bytes, 0});
}
void closeFile(mspack_file* file) { delete reinterpret_cast<MemoryFile*>(file); }
int readFile(mspack_file* file, void* buffer, int count) {
    auto* f = reinterpret_cast<MemoryFile*>(file);
    const std::size_t n = std::min<std::size_t>(std::size_t(count), f->bytes->size() - f->at);
    std::memcpy(buffer, f->bytes->data() + f->at, n);
    f->at += n;
    return int(n);
}
int writeFile(mspack_file* file, void* buffer, int count) {
    auto* f = reinterpret_cast<MemoryFile*>(file);
    f->bytes->append(static_cast<const char*>(buffer), std::size_t(count));
    return count;
}
int seekFile(mspack_file* file, off_t offset, int mode) {
    auto* f = reinterpret_cast<MemoryFile*>(file);
    const off_t base = mode == MSPACK_SYS_SEEK_START ? 0 : mode == MSPACK_SYS_SEEK_CUR ? off_t(f->at) : off_t(f->bytes->size());
    if (base + offset < 0 || std::size_t(base + offset) > f->bytes->size()) return -1;
    f->at = std::size_t(base + offset);
    return 0;
}
off_t tellFile(mspack_file* file) { return off_t(reinterpret_cast<MemoryFile*>(file)->at); }
void message(mspack_file*, const char*, ...) {}
void* allocate(mspack_system*, std::size_t bytes) { return std::malloc(bytes); }
void release(void* p) { std::free(p); }
void copy(void* from, void* to, std::size_t bytes) { std::memmove(to, from, bytes); }

mspack_system memorySystem = {openFile, closeFile, readFile, writeFile, seekFile, tellFile,
                              message,  allocate,  release,  copy,      nullptr};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int windowBits = 15 + data[0] % 7;
    const std::size_t fileCount = 1 + (data[0] / 7) % 3;
    const std::string body(reinterpret_cast<const char*>(data + 1), size - 1);

    // Cut points: the rest into fileCount pieces, the last one the longest.
    std::vector<std::string> pieces;
    std::size_t at = 0;
    for (std::size_t i = 0; i < fileCount; ++i) {
        const std::size_t n = i + 1 == fileCount ? body.size() - at : std::min(body.size() - at, body.size() / (2 * fileCount) + i * 7);
        pieces.push_back(body.substr(at, n));
        at += n;
    }
    std::vector<cabinet::CabinetEntry> entries;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        cabinet::CabinetEntry entry;
        entry.storedName = "f" + std::to_string(i);
        entry.size = std::uint32_t(pieces[i].size());
        entries.push_back(entry);
    }
    cabinet::FolderMethod method;
    method.method = cabinet::Method::Lzx;
    method.lzxWindowBits = windowBits;
    files.clear();
    files["in.cab"] = cabinet::buildCabinet(entries, method, [&](std::size_t i) { return pieces[i]; });

    mscab_decompressor* reader = mspack_create_cab_decompressor(&memorySystem);
    mscabd_cabinet* cab = reader->open(reader, const_cast<char*>("in.cab"));
    if (!cab) std::abort();
    std::size_t index = 0;
    for (mscabd_file* file = cab->files; file; file = file->next, ++index) {
        const std::string out = "out" + std::to_string(index);
        if (reader->extract(reader, file, const_cast<char*>(out.c_str())) != MSPACK_ERR_OK) std::abort();
        if (index >= pieces.size() || files[out] != pieces[index]) std::abort();
    }
    if (index != pieces.size()) std::abort();
    reader->close(reader, cab);
    mspack_destroy_cab_decompressor(reader);
    return 0;
}
