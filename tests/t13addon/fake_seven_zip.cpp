// A stand-in for the 7-Zip command-line program where no real 7z exists
// (Wine): it takes the command lines the T13 batch file gives,
//   7z a -t7z ARCHIVE PATH... -mxN
// and appends one record per file to ARCHIVE (created when missing):
//   "<stored name>|-mxN\n" "<size>\n" <the file's bytes>
// The records sit in a 7z envelope: the 32-byte signature header whose
// next-header offset and size end exactly at the end of the file, as a whole
// archive's do, then the records, then a one-byte next header.
// A stored name is what 7z would store: a relative path as given, an absolute
// file by its bare name, and for "FOLDER\*" every file below FOLDER, under
// FOLDER's relative path or, for an absolute FOLDER, relative to it.
// Exits 0 when every file was added, 2 otherwise (nothing is written then).
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/program_arguments.h"

namespace {

void addTree(const std::string& folder, const std::string& storedPrefix, const std::string& level,
             std::string& records) {
    const platform::FolderListing listing = platform::listFolder(folder);
    for (const auto& name : listing.files) {
        const std::string bytes = platform::readFile(platform::joinPath(folder, name));
        records += storedPrefix + name + "|" + level + "\n" + std::to_string(bytes.size()) + "\n" + bytes;
    }
    for (const auto& name : listing.folders)
        addTree(platform::joinPath(folder, name), storedPrefix + name + "\\", level, records);
}

const char kSignature[] = {'7', 'z', '\xBC', '\xAF', '\x27', '\x1C'};

void putLittleEndian(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string envelope(const std::string& records) {
    std::string out(kSignature, 6);
    out += std::string("\x00\x04", 2);
    putLittleEndian(out, 0, 4);               // start header CRC, unchecked here
    putLittleEndian(out, records.size(), 8);  // next header offset
    putLittleEndian(out, 1, 8);               // next header size
    putLittleEndian(out, 0, 4);
    return out + records + std::string(1, '\0');
}

std::string recordsOf(const std::string& archive) {
    if (archive.size() < 33 || archive.compare(0, 6, std::string(kSignature, 6)) != 0) return {};
    std::uint64_t offset = 0;
    for (int i = 7; i >= 0; --i) offset = (offset << 8) | static_cast<unsigned char>(archive[12 + i]);
    return archive.substr(32, static_cast<std::size_t>(offset));
}

int run(const std::vector<std::string>& args) {
    if (args.size() < 4 || args[0] != "a" || args[1] != "-t7z" || args.back().compare(0, 3, "-mx") != 0) {
        std::fprintf(stderr, "fake 7z: usage: 7z a -t7z ARCHIVE PATH... -mxN\n");
        return 2;
    }
    const std::string& archive = args[2];
    const std::string& level = args.back();
    try {
        std::string records;
        for (std::size_t i = 3; i + 1 < args.size(); ++i) {
            const std::string& path = args[i];
            if (path.size() >= 2 && path.compare(path.size() - 2, 2, "\\*") == 0) {
                const std::string folder = path.substr(0, path.size() - 2);
                addTree(folder, platform::isAbsolutePath(folder) ? std::string() : folder + "\\", level, records);
            } else {
                const std::string bytes = platform::readFile(path);
                const std::string stored = platform::isAbsolutePath(path) ? platform::baseName(path) : path;
                records += stored + "|" + level + "\n" + std::to_string(bytes.size()) + "\n" + bytes;
            }
        }
        const std::string old = platform::fileExists(archive) ? recordsOf(platform::readFile(archive)) : std::string();
        platform::writeFileAtomic(archive, envelope(old + records));
    } catch (const platform::Error& e) {
        std::fprintf(stderr, "fake 7z: %s\n", e.what());
        return 2;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return run(platform::programArguments(argc, argv)); }
