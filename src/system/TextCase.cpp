#include "system/TextCase.h"

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string AsciiUpper(std::string text) {
    for (char& c : text) c = AsciiUpper(c);
    return text;
}

bool SameAscii(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
}

namespace {

// Ranges where capitals and small letters alternate, the capital first (or, with
// oddCapitals, the small letter first).
struct AlternatingRange {
    char32_t first;
    char32_t last;
    bool oddCapitals;
};
const AlternatingRange kAlternating[] = {
    {0x0100, 0x012F, false}, {0x0132, 0x0137, false}, {0x0139, 0x0148, true},
    {0x014A, 0x0177, false}, {0x0179, 0x017E, true},  {0x0460, 0x0481, false},
    {0x048A, 0x04BF, false}, {0x04C1, 0x04CE, true},  {0x04D0, 0x052F, false},
};

// Capitals whose small letter lies a fixed distance away.
struct ShiftedRange {
    char32_t first;
    char32_t last;
    char32_t distance;
};
const ShiftedRange kShifted[] = {
    {'A', 'Z', 32},       {0x00C0, 0x00D6, 32}, {0x00D8, 0x00DE, 32},
    {0x0391, 0x03A1, 32}, {0x03A3, 0x03AB, 32}, {0x0386, 0x0386, 38},
    {0x0388, 0x038A, 37}, {0x038C, 0x038C, 64}, {0x038E, 0x038F, 63},
    {0x0410, 0x042F, 32}, {0x0400, 0x040F, 80}, {0x0178, 0x0178, static_cast<char32_t>(0xFF - 0x178)},
    {0x04C0, 0x04C0, 15},
};

bool IsAlternatingCapital(const AlternatingRange& range, char32_t c) {
    return c >= range.first && c <= range.last && ((c & 1) != 0) == range.oddCapitals;
}

}  // namespace

char32_t FallbackLower(char32_t c) {
    for (const ShiftedRange& range : kShifted) {
        if (c >= range.first && c <= range.last) return c + range.distance;
    }
    for (const AlternatingRange& range : kAlternating) {
        if (IsAlternatingCapital(range, c) && c + 1 <= range.last) return c + 1;
    }
    return c;
}

char32_t FallbackUpper(char32_t c) {
    for (const ShiftedRange& range : kShifted) {
        if (c >= range.first + range.distance && c <= range.last + range.distance) return c - range.distance;
    }
    for (const AlternatingRange& range : kAlternating) {
        if (c > range.first && c <= range.last && IsAlternatingCapital(range, c - 1)) return c - 1;
    }
    return c;
}
