// How the reader finds the end tag of an element; internal to the XML
// component, its tests and its fuzz target.
#pragma once
#include <cstddef>

enum class XmlClosingTagSearch {
    Automatic,        // one pass with a stack of open elements while the text is
                      // of a shape that reads the same that way, else as
                      // SearchThenIndex
    SearchThenIndex,  // the plain search, the name index once the plain one has
                      // done too much work
    IndexOnly,        // the name index from the first element on, so tests can
                      // read every text all three ways
};

// For the thread that reads: may the one-pass reading be tried first?
bool XmlOnePassAllowed();

// For the thread that reads; Automatic unless set.
void XmlSetClosingTagSearch(XmlClosingTagSearch search);

// Work the plain search may do on a text of `size` bytes before the reader
// builds the name index.
std::size_t XmlPlainSearchAllowance(std::size_t size);
