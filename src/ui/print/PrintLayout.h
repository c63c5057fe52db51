// Where each line of a printout goes: lines of one height, top to bottom, a new
// page only before a line that would not fit on the current one. Device units
// throughout (the printer's pixels); no Windows calls.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

struct PrintedLinePlace {
    int page;  // 0 for the first page
    int y;     // top of the line from the top of the printable area
};

struct PrintPageLayout {
    std::vector<PrintedLinePlace> places;  // one per line, in order
    int pageCount = 1;                     // pages to print; an empty printout is one empty page
    bool linesTallerThanPage = false;      // a line taller than the page cannot fit anywhere
};

// lineHeight and pageHeight in the same units; a line fits when its bottom is
// within pageHeight. A line taller than the page still gets a page of its own.
PrintPageLayout LayOutPrintout(std::size_t lineCount, int lineHeight, int pageHeight);

// The pieces of a line that is wider than the page, each fitting the width:
// fits(text) answers how many leading characters of text fit. A piece ends
// after the last space that fits, or inside a word longer than the width;
// continuation pieces keep the line's leading spaces and lose the spaces at
// the break. At least one character goes on each piece, so it always ends; an
// empty line stays one empty piece.
std::vector<std::string> WrapPrintLine(const std::string& line,
                                       const std::function<std::size_t(const std::string&)>& fits);
