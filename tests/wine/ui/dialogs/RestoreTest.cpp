// The backup commands and the backup manager on the real locations and a real
// backup file: restores with switched-off entries, of an empty snapshot, with a
// refused location, with an unsavable file; deleting the last snapshot.
#include <map>

#include "DialogFixture.h"
#include "backup/BackupStore.h"
#include "blocking/BlockList.h"
#include "entries/StoredCommand.h"
#include "entries/WindowsSwitch.h"
#include "i18n/TranslationCatalogue.h"
#include "support/WineTestSupport.h"
#include "system/RegistryValues.h"
#include "ui/dialogs/DialogWindows.h"
#include "ui/dialogs/EntryChangeMessages.h"
#include "ui/dialogs/RestoreDialog.h"
#include "ui/win/ControlIds.h"
#include "ui/win/TextNumbers.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"

namespace dialogtest {
namespace {

using entrytest::GetValue;
using entrytest::KeyPathOf;
using entrytest::RootOf;
using testsupport::ReadFileBytes;

const char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class RestoreTest : public BackupDialogTest {
protected:
    std::string Line(int index) {
        HWND list = GetDlgItem(ui::TheRestoreDialog().hwnd(), kIdRestoreList);
        char text[512] = "";
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    int LineCount() {
        return static_cast<int>(
            SendMessageA(GetDlgItem(ui::TheRestoreDialog().hwnd(), kIdRestoreList), CB_GETCOUNT, 0, 0));
    }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(ui::TheRestoreDialog().hwnd(), id)) != FALSE; }
    static bool BlockCheckValuePresent() {
        for (const auto& value : ReadRegStringValues(HKEY_CURRENT_USER, kUserRunKey)) {
            if (value.first == kBlockCheckValueName) return true;
        }
        return false;
    }
};

TEST_F(RestoreTest, ARestoreBringsBackSwitchedOffEntriesRemovesNewOnesAndCanItselfBeUndone) {
    ASSERT_TRUE(AddEntry(AnEntry("Active", "C:\\bmtest\\active.exe")).ok());
    ASSERT_TRUE(AddEntry(AnEntry("Off", "C:\\bmtest\\off.exe").Kind(2).Active(0)).ok());
    ASSERT_TRUE(AddEntry(AnEntry("Machine", "C:\\bmtest\\machine.exe").Kind(24)).ok());
    std::string error;
    ASSERT_TRUE(ui::TakeSnapshot(*store_, error)) << error;
    const EntryList taken = Snapshots().at(0).Entries;

    // Changes after the backup.
    ASSERT_TRUE(DeleteEntry(Find("Active")).ok());
    ASSERT_TRUE(AddEntry(AnEntry("Newcomer", "C:\\bmtest\\new.exe").Kind(12)).ok());
    StartupEntry off = Find("Off");
    StartupEntry on = off;
    on.active = 1;
    ASSERT_TRUE(ReplaceEntry(off, on).ok());

    const ui::RestoreReport report = ui::RestoreSnapshot(*store_, 0);
    EXPECT_TRUE(report.complete());
    EXPECT_EQ(Find("Active").kind, 11);
    EXPECT_EQ(Find("Off").active, 0);
    EXPECT_EQ(Find("Off").kind, 2);
    EXPECT_EQ(Find("Machine").kind, 24);
    EXPECT_EQ(Find("Newcomer").kind, 0) << "an entry the snapshot does not hold is gone";
    EXPECT_EQ(EntryCount(), 3u);

    // The snapshot keeps its commands as taken; the state before the restore is the newest snapshot.
    ASSERT_EQ(Snapshots().size(), 2u);
    EXPECT_EQ(Snapshots().at(0).Entries.size(), taken.size());
    for (const StartupEntry& entry : Snapshots().at(0).Entries) {
        EXPECT_EQ(entry.command.find(DeactivationMarker()), std::string::npos) << entry.command;
    }
    const EntryList& undo = Snapshots().at(1).Entries;
    EXPECT_EQ(undo.size(), 3u);
    bool newcomerKept = false;
    for (const StartupEntry& entry : undo) newcomerKept = newcomerKept || entry.name == "Newcomer";
    EXPECT_TRUE(newcomerKept);
    // Restoring the same snapshot again gives the same result.
    EXPECT_TRUE(ui::RestoreSnapshot(*store_, 0).complete());
    EXPECT_EQ(Find("Off").active, 0);
    EXPECT_EQ(EntryCount(), 3u);
}

TEST_F(RestoreTest, AnEmptySnapshotRemovesEveryEntryAndTheLogonCheckFollowsTheBlockList) {
    Snapshots().emplace_back();  // no entries
    ASSERT_TRUE(AddEntry(AnEntry("One", "C:\\bmtest\\one.exe").Kind(1)).ok());
    ASSERT_TRUE(AddEntry(AnEntry("Two", "C:\\bmtest\\two.exe").Kind(32).Active(0)).ok());
    Block("C:\\bmtest\\blocked.exe");
    ASSERT_TRUE(BlockCheckValuePresent());

    const ui::RestoreReport report = ui::RestoreSnapshot(*store_, 0);
    EXPECT_TRUE(report.complete());
    // Only the logon check's own value is back: the block list still has a line.
    const EntryList left = CollectAllEntries();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].name, kBlockCheckValueName);
    EXPECT_NE(left[0].command.find(ExecutablePath()), std::string::npos);

    // With an empty block list, a snapshot that held the value does not bring it back.
    Unblock("C:\\bmtest\\blocked.exe");
    Snapshots().clear();
    Snapshots().emplace_back();
    Snapshots().back().Entries.push_back(AnEntry(kBlockCheckValueName, "C:\\old\\Bootmarshal.exe /blocklist"));
    EXPECT_TRUE(ui::RestoreSnapshot(*store_, 0).complete());
    EXPECT_FALSE(BlockCheckValuePresent());
}

// The registry refuses the logon check's value after a restore: the report
// says so, rather than calling the restore complete.
TEST_F(RestoreTest, ALogonCheckValueTheRegistryRefusesIsReported) {
    Snapshots().emplace_back();  // no entries
    Block("C:\\bmtest\\blocked.exe");
    ASSERT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, kUserRunKey, kBlockCheckValueName));
    SetRegistryWriteDenialForTests(
        [](HKEY root, const std::string& key) { return root == HKEY_CURRENT_USER && key == kUserRunKey; });
    const ui::RestoreReport report = ui::RestoreSnapshot(*store_, 0);
    SetRegistryWriteDenialForTests(nullptr);
    Unblock("C:\\bmtest\\blocked.exe");
    EXPECT_TRUE(report.started);
    EXPECT_FALSE(report.complete());
    EXPECT_EQ(report.notWritten, std::vector<std::string>{ui::LogonCheckNotSetText()});
    EXPECT_NE(report.notWritten[0].find(kBlockCheckValueName), std::string::npos);
}

TEST_F(RestoreTest, ARefusedLocationIsReportedAndTheOtherEntriesAreStillRestored) {
    ASSERT_TRUE(AddEntry(AnEntry("Stuck", "C:\\bmtest\\stuck.exe").Kind(21)).ok());
    Snapshots().emplace_back();
    Snapshots().back().Entries = {AnEntry("Wanted", "C:\\bmtest\\wanted.exe").Kind(22),
                                  AnEntry("Fine", "C:\\bmtest\\fine.exe").Active(0)};
    store_->SaveBackupFile();  // the list follows the file from here on
    SetRegistryWriteDenialForTests(DenyMachineKeys);
    const ui::RestoreReport report = ui::RestoreSnapshot(*store_, 0);
    SetRegistryWriteDenialForTests(nullptr);
    EXPECT_TRUE(report.started);
    ASSERT_EQ(report.notRemoved.size(), 1u);
    EXPECT_EQ(report.notRemoved[0].rfind("Stuck", 0), 0u);
    ASSERT_EQ(report.notWritten.size(), 1u);
    EXPECT_EQ(report.notWritten[0].rfind("Wanted", 0), 0u);
    // Each line says why.
    const std::string denied = GetText(Text::ReasonAccessDenied).substr(0, 20);
    EXPECT_NE(report.notWritten[0].find(denied), std::string::npos) << report.notWritten[0];
    EXPECT_NE(report.notRemoved[0].find(denied), std::string::npos) << report.notRemoved[0];
    EXPECT_EQ(Find("Fine").active, 0);
    EXPECT_EQ(Find("Stuck").kind, 21);

    // Through the dialog: the user is told which entries, not that all went well.
    ui::RestoreDialog& dialog = ui::TheRestoreDialog();
    dialog.Prepare(*store_);
    SendMessageA(GetDlgItem(dialog.hwnd(), kIdRestoreList), CB_SETCURSEL, 1, 0);  // the older one
    Prompts();
    SetRegistryWriteDenialForTests(DenyMachineKeys);
    Click(dialog.hwnd(), kIdRestoreRestore);
    SetRegistryWriteDenialForTests(nullptr);
    const auto prompts = Prompts();
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[0], GetText(Text::RestoreQuestion));
    EXPECT_NE(prompts[1].find("Wanted"), std::string::npos);
    EXPECT_NE(prompts[1].find("Stuck"), std::string::npos);
    EXPECT_EQ(prompts[1].find(GetText(Text::Restored)), std::string::npos);
}

// The list behind the dialog is refreshed right after the restore and before the
// message that says it is done, so that the message shows over the new list.
TEST_F(RestoreTest, TheListBehindIsRefreshedBeforeTheRestoreIsReported) {
    Snapshots().emplace_back();
    Snapshots().back().Entries = {AnEntry("Back", "C:\\bmtest\\back.exe")};
    std::vector<std::string> events;
    SetPromptResponderForTests([&events](const PromptRecord& prompt) {
        if (prompt.kind == PromptKind::Question || prompt.kind == PromptKind::Message) events.push_back(prompt.text);
        return true;
    });
    ui::SetEntriesChangedHandler(
        [&events, this] { events.push_back(Find("Back").kind == 11 ? "refresh, Back stored" : "refresh too early"); });
    ui::RestoreDialog& dialog = ui::TheRestoreDialog();
    dialog.Prepare(*store_);
    Click(dialog.hwnd(), kIdRestoreRestore);
    ui::SetEntriesChangedHandler(nullptr);
    EXPECT_EQ(events, (std::vector<std::string>{GetText(Text::RestoreQuestion), "refresh, Back stored",
                                                GetText(Text::Restored)}));
}

TEST_F(RestoreTest, ALongListOfEntriesNotRestoredGoesToTheInformationMessage) {
    Snapshots().emplace_back();
    for (int i = 0; i < 8; ++i) {
        Snapshots().back().Entries.push_back(AnEntry("Machine " + std::to_string(i), "C:\\bmtest\\m.exe").Kind(21));
    }
    ui::RestoreDialog& dialog = ui::TheRestoreDialog();
    dialog.Prepare(*store_);
    SetRegistryWriteDenialForTests(DenyMachineKeys);
    Click(dialog.hwnd(), kIdRestoreRestore);
    SetRegistryWriteDenialForTests(nullptr);
    const auto records = TakeRecordedPrompts();
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().kind, PromptKind::InfoMessage);
    EXPECT_EQ(records.back().text, GetText(Text::RestoreBackup));
    for (int i = 0; i < 8; ++i) {
        EXPECT_NE(records.back().detail.find("Machine " + std::to_string(i)), std::string::npos) << i;
    }
}

TEST_F(RestoreTest, WhenTheUndoSnapshotCannotBeSavedTheRestoreDoesNotStart) {
    ASSERT_TRUE(AddEntry(AnEntry("Keep", "C:\\bmtest\\keep.exe")).ok());
    Snapshots().emplace_back();  // empty: a restore would remove everything
    ASSERT_TRUE(CreateDirectoryA(file_.c_str(), nullptr)) << "a folder where the file should go";
    const ui::RestoreReport report = ui::RestoreSnapshot(*store_, 0);
    EXPECT_FALSE(report.started);
    EXPECT_FALSE(report.error.empty());
    EXPECT_EQ(Find("Keep").kind, 11);
    EXPECT_EQ(Snapshots().size(), 1u);
}

TEST_F(RestoreTest, TheListShowsNewestFirstAndDeletingTheLastSnapshotLeavesAnEmptyListFile) {
    Snapshots().resize(2);
    Snapshots()[0].Timestamp = LocalDateTime{2010, 2, 1, 10, 20, 30, 0};
    Snapshots()[1].Timestamp = LocalDateTime{2011, 3, 4, 5, 6, 7, 0};
    Snapshots()[1].Entries = {AnEntry("a", "C:\\a.exe"), AnEntry("b", "C:\\b.exe")};
    store_->SaveBackupFile();
    ui::RestoreDialog& dialog = ui::TheRestoreDialog();
    dialog.Prepare(*store_);
    ASSERT_EQ(LineCount(), 2);
    EXPECT_EQ(Line(0), GetText(Text::BackupOf) + " 3/4/2011 5:06:07 AM (2 " + GetText(Text::Entries) + ")");
    EXPECT_EQ(Line(1), GetText(Text::BackupOf) + " 2/1/2010 10:20:30 AM (0 " + GetText(Text::Entries) + ")");
    EXPECT_EQ(SendMessageA(GetDlgItem(dialog.hwnd(), kIdRestoreList), CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(Enabled(kIdRestoreDelete));

    answer_ = false;
    Click(dialog.hwnd(), kIdRestoreDelete);
    EXPECT_EQ(Prompts(), std::vector<std::string>{GetText(Text::DeleteQuestion)});
    EXPECT_EQ(LineCount(), 2);

    answer_ = true;
    Click(dialog.hwnd(), kIdRestoreDelete);
    EXPECT_EQ(Prompts(), (std::vector<std::string>{GetText(Text::DeleteQuestion), GetText(Text::Deleted)}));
    ASSERT_EQ(LineCount(), 1);
    EXPECT_EQ(Snapshots().at(0).Timestamp.year, 2010);
    Click(dialog.hwnd(), kIdRestoreDelete);
    EXPECT_EQ(LineCount(), 0);
    EXPECT_FALSE(Enabled(kIdRestoreDelete));
    EXPECT_FALSE(Enabled(kIdRestoreRestore));
    EXPECT_NE(ReadFileBytes(file_).find("<list />"), std::string::npos) << ReadFileBytes(file_);
}

TEST_F(RestoreTest, ADeleteWhoseSaveFailsKeepsTheSnapshotAndNamesTheFile) {
    Snapshots().resize(1);
    ASSERT_TRUE(CreateDirectoryA(file_.c_str(), nullptr));
    ui::RestoreDialog& dialog = ui::TheRestoreDialog();
    dialog.Prepare(*store_);
    Click(dialog.hwnd(), kIdRestoreDelete);
    const auto prompts = Prompts();
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_NE(prompts[1].find(file_), std::string::npos);
    EXPECT_EQ(Snapshots().size(), 1u);
    EXPECT_EQ(LineCount(), 1);
}

TEST_F(RestoreTest, MakingABackupAddsASnapshotOfAllEntriesAndSaysSo) {
    ASSERT_TRUE(AddEntry(AnEntry("Saved", "C:\\bmtest\\saved.exe").Kind(13)).ok());
    ui::MakeBackup(nullptr);
    const auto records = TakeRecordedPrompts();
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records.front().kind, PromptKind::TimedWait);
    EXPECT_EQ(records.front().text, GetText(Text::MakingBackup));
    EXPECT_EQ(records.back().text, GetText(Text::BackupMade));
    ASSERT_EQ(Snapshots().size(), 1u);
    EXPECT_EQ(Snapshots()[0].Entries.size(), 1u);
    EXPECT_NE(ReadFileBytes(file_).find("saved.exe"), std::string::npos);
}

// A snapshot keeps who switched each entry off and each value's type, so the
// restore puts every entry back through its own mechanism; the same after the
// program was started again (nothing is remembered in memory).
TEST_F(RestoreTest, ARestoreFromTheFileBringsBackEachEntrysMechanismAndValueType) {
    const std::string run = KeyPathOf(11);
    const std::string approvedRun = std::string(entrytest::kStartupApprovedKey) + "\\Run";
    entrytest::SetString(HKEY_CURRENT_USER, run, "Percent", "\"C:\\bmtest\\p.exe\" %NOT_EXPANDED%", REG_SZ);
    entrytest::SetString(HKEY_CURRENT_USER, run, "ExpandPlain", "\"C:\\bmtest\\e.exe\"", REG_EXPAND_SZ);
    entrytest::SetString(HKEY_CURRENT_USER, run, "Expand", "\"%SystemRoot%\\x.exe\"", REG_EXPAND_SZ);
    entrytest::SetString(HKEY_CURRENT_USER, run, "ByWindows", "\"C:\\bmtest\\w.exe\"");
    const std::string off("\x03\0\0\0\x11\x22\x33\x44\x55\x66\x77\x08", 12);
    entrytest::SetValue(HKEY_CURRENT_USER, approvedRun, "ByWindows", REG_BINARY, off.data(), 12);
    entrytest::SetString(HKEY_CURRENT_USER, run + "\\AutorunsDisabled", "ByOtherTool", "\"C:\\bmtest\\o.exe\"");
    ASSERT_TRUE(AddEntry(AnEntry("ByMe", "\"C:\\bmtest\\m.exe\"").Active(0)).ok());
    const char binary[] = {1, 2, 3};
    entrytest::SetValue(HKEY_CURRENT_USER, run, "Binary", REG_BINARY, binary, 3);
    entrytest::SetValue(HKEY_CURRENT_USER, run, "GoneBinary", REG_BINARY, binary, 3);
    ASSERT_EQ(Find("ByWindows").offBy, SwitchedOffBy::Windows);
    ASSERT_EQ(Find("ByOtherTool").offBy, SwitchedOffBy::OtherTool);
    std::string error;
    ASSERT_TRUE(ui::TakeSnapshot(*store_, error)) << error;

    // Everything changed after the backup; then the program starts again.
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (entry.name != "Binary" && entry.name != "GoneBinary") {
            ASSERT_TRUE(DeleteEntry(entry).ok()) << entry.name;
        }
    }
    entrytest::SetString(HKEY_CURRENT_USER, run, "GoneBinary", "C:\\bmtest\\replaced.exe");
    ASSERT_TRUE(DeleteEntry(Find("GoneBinary")).ok());
    ASSERT_TRUE(AddEntry(AnEntry("Later", "C:\\bmtest\\later.exe")).ok());
    BackupStore restarted(parser_, file_);
    restarted.LoadBackupFile();
    ASSERT_EQ(restarted.List().Snapshots.size(), 1u);

    const ui::RestoreReport report = ui::RestoreSnapshot(restarted, 0);
    EXPECT_TRUE(report.started);
    EXPECT_TRUE(report.notRemoved.empty());
    ASSERT_EQ(report.notWritten.size(), 1u) << "only the value a snapshot has no data of";
    EXPECT_EQ(report.notWritten[0].rfind("GoneBinary", 0), 0u);
    EXPECT_NE(report.notWritten[0].find(GetText(Text::ReasonValueNotInBackup)), std::string::npos);

    using Value = std::pair<DWORD, std::string>;
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, run, "Percent"), Value(REG_SZ, "\"C:\\bmtest\\p.exe\" %NOT_EXPANDED%"));
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, run, "ExpandPlain"), Value(REG_EXPAND_SZ, "\"C:\\bmtest\\e.exe\""));
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, run, "Expand"), Value(REG_EXPAND_SZ, "\"%SystemRoot%\\x.exe\""));
    // Windows' switch keeps it off; the value itself carries no marker.
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, run, "ByWindows"), Value(REG_SZ, "\"C:\\bmtest\\w.exe\""));
    RawRegistryValue approved;
    ASSERT_TRUE(ReadRegRawValue(HKEY_CURRENT_USER, approvedRun, "ByWindows", approved));
    EXPECT_TRUE(WindowsSwitchSaysOff(approved.bytes));
    EXPECT_EQ(Find("ByWindows").offBy, SwitchedOffBy::Windows);
    // Back in the other tool's place, and not in the key itself.
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, run + "\\AutorunsDisabled", "ByOtherTool"),
              Value(REG_SZ, "\"C:\\bmtest\\o.exe\""));
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, run, "ByOtherTool").first, 0u);
    EXPECT_EQ(Find("ByMe").offBy, SwitchedOffBy::ThisProgram);
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, run, "ByMe").second, DeactivationMarker() + "\"C:\\bmtest\\m.exe\"");
    // A value that is not text is never touched.
    RawRegistryValue kept;
    ASSERT_TRUE(ReadRegRawValue(HKEY_CURRENT_USER, run, "Binary", kept));
    EXPECT_EQ(kept.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(kept.bytes, std::string(binary, 3));
    EXPECT_EQ(Find("Later").kind, 0);
}

// Blanks at either end of a name or command are the entry's own: " Lead" is
// another entry than "Lead", and neither may overwrite the other on the way
// back from the file.
TEST_F(RestoreTest, NamesAndCommandsWithBlanksAtTheirEndsComeBackExactly) {
    const std::string run = KeyPathOf(11);
    const std::pair<const char*, const char*> values[] = {
        {"Lead", "\"C:\\bmtest\\real.exe\""},
        {" Lead", "\"C:\\bmtest\\blank.exe\""},
        {"Lead  ", "\"C:\\bmtest\\trail.exe\" /x"},
    };
    for (const auto& value : values) entrytest::SetString(HKEY_CURRENT_USER, run, value.first, value.second);
    const std::string spaced = " \"C:\\bmtest\\spaced.exe\" /x  ";
    entrytest::SetString(HKEY_CURRENT_USER, run, "Spaced", spaced);
    std::string error;
    ASSERT_TRUE(ui::TakeSnapshot(*store_, error)) << error;
    for (const auto& value : values) DeleteRegValue(HKEY_CURRENT_USER, run, value.first);

    BackupStore restarted(parser_, file_);
    restarted.LoadBackupFile();
    ASSERT_EQ(restarted.List().Snapshots.size(), 1u);
    std::map<std::string, std::string> read;
    for (const StartupEntry& entry : restarted.List().Snapshots[0].Entries) read[entry.name] = entry.command;
    std::map<std::string, std::string> written = {{"Spaced", spaced}};
    for (const auto& value : values) written[value.first] = value.second;
    EXPECT_EQ(read, written) << "the file gives back every name and command as taken";

    const ui::RestoreReport report = ui::RestoreSnapshot(restarted, 0);
    EXPECT_TRUE(report.complete());
    for (const auto& value : values) {
        EXPECT_EQ(GetValue(HKEY_CURRENT_USER, run, value.first),
                  std::make_pair(DWORD(REG_SZ), std::string(value.second)))
            << "[" << value.first << "]";
    }
    EXPECT_EQ(entrytest::ValueCount(HKEY_CURRENT_USER, run), 4u);
}

// A value that is not text is no entry a restore removes: a snapshot could never
// bring its data back. The report says it is still there and why.
TEST_F(RestoreTest, ARestoreLeavesValuesThatAreNotTextAndSaysSo) {
    const char number[] = {7, 0, 0, 0};
    entrytest::SetValue(HKEY_CURRENT_USER, KeyPathOf(11), "Number", REG_DWORD, number, 4);
    Snapshots().emplace_back();
    store_->SaveBackupFile();
    const ui::RestoreReport report = ui::RestoreSnapshot(*store_, 0);
    EXPECT_TRUE(report.started);
    ASSERT_EQ(report.notRemoved.size(), 1u);
    EXPECT_EQ(report.notRemoved[0].rfind("Number", 0), 0u);
    EXPECT_NE(report.notRemoved[0].find(GetText(Text::ReasonNotAStringValue)), std::string::npos);
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(11), "Number").first, static_cast<DWORD>(REG_DWORD));
}

// An unreadable backup file is kept aside before the first change replaces it,
// and the message says where it went, not that all is well.
TEST_F(RestoreTest, AfterAnUnreadableFileTheMessagesSayWhereItWasKept) {
    const std::string unreadable = "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<backup />\r\n";
    ASSERT_TRUE(testsupport::WriteFileBytes(file_, unreadable));
    EXPECT_NE(StartBackupsReportingError(*store_), "");
    ui::MakeBackup(nullptr);
    const std::string kept = store_->KeptAside();
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(ReadFileBytes(kept), unreadable);
    const auto records = TakeRecordedPrompts();
    ASSERT_FALSE(records.empty());
    EXPECT_NE(records.back().text.find(kept), std::string::npos) << records.back().text;
    EXPECT_EQ(records.back().text.find(GetText(Text::BackupMade)), std::string::npos) << records.back().text;
    DeleteFileA(kept.c_str());
    EXPECT_EQ(Snapshots().size(), 1u);

    // The same for a deletion: of a snapshot read before the fault.
    std::string damaged = ReadFileBytes(file_);
    const size_t listEnd = damaged.find("</list>");
    ASSERT_NE(listEnd, std::string::npos) << damaged;
    damaged.insert(listEnd, "<object><launcher0 /></object>\r\n");
    ASSERT_TRUE(testsupport::WriteFileBytes(file_, damaged));
    ui::RestoreDialog& dialog = ui::TheRestoreDialog();
    dialog.Prepare(*store_);
    Prompts();
    Click(dialog.hwnd(), kIdRestoreDelete);
    const auto prompts = Prompts();
    ASSERT_EQ(prompts.size(), 2u);
    ASSERT_FALSE(store_->KeptAside().empty());
    EXPECT_NE(prompts[1].find(store_->KeptAside()), std::string::npos) << prompts[1];
    EXPECT_EQ(ReadFileBytes(store_->KeptAside()), damaged);
    EXPECT_TRUE(Snapshots().empty());
    DeleteFileA(store_->KeptAside().c_str());
}

}  // namespace
}  // namespace dialogtest
