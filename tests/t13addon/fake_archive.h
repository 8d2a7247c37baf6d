// Reads what the stand-in 7z (fake_seven_zip.cpp) writes: one record per
// stored file, "<stored name>|-mxN\n" "<size>\n" <bytes>, in the order added,
// inside a 7z envelope (the 32-byte signature header first, whose next-header
// offset is the records' length).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace t13test {

struct FakeEntry {
    std::string name;
    std::string level;
    std::string bytes;
};

inline std::vector<FakeEntry> readFakeArchive(const std::string& archive) {
    std::uint64_t offset = 0;
    if (archive.size() >= 32)
        for (int i = 7; i >= 0; --i) offset = (offset << 8) | static_cast<unsigned char>(archive[12 + i]);
    const std::string bytes = archive.size() >= 32 ? archive.substr(32, static_cast<std::size_t>(offset)) : "";
    std::vector<FakeEntry> entries;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t nameEnd = bytes.find('\n', pos);
        const std::size_t sizeEnd = bytes.find('\n', nameEnd + 1);
        if (nameEnd == std::string::npos || sizeEnd == std::string::npos) break;
        const std::string head = bytes.substr(pos, nameEnd - pos);
        const std::size_t size = std::stoul(bytes.substr(nameEnd + 1, sizeEnd - nameEnd - 1));
        entries.push_back({head.substr(0, head.find('|')), head.substr(head.find('|') + 1),
                           bytes.substr(sizeEnd + 1, size)});
        pos = sizeEnd + 1 + size;
    }
    return entries;
}

}  // namespace t13test
