// Code pages through iconv: glibc's CP936 is Windows' code page 936 (GBK with
// the euro sign at 0x80), the code page the shipped Chinese texts use.
#include "platform/code_page.h"

#include <cerrno>
#include <cstdio>
#include <iconv.h>

#include "platform/error.h"
#include "platform/unicode.h"

namespace platform {

unsigned ansiCodePage() { return 936; }
unsigned oemCodePage() { return 936; }

namespace {

std::string iconvName(unsigned codePage) {
    if (codePage == 65001) return "UTF-8";
    return "CP" + std::to_string(codePage);
}

class Converter {
public:
    Converter(const std::string& to, const std::string& from) : cd_(iconv_open(to.c_str(), from.c_str())) {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw Error(ErrorKind::CodePage, "This system cannot convert text between " + from + " and " + to + ".");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns the number of input bytes used.
    std::size_t convert(std::string_view in, std::string& out, int& error) {
        char* inPtr = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char buffer[4096];
        error = 0;
        while (inLeft > 0) {
            char* outPtr = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, sizeof buffer - outLeft);
            if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
                error = errno;
                break;
            }
        }
        return in.size() - inLeft;
    }

    void reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t cd_;
};

}  // namespace

std::string encodeCodePage(unsigned codePage, std::string_view utf8) {
    if (codePage == 65001) return std::string(utf8);
    Converter conv(iconvName(codePage), "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    int error = 0;
    const std::size_t used = conv.convert(utf8, out, error);
    if (error) {
        std::size_t pos = used;
        const char32_t cp = nextCodePoint(utf8, pos);
        throw Error(UnencodableText{textExcerpt(utf8), describeCodePoint(cp), codePage});
    }
    return out;
}

std::string decodeCodePage(unsigned codePage, std::string_view bytes, bool lenient) {
    if (codePage == 65001) {
        if (!lenient && !isValidUtf8(bytes))
            throw Error(ErrorKind::CodePage, "The text is not valid UTF-8.");
        std::string out;
        std::size_t pos = 0;
        while (pos < bytes.size()) appendUtf8(out, nextCodePoint(bytes, pos));
        return out;
    }
    Converter conv("UTF-8", iconvName(codePage));
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        int error = 0;
        offset += conv.convert(bytes.substr(offset), out, error);
        if (!error) break;
        if (!lenient)
        {
            char hex[8];
            std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(bytes[offset]));
            throw Error(ErrorKind::CodePage, std::string("The byte ") + hex + " at offset " + std::to_string(offset) +
                                                 " is no character of code page " + std::to_string(codePage) + ".");
        }
        appendUtf8(out, 0xFFFD);
        ++offset;
        conv.reset();
    }
    return out;
}

std::string encodeAnsi(std::string_view utf8) { return encodeCodePage(ansiCodePage(), utf8); }
std::string decodeAnsi(std::string_view bytes, bool lenient) { return decodeCodePage(ansiCodePage(), bytes, lenient); }

}  // namespace platform
