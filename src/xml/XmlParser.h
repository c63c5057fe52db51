// Reader and writer of the XML component: a strict, line-oriented reader and a
// fixed-layout writer.
//
// The writer's layout: a declaration line, then one element per line indented
// by two spaces a level, a leaf with its text on one line when that line stays
// within 80 characters. The reader reads that layout and any well-formed XML
// of its shape, and refuses everything else with the line and what it expected
// there: a backup file that is damaged is never half read.
//
// The work is done on byte strings (LoadFromText, SaveToText), so it runs and is
// tested without a file system. LoadFromFile and SaveToFile only add the file:
// the Windows build replaces a saved file atomically.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "system/Errors.h"
#include "xml/XmlCodec.h"
#include "xml/XmlTree.h"

// What the reader expected where it refused a file.
enum class XmlExpected {
    Declaration,  // a "<?xml" line followed by further lines (the file has no line number then)
    EndTag,       // the end tag of the innermost open element: Detail() is "</name>"
    TagEnd,       // a ">" ending the tag, before any "<" and before the end of the file
    Name,         // an element name right after "<", "</", "<?" or "<!"
    Element,      // the one element of the file, not text
    EndOfFile,    // nothing after the file's element but declarations
    Reference,    // a character reference the codec knows ("&amp;", "&#92;"): Detail() is the bad one
    Character,    // a printable character, not a control byte
    LessNesting,  // no element deeper than kXmlDeepestNesting: Detail() is the end tag of
                  // the innermost open element, which had to come instead
};

// Elements nest at most this deep in a file the reader accepts. A backup file
// nests five deep; the bound keeps a hostile file from building a tree that
// code walking it recursively cannot handle.
constexpr int kXmlDeepestNesting = 10000;

// A file the reader does not accept. Its message is XmlNotValidMessage(file
// name), followed by the reason when it has a line.
class EXMLException : public EAppError {
public:
    explicit EXMLException(const std::string& message, const std::string& fileName = std::string())
        : EAppError(message), fileName_(fileName) {}
    // A refusal at a line of the file (1-based, the lines before the
    // declaration counted).
    EXMLException(const std::string& fileName, int line, XmlExpected expected, const std::string& detail);

    // The file as the reader was given it, for a message in the user's language.
    const std::string& FileName() const { return fileName_; }
    // 0 for a file without content after a declaration line.
    int Line() const { return line_; }
    XmlExpected Expected() const { return expected_; }
    // The markup expected or found, as it stands in the file: "</launcher3>"
    // for EndTag and LessNesting, ">" for TagEnd, "&amq;" for Reference;
    // empty for the others.
    const std::string& Detail() const { return detail_; }
    // The reason in German ("Zeile 12: erwartet wird </launcher3>"); empty
    // without a line.
    std::string Reason() const;

private:
    std::string fileName_;
    int line_ = 0;
    XmlExpected expected_ = XmlExpected::Declaration;
    std::string detail_;
};

class TXMLParser {
public:
    // Not owned. With none, text is read and written as it stands.
    TXMLCodec* Codec = nullptr;

    // Reads the file and appends the nodes of its content to root (after any
    // children root already has); answers whether the content held anything.
    // Throws EXMLException for a file it refuses, EInOutError when the file
    // cannot be opened or read. Nothing is added to root when it throws.
    bool LoadFromFile(const std::string& fileName, TXMLTag* root);
    // The same on the file's bytes; fileName only goes into the error.
    bool LoadFromText(const std::string& bytes, const std::string& fileName, TXMLTag* root);

    // Writes the declaration line and the element (include root) or its content,
    // CR LF after every line, creating or replacing the file. The whole text is
    // built before the file is touched, and the file is replaced in one step, so
    // a failure leaves an existing file as it was. Throws EInOutError on failure.
    void SaveToFile(TXMLTag* element, const std::string& fileName, bool includeRoot, bool standalone);
    // The exact bytes SaveToFile writes.
    std::string SaveToText(TXMLTag* element, bool includeRoot, bool standalone);

    // Appends the lines of the element's content, or with includeRoot of the
    // element itself, indented by `indentation` spaces, two more per level.
    void WriteNode(TXMLTag* element, std::vector<std::string>& lines, bool includeRoot, int indentation);

private:
    // LoadFromText on bytes held elsewhere.
    bool LoadFromBytes(std::string_view bytes, const std::string& fileName, TXMLTag* root);
};

// Text of the error for a file the reader does not accept.
std::string XmlNotValidMessage(const std::string& fileName);
