// The block list file's line rules.
#include <gtest/gtest.h>

#include "blocking/BlockListFormat.h"

namespace {

using Lines = std::vector<std::string>;

TEST(BlockListFormat, ReadsEveryLineAsItStandsButBlankOnes) {
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        // An empty or blank line would match every command without text.
        {"a\r\rb\r\n", {"a", "b"}},
        {"a\n\r\nb", {"a", "b"}},
        {"\r\n", {}},
        {" \t\x01\r\n \nz\r\n\x20", {"z"}},
        {" a.exe \r\n", {" a.exe "}},                     // nothing is trimmed
        {"a\r\na\r\n", {"a", "a"}},                       // duplicates stay
        {std::string("a\r\nb\0c\r\nd", 10), {"a", "b"}},  // a NUL ends the file
        {std::string("\0a", 2), {}},
        // A line as older versions wrote it is in the ANSI code page (here
        // Windows-1252); one behind a byte order mark is UTF-8.
        {"\xE4\xFF\x80 x\r\n", {"\xC3\xA4\xC3\xBF\xE2\x82\xAC x"}},
        {"\xEF\xBB\xBF\xD0\x9F\xF0\x9F\x98\x80.exe\r\n\xC4\r\n", {"\xD0\x9F\xF0\x9F\x98\x80.exe", "\xC3\x84"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseBlockListBytes(c.bytes), c.lines) << c.bytes;
}

TEST(BlockListFormat, WritesCrLfAfterEveryLineButBlankOnesAndReadsItBack) {
    EXPECT_EQ(BlockListBytes({}), "");
    EXPECT_EQ(BlockListBytes({"a", "", "b c", " \t"}), "a\r\nb c\r\n");
    // What the code page holds stays in it, as older versions read it; the rest is marked UTF-8.
    const std::vector<std::string> mixed = {"\xC3\x84rger.exe", "\xD0\x9F.exe"};
    EXPECT_EQ(BlockListBytes(mixed), "\xC4rger.exe\r\n\xEF\xBB\xBF\xD0\x9F.exe\r\n");
    EXPECT_EQ(ParseBlockListBytes(BlockListBytes(mixed)), mixed);
    const Lines lines = {"C:\\x.exe /q", " x ", std::string(100000, 'z'), "\x01\x7F\xA0\xFF"};
    EXPECT_EQ(ParseBlockListBytes(BlockListBytes(lines)), lines);
}

TEST(BlockListFormat, OnlyTextWithoutLineBreaksFitsOnOneLine) {
    EXPECT_TRUE(FitsOnOneLine("C:\\a b.exe \x01\xFF"));
    EXPECT_TRUE(FitsOnOneLine(""));
    EXPECT_FALSE(FitsOnOneLine("a\rC:\\Windows\\explorer.exe"));
    EXPECT_FALSE(FitsOnOneLine("a\nb"));
    EXPECT_FALSE(FitsOnOneLine(std::string("a\0b", 3)));
}

TEST(BlockListFormat, OnlyBytesUpToThirtyTwoMakeABlankLine) {
    EXPECT_TRUE(IsBlankLine(""));
    EXPECT_TRUE(IsBlankLine(std::string(" \t\x01\x1F\x20\0", 6)));
    EXPECT_FALSE(IsBlankLine(" x "));
    EXPECT_FALSE(IsBlankLine("\x7F"));
    EXPECT_FALSE(IsBlankLine("\xA0"));
}

}  // namespace
