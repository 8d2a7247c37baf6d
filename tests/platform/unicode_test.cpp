// Text handed on in pieces (a console that takes characters, not bytes) must
// never be cut inside a character, and must not hold back what is whole.
#include <gtest/gtest.h>

#include "platform/unicode.h"

namespace {

using platform::completeUtf8Length;

TEST(CompleteUtf8Length, KeepsBackOnlyTheStartOfACharacterStillToCome) {
    const std::string chinese = "中文";  // two characters of three bytes each
    const std::string emoji = "\xF0\x9F\x98\x80";
    EXPECT_EQ(completeUtf8Length(""), 0u);
    EXPECT_EQ(completeUtf8Length("plain text\n"), 11u);
    EXPECT_EQ(completeUtf8Length(chinese), 6u);
    // Every cut inside the second character keeps the first.
    EXPECT_EQ(completeUtf8Length(chinese.substr(0, 4)), 3u);
    EXPECT_EQ(completeUtf8Length(chinese.substr(0, 5)), 3u);
    EXPECT_EQ(completeUtf8Length("a" + emoji.substr(0, 1)), 1u);
    EXPECT_EQ(completeUtf8Length("a" + emoji.substr(0, 3)), 1u);
    EXPECT_EQ(completeUtf8Length("a" + emoji), 5u);
    EXPECT_EQ(completeUtf8Length("\xC3\xA9"), 2u);
    EXPECT_EQ(completeUtf8Length("x\xC3"), 1u);
}

TEST(CompleteUtf8Length, HandsOnInvalidBytesRatherThanHoldingThemForever) {
    EXPECT_EQ(completeUtf8Length("\x80\x80"), 2u);                // no first byte at all
    EXPECT_EQ(completeUtf8Length("a\x80\x80\x80\x80"), 5u);       // more continuation bytes than a character has
    EXPECT_EQ(completeUtf8Length("a\xFF"), 2u);                   // a byte no character starts with
    EXPECT_EQ(completeUtf8Length("\xE4\xB8\xAD\xE4\xB8\xAD\x80"), 7u);  // a stray byte after whole characters
}

}  // namespace
