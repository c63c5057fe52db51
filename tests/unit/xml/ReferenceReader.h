// The reading rules of ParseText spelled out step by step on plain strings,
// copying the rest at every step. Slow (the square of the text's length) and
// recursive, so only for short texts: the tests and the fuzz target hold the
// reader's tree against this one's.
#pragma once
#include <string>

#include "xml/XmlParser.h"

namespace reference {

inline bool Blank(char c) { return static_cast<unsigned char>(c) <= 32; }

inline std::string Trim(const std::string& s) {
    size_t first = 0, end = s.size();
    while (first < end && Blank(s[first])) ++first;
    while (end > first && Blank(s[end - 1])) --end;
    return s.substr(first, end - first);
}

inline char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Whether text from `at` begins with `prefix`, A to Z without regard to case.
inline bool BeginsWith(const std::string& text, size_t at, const std::string& prefix) {
    if (text.size() - at < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[at + i]) != Lower(prefix[i])) return false;
    return true;
}

// 1-based position of the "<" of the end tag, or the length of rest.
inline size_t ClosingTag(const std::string& rest, const std::string& name) {
    const std::string opening = "<" + name, closing = "</" + name;
    long depth = 1;
    for (size_t p = 1; p <= rest.size() && depth > 0; ++p) {
        if (BeginsWith(rest, p - 1, opening)) ++depth;
        if (BeginsWith(rest, p - 1, closing)) --depth;
        if (depth == 0) return p;
    }
    return rest.size();
}

inline bool AddText(TXMLCodec* codec, TXMLTag* parent, const std::string& text) {
    if (codec == nullptr) {
        new TXMLText(parent, text);
        return true;
    }
    try {
        new TXMLText(parent, codec->Decode(text));
        return true;
    } catch (const EXMLDecodeError&) {
        new TXMLText(parent, text);
        return false;
    }
}

inline bool ParseText(TXMLCodec* codec, const std::string& text, TXMLTag* parent) {
    std::string rest;
    for (char c : text)
        if (c != '\r' && c != '\n') rest += c;
    bool result = false;
    while (!rest.empty()) {
        bool completed = true;
        const size_t lt = rest.find('<');
        if (lt == std::string::npos) {
            result = AddText(codec, parent, rest);
            rest.clear();
            continue;
        }
        const std::string leading = Trim(rest.substr(0, lt));
        if (!leading.empty()) completed = AddText(codec, parent, leading);
        rest = rest.substr(lt);
        std::string tag;
        const size_t gt = rest.find('>');
        if (gt != std::string::npos) {
            tag = Trim(rest.substr(1, gt - 1));
            rest = Trim(rest.substr(gt + 1));
        }
        bool empty = false;
        if (!tag.empty() && tag.back() == '/') {
            tag.pop_back();
            empty = true;
        }
        if (!tag.empty() && tag.front() == '!') {
            tag.erase(0, 1);
            empty = true;
        } else if (!tag.empty() && tag.front() == '?') {
            tag.erase(0, 1);
            if (!tag.empty() && tag.back() == '?') tag.pop_back();
            empty = true;
        }
        std::string name = tag, attributes;
        const size_t space = tag.find(' ');
        if (space != std::string::npos) {
            name = Trim(tag.substr(0, space));
            attributes = Trim(tag.substr(space));
        }
        if (empty) {
            (new TXMLTag(parent, name))->Attributes.ParseText(attributes);
        } else {
            const size_t c = ClosingTag(rest, name);
            const std::string content = c == 0 ? std::string() : rest.substr(0, c - 1);
            rest = c == 0 ? std::string() : rest.substr(c - 1);
            const size_t end = rest.find('>');
            rest = end == std::string::npos ? std::string() : rest.substr(end + 1);
            TXMLTag* element = new TXMLTag(parent, name);
            element->Attributes.ParseText(attributes);
            ParseText(codec, content, element);
        }
        result = completed;
    }
    return result;
}

}  // namespace reference
