// A text file "in the system ANSI code page": every written value is followed
// by CR LF, no byte-order mark. The whole text is encoded before any byte is
// written, and the file is written beside its target and renamed over it, so a
// text the code page cannot hold leaves the old file (or none) untouched.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

class AnsiTextFile {
public:
    explicit AnsiTextFile(std::string path) : path_(std::move(path)) {}

    // Writes the value and CR LF. Writing "\r\n" as a value gives two line breaks.
    void writeLine(std::string_view value = {});
    // Writes text without a line end.
    void write(std::string_view text) { text_ += text; }

    const std::string& text() const { return text_; }  // UTF-8, as written so far
    const std::string& path() const { return path_; }

    // Encodes and writes the file. Throws platform::Error; the target is then unchanged.
    void commit() const;

private:
    std::string path_;
    std::string text_;
};

// Encodes `utf8` and writes it to `path` as a whole (beside, then renamed).
void writeAnsiFile(const std::string& path, std::string_view utf8);
// Reads a file in the ANSI code page as UTF-8 (lenient decoding).
std::string readAnsiFile(const std::string& path);

// The UTF-8 byte-order mark. A work file that starts with it is UTF-8: the
// form the project's own tools read where the system's code pages cannot
// hold a text (the system's tools read their code page and would take the
// mark for text).
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
bool startsWithUtf8Bom(std::string_view bytes);
// Reads a text file as UTF-8: after a byte-order mark as UTF-8, otherwise in
// the ANSI code page (both lenient).
std::string readTextFile(const std::string& path);

// A text's lines without their LF or CR LF, as a text file is read line by
// line: text after the last LF is a line of its own, nothing after it is none.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace platform
