#include "shell/package_text_file.h"

#include "platform/code_page.h"
#include "platform/error.h"
#include "platform/file_system.h"

namespace shell {

namespace {

// The encoder names the text it was handed; for a whole file that is only its
// first line. Encoding line by line finds the line the user has to change.
[[noreturn]] void throwNamingLine(const std::string& path, const std::string& utf8, const platform::Error& whole,
                                  const MessageTexts& texts) {
    std::size_t start = 0;
    while (start <= utf8.size()) {
        std::size_t end = utf8.find("\r\n", start);
        if (end == std::string::npos) end = utf8.size();
        try {
            platform::encodeCodePage(kPackageCodePage, std::string_view(utf8).substr(start, end - start));
        } catch (const platform::Error& line) {
            throw platform::Error(platform::ErrorKind::CodePage,
                                  texts.text(MessageKey::PackageTextNotWritten, {platform::baseName(path), line.what()}));
        }
        start = end + 2;
    }
    throw whole;
}

std::string encoded(const std::string& path, const std::string& utf8, const MessageTexts& texts) {
    try {
        return platform::encodeCodePage(kPackageCodePage, utf8);
    } catch (const platform::Error& e) {
        if (e.kind() != platform::ErrorKind::CodePage) throw;
        throwNamingLine(path, utf8, e, texts);
    }
}

}  // namespace

void checkPackageText(const std::string& path, const std::string& utf8, const MessageTexts& texts) {
    encoded(path, utf8, texts);
}

void writePackageTextFile(const std::string& path, const std::string& utf8) {
    platform::writeFileAtomic(path, encoded(path, utf8, kBuiltInTexts));
}

}  // namespace shell
