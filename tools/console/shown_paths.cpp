#include "tools/console/shown_paths.h"

#include <algorithm>

#include "platform/file_system.h"

namespace console {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }
bool endsPathPart(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '"' || c == '\''; }

// Whether a known path ends at `end`: the text ends, a separator follows, or
// a blank, a quote, or a closing mark of the sentence ("." "," ";" ":" ")")
// that ends the word. "/a/b" does not stand in "/a/bc" or "/a/b.txt".
bool endsName(const std::string& text, std::size_t end) {
    if (end == text.size() || isSeparator(text[end]) || endsPathPart(text[end])) return true;
    const std::string closing = ".,;:)";
    if (closing.find(text[end]) == std::string::npos) return false;
    return end + 1 == text.size() || endsPathPart(text[end + 1]);
}

}  // namespace

void ShownPaths::add(const std::string& composed, const std::string& given) {
    if (composed.empty()) return;
    const std::string key = platform::withoutTrailingSeparator(composed);
    std::string shown = platform::nativePath(platform::withoutTrailingSeparator(given));
    paths_.erase(std::remove_if(paths_.begin(), paths_.end(), [&](const auto& p) { return p.first == key; }),
                 paths_.end());
    paths_.emplace_back(key, std::move(shown));
    std::stable_sort(paths_.begin(), paths_.end(),
                     [](const auto& a, const auto& b) { return a.first.size() > b.first.size(); });
}

std::string ShownPaths::apply(const std::string& text) const {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto match = std::find_if(paths_.begin(), paths_.end(), [&](const auto& p) {
            return text.compare(i, p.first.size(), p.first) == 0 && endsName(text, i + p.first.size());
        });
        if (match == paths_.end()) {
            out += text[i++];
            continue;
        }
        out += match->second;
        i += match->first.size();
        // The rest of the path below it: the system's separator.
        if (i < text.size() && isSeparator(text[i])) {
            std::size_t end = i;
            while (end < text.size() && !endsPathPart(text[end])) ++end;
            out += platform::nativePath(text.substr(i, end - i));
            i = end;
        }
    }
    return out;
}

}  // namespace console
