#include "infaddon/inf_syntax.h"

namespace infaddon {

bool needsInfQuotes(const std::string& text) {
    if (text.find_first_of(",;=\"") != std::string::npos) return true;
    if (text.empty()) return false;
    // A line that begins with "[" is read as a section header.
    if (text.front() == '[') return true;
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    return isBlank(text.front()) || isBlank(text.back());
}

std::string escapeInfPercent(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

std::string infQuotedContent(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : escapeInfPercent(text)) {
        out += c;
        if (c == '"') out += '"';
    }
    return out;
}

std::string infField(const std::string& text) {
    if (needsInfQuotes(text)) return "\"" + infQuotedContent(text) + "\"";
    return escapeInfPercent(text);
}

}  // namespace infaddon
