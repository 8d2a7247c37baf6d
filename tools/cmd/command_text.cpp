#include "tools/cmd/command_text.h"

#include <cctype>

#include "platform/unicode.h"

namespace batch {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isSwitchText(const std::string& t) {
    std::size_t i = 1;
    if (t.size() > i && t[i] == '-') ++i;
    if (i >= t.size() || !isAsciiLetter(t[i])) return false;
    ++i;
    return i == t.size() || t[i] == ':';
}

// "/s/q" as "/s" and "/q"; nothing when the text is no such run of switches.
std::vector<Word> splitJoinedSwitches(const std::string& text) {
    if (text.size() < 4 || text[0] != '/' || text.find('/', 1) == std::string::npos) return {};
    std::vector<Word> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('/', start + 1);
        if (end == std::string::npos) end = text.size();
        Word piece;
        piece.text = text.substr(start, end - start);
        if (!isSwitchText(piece.text)) return {};
        out.push_back(piece);
        start = end;
    }
    return out;
}

}  // namespace

CommandParts splitCommandWord(std::string_view command) {
    std::size_t i = 0;
    while (i < command.size() && isBlank(command[i])) ++i;
    const std::size_t start = i;
    bool quoted = false;
    while (i < command.size() && (quoted || !isBlank(command[i]))) {
        if (command[i] == '"') quoted = !quoted;
        ++i;
    }
    CommandParts parts;
    parts.word = std::string(command.substr(start, i - start));
    if (i < command.size()) ++i;  // the one delimiter after the word
    parts.rest = std::string(command.substr(i));
    return parts;
}

std::vector<Word> splitWords(std::string_view text, bool plusSeparates) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (true) {
        while (i < text.size() && isBlank(text[i])) ++i;
        if (i >= text.size()) break;
        if (plusSeparates && text[i] == '+') {
            Word plus;
            plus.text = "+";
            plus.plus = true;
            words.push_back(plus);
            ++i;
            continue;
        }
        Word word;
        bool quoted = false;
        while (i < text.size()) {
            const char c = text[i];
            if (!quoted && (isBlank(c) || (plusSeparates && c == '+'))) break;
            if (c == '"') {
                quoted = !quoted;
                word.quoted = true;
            } else {
                word.text += c;
            }
            ++i;
        }
        // "/s/q" is two switches.
        const std::vector<Word> switches = word.quoted ? std::vector<Word>() : splitJoinedSwitches(word.text);
        if (switches.empty()) words.push_back(word);
        else words.insert(words.end(), switches.begin(), switches.end());
    }
    return words;
}

bool isSwitch(const Word& word) {
    return !word.quoted && word.text.size() >= 2 && word.text[0] == '/' && isSwitchText(word.text);
}

std::string switchName(const Word& word) { return platform::asciiLower(word.text.substr(1)); }

std::string expandBatchLine(std::string_view line, const std::vector<std::string>& arguments,
                            const VariableLookup& lookup) {
    const auto argument = [&](char digit) {
        const std::size_t n = static_cast<std::size_t>(digit - '0');
        return n < arguments.size() ? arguments[n] : std::string();
    };
    std::string out;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] != '%') {
            out += line[i++];
            continue;
        }
        const char next = i + 1 < line.size() ? line[i + 1] : '\0';
        if (next == '%') {
            out += '%';
            i += 2;
        } else if (std::isdigit(static_cast<unsigned char>(next))) {
            out += argument(next);
            i += 2;
        } else if (next == '~' && i + 2 < line.size() && std::isdigit(static_cast<unsigned char>(line[i + 2]))) {
            out += removeQuotes(argument(line[i + 2]));
            i += 3;
        } else if (next == '*') {
            for (std::size_t a = 1; a < arguments.size(); ++a) out += (a > 1 ? " " : "") + arguments[a];
            i += 2;
        } else {
            const std::size_t close = line.find('%', i + 1);
            if (close == std::string_view::npos) {
                ++i;  // a "%" that closes nothing is dropped
                continue;
            }
            std::string value;
            if (lookup(std::string(line.substr(i + 1, close - i - 1)), value)) out += value;
            i = close + 1;
        }
    }
    return out;
}

std::string expandCommandText(std::string_view text, const VariableLookup& lookup) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '%') {
            const std::size_t close = text.find('%', i + 1);
            std::string value;
            if (close != std::string_view::npos && close > i + 1 &&
                lookup(std::string(text.substr(i + 1, close - i - 1)), value)) {
                out += value;
                i = close + 1;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

std::string removeQuotes(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '"') out += c;
    return out;
}

}  // namespace batch
