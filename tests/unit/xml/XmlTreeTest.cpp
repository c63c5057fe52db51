// The node tree: ownership through the parent, the child list's queries, and
// the attribute list's rules.
#include <gtest/gtest.h>

#include <memory>

#include "unit/xml/TreeDump.h"
#include "xml/XmlParser.h"
#include "xml/XmlTree.h"

namespace {

TEST(XmlTree, NodesCreatedWithAParentAreAppendedAndOwnedByIt) {
    TXMLTag root(nullptr, "xml");
    TXMLTag* list = new TXMLTag(&root, "list");
    new TXMLTag(list, "datum", "01.02.2010");
    new TXMLTag(list, "name", "");  // an empty text is still a child
    new TXMLText(list, "tail");
    new TXMLTag(list);
    EXPECT_EQ(DumpChildren(root), "@list{@datum{'01.02.2010'} @name{''} 'tail' @}");
    EXPECT_EQ(list->Items.Count(), 4);
    EXPECT_EQ(list->Items.TagCount(), 3);
}

TEST(XmlTree, TextJoinsTheDirectTextChildrenOnly) {
    TXMLTag tag(nullptr, "t");
    EXPECT_EQ(tag.Text(), "");
    tag.Items.AddText("a");
    new TXMLTag(&tag, "inner", "ignored");
    new TXMLText(&tag, "b");
    EXPECT_EQ(tag.Text(), "ab");
}

TEST(XmlTree, TagAndFindTagCountElementChildrenOnly) {
    TXMLTag root;
    root.Items.AddText("x");
    TXMLTag* first = new TXMLTag(&root, "list");
    root.Items.AddText("y");
    TXMLTag* second = new TXMLTag(&root, "LIST");
    TXMLTag* umlaut = new TXMLTag(&root, "\xC4pfel");

    EXPECT_EQ(root.Items.Tag(0), first);
    EXPECT_EQ(root.Items.Tag(1), second);
    EXPECT_EQ(root.Items.Tag(3), nullptr);
    EXPECT_EQ(root.Items.Tag(-1), nullptr);
    EXPECT_EQ(root.Items.FindTag("List"), first);  // A to Z without regard to case, first match
    EXPECT_EQ(root.Items.FindTag("\xC4PFEL"), umlaut);
    EXPECT_EQ(root.Items.FindTag("\xE4pfel"), nullptr);  // other bytes must be equal
    EXPECT_EQ(root.Items.FindTag("lis"), nullptr);

    // The index of element children follows additions and removals.
    TXMLTag* third = new TXMLTag(&root, "kind");
    EXPECT_EQ(root.Items.Tag(3), third);
    std::unique_ptr<TXMLBase> removed(root.Items.Remove(1));
    EXPECT_EQ(removed.get(), first);
    EXPECT_EQ(root.Items.Tag(0), second);
    EXPECT_EQ(root.Items.TagCount(), 3);
    EXPECT_EQ(root.Items.FindTag("list"), second);
}

TEST(XmlTree, RemoveHandsTheChildOutAndAddTakesItBack) {
    TXMLTag a(nullptr, "a");
    TXMLTag b(nullptr, "b");
    new TXMLTag(&a, "moved", "text");
    TXMLBase* node = a.Items.Remove(0);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(a.Items.Count(), 0);
    EXPECT_EQ(b.Items.Add(node), 0);
    EXPECT_EQ(DumpChildren(b), "@moved{'text'}");
    EXPECT_EQ(a.Items.Remove(0), nullptr);
    b.Items.Clear();
    EXPECT_EQ(b.Items.Count(), 0);
    EXPECT_EQ(b.Items.TagCount(), 0);
}

// A node taken out of a read tree lives on after the tree.
TEST(XmlTree, ANodeTakenOutOfAReadTreeOutlivesIt) {
    TXMLParser parser;
    TXMLCodec codec;
    parser.Codec = &codec;
    std::unique_ptr<TXMLBase> taken;
    {
        TXMLTag root;
        ASSERT_TRUE(
            parser.LoadFromText("<?xml?>\r\n<r><a k=v><b>one &amp; two</b><c/></a><d>x</d></r>\r\n", "f", &root));
        TXMLTag* r = root.Items.Tag(0);
        r->Items.Tag(0)->Items.Tag(0)->Name = "a longer name than fits in place";
        taken.reset(r->Items.Remove(0));
        EXPECT_EQ(DumpChildren(root), "@r{@d{'x'}}");
    }
    EXPECT_EQ(DumpNode(*taken), "@a[k=v]{@a longer name than fits in place{'one & two'} @c}");
}

// The nodes of read trees mix with nodes the program makes, move between trees
// and outlive the tree they were read into, freed in any order (the sanitizer
// build sees every node and text of each step freed once and used only alive).
TEST(XmlTree, ReadNodesMixMoveAndOutliveTheirTreeInAnyOrder) {
    TXMLParser parser;
    TXMLCodec codec;
    parser.Codec = &codec;
    const std::string file =
        "<?xml?>\r\n<r><a>a text long enough to need &quot;the heap&quot;</a><b><c>deep, and long as "
        "well</c></b></r>\r\n";
    auto read = [&](TXMLTag& root) { ASSERT_TRUE(parser.LoadFromText(file, "f", &root)); };
    const std::string c = "@c{'deep, and long as well'}";

    {  // two readings into one root, a made node below a read one, a deep node kept
        auto root = std::make_unique<TXMLTag>();
        read(*root);
        read(*root);
        TXMLTag* firstA = root->Items.Tag(0)->Items.Tag(0);
        new TXMLTag(firstA, "made", "by the program, long enough for the heap");
        std::unique_ptr<TXMLBase> kept(root->Items.Tag(1)->Items.Tag(1)->Items.Remove(0));
        EXPECT_EQ(DumpChildren(*root->Items.Tag(0)),
                  "@a{'a text long enough to need \"the heap\"' @made{'by the program, long enough for the heap'}} "
                  "@b{@c{'deep, and long as well'}}");
        root.reset();
        EXPECT_EQ(DumpNode(*kept), c);
        TXMLTag made(nullptr, "made");
        made.Items.Add(kept.release());
        EXPECT_EQ(DumpChildren(made), c);
    }
    {  // a node and one below it taken out, freed before the tree and after it
        auto root = std::make_unique<TXMLTag>();
        read(*root);
        std::unique_ptr<TXMLBase> b(root->Items.Tag(0)->Items.Remove(1));
        std::unique_ptr<TXMLBase> deep(b->AsTag()->Items.Remove(0));
        b.reset();
        root.reset();
        EXPECT_EQ(DumpNode(*deep), c);
    }
    {  // the top of a read tree moved to another root and back
        TXMLTag first, second;
        read(first);
        second.Items.Add(first.Items.Remove(0));
        read(first);
        first.Items.Add(second.Items.Remove(0));
        EXPECT_EQ(first.Items.Count(), 2);
        EXPECT_EQ(DumpChildren(first), DumpNode(*first.Items.Item(1)) + " " + DumpNode(*first.Items.Item(1)));
    }
}

TEST(XmlTree, TagWalksElementChildrenInAnyOrder) {
    TXMLTag root;
    for (int i = 0; i < 50; ++i) {
        root.Items.AddText("t");
        new TXMLTag(&root, "e" + std::to_string(i));
    }
    for (int i : {0, 1, 2, 49, 10, 11, 3, 48, 0}) EXPECT_EQ(root.Items.Tag(i)->Name, "e" + std::to_string(i));
    for (int i : {99, 0, 98, 1}) EXPECT_EQ(root.Items.Item(i)->IsTag(), i % 2 == 1);
    EXPECT_EQ(root.Items.Tag(50), nullptr);
}

TEST(XmlTree, AVeryDeepTreeIsFreedWithoutRecursion) {
    // Deep enough to overflow the stack of a recursive destructor, natively and under Wine.
    auto root = std::make_unique<TXMLTag>(nullptr, "root");
    TXMLTag* at = root.get();
    for (int i = 0; i < 200000; ++i) at = new TXMLTag(at, "n");
    root.reset();
    SUCCEED();
}

TEST(XmlAttributes, SetValueRules) {
    TXMLAttributes a;
    a.SetValue("x", "say \"hi\"");
    EXPECT_EQ(a.Values("x"), "say 'hi'");
    a.SetValue("empty", "");
    EXPECT_EQ(a.Count(), 2);  // a new attribute with an empty value is kept
    a.SetValue("X", "2");
    EXPECT_EQ(a.Lines(), (std::vector<std::string>{"X=2", "empty="}));  // replaced in place, new spelling
    a.SetValue("EMPTY", "");
    EXPECT_EQ(a.Lines(), (std::vector<std::string>{"X=2"}));  // an empty value removes an existing one
    a.SetValue("\xC4rger", "1");
    a.SetValue("\xE4RGER", "2");  // names compare as Windows-1252 letters
    EXPECT_EQ(a.Lines(), (std::vector<std::string>{"X=2", "\xE4RGER=2"}));
    EXPECT_EQ(a.AsText(), "X=\"2\" \xE4RGER=\"2\" ");
    a.Clear();
    EXPECT_EQ(a.AsText(), "");
}

TEST(XmlAttributes, ParseTextRules) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"version=\"1.0\" standalone=\"yes\"", {"version=1.0", "standalone=yes"}},
        {"a=\"x y\"", {"a=x", "y\"="}},  // a value cannot hold a space
        {"a = 1", {"a=", "=", "1="}},    // spaces around "=" split the attribute
        {"a='q'", {"a='q'"}},            // apostrophes stay part of the value
        {"a=\"\"\"", {"a='"}},           // one quote dropped each side, the third one stored as '
        {"a=1 b=2 A=3 B=", {"A=3"}},     // replaced, then removed by an empty value
        {"  lone   \t", {"lone="}},
        {"a=1\tb=2", {"a=1\tb=2"}},  // only the space separates; a tab stays in the value
        {"", {}},
    };
    for (const Case& c : cases) {
        TXMLAttributes a;
        a.SetValue("old", "1");
        a.ParseText(c.text);
        EXPECT_EQ(a.Lines(), c.lines) << c.text;
    }
}

TEST(XmlAttributes, ParseTextMatchesSetValueOnManyAttributes) {
    std::string text;
    TXMLAttributes expected;
    for (int i = 0; i < 2000; ++i) {
        const std::string name = "n" + std::to_string(i % 700);
        const std::string value = (i % 5 == 0) ? "" : std::to_string(i);
        text += name + "=\"" + value + "\" ";
        expected.SetValue(name, value);
    }
    TXMLAttributes parsed;
    parsed.ParseText(text);
    EXPECT_EQ(parsed.Lines(), expected.Lines());
}

}  // namespace
