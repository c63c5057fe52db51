// The fallback rule of the tree built without Windows (see TextCase.h).
#include "system/TextCase.h"
#include "system/Utf8.h"

namespace {

// Each character mapped, every byte that is not a character kept as it is.
template <typename Map>
std::string MapCharacters(const std::string& text, Map map) {
    std::string out;
    out.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const CodePoint point = ReadCodePoint(text, at);
        const char32_t mapped = map(point.value);
        if (mapped == point.value) {
            out.append(text, at, point.length);
        } else {
            AppendCodePoint(out, mapped);
        }
        at += point.length;
    }
    return out;
}

}  // namespace

std::string TextKey(const std::string& text) { return MapCharacters(text, FallbackLower); }

bool SameText(const std::string& a, const std::string& b) { return TextKey(a) == TextKey(b); }

int CompareText(const std::string& a, const std::string& b) {
    // UTF-8's byte order is its code points' order.
    const int order = TextKey(a).compare(TextKey(b));
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

std::string UpperText(const std::string& text) { return MapCharacters(text, FallbackUpper); }
