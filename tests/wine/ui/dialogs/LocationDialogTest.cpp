// The location dialog on the real locations: its kind table in both
// directions, moves through every location, and the cases that must write
// nothing or keep the entry.
#include "DialogFixture.h"
#include "system/Elevation.h"
#include "system/RegistryValues.h"
#include "ui/dialogs/LocationDialog.h"
#include "ui/win/ControlIds.h"
#include "ui/win/TextNumbers.h"

namespace dialogtest {
namespace {

using entrytest::GetValue;
using entrytest::KeyPathOf;
using entrytest::RootOf;
using entrytest::SetString;

struct ButtonFor {
    int32_t kind;
    int button;
    int hive;  // 0 for none
};

// How a user picks each kind: its button, and for a registry key the hive.
const ButtonFor kPicks[] = {
    {1, kIdLocationCommonStartup, 0},
    {2, kIdLocationUserStartup, 0},
    {11, kIdLocationRun, kIdLocationHiveCurrentUser},
    {12, kIdLocationRunOnce, kIdLocationHiveCurrentUser},
    {13, kIdLocationRunOnceEx, kIdLocationHiveCurrentUser},
    {14, kIdLocationRunServices, kIdLocationHiveCurrentUser},
    {15, kIdLocationRunServicesOnce, kIdLocationHiveCurrentUser},
    {21, kIdLocationRun, kIdLocationHiveAllUsers},
    {22, kIdLocationRunOnce, kIdLocationHiveAllUsers},
    {23, kIdLocationRunOnceEx, kIdLocationHiveAllUsers},
    {24, kIdLocationRunServices, kIdLocationHiveAllUsers},
    {25, kIdLocationRunServicesOnce, kIdLocationHiveAllUsers},
    {26, kIdLocationRun, kIdLocationHiveAllUsers32},
    {27, kIdLocationRunOnce, kIdLocationHiveAllUsers32},
    {28, kIdLocationRunOnceEx, kIdLocationHiveAllUsers32},
    {31, kIdLocationWinIniLoad, 0},
    {32, kIdLocationWinIniRun, 0},
};

class LocationDialogTest : public DialogTest {
protected:
    ui::LocationDialog& dialog_ = ui::TheLocationDialog();
    HWND Window() { return dialog_.hwnd(); }
    bool Checked(int id) { return SendMessageA(GetDlgItem(Window(), id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(Window(), id)) != FALSE; }
    void Pick(const ButtonFor& pick) {
        Click(Window(), pick.button);
        if (pick.hive) Click(Window(), pick.hive);
    }
};

TEST_F(LocationDialogTest, EveryKindOpensOnItsButtonAndAMoveThroughAllLocationsKeepsTheEntryWhole) {
    ASSERT_TRUE(AddEntry(AnEntry("Tour", "\"C:\\bmtest\\gone\\tour.exe\" -q")).ok());
    StartupEntry entry = CollectAllEntries().at(0);
    const std::string command = Plain(entry.command);
    // Walk the entry through all fourteen places as the main window would: it
    // holds the listed entry, opens the dialog on it and lists again.
    for (const ButtonFor& pick : kPicks) {
        SCOPED_TRACE(pick.kind);
        dialog_.Prepare(entry, ui::LocationDialog::Mode::Move);
        const int32_t from = entry.kind;
        Pick(pick);
        EXPECT_TRUE(Checked(pick.button));
        EXPECT_EQ(Enabled(kIdLocationHiveGroup), pick.hive != 0);
        if (pick.hive) {
            EXPECT_TRUE(Checked(pick.hive));
        }
        Click(Window(), kIdLocationApply);
        EXPECT_EQ(dialog_.moved, from != pick.kind);
        EXPECT_EQ(entry.kind, pick.kind);
        const EntryList all = CollectAllEntries();
        ASSERT_EQ(all.size(), 1u);
        EXPECT_EQ(all[0].kind, pick.kind);
        EXPECT_EQ(Plain(all[0].command), command);
        EXPECT_EQ(all[0].active, 1);
        if (pick.kind < 30) {
            EXPECT_EQ(all[0].name, "Tour");
        }
        entry = all[0];
    }
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(LocationDialogTest, OpeningPreselectsByKindAndAKindWithoutPlaceKeepsThePreviousChoice) {
    for (const ButtonFor& pick : kPicks) {
        StartupEntry entry = AnEntry("x", "C:\\x.exe").Kind(pick.kind);
        dialog_.Prepare(entry, ui::LocationDialog::Mode::ChooseOnly);
        EXPECT_TRUE(Checked(pick.button)) << pick.kind;
        EXPECT_EQ(Enabled(kIdLocationHiveAllUsers), pick.hive != 0) << pick.kind;
        if (pick.hive) {
            EXPECT_TRUE(Checked(pick.hive)) << pick.kind;
        }
    }
    StartupEntry user = AnEntry("x", "C:\\x.exe").Kind(14);
    dialog_.Prepare(user, ui::LocationDialog::Mode::ChooseOnly);
    StartupEntry none = AnEntry("", "").Kind(0).Active(0);
    dialog_.Prepare(none, ui::LocationDialog::Mode::ChooseOnly);
    EXPECT_TRUE(Checked(kIdLocationRunServices));
    EXPECT_TRUE(Checked(kIdLocationHiveCurrentUser));
}

TEST_F(LocationDialogTest, ClosingWithoutAChangeRewritesNothing) {
    // An expandable value would come back as a plain string if it were rewritten.
    SetString(RootOf(12), KeyPathOf(12), "Expand", "%SystemRoot%\\x.exe", REG_EXPAND_SZ);
    StartupEntry entry = Find("Expand");
    ASSERT_EQ(entry.kind, 12);
    dialog_.Prepare(entry, ui::LocationDialog::Mode::Move);
    EXPECT_TRUE(Checked(kIdLocationRunOnce));
    EXPECT_TRUE(Checked(kIdLocationHiveCurrentUser));
    EXPECT_TRUE(Enabled(kIdLocationHiveCurrentUser));
    Click(Window(), kIdLocationApply);
    EXPECT_FALSE(dialog_.moved);
    EXPECT_EQ(GetValue(RootOf(12), KeyPathOf(12), "Expand").first, static_cast<DWORD>(REG_EXPAND_SZ));

    // Esc or the title bar: a changed choice is dropped.
    dialog_.Prepare(entry, ui::LocationDialog::Mode::Move);
    Click(Window(), kIdLocationRunServices);
    SendMessageA(Window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(dialog_.moved);
    EXPECT_EQ(entry.kind, 12);
    EXPECT_EQ(GetValue(RootOf(12), KeyPathOf(12), "Expand").first, static_cast<DWORD>(REG_EXPAND_SZ));
}

TEST_F(LocationDialogTest, ChooseOnlySetsTheKindAndWritesNothing) {
    StartupEntry fresh = AnEntry("New", "C:\\new.exe").Kind(1);
    dialog_.Prepare(fresh, ui::LocationDialog::Mode::ChooseOnly);
    Click(Window(), kIdLocationUserStartup);
    EXPECT_FALSE(Enabled(kIdLocationHiveGroup));
    Click(Window(), kIdLocationApply);
    EXPECT_EQ(fresh.kind, 2);
    EXPECT_EQ(EntryCount(), 0u);
}

TEST_F(LocationDialogTest, TheCommandWithoutASelectedLineDoesNothing) {
    StartupEntry empty;
    EXPECT_FALSE(ui::RunLocationDialog(nullptr, empty));
    EXPECT_EQ(empty.kind, 0);
    EXPECT_EQ(EntryCount(), 0u);
}

TEST_F(LocationDialogTest, ARefusedMoveKeepsTheEntryWhereItWasAndSaysSo) {
    ASSERT_TRUE(AddEntry(AnEntry("Stay", "C:\\stay.exe")).ok());
    StartupEntry entry = Find("Stay");
    SetRegistryWriteDenialForTests(DenyMachineKeys);
    dialog_.Prepare(entry, ui::LocationDialog::Mode::Move);
    Pick({21, kIdLocationRun, kIdLocationHiveAllUsers});
    Click(Window(), kIdLocationApply);
    SetRegistryWriteDenialForTests(nullptr);
    EXPECT_FALSE(dialog_.moved);
    EXPECT_EQ(entry.kind, 11);
    EXPECT_EQ(Find("Stay").kind, 11);
    EXPECT_EQ(Plain(Find("Stay").command), "C:\\stay.exe");
    const auto prompts = Prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_NE(prompts[0].find(GetText(Text::NotChanged)), std::string::npos);
}

int g_elevatedStarts = 0;

TEST_F(LocationDialogTest, AMoveRefusedForLackOfRightsOffersToStartAgainWithThem) {
    ASSERT_TRUE(AddEntry(AnEntry("Stay", "C:\\stay.exe")).ok());
    StartupEntry entry = Find("Stay");
    SetNotElevatedForTests(true);
    SetElevatedStarterForTests([](const std::string&, const std::string& arguments) {
        EXPECT_EQ(arguments, "/machinewide");
        ++g_elevatedStarts;
        return ElevatedStart::Started;
    });
    SetRegistryWriteDenialForTests(DenyMachineKeys);
    answer_ = true;
    dialog_.Prepare(entry, ui::LocationDialog::Mode::Move);
    Pick({26, kIdLocationRun, kIdLocationHiveAllUsers32});
    Click(Window(), kIdLocationApply);
    SetRegistryWriteDenialForTests(nullptr);
    SetElevatedStarterForTests(nullptr);
    SetNotElevatedForTests(false);
    EXPECT_FALSE(dialog_.moved);
    EXPECT_EQ(Find("Stay").kind, 11);
    const auto prompts = Prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_NE(prompts[0].find(GetText(Text::OfferElevatedCopy)), std::string::npos) << prompts[0];
    EXPECT_EQ(g_elevatedStarts, 1);
}

TEST_F(LocationDialogTest, AMoveOntoAnotherEntryOfTheSameNameIsRefused) {
    ASSERT_TRUE(AddEntry(AnEntry("OneDrive", "C:\\mine.exe")).ok());
    ASSERT_TRUE(AddEntry(AnEntry("onedrive", "C:\\theirs.exe").Kind(21)).ok());
    StartupEntry mine = Find("OneDrive");
    dialog_.Prepare(mine, ui::LocationDialog::Mode::Move);
    Pick({21, kIdLocationRun, kIdLocationHiveAllUsers});
    Click(Window(), kIdLocationApply);
    EXPECT_FALSE(dialog_.moved);
    EXPECT_EQ(dialog_.moveResult.reason, ChangeReason::NameTaken);
    EXPECT_EQ(Plain(Find("onedrive").command), "C:\\theirs.exe");
    EXPECT_EQ(Find("OneDrive").kind, 11);
    EXPECT_EQ(Prompts().size(), 1u);
}

}  // namespace
}  // namespace dialogtest
