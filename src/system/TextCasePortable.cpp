// The fallback rule of the tree built without Windows (see TextCase.h).
#include "system/TextCase.h"

std::string TextKey(const std::string& text) {
    std::string key = text;
    for (char& c : key) c = static_cast<char>(WesternLower(static_cast<unsigned char>(c)));
    return key;
}

bool SameText(const std::string& a, const std::string& b) { return TextKey(a) == TextKey(b); }

int CompareText(const std::string& a, const std::string& b) {
    const int order = TextKey(a).compare(TextKey(b));
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

std::string UpperText(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) c = static_cast<char>(WesternUpper(static_cast<unsigned char>(c)));
    return upper;
}
