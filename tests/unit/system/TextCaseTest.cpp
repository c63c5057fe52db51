// Letter case: the comparison and the lookup key must never disagree, whichever
// rule the tree follows. Under Wine the platform's rule is checked, natively the
// fallback.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "system/TextCase.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

int Sign(int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

struct Rules {
    std::function<bool(const std::string&, const std::string&)> same;
    std::function<int(const std::string&, const std::string&)> compare;
    std::function<std::string(const std::string&)> key;
};

Rules UsersRules() { return {SameText, CompareText, TextKey}; }

#ifdef _WIN32
Rules CodePageRules(unsigned codePage) {
    return {[codePage](const std::string& a, const std::string& b) { return SameTextInCodePage(codePage, a, b); },
            [codePage](const std::string& a, const std::string& b) { return CompareTextInCodePage(codePage, a, b); },
            [codePage](const std::string& text) { return TextKeyInCodePage(codePage, text); }};
}
#endif

// Every single byte, the empty text, and texts where a letter may stand for two.
std::vector<std::string> Samples() {
    std::vector<std::string> samples = {"",
                                        "ss",
                                        "SS",
                                        "stra\xDF"
                                        "e",
                                        "STRASSE",
                                        "\xC6",
                                        "ae",
                                        "AE",
                                        "Tool",
                                        "tool ",
                                        "t\xF6\xF6l",
                                        "T\xD6\xD6L"};
    for (int c = 1; c < 256; ++c) samples.push_back(std::string(1, static_cast<char>(c)));
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

// Pairs both rules decide alike: the user's code page is Windows-1252 in the
// test prefix, and the fallback follows it.
const std::vector<Pair> kWesternPairs = {
    {"Tool", "TOOL", true},         {"\xC9t\xE9", "\xE9T\xC9", true},  // É/é
    {"\xC4pfel", "\xE4PFEL", true}, {"e", "\xE9", false},              // an accent is not letter case
    {"\x8A", "\x9A", true},  // Š/š, Œ/œ, Ž/ž, Ÿ/ÿ: the capitals among 128-159
    {"\x8C", "\x9C", true},         {"\x8E", "\x9E", true},
    {"\x9F", "\xFF", true},         {"\x80", "E", false},  // the euro sign
    {"\xD7", "\xF7", false},                               // multiplication and division signs are no letters
    {"tool", "tool ", false},       {"a", "b", false},
};

TEST(TextCase, KeyAgreesWithComparisonForEveryByteAndExpansion) { ExpectKeyAgreesWithComparison(UsersRules()); }

TEST(TextCase, WesternLettersPairUpAndAccentsCount) { ExpectPairs(UsersRules(), kWesternPairs); }

TEST(TextCase, OrderIsAlphabeticalLetterCaseAside) {
    EXPECT_LT(CompareText("apple", "Banana"), 0);
    EXPECT_GT(CompareText("banana", "APPLE"), 0);
    EXPECT_EQ(CompareText("Apple", "aPPLE"), 0);
    EXPECT_LT(CompareText("Tool", "Tools"), 0);
}

TEST(TextCase, FixedAsciiTokensFoldOnlyAToZ) {
    EXPECT_EQ(AsciiUpper("con.txt \xE9"), "CON.TXT \xE9");
    EXPECT_TRUE(SameAscii(".LnK", ".lnk"));
    EXPECT_FALSE(SameAscii("\xC9", "\xE9"));
    EXPECT_FALSE(SameAscii(".lnk", ".lnk "));
}

TEST(TextCase, FallbackPairsAreInverse) {
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<unsigned char>(c);
        SCOPED_TRACE(c);
        const unsigned char lower = WesternLower(byte);
        const unsigned char upper = WesternUpper(byte);
        if (lower != byte) {
            EXPECT_EQ(WesternUpper(lower), byte);
        }
        if (upper != byte) {
            EXPECT_EQ(WesternLower(upper), byte);
        }
        EXPECT_FALSE(lower != byte && upper != byte);
    }
    EXPECT_EQ(WesternUpper(0xDF), 0xDF);  // ß has no single capital
    EXPECT_EQ(WesternUpper(0xB5), 0xB5);  // nor µ one in the code page
}

#ifdef _WIN32

TEST(TextCase, PlatformRuleAgreesInWesternAndCyrillicCodePages) {
    ExpectKeyAgreesWithComparison(CodePageRules(1252));
    ExpectKeyAgreesWithComparison(CodePageRules(1251));
}

TEST(TextCase, CyrillicLettersPairUpInTheirCodePage) {
    ExpectPairs(CodePageRules(1251), {
                                         {"\xCF\xF0\xE8\xE2\xE5\xF2", "\xEF\xD0\xC8\xC2\xC5\xD2", true},  // Привет
                                         {"\xA8", "\xB8", true},                                          // Ё/ё
                                         {"\x80", "\x90", true},   // Ђ/ђ among 128-159
                                         {"\x8A", "\x9A", true},   // Љ/љ
                                         {"\xC5", "\xA8", false},  // Е is not Ё
                                     });
    // The same bytes are other characters in the Western code page.
    ExpectPairs(CodePageRules(1252), {{"\xA8", "\xB8", false}, {"\x80", "\x90", false}});
}

TEST(TextCase, UsersCodePageIsTheOneConverted) {
    EXPECT_EQ(GetACP(), 1252u) << "the pairs above assume a Western prefix";
    EXPECT_EQ(SameText("\xA8", "\xB8"), SameTextInCodePage(GetACP(), "\xA8", "\xB8"));
}

#else

TEST(TextCase, FallbackKeepsOtherBytesExact) {
    ExpectPairs(UsersRules(), {{"\xDF", "ss", false}, {"\xC6", "AE", false}, {"\x81", "", false}});
    EXPECT_EQ(UpperText("t\xF6\xF6l \xFF\xDF"), "T\xD6\xD6L \x9F\xDF");
}

#endif

}  // namespace
