// The language files that ship beside the program: bytes, layout and a text for
// every number the program fetches.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "i18n/LanguageFile.h"
#include "ui/win/TextNumbers.h"

namespace {

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

// The header that names the texts, as the program's source has it.
std::string TextNumbersHeader() { return ReadBytes(SourcePath("src/ui/win/TextNumbers.h")); }

// Every number the header names ("Name = 123,"), by name.
std::map<std::string, int> NamedTextNumbers() {
    std::map<std::string, int> named;
    std::istringstream lines(TextNumbersHeader());
    for (std::string line; std::getline(lines, line);) {
        line = line.substr(0, line.find("//"));
        while (!line.empty() && line.back() == ' ') line.pop_back();
        const size_t at = line.find_first_not_of(' ');
        if (at == std::string::npos || !std::isupper(static_cast<unsigned char>(line[at]))) continue;
        const size_t equals = line.find(" = ", at);
        if (equals == std::string::npos || line.back() != ',') continue;
        named[line.substr(at, equals - at)] = std::stoi(line.substr(equals + 3));
    }
    return named;
}

bool DesignedRibbonCaption(int n) { return n >= Text::DesignedTabHome && n <= Text::DesignedMail; }

// Every text number that some window, message or printout fetches: all the
// header names but the ribbon's designed captions, which are German only.
const std::vector<int>& TextNumbersInUse() {
    static const std::vector<int> numbers = [] {
        std::vector<int> n;
        for (const auto& named : NamedTextNumbers()) {
            if (!DesignedRibbonCaption(named.second)) n.push_back(named.second);
        }
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
        for (const int n : TextNumbersInUse())
            EXPECT_FALSE(texts[static_cast<size_t>(n)].empty()) << shipped.file << ": text " << n;
        EXPECT_EQ(texts[Text::HomepageAddress], "https://www.veltmanix.com/bootmarshal/") << shipped.file;
        EXPECT_EQ(texts[Text::SupportMailAddress], "support@veltmanix.com") << shipped.file;
        EXPECT_EQ(texts[Text::ProgramName], "Bootmarshal") << shipped.file;
        std::string legend = texts[Text::LegendSystemEntries];
        for (char& c : legend) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_NE(legend.find("orange"), std::string::npos) << shipped.file << ": known entries are drawn orange";
        // The ribbon's designed captions are German only: the other languages
        // replace them with the commands' texts.
        for (int n = Text::DesignedTabHome; n <= Text::DesignedMail; ++n) {
            EXPECT_EQ(texts[static_cast<size_t>(n)].empty(), shipped.file != kShipped[0].file)
                << shipped.file << ": text " << n;
        }
        std::set<int> numbers;
        for (int n = 0; n <= kHighestTextNumber; ++n) {
            if (!texts[static_cast<size_t>(n)].empty() && !DesignedRibbonCaption(n)) numbers.insert(n);
        }
        present.push_back(numbers);
    }
    EXPECT_EQ(present[0], present[1]) << "German and English must hold the same numbers";
    EXPECT_EQ(present[0], present[2]) << "German and French must hold the same numbers";
}

// The header names every text of the shipped files, each number once, and
// its comment gives out the number after the highest as the next free one.
TEST(ShippedLanguageFiles, EveryTextHasOneNameAndTheNextFreeNumberIsRight) {
    const std::map<std::string, int> named = NamedTextNumbers();
    ASSERT_GT(named.size(), 100u) << "the header was not read";
    std::set<int> numbers;
    for (const auto& name : named) {
        EXPECT_TRUE(numbers.insert(name.second).second) << name.first << ": text " << name.second << " named twice";
    }
    EXPECT_EQ(named.at("EntryLost"), Text::EntryLost) << "the header is read as the compiler reads it";
    EXPECT_EQ(named.at("TabHelpAndContact"), Text::TabHelpAndContact);
    const std::vector<std::string> german = Parse(ReadBytes(SourcePath("lang/Bootmarshal.t00")));
    std::set<int> inFile;
    for (int n = 0; n <= kHighestTextNumber; ++n) {
        if (!german[static_cast<size_t>(n)].empty()) inFile.insert(n);
    }
    EXPECT_EQ(numbers, inFile) << "a text in the files without a name, or a name without a text";
    const std::string header = TextNumbersHeader();
    const std::string next = "next free number, " + std::to_string(*numbers.rbegin() + 1);
    EXPECT_NE(header.find(next), std::string::npos) << "the header's comment should say: " << next;
}

TEST(ShippedLanguageFiles, GermanKeepsTheDesignWordingWithoutItsSlips) {
    const std::vector<std::string> texts = Parse(ReadBytes(SourcePath("lang/Bootmarshal.t00")));
    EXPECT_EQ(texts[Text::Continue], "weiter");
    EXPECT_EQ(texts[Text::EntryInactive],
              "Eintrag ist vor\xFC"
              "bergehend inaktiv");
    EXPECT_EQ(texts[Text::Registry], "Registry");
    EXPECT_EQ(texts[Text::PlaceholderName], "First Application");
    EXPECT_EQ(texts[Text::NameCaption], "Name: ");
    EXPECT_EQ(texts[Text::SupportGroup], "Supportinformationen: ");
    EXPECT_EQ(texts[Text::LegendSystemEntries],
              "Standardeintr\xE4"
              "ge von Windows werden in Orange dargestellt.");
    EXPECT_EQ(texts[Text::RunServicesLine1],
              "Hier wird das Programm zum fr\xFC"
              "hestm\xF6"
              "glichen Zeitpunkt (vor den");
    EXPECT_EQ(texts[Text::RestorePrompt2],
              "Sie nun wiederherstellen m\xF6"
              "chten:");
    for (int n = 0; n <= kHighestTextNumber; ++n) {
        // The command line's usage lines up its columns with blanks.
        if (n == Text::CommandLineUsage) continue;
        EXPECT_EQ(texts[static_cast<size_t>(n)].find("  "), std::string::npos) << "double space in text " << n;
    }
}

}  // namespace
