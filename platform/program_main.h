// The body of every command-line program runs inside runProgram: whatever it
// throws (a current folder that cannot be read, memory that runs out, an
// error of the system) becomes one message naming the program and a
// non-zero exit status, never an abort.
#pragma once

#include <exception>
#include <functional>
#include <ostream>
#include <string>

namespace platform {

// How runProgram words what ended the body. The built-in words are English;
// a program that speaks the user's language puts its own in as soon as it
// knows the language.
struct ProgramFailureWords {
    std::string outOfMemory = "there is not enough memory for this work.";
    std::string unexpectedFailure = "an unexpected failure ended the program.";
    // An exception's account; empty: its what().
    std::function<std::string(const std::exception&)> describe;
};

// The body's status, or 1 after a message on `err` when it throws.
int runProgram(const char* programName, std::ostream& err, const std::function<int()>& body);
// The same in `words`, which the body may change while it runs.
int runProgram(const char* programName, std::ostream& err, const std::function<int()>& body,
               const ProgramFailureWords& words);

}  // namespace platform
