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

}  // namespace platform
