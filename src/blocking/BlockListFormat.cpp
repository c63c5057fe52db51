#include "blocking/BlockListFormat.h"

#include <algorithm>
#include <utility>

#include "system/CodePageText.h"
#include "system/TextRules.h"

namespace {

// Older versions wrote and read every line in the user's ANSI code page, and
// stop reading at the first NUL. So the lines the code page holds come first,
// as they always were; when any line needs more, a NUL follows, then a byte
// order mark and the whole list again in UTF-8, in its order. An older version
// sees only the lines it can read: its window shows no broken line and its
// logon check never removes anything by a line it would misread.
const char kUtf8Mark[] = "\xEF\xBB\xBF";

// A line in the ANSI part; the first versions that wrote UTF-8 put a line the
// code page could not hold there behind a byte order mark.
std::string LineText(const std::string& stored) {
    if (stored.compare(0, 3, kUtf8Mark) == 0) return stored.substr(3);
    return Utf8FromAnsi(stored);
}

template <typename Convert>
std::vector<std::string> ReadLines(const std::string& bytes, size_t start, size_t end, Convert convert) {
    std::vector<std::string> lines;
    while (start < end) {
        size_t stop = start;
        while (stop < end && bytes[stop] != '\r' && bytes[stop] != '\n') ++stop;
        std::string line = bytes.substr(start, stop - start);
        if (!IsBlankLine(line)) lines.push_back(convert(line));
        if (stop < end && bytes[stop] == '\r' && stop + 1 < end && bytes[stop + 1] == '\n') ++stop;
        start = stop + 1;
    }
    return lines;
}

}  // namespace

std::vector<std::string> ParseBlockListBytes(const std::string& bytes) {
    const size_t nul = bytes.find('\0');
    if (nul != std::string::npos && bytes.compare(nul + 1, 3, kUtf8Mark) == 0) {
        const size_t start = nul + 4;
        const size_t end = std::min(bytes.find('\0', start), bytes.size());
        return ReadLines(bytes, start, end, [](const std::string& line) { return line; });
    }
    return ReadLines(bytes, 0, std::min(nul, bytes.size()), LineText);
}

std::string BlockListBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    std::string whole;
    bool allFit = true;
    for (const std::string& line : lines) {
        if (IsBlankLine(line)) continue;
        std::string ansi;
        if (AnsiFromUtf8(line, ansi)) {
            bytes += ansi + "\r\n";
        } else {
            allFit = false;
        }
        whole += line + "\r\n";
    }
    if (!allFit) bytes += std::string(1, '\0') + kUtf8Mark + whole;
    return bytes;
}

bool FitsOnOneLine(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

bool IsBlankLine(const std::string& line) { return std::all_of(line.begin(), line.end(), IsBlankOrControl); }
