#include "xml/XmlParser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <typeinfo>
#include <utility>

namespace {

// ------------------------------------------------------------------ lines

// The content of a file: the lines after the first line holding "<?xml", up to
// a byte 26, which ends the file. A line ends at CR, with an LF right after it
// belonging to the line end; an LF elsewhere is an ordinary byte.
struct Content {
    std::string_view bytes;
    int firstLine;  // 1-based number of its first line
};

// False when the file has no declaration line, or nothing after it.
bool FindContent(std::string_view file, Content& content) {
    const size_t stop = std::min(file.find('\x1A'), file.size());
    int line = 1;
    for (size_t p = 0; p < stop; ++line) {
        const size_t cr = std::min(file.find('\r', p), stop);
        const bool declaration = file.substr(p, cr - p).find("<?xml") != std::string_view::npos;
        p = cr == stop ? stop : cr + 1;
        if (p < stop && file[p] == '\n') ++p;
        if (declaration) {
            content = Content{file.substr(p, stop - p), line + 1};
            return p < stop;
        }
    }
    return false;
}

// The content reads as its lines trimmed (bytes 0 to 32 at both ends) and
// joined with nothing between them, LF bytes dropped: markup may run over
// lines, and the indentation of the writer's layout goes. So a run of bytes
// 0 to 32 that holds a CR, or that begins or ends the content, goes as a
// whole, and so does every other LF. The reader reads the content as it
// stands and joins only the pieces between "<" and ">" that hold a byte below
// 32 (the writer's layout: only the line break and indentation between tags).

// A text or tag as the joined lines show it, and where in the content each of
// its bytes stands, for the line of a refusal. Almost every piece is plain: its
// bytes as they stand. A joined one borrows the reader's scratch buffers, as the
// reader is done with one piece before it makes the next.
struct JoinScratch {
    std::string bytes;
    std::vector<size_t> origin;
};

inline bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// Whether no byte is below 32 but the tab: the long texts the writer puts on a
// line of their own are checked a word at a time.
bool NoControlBytes(std::string_view bytes) {
    constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
    size_t i = 0;
    for (uint64_t word; i + 8 <= bytes.size(); i += 8) {
        std::memcpy(&word, bytes.data() + i, 8);
        if (((word - kOnes * 32) & ~word & kHighs) != 0) break;
    }
    for (; i < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) < 32 && bytes[i] != '\t') return false;
    return true;
}

class Piece {
public:
    // The bytes [begin, end) of the content, joined unless plain.
    Piece(std::string_view content, size_t begin, size_t end, bool plain, JoinScratch& scratch) : begin_(begin) {
        if (plain) {
            bytes = content.substr(begin, end - begin);
        } else {
            Join(content, end, scratch);
        }
    }

    std::string_view bytes;
    // Joined from parts: the only kind that can hold a byte below 32 but the tab.
    bool joined = false;
    size_t At(size_t i) const { return origin_ == nullptr ? begin_ + i : (*origin_)[i]; }

private:
    // Apart from the constructor, which inlines into the reader's loop: few
    // pieces are joined.
    [[gnu::noinline]] void Join(std::string_view content, size_t end, JoinScratch& scratch);

    size_t begin_;
    const std::vector<size_t>* origin_ = nullptr;
};

void Piece::Join(std::string_view content, size_t end, JoinScratch& scratch) {
    const size_t begin = begin_;
    // Mostly a text on a line of its own: a line break and indentation, the
    // text, a line break and indentation. Such a piece is one part of the
    // content as it stands.
    size_t first = begin, last = end;
    bool dropped = first == 0;
    for (; first < last && IsBlank(content[first]); ++first) dropped = dropped || content[first] == '\r';
    if (!dropped) first = begin;
    dropped = last == content.size();
    for (; last > first && IsBlank(content[last - 1]); --last) dropped = dropped || content[last - 1] == '\r';
    if (!dropped) last = end;
    if (NoControlBytes(content.substr(first, last - first))) {
        begin_ = first;
        bytes = content.substr(first, last - first);
        return;
    }
    joined = true;
    std::string& joined_ = scratch.bytes;
    std::vector<size_t>& origin = scratch.origin;
    joined_.clear();
    origin.clear();
    for (size_t i = begin; i < end;) {
        if (!IsBlank(content[i])) {
            joined_ += content[i];
            origin.push_back(i++);
            continue;
        }
        size_t run = i;
        bool lineBreak = i == 0;
        for (; run < end && IsBlank(content[run]); ++run) lineBreak = lineBreak || content[run] == '\r';
        lineBreak = lineBreak || run == content.size();
        for (; !lineBreak && i < run; ++i) {
            if (content[i] == '\n') continue;
            joined_ += content[i];
            origin.push_back(i);
        }
        i = run;
    }
    bytes = joined_;
    origin_ = &origin;
}

// ----------------------------------------------------------------- reader

// The reader: one pass from the front with a stack of the open elements, where
// an end tag closes the innermost one. Every node goes into the tree as it is
// read; at the first thing that is not of the accepted shape it stops and says
// where and what it expected.
//
// The texts keep the trimming rules of the line reading: a text before a tag
// loses its blanks at both ends, the last text of an element only at its
// start, and not even there when it follows an end tag. A reference is
// decoded after the trimming, so "&#32;" keeps a blank at the edge.
class Reader {
public:
    Reader(std::string_view content, TXMLCodec* codec, TXMLArena& arena)
        : content_(content),
          codec_(codec),
          plainCodec_(codec != nullptr && typeid(*codec) == typeid(TXMLCodec)),
          arena_(arena) {}

    // Reads the content into root; false when it refuses the content.
    bool Read(TXMLTag& root);

    // Where and why it refused: the offset into the content, what it expected
    // there, and the markup of that (see EXMLException).
    size_t refusedAt = 0;
    XmlExpected expected = XmlExpected::Declaration;
    std::string detail;

private:
    bool Refuse(size_t at, XmlExpected what, std::string markup = std::string()) {
        refusedAt = at;
        expected = what;
        detail = std::move(markup);
        return false;
    }
    // Where the content ends, for a refusal there: after its last byte above 32.
    size_t End() const {
        size_t end = content_.size();
        while (end > 0 && IsBlank(content_[end - 1])) --end;
        return end;
    }
    bool ReadText(TXMLTag* parent, const Piece& piece, bool ampersand, bool last);
    bool Decode(const Piece& piece, size_t begin, char*& text, size_t& size);
    bool ReadStartTag(TXMLTag* parent, size_t lt, const Piece& tag);
    bool ReadEndTag(size_t lt, const Piece& tag);

    const std::string_view content_;
    TXMLCodec* const codec_;
    const bool plainCodec_;  // the codec is a TXMLCodec itself, not one of another kind
    TXMLArena& arena_;       // holds the nodes and texts read
    std::vector<TXMLTag*> open_;
    JoinScratch scratch_;
    bool afterEndTag_ = false;  // the markup before the text now read was an end tag
    bool elementRead_ = false;  // the file's one element has begun
};

// What the scan of a text or tag notes about its bytes, as flags: "<" and ">"
// end it; a byte below 32 (but the tab) makes the piece one to join and
// check; an "&" one to decode.
// kUnknown stands for a byte whose class is still to be looked up.
enum ByteClass : unsigned char { kPlain = 0, kOpen = 1, kClose = 2, kBelow32 = 4, kAmpersand = 8, kUnknown = 0xFF };
constexpr std::array<unsigned char, 256> MakeByteClasses() {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c < 32; ++c) classes[static_cast<size_t>(c)] = c == '\t' ? kPlain : kBelow32;
    classes['<'] = kOpen;
    classes['>'] = kClose;
    classes['&'] = kAmpersand;
    return classes;
}
constexpr std::array<unsigned char, 256> kByteClasses = MakeByteClasses();
inline unsigned char ClassOf(char c) { return kByteClasses[static_cast<unsigned char>(c)]; }

// Eight bytes at a time: a mask with the high bit of each byte that is c, or
// below 32. Only its lowest bit is sure (a borrow may mark a byte after the
// first one), which is all the reader asks: where the first such byte is.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the first byte of a word is its lowest");
constexpr uint64_t kOnes = 0x0101010101010101ull, kHighs = 0x8080808080808080ull;
inline uint64_t Word(const char* at) {
    uint64_t word;
    std::memcpy(&word, at, 8);
    return word;
}
inline uint64_t BytesBelow(uint64_t word, unsigned char n) { return (word - kOnes * n) & ~word & kHighs; }
inline uint64_t BytesEqual(uint64_t word, char c) {
    return BytesBelow(word ^ (kOnes * static_cast<unsigned char>(c)), 1);
}
inline size_t FirstMarked(uint64_t mask) { return static_cast<size_t>(__builtin_ctzll(mask)) / 8; }
// The mark of the first byte alone. The first mark of a mask that holds it is
// sure as well, so a mask of one kind of byte tells the kind of the first byte
// without reading it again.
inline uint64_t Lowest(uint64_t mask) { return mask & (0 - mask); }

// Where the next c stands in bytes[from, size), or npos.
size_t Find(const char* bytes, size_t size, char c, size_t from) {
    for (; from + 8 <= size; from += 8)
        if (const uint64_t found = BytesEqual(Word(bytes + from), c)) return from + FirstMarked(found);
    for (; from < size; ++from)
        if (bytes[from] == c) return from;
    return std::string::npos;
}

bool Reader::Read(TXMLTag& root) {
    const size_t size = content_.size();
    size_t p = 0;
    for (;;) {
        // Mostly the line break and indentation before the next tag, which
        // the joining of lines drops.
        size_t blanks = p;
        bool lineBreak = false;
        while (blanks < size) {
            if (blanks + 8 <= size && Word(content_.data() + blanks) == kOnes * ' ') {
                blanks += 8;
            } else if (IsBlank(content_[blanks])) {
                lineBreak = lineBreak || content_[blanks] == '\r';
                ++blanks;
            } else {
                break;
            }
        }
        if (lineBreak && blanks < size && content_[blanks] == '<') p = blanks;

        // The text up to the next "<": a word at a time, a byte at a time only
        // where the flags must note an "&" or a byte below 32 for the first time.
        size_t lt = p;
        unsigned flags = 0;
        for (; lt < size; ++lt) {
            unsigned char c = kUnknown;
            for (; lt + 8 <= size; lt += 8) {
                const uint64_t word = Word(content_.data() + lt);
                const uint64_t open = BytesEqual(word, '<');
                const uint64_t ampersand = (flags & kAmpersand) == 0 ? BytesEqual(word, '&') : 0;
                uint64_t stops = open | ampersand;
                if ((flags & kBelow32) == 0) stops |= BytesBelow(word, 32);
                if (stops != 0) {
                    lt += FirstMarked(stops);
                    c = (open & Lowest(stops)) != 0 ? kOpen : (ampersand & Lowest(stops)) != 0 ? kAmpersand : kUnknown;
                    break;
                }
            }
            if (lt == size) break;
            if (c == kUnknown) c = ClassOf(content_[lt]);
            if (c == kOpen) break;
            flags |= c;
        }
        // The content's first line loses its leading blanks, its last line
        // its trailing ones.
        const bool plain = (flags & kBelow32) == 0 && p > 0 && lt < size;
        TXMLTag* const parent = open_.empty() ? &root : open_.back();
        const bool endTag = lt + 1 < size && content_[lt + 1] == '/';
        if (lt > p &&
            !ReadText(parent, Piece(content_, p, lt, plain, scratch_), (flags & kAmpersand) != 0, lt == size || endTag))
            return false;
        if (lt == size) break;

        size_t gt = lt + 1;
        flags = 0;
        for (; gt < size; ++gt) {
            unsigned char c = kUnknown;
            for (; gt + 8 <= size; gt += 8) {
                const uint64_t word = Word(content_.data() + gt);
                const uint64_t close = BytesEqual(word, '>');
                uint64_t stops = close | BytesEqual(word, '<');
                if ((flags & kBelow32) == 0) stops |= BytesBelow(word, 32);
                if (stops != 0) {
                    gt += FirstMarked(stops);
                    if ((close & Lowest(stops)) != 0) c = kClose;
                    break;
                }
            }
            if (gt == size) break;
            if (c == kUnknown) c = ClassOf(content_[gt]);
            if (c == kClose) break;
            if (c == kOpen) return Refuse(gt, XmlExpected::TagEnd, ">");
            flags |= c;
        }
        if (gt == size) return Refuse(End(), XmlExpected::TagEnd, ">");
        const bool plainTag = (flags & kBelow32) == 0;
        const Piece tag(content_, lt + 1, gt, plainTag, scratch_);
        for (size_t i = 0; tag.joined && i < tag.bytes.size(); ++i)
            if (ClassOf(tag.bytes[i]) == kBelow32) return Refuse(tag.At(i), XmlExpected::Character);
        if (!(endTag ? ReadEndTag(lt, tag) : ReadStartTag(parent, lt, tag))) return false;
        afterEndTag_ = endTag;
        p = gt + 1;
    }
    if (!open_.empty()) return Refuse(End(), XmlExpected::EndTag, "</" + open_.back()->Name + ">");
    return true;
}

bool Reader::ReadText(TXMLTag* parent, const Piece& piece, bool ampersand, bool last) {
    const std::string_view bytes = piece.bytes;
    size_t begin = 0, end = bytes.size();
    if (!(last && afterEndTag_))
        while (begin < end && IsBlank(bytes[begin])) ++begin;
    if (!last)
        while (end > begin && IsBlank(bytes[end - 1])) --end;
    if (open_.empty()) {
        // Outside the file's element only blanks may stand.
        while (begin < end && IsBlank(bytes[begin])) ++begin;
        if (begin == end) return true;
        return Refuse(piece.At(begin), elementRead_ ? XmlExpected::EndOfFile : XmlExpected::Element);
    }
    for (size_t i = begin; piece.joined && i < end; ++i)
        if (ClassOf(bytes[i]) == kBelow32) return Refuse(piece.At(i), XmlExpected::Character);
    if (begin == end) return true;
    // The text is decoded where the arena keeps it, right after its node
    // (which then stands next to its element's).
    TXMLText* const node = arena_.NewText(parent);
    size_t size = end - begin;
    char* text = arena_.Bytes(size);
    std::memcpy(text, bytes.data() + begin, size);
    if (codec_ != nullptr && (ampersand || !plainCodec_)) {
        if (!Decode(piece, begin, text, size)) return false;
        arena_.Trim(text + size);
    }
    TXMLArena::SetText(node, std::string_view(text, size));
    return true;
}

// XmlReferenceCode, with the writer's decimal form ("#92") inline: a backup
// file holds one in most commands.
inline unsigned char ReferenceCode(const char* name, size_t length) {
    if (name[0] == '#' && length >= 2 && length <= 10) {
        uint32_t value = 0;
        size_t i = 1;
        for (; i < length && name[i] >= '0' && name[i] <= '9'; ++i)
            value = value * 10 + static_cast<uint32_t>(name[i] - '0');
        if (i == length) return static_cast<unsigned char>(value & 0xFFu);
    }
    return XmlReferenceCode(name, length);
}

// Every "&" must begin a reference the codec knows. The plain codec's
// references are checked and decoded in one pass, in place; a codec of
// another kind decodes the text once its references have been checked. The
// text stands in the piece from `begin`; `size` becomes the size decoded,
// which a codec of another kind may make larger: then the text is a new one
// in the arena.
bool Reader::Decode(const Piece& piece, size_t begin, char*& text, size_t& size) {
    const auto find = [&](char c, size_t from) { return Find(text, size, c, from); };
    const auto shown = [&](size_t at, size_t length) { return std::string(text + at, std::min<size_t>(length, 16)); };
    size_t amp = find('&', 0);
    if (amp == std::string::npos && plainCodec_) return true;
    // Decoding in place writes only before the "&" it stands at: from there
    // on the text is as read.
    size_t to = amp;
    while (amp != std::string::npos) {
        const size_t semicolon = find(';', amp + 1);
        const size_t nameLength = semicolon == std::string::npos ? 0 : semicolon - amp - 1;
        unsigned char code = 0;
        try {
            if (nameLength > 0) code = ReferenceCode(text + amp + 1, nameLength);
        } catch (const EXMLDecodeError&) {
        }
        if (code == 0) {
            const size_t length = semicolon == std::string::npos ? size - amp : nameLength + 2;
            return Refuse(piece.At(begin + amp), XmlExpected::Reference, shown(amp, length));
        }
        const size_t next = find('&', semicolon + 1);
        if (plainCodec_) {
            text[to++] = static_cast<char>(code);
            const size_t plain = (next == std::string::npos ? size : next) - (semicolon + 1);
            std::memmove(text + to, text + semicolon + 1, plain);
            to += plain;
        }
        amp = next;
    }
    if (plainCodec_) {
        size = to;
        return true;
    }
    std::string decoded;
    try {
        decoded = codec_->Decode(std::string(text, size));
    } catch (const EXMLDecodeError&) {
        return Refuse(piece.At(begin), XmlExpected::Reference, shown(0, size));
    }
    if (decoded.size() > size) text = arena_.Bytes(decoded.size());
    size = decoded.size();
    std::memcpy(text, decoded.data(), size);
    return true;
}

// The tag "<" + tag + ">" at lt: "<name attributes>", "<name/>", or a
// declaration "<?name ...?>" or "<!name ...>", which like "<name/>" has no
// content.
bool Reader::ReadStartTag(TXMLTag* parent, size_t lt, const Piece& tag) {
    std::string_view body = tag.bytes;
    size_t nameAt = 0;
    while (!body.empty() && IsBlank(body.back())) body.remove_suffix(1);
    bool empty = false;
    if (!body.empty() && body.back() == '/') {
        body.remove_suffix(1);
        empty = true;
    }
    bool declaration = false;
    if (!body.empty() && (body.front() == '!' || body.front() == '?')) {
        if (body.front() == '?' && body.size() > 1 && body.back() == '?') body.remove_suffix(1);
        body.remove_prefix(1);
        ++nameAt;
        empty = declaration = true;
    }
    if (body.empty() || IsBlank(body.front()))
        return Refuse(nameAt < tag.bytes.size() ? tag.At(nameAt) : lt + 1, XmlExpected::Name);
    if (open_.empty() && !declaration) {
        if (elementRead_) return Refuse(lt, XmlExpected::EndOfFile);
        elementRead_ = true;
    }
    if (open_.size() >= static_cast<size_t>(kXmlDeepestNesting))
        return Refuse(lt, XmlExpected::LessNesting, "</" + open_.back()->Name + ">");

    const size_t space = body.find(' ');
    std::string_view name = body.substr(0, space);
    while (IsBlank(name.back())) name.remove_suffix(1);
    TXMLTag* const element = arena_.NewTag(parent, name);
    if (space != std::string_view::npos) element->Attributes.ParseText(body.substr(space));
    if (!empty) open_.push_back(element);
    return true;
}

// The tag "<" + tag + ">" at lt is "</name>", blanks allowed before the ">".
bool Reader::ReadEndTag(size_t lt, const Piece& tag) {
    std::string_view name = tag.bytes.substr(1);
    while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
    if (open_.empty()) return Refuse(lt, elementRead_ ? XmlExpected::EndOfFile : XmlExpected::Element);
    if (!XmlSameName(name, open_.back()->Name)) return Refuse(lt, XmlExpected::EndTag, "</" + open_.back()->Name + ">");
    open_.pop_back();
    return true;
}

// ----------------------------------------------------------------- writer

// Receives the writer's lines: a list of lines for WriteNode, the file text
// with CR LF after every line for SaveToText.
class LineWriter {
public:
    using Pieces = std::array<std::string_view, 5>;
    virtual ~LineWriter() = default;
    // One line: `indent` spaces, then the pieces.
    void Line(int indent, std::string_view a, std::string_view b = {}, std::string_view c = {}, std::string_view d = {},
              std::string_view e = {}) {
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

// Trimmed for the writer, whose texts have no padding after them.
std::string TrimmedString(const std::string& s) {
    size_t first = 0, end = s.size();
    while (first < end && IsBlank(s[first])) ++first;
    while (end > first && IsBlank(s[end - 1])) --end;
    return s.substr(first, end - first);
}

// A blank at either end of a text is written as a reference: the reader trims
// the lines and the ends of texts, and decodes only after that, so " Lead"
// keeps its space. A tab is a reference already.
std::string Encoded(TXMLCodec* codec, const std::string& text) {
    if (codec == nullptr) return text;
    std::string encoded = codec->Encode(text);
    if (!encoded.empty() && encoded.back() == ' ') encoded.replace(encoded.size() - 1, 1, "&#32;");
    if (!encoded.empty() && encoded.front() == ' ') encoded.replace(0, 1, "&#32;");
    return encoded;
}

// Writes the children of `element` at `indent`, or with includeRoot the element
// itself. Deep trees are walked with a stack of their own.
void WriteTree(TXMLCodec* codec, TXMLTag* element, bool includeRoot, int indent, LineWriter& out) {
    struct Level {
        TXMLTag* tag;        // whose children are written
        int next;            // next child position
        int indent;          // of the children
        TXMLTag* onlyChild;  // include root: the element stands alone in place of
                             // tag's children
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
            out.Line(n, Encoded(codec, std::string(text->Text())));
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

namespace {

std::string ReasonText(int line, XmlExpected expected, const std::string& detail) {
    std::string what;
    switch (expected) {
        case XmlExpected::Declaration:
            return std::string();
        case XmlExpected::EndTag:
        case XmlExpected::TagEnd:
        case XmlExpected::LessNesting:
            what = detail;
            break;
        case XmlExpected::Name:
            what = "ein Elementname";
            break;
        case XmlExpected::Element:
            what = "ein Element";
            break;
        case XmlExpected::EndOfFile:
            what = "das Dateiende";
            break;
        case XmlExpected::Reference:
            what = "ein bekanntes Zeichen statt " + detail;
            break;
        case XmlExpected::Character:
            what = "ein druckbares Zeichen";
            break;
    }
    return "Zeile " + std::to_string(line) + ": erwartet wird " + what;
}

}  // namespace

EXMLException::EXMLException(const std::string& fileName, int line, XmlExpected expected, const std::string& detail)
    : EAppError(XmlNotValidMessage(fileName) + " " + ReasonText(line, expected, detail)),
      fileName_(fileName),
      line_(line),
      expected_(expected),
      detail_(detail) {}

std::string EXMLException::Reason() const { return line_ > 0 ? ReasonText(line_, expected_, detail_) : std::string(); }

bool TXMLParser::LoadFromText(const std::string& bytes, const std::string& fileName, TXMLTag* root) {
    return LoadFromBytes(bytes, fileName, root);
}

bool TXMLParser::LoadFromBytes(std::string_view bytes, const std::string& fileName, TXMLTag* root) {
    Content content{};
    if (!FindContent(bytes, content)) throw EXMLException(XmlNotValidMessage(fileName), fileName);
    if (root == nullptr) return false;
    // Read into a root of its own, so that a refused file adds nothing. The
    // nodes moved to root keep the arena alive; the reading holds it until
    // then.
    struct Holder {
        TXMLArena* arena = TXMLArena::Create();
        ~Holder() { arena->Release(); }
    } holder;
    TXMLTag read;
    Reader reader(content.bytes, Codec, *holder.arena);
    if (!reader.Read(read)) {
        const std::string_view before = content.bytes.substr(0, reader.refusedAt);
        const int line = content.firstLine + static_cast<int>(std::count(before.begin(), before.end(), '\r'));
        throw EXMLException(fileName, line, reader.expected, reader.detail);
    }
    const bool any = read.Items.Count() > 0;
    while (read.Items.Count() > 0) root->Items.Add(read.Items.Remove(0));
    return any;
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
