// The text side of the registry import: which converter lines are collected,
// and the delete-registry lines derived from them.
#include <cctype>
#include <string>
#include <vector>

#include "infaddon/registry_import.h"
#include "platform/ansi_text_file.h"

namespace infaddon {
namespace {

const char kLineBreak[] = "\r\n";

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string trimmed(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    return text.substr(begin, end - begin);
}

// The fields of one INF line as written (quotes kept), split at commas that
// stand outside quotes; a ";" outside quotes ends the line.
std::vector<std::string> rawFields(const std::string& line) {
    std::vector<std::string> fields;
    std::string current;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (!quoted && c == ';') break;
        if (!quoted && c == ',') {
            fields.push_back(trimmed(current));
            current.clear();
            continue;
        }
        current += c;
    }
    fields.push_back(trimmed(current));
    return fields;
}

// A field's value with the quotes taken away ("" inside quotes is one quote).
std::string fieldValue(const std::string& field) {
    std::string value;
    bool quoted = false;
    for (size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c == '"') {
            if (quoted && i + 1 < field.size() && field[i + 1] == '"') {
                value += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
            continue;
        }
        value += c;
    }
    return value;
}

unsigned long parseFlags(const std::string& field) {
    const std::string text = fieldValue(field);
    if (text.empty()) return 0;
    try {
        return std::stoul(text, nullptr, 0);
    } catch (...) {
        return 0;
    }
}

// Where a line continues on the next: the position of a "\" that ends it
// outside quotes and before any comment; npos when it does not continue.
size_t continuationMark(const std::string& line) {
    bool quoted = false;
    size_t end = line.size();
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        if (!quoted && line[i] == ';') {
            end = i;
            break;
        }
    }
    while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
    return end > 0 && line[end - 1] == '\\' ? end - 1 : std::string::npos;
}

// The lines as the setup engine reads them: a line ending in "\" joined with
// the next (its leading blanks dropped), so a value whose data runs over
// several lines is one line here.
std::vector<std::string> logicalLines(const std::vector<std::string>& lines) {
    std::vector<std::string> joined;
    std::string pending;
    bool continued = false;
    for (const std::string& line : lines) {
        if (continued) {
            size_t begin = 0;
            while (begin < line.size() && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
            pending += line.substr(begin);
        } else {
            pending = line;
        }
        const size_t mark = continuationMark(pending);
        continued = mark != std::string::npos;
        if (continued) {
            pending.erase(mark);
            continue;
        }
        joined.push_back(pending);
    }
    if (continued) joined.push_back(pending);
    return joined;
}

// AddReg flags of lines that do not set a value the package owns: the value
// is deleted, only the key is made, the value is set only where none was
// (NOCLOBBER), only where one was (OVERWRITEONLY), or strings are appended to
// a multi-string that was there before (APPEND). Uninstall leaves those alone.
const unsigned long kFlagsNotOwned = 0x00000002 | 0x00000004 | 0x00000008 | 0x00000010 | 0x00000020 | 0x00002000;

}  // namespace

std::string collectRegistryLines(const std::string& converterOutput) {
    std::string collected;
    bool collecting = false;
    for (const std::string& line : platform::splitLines(converterOutput)) {
        if (startsWith(line, "[Strings]")) collecting = false;
        if (collecting) collected += kLineBreak + line;
        if (endsWith(line, "_AddReg]")) collecting = true;
    }
    return collected;
}

std::string deriveDeleteRegistryLines(const std::string& registryLines) {
    std::string deletions;
    for (const std::string& line : logicalLines(platform::splitLines(registryLines))) {
        const std::string text = trimmed(line);
        if (text.empty() || text[0] == ';' || text[0] == '[') continue;
        const std::vector<std::string> fields = rawFields(text);
        if (fields.size() < 3 || fields[0].empty()) continue;
        if (fieldValue(fields[2]).empty()) continue;  // the default value stays, and with it the key
        const unsigned long flags = fields.size() > 3 ? parseFlags(fields[3]) : 0;
        if (flags & kFlagsNotOwned) continue;
        deletions += kLineBreak + fields[0] + "," + fields[1] + "," + fields[2];
    }
    return deletions;
}

}  // namespace infaddon
