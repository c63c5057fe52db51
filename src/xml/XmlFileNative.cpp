// The file side of the reader and writer outside Windows (tests, fuzzing and
// benchmarks): standard streams, and a save that writes a file beside the
// target and renames it over the target.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string_view>

#include "system/Errors.h"
#include "xml/XmlParser.h"

bool TXMLParser::LoadFromFile(const std::string& fileName, TXMLTag* root) {
    std::ifstream in(fileName, std::ios::binary | std::ios::ate);
    if (!in) throw EInOutError(FileFault::Open, fileName);
    const std::streamoff size = in.tellg();
    if (size < 0) throw EInOutError(FileFault::Read, fileName);
    // A buffer of its own rather than a string: the file fills it at once, so
    // it need not be cleared first.
    std::unique_ptr<char[]> bytes(new char[static_cast<size_t>(size)]);
    in.seekg(0);
    if (size > 0) in.read(bytes.get(), size);
    if (!in) throw EInOutError(FileFault::Read, fileName);
    return LoadFromBytes(std::string_view(bytes.get(), static_cast<size_t>(size)), fileName, root);
}

void TXMLParser::SaveToFile(TXMLTag* element, const std::string& fileName, bool includeRoot, bool standalone) {
    const std::string text = SaveToText(element, includeRoot, standalone);
    const std::string temporary = fileName + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temporary.c_str());
            throw EInOutError(FileFault::Create, fileName);
        }
    }
    if (std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw EInOutError(FileFault::Create, fileName);
    }
}
