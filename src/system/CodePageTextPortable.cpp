#include "system/CodePageText.h"
#include "system/Utf8.h"

#include <string>
#include <utility>

namespace {

// The characters Windows-1252 holds at 128-159; its other bytes are Latin-1.
const char32_t kWestern128[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool InWestern(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return true;
    for (const char32_t held : kWestern128) {
        if (held != 0 && held == c) return true;
    }
    return false;
}

}  // namespace

bool FitsAnsiCodePage(const std::string& text) {
    if (!IsWtf8(text) || HoldsLoneSurrogate(text)) return false;
    for (size_t at = 0; at < text.size();) {
        const CodePoint point = ReadCodePoint(text, at);
        if (!InWestern(point.value)) return false;
        at += point.length;
    }
    return true;
}

std::string Utf8FromAnsi(const std::string& bytes) {
    std::string text;
    for (const char c : bytes) {
        const unsigned char byte = static_cast<unsigned char>(c);
        char32_t value = byte;
        if (byte >= 0x80 && byte < 0xA0) value = kWestern128[byte - 0x80] ? kWestern128[byte - 0x80] : byte;
        AppendCodePoint(text, value);
    }
    return text;
}

bool AnsiFromUtf8(const std::string& text, std::string& bytes) {
    if (!FitsAnsiCodePage(text)) return false;
    std::string converted;
    for (size_t at = 0; at < text.size();) {
        const CodePoint point = ReadCodePoint(text, at);
        unsigned char byte = static_cast<unsigned char>(point.value);
        for (unsigned i = 0; i < 32; ++i)
            if (point.value >= 0x100 && kWestern128[i] == point.value) byte = static_cast<unsigned char>(0x80 + i);
        converted += static_cast<char>(byte);
        at += point.length;
    }
    bytes = std::move(converted);
    return true;
}
