#include "infaddon/inf_syntax.h"

namespace infaddon {

bool NeedsInfQuotes(const std::string& text) {
    if (text.find_first_of(",;=\"") != std::string::npos) return true;
    if (text.empty()) return false;
    // A line that begins with "[" is read as a section header.
    if (text.front() == '[') return true;
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    return isBlank(text.front()) || isBlank(text.back());
}

std::string EscapeInfPercent(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

std::string InfQuotedContent(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : EscapeInfPercent(text)) {
        out += c;
        if (c == '"') out += '"';
    }
    return out;
}

std::string InfField(const std::string& text) {
    if (NeedsInfQuotes(text)) return "\"" + InfQuotedContent(text) + "\"";
    return EscapeInfPercent(text);
}

}  // namespace infaddon
