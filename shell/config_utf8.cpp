#include "shell/config_utf8.h"

#include "platform/ansi_text_file.h"
#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"

namespace shell {

void ConvertConfigToUtf8(const MessageTexts& texts) {
    const std::string path = platform::joinPath(platform::programFolder(), "config.txt");
    if (!platform::fileExists(path)) return;
    const std::string bytes = platform::readFile(path);
    // Written as UTF-8 already, where the ANSI code page could not hold it.
    if (platform::startsWithUtf8Bom(bytes)) return;
    std::string text;
    try {
        // Strict: the file was written in this code page a moment ago, so a
        // byte it cannot read means something else wrote it.
        text = platform::decodeAnsi(bytes, /*lenient=*/false);
    } catch (const platform::Error& error) {
        throw platform::Error(platform::ErrorKind::CodePage,
                              texts.text(MessageKey::ConfigNotUtf8, {path, error.what()}));
    }
    platform::writeFileAtomic(path, "\xEF\xBB\xBF" + text);
}

}  // namespace shell
