// The backup file under a real regional setting of the user, chosen by the
// environment that starts Wine (LANG/LC_ALL): built once for German
// (BM_REGION_GERMAN=1) and once for US English (0), each run as its own test
// in a prefix of its own.
#include <gtest/gtest.h>

#include "backup/BackupStore.h"
#include "backup/LocaleFormats.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "unit/backup/DateTimePrint.h"
#include "wine/backup/RegionalSettings.h"
#include "xml/XmlParser.h"

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

std::string Fixture(const std::string& name) { return testsupport::SourcePath("tests/wine/backup/fixtures/" + name); }

class RegionalBackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetUserDefaultLCID(), kExpectedLocale)
            << "the user locale comes from LANG/LC_ALL; build it first with localedef (de_DE.UTF-8, en_US.UTF-8)";
        ASSERT_TRUE(PrepareDataFolder("Bootmarshal", false));
        file_ = DefaultBackupFile();
        parser_.Codec = &codec_;
        DeleteFileA(file_.c_str());
    }
    void TearDown() override { DeleteFileA(file_.c_str()); }

    // Saves one snapshot without entries taken at the moment; the datum text.
    std::string SavedDatum(const LocalDateTime& moment) {
        BackupStore store(parser_);
        store.List().Snapshots.emplace_back();
        store.List().Snapshots.back().Timestamp = moment;
        store.SaveBackupFile();
        const std::string bytes = ReadFileBytes(file_);
        const size_t open = bytes.find("<datum>"), close = bytes.find("</datum>");
        if (open == std::string::npos || close == std::string::npos) return "(no datum)";
        return bytes.substr(open + 7, close - open - 7);
    }
    LocalDateTime LoadedTimestamp() {
        BackupStore store(parser_);
        store.LoadBackupFile();
        return store.List().Snapshots.at(0).Timestamp;
    }
    // Loads the fixture as the backup file and saves it again: the bytes saved.
    std::string LoadAndSave(const std::string& fixture) {
        WriteFileBytes(file_, ReadFileBytes(Fixture(fixture)));
        BackupStore store(parser_);
        store.LoadBackupFile();
        DeleteFileA(file_.c_str());
        store.SaveBackupFile();
        return ReadFileBytes(file_);
    }

#if BM_REGION_GERMAN
    static constexpr LCID kExpectedLocale = 0x0407;
#else
    static constexpr LCID kExpectedLocale = 0x0409;
#endif
    TXMLCodec codec_;
    TXMLParser parser_;
    std::string file_;
};

#if BM_REGION_GERMAN

TEST_F(RegionalBackupTest, GermanNamesComeInUtf8) {
    const DateTimeFormats formats = UserDateTimeFormats();
    EXPECT_EQ(formats.monthNames[2], "M\xC3\xA4rz");
    EXPECT_EQ(formats.dayNames[0], "Montag");
    EXPECT_EQ(FormatDatePicture(At(2010, 3, 1, 0, 0, 0), "dddd, d. MMMM yyyy", formats), "Montag, 1. M\xC3\xA4rz 2010");
}

TEST_F(RegionalBackupTest, WinesGermanShortDateWritesAndReadsItsOwnTextAndWindowsText) {
    // Wine's German short date has no leading zeros where Windows has them.
    ASSERT_EQ(PinnedRegionalSettings::Get(LOCALE_SSHORTDATE), "d.M.yyyy");
    const LocalDateTime moment = At(2010, 2, 1, 10, 20, 30);
    EXPECT_EQ(SavedDatum(moment), "1.2.2010 10:20:30");
    EXPECT_EQ(LoadedTimestamp(), moment);
    // A file written under Windows' German pictures reads the same.
    WriteFileBytes(file_, ReadFileBytes(Fixture("one-entry-german.xml")));
    EXPECT_EQ(LoadedTimestamp(), moment);
}

TEST_F(RegionalBackupTest, WindowsGermanShortDateGivesTheExampleFileByteForByte) {
    PinnedRegionalSettings settings;
    ASSERT_TRUE(settings.Set(LOCALE_SSHORTDATE, "dd.MM.yyyy"));
    EXPECT_EQ(SavedDatum(At(2010, 2, 1, 10, 20, 30)), "01.02.2010 10:20:30");
    EXPECT_EQ(SavedDatum(At(2010, 2, 1, 0, 0, 0)), "01.02.2010");
    for (const char* fixture : {"one-entry-german.xml", "no-entries-german.xml"}) {
        EXPECT_EQ(LoadAndSave(fixture), ReadFileBytes(Fixture(fixture))) << fixture;
    }
}

TEST_F(RegionalBackupTest, AUsFileDoesNotConvertAndStaysAsItIs) {
    const std::string bytes = ReadFileBytes(Fixture("one-entry-us.xml"));
    WriteFileBytes(file_, bytes);
    BackupStore store(parser_);
    EXPECT_THROW(store.StartBackups(), EBackupFileError);
    EXPECT_EQ(ReadFileBytes(file_), bytes);
}

#else

TEST_F(RegionalBackupTest, UsSettingsGiveTheUsTextAndTheFileByteForByte) {
    ASSERT_EQ(PinnedRegionalSettings::Get(LOCALE_SSHORTDATE), "M/d/yyyy");
    ASSERT_EQ(PinnedRegionalSettings::Get(LOCALE_STIMEFORMAT), "h:mm:ss tt");
    EXPECT_EQ(SavedDatum(At(2010, 2, 1, 10, 20, 30)), "2/1/2010 10:20:30 AM");
    EXPECT_EQ(LoadedTimestamp(), At(2010, 2, 1, 10, 20, 30));
    EXPECT_EQ(SavedDatum(At(2010, 12, 31, 23, 59, 59)), "12/31/2010 11:59:59 PM");
    EXPECT_EQ(LoadedTimestamp(), At(2010, 12, 31, 23, 59, 59));
    EXPECT_EQ(LoadAndSave("one-entry-us.xml"), ReadFileBytes(Fixture("one-entry-us.xml")));
}

TEST_F(RegionalBackupTest, AGermanFileDoesNotConvertAndStaysAsItIs) {
    const std::string bytes = ReadFileBytes(Fixture("one-entry-german.xml"));
    WriteFileBytes(file_, bytes);
    BackupStore store(parser_);
    EXPECT_THROW(store.StartBackups(), EBackupFileError);
    EXPECT_EQ(ReadFileBytes(file_), bytes);
}

#endif

}  // namespace
