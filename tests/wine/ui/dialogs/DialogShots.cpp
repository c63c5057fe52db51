// Screenshots of every dialog of the program, at 96 and at 144 DPI, under the
// test's Xvfb display. Each dialog is shown with sample contents, captured from
// the screen into a BMP in the folder BM_SHOT_DIR (default: the current one),
// and checked for its client size at that DPI. The 144-DPI pass runs in a child
// process that starts after the DPI setting was written for the user. The
// pictures are BMP files named <dialog>-<dpi>.bmp.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "backup/BackupStore.h"
#include "blocking/BlockList.h"
#include "i18n/TranslationCatalogue.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "ui/dialogs/BlockedEntriesDialog.h"
#include "ui/dialogs/CompareDialog.h"
#include "ui/dialogs/EntryEditorDialog.h"
#include "ui/dialogs/InfoWindow.h"
#include "ui/dialogs/LanguageDialog.h"
#include "ui/dialogs/LocationDialog.h"
#include "ui/dialogs/RestoreDialog.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"

namespace {

// BM_SHOT_DIR when set, else the build tree's artifacts folder (through Wine's Z: drive).
std::string ShotFolder() {
    char folder[MAX_PATH] = "";
    const DWORD n = GetEnvironmentVariableA("BM_SHOT_DIR", folder, sizeof folder);
    std::string path = n > 0 && n < sizeof folder ? std::string(folder) : "Z:" + std::string(BM_SHOT_FOLDER);
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    if (path.back() != '\\') path += '\\';
    return path;
}

void Pump(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

class DialogShots : public ::testing::Test {
protected:
    void SetUp() override {
        SetProcessDPIAware();
        PrepareDataFolder(kBaseName, false);
        const std::string folder = DataFolder(kBaseName);
        for (int i = 0; i < 3; ++i) {
            const std::string leaf = "Bootmarshal.t0" + std::to_string(i);
            testsupport::WriteFileBytes(folder + leaf,
                                        testsupport::ReadFileBytes(testsupport::SourcePath("lang\\" + leaf)));
        }
        testsupport::WriteFileBytes(folder + "Bootmarshal.def", testsupport::ReadFileBytes(folder + "Bootmarshal.t01"));
        LoadTranslation(kBaseName);
        SetPromptResponderForTests([](const PromptRecord&) { return false; });
        dpi_ = testsupport::ScreenDpi();
    }
    void TearDown() override { SetPromptResponderForTests(nullptr); }

    // Shows the dialog, captures it and checks its client size at this DPI.
    void Shoot(ui::WindowBase& dialog, const std::string& name, int width96, int height96) {
        dialog.Create();
        dialog.CenterOnScreen();
        ShowWindow(dialog.hwnd(), SW_SHOW);
        SetForegroundWindow(dialog.hwnd());
        Pump(400);
        RECT client{};
        GetClientRect(dialog.hwnd(), &client);
        EXPECT_NEAR(client.right, MulDiv(width96, dpi_, 96), 1) << name;
        EXPECT_NEAR(client.bottom, MulDiv(height96, dpi_, 96), 1) << name;
        EXPECT_TRUE(
            testsupport::SaveWindowImage(dialog.hwnd(), ShotFolder() + name + "-" + std::to_string(dpi_) + ".bmp"));
    }

    // Shows and captures the dialog at the size its texts gave it.
    void ShootAsLaidOut(ui::WindowBase& dialog, const std::string& name) {
        dialog.CenterOnScreen();
        ShowWindow(dialog.hwnd(), SW_SHOW);
        Pump(400);
        EXPECT_TRUE(
            testsupport::SaveWindowImage(dialog.hwnd(), ShotFolder() + name + "-" + std::to_string(dpi_) + ".bmp"));
        dialog.Hide();
    }

    int dpi_ = 96;
};

TEST_F(DialogShots, EveryDialog) {
    StartupEntry entry;
    entry.name = "Updater";
    entry.command = "\"C:\\Program Files\\Updater\\update.exe\" /background";
    entry.active = 1;
    entry.kind = 12;

    ui::LocationDialog& location = ui::TheLocationDialog();
    location.Prepare(entry, ui::LocationDialog::Mode::ChooseOnly);
    Shoot(location, "location", 535, 559);
    location.Hide();
    // An entry of the machine's 32-bit view: its hive choice checked.
    StartupEntry entry32 = entry;
    entry32.kind = kMachineRun32;
    location.Prepare(entry32, ui::LocationDialog::Mode::ChooseOnly);
    Shoot(location, "location-32bit", 535, 559);
    location.Hide();

    ui::EntryEditorDialog& editor = ui::TheEntryEditor();
    editor.Prepare(entry, false);
    Shoot(editor, "editor", 503, 222);
    editor.Hide();

    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    BackupStore store(parser, DataFolder(kBaseName) + "ShotBackup.xml");
    for (int i = 0; i < 3; ++i) {
        store.List().Snapshots.emplace_back();
        store.List().Snapshots.back().Timestamp = LocalDateTime{2026, 12, 8 + i, 9, 30 + i, 15, 0};
        store.List().Snapshots.back().Entries.assign(static_cast<size_t>(20 + i), entry);
    }
    ui::RestoreDialog& restore = ui::TheRestoreDialog();
    restore.Prepare(store);
    Shoot(restore, "restore", 349, 253);
    restore.Hide();

    // What changed since the oldest of them: every entry of this run is new.
    ui::CompareDialog& compare = ui::TheCompareDialog();
    EntryList recorded;
    StartupEntry gone = entry;
    gone.name = "Removed since";
    recorded.push_back(gone);
    compare.Prepare(store, recorded, "08.12.2026 09:30:15");
    Shoot(compare, "compare", 600, 360);
    compare.Hide();

    testsupport::WriteFileBytes(DataFolder(kBaseName) + kBlockListFileName,
                                "C:\\Tools\\Nag.exe /tray\r\n\"C:\\Program Files\\Vendor Cloud Sync\\Helpers\\"
                                "CloudSyncAutoUpdater.exe\" --silent --check-interval=3600 --channel=stable\r\n"
                                "C:\\Games\\launcher.exe\r\n");
    LoadBlockList();
    ui::BlockedEntriesDialog& blocked = ui::TheBlockedEntriesDialog();
    StartupEntry none;
    blocked.Prepare(none);
    SendMessageA(GetDlgItem(blocked.hwnd(), kIdBlockedList), LB_SETCURSEL, 1, 0);
    SendMessageA(blocked.hwnd(), WM_COMMAND, MAKEWPARAM(kIdBlockedList, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(blocked.hwnd(), kIdBlockedList)));
    Shoot(blocked, "blocked", 417, 343);
    blocked.ShowWholeLine(1);
    Pump(200);
    testsupport::SaveWindowImage(blocked.hwnd(), ShotFolder() + "blocked-hover-" + std::to_string(dpi_) + ".bmp");
    blocked.ShowWholeLine(-1);
    blocked.Hide();

    ui::InfoWindow& info = ui::TheInfoWindow();
    info.Create();
    info.FillContents();
    Shoot(info, "info", 494, 518);
    info.Hide();
}

// Why a control's caption does not fit its client rectangle, measured with the
// control's own font as it draws it; empty when it fits. Check boxes and radio
// buttons lose their box and gap, frames their corners; a caption that wraps
// must fit in height, and no single word may be wider than the control.
std::string CaptionDoesNotFit(HWND control, int dpi) {
    wchar_t className[64] = L"";
    GetClassNameW(control, className, 64);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    if (!(style & WS_VISIBLE)) return "";
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return "";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(control, &text[0], length + 1)));
    RECT client{};
    GetClientRect(control, &client);
    int width = client.right;
    const int height = client.bottom;
    bool wraps = false;
    bool prefix = true;
    const std::wstring kind = className;
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
        const LONG type = style & BS_TYPEMASK;
        if (type == BS_OWNERDRAW) return "";  // drawn by the window itself
        if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ||
            type == BS_3STATE || type == BS_AUTO3STATE) {
            width -= MulDiv(13 + 5, dpi, 96);
        } else if (type == BS_GROUPBOX) {
            width -= MulDiv(2 * 8, dpi, 96);
        } else {
            width -= MulDiv(2 * 4, dpi, 96);
        }
        wraps = (style & BS_MULTILINE) != 0;
    } else if (_wcsicmp(kind.c_str(), L"Static") == 0) {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
            type != SS_SIMPLE) {
            return "";
        }
        wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        prefix = (style & SS_NOPREFIX) == 0;
    } else {
        return "";
    }
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, width, 0};
    const UINT format = DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE) | (prefix ? 0 : DT_NOPREFIX);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, format);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    if (needed.right <= width && needed.bottom <= height) return "";
    char utf8[1024] = "";
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
    return std::string(utf8) + " needs " + std::to_string(needed.right) + "x" + std::to_string(needed.bottom) +
           ", has " + std::to_string(width) + "x" + std::to_string(height);
}

void ExpectEveryCaptionFits(const ui::WindowBase& dialog, const std::string& name, int dpi) {
    const std::pair<std::string, int> where(name, dpi);
    EnumChildWindows(
        dialog.hwnd(),
        [](HWND control, LPARAM context) {
            const auto* place = reinterpret_cast<const std::pair<std::string, int>*>(context);
            const std::string fault = CaptionDoesNotFit(control, place->second);
            EXPECT_EQ(fault, "") << place->first << ", control " << GetDlgCtrlID(control);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&where));
}

TEST_F(DialogShots, EveryCaptionFitsInEveryLanguage) {
    StartupEntry entry;
    entry.name = "Updater";
    entry.command = "C:\\Tools\\update.exe";
    entry.active = 1;
    entry.kind = 12;
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    BackupStore store(parser, DataFolder(kBaseName) + "FitBackup.xml");
    store.List().Snapshots.emplace_back();
    store.List().Snapshots.back().Entries.push_back(entry);
    const std::string folder = DataFolder(kBaseName);
    for (int language = 0; language < 3; ++language) {
        testsupport::WriteFileBytes(folder + "Bootmarshal.def",
                                    testsupport::ReadFileBytes(folder + "Bootmarshal.t0" + std::to_string(language)));
        LoadTranslation(kBaseName);
        const std::string suffix = " (" + GetText(0) + ", " + std::to_string(dpi_) + " DPI)";

        ui::LocationDialog& location = ui::TheLocationDialog();
        location.Prepare(entry, ui::LocationDialog::Mode::ChooseOnly);
        location.ApplyTexts();
        ExpectEveryCaptionFits(location, "location" + suffix, dpi_);
        if (language == 2) ShootAsLaidOut(location, "location-fr");
        ui::EntryEditorDialog& editor = ui::TheEntryEditor();
        editor.Prepare(entry, false);
        editor.ApplyTexts();
        ExpectEveryCaptionFits(editor, "editor" + suffix, dpi_);
        ui::RestoreDialog& restore = ui::TheRestoreDialog();
        restore.Prepare(store);
        restore.ApplyTexts();
        ExpectEveryCaptionFits(restore, "backup manager" + suffix, dpi_);
        if (language == 0) ShootAsLaidOut(restore, "restore-de");
        ui::CompareDialog& compare = ui::TheCompareDialog();
        compare.Prepare(store, store.List().Snapshots.back().Entries, "08.12.2026 09:30:15");
        ExpectEveryCaptionFits(compare, "comparison" + suffix, dpi_);
        if (language == 2) ShootAsLaidOut(compare, "compare-fr");
        ui::BlockedEntriesDialog& blocked = ui::TheBlockedEntriesDialog();
        StartupEntry none;
        blocked.Prepare(none);
        blocked.ApplyTexts();
        ExpectEveryCaptionFits(blocked, "blocked entries" + suffix, dpi_);
        ui::InfoWindow& info = ui::TheInfoWindow();
        info.Create();
        info.FillContents();
        ExpectEveryCaptionFits(info, "information" + suffix, dpi_);
    }
    // The language dialog shows its prompts in all three languages at once.
    ui::LanguageDialog& language = ui::TheLanguageDialog();
    language.Create();
    ExpectEveryCaptionFits(language, "language (" + std::to_string(dpi_) + " DPI)", dpi_);
}

TEST_F(DialogShots, EveryCaptionFitsAt144Dpi) {
    if (dpi_ != 96) GTEST_SKIP() << "this is the child";
    EXPECT_EQ(testsupport::RunTestsAtDpi("DialogShots.EveryCaptionFitsInEveryLanguage", 144), 0);
}

// The same at 144 DPI: the setting counts for processes started after it was
// written, so a child process takes the pictures.
TEST_F(DialogShots, EveryDialogAt144Dpi) {
    if (dpi_ != 96) GTEST_SKIP() << "this is the child";
    EXPECT_EQ(testsupport::RunTestsAtDpi("DialogShots.EveryDialog", 144), 0);
}

}  // namespace
