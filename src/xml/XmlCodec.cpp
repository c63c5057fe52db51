#include "xml/XmlCodec.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_map>

namespace {

// Names of the codes 160 to 255 in code order. Three rows differ from the usual
// HTML names ("pund", "frac43", "Aelig"); files written by earlier versions
// carry them, so they stay.
const char* const kHighNames[96] = {
    "nbsp",   "iexcl",  "cent",   "pund",   "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac43", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "Aelig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

bool StaysAsItIs(unsigned c) {
    return c == 32 || (c >= 40 && c <= 59) || c == 61 || (c >= 63 && c <= 90) || (c >= 97 && c <= 122);
}

struct EncodeTable {
    std::array<std::string, 256> text;
    EncodeTable() {
        for (unsigned c = 0; c < 256; ++c) {
            if (StaysAsItIs(c)) {
                text[c] = std::string(1, static_cast<char>(c));
            } else if (c == 34) {
                text[c] = "&quot;";
            } else if (c == 38) {
                text[c] = "&amp;";
            } else if (c == 60) {
                text[c] = "&lt;";
            } else if (c == 62) {
                text[c] = "&gt;";
            } else if (c >= 160) {
                text[c] = std::string("&") + kHighNames[c - 160] + ";";
            } else {
                text[c] = "&#" + std::to_string(c) + ";";
            }
        }
    }
};

const EncodeTable& Encoding() {
    static const EncodeTable table;
    return table;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

std::string AsciiFolded(std::string_view s) {
    std::string folded(s);
    for (char& c : folded) c = AsciiLower(c);
    return folded;
}

// Name lookup: an exact match wins; otherwise a match without regard to case
// gives the last such row in code order ("AUML" is 228, not 196).
struct NameTable {
    std::unordered_map<std::string, unsigned char> exact;
    std::unordered_map<std::string, unsigned char> folded;
    void AddRow(const std::string& name, unsigned char code) {
        exact[name] = code;
        folded[AsciiFolded(name)] = code;  // later rows overwrite earlier ones
    }
    NameTable() {
        AddRow("quot", 34);
        AddRow("amp", 38);
        AddRow("lt", 60);
        AddRow("gt", 62);
        AddRow("EURO", 128);
        for (unsigned c = 160; c < 256; ++c) AddRow(kHighNames[c - 160], static_cast<unsigned char>(c));
    }
};

const NameTable& Names() {
    static const NameTable table;
    return table;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

[[noreturn]] void BadNumber(std::string_view name) {
    throw EXMLDecodeError("\"&" + std::string(name) + ";\" is no valid character reference");
}

// The text after "#": optional leading spaces, then a sign and decimal digits,
// or "$", "x" or "0x" and hexadecimal digits up to 32 bits, nothing after.
std::uint32_t NumericValue(std::string_view digits, std::string_view whole) {
    size_t i = 0;
    while (i < digits.size() && digits[i] == ' ') ++i;
    if (i == digits.size()) BadNumber(whole);

    size_t hexStart = std::string_view::npos;
    if (digits[i] == '$' || digits[i] == 'x' || digits[i] == 'X') {
        hexStart = i + 1;
    } else if (digits[i] == '0' && i + 1 < digits.size() && (digits[i + 1] == 'x' || digits[i + 1] == 'X')) {
        hexStart = i + 2;
    }
    if (hexStart != std::string_view::npos) {
        if (hexStart >= digits.size()) BadNumber(whole);
        std::uint64_t value = 0;
        for (size_t k = hexStart; k < digits.size(); ++k) {
            const int d = HexDigit(digits[k]);
            if (d < 0) BadNumber(whole);
            value = value * 16 + static_cast<unsigned>(d);
            if (value > 0xFFFFFFFFull) BadNumber(whole);
        }
        return static_cast<std::uint32_t>(value);
    }

    bool negative = false;
    if (digits[i] == '+' || digits[i] == '-') {
        negative = digits[i] == '-';
        ++i;
    }
    if (i >= digits.size()) BadNumber(whole);
    const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
    std::uint64_t value = 0;
    for (; i < digits.size(); ++i) {
        if (digits[i] < '0' || digits[i] > '9') BadNumber(whole);
        value = value * 10 + static_cast<unsigned>(digits[i] - '0');
        if (value > limit) BadNumber(whole);
    }
    const std::uint32_t magnitude = static_cast<std::uint32_t>(value);
    return negative ? 0u - magnitude : magnitude;
}

}  // namespace

const std::string& XmlEncodedByte(unsigned char code) { return Encoding().text[code]; }

unsigned char XmlReferenceCode(const char* data, std::size_t length) {
    const std::string_view name(data, length);
    if (name.empty()) return 0;
    if (name.front() == '#') return static_cast<unsigned char>(NumericValue(name.substr(1), name) & 0xFFu);

    const NameTable& table = Names();
    const std::string key(name);
    auto exact = table.exact.find(key);
    if (exact != table.exact.end()) return exact->second;
    auto folded = table.folded.find(AsciiFolded(name));
    return folded != table.folded.end() ? folded->second : 0;
}

std::string TXMLCodec::Encode(const std::string& text) {
    const EncodeTable& table = Encoding();
    std::string result;
    result.reserve(text.size() + text.size() / 4);
    for (char c : text) result += table.text[static_cast<unsigned char>(c)];
    return result;
}

std::string TXMLCodec::Decode(const std::string& text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    const char* amp = static_cast<const char*>(std::memchr(p, '&', text.size()));
    if (amp == nullptr) return text;

    std::string result;
    result.reserve(text.size());
    while (amp != nullptr) {
        result.append(p, amp);
        const char* nameStart = amp + 1;
        const char* semicolon = static_cast<const char*>(std::memchr(nameStart, ';', static_cast<size_t>(end - nameStart)));
        // Without a ";" the name is empty and the rest of the text is gone.
        const unsigned char code =
            semicolon == nullptr ? 0 : XmlReferenceCode(nameStart, static_cast<size_t>(semicolon - nameStart));
        if (code != 0) result += static_cast<char>(code);
        p = semicolon == nullptr ? end : semicolon + 1;
        amp = static_cast<const char*>(std::memchr(p, '&', static_cast<size_t>(end - p)));
    }
    result.append(p, end);
    return result;
}
