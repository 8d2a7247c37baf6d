// One line on the terminal that tells how far a build got, drawn over
// itself as the counts change. It is drawn only where the console's
// messages reach a terminal; a file or a pipe gets none of it.
#pragma once

#include <chrono>
#include <ostream>
#include <string>

namespace console {

class ProgressLine {
public:
    // `columns` is the terminal's width (0: unknown); the line is cut to fit
    // it, since a line that wraps cannot be drawn over.
    ProgressLine(std::ostream& stream, bool shown, int columns) : stream_(stream), shown_(shown), columns_(columns) {}

    bool shown() const { return shown_; }
    // Draws the text in place of the line before. Changes come at most ten
    // times a second, so a fast scan does not spend its time drawing.
    void show(const std::string& text);
    // Takes the line away, so a message can be written in its place.
    void clear();

private:
    std::ostream& stream_;
    bool shown_;
    int columns_;
    std::size_t drawnWidth_ = 0;  // characters on the terminal now
    std::string drawn_;
    std::chrono::steady_clock::time_point lastDrawn_{};
};

// The text cut to at most `columns` terminal cells, a Chinese character
// taking two. Its width is stored in `width`.
std::string fitToColumns(const std::string& text, std::size_t columns, std::size_t& width);

}  // namespace console
