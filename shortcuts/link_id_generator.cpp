#include "shortcuts/link_id_generator.h"

#include <set>
#include <string>

#include "platform/error.h"

namespace shortcuts {

double LinkIdGenerator::next() {
    state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return static_cast<double>(state_) / 16777216.0;
}

int LinkIdGenerator::draw() { return static_cast<int>(next() * kHighest) + 1; }

int LinkIdGenerator::drawUnused(const Shortcuts& taken) {
    std::set<std::string> names;
    for (const auto& entry : taken) names.insert(entry.sectionName);
    if (names.size() >= static_cast<std::size_t>(kHighest))
        throw platform::Error(platform::ErrorKind::BadInput,
                              "Every shortcut id from 1 to 10000 is in use: delete a shortcut before adding another.");
    for (;;) {
        const int id = draw();
        if (!names.count("addlink" + std::to_string(id))) return id;
    }
}

LinkIdGenerator& programLinkIds() {
    static LinkIdGenerator generator;
    return generator;
}

}  // namespace shortcuts
