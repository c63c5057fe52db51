// A one-line picture of a tree for comparing whole trees in one expectation:
// an element is "@" + name, then "[a=1,b=]" when it has attributes and
// "{...}" with its children when it has any; a text is quoted with ''.
#pragma once
#include <string>

#include "xml/XmlTree.h"

inline std::string DumpChildren(const TXMLTag& tag);

inline std::string DumpNode(const TXMLBase& node) {
    if (const TXMLText* text = node.AsText()) return "'" + std::string(text->Text()) + "'";
    const TXMLTag& tag = *node.AsTag();
    std::string out = "@" + tag.Name;
    if (tag.Attributes.Count() > 0) {
        out += "[";
        for (int i = 0; i < tag.Attributes.Count(); ++i)
            out += (i ? "," : "") + tag.Attributes.Lines()[static_cast<size_t>(i)];
        out += "]";
    }
    if (tag.Items.Count() > 0) out += "{" + DumpChildren(tag) + "}";
    return out;
}

// The children of a tag, separated by one space.
inline std::string DumpChildren(const TXMLTag& tag) {
    std::string out;
    for (int i = 0; i < tag.Items.Count(); ++i) out += (i ? " " : "") + DumpNode(*tag.Items.Item(i));
    return out;
}
