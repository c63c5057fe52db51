// The file side of the reader and writer on Windows: the whole file is read
// into memory before it is parsed, and a saved file replaces the old one in one
// step, so a failed save leaves the old backup file whole.
#include <windows.h>

#include "system/AtomicFile.h"
#include "system/Errors.h"
#include "system/Files.h"
#include "system/Scoped.h"
#include "xml/XmlParser.h"

bool TXMLParser::LoadFromFile(const std::string& fileName, TXMLTag* root) {
    std::string bytes;
    if (!FileExists(fileName)) throw EInOutError(FileFault::Open, fileName, ERROR_FILE_NOT_FOUND);
    if (!ReadWholeFile(fileName, bytes)) throw EInOutError(FileFault::Read, fileName, GetLastError());
    return LoadFromText(bytes, fileName, root);
}

void TXMLParser::SaveToFile(TXMLTag* element, const std::string& fileName, bool includeRoot, bool standalone) {
    const std::string text = SaveToText(element, includeRoot, standalone);
    if (!ReplaceFileAtomically(fileName, text)) throw EInOutError(FileFault::Create, fileName, GetLastError());
}
