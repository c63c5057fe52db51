#include "xml/XmlParser.h"

#include "xml/XmlScan.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <typeinfo>


namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// A piece [begin, end) of the reader's buffer. The reader never copies the rest
// of the text: every step narrows such a piece.
struct Piece {
    const char* begin;
    const char* end;
    size_t size() const { return static_cast<size_t>(end - begin); }
    bool empty() const { return begin == end; }
};

Piece Trimmed(Piece p) {
    p.begin = XmlSkipSpaces(p.begin, p.end);  // indentation, mostly
    while (p.begin < p.end && IsBlank(*p.begin)) ++p.begin;
    while (p.end > p.begin && IsBlank(p.end[-1])) --p.end;
    return p;
}

const char* Find(Piece p, char c) { return XmlFindByte(p.begin, p.end, c); }

// First CR or LF in [p, end), or nullptr.
inline const char* FindLineBreak(const char* p, const char* end) {
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, cr), _mm_cmpeq_epi8(chunk, lf))));
        if (mask != 0) return p + __builtin_ctz(mask);
        p += 16;
    }
#endif
    for (; p < end; ++p)
        if (*p == '\r' || *p == '\n') return p;
    return nullptr;
}

// memmove for the joining of lines, where `to` never lies after `from` and the
// pieces are short (one line): a forward copy in 16-byte steps is safe then,
// and cheaper than the call.
inline void MoveDown(char* to, const char* from, size_t n) {
#ifdef __SSE2__
    if (n >= 16) {
        const __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + n - 16));
        for (size_t i = 0; i + 16 <= n; i += 16)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(to + n - 16), tail);
        return;
    }
#endif
    for (size_t i = 0; i < n; ++i) to[i] = from[i];
}

// A to Z to a to z, every other byte as it is.
constexpr std::array<char, 256> MakeLowerTable() {
    std::array<char, 256> map{};
    for (int c = 0; c < 256; ++c) map[static_cast<size_t>(c)] = static_cast<char>((c >= 'A' && c <= 'Z') ? c + 32 : c);
    return map;
}
constexpr std::array<char, 256> kLower = MakeLowerTable();
inline char AsciiLower(char c) { return kLower[static_cast<unsigned char>(c)]; }

bool StartsWithName(const char* at, const char* end, Piece name) {
    if (static_cast<size_t>(end - at) < name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        if (AsciiLower(at[i]) != AsciiLower(name.begin[i])) return false;
    }
    return true;
}

// Every "<" in the reader's buffer, found once: its position and, for the
// closing-tag search, the two bytes after it folded to lower case and the two
// bytes after a "</" folded likewise (0 where there is none). The searches of
// nested elements walk the same stretches again and again; walking these small
// lists stays in the cache, where reading the text itself at every "<" does
// not. Two bytes rather than one keep names that share their first letter
// ("list" around many "launcher...") from sending the search into the text.
// Positions are held as offsets into the text, 32 bits wide wherever the text
// allows, which halves the largest list.
template <typename Offset>
class AngleIndex {
public:
    AngleIndex(const char* data, size_t size) : base_(data) {
        const size_t expected = size / 24 + 16;  // a backup file has one "<" in about 30 bytes
        positions_.reserve(expected);
        opens_.reserve(expected);
        closes_.reserve(expected);
        size_t i = 0;
#ifdef __SSE2__
        const __m128i angle = _mm_set1_epi8('<');
        for (; i + 16 <= size; i += 16) {
            const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
            unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, angle)));
            while (mask != 0) {
                Add(data, size, i + static_cast<unsigned>(__builtin_ctz(mask)));
                mask &= mask - 1;
            }
        }
#endif
        for (; i < size; ++i)
            if (data[i] == '<') Add(data, size, i);
    }

    // Index of the first "<" at or after `at`; `hint` is a position known to lie
    // at or before the answer (reading moves forward through the buffer).
    size_t FirstAtOrAfter(const char* atPosition, size_t hint) const {
        const Offset at = static_cast<Offset>(atPosition - base_);
        const size_t size = positions_.size();
        size_t k = std::min(hint, size);
        if (k > 0 && positions_[k - 1] >= at) k = 0;  // not a valid hint
        if (k == size || positions_[k] >= at) return k;
        // Galloping from the hint: the answer is mostly near it.
        size_t step = 1;
        while (k + step < size && positions_[k + step] < at) {
            k += step;
            step *= 2;
        }
        const size_t last = std::min(k + step, size);
        return static_cast<size_t>(std::lower_bound(positions_.begin() + static_cast<std::ptrdiff_t>(k + 1),
                                                    positions_.begin() + static_cast<std::ptrdiff_t>(last), at) -
                                   positions_.begin());
    }
    size_t size() const { return positions_.size(); }
    const char* operator[](size_t k) const { return base_ + positions_[k]; }

    // The key NextCandidate looks for: the name's first two bytes folded, and
    // the mask of the bytes that count (a one-byte name has only the first).
    static uint16_t KeyOf(Piece name, uint16_t& mask) {
        const uint16_t first = static_cast<unsigned char>(AsciiLower(name.begin[0]));
        if (name.size() < 2) {
            mask = 0x00FF;
            return first;
        }
        mask = 0xFFFF;
        return static_cast<uint16_t>(first | static_cast<unsigned char>(AsciiLower(name.begin[1])) << 8);
    }

    // The first index in [from, to) whose two bytes after "<" or after "</",
    // masked, are `key`, or `to`. Every "<" that starts the name or "/" and the
    // name is among the candidates; a few others may be.
    size_t NextCandidate(size_t from, size_t to, uint16_t key, uint16_t mask) const {
        size_t k = from;
#ifdef __SSE2__
        const __m128i wanted = _mm_set1_epi16(static_cast<short>(key));
        const __m128i masks = _mm_set1_epi16(static_cast<short>(mask));
        for (; k + 8 <= to; k += 8) {
            const __m128i o = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(opens_.data() + k)), masks);
            const __m128i c = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(closes_.data() + k)), masks);
            const unsigned bits = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(o, wanted), _mm_cmpeq_epi16(c, wanted))));
            if (bits != 0) return k + static_cast<unsigned>(__builtin_ctz(bits)) / 2;
        }
#endif
        for (; k < to; ++k)
            if ((opens_[k] & mask) == key || (closes_[k] & mask) == key) return k;
        return to;
    }

private:
    static uint16_t Pair(const char* data, size_t size, size_t at) {
        const uint16_t a = at < size ? static_cast<unsigned char>(AsciiLower(data[at])) : 0;
        const uint16_t b = at + 1 < size ? static_cast<unsigned char>(AsciiLower(data[at + 1])) : 0;
        return static_cast<uint16_t>(a | b << 8);
    }
    void Add(const char* data, size_t size, size_t at) {
        positions_.push_back(static_cast<Offset>(at));
        opens_.push_back(Pair(data, size, at + 1));
        closes_.push_back(at + 1 < size && data[at + 1] == '/' ? Pair(data, size, at + 2) : 0);
    }

    const char* base_;
    std::vector<Offset> positions_;
    std::vector<uint16_t> opens_;
    std::vector<uint16_t> closes_;
};

// The closing-tag search: the index of the "<" at which the depth, starting at
// 1, reaches 0, counting "<"+name up and "</"+name down as prefixes of the raw
// text (so "<name2>" counts as well), among the "<" with indices [from, to),
// which are those inside rest. `to` when it never reaches 0.
template <typename Index>
size_t ClosingTag(const Index& angles, size_t from, size_t to, Piece rest, Piece name) {
    // With an empty name every "<" opens and every "</" also closes at the same
    // place, so the depth never falls.
    if (name.empty()) return to;
    const unsigned char first = static_cast<unsigned char>(AsciiLower(*name.begin));
    uint16_t mask = 0;
    const uint16_t key = Index::KeyOf(name, mask);
    int64_t depth = 1;
    for (size_t k = from; k < to; ++k) {
        // Only a "<" followed by the name's first bytes, directly or after a
        // "/", can change the depth; the lists say where those are. A name that
        // begins with a byte 0 is looked for everywhere.
        if (first != 0) {
            k = angles.NextCandidate(k, to, key, mask);
            if (k == to) break;
        }
        const char* p = angles[k];
        const size_t left = static_cast<size_t>(rest.end - p);
        if (left < 2) continue;
        const char next = p[1];
        const bool opens = AsciiLower(next) == static_cast<char>(first) && StartsWithName(p + 1, rest.end, name);
        const bool closes = next == '/' && left > 2 && AsciiLower(p[2]) == static_cast<char>(first) &&
                            StartsWithName(p + 2, rest.end, name);
        depth += static_cast<int>(opens) - static_cast<int>(closes);
        if (depth == 0) return k;
    }
    return to;
}

// One pending ParseText call: its rest and its parent. Element content is read
// by pushing a frame instead of recursing, so the depth of the input costs heap,
// not stack.
struct Frame {
    Piece rest;
    TXMLTag* parent;
    size_t end;  // index of the first "<" at or after rest.end
};

// Receives the writer's lines: a list of lines for WriteNode, the file text
// with CR LF after every line for SaveToText.
class LineWriter {
public:
    using Pieces = std::array<std::string_view, 5>;
    virtual ~LineWriter() = default;
    // One line: `indent` spaces, then the pieces.
    void Line(int indent, std::string_view a, std::string_view b = {}, std::string_view c = {},
              std::string_view d = {}, std::string_view e = {}) {
        Put(indent, Pieces{a, b, c, d, e});
    }

protected:
    virtual void Put(int indent, const Pieces& pieces) = 0;
};

class ListWriter : public LineWriter {
public:
    explicit ListWriter(std::vector<std::string>& lines) : lines_(lines) {}

protected:
    void Put(int indent, const Pieces& pieces) override {
        std::string line(static_cast<size_t>(indent), ' ');
        for (std::string_view s : pieces) line.append(s.data(), s.size());
        lines_.push_back(std::move(line));
    }

private:
    std::vector<std::string>& lines_;
};

class TextWriter : public LineWriter {
public:
    explicit TextWriter(std::string& text) : text_(text) {}

protected:
    void Put(int indent, const Pieces& pieces) override {
        text_.append(static_cast<size_t>(indent), ' ');
        for (std::string_view s : pieces) text_.append(s.data(), s.size());
        text_ += "\r\n";
    }

private:
    std::string& text_;
};

std::string TrimmedString(const std::string& s) {
    Piece p = Trimmed(Piece{s.data(), s.data() + s.size()});
    return std::string(p.begin, p.end);
}

std::string Encoded(TXMLCodec* codec, const std::string& text) { return codec ? codec->Encode(text) : text; }

// Writes the children of `element` at `indent`, or with includeRoot the element
// itself. Deep trees are walked with a stack of their own.
void WriteTree(TXMLCodec* codec, TXMLTag* element, bool includeRoot, int indent, LineWriter& out) {
    struct Level {
        TXMLTag* tag;       // whose children are written
        int next;           // next child position
        int indent;         // of the children
        TXMLTag* onlyChild; // include root: the element stands alone in place of tag's children
    };
    std::vector<Level> stack;
    stack.push_back(Level{element, 0, indent, includeRoot ? element : nullptr});
    while (!stack.empty()) {
        Level& level = stack.back();
        TXMLBase* child = nullptr;
        if (level.onlyChild != nullptr) {
            if (level.next == 0) child = level.onlyChild;
        } else if (level.tag != nullptr) {
            child = level.tag->Items.Item(level.next);
        }
        if (child == nullptr) {
            const int closingIndent = level.indent - 2;
            TXMLTag* closed = stack.size() > 1 ? level.tag : nullptr;
            stack.pop_back();
            if (closed != nullptr) out.Line(closingIndent, "</", closed->Name, ">");
            continue;
        }
        ++level.next;
        const int n = level.indent;

        if (const TXMLText* text = child->AsText()) {
            out.Line(n, Encoded(codec, text->Text));
            continue;
        }
        TXMLTag* tag = child->AsTag();
        const std::string start = TrimmedString("<" + tag->Name + " " + tag->Attributes.AsText());
        if (tag->Items.Count() == 0) {
            out.Line(n, start, " />");
            continue;
        }
        if (tag->Items.TagCount() == 0) {
            const std::string text = Encoded(codec, tag->Text());
            // The one-line form: start + ">" + text + "</" + name + ">".
            const size_t oneLine = start.size() + 1 + text.size() + 2 + tag->Name.size() + 1;
            if (oneLine <= 80) {
                out.Line(n, start, ">", text, "</" + tag->Name, ">");
                continue;
            }
        }
        out.Line(n, start, ">");
        stack.push_back(Level{tag, 0, n + 2, nullptr});
    }
}

}  // namespace

std::string XmlNotValidMessage(const std::string& fileName) {
    return "\"" + fileName + "\" ist keine g\xFCltige XML-Datei!";
}

bool TXMLParser::LoadFromText(const std::string& bytes, const std::string& fileName, TXMLTag* root) {
    std::string buffer(bytes);
    return LoadFromBuffer(&buffer[0], buffer.size(), fileName, root);
}

bool TXMLParser::LoadFromBuffer(char* data, std::size_t size, const std::string& fileName, TXMLTag* root) {
    // Lines end at CR, with an LF right after it belonging to the line end; an
    // LF elsewhere is an ordinary byte; byte 26 ends the file.
    const char* p = data;
    const char* end = data + size;
    if (const char* eof = Find(Piece{p, end}, 26)) end = eof;

    auto nextLine = [&](Piece& line) {
        const char* cr = Find(Piece{p, end}, '\r');
        line = Piece{p, cr ? cr : end};
        p = cr ? cr + 1 : end;
        if (p < end && *p == '\n') ++p;
    };

    // Everything up to and including the first line holding "<?xml" is skipped.
    bool declared = false;
    while (p < end && !declared) {
        Piece line;
        nextLine(line);
        declared = std::string_view(line.begin, line.size()).find("<?xml") != std::string_view::npos;
    }
    if (!declared || p >= end) throw EXMLException(XmlNotValidMessage(fileName));

    // The trimmed lines joined, and the LF bytes inside lines dropped, as
    // ParseText would drop them. The joined text is never longer than what it
    // was read from, so it is built in place at the front of the buffer.
    char* to = data;
    while (p < end) {
        Piece line;
        const char* stop = FindLineBreak(p, end);
        if (stop == nullptr || *stop == '\r') {
            // The usual line: no LF before its CR, so it is only trimmed.
            line = Trimmed(Piece{p, stop ? stop : end});
            p = stop ? stop + 1 : end;
            if (p < end && *p == '\n') ++p;
            MoveDown(to, line.begin, line.size());
            to += line.size();
            continue;
        }
        nextLine(line);
        line = Trimmed(line);
        while (const char* lf = Find(line, '\n')) {
            MoveDown(to, line.begin, static_cast<size_t>(lf - line.begin));
            to += lf - line.begin;
            line.begin = lf + 1;
        }
        MoveDown(to, line.begin, line.size());
        to += line.size();
    }
    if (root == nullptr) return false;
    return ParseCleanText(data, static_cast<size_t>(to - data), root);
}

bool TXMLParser::ParseText(const std::string& text, TXMLTag* parent) {
    if (parent == nullptr) return false;
    if (std::memchr(text.data(), '\r', text.size()) == nullptr && std::memchr(text.data(), '\n', text.size()) == nullptr)
        return ParseCleanText(text.data(), text.size(), parent);
    std::string clean;
    clean.reserve(text.size());
    for (char c : text)
        if (c != '\r' && c != '\n') clean += c;
    return ParseCleanText(clean.data(), clean.size(), parent);
}

bool TXMLParser::AddTextChild(TXMLTag* parent, const char* text, std::size_t length) {
    if (Codec != nullptr && typeid(*Codec) == typeid(TXMLCodec)) {
        // The plain codec decodes straight from the buffer; a text without
        // references, as most are, is taken as it stands in one allocation.
        if (XmlFindByte(text, text + length, '&') == nullptr) {
            new TXMLText(parent, std::string(text, length));
            return true;
        }
        std::string decoded;
        try {
            XmlDecodeAppend(text, length, decoded);
        } catch (const EXMLDecodeError&) {
            new TXMLText(parent, std::string(text, length));
            return false;
        }
        new TXMLText(parent, std::move(decoded));
        return true;
    }
    std::string raw(text, length);
    if (Codec == nullptr) {
        new TXMLText(parent, std::move(raw));
        return true;
    }
    try {
        std::string decoded = Codec->Decode(raw);
        new TXMLText(parent, std::move(decoded));
        return true;
    } catch (const EXMLDecodeError&) {
        // A bad reference fails this step; the text is kept as it stands rather
        // than lost, and reading goes on after it.
        new TXMLText(parent, std::move(raw));
        return false;
    }
}

namespace {

// ParseCleanText with the index type chosen for the text's size.
template <typename Index, typename AddText>
bool ParseIndexed(const char* text, std::size_t size, TXMLTag* parent, AddText addText) {
    const Index angles(text, size);
    size_t cursor = 0;  // into angles: the first "<" at or after the current rest
    std::vector<Frame> frames;
    frames.push_back(Frame{Piece{text, text + size}, parent, angles.size()});
    bool result = false;

    while (!frames.empty()) {
        const size_t current = frames.size() - 1;
        Piece rest = frames[current].rest;
        TXMLTag* const into = frames[current].parent;
        const size_t restEnd = frames[current].end;
        if (rest.empty()) {
            frames.pop_back();
            continue;
        }
        bool completed = true;

        cursor = angles.FirstAtOrAfter(rest.begin, cursor);
        const char* lt = cursor < restEnd ? angles[cursor] : nullptr;
        if (lt == nullptr) {
            // Text to the end, as it stands (not trimmed).
            completed = addText(into, rest.begin, rest.size());
            frames[current].rest = Piece{rest.end, rest.end};
            if (current == 0) result = completed;
            continue;
        }
        const Piece leading = Trimmed(Piece{rest.begin, lt});
        if (!leading.empty()) completed = addText(into, leading.begin, leading.size());
        rest.begin = lt;

        const char* gt = Find(rest, '>');
        if (gt == nullptr) {
            // A "<" with no ">" after it: a nameless element whose content is the
            // rest but its last byte, which again is a "<" without ">". So it
            // ends as a chain of nameless elements, one per byte of the rest.
            TXMLTag* chain = into;
            for (size_t i = 0; i < rest.size(); ++i) chain = new TXMLTag(chain);
            frames[current].rest = Piece{rest.end, rest.end};
            if (current == 0) result = completed;
            continue;
        }
        Piece tagText = Trimmed(Piece{lt + 1, gt});
        rest = Trimmed(Piece{gt + 1, rest.end});

        bool empty = false;
        if (!tagText.empty() && tagText.end[-1] == '/') {
            --tagText.end;
            empty = true;
        }
        if (!tagText.empty() && *tagText.begin == '!') {
            ++tagText.begin;
            empty = true;
        } else if (!tagText.empty() && *tagText.begin == '?') {
            ++tagText.begin;
            if (!tagText.empty() && tagText.end[-1] == '?') --tagText.end;
            empty = true;
        }

        Piece name = tagText;
        Piece attributes{tagText.end, tagText.end};
        if (const char* space = Find(tagText, ' ')) {
            name = Trimmed(Piece{tagText.begin, space});
            attributes = Trimmed(Piece{space, tagText.end});
        }

        if (empty) {
            TXMLTag* element = new TXMLTag(into, std::string(name.begin, name.end));
            if (!attributes.empty()) element->Attributes.ParseText(attributes.begin, attributes.size());
            frames[current].rest = rest;
            if (current == 0) result = completed;
            continue;
        }

        Piece content;
        size_t contentEnd = restEnd;
        const size_t contentStart = angles.FirstAtOrAfter(rest.begin, cursor);
        const size_t closingIndex = ClosingTag(angles, contentStart, restEnd, rest, name);
        if (closingIndex < restEnd) {
            const char* closing = angles[closingIndex];
            content = Piece{rest.begin, closing};
            contentEnd = closingIndex;
            const char* afterEnd = Find(Piece{closing, rest.end}, '>');
            rest = afterEnd ? Piece{afterEnd + 1, rest.end} : Piece{rest.end, rest.end};
        } else {
            // No end tag: all but the last byte is the content, nothing is left.
            content = Piece{rest.begin, rest.empty() ? rest.end : rest.end - 1};
            rest = Piece{rest.end, rest.end};
            contentEnd = angles.FirstAtOrAfter(content.end, cursor);
        }
        TXMLTag* element = new TXMLTag(into, std::string(name.begin, name.end));
        if (!attributes.empty()) element->Attributes.ParseText(attributes.begin, attributes.size());
        frames[current].rest = rest;
        if (current == 0) result = completed;
        // The content is read before this call's next step; its result does not
        // count. Content without any "<" is one text as it stands, added at once
        // (most elements of a backup file hold just that).
        if (contentStart == contentEnd) {
            if (!content.empty()) addText(element, content.begin, content.size());
            continue;
        }
        frames.push_back(Frame{content, element, contentEnd});
    }
    return result;
}

}  // namespace

bool TXMLParser::ParseCleanText(const char* text, std::size_t size, TXMLTag* parent) {
    auto addText = [this](TXMLTag* into, const char* piece, std::size_t length) {
        return AddTextChild(into, piece, length);
    };
    if (size <= UINT32_MAX) return ParseIndexed<AngleIndex<uint32_t>>(text, size, parent, addText);
    return ParseIndexed<AngleIndex<uint64_t>>(text, size, parent, addText);
}

void TXMLParser::WriteNode(TXMLTag* element, std::vector<std::string>& lines, bool includeRoot, int indentation) {
    if (element == nullptr) return;
    ListWriter out(lines);
    WriteTree(Codec, element, includeRoot, indentation, out);
}

std::string TXMLParser::SaveToText(TXMLTag* element, bool includeRoot, bool standalone) {
    std::string text;
    TextWriter out(text);
    out.Line(0, standalone ? "<?xml version=\"1.0\" standalone=\"yes\"?>" : "<?xml version=\"1.0\"?>");
    if (element != nullptr) WriteTree(Codec, element, includeRoot, 0, out);
    return text;
}
