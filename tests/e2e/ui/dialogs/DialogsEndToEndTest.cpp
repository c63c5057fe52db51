// The dialogs through the real program: new entries in each family of
// locations, a rename, a move left by "don't save", a backup restored after
// changes, and a released block-list line, each driven through the windows of
// Bootmarshal.exe and checked in the locations afterwards.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "blocking/BlockList.h"
#include "driver/Driver.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/StartupFolders.h"
#include "support/EntryBuilder.h"
#include "support/WindowFinder.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "ui/win/WindowClasses.h"

namespace {

using testsupport::AnEntry;

// IDs from ui/win/ControlIds.h and ui/main/CommandsModel.h, spelled out: the test knows the
// program only from outside.
constexpr int kEntryList = 1201;
constexpr WPARAM kNewEntry = 100, kChangeEntry = 101, kBlockEntry = 106, kBlockedEntries = 107, kMakeBackup = 108,
                 kManageBackups = 109;
constexpr int kEditorName = 3001, kEditorLocation = 3003, kEditorChangeLocation = 3004, kEditorCommand = 3006,
              kEditorSave = 3008, kEditorCancel = 3009;
constexpr int kLocationRun = 3112, kLocationRunServices = 3115, kLocationWinIniLoad = 3117,
              kLocationHiveAllUsers = 3141, kLocationHiveCurrentUser = 3142, kLocationApply = 3150;
constexpr int kRestoreList = 3203, kRestoreRestore = 3205, kRestoreCompare = 3206;
constexpr int kCompareList = 3701, kCompareBringBack = 3702;
constexpr int kBlockedList = 3303, kBlockedRelease = 3304;
constexpr int kMessageText = 2000, kMessageClose = 2001;

const char kUserRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void ClearLocations() {
    for (const StartupEntry& entry : CollectAllEntries()) DeleteEntry(entry);
}

StartupEntry Find(const std::string& name) {
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (entry.name == name) return entry;
    }
    return StartupEntry{};
}

bool SetText(HWND window, int id, const std::string& text) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(e2e::FindControl(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

class DialogsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::BeDpiAware();
        ClearLocations();
        // English texts without the first-start language choice.
        const std::string folder = DataFolder(kBaseName);
        PrepareDataFolder(kBaseName, false);
        testsupport::WriteFileBytes(folder + "Bootmarshal.def",
                                    testsupport::ReadFileBytes(testsupport::ProductPath("Bootmarshal.t01")));
        testsupport::WriteFileBytes(folder + "Bootmarshal.cho", "2.5");
        DeleteFileA((folder + "BootmarshalBackup.xml").c_str());
        DeleteFileA((folder + kBlockListFileName).c_str());
        DeleteRegValue(HKEY_CURRENT_USER, kUserRunKey, kBlockCheckValueName);
    }
    void TearDown() override {
        if (main_) e2e::Close(main_);
        program_.WaitForExit(10000);
        ClearLocations();
    }

    void StartProgram() {
        program_ = e2e::Program::Start("\"" + testsupport::ProductPath("Bootmarshal.exe") + "\"");
        main_ = e2e::WaitForWindow(WindowClass::Main, 20000, program_.processId());
        ASSERT_TRUE(main_);
    }
    void Command(WPARAM command) { PostMessageA(main_, WM_COMMAND, command, 0); }
    HWND Wait(const char* className) { return e2e::WaitForWindow(className, 10000, program_.processId()); }
    // The message dialog's text, after which it is closed.
    std::string TakeMessage() {
        HWND message = Wait(WindowClass::Message);
        if (!message) return "(no message)";
        const std::string text = e2e::ControlText(message, kMessageText);
        e2e::Click(message, kMessageClose);
        e2e::WaitUntilGone(message);
        return text;
    }
    bool SelectEntryLine(const std::string& name) {
        return e2e::SelectListLineShowing(e2e::FindControl(main_, kEntryList), name);
    }
    // In the editor: the location dialog on a button and a hive (0 for none).
    void ChooseLocation(HWND editor, int button, int hive, const std::string& shot = "") {
        e2e::Click(editor, kEditorChangeLocation);
        HWND location = Wait(WindowClass::Location);
        ASSERT_TRUE(location);
        e2e::Click(location, button);
        if (hive) e2e::Click(location, hive);
        Sleep(100);
        if (!shot.empty()) e2e::Screenshot(shot, location);
        e2e::Click(location, kLocationApply);
        ASSERT_TRUE(e2e::WaitUntilGone(location));
    }

    e2e::Program program_;
    HWND main_ = nullptr;
};

TEST_F(DialogsEndToEnd, NewEntriesInEachFamilyARenameAndAMoveLeftByDontSave) {
    StartProgram();
    struct NewEntry {
        const char* name;
        const char* command;
        int button, hive;
        int32_t kind;
    } entries[] = {
        {"Folder tool", "C:\\bmtest\\folder.exe", 0, 0, 1},
        {"Registry tool", "C:\\bmtest\\registry.exe -q", kLocationRun, kLocationHiveCurrentUser, 11},
        {"Ini tool", "C:\\bmtest\\ini.exe", kLocationWinIniLoad, 0, 31},
    };
    for (const NewEntry& wanted : entries) {
        SCOPED_TRACE(wanted.name);
        Command(kNewEntry);
        HWND editor = Wait(WindowClass::EntryEditor);
        ASSERT_TRUE(editor);
        ASSERT_TRUE(SetText(editor, kEditorName, wanted.name));
        ASSERT_TRUE(SetText(editor, kEditorCommand, wanted.command));
        if (wanted.button) ChooseLocation(editor, wanted.button, wanted.hive, wanted.kind == 11 ? "location" : "");
        if (wanted.kind == 1) e2e::Screenshot("editor-new", editor);
        e2e::Click(editor, kEditorSave);
        EXPECT_EQ(TakeMessage(), "The entry has been saved.");
        ASSERT_TRUE(e2e::WaitUntilGone(editor));
        const StartupEntry stored = wanted.kind == 31 ? CollectAllEntries().back() : Find(wanted.name);
        EXPECT_EQ(stored.kind, wanted.kind);
        EXPECT_EQ(stored.active, 1);
    }
    EXPECT_EQ(CollectAllEntries().size(), 3u);

    // Rename in place.
    ASSERT_TRUE(SelectEntryLine("Registry tool"));
    Command(kChangeEntry);
    HWND editor = Wait(WindowClass::EntryEditor);
    ASSERT_TRUE(editor);
    EXPECT_EQ(e2e::ControlText(editor, kEditorName), "Registry tool");
    ASSERT_TRUE(SetText(editor, kEditorName, "Registry renamed"));
    e2e::Click(editor, kEditorSave);
    EXPECT_EQ(TakeMessage(), "The entry has been saved.");
    ASSERT_TRUE(e2e::WaitUntilGone(editor));
    EXPECT_EQ(Find("Registry tool").kind, 0);
    EXPECT_EQ(Find("Registry renamed").kind, 11);

    // A move through the location button stays when the editor is left without saving.
    Sleep(300);
    ASSERT_TRUE(SelectEntryLine("Registry renamed"));
    Command(kChangeEntry);
    editor = Wait(WindowClass::EntryEditor);
    ASSERT_TRUE(editor);
    ASSERT_TRUE(SetText(editor, kEditorName, "Typed but not saved"));
    ChooseLocation(editor, kLocationRunServices, kLocationHiveAllUsers);
    EXPECT_EQ(e2e::ControlText(editor, kEditorLocation), "Registry: All users (Run Services)");
    e2e::Screenshot("editor-moved", editor);
    e2e::Click(editor, kEditorCancel);
    ASSERT_TRUE(e2e::WaitUntilGone(editor));
    EXPECT_EQ(Find("Registry renamed").kind, 24);
    EXPECT_EQ(Find("Typed but not saved").kind, 0);
}

// A backup file the reader refuses is left as it is at the start, and kept
// under a dated name of its own before the next backup replaces it; the
// messages say so, and never that the backup is complete.
TEST_F(DialogsEndToEnd, AnUnreadableBackupFileIsLeftAloneThenKeptAsideBeforeTheNextBackup) {
    const std::string folder = DataFolder(kBaseName);
    const std::string file = folder + "BootmarshalBackup.xml";
    const std::string damaged = "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<backup />\r\n";
    ASSERT_TRUE(testsupport::WriteFileBytes(file, damaged));
    // The message comes while the main window is being made.
    program_ = e2e::Program::Start("\"" + testsupport::ProductPath("Bootmarshal.exe") + "\"");
    const std::string atStart = TakeMessage();
    main_ = e2e::WaitForWindow(WindowClass::Main, 20000, program_.processId());
    ASSERT_TRUE(main_);
    EXPECT_NE(atStart.find("Bootmarshal leaves the file as it is."), std::string::npos) << atStart;
    EXPECT_EQ(testsupport::ReadFileBytes(file), damaged);

    Command(kMakeBackup);
    const std::string afterBackup = TakeMessage();
    EXPECT_EQ(afterBackup.find("The backup is complete."), std::string::npos) << afterBackup;
    const size_t at = afterBackup.find(folder + "BootmarshalBackup.unreadable-");
    ASSERT_NE(at, std::string::npos) << afterBackup;
    const std::string kept = afterBackup.substr(at, afterBackup.find(".xml", at) + 4 - at);
    EXPECT_EQ(testsupport::ReadFileBytes(kept), damaged);
    EXPECT_NE(testsupport::ReadFileBytes(file).find("<list>"), std::string::npos) << "a new file with the backup";
    DeleteFileA(kept.c_str());
}

TEST_F(DialogsEndToEnd, ABackupIsRestoredAfterChanges) {
    ASSERT_TRUE(AddEntry(AnEntry("Kept", "C:\\bmtest\\kept.exe")).ok());
    // Switched off by the program under test: its own companion, which this
    // test program's marker does not name.
    ASSERT_TRUE(testsupport::WritePlatformLink(StartupFolder(2) + "Sleeping.lnk",
                                               testsupport::ProductPath("inactive.exe"), "C:\\bmtest\\sleeping.exe"));
    StartProgram();
    Command(kMakeBackup);
    EXPECT_EQ(TakeMessage(), "The backup is complete.");

    // Changes behind the program's back, then a refresh by the manager's return.
    ASSERT_TRUE(DeleteEntry(Find("Kept")).ok());
    ASSERT_TRUE(AddEntry(AnEntry("Intruder", "C:\\bmtest\\intruder.exe").Kind(21)).ok());

    Command(kManageBackups);
    HWND restore = Wait(WindowClass::Restore);
    ASSERT_TRUE(restore);
    Sleep(200);
    e2e::Screenshot("restore", restore);
    // Newest first: the backup just made, then the start's snapshot.
    DWORD_PTR count = 0;
    SendMessageTimeoutA(e2e::FindControl(restore, kRestoreList), CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
    EXPECT_EQ(count, 2u);
    e2e::Click(restore, kRestoreRestore);
    EXPECT_TRUE(e2e::AnswerQuestion(true));
    EXPECT_EQ(TakeMessage(), "The backup has been restored.");
    ASSERT_TRUE(e2e::WaitUntilGone(restore));
    EXPECT_EQ(Find("Kept").kind, 11);
    EXPECT_EQ(Find("Sleeping").active, 0);
    EXPECT_EQ(Find("Intruder").kind, 0);
}

// The control of the window's thread that has the keyboard focus.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

// Tab, as a user presses it, until the control has the focus.
bool TabTo(HWND window, int id) {
    HWND control = e2e::FindControl(window, id);
    for (int press = 0; press < 12 && FocusOf(window) != control; ++press) {
        SetForegroundWindow(window);
        testsupport::PressKey(VK_TAB);
        Sleep(100);
    }
    return control && FocusOf(window) == control;
}

TEST_F(DialogsEndToEnd, OneEntryRemovedSinceABackupIsBroughtBackWithTheKeyboard) {
    ASSERT_TRUE(AddEntry(AnEntry("Kept", "C:\\bmtest\\kept.exe")).ok());
    ASSERT_TRUE(AddEntry(AnEntry("Other", "C:\\bmtest\\other.exe").Kind(21)).ok());
    StartProgram();
    Command(kMakeBackup);
    EXPECT_EQ(TakeMessage(), "The backup is complete.");
    ASSERT_TRUE(DeleteEntry(Find("Kept")).ok());
    ASSERT_TRUE(DeleteEntry(Find("Other")).ok());

    Command(kManageBackups);
    HWND restore = Wait(WindowClass::Restore);
    ASSERT_TRUE(restore);
    ASSERT_TRUE(TabTo(restore, kRestoreCompare));
    HWND compare = nullptr;
    for (int press = 0; press < 5 && !compare; ++press) {
        SetForegroundWindow(restore);
        testsupport::PressKey(VK_RETURN);
        compare = e2e::WaitForWindow(WindowClass::Compare, 2000, program_.processId());
    }
    ASSERT_TRUE(compare);
    Sleep(200);
    e2e::Screenshot("compare", compare);
    // Both removed, in the snapshot's order: the user's key first, and the first line is selected.
    DWORD_PTR lines = 0;
    SendMessageTimeoutW(e2e::FindControl(compare, kCompareList), LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000,
                        &lines);
    EXPECT_EQ(lines, 2u);
    ASSERT_TRUE(TabTo(compare, kCompareBringBack));
    SetForegroundWindow(compare);
    testsupport::PressKey(VK_RETURN);
    EXPECT_TRUE(e2e::AnswerQuestion(true));
    const std::string message = TakeMessage();
    EXPECT_NE(message.find("Kept"), std::string::npos) << message;
    EXPECT_EQ(Find("Kept").kind, 11);
    EXPECT_EQ(Find("Other").kind, 0) << "no other entry comes back";

    for (HWND window : {compare, restore}) {
        e2e::Close(window);
        EXPECT_TRUE(testsupport::Eventually([window] { return !IsWindowVisible(window); }, 5000));
    }
}

TEST_F(DialogsEndToEnd, ReleasingABlockedLineSwitchesTheSelectedEntryOn) {
    ASSERT_TRUE(AddEntry(AnEntry("Nag", "C:\\bmtest\\nag.exe")).ok());
    StartProgram();
    // Blocked in the main window: on the block list, switched off.
    ASSERT_TRUE(SelectEntryLine("Nag"));
    Command(kBlockEntry);
    const std::string listFile = DataFolder(kBaseName) + kBlockListFileName;
    for (int i = 0; i < 50 && testsupport::ReadFileBytes(listFile).empty(); ++i) Sleep(100);
    const std::string line = testsupport::ReadFileBytes(listFile);
    ASSERT_FALSE(line.empty());
    Sleep(300);
    EXPECT_EQ(Find("Nag").active, 0);

    ASSERT_TRUE(SelectEntryLine("Nag"));
    Command(kBlockedEntries);
    HWND blocked = Wait(WindowClass::BlockedEntries);
    ASSERT_TRUE(blocked);
    HWND list = e2e::FindControl(blocked, kBlockedList);
    EXPECT_EQ(e2e::ListLines(list), std::vector<std::string>{line.substr(0, line.size() - 2)});
    ASSERT_TRUE(e2e::SelectListLine(list, 0));
    Sleep(100);
    e2e::Screenshot("blocked", blocked);
    e2e::Click(blocked, kBlockedRelease);
    for (int i = 0; i < 50 && !e2e::ListLines(list).empty(); ++i) Sleep(100);
    EXPECT_TRUE(e2e::ListLines(list).empty());
    e2e::Close(blocked);
    ASSERT_TRUE(e2e::WaitUntilGone(blocked));
    EXPECT_EQ(Find("Nag").active, 1);
    EXPECT_EQ(testsupport::ReadFileBytes(DataFolder(kBaseName) + kBlockListFileName), "");
}

}  // namespace
