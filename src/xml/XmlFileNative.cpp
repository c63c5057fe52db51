// The file side of the reader and writer outside Windows (tests, fuzzing and
// benchmarks): standard streams, and a save that writes a file beside the
// target and renames it over the target.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "system/Errors.h"
#include "xml/XmlParser.h"

bool TXMLParser::LoadFromFile(const std::string& fileName, TXMLTag* root) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw EInOutError(FileFault::Open, fileName);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw EInOutError(FileFault::Read, fileName);
    return LoadFromText(bytes, fileName, root);
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
