#include "xml/XmlString.h"

#include <ostream>

void XmlString::Assign(std::string_view text) {
    // The text may lie in this string's own bytes: it is copied before they go.
    if (text.size() <= kInPlace) {
        char copy[kInPlace];
        if (!text.empty()) std::memcpy(copy, text.data(), text.size());
        Release();
        if (!text.empty()) std::memcpy(inPlace_, copy, text.size());
        size_ = text.size();
        return;
    }
    char* bytes = new char[text.size()];
    std::memcpy(bytes, text.data(), text.size());
    Release();
    data_ = bytes;
    size_ = text.size();
    onHeap_ = true;
}

std::string operator+(const XmlString& a, const XmlString& b) { return a + b.View(); }

std::string operator+(const XmlString& a, std::string_view b) {
    std::string out;
    out.reserve(a.size() + b.size());
    out.append(a.data(), a.size());
    out.append(b.data(), b.size());
    return out;
}

std::string operator+(std::string_view a, const XmlString& b) {
    std::string out;
    out.reserve(a.size() + b.size());
    out.append(a.data(), a.size());
    out.append(b.data(), b.size());
    return out;
}

std::ostream& operator<<(std::ostream& out, const XmlString& text) { return out << text.View(); }
