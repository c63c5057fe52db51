// The printout's layout: a heading, a table whose cells wrap within their
// columns, rows kept whole on a page, captions on every page, "page n of m",
// and nothing outside the margins.
#include <gtest/gtest.h>

#include <algorithm>

#include "ui/print/PrintLayout.h"

namespace {

// Plain letters 10 units wide, bold ones 12; ASCII only.
PrintMeasure Measure() {
    PrintMeasure measure;
    measure.fits = [](const std::string& text, int width, bool bold) {
        return std::min(text.size(), static_cast<std::size_t>(std::max(width, 0) / (bold ? 12 : 10)));
    };
    measure.width = [](const std::string& text, bool bold) { return static_cast<int>(text.size()) * (bold ? 12 : 10); };
    return measure;
}

std::string Footer(int page, int pages) { return std::to_string(page) + "/" + std::to_string(pages); }

PrintFrame Frame(int width, int height) {
    PrintFrame frame;
    frame.pageWidth = width;
    frame.pageHeight = height;
    frame.left = 50;
    frame.top = 40;
    frame.right = 30;
    frame.bottom = 60;
    frame.lineHeight = 20;
    frame.gap = 10;
    return frame;
}

PrintTable Table(int rows, const std::string& longText) {
    PrintTable table;
    table.columns = {{"Name", 2}, {"State", 1}, {"Command", 3}};
    for (int i = 0; i < rows; ++i) {
        const std::string n = std::to_string(i);
        // Every few rows a cell with several paragraphs, some a long text.
        PrintCell state = {"on"};
        if (i % 3 == 0) state.push_back("off by row" + n);
        table.rows.push_back({{"row" + n}, state, {i % 4 == 0 ? longText + " end" + n : "cmd" + n}});
    }
    return table;
}

// The texts of a page at one column's left edge, top to bottom.
std::vector<std::string> ColumnTexts(const TableLayout& layout, std::size_t page, std::size_t column) {
    std::vector<PlacedText> texts;
    for (const PlacedText& text : layout.pages[page].texts) {
        if (text.x == layout.columnLeft[column]) texts.push_back(text);
    }
    std::stable_sort(texts.begin(), texts.end(), [](const PlacedText& a, const PlacedText& b) { return a.y < b.y; });
    std::vector<std::string> out;
    for (const PlacedText& text : texts) out.push_back(text.text);
    return out;
}

TEST(LayOutTable, KeepsEveryTextInsideTheMarginsAndEveryRowInOrderOnEachPage) {
    const std::string longText = "C:\\Program Files\\Vendor\\tool.exe /a /bb /ccc /dddd /eeeee /ffffff";
    for (const int width : {400, 700, 1500}) {
        for (const int height : {521, 900, 3000}) {
            const PrintFrame frame = Frame(width, height);
            const PrintTable table = Table(40, longText);
            const TableLayout layout = LayOutTable({"Title", "Computer: PC"}, table, frame, Measure(), Footer);
            const int pages = static_cast<int>(layout.pages.size());
            ASSERT_GE(pages, 1);
            std::string rowsSeen;
            for (int p = 0; p < pages; ++p) {
                const PrintedPage& page = layout.pages[static_cast<std::size_t>(p)];
                bool footer = false;
                for (const PlacedText& text : page.texts) {
                    EXPECT_GE(text.x, frame.left) << text.text;
                    EXPECT_LE(text.x + Measure().width(text.text, text.bold), width - frame.right) << text.text;
                    EXPECT_GE(text.y, frame.top) << text.text;
                    EXPECT_LE(text.y + frame.lineHeight, height - frame.bottom) << text.text << " " << height;
                    if (text.text == Footer(p + 1, pages)) footer = true;
                }
                EXPECT_TRUE(footer) << "page " << p + 1 << " of " << pages;
                // The heading and the captions head every page.
                const std::vector<std::string> names = ColumnTexts(layout, static_cast<std::size_t>(p), 0);
                ASSERT_GE(names.size(), 3u);
                EXPECT_EQ(names[0], "Title");
                EXPECT_EQ(names[2], "Name");
                EXPECT_GT(names.size(), 3u) << "a page without rows";
                for (std::size_t i = 3; i < names.size(); ++i) rowsSeen += names[i] + ";";
                // A row that fits a page stays whole: its command's last piece is on the same page.
                const std::vector<std::string> commands = ColumnTexts(layout, static_cast<std::size_t>(p), 2);
                for (std::size_t i = 3; i < names.size(); ++i) {
                    const int row = std::stoi(names[i].substr(3));
                    const std::string last = (row % 4 == 0 ? "end" : "cmd") + std::to_string(row);
                    const bool found = std::any_of(commands.begin(), commands.end(), [&](const std::string& text) {
                        return text.size() >= last.size() &&
                               text.compare(text.size() - last.size(), last.size(), last) == 0;
                    });
                    EXPECT_TRUE(found) << "row " << row << " split at " << width << "x" << height;
                }
            }
            std::string expected;
            for (int i = 0; i < 40; ++i) expected += "row" + std::to_string(i) + ";";
            EXPECT_EQ(rowsSeen, expected) << width << "x" << height;
        }
    }
}

TEST(LayOutTable, SharesTheWidthByWeightAndWrapsALongCommandWithinItsColumn) {
    const PrintFrame frame = Frame(1000, 2000);
    PrintTable table;
    table.columns = {{"Name", 3}, {"Command", 1}};
    table.rows = {{{"tool"}, {"C:\\Tools\\tool.exe /first /second /third /fourth /fifth /sixth /seventh"}}};
    const TableLayout layout = LayOutTable({}, table, frame, Measure(), nullptr);
    ASSERT_EQ(layout.columnLeft.size(), 2u);
    EXPECT_EQ(layout.columnLeft[0], 50);
    // 920 units of text width, 10 of them the gap: 682 and the rest, up to the right margin.
    EXPECT_EQ(layout.columnWidth[0], 682);
    EXPECT_EQ(layout.columnLeft[1] + layout.columnWidth[1], 1000 - 30);
    EXPECT_EQ(ColumnTexts(layout, 0, 1),
              (std::vector<std::string>{"Command", "C:\\Tools\\tool.exe", "/first /second /third",
                                        "/fourth /fifth /sixth", "/seventh"}));
    EXPECT_EQ(layout.pages.size(), 1u);
}

TEST(LayOutTable, SplitsOnlyARowTallerThanAPageAndPrintsAnEmptyTableOnOnePage) {
    struct Case {
        const char* what;
        int lines;  // of the one cell of the one row
        std::size_t pages;
    } cases[] = {
        {"no rows", 0, 1},
        {"a short row", 3, 1},
        // The room for rows: 400 - 60 - 20 - 10 (footer) - 40 - 20 - 10 (captions) = 240, 12 lines.
        {"a row that just fits", 12, 1},
        {"a row one line too tall continues on the next page", 13, 2},
        {"a row of three pages", 30, 3},
    };
    for (const Case& c : cases) {
        PrintTable table;
        table.columns = {{"Lines", 1}};
        PrintCell cell;
        for (int i = 0; i < c.lines; ++i) cell.push_back("line" + std::to_string(i));
        if (c.lines > 0) table.rows.push_back({cell});
        const TableLayout layout = LayOutTable({}, table, Frame(400, 400), Measure(), Footer);
        EXPECT_EQ(layout.pages.size(), c.pages) << c.what;
        std::vector<std::string> all;
        for (std::size_t p = 0; p < layout.pages.size(); ++p) {
            const std::vector<std::string> texts = ColumnTexts(layout, p, 0);
            ASSERT_FALSE(texts.empty()) << c.what;
            EXPECT_EQ(texts[0], "Lines") << c.what;
            all.insert(all.end(), texts.begin() + 1, texts.end());
        }
        EXPECT_EQ(all, cell) << c.what;
    }
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
