// The language-file rules on small byte strings: lines, headers, sections.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "i18n/LanguageFile.h"

namespace {

TEST(SectionNumber, HeadersAndLookAlikes) {
    const struct {
        const char* line;
        int number;
    } cases[] = {
        {"[0]", 0},         {"[1]", 1},       {"[007]", 7},       {"[140]", 140},
        {"[10000]", 10000}, {"[END]", 10000}, {"[10001]", 10001}, {"[99999999999999999999]", 2147483647},
        {"[]", -1},         {"[-1]", -1},     {"[abc]", -1},      {"[end]", -1},
        {"[ 5]", -1},       {"[5 ]", -1},     {"[+5]", -1},       {"[5", -1},
        {"5]", -1},         {"[[5]]", -1},    {"[", -1},          {"", -1},
        {"x[5]", -1},       {"[5]x", -1},     {"[\xB2]", -1},     {"[END ]", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(SectionNumber(c.line), c.number) << c.line;
}

TEST(LanguageFileLines, CrEndsALineLfAloneDoesNotCtrlZEndsTheFile) {
    using Lines = std::vector<std::string>;
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\r\n", {"a\nb"}},
        {"a\r\n\nb", {"a", "\nb"}},  // only the LF right after the CR belongs to the line end
        {"a\r\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {"a\x1a\r\nb", {"a"}},
        {"\x1a"
         "abc",
         {}},
        {std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
    };
    for (const auto& c : cases) EXPECT_EQ(LanguageFileLines(c.bytes), c.lines) << c.bytes;
}

TEST(LanguageFileSecondLine, IsTheLanguageNameWithoutParsing) {
    const struct {
        std::string bytes;
        const char* second;
    } cases[] = {
        {"[0]\r\nDeutsch\r\n[1]\r\nx\r\n[END]\r\n", "Deutsch"},
        {"[0]\r\nDeutsch", "Deutsch"},
        {"[5]\rFran\xE7"
         "ais\r",
         "Fran\xE7"
         "ais"},
        {"[0]\r\n", ""},
        {"[0]", ""},
        {"", ""},
        {"[0]\nEnglish\r\n", ""},  // one line holding an LF
        {"[0]\r\nEng\x1alish\r\n", "Eng"},
        {"x\r\n[0]\r\n", "[0]"},  // exactly the second line, whatever it is
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageFileSecondLine(c.bytes), c.second) << c.bytes;
    }
}

TEST(LanguagePartFileName, NumberFollowsTheTagWithoutLeadingZeros) {
    EXPECT_EQ(LanguagePartFileName("Bootmarshal", LanguagePart::Texts, 0), "Bootmarshal.t00");
    EXPECT_EQ(LanguagePartFileName("Bootmarshal", LanguagePart::Texts, 9), "Bootmarshal.t09");
    EXPECT_EQ(LanguagePartFileName("Bootmarshal", LanguagePart::Texts, 10), "Bootmarshal.t010");
    EXPECT_EQ(LanguagePartFileName("Bootmarshal", LanguagePart::Documentation, 3), "Bootmarshal.d03");
    EXPECT_EQ(LanguagePartFileName("Bootmarshal", LanguagePart::Help, 100), "Bootmarshal.c0100");
    EXPECT_EQ(ActivePartFileName("Bootmarshal", LanguagePart::Texts), "Bootmarshal.def");
    EXPECT_EQ(ActivePartFileName("Bootmarshal", LanguagePart::Documentation), "Bootmarshal.htm");
    EXPECT_EQ(ActivePartFileName("Bootmarshal", LanguagePart::Help), "Bootmarshal.chm");
}

struct LoadCase {
    const char* what;
    std::string bytes;
    std::map<int, std::string> texts;  // every other slot must be empty
    std::string languageName;
};

TEST(ParseLanguageText, FillsTheSlotsByTheSectionRules) {
    const LoadCase cases[] = {
        {"well formed",
         "[0]\r\nDeutsch\r\n[1]\r\nBootmarshal\r\n[END]\r\n",
         {{0, "Deutsch"}, {1, "Bootmarshal"}},
         "Deutsch"},
        {"END missing: the last section is never stored",
         "[0]\r\nDeutsch\r\n[1]\r\nBootmarshal\r\n",
         {{0, "Deutsch"}},
         "Deutsch"},
        {"no line end after END", "[0]\r\nA\r\n[END]", {{0, "A"}}, "A"},
        {"lines after END are dropped", "[0]\r\nA\r\n[END]\r\nlate\r\nlater\r\n", {{0, "A"}}, "A"},
        {"10000 and END are one number", "[0]\r\nA\r\n[10000]\r\nlast\r\n[END]\r\n", {{0, "A"}, {10000, "last"}}, "A"},
        {"a section after END is stored as 10000 by the next header",
         "[0]\r\nA\r\n[END]\r\nlate\r\n[END]\r\n",
         {{0, "A"}, {10000, "late"}},
         "A"},
        {"header look-alikes are text lines",
         "[0]\r\n[-1]\r\n[abc]\r\n[]\r\n[5\r\n[end]\r\n[ 5]\r\n[+5]\r\n[END]\r\n",
         {{0, "[-1]\r[abc]\r[]\r[5\r[end]\r[ 5]\r[+5]"}},
         "[-1]\r[abc]\r[]\r[5\r[end]\r[ 5]\r[+5]"},
        {"an empty line joins as CR CR", "[0]\r\nN\r\n[7]\r\na\r\n\r\nb\r\n[END]\r\n", {{0, "N"}, {7, "a\r\rb"}}, "N"},
        {"a first empty line makes a text that begins with CR",
         "[0]\r\nN\r\n[7]\r\n\r\nx\r\n[END]\r\n",
         {{0, "N"}, {7, "\rx"}},
         "N"},
        {"bare CR line ends", "[0]\rN\r[7]\ra\r\rb\r[END]\r", {{0, "N"}, {7, "a\r\rb"}}, "N"},
        {"an LF alone is text", "[0]\r\nN\r\n[7]\r\na\nb\r\n\nc\r\n[END]\r\n", {{0, "N"}, {7, "a\nb\r\nc"}}, "N"},
        {"Ctrl-Z ends the file", "[0]\r\nA\r\n[1]\r\nB\x1a\r\n[END]\r\n", {{0, "A"}}, "A"},
        {"a later duplicate replaces the earlier one",
         "[3]\r\nfirst\r\n[3]\r\nsecond\r\n[END]\r\n",
         {{3, "second"}},
         "first"},
        {"no [0]: the language name is the first non-empty text",
         "[5]\r\nfive\r\n[6]\r\nsix\r\n[END]\r\n",
         {{5, "five"}, {6, "six"}},
         "five"},
        {"an empty first section", "[0]\r\n[1]\r\nx\r\n[END]\r\n", {{1, "x"}}, "x"},
        {"lines before the first header are text 0", "pre\r\n[1]\r\nx\r\n[END]\r\n", {{0, "pre"}, {1, "x"}}, "pre"},
        {"a later [0] replaces them", "pre\r\n[0]\r\nzero\r\n[END]\r\n", {{0, "zero"}}, "pre"},
        {"numbers above 10000 have no slot",
         "[0]\r\nA\r\n[10001]\r\nlost\r\n[2]\r\nB\r\n[99999999999999999999]\r\nC\r\n[END]\r\n",
         {{0, "A"}, {2, "B"}},
         "A"},
        {"leading zeros", "[0]\r\nA\r\n[007]\r\nseven\r\n[END]\r\n", {{0, "A"}, {7, "seven"}}, "A"},
        {"high bytes are ordinary",
         "[0]\r\nFran\xE7"
         "ais\r\n[9]\r\n\xAB\xA0x\xA0\xBB\r\n[END]\r\n",
         {{0,
           "Fran\xE7"
           "ais"},
          {9, "\xAB\xA0x\xA0\xBB"}},
         "Fran\xE7"
         "ais"},
        {"empty file", "", {}, ""},
    };
    for (const LoadCase& c : cases) {
        std::vector<std::string> texts;
        std::string languageName = "before";
        ParseLanguageText(c.bytes, texts, languageName);
        ASSERT_EQ(texts.size(), 10001u) << c.what;
        for (int n = 0; n <= 10000; ++n) {
            const auto expected = c.texts.find(n);
            EXPECT_EQ(texts[static_cast<size_t>(n)], expected == c.texts.end() ? std::string() : expected->second)
                << c.what << ", text " << n;
        }
        EXPECT_EQ(languageName, c.languageName) << c.what;
    }
}

TEST(ParseLanguageText, ReloadingEmptiesWhatTheFileBefore) {
    std::vector<std::string> texts;
    std::string languageName;
    ParseLanguageText("[0]\r\nA\r\n[1]\r\none\r\n[END]\r\n", texts, languageName);
    ParseLanguageText("[0]\r\nB\r\n[END]\r\n", texts, languageName);
    EXPECT_EQ(texts[0], "B");
    EXPECT_EQ(texts[1], "");
}

}  // namespace
