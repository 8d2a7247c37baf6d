#include "platform/terminal.h"

#include "platform/win32/wide.h"

namespace platform {

namespace {
HANDLE handleOf(StandardStream stream) {
    return GetStdHandle(stream == StandardStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}
}  // namespace

// A console answers GetConsoleMode; a file, a pipe or no handle at all does not.
bool isTerminal(StandardStream stream) {
    DWORD mode = 0;
    const HANDLE handle = handleOf(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

int terminalColumns(StandardStream stream) {
    CONSOLE_SCREEN_BUFFER_INFO info = {};
    if (!isTerminal(stream) || !GetConsoleScreenBufferInfo(handleOf(stream), &info)) return 0;
    return info.srWindow.Right - info.srWindow.Left + 1;
}

}  // namespace platform
