// What both sides of the code-page layer share.
#include "platform/code_page.h"

#include "platform/error.h"

namespace platform {

bool canEncode(unsigned codePage, std::string_view utf8) {
    try {
        encodeCodePage(codePage, utf8);
        return true;
    } catch (const Error& e) {
        if (e.kind() != ErrorKind::CodePage) throw;
        return false;
    }
}

}  // namespace platform
