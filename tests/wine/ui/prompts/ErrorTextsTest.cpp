// Errors of the core worded in the user's language: refused file operations
// raised by the real file helpers, with the platform's own reason added.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "backup/SnapshotList.h"
#include "i18n/TranslationCatalogue.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/Errors.h"
#include "system/Files.h"
#include "ui/prompts/ErrorTexts.h"
#include "xml/XmlParser.h"

namespace {

// Loads a shipped language as the active one.
void UseLanguage(const char* file) {
    PrepareDataFolder("Bootmarshal", false);
    ASSERT_TRUE(testsupport::WriteFileBytes(DataFolder("Bootmarshal") + "Bootmarshal.def",
                                            testsupport::ReadFileBytes(testsupport::SourcePath(file))));
    LoadTranslation("Bootmarshal");
}

std::string MessageOf(void (*operation)()) {
    try {
        operation();
    } catch (const std::exception& error) {
        return ui::UserMessage(error);
    }
    return std::string();
}

const char kMissingFolderFile[] = "C:\\no-such-folder\\choice.txt";

TEST(ErrorTexts, RefusedFileOperationsSpeakTheLanguageAndGiveThePlatformsReason) {
    struct Case {
        const char* languageFile;
        const char* start;
    } cases[] = {{"lang/Bootmarshal.t00", "Datei \"C:\\no-such-folder\\choice.txt\" kann nicht erstellt werden\n"},
                 {"lang/Bootmarshal.t01", "File \"C:\\no-such-folder\\choice.txt\" cannot be created\n"},
                 {"lang/Bootmarshal.t02",
                  "Le fichier \xC2\xAB\xC2\xA0"
                  "C:\\no-such-folder\\choice.txt\xC2\xA0\xC2\xBB ne peut pas \xC3\xAAtre cr\xC3\xA9\xC3\xA9\n"}};
    for (const Case& c : cases) {
        UseLanguage(c.languageFile);
        const std::string message = MessageOf([] { WriteTextFileOnce(kMissingFolderFile, "2.5"); });
        ASSERT_EQ(message.compare(0, std::string(c.start).size(), c.start), 0) << message;
        EXPECT_GT(message.size(), std::string(c.start).size()) << "the platform's reason follows: " << message;
    }
}

// A damaged backup file read by the real reader: the message names the line
// and what the reader expected there, in each shipped language.
TEST(ErrorTexts, AFileTheReaderRefusesNamesTheLineAndWhatWasExpected) {
    // Cut short after line 8, the end tag of the list.
    const std::string file = std::string("<?xml version=\"1.0\"?>\r\n") + "<xml>\r\n  <list>\r\n    <object>\r\n" +
                             "      <name>Gr&uuml;n</name>\r\n      <command>C:&#92;a</command>\r\n" +
                             "    </object>\r\n  </list>\r\n";
    std::string badReference = file + "</xml>\r\n";
    badReference.replace(badReference.find("&#92;"), 5, "&#9x;");
    auto refusal = [](const std::string& bytes) {
        TXMLCodec codec;
        TXMLParser parser;
        parser.Codec = &codec;
        TXMLTag root;
        try {
            parser.LoadFromText(bytes, "C:\\b.xml", &root);
        } catch (const std::exception& error) {
            return ui::UserMessage(error);
        }
        return std::string("read");
    };
    struct Case {
        const char* languageFile;
        std::string cut, badReference, nameless;
    } cases[] = {
        {"lang/Bootmarshal.t00", "\"C:\\b.xml\" ist keine g\xC3\xBCltige XML-Datei!\nZeile 8: erwartet wird </xml>",
         "Zeile 6: erwartet wird ein bekanntes Zeichen statt &#9x;", "Zeile 2: erwartet wird ein Elementname"},
        {"lang/Bootmarshal.t01", "\"C:\\b.xml\" is not a valid XML file!\nLine 8: expected </xml>",
         "Line 6: expected a known character instead of &#9x;", "Line 2: expected an element name"},
        {"lang/Bootmarshal.t02",
         "\xC2\xAB\xC2\xA0"
         "C:\\b.xml\xC2\xA0\xC2\xBB n'est pas un fichier XML valide\xC2\xA0!\nLigne 8\xC2\xA0: attendu\xC2\xA0: </xml>",
         "Ligne 6\xC2\xA0: attendu\xC2\xA0: un caract\xC3\xA8re connu au lieu de &#9x;",
         "Ligne 2\xC2\xA0: attendu\xC2\xA0: un nom d'\xC3\xA9l\xC3\xA9ment"},
    };
    for (const Case& c : cases) {
        UseLanguage(c.languageFile);
        EXPECT_EQ(refusal(file), c.cut);
        const std::string damaged = refusal(badReference);
        EXPECT_EQ(damaged.substr(damaged.find('\n') + 1), c.badReference);
        const std::string nameless = refusal(std::string("<?xml?>\r\n< xml/>\r\n"));
        EXPECT_EQ(nameless.substr(nameless.find('\n') + 1), c.nameless);
    }
}

TEST(ErrorTexts, AFileTheReaderRejectsIsNamedInTheLanguage) {
    UseLanguage("lang/Bootmarshal.t01");
    EXPECT_EQ(ui::UserMessage(EXMLException("\"b.xml\" ist keine g\xC3\xBCltige XML-Datei!", "b.xml")),
              "\"b.xml\" is not a valid XML file!");
    EXPECT_EQ(ui::UserMessage(EBackupFileError(BackupFault::KindNotNumber, "elf", "launcher0").WithFile("C:\\b.xml")),
              "\"C:\\b.xml\" is not a valid backup file: \"elf\" in \"launcher0\" is not a number");
    EXPECT_EQ(ui::UserMessage(EBackupFileError(BackupFault::MissingElement, "datum", "object").WithFile("b.xml")),
              "\"b.xml\" is not a valid backup file: in \"object\" the element \"datum\" is missing");
    EXPECT_EQ(ui::UserMessage(EBackupFileError(BackupFault::MissingElement, "xml").WithFile("b.xml")),
              "\"b.xml\" is not a valid backup file: the element \"xml\" is missing");
    // Errors the catalogue has no words for keep their own message.
    EXPECT_EQ(ui::UserMessage(std::runtime_error("other")), "other");
    EXPECT_EQ(ui::SystemReason(0), "");
    EXPECT_FALSE(ui::SystemReason(ERROR_ACCESS_DENIED).empty());
}

}  // namespace
