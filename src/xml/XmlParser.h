// Reader and writer of the XML component: a tolerant, line-oriented reader and
// a fixed-layout writer. The backup file relies on reading exactly what this
// writer writes, and on the reader's tolerance; neither is a conforming XML
// processor.
//
// The work is done on byte strings (LoadFromText, SaveToText), so it runs and is
// tested without a file system. LoadFromFile and SaveToFile only add the file:
// the Windows build replaces a saved file atomically.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "system/Errors.h"
#include "xml/XmlCodec.h"
#include "xml/XmlTree.h"

class XmlNodeMaker;

// A file the reader does not accept. Its message is XmlNotValidMessage(file name).
class EXMLException : public EAppError {
public:
    explicit EXMLException(const std::string& message, const std::string& fileName = std::string())
        : EAppError(message), fileName_(fileName) {}
    // The file as the reader was given it, for a message in the user's language.
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

class TXMLParser {
public:
    // Not owned. With none, text is read and written as it stands.
    TXMLCodec* Codec = nullptr;

    // Reads the file and appends the nodes of its content to root (after any
    // children root already has); answers ParseText's result. Throws
    // EXMLException for a file without a "<?xml" line followed by at least one
    // further line, EInOutError when the file cannot be opened or read. Nothing
    // is added to root when it throws.
    bool LoadFromFile(const std::string& fileName, TXMLTag* root);
    // The same on the file's bytes; fileName only goes into the error message.
    bool LoadFromText(const std::string& bytes, const std::string& fileName, TXMLTag* root);

    // Writes the declaration line and the element (include root) or its content,
    // CR LF after every line, creating or replacing the file. The whole text is
    // built before the file is touched, and the file is replaced in one step, so
    // a failure leaves an existing file as it was. Throws EInOutError on failure.
    void SaveToFile(TXMLTag* element, const std::string& fileName, bool includeRoot, bool standalone);
    // The exact bytes SaveToFile writes.
    std::string SaveToText(TXMLTag* element, bool includeRoot, bool standalone);

    // Builds nodes from a text and appends them to parent. True when the text
    // was not empty and its last step completed (a bad reference in a text
    // fails its step: the text is kept as it stands and the reading goes on).
    // Never throws for any input, and never loops.
    bool ParseText(const std::string& text, TXMLTag* parent);

    // Appends the lines of the element's content, or with includeRoot of the
    // element itself, indented by `indentation` spaces, two more per level.
    void WriteNode(TXMLTag* element, std::vector<std::string>& lines, bool includeRoot, int indentation);

private:
    // LoadFromText on a buffer of its own, which it overwrites and hands to
    // root to keep.
    // The buffer has kXmlReadPadding (XmlScan.h) bytes after its `size`.
    bool LoadFromBuffer(std::unique_ptr<char[]> data, std::size_t size, const std::string& fileName, TXMLTag* root);
    // Appends the padding itself.
    bool LoadFromBuffer(std::string&& data, const std::string& fileName, TXMLTag* root);
    // Checks the declaration line; the content is [begin, end) of the buffer:
    // the lines after the declaration, up to a byte 26.
    static void FindContent(const char* data, std::size_t size, const std::string& fileName, std::size_t& begin,
                            std::size_t& end);
    // Joins the trimmed lines at the front of the buffer, LF bytes dropped;
    // answers the joined length.
    static std::size_t JoinLines(char* lines, std::size_t size);
    // Reads the content lines of a file, which parent keeps.
    bool ParseKeptLines(char* lines, std::size_t size, TXMLTag* parent);
    // ParseText on a text without CR and LF that parent keeps.
    bool ParseKeptText(const char* text, std::size_t size, TXMLTag* parent);
    inline bool AddTextChild(XmlNodeMaker& make, TXMLTag* parent, const char* text, std::size_t length);
    bool AddDecodedText(XmlNodeMaker& make, TXMLTag* parent, const char* text, std::size_t length,
                        const char* ampersand);
    bool AddTextThroughCodec(XmlNodeMaker& make, TXMLTag* parent, const char* text, std::size_t length);

    // The codec is the plain one, which decodes straight from the buffer; set
    // at the start of each reading.
    bool plainCodec_ = false;
};

// Text of the error for a file the reader does not accept.
std::string XmlNotValidMessage(const std::string& fileName);
