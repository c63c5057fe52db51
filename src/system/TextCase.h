// Letter case in the program's text, one rule per job. Text is 8-bit ANSI in the
// user's code page.
//
// Names, commands and language names compare case-blind by the platform's rule:
// on Windows the locale-aware comparison under the user's locale (CompareStringEx
// with NORM_IGNORECASE on the text converted from the ANSI code page). The tree
// built without Windows cannot ask the platform and follows a fixed fallback:
// Windows-1252 case pairs (A-Z, the accented capitals 192-222 without the
// multiplication sign, and Š Œ Ž Ÿ among 128-159), every other byte exact.
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
// The text upper-cased by the ANSI code page's rules (accented letters too), for
// tests whether one text contains or starts with another, letter case aside.
std::string UpperText(const std::string& text);

char AsciiUpper(char c);
std::string AsciiUpper(std::string text);
bool SameAscii(const std::string& a, const std::string& b);

// The fallback rule on its own, in both trees: a byte's Windows-1252 lower-case
// form, and its upper-case form.
unsigned char WesternLower(unsigned char c);
unsigned char WesternUpper(unsigned char c);

#ifdef _WIN32
// The platform's rules for text in another ANSI code page than the user's, so
// that text of a code page the machine is not set to can be checked too.
bool SameTextInCodePage(unsigned codePage, const std::string& a, const std::string& b);
int CompareTextInCodePage(unsigned codePage, const std::string& a, const std::string& b);
std::string TextKeyInCodePage(unsigned codePage, const std::string& text);
#endif
