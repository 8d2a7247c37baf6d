#include "tools/console/progress_line.h"

#include "platform/unicode.h"

namespace console {

namespace {

// East Asian wide characters take two cells of the terminal.
std::size_t cellsOf(char32_t c) {
    const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
                      (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                      (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
    return wide ? 2 : 1;
}

}  // namespace

std::string fitToColumns(const std::string& text, std::size_t columns, std::size_t& width) {
    width = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t next = pos;
        const std::size_t cells = cellsOf(platform::nextCodePoint(text, next));
        if (columns != 0 && width + cells > columns) break;
        width += cells;
        pos = next;
    }
    return text.substr(0, pos);
}

void ProgressLine::show(const std::string& text) {
    if (!shown_ || text == drawn_) return;
    const auto now = std::chrono::steady_clock::now();
    if (drawnWidth_ != 0 && now - lastDrawn_ < std::chrono::milliseconds(100)) return;
    // One cell is kept free: a line that fills the last column wraps on some terminals.
    std::size_t width = 0;
    const std::string fitted = fitToColumns(text, columns_ > 1 ? static_cast<std::size_t>(columns_ - 1) : 0, width);
    // Blanks over what the longer line before left; no escape sequences, so
    // every terminal and the Windows console draw it alike.
    stream_ << '\r' << fitted << std::string(drawnWidth_ > width ? drawnWidth_ - width : 0, ' ') << '\r' << fitted;
    stream_.flush();
    drawn_ = text;
    drawnWidth_ = width;
    lastDrawn_ = now;
}

void ProgressLine::clear() {
    if (!shown_ || drawnWidth_ == 0) return;
    stream_ << '\r' << std::string(drawnWidth_, ' ') << '\r';
    stream_.flush();
    drawnWidth_ = 0;
    drawn_.clear();
}

}  // namespace console
