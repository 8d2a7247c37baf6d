#include "platform/terminal.h"

#include <iostream>
#include <streambuf>
#include <string>

#include "platform/unicode.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {
HANDLE handleOf(StandardStream stream) {
    return GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

// Collects the UTF-8 bytes written to a stream and hands whole characters
// to the console; a character cut between two writes waits for its end.
class ConsoleCharacterBuffer : public std::streambuf {
public:
    explicit ConsoleCharacterBuffer(HANDLE console) : console_(console) {}

protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) {
            pending_ += static_cast<char>(c);
            if (c == '\n' || pending_.size() >= 4096) writeWhole();
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* bytes, std::streamsize count) override {
        pending_.append(bytes, static_cast<std::size_t>(count));
        writeWhole();
        return count;
    }
    int sync() override {
        writeWhole();
        return 0;
    }

private:
    void writeWhole() {
        const std::size_t whole = completeUtf8Length(pending_);
        if (whole == 0) return;
        const std::wstring text = wide(pending_.substr(0, whole));
        pending_.erase(0, whole);
        const wchar_t* next = text.data();
        DWORD left = static_cast<DWORD>(text.size());
        while (left > 0) {
            DWORD written = 0;
            if (!WriteConsoleW(console_, next, left, &written, nullptr) || written == 0) return;
            next += written;
            left -= written;
        }
    }

    HANDLE console_;
    std::string pending_;
};

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

void writeToConsoleIfOne(std::ostream& stream, StandardStream which) {
    const HANDLE handle = handleOf(which);
    if (!isConsole(handle)) return;
    stream.flush();
    // Never freed: the stream writes through it until the program's very
    // end, after every destructor of ours has run.
    stream.rdbuf(new ConsoleCharacterBuffer(handle));
}

}  // namespace

void writeTextToConsoleAsCharacters() {
    writeToConsoleIfOne(std::cout, StandardStream::Output);
    writeToConsoleIfOne(std::cerr, StandardStream::Error);
}

// A console answers GetConsoleMode; a file, a pipe or no handle at all does not.
bool isTerminal(StandardStream stream) { return isConsole(handleOf(stream)); }

int terminalColumns(StandardStream stream) {
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    if (!isTerminal(stream) || !GetConsoleScreenBufferInfo(handleOf(stream), &info)) return 0;
    return info.srWindow.Right - info.srWindow.Left + 1;
}

}  // namespace platform
