// Paths in the console's lines as the user gave them. The builders spell a
// path as they compose it (the folder, "\", the name: "/home/u\out/a.cab" on
// POSIX); the console shows the user's own spelling of each path it was
// given ("out/a.cab"), and the rest of a path below one of them with the
// system's own separator.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace console {

class ShownPaths {
public:
    // `composed` as the builders spell the path, `given` as the user typed it.
    void add(const std::string& composed, const std::string& given);
    // The text with every known path that stands in it as a whole name in
    // the user's spelling, and the separators of the rest of that path
    // (up to a blank or a quote) the system's own.
    std::string apply(const std::string& text) const;

private:
    std::vector<std::pair<std::string, std::string>> paths_;  // longest first
};

}  // namespace console
