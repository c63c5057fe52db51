#include "system/Utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(Utf8, EveryScriptGoesToSixteenBitsAndBackUnchanged) {
    const struct {
        std::string utf8;
        std::u16string utf16;
    } cases[] = {
        {"", u""},
        {"Run", u"Run"},
        {"caf\xC3\xA9", u"caf\u00E9"},
        {"\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB2\xD0\xB5\xD1\x80\xD0\xBA\xD0\xB0", u"\u041F\u0440\u043E\u0432\u0435\u0440\u043A\u0430"},
        {"\xCE\xB1\xCE\xB2", u"\u03B1\u03B2"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", u"\u65E5\u672C"},
        {"\xF0\x9F\x98\x80!", u"\U0001F600!"},  // a surrogate pair
        {"a\xED\xA0\x80z", std::u16string{u'a', char16_t(0xD800), u'z'}},  // lone high surrogate
        {"\xED\xB0\x80", std::u16string{char16_t(0xDC00)}},                // lone low surrogate
        {std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.utf8));
        EXPECT_TRUE(IsWtf8(c.utf8));
        EXPECT_EQ(Utf16FromUtf8(c.utf8), c.utf16);
        EXPECT_EQ(Utf8FromUtf16(c.utf16), c.utf8);
    }
    EXPECT_TRUE(HoldsLoneSurrogate("a\xED\xA0\x80z"));
    EXPECT_FALSE(HoldsLoneSurrogate("\xF0\x9F\x98\x80"));
}

TEST(Utf8, BytesThatAreNotUtf8ReadAsReplacementOneByteAtATime) {
    const struct {
        std::string bytes;
        std::u16string read;
    } cases[] = {
        {"caf\xE9", u"caf\uFFFD"},                         // a Windows-1252 byte
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                     // overlong slash
        {"\xE2\x82", u"\uFFFD\uFFFD"},                     // cut short at the end
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // above U+10FFFF
        {"\xFF", u"\uFFFD"},
        // A pair written as two three-byte forms would come back as the four-byte form.
        {"\xED\xA0\xBD\xED\xB8\x80", std::u16string{0xFFFD, 0xFFFD, 0xFFFD, char16_t(0xDE00)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_FALSE(IsWtf8(c.bytes));
        EXPECT_EQ(Utf16FromUtf8(c.bytes), c.read);
    }
}

TEST(Utf8, AnUnpairedHighSurrogateAtTheEndOfSixteenBitTextStaysAlone) {
    const std::u16string units{u'x', char16_t(0xD83D)};
    EXPECT_EQ(Utf8FromUtf16(units), "x\xED\xA0\xBD");
    EXPECT_EQ(Utf16FromUtf8(Utf8FromUtf16(units)), units);
}

}  // namespace
