// Windows: extrac32 unpacks cabinets (Wine has it too); programs' output is
// read through the C runtime's pipe, which runs cmd.exe.
#include "tests/support/outside_tools.h"

#include <cstdio>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/unicode.h"

namespace testsupport {

std::vector<std::string> cabinetDecoders() { return {"extrac32"}; }

int unpackCabinet(const std::string&, const std::string& cabinet, const std::string& folder) {
    platform::createFolders(folder);
    return runToEnd("extrac32.exe /y /e /l " + platform::quoteArgument(folder) + " " +
                    platform::quoteArgument(cabinet));
}

std::string outputOf(const std::vector<std::string>& arguments) {
    std::string line;
    for (const auto& argument : arguments) line += (line.empty() ? "" : " ") + platform::quoteArgument(argument);
    // cmd /c takes the outer quotes away again, whatever quotes the line holds.
    const std::u16string command = platform::utf8ToUtf16("\"" + line + "\"");
    std::FILE* pipe = _wpopen(reinterpret_cast<const wchar_t*>(command.c_str()), L"rb");
    if (!pipe) return {};
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    _pclose(pipe);
    return platform::decodeCodePage(platform::oemCodePage(), text);
}

}  // namespace testsupport
