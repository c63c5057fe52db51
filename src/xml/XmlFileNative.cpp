// The file side of the reader and writer outside Windows (tests, fuzzing and
// benchmarks): standard streams, and a save that writes a file beside the
// target and renames it over the target.
#include <cstdio>
#include <fstream>

#include "system/Errors.h"
#include "xml/XmlParser.h"

bool TXMLParser::LoadFromFile(const std::string& fileName, TXMLTag* root) {
    std::ifstream in(fileName, std::ios::binary | std::ios::ate);
    if (!in) throw EInOutError("Datei \"" + fileName + "\" kann nicht ge\xF6" "ffnet werden");
    const std::streamoff size = in.tellg();
    std::string bytes;
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        in.seekg(0);
        in.read(&bytes[0], size);
    }
    if (size < 0 || !in) throw EInOutError("Datei \"" + fileName + "\" kann nicht gelesen werden");
    return LoadFromBuffer(bytes, fileName, root);
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
            throw EInOutError("Datei \"" + fileName + "\" kann nicht erstellt werden");
        }
    }
    if (std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw EInOutError("Datei \"" + fileName + "\" kann nicht erstellt werden");
    }
}
