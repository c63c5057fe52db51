// The reader on damaged and hostile files of every shape that used to cost a
// reader the square of its length (unclosed elements, also under ever new
// names holding "<", deep nesting, end tags that match nothing, long lines,
// many attributes), each at megabytes: refused at the line where the damage
// shows, or read to its whole tree.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "xml/XmlParser.h"

namespace {

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
            put("'" + std::string(text->Text()) + "'");
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

// A run of equal pieces as Summary writes it.
std::string Times(const std::string& piece, size_t n) { return n > 1 ? piece + "*" + N(n) : piece; }

const char* const kDecl = "<?xml version=\"1.0\"?>\r\n";

// One entry of a backup file, on the writer's lines.
std::string Entry(size_t i) {
    const std::string n = N(i);
    return "    <launcher" + n + ">\r\n      <active>true</active>\r\n      <kind>11</kind>\r\n      <name>Helfer " +
           n + "</name>\r\n      <command>C:&#92;Tools&#92;tool" + n + ".exe /s</command>\r\n    </launcher" + n +
           ">\r\n";
}
constexpr size_t kLinesPerEntry = 6;

// A backup file of one snapshot with n entries; the entries start on line 5.
std::string Backup(size_t n, const std::function<std::string(size_t)>& entry = Entry) {
    std::string out = std::string(kDecl) + "<xml>\r\n  <list>\r\n    <object>\r\n";
    for (size_t i = 0; i < n; ++i) out += entry(i);
    return out + "    </object>\r\n  </list>\r\n</xml>\r\n";
}

struct Shape {
    const char* what;
    size_t bytesPerUnit;
    std::function<std::string(size_t)> file;
    // Summary of the tree read from file(n), or "refused at " line ": " detail.
    std::function<std::string(size_t)> outcome;
};

std::string Refused(size_t line, const std::string& detail) { return "refused at " + N(line) + ": " + detail; }

const std::vector<Shape>& Shapes() {
    const size_t deepest = static_cast<size_t>(kXmlDeepestNesting);
    static const std::vector<Shape> shapes = {
        {"unclosed elements on one line", 3, [](size_t n) { return kDecl + Repeat("<a>", n) + "\r\n"; },
         [](size_t) { return Refused(2, "</a>"); }},
        {"unclosed elements on lines of their own", 5, [](size_t n) { return kDecl + Repeat("<a>\r\n", n); },
         [=](size_t n) { return n > deepest ? Refused(2 + deepest, "</a>") : Refused(1 + n, "</a>"); }},
        {"end tags that match nothing", 4, [](size_t n) { return kDecl + Repeat("</a>", n) + "\r\n"; },
         [](size_t) { return Refused(2, ""); }},
        {"names holding \"<\"", 5, [](size_t n) { return kDecl + Repeat("<a<b>", n) + "\r\n"; },
         [](size_t) { return Refused(2, ">"); }},
        {"\"<\" without \">\"", 1, [](size_t n) { return kDecl + Repeat("<", n) + "\r\n"; },
         [](size_t) { return Refused(2, ">"); }},
        {"deep nesting", 7, [](size_t n) { return kDecl + Repeat("<e>", n) + "x" + Repeat("</e>", n) + "\r\n"; },
         [=](size_t n) { return n > deepest ? Refused(2, "</e>") : Times("@e{", n) + " 'x' " + Times("}", n); }},
        {"many attributes", 8,
         [](size_t n) {
             std::string out = std::string(kDecl) + "<a";
             for (size_t i = 0; i < n; ++i) out += " k" + N(i) + "=v";
             return out + " />\r\n";
         },
         [](size_t n) { return "@a[" + N(n) + "]"; }},
        {"one long text", 5, [](size_t n) { return kDecl + ("<a>" + Repeat("text ", n)) + "</a>\r\n"; },
         [](size_t n) { return "@a{ '" + Repeat("text ", n) + "' }"; }},
        {"a backup file", 190, [](size_t n) { return Backup(n); },
         [](size_t n) {
             TXMLTag root;
             TXMLTag* object = new TXMLTag(new TXMLTag(new TXMLTag(&root, "xml"), "list"), "object");
             for (size_t i = 0; i < n; ++i) {
                 TXMLTag* launcher = new TXMLTag(object, "launcher" + N(i));
                 new TXMLTag(launcher, "active", "true");
                 new TXMLTag(launcher, "kind", "11");
                 new TXMLTag(launcher, "name", "Helfer " + N(i));
                 new TXMLTag(launcher, "command", "C:\\Tools\\tool" + N(i) + ".exe /s");
             }
             return Summary(root);
         }},
        {"a backup file cut after an entry", 190,
         [](size_t n) {
             const std::string whole = Backup(n);
             return whole.substr(0, whole.find("    </object>"));
         },
         [](size_t n) { return Refused(4 + kLinesPerEntry * n, "</object>"); }},
        {"a backup file with one wrong end tag in the middle", 190,
         [](size_t n) {
             return Backup(n, [n](size_t i) {
                 std::string entry = Entry(i);
                 if (i == n / 2) entry.replace(entry.find("</kind>"), 7, "</kinb>");
                 return entry;
             });
         },
         [](size_t n) { return Refused(5 + kLinesPerEntry * (n / 2) + 2, "</kind>"); }},
    };
    return shapes;
}

// The outcome of reading the file, as Shape::outcome gives it.
std::string Outcome(const std::string& file) {
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    TXMLTag root;
    try {
        parser.LoadFromText(file, "shape.xml", &root);
    } catch (const EXMLException& e) {
        return Refused(static_cast<size_t>(e.Line()), e.Detail());
    }
    return Summary(root);
}

TEST(XmlReaderShapes, SmallFilesOfEachShape) {
    for (const Shape& shape : Shapes()) {
        for (size_t n = 1; n <= 40; ++n) EXPECT_EQ(Outcome(shape.file(n)), shape.outcome(n)) << shape.what << ", " << n;
    }
}

// Quadratic work on any of these would take hours at this size; the test
// program's time limit stands in for a timing assertion. An unoptimised build
// (the sanitizer and fuzzer tree) reads 1 MB of each.
TEST(XmlReaderShapes, MegabytesOfEachShape) {
#ifdef __OPTIMIZE__
    const size_t kBytes = 10 * 1000 * 1000;
#else
    const size_t kBytes = 1000 * 1000;
#endif
    for (const Shape& shape : Shapes()) {
        const size_t n = kBytes / shape.bytesPerUnit;
        EXPECT_EQ(Outcome(shape.file(n)), shape.outcome(n)) << shape.what;
    }
}

}  // namespace
