#include "platform/terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace platform {

namespace {
int descriptorOf(StandardStream stream) { return stream == StandardStream::Output ? STDOUT_FILENO : STDERR_FILENO; }
}  // namespace

bool isTerminal(StandardStream stream) { return ::isatty(descriptorOf(stream)) == 1; }

int terminalColumns(StandardStream stream) {
    if (!isTerminal(stream)) return 0;
    winsize size = {};
    if (::ioctl(descriptorOf(stream), TIOCGWINSZ, &size) != 0) return 0;
    return size.ws_col;
}

void writeTextToConsoleAsCharacters() {}

}  // namespace platform
