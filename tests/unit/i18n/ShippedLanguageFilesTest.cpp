// The language files that ship beside the program: bytes, layout and a text for
// every number the program fetches.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "i18n/LanguageFile.h"

namespace {

// Every text number that some window, message or printout fetches.
const std::vector<int>& TextNumbersInUse() {
    static const std::vector<int> numbers = [] {
        std::vector<int> n = {0,  1,  2,  3,  4,  6,  8,  10, 11, 12,  13,  14,  16,  17,  18,  20,  21,  22,  23, 24,
                              25, 56, 57, 58, 59, 60, 61, 62, 63, 105, 131, 132, 133, 134, 135, 137, 138, 139, 140};
        for (int i = 26; i <= 48; ++i) n.push_back(i);
        for (int i = 65; i <= 98; ++i) n.push_back(i);
        for (int i = 106; i <= 129; ++i) n.push_back(i);
        return n;
    }();
    return numbers;
}

struct Shipped {
    const char* file;
    const char* name;
};
const Shipped kShipped[] = {
    {"Bootmarshal.t00", "Deutsch"},
    {"Bootmarshal.t01", "English"},
    {"Bootmarshal.t02",
     "Fran\xE7"
     "ais"},
};

std::string SourcePath(const std::string& relative) {
#ifdef _WIN32
    return "Z:" BM_SOURCE_DIR "/" + relative;  // the source tree as Wine sees it
#else
    return BM_SOURCE_DIR "/" + relative;
#endif
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> Parse(const std::string& bytes, std::string* languageName = nullptr) {
    std::vector<std::string> texts;
    std::string name;
    ParseLanguageText(bytes, texts, name);
    if (languageName) *languageName = name;
    return texts;
}

TEST(ShippedLanguageFiles, AreWindows1252WithCrLfLineEnds) {
    for (const Shipped& shipped : kShipped) {
        const std::string bytes = ReadBytes(SourcePath(std::string("lang/") + shipped.file));
        ASSERT_FALSE(bytes.empty()) << shipped.file;
        for (size_t i = 0; i < bytes.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(bytes[i]);
            const bool undefined = c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
            EXPECT_FALSE(undefined) << shipped.file << ": byte " << int(c) << " at " << i;
            EXPECT_FALSE((c < 0x20 && c != '\r' && c != '\n') || c == 0x7F)
                << shipped.file << ": control " << int(c) << " at " << i;
            if (c == '\r') {
                EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << shipped.file << ": lone CR at " << i;
            }
            if (c == '\n') {
                EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << shipped.file << ": lone LF at " << i;
            }
        }
        const std::string head = std::string("[0]\r\n") + shipped.name + "\r\n";
        EXPECT_EQ(bytes.compare(0, head.size(), head), 0) << shipped.file;
        const std::string tail = "\r\n[END]\r\n";
        ASSERT_GT(bytes.size(), tail.size());
        EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail) << shipped.file;
        EXPECT_EQ(LanguageFileSecondLine(bytes), shipped.name) << shipped.file;
    }
}

TEST(ShippedLanguageFiles, HoldEveryTextTheProgramFetches) {
    std::vector<std::set<int>> present;
    for (const Shipped& shipped : kShipped) {
        std::string languageName;
        const std::vector<std::string> texts =
            Parse(ReadBytes(SourcePath(std::string("lang/") + shipped.file)), &languageName);
        EXPECT_EQ(languageName, shipped.name) << shipped.file;
        for (const int n : TextNumbersInUse()) EXPECT_FALSE(texts[n].empty()) << shipped.file << ": text " << n;
        EXPECT_EQ(texts[3], "https://www.veltmanix.com/bootmarshal/") << shipped.file;
        EXPECT_EQ(texts[4], "support@veltmanix.com") << shipped.file;
        EXPECT_EQ(texts[1], "Bootmarshal") << shipped.file;
        std::string legend = texts[131];
        for (char& c : legend) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(legend.find("orange"), std::string::npos) << shipped.file << ": known entries are drawn orange";
        std::set<int> numbers;
        for (int n = 0; n <= kHighestTextNumber; ++n) {
            if (!texts[n].empty()) numbers.insert(n);
        }
        present.push_back(numbers);
    }
    EXPECT_EQ(present[0], present[1]) << "German and English must hold the same numbers";
    EXPECT_EQ(present[0], present[2]) << "German and French must hold the same numbers";
}

TEST(ShippedLanguageFiles, GermanKeepsTheDesignWordingWithoutItsSlips) {
    const std::vector<std::string> texts = Parse(ReadBytes(SourcePath("lang/Bootmarshal.t00")));
    EXPECT_EQ(texts[6], "weiter");
    EXPECT_EQ(texts[26],
              "Eintrag ist vor\xFC"
              "bergehend inaktiv");
    EXPECT_EQ(texts[28], "Registry");
    EXPECT_EQ(texts[39], "First Application");
    EXPECT_EQ(texts[56], "Name: ");
    EXPECT_EQ(texts[65], "Supportinformationen: ");
    EXPECT_EQ(texts[131],
              "Standardeintr\xE4"
              "ge von Windows werden in Orange dargestellt.");
    EXPECT_EQ(texts[89],
              "Hier wird das Programm zum fr\xFC"
              "hestm\xF6"
              "glichen Zeitpunkt (vor den");
    EXPECT_EQ(texts[95],
              "Sie nun wiederherstellen m\xF6"
              "chten:");
    for (int n = 0; n <= kHighestTextNumber; ++n) {
        EXPECT_EQ(texts[n].find("  "), std::string::npos) << "double space in text " << n;
    }
}

}  // namespace
