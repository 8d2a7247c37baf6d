#include "platform/ansi_text_file.h"

#include "platform/code_page.h"
#include "platform/file_system.h"

namespace platform {

void AnsiTextFile::writeLine(std::string_view value) {
    text_ += value;
    text_ += "\r\n";
}

void AnsiTextFile::commit() const { writeAnsiFile(path_, text_); }

void writeAnsiFile(const std::string& path, std::string_view utf8) {
    const std::string bytes = encodeAnsi(utf8);  // throws before anything is written
    writeFileAtomic(path, bytes);
}

std::string readAnsiFile(const std::string& path) { return decodeAnsi(readFile(path)); }

bool startsWithUtf8Bom(std::string_view bytes) { return bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom; }

std::string readTextFile(const std::string& path) {
    const std::string bytes = readFile(path);
    if (startsWithUtf8Bom(bytes)) return decodeCodePage(65001, std::string_view(bytes).substr(kUtf8Bom.size()));
    return decodeAnsi(bytes);
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

}  // namespace platform
