// A family of locations that only this test knows: one unit (below) and one row
// of the location table, registered through the test seam of
// entries/LocationFamily.h. The catalogue lists it, the change routine switches,
// renames and moves its entries, the backup store keeps them and the watcher
// asks it to watch, with no other code knowing it is there.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "backup/BackupStore.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/LocationFamily.h"
#include "entries/LocationWatcher.h"
#include "entries/StoredCommand.h"
#include "system/DataFolder.h"
#include "system/TextCase.h"
#include "wine/entries/LocationsFixture.h"
#include "xml/XmlParser.h"

using namespace entrytest;

namespace {

const int32_t kNotedKind = 91;
const char kNotebook[] = "notebook of the test family";

// Entries kept in memory by name (case ignored, as registry and file names):
// the stored text is the command with the marker in front when switched off.
class NotebookFamily final : public LocationFamily {
public:
    struct Note {
        std::string name;
        std::string text;
    };
    std::map<std::string, Note> notes;  // by upper-cased name
    bool refuseWrites = false;
    std::vector<int32_t> watchedKinds;

    void Put(const std::string& name, const std::string& text) { notes[TextKey(name)] = Note{name, text}; }
    std::string TextOf(const std::string& name) const {
        const auto found = notes.find(TextKey(name));
        return found == notes.end() ? "<none>" : found->second.text;
    }

    EntryList List(int32_t kind, EntryPlace place) const override {
        EntryList entries;
        if (place != EntryPlace::Location) return entries;
        for (const auto& [key, note] : notes) {
            StartupEntry entry;
            entry.name = note.name;
            entry.command = note.text;
            entry.active = 1;
            entry.kind = kind;
            entries.push_back(entry);
        }
        return entries;
    }
    bool HasAutorunsDisabledPlace() const override { return false; }
    std::string Path(int32_t, EntryPlace) const override { return kNotebook; }
    bool NamesSlots() const override { return true; }

    struct Held : StoredForm {
        std::string name, text;
        bool Text(std::string& out) const override {
            out = text;
            return true;
        }
    };

    ChangeReason ReadListed(const StartupEntry& listed, bool, const ReadsAsListedFn& readsAsListed,
                            std::unique_ptr<StoredForm>& held) const override {
        const auto found = notes.find(TextKey(listed.name));
        if (found == notes.end() || !readsAsListed(found->second.text)) return ChangeReason::ChangedSinceListing;
        auto form = std::make_unique<Held>();
        form->name = found->second.name;
        form->text = found->second.text;
        held = std::move(form);
        return ChangeReason::None;
    }
    bool Exists(int32_t, const std::string& name, EntryPlace) const override { return notes.count(TextKey(name)) != 0; }
    ChangeReason CheckStorable(const StartupEntry& entry) const override {
        return entry.name.empty() ? ChangeReason::NameNotStorable : ChangeReason::None;
    }
    std::unique_ptr<StoredForm> WorkOutStored(const StartupEntry& entry, bool active, const StoredForm*,
                                              bool) const override {
        auto form = std::make_unique<Held>();
        form->name = entry.name;
        form->text = StoredWinIniItem(entry.command, active);
        return form;
    }
    WriteOutcome Write(const StartupEntry& entry, const StoredForm& stored) const override {
        if (refuseWrites) return WriteOutcome::Denied();
        const_cast<NotebookFamily*>(this)->Put(entry.name, static_cast<const Held&>(stored).text);
        return WriteOutcome::Done();
    }
    WriteOutcome Remove(const StartupEntry& listed, const StoredForm&) const override {
        const_cast<NotebookFamily*>(this)->notes.erase(TextKey(listed.name));
        return WriteOutcome::Done();
    }
    WriteOutcome PutBack(const StartupEntry& listed, const StoredForm& held) const override {
        const_cast<NotebookFamily*>(this)->Put(listed.name, static_cast<const Held&>(held).text);
        return WriteOutcome::Done();
    }
    void Watch(int32_t kind, LocationWatcher&) const override {
        const_cast<NotebookFamily*>(this)->watchedKinds.push_back(kind);
    }
};

class LocationFamilyTest : public LocationsTest {
protected:
    void SetUp() override {
        LocationsTest::SetUp();
        //                               family (taken as Registered)  machine runOnce notNt view32 folder files
        RegisterLocationFamilyForTests(
            {kNotedKind, LocationFamilyId::Registered, false, false, false, false, false, false}, notebook_);
        notebook_.Put("Alpha", "C:\\Apps\\alpha.exe -x");
        notebook_.Put("Beta", DeactivationMarker() + "C:\\Apps\\beta.exe");
    }
    void TearDown() override {
        ForgetRegisteredLocationFamiliesForTests();
        LocationsTest::TearDown();
    }

    static const StartupEntry* Find(const EntryList& entries, int32_t kind, const std::string& name) {
        const auto found = std::find_if(entries.begin(), entries.end(), [&](const StartupEntry& entry) {
            return entry.kind == kind && entry.name == name;
        });
        return found == entries.end() ? nullptr : &*found;
    }

    NotebookFamily notebook_;
};

TEST_F(LocationFamilyTest, IsListedAfterTheFamiliesOfOldWithItsStateReadFromTheMarker) {
    SetString(RootOf(kUserRun), KeyPathOf(kUserRun), "Tool", "C:\\Apps\\tool.exe");
    const EntryList all = CollectAllEntries();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].kind, kUserRun) << "rows are collected in table order, the new one last";
    const StartupEntry* alpha = Find(all, kNotedKind, "Alpha");
    const StartupEntry* beta = Find(all, kNotedKind, "Beta");
    ASSERT_TRUE(alpha && beta);
    EXPECT_EQ(alpha->command, "C:\\Apps\\alpha.exe -x");
    EXPECT_EQ(alpha->active, 1);
    EXPECT_EQ(beta->command, "C:\\Apps\\beta.exe");
    EXPECT_EQ(beta->active, 0);
    EXPECT_EQ(beta->offBy, SwitchedOffBy::ThisProgram);
}

TEST_F(LocationFamilyTest, SwitchesOffAndOnThroughTheChangeRoutine) {
    const StartupEntry alpha = *Find(CollectAllEntries(), kNotedKind, "Alpha");
    StartupEntry off = alpha;
    off.active = 0;
    const ChangeResult switchedOff = ReplaceEntry(alpha, off);
    ASSERT_TRUE(switchedOff.ok());
    EXPECT_EQ(switchedOff.location, kNotebook);
    EXPECT_EQ(notebook_.TextOf("Alpha"), DeactivationMarker() + "C:\\Apps\\alpha.exe -x");

    const StartupEntry listedOff = *Find(CollectAllEntries(), kNotedKind, "Alpha");
    EXPECT_EQ(listedOff.active, 0);
    StartupEntry on = listedOff;
    on.active = 1;
    ASSERT_TRUE(ReplaceEntry(listedOff, on).ok());
    EXPECT_EQ(notebook_.TextOf("Alpha"), "C:\\Apps\\alpha.exe -x");

    EXPECT_EQ(ReplaceEntry(listedOff, on).reason, ChangeReason::ChangedSinceListing)
        << "the listed state is checked against the family's stored text";
}

TEST_F(LocationFamilyTest, RenamesGuardNamesAndPutTheOldEntryBackWhenTheWriteIsRefused) {
    const StartupEntry alpha = *Find(CollectAllEntries(), kNotedKind, "Alpha");
    StartupEntry taken = alpha;
    taken.name = "BETA";
    EXPECT_EQ(ReplaceEntry(alpha, taken).reason, ChangeReason::NameTaken);

    StartupEntry renamed = alpha;
    renamed.name = "Gamma";
    notebook_.refuseWrites = true;
    const ChangeResult refused = ReplaceEntry(alpha, renamed);
    EXPECT_EQ(refused.reason, ChangeReason::AccessDenied);
    EXPECT_FALSE(refused.oldEntryLost);
    EXPECT_EQ(notebook_.TextOf("Alpha"), "C:\\Apps\\alpha.exe -x");
    EXPECT_EQ(notebook_.TextOf("Gamma"), "<none>");

    notebook_.refuseWrites = false;
    ASSERT_TRUE(ReplaceEntry(alpha, renamed).ok());
    EXPECT_EQ(notebook_.TextOf("Alpha"), "<none>");
    EXPECT_EQ(notebook_.TextOf("Gamma"), "C:\\Apps\\alpha.exe -x");
}

TEST_F(LocationFamilyTest, MovesToAndFromAFamilyOfOld) {
    const StartupEntry alpha = *Find(CollectAllEntries(), kNotedKind, "Alpha");
    StartupEntry moved = alpha;
    moved.kind = kUserRun;
    ASSERT_TRUE(ReplaceEntry(alpha, moved).ok());
    EXPECT_EQ(notebook_.TextOf("Alpha"), "<none>");
    EXPECT_EQ(GetValue(RootOf(kUserRun), KeyPathOf(kUserRun), "Alpha").second, "C:\\Apps\\alpha.exe -x")
        << "the registry family stores the command as it stands";

    const StartupEntry listed = *Find(CollectAllEntries(), kUserRun, "Alpha");
    StartupEntry back = listed;
    back.kind = kNotedKind;
    back.active = 0;
    ASSERT_TRUE(ReplaceEntry(listed, back).ok());
    EXPECT_EQ(GetValue(RootOf(kUserRun), KeyPathOf(kUserRun), "Alpha").first, 0u);
    EXPECT_EQ(notebook_.TextOf("Alpha"), DeactivationMarker() + "C:\\Apps\\alpha.exe -x");
}

TEST_F(LocationFamilyTest, IsBackedUpAndRestoredFromTheBackupFile) {
    ASSERT_TRUE(PrepareDataFolder("Bootmarshal", false));
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    const std::string file = DataFolder("Bootmarshal") + "LocationFamilyTest.xml";
    {
        BackupStore store(parser, file);
        store.AddSnapshot();
    }
    BackupStore reader(parser, file);
    reader.LoadBackupFile();
    DeleteFileA(file.c_str());
    ASSERT_EQ(reader.List().Snapshots.size(), 1u);
    const EntryList& saved = reader.List().Snapshots[0].Entries;
    const StartupEntry* beta = Find(saved, kNotedKind, "Beta");
    ASSERT_TRUE(beta);
    EXPECT_EQ(beta->command, "C:\\Apps\\beta.exe");
    EXPECT_EQ(beta->active, 0);

    const StartupEntry listed = *Find(CollectAllEntries(), kNotedKind, "Beta");
    ASSERT_TRUE(DeleteEntry(listed).ok());
    EXPECT_EQ(notebook_.TextOf("Beta"), "<none>");
    ASSERT_TRUE(AddEntry(*beta).ok()) << "restoring adds the saved entry back";
    EXPECT_EQ(notebook_.TextOf("Beta"), DeactivationMarker() + "C:\\Apps\\beta.exe");
}

TEST_F(LocationFamilyTest, IsAskedToWatchItsKind) {
    LocationWatcher watcher;
    watcher.Arm();
    EXPECT_EQ(notebook_.watchedKinds, std::vector<int32_t>{kNotedKind});
    EXPECT_EQ(LocationPath(kNotedKind), kNotebook);
}

}  // namespace
