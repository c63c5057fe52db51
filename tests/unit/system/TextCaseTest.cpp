// Letter case: the comparison and the lookup key must never disagree, whichever
// rule the tree follows. Under Wine the platform's rule is checked, natively the
// fallback.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "system/TextCase.h"
#include "system/Utf8.h"

namespace {

int Sign(int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

struct Rules {
    std::function<bool(const std::string&, const std::string&)> same;
    std::function<int(const std::string&, const std::string&)> compare;
    std::function<std::string(const std::string&)> key;
};

Rules UsersRules() { return {SameText, CompareText, TextKey}; }

std::string Utf8Of(char32_t c) {
    std::string text;
    AppendCodePoint(text, c);
    return text;
}

// Letters of every script the fallback pairs and a few it leaves alone, the empty
// text, texts where a letter may stand for two, and what only Windows names hold.
std::vector<std::string> Samples() {
    std::vector<std::string> samples = {"",
                                        "ss",
                                        "SS",
                                        "stra\xC3\x9F"
                                        "e",
                                        "STRASSE",
                                        "\xC3\x86",
                                        "ae",
                                        "AE",
                                        "Tool",
                                        "tool ",
                                        "t\xC3\xB6\xC3\xB6l",
                                        "T\xC3\x96\xC3\x96L",
                                        "\xE4\xB8\xAD\xE6\x96\x87",  // 中文
                                        "\xF0\x9F\x9A\x80",          // an emoji, a pair of surrogates
                                        "a\xED\xA0\x80",             // a lone surrogate
                                        "a"};
    for (char32_t c = 1; c < 0x180; ++c) samples.push_back(Utf8Of(c));
    for (char32_t c = 0x386; c < 0x3D0; ++c) samples.push_back(Utf8Of(c));
    for (char32_t c = 0x400; c < 0x460; ++c) samples.push_back(Utf8Of(c));
    return samples;
}

void ExpectKeyAgreesWithComparison(const Rules& rules) {
    const std::vector<std::string> samples = Samples();
    std::vector<std::string> keys;
    for (const std::string& text : samples) keys.push_back(rules.key(text));
    for (size_t i = 0; i < samples.size(); ++i) {
        for (size_t j = 0; j < samples.size(); ++j) {
            const bool same = rules.same(samples[i], samples[j]);
            const int order = Sign(rules.compare(samples[i], samples[j]));
            if (same != (keys[i] == keys[j]) || order != Sign(keys[i].compare(keys[j])) || same != (order == 0)) {
                ADD_FAILURE() << "disagree on \"" << samples[i] << "\" and \"" << samples[j] << "\": same " << same
                              << ", order " << order << ", keys equal " << (keys[i] == keys[j]);
                return;
            }
        }
    }
}

struct Pair {
    const char* a;
    const char* b;
    bool same;
};

void ExpectPairs(const Rules& rules, const std::vector<Pair>& pairs) {
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(std::string(pair.a) + " / " + pair.b);
        EXPECT_EQ(rules.same(pair.a, pair.b), pair.same);
        EXPECT_EQ(rules.key(pair.a) == rules.key(pair.b), pair.same);
    }
}

// Pairs the platform's rule and the fallback decide alike.
const std::vector<Pair> kPairs = {
    {"Tool", "TOOL", true},
    {"\xC3\x89t\xC3\xA9", "\xC3\xA9T\xC3\x89", true},  // Été
    {"\xC3\x84pfel", "\xC3\xA4PFEL", true},
    {"e", "\xC3\xA9", false},        // an accent is not letter case
    {"\xC5\xA0", "\xC5\xA1", true},  // Š/š, Œ/œ, Ž/ž, Ÿ/ÿ
    {"\xC5\x92", "\xC5\x93", true},
    {"\xC5\xBD", "\xC5\xBE", true},
    {"\xC5\xB8", "\xC3\xBF", true},
    {"\xE2\x82\xAC", "E", false},     // the euro sign
    {"\xC3\x97", "\xC3\xB7", false},  // multiplication and division signs are no letters
    {"\xC3\x9F", "ss", false},        // ß is a letter of its own in a name
    {"tool", "tool ", false},
    {"a", "b", false},
    {"\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB2\xD0\xB5\xD1\x80\xD0\xBA\xD0\xB0",
     "\xD0\xBF\xD0\xA0\xD0\x9E\xD0\x92\xD0\x95\xD0\xA0\xD0\x9A\xD0\x90", true},                      // Проверка
    {"\xD0\x81", "\xD1\x91", true},                                                                  // Ё/ё
    {"\xD0\x82", "\xD1\x92", true},                                                                  // Ђ/ђ
    {"\xD0\x95", "\xD0\x81", false},                                                                 // Е is not Ё
    {"\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1", "\xCF\x89\xCE\x9C\xCE\x88\xCE\x93\xCE\x91", true},  // Ωμέγα
    {"\xE4\xB8\xAD", "\xE4\xB8\xAD", true},
    {"\xE4\xB8\xAD", "\xE6\x96\x87", false},
    {"\xF0\x9F\x9A\x80", "\xF0\x9F\x9A\x81", false},
    {"a\xED\xA0\x80", "a", false},  // a lone surrogate is no character the order may ignore
    {"A\xED\xA0\x80", "a\xED\xA0\x80", true},
};

TEST(TextCase, KeyAgreesWithComparisonForEveryLetterAndExpansion) { ExpectKeyAgreesWithComparison(UsersRules()); }

TEST(TextCase, LettersOfEveryScriptPairUpAndAccentsCount) { ExpectPairs(UsersRules(), kPairs); }

TEST(TextCase, OrderIsAlphabeticalLetterCaseAside) {
    EXPECT_LT(CompareText("apple", "Banana"), 0);
    EXPECT_GT(CompareText("banana", "APPLE"), 0);
    EXPECT_EQ(CompareText("Apple", "aPPLE"), 0);
    EXPECT_LT(CompareText("Tool", "Tools"), 0);
}

TEST(TextCase, UpperTextKeepsWhatHasNoCapital) {
    EXPECT_EQ(UpperText("c:\\\xC3\xA4\xC3\xB6\xC3\xBC.exe"), "C:\\\xC3\x84\xC3\x96\xC3\x9C.EXE");
    EXPECT_EQ(UpperText("\xD0\xBF\xD1\x80\xD0\xB8 \xCE\xB1\xCF\x89"), "\xD0\x9F\xD0\xA0\xD0\x98 \xCE\x91\xCE\xA9");
    EXPECT_EQ(UpperText("\xC3\xBF\xC3\x9F"), "\xC5\xB8\xC3\x9F");  // ß has no single capital
    EXPECT_EQ(UpperText("x\xED\xA0\x80\xF0\x9F\x9A\x80"), "X\xED\xA0\x80\xF0\x9F\x9A\x80");
}

TEST(TextCase, FixedAsciiTokensFoldOnlyAToZ) {
    EXPECT_EQ(AsciiUpper("con.txt \xC3\xA9"), "CON.TXT \xC3\xA9");
    EXPECT_TRUE(SameAscii(".LnK", ".lnk"));
    EXPECT_FALSE(SameAscii("\xC3\x89", "\xC3\xA9"));
    EXPECT_FALSE(SameAscii(".lnk", ".lnk "));
}

TEST(TextCase, FallbackPairsAreInverse) {
    for (char32_t c = 0; c < 0x600; ++c) {
        SCOPED_TRACE(static_cast<unsigned>(c));
        const char32_t lower = FallbackLower(c);
        const char32_t upper = FallbackUpper(c);
        if (lower != c) {
            EXPECT_EQ(FallbackUpper(lower), c);
        }
        if (upper != c) {
            EXPECT_EQ(FallbackLower(upper), c);
        }
        EXPECT_FALSE(lower != c && upper != c);
    }
    EXPECT_EQ(FallbackLower(0x0130), 0x0130u);  // İ and ı pair differently by language
    EXPECT_EQ(FallbackUpper(0x0131), 0x0131u);
}

TEST(TextCase, BytesThatAreNoCharacterStayAsTheyAre) { EXPECT_EQ(UpperText("a\xFF\xC3z\xE4"), "A\xFF\xC3Z\xE4"); }

#ifndef _WIN32

TEST(TextCase, FallbackKeepsOtherCharactersExact) {
    ExpectPairs(UsersRules(), {{"\xC2\x81", "", false}, {"\xC3\x86", "AE", false}});
}

#endif

}  // namespace
