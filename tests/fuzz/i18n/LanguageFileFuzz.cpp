// Feeds arbitrary bytes to the language-file parser. Besides the sanitizers'
// checks it holds the parser to two properties: nothing past a Ctrl-Z is read,
// and writing the parsed texts back out in the canonical layout and parsing that
// again gives the same texts, whenever no text line looks like a header.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "i18n/LanguageFile.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

std::vector<std::string> SplitAtCr(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t cr = text.find('\r', start);
        lines.push_back(text.substr(start, cr == std::string::npos ? std::string::npos : cr - start));
        if (cr == std::string::npos) return lines;
        start = cr + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Kept between runs so that the 10001 slots are not allocated anew each time.
    static std::vector<std::string> texts, cut, again;
    std::string languageName;
    ParseLanguageText(bytes, texts, languageName);
    Check(texts.size() == static_cast<size_t>(kTextSlotCount));

    const size_t ctrlZ = bytes.find('\x1a');
    if (ctrlZ != std::string::npos) {
        std::string cutName;
        ParseLanguageText(bytes.substr(0, ctrlZ), cut, cutName);
        Check(cut == texts && cutName == languageName);
    }

    bool canonical = true;
    std::string rewritten;
    for (int n = 0; n <= kHighestTextNumber && canonical; ++n) {
        if (texts[static_cast<size_t>(n)].empty()) continue;
        Check(texts[static_cast<size_t>(n)].find('\x1a') == std::string::npos);
        rewritten += "[" + std::to_string(n) + "]\r\n";
        for (const std::string& line : SplitAtCr(texts[static_cast<size_t>(n)])) {
            if (SectionNumber(line) >= 0) canonical = false;
            rewritten += line + "\r\n";
        }
    }
    rewritten += "[END]\r\n";
    if (canonical) {
        std::string againName;
        ParseLanguageText(rewritten, again, againName);
        Check(again == texts);
    }
    return 0;
}
