#include "blocking/BlockListFormat.h"

#include <algorithm>
#include <utility>

#include "system/CodePageText.h"
#include "system/TextRules.h"

namespace {

// Older versions wrote and read every line in the user's ANSI code page, and
// this version still writes a line so when it fits. A line that does not fit
// is UTF-8 behind a byte order mark: an older version sees a line that starts
// with three odd characters, which no command it lists starts with, so it
// never blocks anything by it.
const char kUtf8Mark[] = "\xEF\xBB\xBF";

std::string LineText(const std::string& stored) {
    if (stored.compare(0, 3, kUtf8Mark) == 0) return stored.substr(3);
    return Utf8FromAnsi(stored);
}

std::string StoredLine(const std::string& text) {
    std::string bytes;
    return AnsiFromUtf8(text, bytes) ? bytes : kUtf8Mark + text;
}

}  // namespace

std::vector<std::string> ParseBlockListBytes(const std::string& bytes) {
    std::vector<std::string> lines;
    const size_t end = std::min(bytes.find('\0'), bytes.size());
    size_t start = 0;
    while (start < end) {
        size_t stop = start;
        while (stop < end && bytes[stop] != '\r' && bytes[stop] != '\n') ++stop;
        std::string line = bytes.substr(start, stop - start);
        if (!IsBlankLine(line)) lines.push_back(LineText(line));
        if (stop < end && bytes[stop] == '\r' && stop + 1 < end && bytes[stop + 1] == '\n') ++stop;
        start = stop + 1;
    }
    return lines;
}

std::string BlockListBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        if (!IsBlankLine(line)) bytes += StoredLine(line) + "\r\n";
    }
    return bytes;
}

bool FitsOnOneLine(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

bool IsBlankLine(const std::string& line) { return std::all_of(line.begin(), line.end(), IsBlankOrControl); }
