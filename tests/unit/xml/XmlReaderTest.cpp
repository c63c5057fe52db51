// The reader: which files it accepts and how its line rules join them, and the
// tree that ParseText builds from well and badly formed text.
#include <gtest/gtest.h>

#include "unit/xml/TreeDump.h"
#include "xml/XmlParser.h"
#include "xml/XmlReaderTuning.h"

namespace {

const char* const kDecl = "<?xml version=\"1.0\" standalone=\"yes\"?>";

struct FileCase {
    const char* what;
    std::string bytes;
    bool accepted;
    std::string tree;  // of the accepted file
};

TEST(XmlReader, FileLineRules) {
    const std::string d = kDecl;
    const FileCase cases[] = {
        {"empty file", "", false, ""},
        {"no declaration", "<xml>\r\n<list />\r\n</xml>\r\n", false, ""},
        {"declaration is the last line", "junk\r\n" + d + "\r\n", false, ""},
        {"declaration without line end", d, false, ""},
        {"all on one line", d + "<xml><list /></xml>\r\n", false, ""},
        {"LF alone is no line end", d + "\n<xml>\n</xml>\n", false, ""},
        {"byte 26 ends the file", d + "\r\n\x1A<a />\r\n", false, ""},
        {"the case of <?xml counts", "<?XML version=\"1.0\"?>\r\n<a />\r\n", false, ""},
        {"lines before the declaration are ignored", "<a />\r\nrubbish <\r\n" + d + "\r\n<b />\r\n", true, "@b"},
        {"the rest of the declaration line is dropped", d + "<lost />\r\n<b />\r\n", true, "@b"},
        {"CR alone ends a line", d + "\r<a>\r<b />\r</a>\r", true, "@a{@b}"},
        {"CR LF ends a line", d + "\r\n<a>\r\n  <b />\r\n</a>\r\n", true, "@a{@b}"},
        {"lines are trimmed and joined without a gap", d + "\r\n<a>\r\n  one \r\n\ttwo\r\n</a>\r\n", true,
         "@a{'onetwo'}"},
        {"an LF inside a line is dropped, not trimmed", d + "\r\n<a>\n  x  </a>\r\n", true, "@a{'x  '}"},
        {"byte 26 after content ends the file", d + "\r\n<a>1</a>\x1A<b />\r\n", true, "@a{'1'}"},
        {"only empty lines after the declaration", d + "\r\n\r\n\r\n", true, ""},
        {"a lone LF after the declaration line is a line", d + "\r\n\n", true, ""},
    };
    TXMLCodec codec;
    for (const FileCase& c : cases) {
        TXMLParser parser;
        parser.Codec = &codec;
        TXMLTag root;
        new TXMLTag(&root, "existing");
        try {
            parser.LoadFromText(c.bytes, "C:\\Daten\\backup.xml", &root);
            EXPECT_TRUE(c.accepted) << c.what;
            EXPECT_EQ(DumpChildren(root), "@existing" + (c.tree.empty() ? "" : " " + c.tree)) << c.what;
        } catch (const EXMLException& e) {
            EXPECT_FALSE(c.accepted) << c.what;
            EXPECT_STREQ(e.what(), "\"C:\\Daten\\backup.xml\" ist keine g\xFCltige XML-Datei!") << c.what;
            EXPECT_EQ(DumpChildren(root), "@existing") << c.what;  // nothing added
        }
    }
}

// Files are mostly read in one pass over their lines as they stand; every
// file that reading cannot read exactly as the full reading (lines trimmed and
// joined first, then closing tags searched) must go to the full reading. Each
// file is read all three ways and must give the same tree and result.
TEST(XmlReader, TheOnePassReadingAgreesWithTheFullReading) {
    const std::string d = std::string(kDecl) + "\r\n";
    struct Case {
        const char* what;
        std::string body;
        std::string tree;  // the tree all three readings give
    };
    const Case cases[] = {
        {"the writer's layout", "<xml>\r\n  <list>\r\n    <datum>1</datum>\r\n  </list>\r\n</xml>\r\n",
         "@xml{@list{@datum{'1'}}}"},
        {"a long text on a line of its own", "<a>\r\n    long &amp; text\r\n  </a>\r\n", "@a{'long & text'}"},
        {"a text over two lines is joined", "<a>one\r\ntwo</a>\r\n", "@a{'onetwo'}"},
        {"blanks at the end of a text's line go", "<a>x  \r\n</a>\r\n", "@a{'x'}"},
        {"a blank after a tag on the same line stays", "<a>\r\n<b/> x\r\n</a>\r\n", "@a{@b 'x'}"},
        {"a blank before an end tag stays", "<a>x </a>\r\n", "@a{'x '}"},
        {"blank lines and tabs between tags", "<a>\r\n\t\r\n   \r\n<b />\r\n</a>\r\n", "@a{@b}"},
        {"an LF inside a text", "<a>x\ny</a>\r\n", "@a{'xy'}"},
        {"a tag over two lines", "<a\r\nb>1</ab>\r\n", "@ab{'1'}"},
        {"an LF inside a tag", "<a\nb>1</ab>\r\n", "@ab{'1'}"},
        {"an inner name beginning with the outer one", "<a><ab>1</ab></a>\r\n", ""},
        {"an outer name beginning with the inner one", "<ab><a>1</a></ab>\r\n", "@ab{@a{'1'}}"},
        {"an empty element beginning with the outer name", "<a><ab/>x</a>\r\n", ""},
        {"end tags in another case", "<A>x</a>\r\n", "@A{'x'}"},
        {"crossed end tags", "<a><b></a></b>\r\n", ""},
        {"an end tag with more after the name", "<a>x</a junk>\r\n", "@a{'x'}"},
        {"an element never closed", "<a><b>1</b>\r\n", ""},
        {"an end tag that closes nothing", "</a><b/>\r\n", ""},
        {"a nameless element", "<>x</>\r\n", ""},
        {"declarations and instructions inside", "<a><?pi x?><!-- c -->1</a>\r\n", ""},
        {"attributes", "<a k=\"v\" j=w>1</a>\r\n", "@a[k=v,j=w]{'1'}"},
        {"a \"<\" inside a tag", "<a<b>1</a<b>\r\n", ""},
        {"text before and after the elements", "lead<a/>tail\r\n", "'lead' @a 'tail'"},
        {"a bad reference in the last text", "<a/>&#x;\r\n", "@a '&#x;'"},
        {"a bad reference inside", "<a>&#12a;</a><b/>\r\n", "@a{'&#12a;'} @b"},
        {"empty lines after the last element", "<a/>\r\n\r\n  \r\n", "@a"},
        {"byte 26 in a text", "<a>1\x1A</a>\r\n", ""},
    };
    TXMLCodec codec;
    for (const Case& c : cases) {
        std::string expected;
        for (XmlClosingTagSearch search :
             {XmlClosingTagSearch::SearchThenIndex, XmlClosingTagSearch::IndexOnly, XmlClosingTagSearch::Automatic}) {
            XmlSetClosingTagSearch(search);
            TXMLParser parser;
            parser.Codec = &codec;
            TXMLTag root;
            const bool result = parser.LoadFromText(d + c.body, "f.xml", &root);
            XmlSetClosingTagSearch(XmlClosingTagSearch::Automatic);
            const std::string got = (result ? "true " : "false ") + DumpChildren(root);
            if (expected.empty()) {
                expected = got;
                if (!c.tree.empty()) {
                    EXPECT_EQ(DumpChildren(root), c.tree) << c.what;
                }
            } else {
                EXPECT_EQ(got, expected) << c.what << ", reading " << static_cast<int>(search);
            }
        }
    }
}

TEST(XmlReader, ResultIsFalseForNothingButEmptyLines) {
    TXMLParser parser;
    TXMLTag root;
    EXPECT_FALSE(parser.LoadFromText(std::string(kDecl) + "\r\n\r\n", "f", &root));
    EXPECT_TRUE(parser.LoadFromText(std::string(kDecl) + "\r\n<a />\r\n", "f", &root));
}

TEST(XmlReader, RejectionNamesTheFileAsPassedIn) {
    TXMLParser parser;
    TXMLTag root;
    const std::string name = "..\\rel\xE4tiv\\Sicherung.xml";
    try {
        parser.LoadFromText("", name, &root);
        FAIL() << "accepted";
    } catch (const EAppError& e) {
        EXPECT_EQ(std::string(e.what()), "\"" + name + "\" ist keine g\xFCltige XML-Datei!");
    }
}

struct ParseCase {
    std::string text;
    bool result;
    std::string tree;
};

void ExpectParses(const ParseCase* cases, size_t count, TXMLCodec* codec) {
    for (size_t i = 0; i < count; ++i) {
        const ParseCase& c = cases[i];
        TXMLParser parser;
        parser.Codec = codec;
        TXMLTag root;
        EXPECT_EQ(parser.ParseText(c.text, &root), c.result) << c.text;
        EXPECT_EQ(DumpChildren(root), c.tree) << c.text;
    }
}

TEST(XmlParseText, ElementsTextsAndAttributes) {
    const ParseCase cases[] = {
        {"", false, ""},
        {"<a x=\"1\"/><b/>", true, "@a[x=1] @b"},
        {"<list />", true, "@list"},
        {"<name></name>", true, "@name"},
        {"<LIST>x</list>", true, "@LIST{'x'}"},
        {"  <a>  text  </a>  ", true, "@a{'text  '}"},  // leading spaces go, trailing ones stay
        {"lead <a/> mid <b/> tail  ", true, "'lead' @a 'mid' @b 'tail'"},
        {"a > b", true, "'a > b'"},
        {"<a>\r\n<b>1</b>\r\n<c>2</c></a>", true, "@a{@b{'1'} @c{'2'}}"},
        {"<?xml version=\"1.0\" standalone=\"yes\"?>", true, "@xml[version=1.0,standalone=yes]"},
        {"<!-- note -->", true, "@--[note=,--=]"},
        {"<!DOCTYPE xml><x/>", true, "@DOCTYPE[xml=] @x"},
        {"<?pi?>", true, "@pi"},
        {"<ab/cd>", true, "@ab/cd"},
        {"<a><a>in</a></a>", true, "@a{@a{'in'}}"},
        {"<a><b c=\"<a\"/></a>z", true, "@a{@b[c=<a] @/a}"},  // "<a" in a value counts
    };
    TXMLCodec codec;
    ExpectParses(cases, std::size(cases), &codec);
}

TEST(XmlParseText, BadlyFormedMarkupStillGivesATree) {
    const ParseCase cases[] = {
        // No end tag: all but the last byte of the rest is the content.
        {"<a>xyz", true, "@a{'xy'}"},
        {"<a>", true, "@a"},
        // Prefix matching: a longer name's tags balance, its empty element only opens.
        {"<a><a2>t</a2></a><b/>", true, "@a{@a2{'t'}} @b"},
        {"<a><a2/></a>x", true, "@a{@a2 @/a}"},
        {"<A><a2>t</A2></a>", true, "@A{@a2{'t'}}"},
        // A "<" without any ">" after it gives nameless elements, one per byte.
        {"x < y", true, "'x' @{@{@}}"},
        {"<", true, "@"},
        {"<>", true, "@"},
        {"</a>", true, "@/a"},
        {"<a></b>", true, "@a{@{@{@}}}"},
        {"< a b >z</a>", true, "@a[b=]{'z'}"},
    };
    TXMLCodec codec;
    ExpectParses(cases, std::size(cases), &codec);
}

TEST(XmlParseText, DecodingFailureFailsOnlyItsStepAndKeepsTheText) {
    const ParseCase cases[] = {
        {"&#12a;", false, "'&#12a;'"},
        {"&#;<b/>", false, "'&#;' @b"},      // the tag of the failed step is still read
        {"&#;<b/>c", true, "'&#;' @b 'c'"},  // a later step that completes counts
        {"<a>&#;</a>", true, "@a{'&#;'}"},   // an inner call's result does not count
        {"ok&amp;<b>&#x;x&lt;</b>&#$;", false, "'ok&' @b{'&#x;x&lt;'} '&#$;'"},
    };
    TXMLCodec codec;
    ExpectParses(cases, std::size(cases), &codec);
}

TEST(XmlParseText, WithoutCodecTextStaysAsItStands) {
    const ParseCase cases[] = {
        {"<a>&amp;&#;</a>", true, "@a{'&amp;&#;'}"},
        {"<a>x<y</a>", true, "@a{'x' @{@}}"},
    };
    ExpectParses(cases, std::size(cases), nullptr);
}

TEST(XmlParseText, DeepAndLongInputsEnd) {
    TXMLParser parser;
    TXMLCodec codec;
    parser.Codec = &codec;
    {
        // A "<" and a long tail without ">": a chain as deep as the tail is long.
        TXMLTag root;
        EXPECT_TRUE(parser.ParseText("<" + std::string(200000, 'a'), &root));
        int depth = 0;
        for (TXMLTag* at = root.Items.Tag(0); at != nullptr; at = at->Items.Tag(0)) ++depth;
        EXPECT_EQ(depth, 200001);
    }
    {
        std::string nested;
        for (int i = 0; i < 3000; ++i) nested += "<e>";
        for (int i = 0; i < 3000; ++i) nested += "</e>";
        TXMLTag root;
        EXPECT_TRUE(parser.ParseText(nested, &root));
        int depth = 0;
        for (TXMLTag* at = root.Items.Tag(0); at != nullptr; at = at->Items.Tag(0)) ++depth;
        EXPECT_EQ(depth, 3000);
    }
}

}  // namespace

namespace {

// A codec of its own: the reader and the writer go through its virtual operations.
class ShoutingCodec : public TXMLCodec {
public:
    std::string Decode(const std::string& text) override {
        if (text == "bad") throw EXMLDecodeError("bad");
        std::string out = text;
        for (char& c : out) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        return out;
    }
    std::string Encode(const std::string& text) override { return "[" + text + "]"; }
};

TEST(XmlParseText, ACodecOfItsOwnIsUsedForEveryText) {
    ShoutingCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    TXMLTag root;
    EXPECT_FALSE(parser.ParseText("lead<a>in</a>bad", &root));
    EXPECT_EQ(DumpChildren(root), "'LEAD' @a{'IN'} 'bad'");

    std::vector<std::string> lines;
    parser.WriteNode(&root, lines, false, 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"[LEAD]", "<a>[IN]</a>", "[bad]"}));
}

}  // namespace

namespace {

TEST(XmlParseText, NamesBeginningWithAnyByteFindTheirEndTag) {
    const ParseCase cases[] = {
        {"<\xC4>x</\xC4><b/>", true, "@\xC4{'x'} @b"},
        {"<\xC4>x</\xE4>", true, "@\xC4{'x' @{@{@}}}"},  // only A to Z match without regard to case
        {"</a>x<//a></a>", true, "@/a{'x'} @/a"},
        {"<//>x<///><b/>", true, "@/ 'x' @// @b"},
        {std::string("<\0a>x</\0a>", 10), true, "@a{'x' @{@{@{@}}}}"},  // a 0 byte is trimmed off the name
    };
    TXMLCodec codec;
    ExpectParses(cases, std::size(cases), &codec);
}

}  // namespace
