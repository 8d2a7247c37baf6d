#include "platform/program_main.h"

#include <new>
#include <stdexcept>

namespace platform {

int runProgram(const char* programName, std::ostream& err, const std::function<int()>& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        err << programName << ": there is not enough memory for this work.\n";
    } catch (const std::exception& e) {
        err << programName << ": " << e.what() << "\n";
    } catch (...) {
        err << programName << ": an unexpected failure ended the program.\n";
    }
    return 1;
}

}  // namespace platform
