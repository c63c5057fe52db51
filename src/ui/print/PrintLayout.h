// Where everything of a printout goes: the heading lines at the top, a table of
// entries below with its captions on every page, and "page n of m" at the foot,
// all within the margins. Device units throughout (the printer's pixels); no
// Windows calls: the widths of texts come in as functions.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// One cell: paragraphs, each starting on a line of its own.
using PrintCell = std::vector<std::string>;
using PrintRow = std::vector<PrintCell>;

struct PrintColumn {
    std::string caption;
    int weight = 1;  // its share of the width
};

struct PrintTable {
    std::vector<PrintColumn> columns;
    std::vector<PrintRow> rows;  // one cell per column
};

// The texts' widths in the printer's font, plain or bold.
struct PrintMeasure {
    // How many leading bytes of the text fit the width (whole characters).
    std::function<std::size_t(const std::string& text, int width, bool bold)> fits;
    std::function<int(const std::string& text, bool bold)> width;
};

// The printable area and the margins inside it.
struct PrintFrame {
    int pageWidth = 0;
    int pageHeight = 0;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int lineHeight = 1;
    int gap = 0;  // between columns, and between the parts of a page
};

struct PlacedText {
    int x;
    int y;  // the line's top
    std::string text;
    bool bold;
};

struct PrintedPage {
    std::vector<PlacedText> texts;
    std::vector<int> rules;  // heights of lines drawn across the text's width
};

struct TableLayout {
    std::vector<PrintedPage> pages;  // at least one
    std::vector<int> columnLeft;
    std::vector<int> columnWidth;
};

// The footer's text of page n (from 1) of m.
using PageFooterFn = std::function<std::string(int page, int pages)>;

// Lays the heading (its first line bold) and the table out on pages. A row
// stays on one page unless it is taller than a page's room for rows; a cell's
// paragraphs wrap within its column (WrapPrintLine); each page repeats the
// captions, and its footer sits at the bottom margin, at the right.
TableLayout LayOutTable(const std::vector<std::string>& heading, const PrintTable& table, const PrintFrame& frame,
                        const PrintMeasure& measure, const PageFooterFn& footer);

// The pieces of a line that is wider than the page, each fitting the width:
// fits(text) answers how many leading characters of text fit. A piece ends
// after the last space that fits, or inside a word longer than the width;
// continuation pieces keep the line's leading spaces and lose the spaces at
// the break. At least one character goes on each piece, so it always ends; an
// empty line stays one empty piece.
std::vector<std::string> WrapPrintLine(const std::string& line,
                                       const std::function<std::size_t(const std::string&)>& fits);
