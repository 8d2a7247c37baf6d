// The .reg reader and the INF writer on arbitrary bytes: any input either
// converts or is refused with platform::Error, and a conversion's registry
// section is always followed directly by [Strings].
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/error.h"
#include "tools/reg2inf/reg2inf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string text;
    try {
        text = reg2inf::convertRegText(bytes, "fuzz.reg", reg2inf::ConvertOptions{true, true});
    } catch (const platform::Error&) {
        return 0;
    }
    const std::size_t header = text.find("_AddReg]\r\n");
    const std::size_t strings = text.rfind("[Strings]\r\n");
    if (header == std::string::npos || strings == std::string::npos || strings < header ||
        strings + 11 != text.size())
        std::abort();
    // No line between the two may start a section, or the import would stop early.
    const std::string body = text.substr(header, strings - header);
    if (body.find("\r\n[") != std::string::npos) std::abort();
    return 0;
}
