#include "ui/print/PrintLayout.h"

#include "system/Utf8.h"

PrintPageLayout LayOutPrintout(std::size_t lineCount, int lineHeight, int pageHeight) {
    PrintPageLayout layout;
    if (lineHeight < 1) lineHeight = 1;
    if (pageHeight < 1) pageHeight = 1;
    layout.linesTallerThanPage = lineCount > 0 && lineHeight > pageHeight;
    layout.places.reserve(lineCount);
    int page = 0;
    int y = 0;
    for (std::size_t i = 0; i < lineCount; ++i) {
        // A page's first line always stays; any other starts a new page when
        // its bottom would pass the printable area.
        if (y > 0 && pageHeight - y < lineHeight) {
            ++page;
            y = 0;
        }
        layout.places.push_back({page, y});
        y += lineHeight;
    }
    layout.pageCount = page + 1;
    return layout;
}

std::vector<std::string> WrapPrintLine(const std::string& line,
                                       const std::function<std::size_t(const std::string&)>& fits) {
    std::size_t indentLength = line.find_first_not_of(' ');
    std::string indent = line.substr(0, indentLength == std::string::npos ? 0 : indentLength);
    std::vector<std::string> pieces;
    std::string rest = line;
    // Spaces of the indent are not break points.
    const std::size_t prefix = indent.size();
    while (true) {
        std::size_t fitting = fits(rest);
        if (fitting >= rest.size()) {
            pieces.push_back(rest);
            break;
        }
        // The break: after the last space that fits, else where the width ends.
        std::size_t cut = std::string::npos;
        for (std::size_t i = fitting; i > prefix; --i) {
            if (rest[i] == ' ') {
                cut = i;
                break;
            }
        }
        // At least one whole character: a UTF-8 sequence is never split.
        if (cut == std::string::npos || cut <= prefix) {
            cut = fitting > prefix ? fitting : prefix + ReadCodePoint(rest, prefix).length;
        }
        std::string piece = rest.substr(0, cut);
        while (piece.size() > prefix && piece.back() == ' ') piece.pop_back();
        pieces.push_back(piece);
        std::size_t next = rest.find_first_not_of(' ', cut);
        if (next == std::string::npos) break;
        rest = indent + rest.substr(next);
    }
    return pieces;
}
