#include "shortcuts/shortcut_definition.h"

namespace shortcuts {

namespace {

std::string quotes(int n) { return std::string(static_cast<std::size_t>(n), '"'); }

// setup.ini, progman.groups,, "App7056=""%16409%"""
std::string groupLine(const ShortcutDefinition& d) {
    return "setup.ini, progman.groups,, " + quotes(1) + groupKey(d) + "=" + quotes(2) + d.Location + quotes(3);
}

// setup.ini, App7056,,"""App""   (the item line cut after the link name:
// an item without a command line, which GrpConv reads as "delete").
std::string itemLineStart(const ShortcutDefinition& d) {
    return "setup.ini, " + groupKey(d) + ",," + quotes(3) + d.LinkName + quotes(2);
}

}  // namespace

std::string argumentsFromText(const std::string& text) {
    if (!text.empty() && text[0] == ' ') return text;
    return " " + text;
}

std::string groupKey(const ShortcutDefinition& d) { return d.AppFolderName + std::to_string(d.LinkId); }

ShortcutEntry buildShortcutEntry(const ShortcutDefinition& d) {
    const std::string itemLine = itemLineStart(d) + "," + quotes(6) + d.TargetPath + quotes(4) + d.Arguments +
                                 quotes(2) + ",,,," + quotes(2) + d.StartIn + quotes(2) + "," + quotes(2) +
                                 d.Description + quotes(3);
    ShortcutEntry entry;
    entry.section = "[AddLink" + std::to_string(d.LinkId) + "]\r\n" + groupLine(d) + "\r\n" + itemLine + "\r\n";
    entry.sectionName = "addlink" + std::to_string(d.LinkId);
    entry.deleteEntry = groupLine(d) + "\r\n" + itemLineStart(d);
    return entry;
}

}  // namespace shortcuts
