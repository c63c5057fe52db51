#include "i18n/LanguageFile.h"

#include <climits>
#include <string_view>

namespace {

constexpr char kEndOfFile = '\x1a';

// Calls visit(line) for each line until it returns false or the file ends.
template <typename Visit>
void ForEachLine(const std::string& bytes, Visit&& visit) {
    const std::string_view all(bytes);
    const std::string_view text = all.substr(0, all.find(kEndOfFile));
    size_t start = 0;
    while (start < text.size()) {
        const size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            visit(text.substr(start));
            return;
        }
        if (!visit(text.substr(start, cr - start))) return;
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') ++start;
    }
}

const char* PartTag(LanguagePart part) {
    switch (part) {
        case LanguagePart::Texts:
            return ".t0";
        case LanguagePart::Documentation:
            return ".d0";
        case LanguagePart::Help:
            return ".c0";
    }
    return ".t0";
}

int SectionNumberOf(std::string_view line) {
    if (line.size() <= 2 || line.front() != '[' || line.back() != ']') return -1;
    const std::string_view inner = line.substr(1, line.size() - 2);
    if (inner == "END") return kHighestTextNumber;
    long long value = 0;
    for (const char c : inner) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
        if (value > INT_MAX) value = INT_MAX;
    }
    return static_cast<int>(value);
}

}  // namespace

std::string LanguagePartFileName(const std::string& baseName, LanguagePart part, int number) {
    return baseName + PartTag(part) + std::to_string(number);
}

std::string ActivePartFileName(const std::string& baseName, LanguagePart part) {
    switch (part) {
        case LanguagePart::Texts:
            return baseName + ".def";
        // A page every Windows opens in its browser; a ".doc" needs a word processor
        // that a current Windows does not bring.
        case LanguagePart::Documentation:
            return baseName + ".htm";
        case LanguagePart::Help:
            return baseName + ".chm";
    }
    return baseName + ".def";
}

int SectionNumber(const std::string& line) { return SectionNumberOf(line); }

std::vector<std::string> LanguageFileLines(const std::string& bytes) {
    std::vector<std::string> lines;
    ForEachLine(bytes, [&](std::string_view line) {
        lines.emplace_back(line);
        return true;
    });
    return lines;
}

std::string LanguageFileSecondLine(const std::string& bytes) {
    std::string result;
    int index = 0;
    ForEachLine(bytes, [&](std::string_view line) {
        if (index++ == 1) {
            result.assign(line);
            return false;
        }
        return true;
    });
    return result;
}

void ParseLanguageText(const std::string& bytes, std::vector<std::string>& texts, std::string& languageName) {
    texts.assign(kTextSlotCount, std::string());
    languageName.clear();
    int current = 0;
    std::string collected;
    bool atSectionStart = true;
    ForEachLine(bytes, [&](std::string_view line) {
        const int number = SectionNumberOf(line);
        if (number >= 0) {
            atSectionStart = true;
            if (current <= kHighestTextNumber) {
                texts[static_cast<size_t>(current)] = std::move(collected);
                if (languageName.empty()) languageName = texts[static_cast<size_t>(current)];
            }
            current = number;
            collected.clear();
        } else {
            if (!atSectionStart) collected += '\r';
            collected.append(line);
            atSectionStart = false;
        }
        return true;
    });
}

LanguageFileExtent ExtentOfLanguageFile(const std::string& bytes) {
    LanguageFileExtent extent;
    ForEachLine(bytes, [&](std::string_view line) {
        extent.closed = line == "[END]";
        const int number = SectionNumberOf(line);
        if (number >= 0 && !extent.closed && number > extent.highestNumber) extent.highestNumber = number;
        return true;
    });
    return extent;
}
