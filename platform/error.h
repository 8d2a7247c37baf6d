// The one error type of the system: a kind for callers that branch on it, and
// a sentence for the user that says what failed, on which file, and why.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

enum class ErrorKind {
    FileNotFound,   // a file, folder or program that is not there
    Io,             // the system refused a read, write, copy, delete or rename
    CodePage,       // a text the ANSI code page cannot hold, or bytes it cannot read
    BadInput,       // input the user or a tool handed over that cannot be used
};

class Error : public std::runtime_error {
public:
    Error(ErrorKind kind, const std::string& message)
        : std::runtime_error(message), kind_(kind) {}
    ErrorKind kind() const { return kind_; }

private:
    ErrorKind kind_;
};

}  // namespace platform
