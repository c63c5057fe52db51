// The file side of the reader and writer on Windows: the whole file is read
// into memory before it is parsed, and a saved file replaces the old one in one
// step, so a failed save leaves the old backup file whole.
#include <windows.h>

#include "system/AtomicFile.h"
#include "system/Errors.h"
#include "system/Scoped.h"
#include "xml/XmlParser.h"

namespace {

std::string ReadWholeFile(const std::string& fileName) {
    ScopedFile file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EInOutError("Datei \"" + fileName + "\" kann nicht ge\xF6" "ffnet werden");
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr))
            throw EInOutError("Datei \"" + fileName + "\" kann nicht gelesen werden");
        if (read == 0) break;
        bytes.append(buffer, read);
    }
    return bytes;
}

}  // namespace

bool TXMLParser::LoadFromFile(const std::string& fileName, TXMLTag* root) {
    return LoadFromText(ReadWholeFile(fileName), fileName, root);
}

void TXMLParser::SaveToFile(TXMLTag* element, const std::string& fileName, bool includeRoot, bool standalone) {
    const std::string text = SaveToText(element, includeRoot, standalone);
    if (!ReplaceFileAtomically(fileName, text))
        throw EInOutError("Datei \"" + fileName + "\" kann nicht erstellt werden");
}
