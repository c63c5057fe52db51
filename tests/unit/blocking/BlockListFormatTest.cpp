// The block list file's line rules.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

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
        {std::string("a\r\nb\0c\r\nd", 10), {"a", "b"}},  // a NUL ends the lines
        {std::string("\0a", 2), {}},
        // A line as older versions wrote it is in the ANSI code page (here
        // Windows-1252); one behind a byte order mark is UTF-8.
        {"\xE4\xFF\x80 x\r\n", {"\xC3\xA4\xC3\xBF\xE2\x82\xAC x"}},
        {"\xEF\xBB\xBF\xD0\x9F\xF0\x9F\x98\x80.exe\r\n\xC4\r\n", {"\xD0\x9F\xF0\x9F\x98\x80.exe", "\xC3\x84"}},
        // After a NUL and a byte order mark: the whole list in UTF-8, which
        // stands for the lines before it.
        {std::string("\xC4\r\n\0\xEF\xBB\xBF\xD0\x9F\r\n\xC3\x84\r\n\r\n", 17), {"\xD0\x9F", "\xC3\x84"}},
        {std::string("a\r\n\0\xEF\xBB\xBF", 7), {}},
        {std::string("a\r\n\0\xEF\xBB\xBF"
                     "b\0c",
                     10),
         {"b"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseBlockListBytes(c.bytes), c.lines) << c.bytes;
}

TEST(BlockListFormat, WritesCrLfAfterEveryLineButBlankOnesAndReadsItBack) {
    EXPECT_EQ(BlockListBytes({}), "");
    EXPECT_EQ(BlockListBytes({"a", "", "b c", " \t"}), "a\r\nb c\r\n");
    // What the code page holds stays in it, as older versions read it, up to
    // a NUL where they stop; behind it the whole list in UTF-8, in its order.
    const std::vector<std::string> mixed = {"\xD0\x9F.exe", "\xC3\x84rger.exe"};
    EXPECT_EQ(BlockListBytes(mixed),
              std::string("\xC4rger.exe\r\n\0\xEF\xBB\xBF\xD0\x9F.exe\r\n\xC3\x84rger.exe\r\n", 35));
    EXPECT_EQ(ParseBlockListBytes(BlockListBytes(mixed)), mixed);
    EXPECT_EQ(ParseBlockListBytes(BlockListBytes({"\xD0\x9F.exe"})), Lines{"\xD0\x9F.exe"});
    const Lines lines = {"C:\\x.exe /q", " x ", std::string(100000, 'z'), "\x01\x7F\xA0\xFF"};
    EXPECT_EQ(ParseBlockListBytes(BlockListBytes(lines)), lines);
}

std::string FixtureBytes(const std::string& name) {
#ifdef _WIN32
    std::ifstream in("Z:" BM_SOURCE_DIR "/tests/compat/blocklist/current/" + name, std::ios::binary);
#else
    std::ifstream in(BM_SOURCE_DIR "/tests/compat/blocklist/current/" + name, std::ios::binary);
#endif
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The file as this version writes it (tests/compat/blocklist): read as
// written, and written again byte for byte. What older versions read from it
// is shown by scripts/check-compat.sh.
TEST(BlockListFormat, TheCompatibilityFileReadsAndWritesExactly) {
    const std::string file = FixtureBytes("mixed-us.list");
    const std::string listed = FixtureBytes("mixed-us.lines.txt");
    ASSERT_FALSE(file.empty());
    Lines lines;
    for (size_t start = 0, stop; (stop = listed.find('\n', start)) != std::string::npos; start = stop + 1) {
        lines.push_back(listed.substr(start, stop - start));
    }
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(ParseBlockListBytes(file), lines);
    EXPECT_EQ(BlockListBytes(lines), file);
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
