// The blocked-entries dialog with the real block list file and locations:
// releasing by position, which entry a release switches on, the hover field.
#include "DialogFixture.h"
#include "blocking/BlockList.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "ui/dialogs/BlockedEntriesDialog.h"
#include "ui/dialogs/DialogWindows.h"
#include "ui/dialogs/EntryChangeMessages.h"
#include "ui/win/ControlIds.h"

namespace dialogtest {
namespace {

using entrytest::GetValue;
using entrytest::KeyPathOf;
using entrytest::RootOf;
using entrytest::SetString;

class BlockedEntriesTest : public DialogTest {
protected:
    ui::BlockedEntriesDialog& dialog_ = ui::TheBlockedEntriesDialog();
    HWND List() { return GetDlgItem(dialog_.hwnd(), kIdBlockedList); }
    int LineCount() { return static_cast<int>(SendMessageA(List(), LB_GETCOUNT, 0, 0)); }
    void Select(int line) {
        SendMessageA(List(), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
        SendMessageA(dialog_.hwnd(), WM_COMMAND, MAKEWPARAM(kIdBlockedList, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(List()));
    }
    bool ReleaseEnabled() { return IsWindowEnabled(GetDlgItem(dialog_.hwnd(), kIdBlockedRelease)) != FALSE; }
    void WriteBlockList(const std::string& bytes) {
        ASSERT_TRUE(testsupport::WriteFileBytes(DataFolder(kBaseName) + kBlockListFileName, bytes));
        LoadBlockList();
    }
};

TEST_F(BlockedEntriesTest, ALineTypedWithBlanksIsReleasedByItsPositionAndTheLastLineTakesTheLogonCheck) {
    WriteBlockList(" C:\\bmtest\\padded.exe  \r\nC:\\bmtest\\plain.exe\r\n");
    StartupEntry none;
    dialog_.Prepare(none);
    ASSERT_EQ(LineCount(), 2);
    EXPECT_FALSE(ReleaseEnabled());
    Select(0);
    EXPECT_TRUE(ReleaseEnabled());
    Click(dialog_.hwnd(), kIdBlockedRelease);
    EXPECT_EQ(BlockListLines(), std::vector<std::string>{"C:\\bmtest\\plain.exe"});
    EXPECT_EQ(testsupport::ReadFileBytes(DataFolder(kBaseName) + kBlockListFileName), "C:\\bmtest\\plain.exe\r\n");
    EXPECT_EQ(LineCount(), 1);
    EXPECT_FALSE(ReleaseEnabled());
    EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, KeyPathOf(11), kBlockCheckValueName).empty());

    Select(0);
    Click(dialog_.hwnd(), kIdBlockedRelease);
    EXPECT_EQ(LineCount(), 0);
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(11), kBlockCheckValueName).first, 0u);
    EXPECT_EQ(EntryCount(), 0u) << "no entry selected: only the block list changes";
    EXPECT_TRUE(Prompts().empty());
}

// The last line released while the registry refuses to remove the logon
// check's value: the line goes, and the user hears that the value stayed.
TEST_F(BlockedEntriesTest, ALogonCheckValueTheRegistryKeepsIsReported) {
    Block("C:\\bmtest\\last.exe");
    ASSERT_FALSE(ReadRegString(HKEY_CURRENT_USER, KeyPathOf(11), kBlockCheckValueName).empty());
    StartupEntry none;
    dialog_.Prepare(none);
    Select(0);
    SetRegistryWriteDenialForTests([](HKEY root, const std::string& key) {
        return root == HKEY_CURRENT_USER && key == "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    });
    Click(dialog_.hwnd(), kIdBlockedRelease);
    SetRegistryWriteDenialForTests(nullptr);
    EXPECT_TRUE(BlockListLines().empty());
    EXPECT_EQ(LineCount(), 0);
    EXPECT_EQ(Prompts(), std::vector<std::string>{ui::LogonCheckNotSetText()});
    EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, KeyPathOf(11), kBlockCheckValueName).empty());
}

TEST_F(BlockedEntriesTest, OnlyTheSelectedSwitchedOffEntryWithTheReleasedCommandIsSwitchedOn) {
    ASSERT_TRUE(AddEntry(AnEntry("Blocked", "C:\\bmtest\\nag.exe").Active(0)).ok());
    ASSERT_TRUE(AddEntry(AnEntry("Other off", "C:\\bmtest\\other.exe").Kind(12).Active(0)).ok());
    SetString(RootOf(11), KeyPathOf(11), "Expand", "%SystemRoot%\\x.exe", REG_EXPAND_SZ);
    Block("C:\\bmtest\\nag.exe");
    Block("C:\\bmtest\\else.exe");

    // Another switched-off entry is selected: it stays off.
    dialog_.Prepare(Find("Other off"));
    Select(1);
    Click(dialog_.hwnd(), kIdBlockedRelease);
    EXPECT_EQ(Find("Other off").active, 0);
    EXPECT_FALSE(dialog_.entrySwitchedOn);
    // An active entry is selected: nothing is rewritten.
    dialog_.Prepare(Find("Expand"));
    Block("C:\\bmtest\\else.exe");
    dialog_.FillList();
    Select(1);
    Click(dialog_.hwnd(), kIdBlockedRelease);
    EXPECT_EQ(GetValue(RootOf(11), KeyPathOf(11), "Expand").first, static_cast<DWORD>(REG_EXPAND_SZ));
    // The blocked entry itself, the line in other letter case and in the quoted
    // form of the active entry it was blocked from: switched on.
    WriteBlockList("\"c:\\BMTEST\\nag.exe\"\r\n");
    dialog_.Prepare(Find("Blocked"));
    Select(0);
    // The list behind the dialog is refreshed right after the release, while the
    // dialog is still open.
    std::vector<int> activeAtRefresh;
    ui::SetEntriesChangedHandler([&activeAtRefresh] { activeAtRefresh.push_back(Find("Blocked").active); });
    Click(dialog_.hwnd(), kIdBlockedRelease);
    ui::SetEntriesChangedHandler(nullptr);
    EXPECT_EQ(activeAtRefresh, std::vector<int>{1});
    EXPECT_TRUE(dialog_.entrySwitchedOn);
    EXPECT_EQ(Find("Blocked").active, 1);
    EXPECT_EQ(Plain(Find("Blocked").command), "C:\\bmtest\\nag.exe");
    EXPECT_EQ(Find("Other off").active, 0);
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(BlockedEntriesTest, OnlyALineWiderThanTheListShowsWholeOverIt) {
    const std::string wide = "C:\\bmtest\\" + std::string(150, 'w') + ".exe /with /many /arguments";
    WriteBlockList("short.exe\r\n" + wide + "\r\n");
    StartupEntry none;
    dialog_.Prepare(none);
    HWND field = FindWindowExA(nullptr, nullptr, "EDIT", nullptr);
    for (HWND candidate = nullptr; (candidate = FindWindowExA(nullptr, candidate, "EDIT", nullptr)) != nullptr;) {
        if (GetDlgCtrlID(candidate) == kIdBlockedHoverField) field = candidate;
    }
    ASSERT_EQ(GetDlgCtrlID(field), kIdBlockedHoverField);
    dialog_.ShowWholeLine(0);
    EXPECT_FALSE(IsWindowVisible(field));
    dialog_.ShowWholeLine(1);
    EXPECT_TRUE(IsWindowVisible(field));
    char text[512] = "";
    GetWindowTextA(field, text, sizeof text);
    EXPECT_EQ(text, wide);
    RECT fieldRect{}, listRect{};
    GetWindowRect(field, &fieldRect);
    GetWindowRect(List(), &listRect);
    EXPECT_GT(fieldRect.right - fieldRect.left, listRect.right - listRect.left);
    // Moving the mouse onto the short line takes the field away.
    RECT item{};
    SendMessageA(List(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    SendMessageA(List(), WM_MOUSEMOVE, 0, MAKELPARAM(item.left + 3, item.top + 3));
    EXPECT_FALSE(IsWindowVisible(field));
    SendMessageA(List(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    SendMessageA(List(), WM_MOUSEMOVE, 0, MAKELPARAM(item.left + 3, item.top + 3));
    EXPECT_TRUE(IsWindowVisible(field));
    dialog_.ShowWholeLine(-1);
}

}  // namespace
}  // namespace dialogtest
