#include "blocking/BlockListFormat.h"

#include <algorithm>
#include <utility>

#include "system/TextRules.h"

std::vector<std::string> ParseBlockListBytes(const std::string& bytes) {
    std::vector<std::string> lines;
    const size_t end = std::min(bytes.find('\0'), bytes.size());
    size_t start = 0;
    while (start < end) {
        size_t stop = start;
        while (stop < end && bytes[stop] != '\r' && bytes[stop] != '\n') ++stop;
        std::string line = bytes.substr(start, stop - start);
        if (!IsBlankLine(line)) lines.push_back(std::move(line));
        if (stop < end && bytes[stop] == '\r' && stop + 1 < end && bytes[stop + 1] == '\n') ++stop;
        start = stop + 1;
    }
    return lines;
}

std::string BlockListBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        if (!IsBlankLine(line)) bytes += line + "\r\n";
    }
    return bytes;
}

bool FitsOnOneLine(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

bool IsBlankLine(const std::string& line) { return std::all_of(line.begin(), line.end(), IsBlankOrControl); }
