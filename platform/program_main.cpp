#include "platform/program_main.h"

#include <new>
#include <stdexcept>

#include "platform/process.h"

namespace platform {

int runProgram(const char* programName, std::ostream& err, const std::function<int()>& body) {
    return runProgram(programName, err, body, ProgramFailureWords());
}

int runProgram(const char* programName, std::ostream& err, const std::function<int()>& body,
               const ProgramFailureWords& words) {
    int status = 1;
    try {
        status = body();
    } catch (const std::bad_alloc&) {
        err << programName << ": " << words.outOfMemory << "\n";
    } catch (const std::exception& e) {
        std::string account = e.what();
        try {
            if (words.describe) account = words.describe(e);
        } catch (...) {
        }
        err << programName << ": " << account << "\n";
    } catch (...) {
        err << programName << ": " << words.unexpectedFailure << "\n";
    }
    // An interrupt being handled ends the program once its paths are gone.
    waitOutAnInterrupt();
    return status;
}

}  // namespace platform
