// The backup store against the real thing: the data folder's backup file, the
// entries of the test prefix's autostart locations, the user's regional
// settings (pinned to Windows' German pictures unless a test says otherwise).
#include <gtest/gtest.h>

#include <algorithm>

#include "backup/BackupStore.h"
#include "backup/LocaleFormats.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/StoredCommand.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/Files.h"
#include "system/RegistryValues.h"
#include "system/Scoped.h"
#include "unit/backup/DateTimePrint.h"
#include "wine/backup/RegionalSettings.h"
#include "xml/XmlParser.h"

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kTestValue[] = "BackupStoreTest";

std::string Fixture(const std::string& name) { return testsupport::SourcePath("tests/wine/backup/fixtures/" + name); }

LocalDateTime ToTheSecond(LocalDateTime v) {
    v.millisecond = 0;
    return v;
}

const char kDeclaration[] = "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n";

class BackupStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(settings_.German());
        ASSERT_TRUE(PrepareDataFolder("Bootmarshal", false));
        file_ = DefaultBackupFile();
        parser_.Codec = &codec_;
        RemoveFiles();
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRunKey, kTestValue, "C:\\Missing\\tool.exe /quiet"));
    }
    void TearDown() override {
        RemoveFiles();
        DeleteRegValue(HKEY_CURRENT_USER, kRunKey, kTestValue);
    }
    void RemoveFiles() {
        for (const std::string& f : {file_, file_ + ".new", UnreadableFile()}) DeleteFileA(f.c_str());
    }
    std::string UnreadableFile() const { return DataFolder("Bootmarshal") + kUnreadableBackupFileName; }

    // The list in the file now, read by a store of its own.
    SnapshotList FileList() {
        BackupStore reader(parser_);
        reader.LoadBackupFile();
        return reader.List();
    }

    // A file of snapshots with these timestamps, in this order, without entries.
    void WriteFile(const std::vector<LocalDateTime>& stamps) {
        BackupStore writer(parser_);
        for (const LocalDateTime& stamp : stamps) {
            writer.List().Snapshots.emplace_back();
            writer.List().Snapshots.back().Timestamp = stamp;
        }
        writer.SaveBackupFile();
    }

    PinnedRegionalSettings settings_;
    TXMLCodec codec_;
    TXMLParser parser_;
    std::string file_;
};

// A file written before the machine's 32-bit keys were listed still loads with
// all fourteen kinds; the 32-bit kinds are kept in a snapshot like any other,
// read back, and restored into the 32-bit view.
TEST_F(BackupStoreTest, AnOldFileOfFourteenKindsLoadsAndThe32BitKindsAreKeptAndRestored) {
    ASSERT_TRUE(WriteFileBytes(file_, ReadFileBytes(Fixture("fourteen-kinds-german.xml"))));
    const SnapshotList old = FileList();
    ASSERT_EQ(old.Snapshots.size(), 1u);
    std::vector<int32_t> kinds;
    for (const StartupEntry& entry : old.Snapshots[0].Entries) {
        kinds.push_back(entry.kind);
        EXPECT_EQ(entry.active, entry.kind == 12 || entry.kind == 31 ? 0 : 1) << entry.kind;
        EXPECT_EQ(entry.command, "C:\\Tools\\legacy" + std::to_string(entry.kind) + ".exe /s");
    }
    EXPECT_EQ(kinds, (std::vector<int32_t>{1, 2, 11, 12, 13, 14, 15, 21, 22, 23, 24, 25, 31, 32}));

    const char run32[] = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
    const char runOnce32[] = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, run32, "Vendor32", "C:\\Vendor\\tray.exe /min"));
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, run32, "Off32", DeactivationMarker() + "C:\\Vendor\\off.exe"));
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, runOnce32, "Setup32", "C:\\Vendor\\setup.exe"));
    BackupStore store(parser_);
    store.StartBackups();
    DeleteRegValue(HKEY_LOCAL_MACHINE, run32, "Vendor32");
    DeleteRegValue(HKEY_LOCAL_MACHINE, run32, "Off32");
    DeleteRegValue(HKEY_LOCAL_MACHINE, runOnce32, "Setup32");

    const SnapshotList saved = FileList();
    ASSERT_EQ(saved.Snapshots.size(), 2u);
    std::vector<std::string> kept;
    for (const StartupEntry& entry : saved.Snapshots[0].Entries) {
        if (entry.kind < 26 || entry.kind > 28) continue;
        kept.push_back(std::to_string(entry.kind) + " " + entry.name + " " + entry.command + " " +
                       std::to_string(entry.active));
        EXPECT_TRUE(AddEntry(entry).ok()) << entry.name;
    }
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept,
              (std::vector<std::string>{"26 Off32 C:\\Vendor\\off.exe 0", "26 Vendor32 C:\\Vendor\\tray.exe /min 1",
                                        "27 Setup32 C:\\Vendor\\setup.exe 1"}));
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, run32, "Vendor32"), "C:\\Vendor\\tray.exe /min");
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, run32, "Off32"), DeactivationMarker() + "C:\\Vendor\\off.exe");
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, runOnce32, "Setup32"), "C:\\Vendor\\setup.exe");
    DeleteRegValue(HKEY_LOCAL_MACHINE, run32, "Vendor32");
    DeleteRegValue(HKEY_LOCAL_MACHINE, run32, "Off32");
    DeleteRegValue(HKEY_LOCAL_MACHINE, runOnce32, "Setup32");
}

TEST_F(BackupStoreTest, TheFileLivesInTheDataFolder) {
    EXPECT_EQ(file_, DataFolder("Bootmarshal") + "BootmarshalBackup.xml");
    EXPECT_EQ(BackupStore(parser_).BackupFile(), file_);
}

TEST_F(BackupStoreTest, AFirstStartSavesTheStartupSnapshotOfAllEntries) {
    const LocalDateTime before = ToTheSecond(CurrentLocalDateTime());
    BackupStore store(parser_);
    store.StartBackups();
    const LocalDateTime after = CurrentLocalDateTime();

    const EntryList now = CollectAllEntries();
    for (const SnapshotList& list : {store.List(), FileList()}) {
        ASSERT_EQ(list.Snapshots.size(), 1u);
        const Snapshot& snapshot = list.Snapshots[0];
        EXPECT_FALSE(snapshot.Timestamp < before);
        EXPECT_FALSE(after < snapshot.Timestamp);
        ASSERT_EQ(snapshot.Entries.size(), now.size());
        for (size_t i = 0; i < now.size(); ++i) {
            EXPECT_EQ(snapshot.Entries[i].name, now[i].name);
            EXPECT_EQ(snapshot.Entries[i].command, now[i].command);
            EXPECT_EQ(snapshot.Entries[i].kind, now[i].kind);
            EXPECT_EQ(snapshot.Entries[i].active, now[i].active);
        }
    }
    bool seen = false;
    for (const StartupEntry& e : store.List().Snapshots[0].Entries) {
        if (e.name == kTestValue && e.kind == kUserRun && e.command == "C:\\Missing\\tool.exe /quiet") seen = true;
    }
    EXPECT_TRUE(seen);
    EXPECT_FALSE(FileExists(file_ + ".new"));
}

TEST_F(BackupStoreTest, AStartKeepsTheFifteenNewestWithTheStartupSnapshotFirst) {
    // Fifteen old snapshots in no particular order; 1 January is the oldest.
    std::vector<LocalDateTime> old;
    for (int day : {5, 1, 9, 15, 2, 3, 14, 4, 6, 7, 8, 10, 13, 11, 12}) old.push_back(At(2010, 1, day, 12, 0, 0));
    WriteFile(old);
    const LocalDateTime before = ToTheSecond(CurrentLocalDateTime());

    BackupStore store(parser_);
    store.StartBackups();
    SnapshotList list = FileList();
    ASSERT_EQ(list.Snapshots.size(), 15u);
    EXPECT_FALSE(list.Snapshots[0].Timestamp < before);  // the start-up snapshot
    EXPECT_FALSE(list.Snapshots[0].Entries.empty());
    for (int i = 1; i < 15; ++i) EXPECT_EQ(list.Snapshots[i].Timestamp, At(2010, 1, 16 - i, 12, 0, 0)) << i;

    // Backups made during the run are not cut; the next start cuts them:
    // two start-up snapshots, three backups and the ten newest of January.
    store.AddSnapshot();
    store.AddSnapshot();
    store.AddSnapshot();
    EXPECT_EQ(FileList().Snapshots.size(), 18u);
    BackupStore nextStart(parser_);
    nextStart.StartBackups();
    list = FileList();
    ASSERT_EQ(list.Snapshots.size(), 15u);
    EXPECT_EQ(list.Snapshots[14].Timestamp, At(2010, 1, 6, 12, 0, 0));
}

TEST_F(BackupStoreTest, SnapshotsFromTheFutureCrowdOutTheStartupSnapshot) {
    std::vector<LocalDateTime> future;
    for (int day = 1; day <= 15; ++day) future.push_back(At(2090, 3, day, 8, 30, 0));
    WriteFile(future);
    BackupStore store(parser_);
    store.StartBackups();
    const SnapshotList list = FileList();
    ASSERT_EQ(list.Snapshots.size(), 15u);
    for (int i = 0; i < 15; ++i) EXPECT_EQ(list.Snapshots[i].Timestamp, At(2090, 3, 15 - i, 8, 30, 0)) << i;
}

TEST_F(BackupStoreTest, TheExampleFilesReadBackAndSaveByteForByte) {
    struct Case {
        const char* fixture;
        bool us;
        size_t entries;
    } cases[] = {
        {"one-entry-german.xml", false, 1}, {"no-entries-german.xml", false, 0}, {"one-entry-us.xml", true, 1}};
    for (const Case& c : cases) {
        PinnedRegionalSettings region;
        ASSERT_TRUE(c.us ? region.Us() : region.German());
        const std::string bytes = ReadFileBytes(Fixture(c.fixture));
        ASSERT_FALSE(bytes.empty()) << Fixture(c.fixture);
        ASSERT_TRUE(WriteFileBytes(file_, bytes));
        BackupStore store(parser_);
        store.LoadBackupFile();
        ASSERT_EQ(store.List().Snapshots.size(), 1u) << c.fixture;
        const Snapshot& snapshot = store.List().Snapshots[0];
        EXPECT_EQ(snapshot.Timestamp, At(2010, 2, 1, 10, 20, 30)) << c.fixture;
        ASSERT_EQ(snapshot.Entries.size(), c.entries) << c.fixture;
        if (c.entries) {
            EXPECT_EQ(snapshot.Entries[0].name, "Updater");
            EXPECT_EQ(snapshot.Entries[0].command, "C:\\Tools\\upd.exe /s");
            EXPECT_EQ(snapshot.Entries[0].kind, 11);
            EXPECT_EQ(snapshot.Entries[0].active, 1);
        }
        ASSERT_TRUE(DeleteFileA(file_.c_str()));
        store.SaveBackupFile();
        EXPECT_EQ(ReadFileBytes(file_), bytes) << c.fixture;
    }
}

TEST_F(BackupStoreTest, DeletingTheLastSnapshotLeavesAnEmptyListThatTheNextStartFills) {
    ASSERT_TRUE(WriteFileBytes(file_, ReadFileBytes(Fixture("one-entry-german.xml"))));
    BackupStore store(parser_);
    store.LoadBackupFile();
    store.List().Snapshots.erase(store.List().Snapshots.begin());
    store.SaveBackupFile();
    EXPECT_EQ(ReadFileBytes(file_), std::string(kDeclaration) + "<xml>\r\n  <list />\r\n</xml>\r\n");

    BackupStore nextStart(parser_);
    nextStart.StartBackups();
    EXPECT_EQ(FileList().Snapshots.size(), 1u);
}

struct FaultCase {
    const char* what;
    std::string bytes;
    bool notXml;             // the reader refuses the file itself
    size_t snapshotsBefore;  // complete snapshots ahead of the fault
};

std::vector<FaultCase> FaultCases() {
    const std::string good = "<object><datum>01.02.2010 10:20:30</datum></object>\r\n";
    const std::string head = std::string(kDeclaration) + "<xml>\r\n<list>\r\n" + good;
    const std::string tail = "</list>\r\n</xml>\r\n";
    const std::string entry = "<active>true</active><kind>11</kind><name>n</name><command>c</command>";
    return {
        {"empty file", "", true, 0},
        {"no declaration", "<xml>\r\n<list />\r\n</xml>\r\n", true, 0},
        {"declaration only", kDeclaration, true, 0},
        {"lines ending in LF alone", "<?xml version=\"1.0\"?>\n<xml>\n<list />\n</xml>\n", true, 0},
        {"nothing after the declaration", std::string(kDeclaration) + "\r\n\r\n\r\n", false, 0},
        {"no xml element", std::string(kDeclaration) + "<backup><list /></backup>\r\n", false, 0},
        {"no datum", head + "<object><launcher0>" + entry + "</launcher0></object>\r\n" + tail, false, 1},
        {"US datum under German settings", head + "<object><datum>2/1/2010 10:20:30 AM</datum></object>\r\n" + tail,
         false, 1},
        {"extra child", head + "<object><datum>01.02.2010</datum><note /></object>\r\n" + tail, false, 1},
        {"missing command",
         head +
             "<object><datum>01.02.2010</datum><launcher0><active>true</active><kind>11</kind><name>n</name>"
             "</launcher0></object>\r\n" +
             tail,
         false, 1},
        {"kind no number",
         head +
             "<object><datum>01.02.2010</datum><launcher0><active>true</active><kind>elf</kind><name>n</name>"
             "<command>c</command></launcher0></object>\r\n" +
             tail,
         false, 1},
    };
}

TEST_F(BackupStoreTest, ALoadFaultStopsTheStartLeavesTheFileAndTravelsUp) {
    for (const FaultCase& c : FaultCases()) {
        ASSERT_TRUE(WriteFileBytes(file_, c.bytes));
        BackupStore store(parser_);
        try {
            store.StartBackups();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EXMLException& error) {
            EXPECT_TRUE(c.notXml) << c.what;
            EXPECT_EQ(std::string(error.what()), "\"" + file_ + "\" ist keine g\xFCltige XML-Datei!") << c.what;
        } catch (const EBackupFileError& error) {
            EXPECT_FALSE(c.notXml) << c.what;
            EXPECT_EQ(std::string(error.what()).rfind("\"" + file_ + "\" ist keine g\xFCltige Backup-Datei: ", 0), 0u)
                << c.what << ": " << error.what();
        }
        EXPECT_EQ(ReadFileBytes(file_), c.bytes) << c.what;
        EXPECT_FALSE(FileExists(file_ + ".new")) << c.what;
        EXPECT_FALSE(FileExists(UnreadableFile())) << c.what;
        EXPECT_EQ(store.List().Snapshots.size(), c.snapshotsBefore) << c.what;

        BackupStore again(parser_);
        EXPECT_NE(StartBackupsReportingError(again), "") << c.what;
        EXPECT_EQ(ReadFileBytes(file_), c.bytes) << c.what;
    }
}

TEST_F(BackupStoreTest, AFileThatCannotBeOpenedStaysAndTheErrorTravelsUp) {
    const std::string bytes = ReadFileBytes(Fixture("one-entry-german.xml"));
    ASSERT_TRUE(WriteFileBytes(file_, bytes));
    {
        ScopedFile lock(CreateFileA(file_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock.valid());
        BackupStore store(parser_);
        EXPECT_THROW(store.StartBackups(), EInOutError);
    }
    EXPECT_EQ(ReadFileBytes(file_), bytes);
}

TEST_F(BackupStoreTest, ALaterSaveKeepsTheUnreadableFileBesideTheNewOne) {
    const FaultCase fault = FaultCases()[6];  // a snapshot without datum after a good one
    ASSERT_TRUE(WriteFileBytes(file_, fault.bytes));
    BackupStore store(parser_);
    EXPECT_THROW(store.StartBackups(), EBackupFileError);

    store.AddSnapshot();  // the backup command of the same run
    EXPECT_EQ(ReadFileBytes(UnreadableFile()), fault.bytes);
    EXPECT_EQ(FileList().Snapshots.size(), 2u);  // the good snapshot and the new one

    store.AddSnapshot();  // the copy is made once: it still holds the unreadable file
    EXPECT_EQ(ReadFileBytes(UnreadableFile()), fault.bytes);
    EXPECT_EQ(FileList().Snapshots.size(), 3u);
}

TEST_F(BackupStoreTest, AFileThatCannotBeReplacedStaysAndTheListKeepsItsState) {
    const std::string bytes = ReadFileBytes(Fixture("one-entry-german.xml"));
    ASSERT_TRUE(WriteFileBytes(file_, bytes));
    BackupStore store(parser_);
    store.LoadBackupFile();
    {
        // Held open without leave to delete or write: it can be neither replaced nor cut.
        ScopedFile hold(CreateFileA(file_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(hold.valid());
        EXPECT_THROW(store.AddSnapshot(), EInOutError);
    }
    EXPECT_EQ(ReadFileBytes(file_), bytes);
    EXPECT_FALSE(FileExists(file_ + ".new"));
    EXPECT_EQ(store.List().Snapshots.size(), 2u);
    store.SaveBackupFile();
    EXPECT_EQ(FileList().Snapshots.size(), 2u);
}

}  // namespace
