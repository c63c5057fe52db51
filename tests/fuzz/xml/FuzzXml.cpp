// Fuzz target of the XML component. Every input goes through
//   - the reader, as a whole file: refused with a line inside the file and
//     nothing added, or read to a tree that, written again, reads back to
//     the same tree;
//   - the codec: Decode(Encode(x)) == x without its zero bytes;
//   - the attribute reader, against SetValue applied token by token;
//   - the writer: a tree built from the bytes, of the shape the writer promises
//     to read back, must read back to the same tree, and the written file cut
//     short anywhere before its last end tag must be refused.
// A broken promise aborts, so libFuzzer keeps the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "xml/XmlParser.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string Trim(const std::string& s) {
    size_t first = 0, end = s.size();
    while (first < end && IsBlank(s[first])) ++first;
    while (end > first && IsBlank(s[end - 1])) --end;
    return s.substr(first, end - first);
}

// The attribute rules spelled out step by step with plain string operations.
std::vector<std::string> ReferenceAttributes(std::string text) {
    TXMLAttributes reference;
    text = Trim(text);
    while (!text.empty()) {
        const size_t space = text.find(' ');
        const std::string token = Trim(text.substr(0, space));
        text = space == std::string::npos ? std::string() : Trim(text.substr(space + 1));
        const size_t eq = token.find('=');
        const std::string name = Trim(token.substr(0, eq));
        std::string value = eq == std::string::npos ? std::string() : Trim(token.substr(eq + 1));
        if (!value.empty() && value.front() == '"') value.erase(0, 1);
        if (!value.empty() && value.back() == '"') value.pop_back();
        reference.SetValue(name, value);
    }
    return reference.Lines();
}

// Depth and size of a tree, without recursion.
void Measure(const TXMLTag& root, size_t& depth, size_t& nodes) {
    struct At {
        const TXMLTag* tag;
        size_t depth;
    };
    std::vector<At> work{{&root, 0}};
    depth = nodes = 0;
    while (!work.empty()) {
        At at = work.back();
        work.pop_back();
        depth = std::max(depth, at.depth);
        for (int i = 0; i < at.tag->Items.Count(); ++i) {
            ++nodes;
            if (const TXMLTag* child = at.tag->Items.Item(i)->AsTag()) work.push_back({child, at.depth + 1});
        }
    }
}

// The whole tree as text (names, attribute lines, texts and the nesting),
// without recursion.
std::string Picture(const TXMLTag& root) {
    std::string out;
    struct At {
        const TXMLTag* tag;
        int next;
    };
    std::vector<At> work{{&root, 0}};
    while (!work.empty()) {
        At& at = work.back();
        if (at.next == at.tag->Items.Count()) {
            work.pop_back();
            out += ')';
            continue;
        }
        const TXMLBase* node = at.tag->Items.Item(at.next++);
        if (const TXMLText* text = node->AsText()) {
            out += "'" + std::to_string(text->Text().size()) + ":";
            out += text->Text();
            continue;
        }
        const TXMLTag* tag = node->AsTag();
        out += "@" + std::to_string(tag->Name.size()) + ":" + tag->Name;
        for (const std::string& line : tag->Attributes.Lines()) out += "[" + std::to_string(line.size()) + ":" + line;
        out += '(';
        work.push_back({tag, 0});
    }
    return out;
}

// Bytes taken from the front of the input, one at a time.
struct Bytes {
    const uint8_t* p;
    size_t left;
    uint8_t Next() {
        if (left == 0) return 0;
        --left;
        return *p++;
    }
};

// Elements are either leaves holding one text or containers of elements. Names
// at depth d are three letters starting with 'a' + d; texts hold any byte but 0.
void Build(Bytes& in, TXMLTag* parent, int depth, int& budget) {
    const int children = in.Next() % 4;
    for (int i = 0; i < children && budget > 0; ++i, --budget) {
        std::string name(1, static_cast<char>('a' + depth));
        name += static_cast<char>('a' + in.Next() % 26);
        name += static_cast<char>('a' + in.Next() % 26);
        const uint8_t shape = in.Next();
        if (depth < 6 && shape % 3 == 0) {
            Build(in, new TXMLTag(parent, name), depth + 1, budget);
        } else {
            std::string text;
            const int length = in.Next() % 100;
            for (int k = 0; k < length && in.left > 0; ++k) {
                const char c = static_cast<char>(in.Next());
                if (c != 0) text += c;
            }
            new TXMLTag(parent, name, text);
        }
    }
}

// Name and Text of leaves, names and children of containers; an element
// without children counts as a leaf with empty text.
std::string Shape(const TXMLTag& tag) {
    std::string out = tag.Name + "(";
    if (tag.Items.TagCount() == 0) return out + "'" + tag.Text() + "')";
    for (int i = 0; i < tag.Items.TagCount(); ++i) out += Shape(*tag.Items.Tag(i));
    return out + ")";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;

    // The reader on the whole file, then its tree written and read again.
    {
        TXMLTag root;
        bool accepted = true;
        try {
            parser.LoadFromText(input, "fuzz.xml", &root);
        } catch (const EXMLException& e) {
            accepted = false;
            Require(root.Items.Count() == 0);
            const size_t lines = static_cast<size_t>(std::count(input.begin(), input.end(), '\r')) + 1;
            Require(e.Line() >= 0 && static_cast<size_t>(e.Line()) <= lines);
            Require(!e.Reason().empty() || e.Line() == 0);
        }
        size_t depth = 0, nodes = 0;
        Measure(root, depth, nodes);
        // Declarations beside the file's element would be written as elements.
        if (accepted && root.Items.Count() == 1 && depth <= 64 && nodes <= 4000) {
            const std::string written = parser.SaveToText(&root, false, true);
            TXMLTag again;
            parser.LoadFromText(written, "written.xml", &again);
            Require(Picture(again) == Picture(root));
        }
    }
    {
        std::string withoutZeros;
        for (char c : input)
            if (c != 0) withoutZeros += c;
        Require(codec.Decode(codec.Encode(input)) == withoutZeros);
    }
    // The attribute reader; the rules spelled out copy the rest at every
    // token, so only short inputs are held against them.
    {
        TXMLAttributes attributes;
        attributes.ParseText(input);
        if (size <= 16384) Require(attributes.Lines() == ReferenceAttributes(input));
    }
    // The writer's promise.
    {
        Bytes in{data, size};
        TXMLTag xml(nullptr, "xml");
        int budget = 200;
        Build(in, &xml, 0, budget);
        const std::string written = parser.SaveToText(&xml, true, true);
        TXMLTag back;
        Require(parser.LoadFromText(written, "promise.xml", &back));
        const TXMLTag* read = back.Items.FindTag("xml");
        Require(read != nullptr);
        Require(Shape(*read) == Shape(xml));
        // Cut anywhere before the end of its last end tag, the file is refused.
        const size_t last = written.rfind('>');
        const size_t cut = size == 0 ? 0 : (static_cast<size_t>(data[0]) * 7919u + size) % last;
        TXMLTag cutShort;
        bool refused = false;
        try {
            parser.LoadFromText(written.substr(0, cut), "cut.xml", &cutShort);
        } catch (const EXMLException&) {
            refused = true;
        }
        Require(refused && cutShort.Items.Count() == 0);
    }
    return 0;
}
