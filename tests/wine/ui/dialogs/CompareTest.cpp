// What changed since a backup, on the real locations and a real backup file:
// the comparison the backup manager shows, and single entries brought back
// with every other location read back unchanged.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "DialogFixture.h"
#include "backup/BackupStore.h"
#include "backup/EntryBringBack.h"
#include "entries/EntryCatalogue.h"
#include "i18n/TranslationCatalogue.h"
#include "system/DataFolder.h"
#include "system/RegistryValues.h"
#include "system/TextRules.h"
#include "system/Utf8.h"
#include "ui/dialogs/CompareDialog.h"
#include "ui/dialogs/EntryChangeMessages.h"
#include "ui/dialogs/RestoreDialog.h"
#include "ui/main/MainWindowModel.h"
#include "ui/win/ControlIds.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"

namespace dialogtest {
namespace {

using entrytest::FolderItems;
using entrytest::FolderOf;
using entrytest::KeyPathOf;
using entrytest::RawWinIni;
using entrytest::ReadPlatformLink;
using entrytest::RootOf;

struct Line {
    std::string change, name, location, details;
};

class CompareTest : public BackupDialogTest {
protected:
    // One entry in each family, switched on and off, and a snapshot of them;
    // then an entry of each kind of difference.
    void SeedAndChange() {
        ASSERT_TRUE(AddEntry(AnEntry("Linked", "C:\\bmtest\\linked.exe /min").Kind(2)).ok());
        ASSERT_TRUE(AddEntry(AnEntry("User", "C:\\bmtest\\user.exe")).ok());
        ASSERT_TRUE(AddEntry(AnEntry("Machine", "C:\\bmtest\\machine.exe").Kind(21)).ok());
        ASSERT_TRUE(AddEntry(AnEntry("Loaded", "C:\\bmtest\\loaded.exe").Kind(12)).ok());
        // A win.ini item is named after its command.
        ASSERT_TRUE(AddEntry(AnEntry("CGONE.EXE", "C:\\GONE.EXE").Kind(31)).ok());
        ASSERT_TRUE(AddEntry(AnEntry("Stays", "C:\\bmtest\\stays.exe").Kind(12).Active(0)).ok());
        ASSERT_TRUE(AddEntry(AnEntry("Common", "C:\\bmtest\\common.exe").Kind(1)).ok());
        std::string error;
        ASSERT_TRUE(ui::TakeSnapshot(*store_, error)) << error;

        ASSERT_TRUE(DeleteEntry(Find("Linked")).ok());
        ASSERT_TRUE(DeleteEntry(Find("CGONE.EXE")).ok());
        StartupEntry machine = Find("Machine");
        StartupEntry changed = machine;
        changed.command = "C:\\bmtest\\machine2.exe";
        ASSERT_TRUE(ReplaceEntry(machine, changed).ok());
        StartupEntry user = Find("User");
        StartupEntry off = user;
        off.active = 0;
        ASSERT_TRUE(ReplaceEntry(user, off).ok());
        StartupEntry loaded = Find("Loaded");
        StartupEntry moved = loaded;
        moved.kind = 22;
        ASSERT_TRUE(ReplaceEntry(loaded, moved).ok());
        ASSERT_TRUE(AddEntry(AnEntry("CFRESH.EXE", "C:\\FRESH.EXE").Kind(32)).ok());
    }

    static std::vector<Line> Lines(HWND list) {
        std::vector<Line> lines;
        const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            std::string cells[4];
            for (int column = 0; column < 4; ++column) {
                wchar_t text[1024] = L"";
                LVITEMW item{};
                item.iSubItem = column;
                item.pszText = text;
                item.cchTextMax = 1024;
                SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
                cells[column] = Utf8FromWide(text);
            }
            lines.push_back({cells[0], cells[1], cells[2], cells[3]});
        }
        return lines;
    }
    static int LineOf(const std::vector<Line>& lines, const std::string& name) {
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].name == name) return static_cast<int>(i);
        }
        return -1;
    }
    static void Select(HWND list, int line) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&state));
    }

    // Every location as the platform itself reads it, but the items of the
    // name given: registry values with their text, links with their target,
    // win.ini's two lists whole (its load list not when the name is there).
    static std::vector<std::string> LocationsBut(const std::string& name, bool butLoad = false) {
        std::vector<std::string> items;
        for (int kind : {11, 12, 21, 22}) {
            for (const auto& value : ReadRegStringValues(RootOf(kind), KeyPathOf(kind))) {
                if (value.first != name) items.push_back(std::to_string(kind) + " " + value.first + "=" + value.second);
            }
        }
        for (int kind : {1, 2}) {
            for (const std::string& item : FolderItems(FolderOf(kind))) {
                if (item.rfind(name + ".", 0) == 0) continue;
                const entrytest::LinkFields link = ReadPlatformLink(FolderOf(kind) + item);
                items.push_back(std::to_string(kind) + " " + item + "=" + link.path + " " + link.arguments);
            }
        }
        if (!butLoad) items.push_back("load=" + RawWinIni("load"));
        items.push_back("run=" + RawWinIni("run"));
        std::sort(items.begin(), items.end());
        return items;
    }
};

TEST_F(CompareTest, TheWindowListsWhatWasAddedRemovedChangedAndMovedInEveryFamily) {
    SeedAndChange();
    ui::CompareDialog& dialog = ui::TheCompareDialog();
    dialog.Prepare(*store_, Snapshots().at(0).Entries, "01/02/2010 10:20:30");
    EXPECT_NE(ui::WindowTextOf(dialog.hwnd()).find("01/02/2010 10:20:30"), std::string::npos);
    const std::vector<Line> lines = Lines(dialog.Control(kIdCompareList));
    ASSERT_EQ(lines.size(), 6u);

    auto label = [](int kind) { return ui::LocationLabel(kind, GetText); };
    struct Expected {
        const char* name;
        int change;
        int kind;  // where the line says the entry is
        std::string details;
    };
    const Expected expected[] = {
        {"Linked", Text::ChangeRemoved, 2, ""},
        {"CGONE.EXE", Text::ChangeRemoved, 31, ""},
        {"Machine", Text::ChangeChanged, 21,
         FillPlaceholder(GetText(Text::DetailCommandBefore), "C:\\bmtest\\machine.exe")},
        {"User", Text::ChangeChanged, 11, GetText(Text::DetailOnBefore)},
        {"Loaded", Text::ChangeMoved, 22, FillPlaceholder(GetText(Text::DetailLocationBefore), label(12))},
        {"CFRESH.EXE", Text::ChangeAdded, 32, ""},
    };
    for (const Expected& want : expected) {
        const int at = LineOf(lines, want.name);
        ASSERT_GE(at, 0) << want.name;
        const Line& line = lines[static_cast<size_t>(at)];
        EXPECT_EQ(line.change, GetText(want.change)) << want.name;
        EXPECT_EQ(line.location, label(want.kind)) << want.name;
        EXPECT_EQ(line.details, want.details) << want.name;
    }

    // An added entry has nothing to come back to; the others can come back.
    for (const char* name : {"CFRESH.EXE", "Linked", "Machine", "Loaded"}) {
        Select(dialog.Control(kIdCompareList), LineOf(lines, name));
        EXPECT_EQ(IsWindowEnabled(dialog.Control(kIdCompareBringBack)) != FALSE, std::string(name) != "CFRESH.EXE")
            << name;
    }
}

TEST_F(CompareTest, OneEntryComesBackAfterAQuestionNamingItAndNothingElseChanges) {
    SeedAndChange();
    ui::CompareDialog& dialog = ui::TheCompareDialog();
    dialog.Prepare(*store_, Snapshots().at(0).Entries, "then");
    HWND list = dialog.Control(kIdCompareList);

    struct Case {
        const char* name;
        int kind;
        const char* command;
        bool inLoad;  // an item of win.ini's load list
    };
    // A changed registry value set back, a removed link and win.ini item written again.
    const Case cases[] = {{"Machine", 21, "C:\\bmtest\\machine.exe", false},
                          {"Linked", 2, "C:\\bmtest\\linked.exe /min", false},
                          {"CGONE.EXE", 31, "C:\\GONE.EXE", true}};
    const std::string load = RawWinIni("load");
    size_t snapshots = Snapshots().size();
    for (const Case& c : cases) {
        const std::vector<std::string> others = LocationsBut(c.name, c.inLoad);
        const StartupEntry before = Find(c.name);
        Select(list, LineOf(Lines(list), c.name));
        Prompts();

        answer_ = false;
        Click(dialog.hwnd(), kIdCompareBringBack);
        std::vector<std::string> prompts = Prompts();
        ASSERT_EQ(prompts.size(), 1u) << c.name;
        EXPECT_NE(prompts[0].find(c.name), std::string::npos) << prompts[0];
        EXPECT_EQ(Find(c.name).command, before.command) << "no: nothing happens";
        EXPECT_EQ(Snapshots().size(), snapshots);

        answer_ = true;
        Click(dialog.hwnd(), kIdCompareBringBack);
        prompts = Prompts();
        ASSERT_EQ(prompts.size(), 2u) << c.name;
        EXPECT_EQ(prompts[1], FillPlaceholder(GetText(Text::BroughtBack), ui::EntryWithPlace(Find(c.name))));
        const StartupEntry back = Find(c.name);
        EXPECT_EQ(back.kind, c.kind);
        EXPECT_EQ(Plain(back.command), c.command);
        EXPECT_EQ(back.active, 1);
        EXPECT_EQ(LocationsBut(c.name, c.inLoad), others) << c.name;
        EXPECT_EQ(LineOf(Lines(list), c.name), -1) << "alike now";
        EXPECT_EQ(Lines(list).size(), 6u - static_cast<size_t>(&c - cases) - 1);

        // The entries as they were before are the newest snapshot, so this can be undone too.
        ASSERT_EQ(Snapshots().size(), ++snapshots);
        bool kept = false;
        for (const StartupEntry& entry : Snapshots().back().Entries) {
            kept = kept || (entry.name == before.name && entry.command == before.command);
        }
        EXPECT_EQ(kept, before.kind != 0) << c.name;
    }
    EXPECT_TRUE(dialog.broughtBack);
    EXPECT_EQ(RawWinIni("load"), "C:\\GONE.EXE") << "was " << load;
}

TEST_F(CompareTest, ARefusedOrUnsavedBringingBackLeavesEveryEntryAsItWas) {
    SeedAndChange();
    const EntryList snapshot = Snapshots().at(0).Entries;
    const std::vector<EntryDelta> deltas = CompareWithSnapshot(snapshot, CollectAllEntries());
    auto deltaOf = [&deltas](const std::string& name) {
        for (const EntryDelta& delta : deltas) {
            if (delta.before.name == name || delta.now.name == name) return delta;
        }
        return EntryDelta{EntryDifference::Added, {}, {}};
    };
    const std::vector<std::string> everything = LocationsBut("");

    // The machine's keys refuse: the changed value stays as it is now.
    SetRegistryWriteDenialForTests(DenyMachineKeys);
    const BringBackResult refused = BringBackEntry(*store_, deltaOf("Machine"));
    SetRegistryWriteDenialForTests(nullptr);
    EXPECT_FALSE(refused.done);
    EXPECT_EQ(refused.removal.reason, ChangeReason::AccessDenied);
    EXPECT_EQ(LocationsBut(""), everything);

    // The undo snapshot cannot be saved: nothing is touched at all.
    RemoveFile();
    ASSERT_TRUE(CreateDirectoryA(file_.c_str(), nullptr)) << "a folder where the file should go";
    EXPECT_ANY_THROW(BringBackEntry(*store_, deltaOf("Linked")));
    EXPECT_EQ(LocationsBut(""), everything);
    EXPECT_EQ(Find("Linked").kind, 0);

    // Through the window: the user hears that nothing was changed.
    ui::CompareDialog& dialog = ui::TheCompareDialog();
    dialog.Prepare(*store_, snapshot, "then");
    Select(dialog.Control(kIdCompareList), LineOf(Lines(dialog.Control(kIdCompareList)), "Linked"));
    Prompts();
    Click(dialog.hwnd(), kIdCompareBringBack);
    const std::vector<std::string> prompts = Prompts();
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[1].rfind(GetText(Text::BringBackNotStarted), 0), 0u) << prompts[1];
    EXPECT_EQ(LocationsBut(""), everything);
}

TEST_F(CompareTest, TheBackupManagerOpensTheComparisonOfTheSelectedSnapshot) {
    std::string error;
    ASSERT_TRUE(ui::TakeSnapshot(*store_, error)) << error;
    ASSERT_TRUE(AddEntry(AnEntry("Later", "C:\\bmtest\\later.exe")).ok());
    ui::RestoreDialog& manager = ui::TheRestoreDialog();
    manager.Prepare(*store_);
    EXPECT_TRUE(IsWindowEnabled(manager.Control(kIdRestoreCompare)));
    EXPECT_EQ(ui::WindowTextOf(manager.Control(kIdRestoreCompare)), GetText(Text::CompareWithNow));
    // The comparison runs modally: closed as soon as it shows, it has been filled.
    PostMessageW(manager.hwnd(), WM_NULL, 0, 0);
    SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        ui::CompareDialog& compare = ui::TheCompareDialog();
        if (compare.IsRunningModal()) compare.EndModal(IDCANCEL);
    });
    Click(manager.hwnd(), kIdRestoreCompare);
    const auto& deltas = ui::TheCompareDialog().Differences();
    ASSERT_EQ(deltas.size(), 1u);
    EXPECT_EQ(deltas[0].difference, EntryDifference::Added);
    EXPECT_EQ(deltas[0].now.name, "Later");
}

}  // namespace
}  // namespace dialogtest
