// Writes the seed corpus of the XML fuzz target: backup files and other trees
// as the writer puts them on disk, and damaged files of the shapes that once
// cost the reader the square of their length. Run once by hand; the output is
// committed.
//   make_xml_seeds <folder>
#include <fstream>
#include <iostream>
#include <string>

#include "xml/XmlParser.h"

namespace {

void Save(TXMLParser& parser, TXMLTag& root, const std::string& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << parser.SaveToText(&root, true, true);
}

void SaveText(const std::string& text, const std::string& file) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

std::string Repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

void Entry(TXMLTag* object, int i, const char* active, const char* kind, const std::string& name,
           const std::string& command) {
    TXMLTag* launcher = new TXMLTag(object, "launcher" + std::to_string(i));
    new TXMLTag(launcher, "active", active);
    new TXMLTag(launcher, "kind", kind);
    new TXMLTag(launcher, "name", name);
    new TXMLTag(launcher, "command", command);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_xml_seeds <folder>\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;

    {
        TXMLTag xml(nullptr, "xml");
        new TXMLTag(&xml, "list");
        Save(parser, xml, folder + "empty-list.xml");
    }
    {
        TXMLTag xml(nullptr, "xml");
        TXMLTag* list = new TXMLTag(&xml, "list");
        TXMLTag* object = new TXMLTag(list, "object");
        new TXMLTag(object, "datum", "01.02.2010 10:20:30");
        Entry(object, 0, "true", "11", "Updater", "C:\\Tools\\upd.exe /s");
        Save(parser, xml, folder + "one-entry.xml");
    }
    {
        TXMLTag xml(nullptr, "xml");
        TXMLTag* list = new TXMLTag(&xml, "list");
        for (int s = 0; s < 3; ++s) {
            TXMLTag* object = new TXMLTag(list, "object");
            new TXMLTag(object, "datum",
                        s == 2 ? "31.12.2009" : "0" + std::to_string(s + 1) + ".02.2010 23:59:5" + std::to_string(s));
            if (s == 1) continue;
            Entry(object, 0, "true", "1", "\xC4rger & \"Quotes\" <tag>",
                  "\"C:\\Program Files\\\xDC"
                  "bung\\a_b.exe\" -x 'y'");
            Entry(object, 1, "false", "32", "",
                  "C:\\WINDOWS\\inactive.exe C:\\very\\long\\path\\" + std::string(70, 'p') + "\\tool.exe /quiet  ");
            Entry(object, 2, "true", "25", "  lead and tab\t", std::string("\x80\x9F\xA0\xFF\x01\x1F", 6));
        }
        Save(parser, xml, folder + "three-snapshots.xml");
    }
    {
        TXMLTag root(nullptr, "doc");
        TXMLTag* a = new TXMLTag(&root, "a");
        a->Attributes.SetValue("x", "1");
        a->Attributes.SetValue("quoted", "say \"hi\"");
        a->Attributes.SetValue("empty", "");
        TXMLTag* mixed = new TXMLTag(&root, "mixed");
        mixed->Items.AddText("before");
        new TXMLTag(mixed, "mixed2", "inner");
        new TXMLTag(mixed, "mixed2");
        mixed->Items.AddText("after &#12a; &");
        new TXMLTag(&root);
        new TXMLTag(&root, "LIST", "Case");
        Save(parser, root, folder + "attributes-and-mixed.xml");
    }
    // Damaged files, a few hundred bytes each: the fuzzer grows them.
    const std::string declaration = "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n";
    SaveText(declaration + Repeat("<a>", 100) + "\r\n", folder + "shape-unclosed.xml");
    SaveText(declaration + Repeat("<list>\r\n<object><datum>x\r\n", 12), folder + "shape-unclosed-at-depths.xml");
    SaveText(declaration + Repeat("<e>", 60) + "x" + Repeat("</e>", 60) + "\r\n", folder + "shape-deep.xml");
    {
        std::string nested;
        for (int i = 0; i < 40; ++i) nested += "<d" + std::to_string(i) + ">";
        for (int i = 40; i-- > 0;) nested += "</d" + std::to_string(i) + ">";
        SaveText(declaration + nested + "\r\n", folder + "shape-deep-names.xml");
    }
    SaveText(declaration + Repeat("</a>", 80) + "\r\n", folder + "shape-end-tags-unmatched.xml");
    SaveText(declaration + Repeat("<a<b>", 60) + "\r\n", folder + "shape-names-with-angle.xml");
    {
        // Names holding "<", every one another, some opening within others'
        // runs and some closed.
        std::string names;
        for (int i = 0; i < 40; ++i) names += "<a<b" + std::to_string(i % 13) + "<c" + std::to_string(i % 3) + ">";
        names += "x</a<b1<c1></A<B1><a<<b>y</a<<b></a<b12<c0></a<b";
        SaveText(declaration + names + "\r\n", folder + "shape-names-with-angle-each-another.xml");
    }
    SaveText(declaration + "<a" + Repeat(" k=\"v\"", 50) + Repeat(" K", 20) + " />\r\n",
             folder + "shape-attributes.xml");
    SaveText(declaration + "<a>" + Repeat("long line &amp; text ", 30) + "</a><" + Repeat("<", 40) + "\r\n",
             folder + "shape-long-line.xml");
    SaveText(declaration + Repeat("<a>\r\n  <b>\r\n", 40), folder + "shape-lines-joined.xml");
    return 0;
}
