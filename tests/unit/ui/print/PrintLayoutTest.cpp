// Paging of the printout: pages break only before a line that would not fit.
#include <gtest/gtest.h>

#include "ui/print/PrintLayout.h"

bool operator==(const PrintedLinePlace& a, const PrintedLinePlace& b) { return a.page == b.page && a.y == b.y; }
void PrintTo(const PrintedLinePlace& p, std::ostream* os) { *os << "{" << p.page << "," << p.y << "}"; }

namespace {

struct Case {
    const char* what;
    std::size_t lines;
    int lineHeight, pageHeight;
    std::vector<PrintedLinePlace> places;
    int pages;
};

TEST(LayOutPrintout, BreaksOnlyBeforeALineThatDoesNotFit) {
    const Case cases[] = {
        {"nothing to print is one empty page", 0, 10, 100, {}, 1},
        {"one line", 1, 10, 100, {{0, 0}}, 1},
        {"lines that fill the page exactly stay on it", 3, 10, 30, {{0, 0}, {0, 10}, {0, 20}}, 1},
        {"no empty page after a last line that ends a page",
         6,
         10,
         30,
         {{0, 0}, {0, 10}, {0, 20}, {1, 0}, {1, 10}, {1, 20}},
         2},
        {"the line that would pass the bottom opens the next page", 4, 10, 35, {{0, 0}, {0, 10}, {0, 20}, {1, 0}}, 2},
        {"several pages", 7, 10, 25, {{0, 0}, {0, 10}, {1, 0}, {1, 10}, {2, 0}, {2, 10}, {3, 0}}, 4},
        {"a line taller than the page gets a page each", 2, 50, 40, {{0, 0}, {1, 0}}, 2},
        {"a zero line height counts as one unit", 2, 0, 1, {{0, 0}, {1, 0}}, 2},
    };
    for (const Case& c : cases) {
        PrintPageLayout layout = LayOutPrintout(c.lines, c.lineHeight, c.pageHeight);
        EXPECT_EQ(layout.places, c.places) << c.what;
        EXPECT_EQ(layout.pageCount, c.pages) << c.what;
    }
}

TEST(LayOutPrintout, NoLineRunsPastThePrintableArea) {
    for (int lineHeight : {1, 7, 33, 99, 100}) {
        for (int pageHeight : {100, 101, 997, 6600}) {
            PrintPageLayout layout = LayOutPrintout(500, lineHeight, pageHeight);
            ASSERT_EQ(layout.places.size(), 500u);
            EXPECT_FALSE(layout.linesTallerThanPage);
            for (std::size_t i = 0; i < layout.places.size(); ++i) {
                const PrintedLinePlace& p = layout.places[i];
                EXPECT_LE(p.y + lineHeight, pageHeight) << lineHeight << " " << pageHeight << " " << i;
                if (i > 0) {
                    const PrintedLinePlace& before = layout.places[i - 1];
                    // Either the next line down, or the top of the next page because it did not fit.
                    bool next = p.page == before.page && p.y == before.y + lineHeight;
                    bool broke = p.page == before.page + 1 && p.y == 0 && before.y + 2 * lineHeight > pageHeight;
                    EXPECT_TRUE(next || broke) << lineHeight << " " << pageHeight << " " << i;
                }
            }
            EXPECT_EQ(layout.pageCount, layout.places.back().page + 1);
        }
    }
    EXPECT_TRUE(LayOutPrintout(1, 200, 100).linesTallerThanPage);
}

}  // namespace

namespace {

// Every character one unit wide.
std::vector<std::string> WrapAt(const std::string& line, std::size_t width) {
    return WrapPrintLine(line, [width](const std::string& text) { return std::min(text.size(), width); });
}

TEST(WrapPrintLine, BreaksAtSpacesElseInsideWordsAndKeepsTheIndent) {
    using Pieces = std::vector<std::string>;
    struct WrapCase {
        std::string line;
        std::size_t width;
        Pieces pieces;
    } cases[] = {
        {"", 10, {""}},
        {"short", 10, {"short"}},
        {"exactly10!", 10, {"exactly10!"}},
        {"one two three", 8, {"one two", "three"}},
        {"   Command: C:\\Program Files\\x.exe", 16, {"   Command:", "   C:\\Program", "   Files\\x.exe"}},
        {"abcdefghij", 4, {"abcd", "efgh", "ij"}},
        {"   abcdefghij", 6, {"   abc", "   def", "   ghi", "   j"}},
        {"word   ", 4, {"word"}},
    };
    for (const WrapCase& c : cases) EXPECT_EQ(WrapAt(c.line, c.width), c.pieces) << c.line << " @" << c.width;
}

TEST(WrapPrintLine, EndsEvenWhenNothingFits) {
    EXPECT_EQ(WrapAt("abc", 0), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(WrapAt("   abc", 2).size(), 3u);
}

TEST(WrapPrintLine, NeverSplitsACharacterWhenNothingFits) {
    // Cyrillic (two bytes), CJK (three) and an emoji (four): each piece is one whole character.
    const std::string line = "\xD0\x96\xE4\xB8\xAD\xF0\x9F\x98\x80";
    EXPECT_EQ(WrapAt(line, 0), (std::vector<std::string>{"\xD0\x96", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80"}));
}

}  // namespace
