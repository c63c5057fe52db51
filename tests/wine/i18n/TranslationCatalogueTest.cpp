// The translation catalogue against real files in the data folder and the
// program folder of the test's own Wine prefix. The tests use a base name of
// their own, so their files never meet the product's.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i18n/LanguageFile.h"
#include "i18n/TranslationCatalogue.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/Scoped.h"
#include "ui/win/TextNumbers.h"

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

const char kBase[] = "BmI18nTest";

std::string LanguageFile(const std::string& name, const std::string& one) {
    return "[0]\r\n" + name + "\r\n[1]\r\n" + one + "\r\n[END]\r\n";
}

class TranslationCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::MakeFolders(DataFolder(kBase));
        Clean();
    }
    void TearDown() override { Clean(); }

    static void Clean() {
        for (const std::string& folder : {DataFolder(kBase), ProgramFolder()}) {
            WIN32_FIND_DATAA found;
            ScopedFind find(FindFirstFileA((folder + kBase + ".*").c_str(), &found));
            if (!find) continue;
            do {
                const std::string path = folder + found.cFileName;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveDirectoryA(path.c_str());
                } else {
                    DeleteFileA(path.c_str());
                }
            } while (FindNextFileA(find.get(), &found));
        }
    }
    static std::string InData(const std::string& suffix) { return DataFolder(kBase) + kBase + suffix; }
    static std::string InProgram(const std::string& suffix) { return ProgramFolder() + kBase + suffix; }
    static void Put(const std::string& path, const std::string& bytes) {
        ASSERT_TRUE(WriteFileBytes(path, bytes)) << path;
    }
    static ScopedFile HoldExclusively(const std::string& path) {
        return ScopedFile(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    }
};

TEST_F(TranslationCatalogueTest, LoadTranslationReadsTheActiveFileThroughTheDataFileLookup) {
    LoadTranslation(kBase);
    EXPECT_EQ(GetText(0), "") << "no active text file: every text is empty";
    EXPECT_EQ(CurrentLanguageName(), "");

    Put(InProgram(".def"), LanguageFile("Programmordner", "aus dem Programmordner"));
    LoadTranslation(kBase);
    EXPECT_EQ(GetText(1), "aus dem Programmordner");

    Put(InData(".def"), "[0]\r\nDaten\r\n[1]\r\neins\r\n[10000]\r\nletzter\r\n[END]\r\n");
    LoadTranslation(kBase);
    EXPECT_EQ(CurrentLanguageName(), "Daten") << "the data folder's copy comes first";
    EXPECT_EQ(GetText(1), "eins");
    EXPECT_EQ(GetText(2), "");
    EXPECT_EQ(GetText(10000), "letzter");
    EXPECT_EQ(GetText(10001), "");
    EXPECT_EQ(GetText(70000), "");
    EXPECT_EQ(GetText(-1), "");
    EXPECT_EQ(TranslationBaseName(), kBase);
}

TEST_F(TranslationCatalogueTest, FilesLargerThanOneReadLoadAsTheirBytesParse) {
    // A CR LF that straddles the reader's 16 KiB chunks, and a first line longer
    // than a chunk before the language name.
    const std::string head = "[0]\r\nGro\xDF\r\n[1]\r\n";
    const std::string longLine(16383 - head.size(), 'x');
    std::string bytes = head + longLine + "\r\ny\r\n[2]\r\n";
    for (int i = 0; i < 3000; ++i) bytes += "line " + std::to_string(i) + "\r\n";
    bytes += "[END]\r\n";
    ASSERT_EQ(bytes.substr(16383, 2), "\r\n");
    Put(InData(".def"), bytes);
    Put(InData(".t00"), std::string(20000, '#') + "\r\nLang\r\n");
    LoadTranslation(kBase);

    std::vector<std::string> texts;
    std::string languageName;
    ParseLanguageText(bytes, texts, languageName);
    // The language name is read in the code page and held as UTF-8; the other texts are ASCII.
    EXPECT_EQ(GetText(0), "Gro\xC3\x9F");
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(GetText(n), texts[n]) << n;
    EXPECT_EQ(CurrentLanguageName(), "Gro\xC3\x9F");
    EXPECT_EQ(GetText(1), longLine + "\ry");
    EXPECT_EQ(LanguageName(0), "Lang");
}

TEST_F(TranslationCatalogueTest, AnUnreadableOrMissingActiveFileFallsBackToLanguageZero) {
    Put(InData(".t00"), LanguageFile("Deutsch", "Bootmarshal"));
    LoadTranslation(kBase);
    EXPECT_EQ(GetText(0), "Deutsch") << "no active file at all";

    Put(InData(".def"), LanguageFile("English", "Bootmarshal"));
    const ScopedFile held = HoldExclusively(InData(".def"));
    ASSERT_TRUE(held);
    LoadTranslation(kBase);
    EXPECT_EQ(GetText(0), "Deutsch");
}

// An emptied or cut active file must not leave windows and questions without
// text: what it lacks comes from the shipped file of its language, or from
// language 0 when its language cannot be told. Texts a language lacks on
// purpose (language 0 has more) stay empty.
TEST_F(TranslationCatalogueTest, TextsADamagedActiveFileLacksComeFromTheShippedFiles) {
    Put(InData(".t00"), "[0]\r\nDeutsch\r\n[1]\r\nJa\r\n[2]\r\nNein\r\n[400]\r\nNur deutsch\r\n[END]\r\n");
    Put(InProgram(".t01"), "[0]\r\nEnglish\r\n[1]\r\nYes\r\n[2]\r\nNo\r\n[END]\r\n");
    struct Case {
        const char* what;
        std::string active;
        std::string one, two, four00;
        bool damaged;
    } cases[] = {
        {"whole", "[0]\r\nEnglish\r\n[1]\r\nYes!\r\n[2]\r\nNo!\r\n[END]\r\n", "Yes!", "No!", "", false},
        {"a text cut out", "[0]\r\nEnglish\r\n[2]\r\nNo!\r\n[END]\r\n", "Yes", "No!", "", true},
        // An earlier version's file lacks only the texts added since, at higher numbers.
        {"whole, of an earlier version", "[0]\r\nEnglish\r\n[1]\r\nYes!\r\n[END]\r\n", "Yes!", "No", "", false},
        {"cut short (a text ends at the next header)", "[0]\r\nEnglish\r\n[1]\r\nYe", "Yes", "No", "", true},
        {"empty", "", "Ja", "Nein", "Nur deutsch", true},
        {"no language name", "[1]\r\n\r\n[2]\r\nNo!\r\n[END]\r\n", "Ja", "No!", "Nur deutsch", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Put(InData(".def"), c.active);
        LoadTranslation(kBase);
        EXPECT_EQ(GetText(1), c.one);
        EXPECT_EQ(GetText(2), c.two);
        EXPECT_EQ(GetText(400), c.four00);
        EXPECT_EQ(TakeDamagedLanguageFileToReport(), c.damaged ? InData(".def") : "");
        EXPECT_EQ(ReadFileBytes(InData(".def")), c.active) << "the damaged file is left as it is";
    }
}

// The active file an earlier version copied stays in use after an update (the
// version asks for the language again only when its number changes): it lacks
// the texts added since, which come from the shipped file without a word.
TEST_F(TranslationCatalogueTest, AnEarlierVersionsActiveFileIsNotReportedAsDamaged) {
    const std::string earlier =
        ReadFileBytes(testsupport::SourcePath("tests/wine/i18n/fixtures/english-as-of-dbe3696.t01"));
    const std::string shipped = ReadFileBytes(testsupport::ProductPath("Bootmarshal.t01"));
    ASSERT_FALSE(earlier.empty());
    ASSERT_NE(earlier, shipped) << "the shipped file has texts the earlier one lacks";
    Put(InData(".def"), earlier);
    Put(InData(".t01"), shipped);
    LoadTranslation(kBase);
    EXPECT_EQ(TakeDamagedLanguageFileToReport(), "");
    TranslationCatalogue current;
    current.LoadTextBytes(shipped);
    EXPECT_EQ(GetText(Text::LanguageFileDamaged), current.Text(Text::LanguageFileDamaged));
    EXPECT_EQ(ReadFileBytes(InData(".def")), earlier);
}

TEST_F(TranslationCatalogueTest, ADamagedFileIsReportedOnceAndAgainAfterItChanges) {
    Put(InData(".t00"), LanguageFile("Deutsch", "Ja"));
    auto reportAfterStart = [] {
        LoadTranslation(kBase);
        return TakeDamagedLanguageFileToReport();
    };
    Put(InData(".def"), "[0]\r\nDeutsch\r\n");
    EXPECT_EQ(reportAfterStart(), InData(".def"));
    EXPECT_EQ(TakeDamagedLanguageFileToReport(), "") << "taken once";
    EXPECT_EQ(reportAfterStart(), "") << "the next start stays quiet";
    Put(InData(".def"), "");
    EXPECT_EQ(reportAfterStart(), InData(".def")) << "changed, damaged again";
    Put(InData(".def"), "[0]\r\nDeutsch\r\n");
    EXPECT_EQ(reportAfterStart(), "") << "a form reported before";
    EXPECT_EQ(GetText(1), "Ja");
}

TEST_F(TranslationCatalogueTest, LanguageListsCountFilesAndReadTheirSecondLine) {
    Put(InData(".t00"), LanguageFile("Deutsch", "x"));
    Put(InProgram(".t01"), LanguageFile("English", "x"));  // found in the program folder
    Put(InData(".t03"), LanguageFile("Nederlands", "x"));
    Put(InData(".t05"), "[0]");                                      // one line only
    ASSERT_TRUE(CreateDirectoryA(InData(".t06").c_str(), nullptr));  // a folder is no language file
    LoadTranslation(kBase);

    EXPECT_EQ(LanguageCount(), 4);
    EXPECT_EQ(LanguageName(0), "Deutsch");
    EXPECT_EQ(LanguageName(1), "English");
    EXPECT_EQ(LanguageName(2), "") << "the gap gives an empty name";
    EXPECT_EQ(LanguageName(3), "Nederlands");
    EXPECT_EQ(LanguageName(5), "");
    EXPECT_EQ(LanguageName(101), "");
}

TEST_F(TranslationCatalogueTest, SwitchLanguageTakesTheHighestNumberOfTwoEqualNames) {
    Put(InData(".t00"), LanguageFile("Deutsch", "null"));
    Put(InData(".t01"), LanguageFile("Twice", "eins"));
    Put(InData(".t02"), LanguageFile("TWICE", "zwei"));
    LoadTranslation(kBase);

    ASSERT_TRUE(SwitchLanguage("twice"));
    EXPECT_EQ(GetText(1), "zwei");
    EXPECT_EQ(CurrentLanguageName(), "TWICE");
    EXPECT_EQ(ReadFileBytes(InData(".def")), LanguageFile("TWICE", "zwei"));
}

TEST_F(TranslationCatalogueTest, SwitchLanguageFallsBackToEnglishThenLanguageZeroForHelpAndDocumentation) {
    struct Case {
        const char* what;
        bool withEnglish;
        const char* expectedDoc;
        const char* expectedChm;
    } cases[] = {
        {"no English: language 0's files", false, "doc 0", "chm 0"},
        {"English at 1: its files where the chosen language has none", true, "doc 2", "chm 1"},
    };
    for (const Case& c : cases) {
        Clean();
        Put(InData(".t00"), LanguageFile("Deutsch", "null"));
        Put(InData(".d00"), "doc 0");
        Put(InData(".c00"), "chm 0");
        Put(InData(".t01"), LanguageFile(c.withEnglish ? "English" : "Italiano", "one"));
        Put(InData(".d01"), "doc 1");
        Put(InData(".c01"), "chm 1");
        Put(InData(".t02"), LanguageFile("Fran\xE7"
                                         "ais",
                                         "un"));
        if (c.withEnglish) Put(InProgram(".d02"), "doc 2");
        LoadTranslation(kBase);

        // Case-blind matching follows the platform's rules for Unicode: ç matches Ç.
        ASSERT_TRUE(
            SwitchLanguage("FRAN\xC3\x87"
                           "AIS"))
            << c.what;
        EXPECT_EQ(GetText(1), "un") << c.what;
        EXPECT_EQ(ReadFileBytes(InData(".def")), LanguageFile("Fran\xE7"
                                                              "ais",
                                                              "un"))
            << c.what;
        EXPECT_EQ(ReadFileBytes(InData(".htm")), c.expectedDoc) << c.what;
        EXPECT_EQ(ReadFileBytes(InData(".chm")), c.expectedChm) << c.what;
    }
}

TEST_F(TranslationCatalogueTest, SwitchLanguageToAnUnknownOrUnreadableLanguageChangesNothing) {
    Put(InData(".t00"), LanguageFile("Deutsch", "null"));
    Put(InData(".d00"), "doc 0");
    Put(InData(".t01"), LanguageFile("English", "one"));
    Put(InData(".def"), LanguageFile("Aktiv", "aktiv"));
    Put(InData(".htm"), "active doc");
    LoadTranslation(kBase);

    EXPECT_FALSE(SwitchLanguage("Klingon"));
    EXPECT_FALSE(SwitchLanguage(""));
    {
        const ScopedFile held = HoldExclusively(InData(".t01"));
        ASSERT_TRUE(held);
        EXPECT_FALSE(SwitchLanguage("English")) << "a language file that cannot be read";
    }
    EXPECT_EQ(ReadFileBytes(InData(".def")), LanguageFile("Aktiv", "aktiv"));
    EXPECT_EQ(ReadFileBytes(InData(".htm")), "active doc");
    EXPECT_EQ(GetText(1), "aktiv");
    EXPECT_EQ(CurrentLanguageName(), "Aktiv");
}

TEST_F(TranslationCatalogueTest, CopyLanguageFileLeavesTheTargetAloneOnFailure) {
    Put(InData(".doc"), "old");
    TranslationCatalogue::CopyLanguageFile(InData(".d09"), InData(".doc"));
    EXPECT_EQ(ReadFileBytes(InData(".doc")), "old") << "missing source";
    Put(InData(".d00"), "new");
    TranslationCatalogue::CopyLanguageFile(InData(".d00"), InData(".doc"));
    EXPECT_EQ(ReadFileBytes(InData(".doc")), "new");
    TranslationCatalogue::CopyLanguageFile(InData(".d00"), "C:\\no such folder\\x.doc");
    EXPECT_EQ(GetFileAttributesA("C:\\no such folder"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(TranslationCatalogueTest, ShippedLanguagesSwitchBesideTheProgram) {
    const std::vector<std::string> names = {"Deutsch", "English",
                                            "Fran\xC3\xA7"
                                            "ais"};
    std::vector<std::string> shipped;
    for (int i = 0; i < 3; ++i) {
        const std::string file = "Bootmarshal.t0" + std::to_string(i);
        shipped.push_back(ReadFileBytes(testsupport::ProductPath(file)));
        ASSERT_EQ(shipped[i], ReadFileBytes("Z:" BM_SOURCE_DIR "/lang/" + file)) << file << " beside the program";
        Put(InProgram(".t0" + std::to_string(i)), shipped[i]);
    }
    LoadTranslation(kBase);
    ASSERT_EQ(LanguageCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(LanguageName(i), names[i]);

    ASSERT_TRUE(SwitchLanguage("english"));
    EXPECT_EQ(GetText(Text::Continue), "Continue");
    EXPECT_EQ(ReadFileBytes(InData(".def")), shipped[1]);
    ASSERT_TRUE(
        SwitchLanguage("Fran\xC3\xA7"
                       "ais"));
    EXPECT_EQ(GetText(Text::Yes), "Oui");
    LoadTranslation(kBase);  // the active copy now holds French
    EXPECT_EQ(CurrentLanguageName(), names[2]);
    ASSERT_TRUE(SwitchLanguage("Deutsch"));
    EXPECT_EQ(GetText(Text::LegendSystemEntries),
              "Standardeintr\xC3\xA4"
              "ge von Windows werden in Orange dargestellt.");
}

}  // namespace

namespace {

TEST_F(TranslationCatalogueTest, SwitchInTheRunningProgramNeverLeavesItWithoutTexts) {
    Put(InData(".t00"), LanguageFile("Deutsch", "null"));
    Put(InData(".c00"), "help 0");
    Put(InData(".d00"), "doc 0");
    Put(InData(".t01"), LanguageFile("English", "one"));
    Put(InData(".c01"), "help 1");
    Put(InData(".t02"), LanguageFile("Fran\xE7"
                                     "ais",
                                     "un"));
    Put(InData(".def"), LanguageFile("Deutsch", "null"));
    Put(InData(".chm"), "active help");
    Put(InData(".htm"), "active doc");
    LoadTranslation(kBase);

    auto unchanged = [&](const char* what) {
        EXPECT_EQ(GetText(1), "null") << what;
        EXPECT_EQ(ReadFileBytes(InData(".def")), LanguageFile("Deutsch", "null")) << what;
        EXPECT_EQ(ReadFileBytes(InData(".chm")), "active help") << what;
        EXPECT_EQ(ReadFileBytes(InData(".htm")), "active doc") << what;
    };
    EXPECT_EQ(SwitchLanguageNow("DEUTSCH"), LanguageSwitchOutcome::AlreadyActive);
    unchanged("the language in use, in other letter case");
    EXPECT_EQ(SwitchLanguageNow("Klingon"), LanguageSwitchOutcome::NotFound);
    unchanged("an unknown language");
    {
        const ScopedFile held = HoldExclusively(InData(".t01"));
        ASSERT_TRUE(held);
        EXPECT_EQ(SwitchLanguageNow("English"), LanguageSwitchOutcome::NotFound);
    }
    unchanged("a language file held by another program");
    {
        const ScopedFile held = HoldExclusively(InData(".def"));
        ASSERT_TRUE(held);
        EXPECT_EQ(SwitchLanguageNow("English"), LanguageSwitchOutcome::TextsNotSaved);
    }
    unchanged("an active text file that cannot be replaced");

    EXPECT_EQ(SwitchLanguageNow("English"), LanguageSwitchOutcome::Switched);
    EXPECT_EQ(GetText(1), "one");
    EXPECT_EQ(ReadFileBytes(InData(".def")), LanguageFile("English", "one"));
    EXPECT_EQ(ReadFileBytes(InData(".chm")), "help 1");
    EXPECT_EQ(GetFileAttributesA(InData(".htm").c_str()), INVALID_FILE_ATTRIBUTES)
        << "no documentation of another language stays behind";

    EXPECT_EQ(SwitchLanguageNow("FRAN\xC3\x87"
                                "AIS"),
              LanguageSwitchOutcome::Switched);
    EXPECT_EQ(GetText(1), "un");
    EXPECT_EQ(ReadFileBytes(InData(".chm")), "help 0") << "without its own, language 0's help";
    EXPECT_EQ(ReadFileBytes(InData(".htm")), "doc 0");
    EXPECT_EQ(FindLanguageSuffix("english"), "01");
    EXPECT_EQ(FindLanguageSuffix("Klingon"), "");
}

}  // namespace
