// The directive-file reader on any bytes: decoded as the ANSI code page
// (936), parsed with its directives applied. It either gives file lines with
// a source and a stored name, or a platform::Error; nothing else.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/code_page.h"
#include "platform/error.h"
#include "tools/makecab/directive_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    try {
        const std::string text = platform::decodeCodePage(936, bytes, true);
        makecab::Variables variables;
        for (const makecab::FileLine& line : makecab::parseDirectiveText(text, "fuzz.txt", variables)) {
            if (line.source.empty() || line.storedName.empty() || line.lineNumber < 1) std::abort();
        }
        makecab::settingsFrom(variables);
    } catch (const platform::Error&) {
    }
    return 0;
}
