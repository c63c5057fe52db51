// The file side of the reader and writer outside Windows (tests, fuzzing and
// benchmarks): standard streams, and a save that writes a file beside the
// target and renames it over the target.
#include <cstdio>
#include <fstream>
#include <memory>

#include "system/Errors.h"
#include "xml/XmlParser.h"

bool TXMLParser::LoadFromFile(const std::string& fileName, TXMLTag* root) {
    std::ifstream in(fileName, std::ios::binary | std::ios::ate);
    if (!in) throw EInOutError(FileFault::Open, fileName);
    const std::streamoff size = in.tellg();
    // A buffer of its own rather than a string: the file overwrites it at once,
    // so it need not be cleared first.
    std::unique_ptr<char[]> bytes;
    if (size > 0) {
        bytes.reset(new char[static_cast<size_t>(size)]);
        in.seekg(0);
        in.read(bytes.get(), size);
    }
    if (size < 0 || !in) throw EInOutError(FileFault::Read, fileName);
    if (!bytes) bytes.reset(new char[1]);
    return LoadFromBuffer(std::move(bytes), static_cast<size_t>(size), fileName, root);
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
