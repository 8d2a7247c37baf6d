// Code pages through the system's own tables (WideCharToMultiByte), with best
// fit switched off: a character the code page lacks is an error, never "?".
#include "platform/code_page.h"

#include <cstdio>

#include "platform/error.h"
#include "platform/win32/wide.h"

namespace platform {

unsigned ansiCodePage() { return GetACP(); }
unsigned oemCodePage() { return GetOEMCP(); }

namespace {

bool encodes(unsigned codePage, const std::wstring& w, std::string* out) {
    if (w.empty()) return true;
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), nullptr,
                                      0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return false;
    if (out) {
        out->resize(static_cast<std::size_t>(n));
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, w.data(), static_cast<int>(w.size()), &(*out)[0], n,
                            nullptr, &usedDefault);
    }
    return true;
}

// A Windows XP without the files for East Asian languages has no table for
// code page 936: every character would seem unencodable, so say what is missing.
void requireTable(unsigned codePage) {
    if (codePage == CP_ACP || codePage == CP_OEMCP || IsValidCodePage(codePage)) return;
    throw Error(ErrorKind::CodePage,
                "This Windows has no conversion table for code page " + std::to_string(codePage) +
                    ". On Windows XP, install the files for East Asian languages (Control Panel, Regional and "
                    "Language Options, Languages), then try again.");
}

}  // namespace

std::string encodeCodePage(unsigned codePage, std::string_view utf8) {
    if (codePage == CP_UTF8) return std::string(utf8);
    requireTable(codePage);
    std::string out;
    if (encodes(codePage, wide(std::string(utf8)), &out)) return out;
    // Find the first character the code page cannot hold, to name it.
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        const char32_t cp = nextCodePoint(utf8, pos);
        if (!encodes(codePage, wide(std::string(utf8.substr(start, pos - start))), nullptr))
            throw Error(UnencodableText{textExcerpt(utf8), describeCodePoint(cp), codePage});
    }
    throw Error(ErrorKind::CodePage, "The text \"" + textExcerpt(utf8) + "\" cannot be written in code page " +
                                         std::to_string(codePage) + ".");
}

namespace {

bool decodeStrict(unsigned codePage, std::string_view bytes, std::string& out) {
    const int n =
        MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n <= 0) return false;
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), &w[0], n);
    out += narrow(w);
    return true;
}

}  // namespace

std::string decodeCodePage(unsigned codePage, std::string_view bytes, bool lenient) {
    if (codePage != CP_UTF8) requireTable(codePage);
    std::string out;
    if (bytes.empty() || decodeStrict(codePage, bytes, out)) return out;
    if (!lenient)
        throw Error(ErrorKind::CodePage, "The text holds bytes that are no characters of code page " +
                                             std::to_string(codePage) + ".");
    // Character by character, so that each bad byte becomes one U+FFFD, as on
    // the other systems.
    out.clear();
    for (std::size_t i = 0; i < bytes.size();) {
        const bool lead = codePage != CP_UTF8 && IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[i])) &&
                          i + 1 < bytes.size();
        std::size_t length = lead ? 2 : 1;
        if (codePage == CP_UTF8) {
            std::size_t pos = i;
            nextCodePoint(bytes, pos);
            length = pos - i;
        }
        if (!decodeStrict(codePage, bytes.substr(i, length), out)) {
            appendUtf8(out, 0xFFFD);
            length = 1;
        }
        i += length;
    }
    return out;
}

std::string encodeAnsi(std::string_view utf8) { return encodeCodePage(ansiCodePage(), utf8); }
std::string decodeAnsi(std::string_view bytes, bool lenient) { return decodeCodePage(ansiCodePage(), bytes, lenient); }

}  // namespace platform
