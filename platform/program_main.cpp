#include "platform/program_main.h"

#include <new>
#include <stdexcept>

#include "platform/process.h"

namespace platform {

int runProgram(const char* programName, std::ostream& err, const std::function<int()>& body) {
    int status = 1;
    try {
        status = body();
    } catch (const std::bad_alloc&) {
        err << programName << ": there is not enough memory for this work.\n";
    } catch (const std::exception& e) {
        err << programName << ": " << e.what() << "\n";
    } catch (...) {
        err << programName << ": an unexpected failure ended the program.\n";
    }
    // An interrupt being handled ends the program once its paths are gone.
    waitOutAnInterrupt();
    return status;
}

}  // namespace platform
