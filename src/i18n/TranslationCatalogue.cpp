#include "i18n/TranslationCatalogue.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <new>

#include "i18n/LanguageFile.h"
#include "system/AtomicFile.h"
#include "system/DataFolder.h"
#include "system/Errors.h"
#include "system/Files.h"
#include "system/ProductNames.h"
#include "system/Scoped.h"
#include "system/TextCase.h"
#include "system/Utf8.h"

namespace {

std::unique_ptr<TranslationCatalogue> gCatalogue;
std::string gBaseName = kBaseName;

// The damaged active file of the last load, as "<fingerprint> <path>": the form
// in which reports are remembered.
std::string gDamageNotice;

std::string LanguageFilePath(int number) {
    return DataFile(gBaseName, LanguagePartFileName(gBaseName, LanguagePart::Texts, number));
}

// Language files are 8-bit text in the code page of the system they were
// written on, with no mark of it, and every version before read them in the
// user's ANSI code page: the shipped files are Windows-1252, one a user
// translated on a Cyrillic system is Windows-1251. They keep that form on disk
// and become UTF-8 as they are read.
std::string Utf8FromLanguageFileText(const std::string& text) {
    if (text.empty()) return text;
    const UINT codePage = GetACP();
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) return Utf8FromWide(std::wstring(text.begin(), text.end()));
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return Utf8FromWide(wide);
}

// The second line of a language file, read on its own; empty on any failure.
std::string SecondLineOf(const std::string& path) {
    if (!FileExists(path)) return std::string();
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return std::string();
    return Utf8FromLanguageFileText(LanguageFileSecondLine(bytes));
}

// Changes whenever the file's bytes change, so a repaired and damaged-again
// file is reported again (64-bit FNV-1a and the length).
std::string Fingerprint(const std::string& bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : bytes) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    char text[40];
    snprintf(text, sizeof text, "%016llx-%llx", static_cast<unsigned long long>(hash),
             static_cast<unsigned long long>(bytes.size()));
    return text;
}

std::string DamageReportsPath() { return DataFolder(gBaseName) + gBaseName + ".damaged-language"; }

// Fills the texts the loaded active file lacks: from the shipped file of its
// language, else from language file 0. A language's shipped file may lack
// texts that language 0 has on purpose (the ribbon's designed German captions),
// so language 0 only stands in when the language cannot be told or read.
std::vector<int> FillFromShippedFiles(TranslationCatalogue& catalogue) {
    std::string bytes;
    const std::string name = catalogue.LoadedLanguageName();
    const std::string found = name.empty() ? std::string() : catalogue.FindLanguageNumber(name);
    const int number = found.empty() ? -1 : std::stoi(found);
    if (number < 0 || !ReadWholeFile(LanguageFilePath(number), bytes)) {
        if (!FileExists(LanguageFilePath(0)) || !ReadWholeFile(LanguageFilePath(0), bytes)) return {};
    }
    TranslationCatalogue shipped;
    shipped.LoadTextBytes(bytes);
    return catalogue.FillMissingFrom(shipped);
}

TranslationCatalogue& Catalogue() {
    if (!gCatalogue) gCatalogue = std::make_unique<TranslationCatalogue>();
    return *gCatalogue;
}

// Text, documentation and help file of one language over the active files, in
// this order; each copy that fails leaves its target as it was.
void CopyLanguageFiles(int number) {
    const std::string dataFolder = DataFolder(gBaseName);
    for (const LanguagePart part : {LanguagePart::Texts, LanguagePart::Documentation, LanguagePart::Help}) {
        TranslationCatalogue::CopyLanguageFile(DataFile(gBaseName, LanguagePartFileName(gBaseName, part, number)),
                                               dataFolder + ActivePartFileName(gBaseName, part));
    }
}

}  // namespace

TranslationCatalogue::TranslationCatalogue() : texts(kTextSlotCount) {}

void TranslationCatalogue::LoadTextFile(const std::string& path) {
    texts.assign(kTextSlotCount, std::string());
    if (!FileExists(path)) return;
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) throw EInOutError(FileFault::Read, path, GetLastError());
    LoadTextBytes(bytes);
}

void TranslationCatalogue::LoadTextBytes(const std::string& bytes) {
    ParseLanguageText(bytes, texts, languageName);
    for (std::string& text : texts) text = Utf8FromLanguageFileText(text);
    languageName = Utf8FromLanguageFileText(languageName);
}

int TranslationCatalogue::SectionNumber(const std::string& line) { return ::SectionNumber(line); }

std::string TranslationCatalogue::FindLanguageNumber(const std::string& name) const {
    std::string result;
    for (int number = 0; number <= kHighestLanguageNumber; ++number) {
        const std::string path = LanguageFilePath(number);
        if (!FileExists(path)) continue;
        if (SameText(SecondLineOf(path), name)) result = std::to_string(number);
    }
    return result;
}

void TranslationCatalogue::CopyLanguageFile(const std::string& from, const std::string& to) {
    if (!FileExists(from)) return;
    std::string bytes;
    if (!ReadWholeFile(from, bytes)) return;
    ReplaceFileAtomically(to, bytes);
}

std::string TranslationCatalogue::Text(int number) const {
    if (number < 0 || number > kHighestTextNumber) return std::string();
    return texts[static_cast<size_t>(number)];
}

std::vector<int> TranslationCatalogue::FillMissingFrom(const TranslationCatalogue& other) {
    std::vector<int> filled;
    for (size_t i = 0; i < texts.size() && i < other.texts.size(); ++i) {
        if (texts[i].empty() && !other.texts[i].empty()) {
            texts[i] = other.texts[i];
            filled.push_back(static_cast<int>(i));
        }
    }
    if (languageName.empty()) languageName = other.languageName;
    return filled;
}

void LoadTranslation(const std::string& baseName) {
    gBaseName = baseName;
    gDamageNotice.clear();
    auto fresh = std::make_unique<TranslationCatalogue>();
    const std::string active = DataFile(gBaseName, ActivePartFileName(gBaseName, LanguagePart::Texts));
    // A missing active file (deleted, or a choice file kept from an earlier
    // installation) must not leave every window without captions either.
    std::string bytes;
    if (FileExists(active) && ReadWholeFile(active, bytes)) {
        fresh->LoadTextBytes(bytes);
        const std::vector<int> filled = FillFromShippedFiles(*fresh);
        // An active file kept from an earlier version lacks only the texts
        // added since (they take the next free numbers): those are filled
        // without a word. A cut file, or one with a gap, is damaged.
        const LanguageFileExtent extent = ExtentOfLanguageFile(bytes);
        const bool damaged = !filled.empty() && (!extent.closed || filled.front() < extent.highestNumber);
        if (damaged) gDamageNotice = Fingerprint(bytes) + " " + active;
    } else {
        try {
            fresh->LoadTextFile(LanguageFilePath(0));
        } catch (const EInOutError&) {
            // Neither can be read: the windows show empty captions, as without any file.
        }
    }
    gCatalogue = std::move(fresh);
}

std::string TakeDamagedLanguageFileToReport() {
    if (gDamageNotice.empty()) return std::string();
    const std::string notice = std::move(gDamageNotice);
    gDamageNotice.clear();
    const std::string path = DamageReportsPath();
    std::string reported;
    // A list that cannot be read is kept as it is: the user hears of the damage
    // at every start rather than losing the memory of other reports.
    if (FileExists(path) && !ReadWholeFile(path, reported)) return notice.substr(notice.find(' ') + 1);
    const std::string line = notice + "\r\n";
    if (("\n" + reported).find("\n" + line) != std::string::npos) return std::string();
    // The list only grows with files that were damaged and then changed; the
    // newest lines are what matter, so it is kept short.
    constexpr size_t kMaxRemembered = 16 * 1024;
    if (reported.size() > kMaxRemembered) {
        const size_t cut = reported.find('\n', reported.size() - kMaxRemembered);
        reported.erase(0, cut == std::string::npos ? reported.size() : cut + 1);
    }
    ReplaceFileAtomically(path, reported + line);
    return notice.substr(notice.find(' ') + 1);
}

std::string GetText(int number) { return gCatalogue ? gCatalogue->Text(number) : std::string(); }

std::string CurrentLanguageName() { return gCatalogue ? gCatalogue->LoadedLanguageName() : std::string(); }

int LanguageCount() {
    int count = 0;
    for (int number = 0; number <= kHighestLanguageNumber; ++number) {
        if (FileExists(LanguageFilePath(number))) ++count;
    }
    return count;
}

std::string LanguageName(int number) {
    if (number < 0 || number > kHighestLanguageNumber) return std::string();
    return SecondLineOf(LanguageFilePath(number));
}

bool SwitchLanguage(const std::string& name) {
    TranslationCatalogue& catalogue = Catalogue();
    const std::string found = catalogue.FindLanguageNumber(name);
    if (found.empty()) return false;
    const int chosen = std::stoi(found);
    // Read the chosen file before anything is copied: if it cannot be read now,
    // the active files and the catalogue stay as they are.
    std::string bytes;
    if (!ReadWholeFile(LanguageFilePath(chosen), bytes)) return false;

    int fallBack = 0;
    const int count = LanguageCount();
    for (int number = 0; number < count; ++number) {
        if (SameText(LanguageName(number), "English")) fallBack = number;
    }
    CopyLanguageFiles(fallBack);
    CopyLanguageFiles(chosen);
    catalogue.LoadTextBytes(bytes);
    return true;
}

bool LanguageAvailable(const std::string& name) {
    const std::string found = Catalogue().FindLanguageNumber(name);
    if (found.empty()) return false;
    std::string bytes;
    return ReadWholeFile(LanguageFilePath(std::stoi(found)), bytes);
}

std::string FindLanguageSuffix(const std::string& name) {
    const std::string found = Catalogue().FindLanguageNumber(name);
    return found.empty() ? std::string() : "0" + found;
}

LanguageSwitchOutcome SwitchLanguageNow(const std::string& name) {
    if (SameText(name, GetText(0))) return LanguageSwitchOutcome::AlreadyActive;
    const std::string suffix = FindLanguageSuffix(name);
    if (suffix.empty()) return LanguageSwitchOutcome::NotFound;
    const int chosen = std::stoi(suffix);
    std::string bytes;
    if (!ReadWholeFile(LanguageFilePath(chosen), bytes)) return LanguageSwitchOutcome::NotFound;
    const std::string dataFolder = DataFolder(gBaseName);
    if (!ReplaceFileAtomically(dataFolder + ActivePartFileName(gBaseName, LanguagePart::Texts), bytes)) {
        return LanguageSwitchOutcome::TextsNotSaved;
    }
    // Help and documentation of another language must not stay behind: the
    // chosen language's, else (when it has neither) language 0's, else none.
    const LanguagePart parts[] = {LanguagePart::Help, LanguagePart::Documentation};
    auto source = [&](LanguagePart part, int number) {
        return DataFile(gBaseName, LanguagePartFileName(gBaseName, part, number));
    };
    const bool ownFiles =
        FileExists(source(LanguagePart::Help, chosen)) || FileExists(source(LanguagePart::Documentation, chosen));
    for (const LanguagePart part : parts) {
        const std::string from = source(part, ownFiles ? chosen : 0);
        const std::string to = dataFolder + ActivePartFileName(gBaseName, part);
        std::string content;
        if (!FileExists(from) || !ReadWholeFile(from, content) || !ReplaceFileAtomically(to, content)) {
            DeleteFileW(WideFromUtf8(to).c_str());
        }
    }
    Catalogue().LoadTextBytes(bytes);
    return LanguageSwitchOutcome::Switched;
}

const std::string& TranslationBaseName() { return gBaseName; }
