#include "xml/XmlParser.h"

#include <array>
#include <cstring>
#include <string_view>
#include <utility>

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

// ------------------------------------------------------------------ lines

// The content of a file: the lines after the first line holding "<?xml", up to
// a byte 26, which ends the file. A line ends at CR, with an LF right after it
// belonging to the line end; an LF elsewhere is an ordinary byte.
struct Content {
    const char* begin;
    const char* end;
    int firstLine;  // 1-based number of the line at begin
};

// The line at p: [p, its end), and the start of the next one in `next`.
const char* LineEnd(const char* p, const char* end, const char*& next) {
    const char* cr = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)));
    if (cr == nullptr) {
        next = end;
        return end;
    }
    next = cr + 1;
    if (next < end && *next == '\n') ++next;
    return cr;
}

// False when the file has no declaration line, or nothing after it.
bool FindContent(const std::string& bytes, Content& content) {
    const char* p = bytes.data();
    const char* stop = static_cast<const char*>(std::memchr(p, 26, bytes.size()));
    if (stop == nullptr) stop = p + bytes.size();
    int line = 1;
    while (p < stop) {
        const char* next = nullptr;
        const char* end = LineEnd(p, stop, next);
        const bool declaration =
            std::string_view(p, static_cast<size_t>(end - p)).find("<?xml") != std::string_view::npos;
        p = next;
        ++line;
        if (declaration) {
            content = Content{p, stop, line};
            return p < stop;
        }
    }
    return false;
}

// What one line adds to the joined text: the line trimmed, its LF bytes dropped.
template <typename Put>
void JoinedLine(const char* begin, const char* end, Put put) {
    while (begin < end && IsBlank(*begin)) ++begin;
    while (end > begin && IsBlank(end[-1])) --end;
    while (begin < end) {
        const char* lf = static_cast<const char*>(std::memchr(begin, '\n', static_cast<size_t>(end - begin)));
        const char* piece = lf ? lf : end;
        put(begin, static_cast<size_t>(piece - begin));
        begin = lf ? lf + 1 : end;
    }
}

// The lines trimmed and joined with nothing between them: markup may run over
// lines, and the indentation of the writer's layout goes.
std::string JoinLines(const Content& content) {
    std::string joined;
    joined.reserve(static_cast<size_t>(content.end - content.begin));
    for (const char* p = content.begin; p < content.end;) {
        const char* next = nullptr;
        const char* end = LineEnd(p, content.end, next);
        JoinedLine(p, end, [&joined](const char* piece, size_t length) { joined.append(piece, length); });
        p = next;
    }
    return joined;
}

// The number of the line that holds byte `offset` of the joined text; for the
// end of the joined text, the last line that added to it.
int LineOf(const Content& content, size_t offset) {
    size_t start = 0;
    int line = content.firstLine;
    int lastWithBytes = content.firstLine;
    for (const char* p = content.begin; p < content.end; ++line) {
        const char* next = nullptr;
        const char* end = LineEnd(p, content.end, next);
        size_t length = 0;
        JoinedLine(p, end, [&length](const char*, size_t piece) { length += piece; });
        if (offset < start + length) return line;
        if (length > 0) lastWithBytes = line;
        start += length;
        p = next;
    }
    return lastWithBytes;
}

// ----------------------------------------------------------------- reader

// The reader of the joined text: one pass from the front with a stack of the
// open elements, where an end tag closes the innermost one. Every node goes
// into the tree as it is read; at the first thing that is not of the accepted
// shape it stops and says where and what it expected.
//
// The texts keep the trimming rules of the line reading: a text before a tag
// loses its blanks at both ends, the last text of an element only at its
// start, and not even there when it follows an end tag. A reference is
// decoded after the trimming, so "&#32;" keeps a blank at the edge.
class Reader {
public:
    Reader(std::string_view text, TXMLCodec* codec) : text_(text), codec_(codec) {}

    // Reads the text into root; false when it refuses the text.
    bool Read(TXMLTag& root);

    // Where and why it refused: the offset into the text, what it expected
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
    bool ReadText(TXMLTag* parent, size_t begin, size_t end, bool last);
    bool ReadStartTag(TXMLTag* parent, size_t lt, size_t gt);
    bool ReadEndTag(size_t lt, size_t gt);
    bool Decode(size_t at, std::string& text);

    const std::string_view text_;
    TXMLCodec* const codec_;
    std::vector<TXMLTag*> open_;
    bool afterEndTag_ = false;  // the markup before the text now read was an end tag
    bool elementRead_ = false;  // the file's one element has begun
};

// Bytes that stop the scan of a text or a tag: "<", ">", and the control bytes
// (all below 32 but the tab; the line reading has removed CR and LF).
enum ByteClass : unsigned char { kPlain, kOpen, kClose, kControl };
constexpr std::array<unsigned char, 256> MakeByteClasses() {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c < 32; ++c) classes[static_cast<size_t>(c)] = c == '\t' ? kPlain : kControl;
    classes['<'] = kOpen;
    classes['>'] = kClose;
    return classes;
}
constexpr std::array<unsigned char, 256> kByteClasses = MakeByteClasses();
inline unsigned char ClassOf(char c) { return kByteClasses[static_cast<unsigned char>(c)]; }

bool Reader::Read(TXMLTag& root) {
    const size_t size = text_.size();
    size_t p = 0;
    for (;;) {
        size_t lt = p;
        while (lt < size && ClassOf(text_[lt]) != kOpen) {
            if (ClassOf(text_[lt]) == kControl) return Refuse(lt, XmlExpected::Character);
            ++lt;
        }
        TXMLTag* const parent = open_.empty() ? &root : open_.back();
        const bool endTag = lt + 1 < size && text_[lt + 1] == '/';
        if (lt > p && !ReadText(parent, p, lt, lt == size || endTag)) return false;
        if (lt == size) break;

        size_t gt = lt + 1;
        for (; gt < size && ClassOf(text_[gt]) != kClose; ++gt) {
            if (ClassOf(text_[gt]) == kOpen) return Refuse(gt, XmlExpected::TagEnd, ">");
            if (ClassOf(text_[gt]) == kControl) return Refuse(gt, XmlExpected::Character);
        }
        if (gt == size) return Refuse(size, XmlExpected::TagEnd, ">");
        if (!(endTag ? ReadEndTag(lt, gt) : ReadStartTag(parent, lt, gt))) return false;
        afterEndTag_ = endTag;
        p = gt + 1;
    }
    if (!open_.empty()) return Refuse(size, XmlExpected::EndTag, "</" + open_.back()->Name + ">");
    return true;
}

bool Reader::ReadText(TXMLTag* parent, size_t begin, size_t end, bool last) {
    if (!(last && afterEndTag_))
        while (begin < end && IsBlank(text_[begin])) ++begin;
    if (!last)
        while (end > begin && IsBlank(text_[end - 1])) --end;
    if (open_.empty()) {
        // Outside the file's element only blanks may stand.
        while (begin < end && IsBlank(text_[begin])) ++begin;
        if (begin == end) return true;
        return Refuse(begin, elementRead_ ? XmlExpected::EndOfFile : XmlExpected::Element);
    }
    if (begin == end) return true;
    std::string text(text_.substr(begin, end - begin));
    if (codec_ != nullptr && !Decode(begin, text)) return false;
    new TXMLText(parent, std::move(text));
    return true;
}

// Every "&" must begin a reference the codec knows; `at` is where the text
// stands in the joined text.
bool Reader::Decode(size_t at, std::string& text) {
    for (size_t amp = text.find('&'); amp != std::string::npos; amp = text.find('&', amp + 1)) {
        const size_t semicolon = text.find(';', amp + 1);
        const size_t nameLength = semicolon == std::string::npos ? 0 : semicolon - amp - 1;
        unsigned char code = 0;
        try {
            if (nameLength > 0) code = XmlReferenceCode(text.data() + amp + 1, nameLength);
        } catch (const EXMLDecodeError&) {
        }
        if (code == 0) {
            const size_t shown = semicolon == std::string::npos ? text.size() - amp : nameLength + 2;
            return Refuse(at + amp, XmlExpected::Reference, text.substr(amp, std::min<size_t>(shown, 16)));
        }
        amp = semicolon;
    }
    try {
        text = codec_->Decode(text);
    } catch (const EXMLDecodeError&) {
        return Refuse(at, XmlExpected::Reference, text.substr(0, std::min<size_t>(text.size(), 16)));
    }
    return true;
}

// The tag [lt, gt]: "<name attributes>", "<name/>", or a declaration
// "<?name ...?>" or "<!name ...>", which like "<name/>" has no content.
bool Reader::ReadStartTag(TXMLTag* parent, size_t lt, size_t gt) {
    std::string_view body = text_.substr(lt + 1, gt - lt - 1);
    size_t nameAt = lt + 1;
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
    if (body.empty() || IsBlank(body.front())) return Refuse(nameAt, XmlExpected::Name);
    if (open_.empty() && !declaration) {
        if (elementRead_) return Refuse(lt, XmlExpected::EndOfFile);
        elementRead_ = true;
    }
    if (open_.size() >= static_cast<size_t>(kXmlDeepestNesting)) return Refuse(lt, XmlExpected::LessNesting);

    const size_t space = body.find(' ');
    std::string_view name = body.substr(0, space);
    while (IsBlank(name.back())) name.remove_suffix(1);
    TXMLTag* const element = new TXMLTag(parent, std::string(name));
    if (space != std::string_view::npos) element->Attributes.ParseText(body.substr(space));
    if (!empty) open_.push_back(element);
    return true;
}

// The tag [lt, gt] is "</name>", blanks allowed before the ">".
bool Reader::ReadEndTag(size_t lt, size_t gt) {
    std::string_view name = text_.substr(lt + 2, gt - lt - 2);
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

namespace {

std::string ReasonText(int line, XmlExpected expected, const std::string& detail) {
    std::string what;
    switch (expected) {
        case XmlExpected::Declaration:
            return std::string();
        case XmlExpected::EndTag:
        case XmlExpected::TagEnd:
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
        case XmlExpected::LessNesting:
            what =
                "h\xF6"
                "chstens " +
                std::to_string(kXmlDeepestNesting) + " verschachtelte Elemente";
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
    Content content{};
    if (!FindContent(bytes, content)) throw EXMLException(XmlNotValidMessage(fileName), fileName);
    if (root == nullptr) return false;
    const std::string joined = JoinLines(content);
    // Read into a root of its own, so that a refused file adds nothing.
    TXMLTag read;
    Reader reader(joined, Codec);
    if (!reader.Read(read))
        throw EXMLException(fileName, LineOf(content, reader.refusedAt), reader.expected, reader.detail);
    while (read.Items.Count() > 0) root->Items.Add(read.Items.Remove(0));
    return !joined.empty();
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
