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
        {"\xE4\xFF\x80 x\r\n", {"\xE4\xFF\x80 x"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseBlockListBytes(c.bytes), c.lines) << c.bytes;
}

TEST(BlockListFormat, WritesCrLfAfterEveryLineButBlankOnesAndReadsItBack) {
    EXPECT_EQ(BlockListBytes({}), "");
    EXPECT_EQ(BlockListBytes({"a", "", "b c", " \t"}), "a\r\nb c\r\n");
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
