#include "shortcuts/link_id_generator.h"

#include <set>
#include <string>

#include "platform/error.h"
#include "platform/unicode.h"

namespace shortcuts {

double LinkIdGenerator::next() {
    state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return static_cast<double>(state_) / 16777216.0;
}

int LinkIdGenerator::draw() { return static_cast<int>(next() * kHighest) + 1; }

namespace {

// Whether a shortcut of `taken` declares the group `key`: its delete text
// begins with the group line, setup.ini, progman.groups,, "KEY=""...
bool groupKeyTaken(const Shortcuts& taken, const std::string& key) {
    const std::string start = platform::asciiLower("setup.ini, progman.groups,, \"" + key + "=\"\"");
    for (const auto& entry : taken)
        if (platform::asciiLower(entry.deleteEntry.substr(0, start.size())) == start) return true;
    return false;
}

[[noreturn]] void noIdLeft(const shell::MessageTexts& texts) {
    throw platform::Error(platform::ErrorKind::BadInput, texts.text(shell::MessageKey::NoShortcutId));
}

}  // namespace

int LinkIdGenerator::drawUnused(const Shortcuts& taken, const std::string& appFolderName,
                                const shell::MessageTexts& texts) {
    std::set<std::string> names;
    for (const auto& entry : taken) names.insert(entry.sectionName);
    if (names.size() >= static_cast<std::size_t>(kHighest)) noIdLeft(texts);
    // The generator's period is 2^24 draws: after that many, every id has come up.
    for (long draws = 0; draws < (1L << 24); ++draws) {
        const int id = draw();
        if (!names.count("addlink" + std::to_string(id)) && !groupKeyTaken(taken, appFolderName + std::to_string(id)))
            return id;
    }
    noIdLeft(texts);
}

LinkIdGenerator& programLinkIds() {
    static LinkIdGenerator generator;
    return generator;
}

}  // namespace shortcuts
