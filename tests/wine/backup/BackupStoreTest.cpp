// The backup store against the real thing: the data folder's backup file, the
// entries of the test prefix's autostart locations, the user's regional
// settings (pinned to Windows' German pictures unless a test says otherwise).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>
#include <thread>

#include "backup/BackupStore.h"
#include "backup/LocaleFormats.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/StoredCommand.h"
#include "support/Processes.h"
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
        for (const std::string& f : {file_, file_ + ".new"}) DeleteFileA(f.c_str());
        for (const std::string& f : KeptFiles()) DeleteFileA(f.c_str());
    }
    // The unreadable files kept beside the backup file, by name.
    static std::set<std::string> KeptFiles() {
        std::set<std::string> kept;
        const std::string folder = DataFolder("Bootmarshal");
        WIN32_FIND_DATAA found;
        const HANDLE search = FindFirstFileA((folder + "BootmarshalBackup.unreadable*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return kept;
        do {
            kept.insert(folder + found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return kept;
    }

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
        EXPECT_TRUE(KeptFiles().empty()) << c.what;
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

// "BootmarshalBackup.unreadable-<yyyy>-<mm>-<dd>-<hhmm>[-<n>].xml" of today.
bool IsKeptFileName(const std::string& path, const SYSTEMTIME& today) {
    char head[64];
    snprintf(head, sizeof head, "BootmarshalBackup.unreadable-%04u-%02u-%02u-", today.wYear, today.wMonth, today.wDay);
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    if (name.rfind(head, 0) != 0 || name.size() < 4 || name.compare(name.size() - 4, 4, ".xml") != 0) return false;
    const std::string rest = name.substr(strlen(head), name.size() - strlen(head) - 4);  // "hhmm" or "hhmm-n"
    if (rest.size() < 4 || rest.find_first_not_of("0123456789") < 4) return false;
    return rest.size() == 4 ||
           (rest[4] == '-' && rest.size() > 5 && rest.find_first_not_of("0123456789", 5) == std::string::npos);
}

TEST_F(BackupStoreTest, EachUnreadableFileIsKeptUnderANameOfItsOwnBeforeASaveReplacesIt) {
    const FaultCase first = FaultCases()[6];   // a snapshot without datum after a good one
    const FaultCase second = FaultCases()[5];  // no xml element
    ASSERT_TRUE(WriteFileBytes(file_, first.bytes));
    BackupStore store(parser_);
    EXPECT_THROW(store.StartBackups(), EBackupFileError);
    EXPECT_TRUE(KeptFiles().empty()) << "the start writes nothing";

    SYSTEMTIME today;
    GetLocalTime(&today);
    store.AddSnapshot();  // the backup command of the same run
    std::set<std::string> kept = KeptFiles();
    ASSERT_EQ(kept.size(), 1u);
    const std::string firstKept = *kept.begin();
    EXPECT_EQ(store.KeptAside(), firstKept) << "the caller can say where it went";
    EXPECT_TRUE(IsKeptFileName(firstKept, today)) << firstKept;
    EXPECT_EQ(ReadFileBytes(firstKept), first.bytes);
    EXPECT_EQ(FileList().Snapshots.size(), 2u);  // the good snapshot and the new one

    store.AddSnapshot();  // the file is readable now: nothing more is kept
    EXPECT_EQ(KeptFiles(), kept);
    EXPECT_EQ(store.KeptAside(), "");
    EXPECT_EQ(FileList().Snapshots.size(), 3u);

    // A second unreadable file, in the same minute or not, never replaces the first one kept.
    ASSERT_TRUE(WriteFileBytes(file_, second.bytes));
    store.AddSnapshot();
    kept = KeptFiles();
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(ReadFileBytes(firstKept), first.bytes);
    kept.erase(firstKept);
    EXPECT_EQ(store.KeptAside(), *kept.begin());
    EXPECT_TRUE(IsKeptFileName(*kept.begin(), today)) << *kept.begin();
    EXPECT_EQ(ReadFileBytes(*kept.begin()), second.bytes);
    EXPECT_EQ(FileList().Snapshots.size(), 1u) << "nothing of the second file could be read";
}

TEST_F(BackupStoreTest, AFileThatCannotBeOpenedIsNeitherKeptAsideNorWrittenOver) {
    const std::string bytes = ReadFileBytes(Fixture("one-entry-german.xml"));
    ASSERT_TRUE(WriteFileBytes(file_, bytes));
    BackupStore store(parser_);
    store.LoadBackupFile();
    {
        ScopedFile lock(CreateFileA(file_.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock.valid());
        EXPECT_THROW(store.AddSnapshot(), EInOutError);
        EXPECT_THROW(store.TrimSnapshots(), EInOutError);
        EXPECT_THROW(store.DeleteSnapshot(store.List().Snapshots.at(0)), EInOutError);
    }
    EXPECT_EQ(ReadFileBytes(file_), bytes);
    EXPECT_TRUE(KeptFiles().empty());
    EXPECT_EQ(store.List().Snapshots.size(), 1u);
}

// Another copy of the program changed the file since this one read it: each
// change applies to the file as the other copy left it.
TEST_F(BackupStoreTest, EveryChangeAppliesToTheFileAsAnotherCopyLeftIt) {
    WriteFile({At(2010, 1, 1, 12, 0, 0), At(2010, 1, 2, 12, 0, 0)});
    BackupStore mine(parser_);
    mine.LoadBackupFile();
    const Snapshot shown = mine.List().Snapshots.at(1);  // 2 January, as this copy shows it

    BackupStore theirs(parser_);
    theirs.LoadBackupFile();
    theirs.AddSnapshot();                                               // a manual backup in the other copy
    ASSERT_TRUE(theirs.DeleteSnapshot(theirs.List().Snapshots.at(0)));  // and 1 January deleted there

    EXPECT_TRUE(mine.DeleteSnapshot(shown));
    SnapshotList list = FileList();
    ASSERT_EQ(list.Snapshots.size(), 1u) << "the other copy's backup stays, its deletion too";
    EXPECT_FALSE(list.Snapshots[0].Entries.empty());
    EXPECT_EQ(mine.List().Snapshots.size(), 1u) << "the list shows what the file holds";

    // What the other copy deleted already is gone as asked; nothing is written.
    const std::string before = ReadFileBytes(file_);
    EXPECT_FALSE(mine.DeleteSnapshot(shown));
    EXPECT_EQ(ReadFileBytes(file_), before);

    // Cutting to the fifteen newest counts the other copy's snapshots: its
    // backup of today and fourteen of sixteen in May 2012.
    std::vector<LocalDateTime> many;
    for (int day = 1; day <= 16; ++day) many.push_back(At(2012, 5, day, 8, 0, 0));
    BackupStore writer(parser_);
    for (const LocalDateTime& stamp : many) {
        Snapshot snapshot;
        snapshot.Timestamp = stamp;
        writer.AddSnapshot(snapshot);
    }
    mine.TrimSnapshots();
    list = FileList();
    ASSERT_EQ(list.Snapshots.size(), 15u);
    EXPECT_TRUE(At(2012, 5, 16, 8, 0, 0) < list.Snapshots[0].Timestamp);
    EXPECT_EQ(list.Snapshots[1].Timestamp, At(2012, 5, 16, 8, 0, 0));
    EXPECT_EQ(list.Snapshots[14].Timestamp, At(2012, 5, 3, 8, 0, 0));
}

// Two copies of the program changing the file at the same time (two windows,
// the copy with administrator rights): none loses the other's changes.
TEST_F(BackupStoreTest, TwoProcessesChangingTheFileAtOnceLoseNoChange) {
    constexpr int kChanges = 200;
    const std::string writer = "\"" + ProgramFolder() + "backup_writer.exe\" ";
    int exitCodes[2] = {-1, -1};
    std::thread first(
        [&] { exitCodes[0] = testsupport::RunProcess(writer + "first " + std::to_string(kChanges), 600000); });
    std::thread second(
        [&] { exitCodes[1] = testsupport::RunProcess(writer + "second " + std::to_string(kChanges), 600000); });
    first.join();
    second.join();
    ASSERT_EQ(exitCodes[0], 0) << "every change of the first writer was saved";
    ASSERT_EQ(exitCodes[1], 0) << "every change of the second writer was saved";

    std::multiset<std::string> expected;
    for (const std::string tag : {"first", "second"}) {
        for (int i = 0; i < kChanges; ++i) {
            if (i % 4 == 3) {
                expected.erase(tag + " " + std::to_string(i - 1));
            } else {
                expected.insert(tag + " " + std::to_string(i));
            }
        }
    }
    std::multiset<std::string> names;
    for (const Snapshot& snapshot : FileList().Snapshots) {
        ASSERT_EQ(snapshot.Entries.size(), 1u);
        names.insert(snapshot.Entries[0].name);
    }
    EXPECT_EQ(names, expected);
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
    EXPECT_TRUE(KeptFiles().empty()) << "a readable file is never kept aside";
    EXPECT_EQ(store.List().Snapshots.size(), 1u) << "the list shows what the file holds";
    store.AddSnapshot();
    EXPECT_EQ(FileList().Snapshots.size(), 2u);
}

}  // namespace
