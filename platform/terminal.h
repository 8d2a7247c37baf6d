// Whether the program's standard streams reach a person at a terminal, and
// how wide that terminal is: a console front end draws a progress line only
// there, and never into a file or a pipe a script reads.
#pragma once

namespace platform {

enum class StandardStream { Output, Error };

// True when the stream is a terminal (POSIX) or a console window (Windows).
bool isTerminal(StandardStream stream);
// The terminal's width in characters; 0 when the stream is no terminal or
// the system does not tell.
int terminalColumns(StandardStream stream);

}  // namespace platform
