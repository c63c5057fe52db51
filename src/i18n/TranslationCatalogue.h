// The program's one translation catalogue: every text of the interface is
// fetched from it by number. The catalogue is filled from the active text file
// (B + ".def" in the data folder), a byte copy of one of the language files
// B + ".t0" + n that ship beside the program. Switching the language copies the
// chosen language's text, documentation and help files over the active ones.
//
// Start-up calls LoadTranslation("Bootmarshal") before it creates any window;
// until then every text is empty. One thread only; no locking.
#pragma once
#include <string>
#include <vector>

class TranslationCatalogue {
public:
    TranslationCatalogue();

    // Empties every slot, then fills them from the file. A missing file leaves
    // every text empty and keeps languageName; a file that exists but cannot be
    // read throws EInOutError (with every text empty).
    void LoadTextFile(const std::string& path);
    // The same from bytes already read.
    void LoadTextBytes(const std::string& bytes);

    // The number a header line names, or -1 for a text line.
    static int SectionNumber(const std::string& line);
    // The highest language number whose file's second line equals the name,
    // ignoring case under the user's locale, as decimal text; empty for none.
    std::string FindLanguageNumber(const std::string& name) const;
    // Copies a file over another; on any failure the target stays as it was.
    static void CopyLanguageFile(const std::string& from, const std::string& to);

    // The text of a number; empty outside 0..10000 or without a section.
    std::string Text(int number) const;
    // Gives every empty slot the other catalogue's text; the numbers it filled.
    std::vector<int> FillMissingFrom(const TranslationCatalogue& other);
    // The first non-empty text stored while the file was read: the language's
    // own name in a well-formed file.
    const std::string& LoadedLanguageName() const { return languageName; }

private:
    std::vector<std::string> texts;  // 10001 slots, numbers 0 to 10000
    std::string languageName;
};

// Remembers the base name, replaces the catalogue with a new one and loads the
// active text file (data-file lookup of B + ".def"). An active text file that
// is missing or cannot be read loads language file 0 instead, so that the
// windows never come up without captions because the file was deleted or
// another program holds it. Every text the active file lacks (an empty or
// damaged file, a text cut off) comes from the shipped language file of the
// same name, or from language file 0 when that language cannot be told or
// read.
void LoadTranslation(const std::string& baseName);
// The active text file, when the last LoadTranslation had to fill texts it
// lacks because it is damaged (cut short, or a text missing below its highest
// number: a file a newer version only added texts to is not) and this damage
// has not been reported before: empty otherwise. Taking
// it records the report in the data folder, so that the user hears of one
// damaged file once, and again only after the file has changed.
std::string TakeDamagedLanguageFileToReport();
// The text of that number; empty above 10000, below 0, without a section for it
// or before the catalogue is loaded.
std::string GetText(int number);
// The loaded language's own name (see TranslationCatalogue::LoadedLanguageName).
std::string CurrentLanguageName();
// How many of the language files 0 to 100 exist (data-file lookup each).
int LanguageCount();
// The second line of language file i; empty when it is missing, has fewer than
// two lines or cannot be read.
std::string LanguageName(int number);
// Makes the language of that name active: its files (after those of the
// language named "English", or of language 0, as a fall-back for help and
// documentation) are copied over the active files and the catalogue is refilled
// from its language file. False, with nothing changed, when no language file
// carries the name or the chosen language file cannot be read.
bool SwitchLanguage(const std::string& name);
// True when a language file carries the name and can be read now: a language
// the switch can honour.
bool LanguageAvailable(const std::string& name);
// "0" followed by the number of the last language file whose second line equals
// the name (ignoring case), so that B + ".t" + suffix names that file: "03" for
// language 3, "012" for language 12; empty when no readable file carries it.
std::string FindLanguageSuffix(const std::string& name);

enum class LanguageSwitchOutcome { AlreadyActive, Switched, NotFound, TextsNotSaved };
// The switch of the running program. The chosen language's text file is read
// first and the active text file is replaced only by a complete copy; when
// either fails, every active file and the catalogue stay as they were. Help and
// documentation follow the language; where it has neither, those of language 0
// take their place. The catalogue is refilled on success.
LanguageSwitchOutcome SwitchLanguageNow(const std::string& name);

// The base name of the last LoadTranslation ("Bootmarshal" before the first).
const std::string& TranslationBaseName();
