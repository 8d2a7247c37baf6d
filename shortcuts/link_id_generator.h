// Draws the shortcut ids. The generator is the classic 24-bit linear
// congruential one of Visual Basic's Rnd with its fixed start value, never
// reseeded: every run of the program draws the same ids in the same order
// (7056, 5335, 5796, ...), so packages made from the same input come out the same.
#pragma once

#include <cstdint>
#include <string>

#include "shell/message_keys.h"
#include "shortcuts/shortcut_list.h"

namespace shortcuts {

class LinkIdGenerator {
public:
    static constexpr int kLowest = 1;
    static constexpr int kHighest = 10000;

    // The next value of the sequence in [0, 1).
    double next();
    // integer part of (R x 10000) + 1: 1 to 10000.
    int draw();
    // Draws until the id names no section in `taken` and, joined to
    // `appFolderName`, gives a group key no shortcut in `taken` uses ("App1"
    // with 2 and "App" with 12 both give "App12"; letter case ignored, as INI
    // names are compared), so two shortcuts never share a section or a group.
    // Throws platform::Error, told in `texts`, when no id is left.
    int drawUnused(const Shortcuts& taken, const std::string& appFolderName = {},
                   const shell::MessageTexts& texts = shell::kBuiltInTexts);

private:
    std::uint32_t state_ = 0x50000;
};

// The one generator of this program run, shared by every editor.
LinkIdGenerator& programLinkIds();

}  // namespace shortcuts
