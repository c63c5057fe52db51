// The reader on damaged and hostile text of every shape that used to cost the
// square of its length (unclosed elements, also under ever new names holding
// "<", deep nesting, end tags that match nothing, long lines), each read at 10 MB and its whole tree checked; and the
// reader's two closing-tag searches held against the reading rules spelled out
// step by step, on many short texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "unit/xml/ReferenceReader.h"
#include "unit/xml/TreeDump.h"
#include "xml/XmlParser.h"
#include "xml/XmlReaderTuning.h"

namespace {

// Reads with the given search and puts the default back afterwards.
bool Read(XmlClosingTagSearch search, TXMLCodec* codec, const std::string& text, TXMLTag* root) {
    XmlSetClosingTagSearch(search);
    TXMLParser parser;
    parser.Codec = codec;
    const bool result = parser.ParseText(text, root);
    XmlSetClosingTagSearch(XmlClosingTagSearch::Automatic);
    return result;
}

// The tree in the picture of TreeDump, walked without recursion, with runs of
// equal consecutive pieces written once with their count: a chain of 1,000
// elements "a" gives "@a{*1000 }*1000".
std::string Summary(const TXMLTag& root) {
    std::string out, last;
    size_t count = 0;
    auto put = [&](std::string piece) {
        if (count > 0 && piece == last) {
            ++count;
            return;
        }
        if (count > 0) out += (out.empty() ? "" : " ") + last + (count > 1 ? "*" + std::to_string(count) : "");
        last = std::move(piece);
        count = 1;
    };
    struct At {
        const TXMLTag* tag;
        int next;
    };
    std::vector<At> stack{{&root, 0}};
    while (!stack.empty()) {
        At& at = stack.back();
        if (at.next == at.tag->Items.Count()) {
            stack.pop_back();
            if (!stack.empty()) put("}");
            continue;
        }
        const TXMLBase* node = at.tag->Items.Item(at.next++);
        if (const TXMLText* text = node->AsText()) {
            put("'" + text->Text + "'");
            continue;
        }
        const TXMLTag* tag = node->AsTag();
        std::string piece = "@" + tag->Name;
        if (tag->Attributes.Count() > 0) piece += "[" + std::to_string(tag->Attributes.Count()) + "]";
        if (tag->Items.Count() == 0) {
            put(std::move(piece));
            continue;
        }
        put(piece + "{");
        stack.push_back({tag, 0});
    }
    put("");  // flushes the last run
    return out;
}

std::string Repeat(const std::string& piece, size_t times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (size_t i = 0; i < times; ++i) out += piece;
    return out;
}

std::string N(size_t n) { return std::to_string(n); }

// n in six digits.
std::string Digits(size_t n) {
    const std::string digits = N(n);
    return std::string(6 - digits.size(), '0') + digits;
}

// A run of equal pieces as Summary writes it.
std::string Times(const std::string& piece, size_t n) { return n > 1 ? piece + "*" + N(n) : piece; }

std::string Nested(size_t n) {
    std::string out;
    for (size_t i = 0; i < n; ++i) out += "<d" + N(i) + ">";
    out += "x";
    for (size_t i = n; i-- > 0;) out += "</d" + N(i) + ">";
    return out;
}

struct Shape {
    const char* what;
    size_t period;  // the tree below holds for multiples of it
    size_t bytesPerUnit;
    std::function<std::string(size_t)> text;
    std::function<std::string(size_t)> tree;  // Summary of the tree read from text(n)
    bool file;                                // text(n) is a whole file for LoadFromText
};

const std::vector<Shape>& Shapes() {
    // Where elements are never closed, each one takes all but the last byte of
    // what follows it, so the chain ends some bytes before the text does.
    static const std::vector<Shape> shapes = {
        {"unclosed elements", 4, 3, [](size_t n) { return Repeat("<a>", n); },
         [](size_t n) { return Times("@a{", 3 * n / 4 - 1) + " @a " + Times("}", 3 * n / 4 - 1); }, false},
        {"unclosed elements on lines of a file", 4, 5,
         [](size_t n) { return "<?xml version=\"1.0\"?>\r\n" + Repeat("<a>\r\n", n); },
         [](size_t n) { return Times("@a{", 3 * n / 4 - 1) + " @a " + Times("}", 3 * n / 4 - 1); }, true},
        {"unclosed elements at two depths with text", 9, 7, [](size_t n) { return Repeat("<a><b>t", n); },
         [](size_t n) { return Repeat("@a{ @b{ 't' ", 7 * n / 9) + Times("}", 14 * n / 9); }, false},
        {"end tags that match nothing", 5, 4, [](size_t n) { return Repeat("</a>", n); },
         [](size_t n) { return Times("@/a{", 4 * n / 5 - 1) + " @/a " + Times("}", 4 * n / 5 - 1); }, false},
        {"names holding \"<\", never closed", 6, 5, [](size_t n) { return Repeat("<a<b>", n); },
         [](size_t n) { return Times("@a<b{", 5 * n / 6 - 1) + " @a<b " + Times("}", 5 * n / 6 - 1); }, false},
        // Every name another, so each name searched is looked up anew. A
        // piece is 11 bytes and each level drops one byte from the end: at
        // 12 pieces in 11 levels the last element is left empty.
        {"names holding \"<\", every one another, never closed", 12, 11,
         [](size_t n) {
             std::string out;
             for (size_t i = 0; i < n; ++i) out += "<a<b" + Digits(i) + ">";
             return out;
         },
         [](size_t n) {
             const size_t levels = 11 * n / 12;
             std::string out;
             for (size_t i = 0; i + 1 < levels; ++i) out += "@a<b" + Digits(i) + "{ ";
             return out + "@a<b" + Digits(levels - 1) + " " + Times("}", levels - 1);
         },
         false},
        {"\"<\" without \">\"", 1, 1, [](size_t n) { return Repeat("<", n); },
         [](size_t n) { return n == 1 ? "@" : Times("@{", n - 1) + " @ " + Times("}", n - 1); }, false},
        {"deep nesting, one name", 1, 7, [](size_t n) { return Repeat("<e>", n) + "x" + Repeat("</e>", n); },
         [](size_t n) { return Times("@e{", n) + " 'x' " + Times("}", n); }, false},
        {"deep nesting, every name another", 1, 16, Nested,
         [](size_t n) {
             std::string out;
             for (size_t i = 0; i < n; ++i) out += "@d" + N(i) + "{ ";
             return out + "'x' " + Times("}", n);
         },
         false},
        {"many attributes", 1, 8,
         [](size_t n) {
             std::string out = "<a";
             for (size_t i = 0; i < n; ++i) out += " k" + N(i) + "=v";
             return out + " />";
         },
         [](size_t n) { return "@a[" + N(n) + "]"; }, false},
        {"text without \"<\"", 1, 5, [](size_t n) { return "<a>" + Repeat("text ", n) + "</a>"; },
         [](size_t n) { return "@a{ '" + Repeat("text ", n) + "' }"; }, false},
    };
    return shapes;
}

bool Read(const Shape& shape, XmlClosingTagSearch search, const std::string& text, TXMLTag* root) {
    if (!shape.file) return Read(search, nullptr, text, root);
    XmlSetClosingTagSearch(search);
    TXMLParser parser;
    const bool result = parser.LoadFromText(text, "shape.xml", root);
    XmlSetClosingTagSearch(XmlClosingTagSearch::Automatic);
    return result;
}

TEST(XmlReaderShapes, SmallTextsOfEachShapeReadAsTheRulesSay) {
    for (const Shape& shape : Shapes()) {
        for (size_t n = shape.period; n <= 40; n += shape.period) {
            const std::string text = shape.text(n);
            TXMLTag expected;
            std::string content = text;
            if (shape.file) {
                content.clear();  // the lines after the declaration, trimmed and joined
                for (size_t at = text.find("\r\n") + 2; at < text.size();) {
                    const size_t end = text.find("\r\n", at);
                    content += reference::Trim(text.substr(at, end - at));
                    at = end + 2;
                }
            }
            reference::ParseText(nullptr, content, &expected);
            ASSERT_EQ(Summary(expected), shape.tree(n)) << shape.what << ", " << n << " pieces";
            for (XmlClosingTagSearch search : {XmlClosingTagSearch::Automatic, XmlClosingTagSearch::SearchThenIndex,
                                               XmlClosingTagSearch::IndexOnly}) {
                TXMLTag root;
                Read(shape, search, text, &root);
                ASSERT_EQ(Summary(root), Summary(expected)) << shape.what << ", " << n << " pieces";
            }
        }
    }
}

// Quadratic work on any of these would take hours at this size; the test
// program's time limit stands in for a timing assertion. An unoptimised build
// (the sanitizer and fuzzer tree) reads 1 MB of each, which the old reader
// could not read within that limit either.
TEST(XmlReaderShapes, MegabytesOfEachShapeReadToTheWholeTree) {
#ifdef __OPTIMIZE__
    const size_t kBytes = 10 * 1000 * 1000;
#else
    const size_t kBytes = 1000 * 1000;
#endif
    for (const Shape& shape : Shapes()) {
        const size_t n = kBytes / shape.bytesPerUnit / shape.period * shape.period;
        const std::string text = shape.text(n);
        TXMLTag root;
        Read(shape, XmlClosingTagSearch::Automatic, text, &root);
        EXPECT_EQ(Summary(root), shape.tree(n)) << shape.what;
    }
}

}  // namespace
