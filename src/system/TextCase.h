// Letter case in the program's text, one rule per job. Text is UTF-8 (WTF-8
// where it came from a Windows name).
//
// Names, commands and language names compare case-blind by the platform's rule.
// Two texts are the same exactly when their upper-case forms are: on Windows the
// user's locale upper-cases (LCMapStringEx with linguistic casing) and orders
// (CompareStringEx with NORM_IGNORECASE), and texts that order alike but differ
// in more than case (a character the order ignores, a lone surrogate, "ß" and
// "ss") follow by their upper-case UTF-16 units, so two different names never
// count as one. The tree built without Windows cannot ask the platform and
// follows a fixed fallback: the simple case pairs of Latin-1, Latin Extended-A,
// Greek and Cyrillic, every other character exact, ordered by code point after
// lower-casing.
//
// Fixed ASCII tokens (key letters, device names, file extensions, XML names)
// fold A-Z only, in both trees: the platform and the formats treat them so.
#pragma once
#include <string>

// Whether the two texts are equal, letter case aside.
bool SameText(const std::string& a, const std::string& b);
// The order of the two texts, letter case aside: negative, zero (exactly when
// SameText holds) or positive.
int CompareText(const std::string& a, const std::string& b);
// The lookup key of a text for sets and maps: two keys are equal exactly when
// SameText holds for the texts, and keys order as CompareText does. It is not
// text to show or to search in.
std::string TextKey(const std::string& text);
// The text upper-cased by the rule above (accented letters and other scripts
// too), for tests whether one text contains or starts with another, letter case
// aside. Bytes that are not WTF-8 are kept as they are.
std::string UpperText(const std::string& text);

char AsciiUpper(char c);
std::string AsciiUpper(std::string text);
bool SameAscii(const std::string& a, const std::string& b);

// The fallback rule on its own, in both trees: a character's lower-case and
// upper-case partner, or the character itself when it has none.
char32_t FallbackLower(char32_t c);
char32_t FallbackUpper(char32_t c);
