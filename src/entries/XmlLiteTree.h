// Task definitions and app manifests are Windows' own XML, read with Windows'
// own reader (XmlLite) into a small tree of local names: the readers of both
// only ask which elements, attributes and texts are where, and a namespace
// prefix means nothing to them. xmllite.dll is loaded when first needed, since
// it is no part of the import library set of every Windows this runs on.
#pragma once
#include <string>
#include <vector>

struct XmlLiteNode {
    std::string name;                                             // local name, UTF-8
    std::vector<std::pair<std::string, std::string>> attributes;  // local name, value
    std::string text;                                             // the element's own text pieces, joined
    std::vector<XmlLiteNode> children;

    // The first child of that local name (case counts, as in XML); nullptr when none.
    const XmlLiteNode* Child(const std::string& local) const;
    // The value of the first attribute of that local name; empty when none.
    std::string Attribute(const std::string& local) const;
    // The text of the first child of that local name; fallback when there is none.
    std::string ChildText(const std::string& local, const std::string& fallback = std::string()) const;
};

// Reads a document held as UTF-16 (a task's XML as the Task Scheduler gives it).
// False when XmlLite is missing or calls the text malformed.
bool ReadXmlLiteText(const std::wstring& xml, XmlLiteNode& root);
// Reads a file in whatever encoding it declares.
bool ReadXmlLiteFile(const std::string& path, XmlLiteNode& root);
