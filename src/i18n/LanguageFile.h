// The language-file format, as bytes in and texts out: file names, lines,
// section headers and the filling of the 10001 text slots. No file access here,
// so the rules can be tested and fuzzed on any machine.
//
// A language file is 8-bit ANSI text. A CR ends a line and takes an LF right
// after it along; an LF anywhere else is an ordinary character; Ctrl-Z ends the
// file. "[n]" starts the text of number n, "[END]" stands for number 10000, and
// a section's lines are joined by single CRs. A section is stored when the next
// header is read, so whatever follows the last header is never stored.
#pragma once
#include <string>
#include <vector>

// Text numbers run from 0 to 10000: 10001 slots, the last one named by "[END]".
constexpr int kHighestTextNumber = 10000;
constexpr int kTextSlotCount = kHighestTextNumber + 1;
// Language numbers that the language lists look at.
constexpr int kHighestLanguageNumber = 100;

enum class LanguagePart { Texts, Documentation, Help };

// B + ".t0" / ".d0" / ".c0" + n in decimal: "Bootmarshal.t00", "Bootmarshal.t010".
std::string LanguagePartFileName(const std::string& baseName, LanguagePart part, int number);
// The active copies in the data folder: B + ".def", ".htm" (the documentation,
// an HTML page), ".chm".
std::string ActivePartFileName(const std::string& baseName, LanguagePart part);

// The number a header line names: 0 or more for "[digits]", 10000 for "[END]",
// -1 for every line that is not a header. Numbers beyond the range of int come
// back as the largest int, so they still end the section before them.
int SectionNumber(const std::string& line);

// The lines of a file's bytes by the rules above.
std::vector<std::string> LanguageFileLines(const std::string& bytes);
// The second line, the language's own name; empty when there is none.
std::string LanguageFileSecondLine(const std::string& bytes);

// Fills texts (resized to 10001 empty slots first) from a file's bytes and sets
// languageName to the first non-empty text stored, in file order. The text of a
// header above 10000 has no slot and is dropped.
void ParseLanguageText(const std::string& bytes, std::vector<std::string>& texts, std::string& languageName);

// How far a file reaches: the highest text number it has a header for ("[END]"
// aside) and whether it ends with its "[END]" line. A file a newer version
// outgrew lacks only texts above its highest number and still ends properly;
// a cut or damaged one does not.
struct LanguageFileExtent {
    int highestNumber = -1;
    bool closed = false;
};
LanguageFileExtent ExtentOfLanguageFile(const std::string& bytes);
