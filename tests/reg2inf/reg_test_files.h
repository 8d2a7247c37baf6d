// Building .reg files and expected INF bytes for the converter tests.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/unicode.h"

namespace regtest {

// The lines, each followed by `lineEnd`.
inline std::string joinLines(std::initializer_list<std::string> lines, const std::string& lineEnd = "\r\n") {
    std::string text;
    for (const std::string& line : lines) text += line + lineEnd;
    return text;
}

// UTF-8 text as regedit saves a version 5.00 file: UTF-16LE after FF FE.
inline std::string utf16LeFile(const std::string& utf8, bool withMark = true) {
    std::string bytes = withMark ? "\xFF\xFE" : "";
    for (char16_t unit : platform::utf8ToUtf16(utf8)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

inline std::string cp936(const std::string& utf8) { return platform::encodeCodePage(936, utf8); }

class TempFolder : public ::testing::Test {
protected:
    void SetUp() override { folder = platform::makeTemporaryFolder("tolvane-reg2inf"); }
    void TearDown() override { platform::removeFolderTree(folder); }
    std::string path(const std::string& name) const { return platform::joinPath(folder, name); }
    std::string write(const std::string& name, const std::string& bytes) const {
        platform::writeFileAtomic(path(name), bytes);
        return path(name);
    }
    std::string folder;
};

// The converter writes in the ANSI code page; the expectations are in 936.
#define REQUIRE_CODE_PAGE_936()                                                                       \
    if (platform::ansiCodePage() != 936) GTEST_SKIP() << "the ANSI code page here is " << platform::ansiCodePage()

}  // namespace regtest
