// The reader: which files it accepts and how its line rules join them, the
// tree it builds from well-formed files of every accepted shape, and the line
// and expectation it names for every damaged file it refuses.
#include <gtest/gtest.h>

#include "unit/xml/TreeDump.h"
#include "xml/XmlParser.h"

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
            EXPECT_EQ(e.Line(), 0) << c.what;
            EXPECT_EQ(e.Reason(), "") << c.what;
            EXPECT_EQ(DumpChildren(root), "@existing") << c.what;  // nothing added
        }
    }
}

// Reads the body as the lines after a declaration line; answers the tree, or
// "refused" with the line and expectation.
std::string Load(const std::string& body, TXMLCodec* codec) {
    TXMLParser parser;
    parser.Codec = codec;
    TXMLTag root;
    try {
        parser.LoadFromText(std::string(kDecl) + "\r\n" + body, "f.xml", &root);
    } catch (const EXMLException& e) {
        return "refused at " + std::to_string(e.Line()) + ": " + e.Detail() + "/" +
               std::to_string(static_cast<int>(e.Expected()));
    }
    return DumpChildren(root);
}

// Well-formed files of every shape the writer's files take, and of the
// shapes other writers give them, read to the same tree as they always did.
TEST(XmlReader, WellFormedFilesReadExactly) {
    struct Case {
        const char* what;
        std::string body;
        std::string tree;
    };
    const Case cases[] = {
        {"the writer's layout", "<xml>\r\n  <list>\r\n    <datum>1</datum>\r\n  </list>\r\n</xml>\r\n",
         "@xml{@list{@datum{'1'}}}"},
        {"a long text on a line of its own", "<a>\r\n    long &amp; text\r\n  </a>\r\n", "@a{'long & text'}"},
        {"a text over two lines is joined", "<a>one\r\ntwo</a>\r\n", "@a{'onetwo'}"},
        {"blanks at the end of a text's line go", "<a>x  \r\n</a>\r\n", "@a{'x'}"},
        {"a blank after an empty tag on the same line goes", "<a>\r\n<b/> x\r\n</a>\r\n", "@a{@b 'x'}"},
        {"a blank after an end tag on the same line stays", "<a><b></b> x</a>\r\n", "@a{@b ' x'}"},
        {"blanks between elements on a line go", "<a> <b/> <c>1</c> </a>\r\n", "@a{@b @c{'1'} ' '}"},
        {"a blank before an end tag stays", "<a>x </a>\r\n", "@a{'x '}"},
        {"blanks at both ends of a text before a tag go", "<a> x <b/></a>\r\n", "@a{'x' @b}"},
        {"edge blanks as references stay", "<a>&#32;x&#32;</a>\r\n<!---->\r\n", "@a{' x '} @----"},
        {"other whitespace: tabs and blank lines", "<a>\r\n\t\r\n   \r\n<b\t/>\r\n\t</a\t>\r\n", "@a{@b}"},
        {"an LF inside a text", "<a>x\ny</a>\r\n", "@a{'xy'}"},
        {"a tag over two lines", "<a\r\nb>1</ab>\r\n", "@ab{'1'}"},
        {"an inner name beginning with the outer one", "<a><ab>1</ab><ab/></a>\r\n", "@a{@ab{'1'} @ab}"},
        {"an outer name beginning with the inner one", "<ab><a>1</a></ab>\r\n", "@ab{@a{'1'}}"},
        {"the same name nested", "<a><a>in</a></a>\r\n", "@a{@a{'in'}}"},
        {"end tags in another case", "<A><List>x</LIST></a>\r\n", "@A{@List{'x'}}"},
        {"blanks before the end tag's \">\"", "<a>x</a >\r\n", "@a{'x'}"},
        {"empty elements in every spelling", "<r><a/><b /><c x=\"1\"/><d></d><e>\r\n</e></r>\r\n",
         "@r{@a @b @c[x=1] @d @e}"},
        {"declarations and instructions around and inside", "<!DOCTYPE xml>\r\n<?pi x?>\r\n<a><?p?><!-- c -->1</a>\r\n",
         "@DOCTYPE[xml=] @pi[x=] @a{@p @--[c=,--=] '1'}"},
        {"a second declaration", "<?xml version=\"1.0\"?><a/>\r\n", "@xml[version=1.0] @a"},
        {"attributes", "<a k=\"v\" j=w>1</a>\r\n", "@a[k=v,j=w]{'1'}"},
        {"a \">\" in a text", "<a>x > y</a>\r\n", "@a{'x > y'}"},
        {"references of every accepted form", "<a>&AMP;&Auml;&auml;&#65;&#x41;&#$41;&#321;&euro;</a>\r\n",
         "@a{'&\xC4\xE4"
         "AAAA\x80'}"},
        {"mixed text and elements", "<a>one<b>2</b>three</a>\r\n", "@a{'one' @b{'2'} 'three'}"},
        {"names of any bytes", "<\xC4>x</\xC4>\r\n", "@\xC4{'x'}"},
        {"empty lines after the element", "<a/>\r\n\r\n  \r\n", "@a"},
    };
    TXMLCodec codec;
    for (const Case& c : cases) EXPECT_EQ(Load(c.body, &codec), c.tree) << c.what;
}

// Damaged files, each refused with the line where the damage shows and what
// the reader expected there; a file cut after an entry's end tag is refused,
// not read up to the cut.
TEST(XmlReader, DamagedFilesAreRefusedWithLineAndExpectation) {
    // Line 1 is the declaration; the body starts on line 2.
    const std::string entry =
        "    <launcher0>\r\n"                                             // 5
        "      <active>true</active>\r\n"                                 // 6
        "      <kind>11</kind>\r\n"                                       // 7
        "      <name>Updater</name>\r\n"                                  // 8
        "      <command>C:&#92;u.exe</command>\r\n"                       // 9
        "    </launcher0>\r\n";                                           // 10
    const std::string head = "<xml>\r\n  <list>\r\n    <object>\r\n";     // 2 to 4
    const std::string tail = "    </object>\r\n  </list>\r\n</xml>\r\n";  // 11 to 13
    const std::string good = head + entry + tail;
    auto changed = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    using E = XmlExpected;
    struct Case {
        const char* what;
        std::string body;
        int line;
        E expected;
        std::string detail;
    };
    const Case cases[] = {
        {"cut after an entry's end tag", head + entry, 10, E::EndTag, "</object>"},
        {"cut inside an end tag", head + entry.substr(0, entry.size() - 5), 10, E::TagEnd, ">"},
        {"cut inside a text", good.substr(0, good.find("Updater") + 3), 8, E::EndTag, "</name>"},
        {"a byte deleted from an end tag", changed("</kind>", "</kin>"), 7, E::EndTag, "</kind>"},
        {"a byte deleted from a start tag", changed("<kind>", "<kin>"), 7, E::EndTag, "</kin>"},
        {"a \">\" deleted", changed("<name>", "<name"), 8, E::TagEnd, ">"},
        {"a \"<\" deleted", changed("</name>", "/name>"), 10, E::EndTag, "</name>"},
        {"a byte inserted into a name", changed("</launcher0>", "</launcherx0>"), 10, E::EndTag, "</launcher0>"},
        {"a \"<\" inserted into a text", changed("Updater", "Upd<ater"), 8, E::TagEnd, ">"},
        {"a byte changed in a reference", changed("&#92;", "&#9x;"), 9, E::Reference, "&#9x;"},
        {"a reference without \";\"", changed("&#92;", "&#92 "), 9, E::Reference, "&#92 u.exe"},
        {"an unknown reference", changed("&#92;", "&amq;"), 9, E::Reference, "&amq;"},
        {"a reference to nothing", changed("&#92;", "&#0;"), 9, E::Reference, "&#0;"},
        {"a control byte in a text", changed("Updater", "Upd\x01ter"), 8, E::Character, ""},
        {"a wrong end tag", changed("</launcher0>", "</launcher3>"), 10, E::EndTag, "</launcher0>"},
        {"crossed end tags", changed("<kind>11</kind>", "<kind><x>11</kind></x>"), 7, E::EndTag, "</x>"},
        {"an unclosed element", changed("<active>true</active>", "<active>true"), 10, E::EndTag, "</active>"},
        {"an end tag closing nothing", good + "</xml>\r\n", 14, E::EndOfFile, ""},
        {"an end tag before anything", "</a>\r\n", 2, E::Element, ""},
        {"text after the element", good + "junk\r\n", 14, E::EndOfFile, ""},
        {"a second element", good + "<xml/>\r\n", 14, E::EndOfFile, ""},
        {"text before the element", "junk\r\n" + good, 2, E::Element, ""},
        {"a nameless element", changed("<kind>11</kind>", "<>11</>"), 7, E::Name, ""},
        {"a blank before a name", changed("<kind>", "< kind>"), 7, E::Name, ""},
        {"a nameless declaration", "<? ?><a/>\r\n", 2, E::Name, ""},
        {"end tags at the end with more after the name", "<a>x</a junk>\r\n", 2, E::EndTag, "</a>"},
    };
    TXMLCodec codec;
    for (const Case& c : cases) {
        TXMLParser parser;
        parser.Codec = &codec;
        TXMLTag root;
        try {
            parser.LoadFromText(std::string(kDecl) + "\r\n" + c.body, "C:\\b.xml", &root);
            ADD_FAILURE() << c.what << ": read as " << DumpChildren(root);
        } catch (const EXMLException& e) {
            EXPECT_EQ(e.Line(), c.line) << c.what;
            EXPECT_EQ(e.Expected(), c.expected) << c.what;
            EXPECT_EQ(e.Detail(), c.detail) << c.what;
            EXPECT_EQ(e.FileName(), "C:\\b.xml");
            EXPECT_EQ(root.Items.Count(), 0) << c.what;  // nothing half read
        }
    }
    EXPECT_EQ(Load(good, &codec).substr(0, 9), "@xml{@lis");
}

TEST(XmlReader, TheReasonNamesTheLineAndWhatWasExpected) {
    TXMLParser parser;
    TXMLTag root;
    try {
        parser.LoadFromText(std::string(kDecl) + "\r\n<a>\r\n<b>\r\n</a>\r\n", "C:\\b.xml", &root);
        FAIL() << "accepted";
    } catch (const EXMLException& e) {
        EXPECT_EQ(e.Reason(), "Zeile 4: erwartet wird </b>");
        EXPECT_EQ(std::string(e.what()), "\"C:\\b.xml\" ist keine g\xFCltige XML-Datei! Zeile 4: erwartet wird </b>");
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

TEST(XmlReader, WithoutCodecTextStaysAsItStands) {
    EXPECT_EQ(Load("<a>&amp;&#;&nope</a>\r\n", nullptr), "@a{'&amp;&#;&nope'}");
    EXPECT_EQ(Load("<a>x<y</a>\r\n", nullptr).substr(0, 11), "refused at ");
}

TEST(XmlReader, NestingIsCapped) {
    auto nested = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += "<e>";
        text += "x";
        for (int i = 0; i < depth; ++i) text += "</e>";
        return text + "\r\n";
    };
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    {
        TXMLTag root;
        ASSERT_TRUE(parser.LoadFromText(std::string(kDecl) + "\r\n" + nested(kXmlDeepestNesting), "f", &root));
        int depth = 0;
        for (TXMLTag* at = root.Items.Tag(0); at != nullptr; at = at->Items.Tag(0)) ++depth;
        EXPECT_EQ(depth, kXmlDeepestNesting);
    }
    TXMLTag root;
    try {
        parser.LoadFromText(std::string(kDecl) + "\r\n" + nested(kXmlDeepestNesting + 1), "f", &root);
        FAIL() << "accepted";
    } catch (const EXMLException& e) {
        EXPECT_EQ(e.Line(), 2);
        EXPECT_EQ(e.Expected(), XmlExpected::LessNesting);
        EXPECT_EQ(e.Detail(), "</e>");  // the innermost element had to end there
        EXPECT_EQ(e.Reason(), "Zeile 2: erwartet wird </e>");
    }
}

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

TEST(XmlReader, ACodecOfItsOwnIsUsedForEveryText) {
    ShoutingCodec codec;
    EXPECT_EQ(Load("<r>lead<a>in</a>tail</r>\r\n", &codec), "@r{'LEAD' @a{'IN'} 'TAIL'}");
    EXPECT_EQ(Load("<r>\r\n<a>in</a>\r\nbad\r\n</r>\r\n", &codec),
              "refused at 4: bad/" + std::to_string(static_cast<int>(XmlExpected::Reference)));

    TXMLTag root;
    root.Items.AddText("LEAD");
    new TXMLTag(&root, "a", "IN");
    TXMLParser parser;
    parser.Codec = &codec;
    std::vector<std::string> lines;
    parser.WriteNode(&root, lines, false, 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"[LEAD]", "<a>[IN]</a>"}));
}

}  // namespace
