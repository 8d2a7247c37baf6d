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

// The program's text is UTF-8. Where std::cout or std::cerr reaches a
// console window, a Windows console would show those bytes in its own code
// page and Chinese would come out garbled: there the text is handed to the
// console as characters. A stream redirected to a file or a pipe gets the
// bytes as written. On POSIX terminals take UTF-8 as it is: nothing changes.
// Called once, at the start of a console program.
void writeTextToConsoleAsCharacters();

}  // namespace platform
