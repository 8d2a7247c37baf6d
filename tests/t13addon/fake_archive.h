// Reads what the stand-in 7z (fake_seven_zip.cpp) writes: one record per
// stored file, "<stored name>|-mxN\n" "<size>\n" <bytes>, in the order added.
#pragma once

#include <string>
#include <vector>

namespace t13test {

struct FakeEntry {
    std::string name;
    std::string level;
    std::string bytes;
};

inline std::vector<FakeEntry> readFakeArchive(const std::string& bytes) {
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
