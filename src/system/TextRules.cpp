#include "system/TextRules.h"

std::string TrimLeft(const std::string& text) {
    size_t first = 0;
    while (first < text.size() && IsBlankOrControl(text[first])) ++first;
    return text.substr(first);
}

std::string TrimRight(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && IsBlankOrControl(text[end - 1])) --end;
    return text.substr(0, end);
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

std::string WithTrailingBackslash(std::string path) {
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

std::string FillPlaceholder(const std::string& pattern, const std::string& value) {
    const size_t at = pattern.find("%s");
    if (at == std::string::npos) return pattern;
    return pattern.substr(0, at) + value + pattern.substr(at + 2);
}
