// A path as it must stand in a batch line: cmd expands "%...%" even between
// quotes, and "%%" stands for one "%", so each "%" is doubled. Paths without
// "%" are unchanged. Both builders write their batch files through it.
#pragma once

#include <string>

namespace shell {

inline std::string batchLiteral(const std::string& path) {
    std::string out;
    for (char c : path) {
        if (c == '%') out += '%';
        out += c;
    }
    return out;
}

}  // namespace shell
