#include "xml/XmlCodec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

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

// Name lookup: an exact match wins; otherwise a match without regard to case
// gives the last such row in code order ("AUML" is 228, not 196). Both are
// small open-addressing tables; no name is longer than six bytes.
constexpr size_t kLongestName = 6;

class NameTable {
public:
    NameTable() {
        std::vector<std::pair<std::string, unsigned char>> rows = {
            {"quot", 34}, {"amp", 38}, {"lt", 60}, {"gt", 62}, {"EURO", 128}};
        for (unsigned c = 160; c < 256; ++c) rows.emplace_back(kHighNames[c - 160], static_cast<unsigned char>(c));
        std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
        for (const auto& row : rows) {
            Put(exact_, row.first, row.second);
            std::string folded = row.first;
            for (char& c : folded) c = AsciiLower(c);
            Put(folded_, folded, row.second);  // rows come in code order: the later one wins
        }
    }

    unsigned char Code(std::string_view name) const {
        if (name.empty() || name.size() > kLongestName) return 0;
        if (const unsigned char code = Get(exact_, name)) return code;
        char folded[kLongestName];
        for (size_t i = 0; i < name.size(); ++i) folded[i] = AsciiLower(name[i]);
        return Get(folded_, std::string_view(folded, name.size()));
    }

private:
    struct Slot {
        char name[kLongestName] = {};
        unsigned char length = 0;
        unsigned char code = 0;
    };
    static constexpr size_t kSlots = 512;  // a power of two, well above the 101 names
    using Table = std::array<Slot, kSlots>;

    static size_t Hash(std::string_view name) {
        uint32_t h = 2166136261u;
        for (char c : name) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        return h & (kSlots - 1);
    }
    static void Put(Table& table, const std::string& name, unsigned char code) {
        for (size_t i = Hash(name);; i = (i + 1) & (kSlots - 1)) {
            Slot& slot = table[i];
            if (slot.length == 0 || std::string_view(slot.name, slot.length) == name) {
                std::memcpy(slot.name, name.data(), name.size());
                slot.length = static_cast<unsigned char>(name.size());
                slot.code = code;
                return;
            }
        }
    }
    static unsigned char Get(const Table& table, std::string_view name) {
        for (size_t i = Hash(name);; i = (i + 1) & (kSlots - 1)) {
            const Slot& slot = table[i];
            if (slot.length == 0) return 0;
            if (slot.length == name.size() && std::equal(name.begin(), name.end(), slot.name)) return slot.code;
        }
    }

    Table exact_;
    Table folded_;
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
    if (name.front() == '#') {
        // The writer's form, "#" and up to nine decimal digits, without the general rules.
        if (name.size() >= 2 && name.size() <= 10) {
            uint32_t value = 0;
            size_t i = 1;
            for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i)
                value = value * 10 + static_cast<uint32_t>(name[i] - '0');
            if (i == name.size()) return static_cast<unsigned char>(value & 0xFFu);
        }
        return static_cast<unsigned char>(NumericValue(name.substr(1), name) & 0xFFu);
    }

    // The writer's own four, spelled as it spells them, before the table.
    if (name == "quot") return 34;
    if (name == "amp") return 38;
    if (name == "lt") return 60;
    if (name == "gt") return 62;
    return Names().Code(name);
}

std::string TXMLCodec::Encode(const std::string& text) {
    const EncodeTable& table = Encoding();
    std::string result;
    result.reserve(text.size() + text.size() / 4);
    for (char c : text) result += table.text[static_cast<unsigned char>(c)];
    return result;
}

std::string TXMLCodec::Decode(const std::string& text) {
    std::string result;
    XmlDecodeAppend(text.data(), text.size(), result);
    return result;
}

void XmlDecodeAppend(const char* text, std::size_t length, std::string& out) {
    const char* p = text;
    const char* const end = text + length;
    for (;;) {
        const char* amp = static_cast<const char*>(std::memchr(p, '&', static_cast<size_t>(end - p)));
        if (amp == nullptr) break;
        out.append(p, amp);
        const char* name = amp + 1;
        const char* semicolon = static_cast<const char*>(std::memchr(name, ';', static_cast<size_t>(end - name)));
        // No ";": the name is empty and the rest of the text is gone.
        if (semicolon == nullptr) return;
        if (const unsigned char code = XmlReferenceCode(name, static_cast<size_t>(semicolon - name)))
            out += static_cast<char>(code);
        p = semicolon + 1;
    }
    out.append(p, end);
}
