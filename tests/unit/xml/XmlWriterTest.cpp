// The writer's fixed layout, checked byte for byte against stored backup files,
// and what survives a write and a read.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "unit/xml/TreeDump.h"
#include "xml/XmlParser.h"

namespace {

std::string FixturePath(const std::string& name) {
#ifdef _WIN32
    const std::string drive = "Z:";
#else
    const std::string drive;
#endif
    return drive + BM_SOURCE_DIR + "/tests/unit/xml/fixtures/" + name;
}

std::string ReadFixture(const std::string& name) {
    std::ifstream in(FixturePath(name), std::ios::binary);
    EXPECT_TRUE(in) << name;
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The tree the backup store builds for one snapshot.
void AddSnapshot(TXMLTag* list, const std::vector<std::vector<std::string>>& entries) {
    TXMLTag* object = new TXMLTag(list, "object");
    new TXMLTag(object, "datum", "01.02.2010 10:20:30");
    for (size_t i = 0; i < entries.size(); ++i) {
        TXMLTag* launcher = new TXMLTag(object, "launcher" + std::to_string(i));
        new TXMLTag(launcher, "active", entries[i][0]);
        new TXMLTag(launcher, "kind", entries[i][1]);
        new TXMLTag(launcher, "name", entries[i][2]);
        new TXMLTag(launcher, "command", entries[i][3]);
    }
}

struct Fixture {
    const char* file;
    std::vector<std::vector<std::string>> entries;
};

const Fixture kFixtures[] = {
    {"snapshot-without-entries.xml", {}},
    {"snapshot-with-one-entry.xml", {{"true", "11", "Updater", "C:\\Tools\\upd.exe /s"}}},
};

TEST(XmlWriter, WritesTheStoredBackupFilesByteForByte) {
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    for (const Fixture& f : kFixtures) {
        TXMLTag xml(nullptr, "xml");
        AddSnapshot(new TXMLTag(&xml, "list"), f.entries);
        EXPECT_EQ(parser.SaveToText(&xml, true, true), ReadFixture(f.file)) << f.file;
    }
}

TEST(XmlWriter, StoredBackupFilesReadBackToTheSameBytes) {
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    for (const Fixture& f : kFixtures) {
        const std::string bytes = ReadFixture(f.file);
        TXMLTag root;
        ASSERT_TRUE(parser.LoadFromText(bytes, f.file, &root)) << f.file;
        TXMLTag* xml = root.Items.FindTag("XML");
        ASSERT_NE(xml, nullptr);
        EXPECT_EQ(root.Items.Count(), 1);
        EXPECT_EQ(parser.SaveToText(xml, true, true), bytes) << f.file;
        EXPECT_EQ(xml->Items.FindTag("list")->Items.Tag(0)->Items.FindTag("datum")->Text(), "01.02.2010 10:20:30");
    }
}

TEST(XmlWriter, LayoutRules) {
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    TXMLTag root(nullptr, "root");
    new TXMLTag(&root, "list");
    TXMLTag* withAttributes = new TXMLTag(&root, "a");
    withAttributes->Attributes.SetValue("x", "1");
    withAttributes->Attributes.SetValue("y", "C:\\a_b");  // attribute values are not encoded
    new TXMLTag(&root, "name", "");
    TXMLTag* mixed = new TXMLTag(&root, "mixed");
    mixed->Items.AddText("one");
    new TXMLTag(mixed, "b", "\xC4");
    mixed->Items.AddText("two");
    TXMLTag* texts = new TXMLTag(&root, "texts");
    texts->Items.AddText("a\\");
    texts->Items.AddText("b");

    std::vector<std::string> lines;
    parser.WriteNode(&root, lines, false, 4);
    const std::vector<std::string> expected = {
        "    <list />",
        "    <a x=\"1\" y=\"C:\\a_b\" />",
        "    <name></name>",
        "    <mixed>",
        "      one",
        "      <b>&Auml;</b>",
        "      two",
        "    </mixed>",
        "    <texts>a&#92;b</texts>",
    };
    EXPECT_EQ(lines, expected);

    lines.clear();
    parser.WriteNode(new TXMLTag(&root, "solo"), lines, true, 2);
    EXPECT_EQ(lines, std::vector<std::string>{"  <solo />"});
    EXPECT_EQ(root.Items.Count(), 6);  // the written element stays with its owner

    TXMLTag nameless;
    EXPECT_EQ(parser.SaveToText(&nameless, true, false), "<?xml version=\"1.0\"?>\r\n< />\r\n");
    EXPECT_EQ(parser.SaveToText(&nameless, false, false), "<?xml version=\"1.0\"?>\r\n");
}

TEST(XmlWriter, EightyCharactersStayOnOneLine) {
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const std::string t73(73, 't');
    const std::string t68 = std::string(68, 't') + "\\";  // 73 bytes once encoded
    const Case cases[] = {
        {t73, {"  <t>" + t73 + "</t>"}},                        // exactly 80
        {t73 + "u", {"  <t>", "    " + t73 + "u", "  </t>"}},   // 81
        {t68, {"  <t>" + std::string(68, 't') + "&#92;</t>"}},  // 80 once encoded
        {t68 + "u", {"  <t>", "    " + std::string(68, 't') + "&#92;u", "  </t>"}},
    };
    for (const Case& c : cases) {
        TXMLTag root;
        new TXMLTag(&root, "t", c.text);
        std::vector<std::string> lines;
        parser.WriteNode(&root, lines, false, 2);
        EXPECT_EQ(lines, c.lines) << c.text;

        // Both forms read back to the same tree.
        TXMLTag back;
        ASSERT_TRUE(parser.LoadFromText(parser.SaveToText(&root, false, true), "f", &back));
        EXPECT_EQ(DumpChildren(back), DumpChildren(root)) << c.text;
    }
}

TEST(XmlWriter, ABlankAtEitherEndOfATextIsWrittenAsAReference) {
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    TXMLTag root;
    new TXMLTag(&root, "name", " Lead");
    new TXMLTag(&root, "name", "Lead ");
    new TXMLTag(&root, "name", "  two  inside  ");
    new TXMLTag(&root, "name", " ");
    TXMLTag* mixed = new TXMLTag(&root, "mixed");
    mixed->Items.AddText(" one");
    new TXMLTag(mixed, "b");
    std::vector<std::string> lines;
    parser.WriteNode(&root, lines, false, 0);
    const std::vector<std::string> expected = {
        "<name>&#32;Lead</name>",
        "<name>Lead&#32;</name>",
        "<name>&#32; two  inside &#32;</name>",
        "<name>&#32;</name>",
        "<mixed>",
        "  &#32;one",
        "  <b />",
        "</mixed>",
    };
    EXPECT_EQ(lines, expected);

    // Without a codec there are no references: the text is written as it stands.
    TXMLParser plain;
    lines.clear();
    plain.WriteNode(&root, lines, false, 0);
    EXPECT_EQ(lines.front(), "<name> Lead</name>");
}

// Writes one leaf with the text and reads it back; answers the text read.
std::string RoundTrip(TXMLParser& parser, const std::string& text) {
    TXMLTag root(nullptr, "xml");
    new TXMLTag(&root, "command", text);
    TXMLTag back;
    try {
        parser.LoadFromText(parser.SaveToText(&root, true, true), "f", &back);
    } catch (const EXMLException&) {
        return "<refused>";
    }
    TXMLTag* xml = back.Items.FindTag("xml");
    TXMLTag* command = xml ? xml->Items.FindTag("command") : nullptr;
    return command ? command->Text() : "<no command element>";
}

TEST(XmlWriter, WhatSurvivesAWriteAndARead) {
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    std::string everyByte;
    for (int c = 1; c < 256; ++c) everyByte += static_cast<char>(c);
    const std::string longTail = std::string(90, 'x') + "  ";

    struct Case {
        std::string text;
        std::string back;
    };
    const Case cases[] = {
        {everyByte, everyByte},  // three-line form, byte for byte
        {"\xC4\xD6\xDC\xE4\xF6\xFC\xDF\xC6\xDE\xD0", "\xC4\xD6\xDC\xE4\xF6\xFC\xDF\xC6\xDE\xD0"},
        {"a<b>&\"'c", "a<b>&\"'c"},
        {"  lead", "  lead"},    // a blank at either end is written as a reference
        {"trail  ", "trail  "},  // on one line
        {longTail, longTail},    // and on three
        {" ", " "},              // also when it is both ends
        {"\tx\t", "\tx\t"},      // a tab is a reference anyway
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(RoundTrip(parser, c.text), c.back) << c.text;

    TXMLParser plain;
    EXPECT_EQ(RoundTrip(plain, "if a<b"), "<refused>");  // without a codec "<" opens a tag, which never ends
}

}  // namespace
