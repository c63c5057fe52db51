#include "system/Utf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }
bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

template <typename Units>
void AppendUnits(Units& to, char32_t value) {
    using Unit = typename Units::value_type;
    if (value < 0x10000) {
        to.push_back(static_cast<Unit>(value));
    } else {
        value -= 0x10000;
        to.push_back(static_cast<Unit>(0xD800 + (value >> 10)));
        to.push_back(static_cast<Unit>(0xDC00 + (value & 0x3FF)));
    }
}

template <typename Units>
Units UnitsFromUtf8(std::string_view text) {
    Units units;
    units.reserve(text.size());
    for (size_t at = 0; at < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        if (c < 0x80) {  // the common case first: plain ASCII
            units.push_back(static_cast<typename Units::value_type>(c));
            ++at;
            continue;
        }
        const CodePoint point = ReadCodePoint(text, at);
        AppendUnits(units, point.value);
        at += point.length;
    }
    return units;
}

template <typename Char>
std::string Utf8FromUnits(const Char* units, size_t count) {
    std::string text;
    text.reserve(count);
    for (size_t at = 0; at < count; ++at) {
        char32_t value = static_cast<char16_t>(units[at]);
        if (IsHighSurrogate(value) && at + 1 < count && IsLowSurrogate(static_cast<char16_t>(units[at + 1]))) {
            value = 0x10000 + ((value - 0xD800) << 10) + (static_cast<char16_t>(units[at + 1]) - 0xDC00);
            ++at;
        }
        AppendCodePoint(text, value);
    }
    return text;
}

}  // namespace

CodePoint ReadCodePoint(std::string_view text, size_t at) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    const size_t left = text.size() - at;
    if (c < 0x80) return {c, 1};
    size_t length;
    char32_t value;
    char32_t least;
    if ((c & 0xE0) == 0xC0) {
        length = 2, value = c & 0x1F, least = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        length = 3, value = c & 0x0F, least = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        length = 4, value = c & 0x07, least = 0x10000;
    } else {
        return {kReplacement, 1};
    }
    if (left < length) return {kReplacement, 1};
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = static_cast<unsigned char>(text[at + i]);
        if (!IsContinuation(next)) return {kReplacement, 1};
        value = (value << 6) | (next & 0x3F);
    }
    if (value < least || value > 0x10FFFF) return {kReplacement, 1};
    // A high surrogate's form followed by a low one's is a pair written in the
    // wrong form; reading it as two lone surrogates would turn it into the pair
    // on the way back, so the text would not come back byte for byte.
    if (IsHighSurrogate(value) && left >= 6) {
        const CodePoint next = ReadCodePoint(text.substr(0, at + 6), at + 3);
        if (next.length == 3 && IsLowSurrogate(next.value)) return {kReplacement, 1};
    }
    return {value, length};
}

void AppendCodePoint(std::string& to, char32_t value) {
    if (value < 0x80) {
        to.push_back(static_cast<char>(value));
    } else if (value < 0x800) {
        to.push_back(static_cast<char>(0xC0 | (value >> 6)));
        to.push_back(static_cast<char>(0x80 | (value & 0x3F)));
    } else if (value < 0x10000) {
        to.push_back(static_cast<char>(0xE0 | (value >> 12)));
        to.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
        to.push_back(static_cast<char>(0x80 | (value & 0x3F)));
    } else if (value <= 0x10FFFF) {
        to.push_back(static_cast<char>(0xF0 | (value >> 18)));
        to.push_back(static_cast<char>(0x80 | ((value >> 12) & 0x3F)));
        to.push_back(static_cast<char>(0x80 | ((value >> 6) & 0x3F)));
        to.push_back(static_cast<char>(0x80 | (value & 0x3F)));
    } else {
        AppendCodePoint(to, kReplacement);
    }
}

bool IsWtf8(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        const CodePoint point = ReadCodePoint(text, at);
        if (point.value == kReplacement && point.length == 1) {
            // U+FFFD itself is three bytes; a length of 1 is an invalid byte.
            return false;
        }
        at += point.length;
    }
    return true;
}

bool HoldsLoneSurrogate(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
        const CodePoint point = ReadCodePoint(text, at);
        if (point.value >= 0xD800 && point.value <= 0xDFFF) return true;
        at += point.length;
    }
    return false;
}

std::wstring WideFromUtf8(std::string_view text) {
    static_assert(sizeof(wchar_t) == 2 || sizeof(wchar_t) == 4, "wchar_t of 16 or 32 bits");
    if constexpr (sizeof(wchar_t) == 2) {
        return UnitsFromUtf8<std::wstring>(text);
    } else {
        // 32-bit wchar_t (the native tree): one unit per code point, surrogates kept as they are.
        std::wstring wide;
        for (size_t at = 0; at < text.size();) {
            const CodePoint point = ReadCodePoint(text, at);
            wide.push_back(static_cast<wchar_t>(point.value));
            at += point.length;
        }
        return wide;
    }
}

std::string Utf8FromWide(std::wstring_view text) {
    if constexpr (sizeof(wchar_t) == 2) {
        return Utf8FromUnits(text.data(), text.size());
    } else {
        std::string utf8;
        for (wchar_t c : text) AppendCodePoint(utf8, static_cast<char32_t>(c));
        return utf8;
    }
}

std::u16string Utf16FromUtf8(std::string_view text) { return UnitsFromUtf8<std::u16string>(text); }

std::string Utf8FromUtf16(std::u16string_view text) { return Utf8FromUnits(text.data(), text.size()); }
