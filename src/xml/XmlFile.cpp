// The file side of the reader and writer on Windows: the whole file is read
// into memory before it is parsed, and a saved file replaces the old one in one
// step, so a failed save leaves the old backup file whole.
#include <windows.h>

#include <algorithm>

#include "system/AtomicFile.h"
#include "system/Errors.h"
#include "system/Scoped.h"
#include "xml/XmlParser.h"

namespace {

std::string ReadWholeFile(const std::string& fileName) {
    ScopedFile file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw EInOutError("Datei \"" + fileName + "\" kann nicht ge\xF6" "ffnet werden");
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF)
        throw EInOutError("Datei \"" + fileName + "\" kann nicht gelesen werden");
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!ReadFile(file.get(), &bytes[done], chunk, &read, nullptr))
            throw EInOutError("Datei \"" + fileName + "\" kann nicht gelesen werden");
        if (read == 0) break;  // the file became shorter while it was read
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace

bool TXMLParser::LoadFromFile(const std::string& fileName, TXMLTag* root) {
    std::string bytes = ReadWholeFile(fileName);
    return LoadFromBuffer(&bytes[0], bytes.size(), fileName, root);
}

void TXMLParser::SaveToFile(TXMLTag* element, const std::string& fileName, bool includeRoot, bool standalone) {
    const std::string text = SaveToText(element, includeRoot, standalone);
    if (!ReplaceFileAtomically(fileName, text))
        throw EInOutError("Datei \"" + fileName + "\" kann nicht erstellt werden");
}
