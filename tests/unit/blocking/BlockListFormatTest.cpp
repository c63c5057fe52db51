// The block list file's line rules.
#include <gtest/gtest.h>

#include "blocking/BlockListFormat.h"

namespace {

using Lines = std::vector<std::string>;

TEST(BlockListFormat, ReadsEveryLineAsItStands) {
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\r\rb\r\n", {"a", "", "b"}},  // CR CR is an empty line in between
        {"a\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {" a.exe \r\n", {" a.exe "}},                     // nothing is trimmed
        {"a\r\na\r\n", {"a", "a"}},                       // duplicates stay
        {std::string("a\r\nb\0c\r\nd", 10), {"a", "b"}},  // a NUL ends the file
        {std::string("\0a", 2), {}},
        {"\xE4\xFF\x80 x\r\n", {"\xE4\xFF\x80 x"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseBlockListBytes(c.bytes), c.lines) << c.bytes;
}

TEST(BlockListFormat, WritesCrLfAfterEveryLineAndReadsItBack) {
    EXPECT_EQ(BlockListBytes({}), "");
    EXPECT_EQ(BlockListBytes({"a", "", "b c"}), "a\r\n\r\nb c\r\n");
    const Lines lines = {"C:\\x.exe /q", "", std::string(100000, 'z'), "\x01\x7F\xA0\xFF"};
    EXPECT_EQ(ParseBlockListBytes(BlockListBytes(lines)), lines);
}

TEST(BlockListFormat, OnlyTextWithoutLineBreaksFitsOnOneLine) {
    EXPECT_TRUE(FitsOnOneLine("C:\\a b.exe \x01\xFF"));
    EXPECT_TRUE(FitsOnOneLine(""));
    EXPECT_FALSE(FitsOnOneLine("a\rC:\\Windows\\explorer.exe"));
    EXPECT_FALSE(FitsOnOneLine("a\nb"));
    EXPECT_FALSE(FitsOnOneLine(std::string("a\0b", 3)));
}

}  // namespace
