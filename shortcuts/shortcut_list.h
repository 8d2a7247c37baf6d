// The shortcut editor's three parallel lists, held as one record per
// shortcut so that they can never fall out of step: entry i of
// ShortcutSections, ShortcutSectionNames and ShortcutDeleteEntries is
// Shortcuts[i].section, .sectionName and .deleteEntry.
#pragma once

#include <string>
#include <vector>

namespace shortcuts {

struct ShortcutEntry {
    std::string section;      // the [AddLinkN] section text: three lines, each ending in CR LF
    std::string sectionName;  // "addlinkN"
    std::string deleteEntry;  // two lines joined by CR LF, none at the end
};

using Shortcuts = std::vector<ShortcutEntry>;

}  // namespace shortcuts
