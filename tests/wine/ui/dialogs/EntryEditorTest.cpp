// The entry editor on the real locations: its checks as a table, new entries
// in each family of locations, renames, refusals and failed writes.
#include "DialogFixture.h"

#include <vector>

#include "i18n/TranslationCatalogue.h"
#include "ui/dialogs/EntryEditorDialog.h"
#include "ui/dialogs/LocationDialog.h"
#include "ui/win/ControlIds.h"
#include "ui/win/TextNumbers.h"

namespace dialogtest {
namespace {

class EntryEditorTest : public DialogTest {
protected:
    ui::EntryEditorDialog& editor_ = ui::TheEntryEditor();
    HWND Window() { return editor_.hwnd(); }
    std::string Field(int id) { return editor_.ControlText(id); }
    void Type(const std::string& name, const std::string& command) {
        editor_.SetControlText(kIdEditorName, name);
        editor_.SetControlText(kIdEditorCommand, command);
    }
};

struct SaveRow {
    const char* name;
    const char* command;
    int32_t kind;
    int text;  // the one message shown
};

TEST_F(EntryEditorTest, TheChecksRunInOrderAndOnlyASaveThatWorkedSaysSaved) {
    const SaveRow rows[] = {
        {nullptr, "C:\\bmtest\\a.exe", 1, Text::EntryIncomplete},  // the placeholder name left as it is
        {"Tool", "C:\\", 11, Text::EntryIncomplete},
        {"", "C:\\bmtest\\a.exe", 11, Text::EntryIncomplete},
        {"A:b", "", 11, Text::ForbiddenCharacter},
        {"a|b", "C:\\bmtest\\a.exe", 2, Text::ForbiddenCharacter},
        {"CON", "C:\\bmtest\\a.exe", 2, Text::ReasonNameNotStorable},
        {"nul.txt", "C:\\bmtest\\a.exe", 1, Text::ReasonNameNotStorable},
        {"In the folder", "C:\\bmtest\\a.exe", 1, Text::EntrySaved},
        {"Mine only", "C:\\bmtest\\b.exe", 2, Text::EntrySaved},
        {"User run", "C:\\bmtest\\c.exe", 11, Text::EntrySaved},
        {"Machine once", "C:\\bmtest\\d.exe", 22, Text::EntrySaved},
        {"Ini", "C:\\bmtest\\e.exe", 31, Text::EntrySaved},
    };
    size_t stored = 0;
    for (const SaveRow& row : rows) {
        SCOPED_TRACE(row.name ? row.name : "(placeholder)");
        StartupEntry entry;
        editor_.Prepare(entry, true);
        EXPECT_EQ(Field(kIdEditorName), GetText(Text::PlaceholderName));
        EXPECT_EQ(entry.kind, 1) << "a new entry starts in the common Startup folder";
        entry.kind = row.kind;
        Type(row.name ? row.name : GetText(Text::PlaceholderName), row.command);
        Click(Window(), kIdEditorSave);
        EXPECT_EQ(Prompts(), std::vector<std::string>{GetText(row.text)});
        EXPECT_EQ(editor_.saved, row.text == Text::EntrySaved);
        if (row.text == Text::EntrySaved) ++stored;
        EXPECT_EQ(EntryCount(), stored);
    }
    for (const StartupEntry& entry : CollectAllEntries()) EXPECT_EQ(entry.active, 1) << entry.name;
    EXPECT_EQ(Find("Machine once").kind, 22);
    EXPECT_EQ(Find("Mine only").kind, 2);
}

TEST_F(EntryEditorTest, ANewEntryNeverReplacesAnotherOfTheSameName) {
    ASSERT_TRUE(AddEntry(AnEntry("OneDrive", "C:\\bmtest\\onedrive.exe")).ok());
    StartupEntry entry;
    editor_.Prepare(entry, true);
    entry.kind = 11;
    Type("onedrive", "C:\\bmtest\\other.exe");
    Click(Window(), kIdEditorSave);
    EXPECT_FALSE(editor_.saved);
    EXPECT_EQ(editor_.saveResult.reason, ChangeReason::NameTaken);
    EXPECT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Plain(Find("OneDrive").command), "C:\\bmtest\\onedrive.exe");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(EntryEditorTest, AFailedWriteOfANewEntrySaysSoAndStoresNothing) {
    SetRegistryWriteDenialForTests(DenyMachineKeys);
    StartupEntry entry;
    editor_.Prepare(entry, true);
    entry.kind = 21;
    Type("Everyone", "C:\\bmtest\\all.exe");
    Click(Window(), kIdEditorSave);
    EXPECT_FALSE(editor_.saved);
    const auto prompts = Prompts();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_NE(prompts[0], GetText(Text::EntrySaved));
    EXPECT_EQ(EntryCount(), 0u);
}

TEST_F(EntryEditorTest, ARenameReplacesTheEntryInItsPlaceAndARefusedOneKeepsIt) {
    ASSERT_TRUE(AddEntry(AnEntry("Old", "C:\\bmtest\\old.exe").Kind(12).Active(0)).ok());
    StartupEntry listed = Find("Old");
    ASSERT_EQ(listed.active, 0);
    editor_.Prepare(listed, false);
    EXPECT_EQ(Field(kIdEditorName), "Old");
    EXPECT_EQ(Field(kIdEditorCommand), "C:\\bmtest\\old.exe");
    Type("New", "C:\\bmtest\\new.exe");
    Click(Window(), kIdEditorSave);
    EXPECT_EQ(Prompts(), std::vector<std::string>{GetText(Text::EntrySaved)});
    EXPECT_EQ(Find("Old").kind, 0);
    const StartupEntry renamed = Find("New");
    EXPECT_EQ(renamed.kind, 12);
    EXPECT_EQ(Plain(renamed.command), "C:\\bmtest\\new.exe");
    EXPECT_EQ(renamed.active, 0) << "a switched-off entry stays switched off";

    // In the local machine's key, with writes refused: the entry and the record stay.
    ASSERT_TRUE(AddEntry(AnEntry("Fixed", "C:\\bmtest\\fixed.exe").Kind(21)).ok());
    StartupEntry fixed = Find("Fixed");
    SetRegistryWriteDenialForTests(DenyMachineKeys);
    editor_.Prepare(fixed, false);
    Type("Renamed", "C:\\bmtest\\fixed.exe");
    Click(Window(), kIdEditorSave);
    SetRegistryWriteDenialForTests(nullptr);
    EXPECT_FALSE(editor_.saved);
    EXPECT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(fixed.name, "Fixed");
    EXPECT_EQ(Find("Fixed").kind, 21);
    EXPECT_EQ(Find("Renamed").kind, 0);
}

TEST_F(EntryEditorTest, AMoveThroughTheLocationButtonStaysWhenTheEditorClosesWithoutSaving) {
    ASSERT_TRUE(AddEntry(AnEntry("Mover", "C:\\bmtest\\mover.exe")).ok());
    StartupEntry listed = Find("Mover");
    editor_.Prepare(listed, false);
    Type("Not applied", "C:\\bmtest\\a.exe");
    // The location dialog runs modally; its clicks wait in the queue.
    ui::LocationDialog& location = ui::TheLocationDialog();
    location.Create();
    auto post = [&](int id) {
        PostMessageA(location.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(location.hwnd(), id)));
    };
    post(kIdLocationUserStartup);
    post(kIdLocationApply);
    Click(Window(), kIdEditorChangeLocation);
    EXPECT_TRUE(editor_.movedMeanwhile);
    EXPECT_EQ(Field(kIdEditorLocation), GetText(Text::StartupFolder) + ": " + GetText(Text::CurrentUser));
    Click(Window(), kIdEditorCancel);
    const StartupEntry moved = Find("Mover");
    EXPECT_EQ(moved.kind, 2);
    EXPECT_EQ(Plain(moved.command), "C:\\bmtest\\mover.exe");
    EXPECT_EQ(Find("Not applied").kind, 0);
}

// A move may store the entry in another form (quotation marks around an
// unquoted command, a link made of a value, a value made of a link); the save
// that follows replaces the entry as it is stored now, with what was typed.
TEST_F(EntryEditorTest, ASaveAfterAMoveStoresTheTypedTextInTheNewLocation) {
    struct Case {
        const char* what;
        StartupEntry start;
        std::vector<int> clicks;  // in the location dialog, before Apply
        int32_t kind;             // where it ends
    } cases[] = {
        {"an unquoted value into a link", AnEntry("Mover", "C:\\bmtest\\mover.exe -x"), {kIdLocationUserStartup}, 2},
        {"a link into a value",
         AnEntry("Mover", "C:\\bmtest\\mover.exe").Kind(2),
         {kIdLocationRun, kIdLocationHiveCurrentUser},
         11},
        {"an unquoted value into another key",
         AnEntry("Mover", "C:\\bmtest\\mover.exe -x"),
         {kIdLocationRunOnce, kIdLocationHiveCurrentUser},
         12},
    };
    // A command becomes a link only when its program is found, as Windows finds it.
    entrytest::MakeFolders("C:\\bmtest");
    ASSERT_TRUE(entrytest::WriteBytes("C:\\bmtest\\mover.exe", "MZ"));
    ASSERT_TRUE(entrytest::WriteBytes("C:\\bmtest\\typed.exe", "MZ"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(AddEntry(c.start).ok());
        StartupEntry listed = Find("Mover");
        ASSERT_EQ(listed.kind, c.start.kind);
        editor_.Prepare(listed, false);
        Type("Typed", "C:\\bmtest\\typed.exe /y");
        ui::LocationDialog& location = ui::TheLocationDialog();
        location.Create();
        for (int id : c.clicks) {
            PostMessageA(location.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(location.hwnd(), id)));
        }
        PostMessageA(location.hwnd(), WM_COMMAND, MAKEWPARAM(kIdLocationApply, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(location.hwnd(), kIdLocationApply)));
        Click(Window(), kIdEditorChangeLocation);
        ASSERT_TRUE(editor_.movedMeanwhile);
        EXPECT_EQ(Field(kIdEditorName), "Typed") << "the typed text stays";
        Click(Window(), kIdEditorSave);
        EXPECT_EQ(Prompts(), std::vector<std::string>{GetText(Text::EntrySaved)});
        EXPECT_TRUE(editor_.saved);
        const StartupEntry saved = Find("Typed");
        EXPECT_EQ(saved.kind, c.kind);
        EXPECT_EQ(Plain(saved.command), "C:\\bmtest\\typed.exe /y");
        EXPECT_EQ(Find("Mover").kind, 0) << "no copy left under the old name";
        ASSERT_TRUE(DeleteEntry(saved).ok());
    }
}

TEST_F(EntryEditorTest, AnEntryWithoutPlaceOpensAsANewOne) {
    StartupEntry empty;
    editor_.Prepare(empty, false);
    EXPECT_TRUE(editor_.IsNewMode());
    EXPECT_EQ(Field(kIdEditorName), GetText(Text::PlaceholderName));
    EXPECT_EQ(Field(kIdEditorCommand), "");
}

}  // namespace
}  // namespace dialogtest

namespace dialogtest {
namespace {

// The keyboard through the real modal loops: Enter saves in the editor, Esc
// leaves the location dialog without a move.
// Types into the editor once its modal loop runs (a thread timer fires inside it).
void CALLBACK TypeAndPressEnter(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND editor = ui::TheEntryEditor().hwnd();
    SetWindowTextA(GetDlgItem(editor, kIdEditorName), "Keyboard");
    SetWindowTextA(GetDlgItem(editor, kIdEditorCommand), "C:\\bmtest\\keys.exe");
    PostMessageA(GetDlgItem(editor, kIdEditorName), WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(EntryEditorTest, EnterSavesAndEscLeavesWithoutAMove) {
    ui::TheEntryEditor().Create();
    SetTimer(nullptr, 0, 50, TypeAndPressEnter);
    StartupEntry entry;
    EXPECT_TRUE(ui::RunEntryEditor(nullptr, entry, true));
    EXPECT_EQ(Prompts(), std::vector<std::string>{GetText(Text::EntrySaved)});
    StartupEntry stored = Find("Keyboard");
    EXPECT_EQ(stored.kind, 1);

    ui::LocationDialog& location = ui::TheLocationDialog();
    location.Create();
    PostMessageA(location.hwnd(), WM_COMMAND, MAKEWPARAM(kIdLocationRunServices, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(location.hwnd(), kIdLocationRunServices)));
    PostMessageA(GetDlgItem(location.hwnd(), kIdLocationApply), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(ui::RunLocationDialog(nullptr, stored));
    EXPECT_EQ(Find("Keyboard").kind, 1);
}

// Cyrillic typed as the keyboard of another script sends it: each letter a
// Unicode key press, the editor a Unicode window, so every letter arrives
// whatever the ANSI code page; Enter (queued behind the letters) saves.
const wchar_t kTypedName[] = L"\x0422\x0435\x0441\x0442";  // "Тест"
const char kTypedNameUtf8[] = "\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82";

void CALLBACK TypeCyrillicAndPressEnter(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND editor = ui::TheEntryEditor().hwnd();
    HWND name = GetDlgItem(editor, kIdEditorName);
    SetWindowTextW(name, L"");
    SetWindowTextW(GetDlgItem(editor, kIdEditorCommand), L"C:\\bmtest\\a.exe");
    SetForegroundWindow(editor);
    SetFocus(name);
    std::vector<INPUT> keys;
    for (const wchar_t* c = kTypedName; *c; ++c) {
        for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = static_cast<WORD>(*c);
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            keys.push_back(input);
        }
    }
    for (const DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_RETURN;
        input.ki.dwFlags = up;
        keys.push_back(input);
    }
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

TEST_F(EntryEditorTest, ACyrillicNameTypedOnTheKeyboardIsTakenAndSaved) {
    ui::TheEntryEditor().Create();
    ASSERT_TRUE(IsWindowUnicode(ui::TheEntryEditor().hwnd()));
    ASSERT_TRUE(IsWindowUnicode(GetDlgItem(ui::TheEntryEditor().hwnd(), kIdEditorName)));
    SetTimer(nullptr, 0, 50, TypeCyrillicAndPressEnter);
    StartupEntry entry;
    EXPECT_TRUE(ui::RunEntryEditor(nullptr, entry, true));
    EXPECT_EQ(Field(kIdEditorName), kTypedNameUtf8) << "each letter as typed";
    EXPECT_EQ(Prompts(), std::vector<std::string>{GetText(Text::EntrySaved)});
    const StartupEntry stored = Find(kTypedNameUtf8);
    EXPECT_EQ(stored.name, kTypedNameUtf8);
    EXPECT_EQ(stored.kind, 1) << "a link in the common Startup folder";
}

}  // namespace
}  // namespace dialogtest
