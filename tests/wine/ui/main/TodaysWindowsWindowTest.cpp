// The main window on a prefix seeded like a typical Windows 11 machine: entries
// of both registry views of the machine, one Task Manager switched off, one
// whose program is gone, one in a location Windows NT never starts. Each line
// must show its true state and say why it will not start; switching Windows'
// own switch back on changes only that switch; the RunOnce question; the offer
// of administrator rights (through the seams for rights Wine always grants);
// and a value another program writes appears while the window is open.
#include <gtest/gtest.h>

#include "WindowDriving.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "entries/EntryCatalogue.h"
#include "entries/ShellLink.h"
#include "entries/StoredCommand.h"
#include "i18n/TranslationCatalogue.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/Elevation.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "system/Utf8.h"
#include "ui/main/MainWindow.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"
#include "wine/entries/LocationsFixture.h"

using namespace entrytest;

namespace {

// Task Manager's bytes for "switched off": 03, three zeros, the FILETIME of the change.
const std::string kOffByTaskManager("\x03\x00\x00\x00\xd4\x0d\x43\x8d\xc8\x3b\xd9\x01", 12);
const char kNotepad[] = "C:\\windows\\notepad.exe";
const char kGone[] = "\"C:\\Program Files\\Gone Vendor\\gone.exe\" /tray";

// Messages of this thread for a while (timers, paints), or until done says so.
void Pump(unsigned ms, const std::function<bool()>& done = nullptr) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done && done()) return;
        Sleep(10);
    }
}

std::string ApprovedKey(const char* sub) { return std::string(kStartupApprovedKey) + "\\" + sub; }

class TodaysWindowsWindow : public LocationsTest {
protected:
    static void SetUpTestSuite() {
        CreateSharedShellLink();
        PrepareDataFolder(kBaseName, false);
        const std::string german = testsupport::ReadFileBytes(testsupport::ProductPath("Bootmarshal.t00"));
        ASSERT_FALSE(german.empty());
        ASSERT_TRUE(testsupport::WriteFileBytes(DataFolder(kBaseName) + "Bootmarshal.def", german));
        LoadTranslation(kBaseName);
    }

    void SetUp() override {
        LocationsTest::SetUp();
        mainwindowtest::AnswerQuestionsFrom(answers_);
    }

    void TearDown() override {
        window_.reset();
        SetPromptResponderForTests(nullptr);
        SetElevatedStarterForTests(nullptr);
        SetNotElevatedForTests(false);
        LocationsTest::TearDown();
    }

    // A typical Windows 11 machine, as far as its logon entries go.
    void SeedTypicalMachine() {
        SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun), "SecurityHealth", kNotepad);
        SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun32), "Vendor Updater",
                  std::string("\"") + kNotepad + "\" /background");
        SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Teams", std::string(kNotepad) + " /quiet");
        SetValue(HKEY_CURRENT_USER, ApprovedKey("Run"), "Teams", REG_BINARY, kOffByTaskManager.data(),
                 static_cast<DWORD>(kOffByTaskManager.size()));
        SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Gone Tray", kGone);
        SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRunServices), "Old Service", kNotepad);
    }

    void Open() {
        window_ = std::make_unique<ui::MainWindow>();
        ASSERT_TRUE(window_->Create()) << testsupport::LastErrorText("creating the main window");
        window_->RefreshList();
    }

    int LineOf(int32_t kind, const std::string& name) const {
        const ui::MainWindowModel& model = window_->Model();
        for (size_t i = 0; i < model.LineCount(); ++i) {
            const StartupEntry& entry = model.EntryForLine(static_cast<int>(i));
            if (entry.kind == kind && entry.name == name) return static_cast<int>(i);
        }
        return -1;
    }

    void Select(int32_t kind, const std::string& name) {
        const int line = LineOf(kind, name);
        ASSERT_GE(line, 0) << name;
        mainwindowtest::SelectListLine(*window_, line);
        ASSERT_EQ(window_->Model().SelectedLine(), line);
    }

    void Click(int id) { mainwindowtest::ClickControl(*window_, id); }

    std::vector<PromptRecord> Questions() {
        std::vector<PromptRecord> questions;
        for (const PromptRecord& prompt : TakeRecordedPrompts()) {
            if (prompt.kind == PromptKind::Question || prompt.kind == PromptKind::Message) questions.push_back(prompt);
        }
        return questions;
    }

    void Shoot(const std::string& name) {
        ShowWindow(window_->hwnd(), SW_SHOW);
        SetWindowPos(window_->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        RedrawWindow(window_->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(300);
        EXPECT_TRUE(testsupport::SaveWindowImage(window_->hwnd(), testsupport::ScreensFolder() + name + ".bmp"));
    }

    std::vector<bool> answers_;
    std::unique_ptr<ui::MainWindow> window_;
};

TEST_F(TodaysWindowsWindow, EveryEntryShowsItsTrueStateAndWhyItWillNotStart) {
    SeedTypicalMachine();
    Open();
    const struct {
        int32_t kind;
        const char* name;
        uint8_t active;
        ui::Colour colour;
        std::string status;
        std::string reason;
    } rows[] = {
        {kMachineRun, "SecurityHealth", 1, ui::kRegistryColour, GetText(Text::EntryActive), ""},
        {kMachineRun32, "Vendor Updater", 1, ui::kRegistryColour, GetText(Text::EntryActive), ""},
        {kUserRun, "Teams", 0, ui::kInactiveColour, GetText(Text::SwitchedOffByWindows),
         GetText(Text::WillNotStartSwitchedOffByWindows)},
        {kUserRun, "Gone Tray", 1, ui::kWillNotRunColour, GetText(Text::EntryActive),
         GetText(Text::WillNotStartProgramMissing) + " C:\\Program Files\\Gone Vendor\\gone.exe"},
        {kMachineRunServices, "Old Service", 1, ui::kWillNotRunColour, GetText(Text::EntryActive),
         GetText(Text::WillNotStartOnNt)},
    };
    EXPECT_EQ(window_->Model().LineCount(), std::size(rows));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Select(row.kind, row.name);
        const int line = window_->Model().SelectedLine();
        EXPECT_EQ(window_->Model().CurrentEntry().active, row.active);
        EXPECT_EQ(window_->Model().LineColour(line), row.colour);
        std::string status = row.status;
        EXPECT_EQ(window_->ControlText(kIdStatusText), status);
        EXPECT_EQ(window_->ControlText(kIdReasonText), row.reason);
    }
    Select(kMachineRun32, "Vendor Updater");
    EXPECT_NE(window_->ControlText(kIdLocationText).find(GetText(Text::View32Bit)), std::string::npos)
        << window_->ControlText(kIdLocationText);
    Shoot("today-32bit-entry");
    Select(kUserRun, "Teams");
    Shoot("today-switched-off-by-windows");
    Select(kUserRun, "Gone Tray");
    Shoot("today-program-missing");
}

TEST_F(TodaysWindowsWindow, SwitchingOnWhatWindowsSwitchedOffChangesOnlyItsFlag) {
    SeedTypicalMachine();
    Open();
    Select(kUserRun, "Teams");
    Click(kIdSwitchButton);
    EXPECT_EQ(GetValue(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Teams"),
              std::make_pair(DWORD(REG_SZ), std::string(kNotepad) + " /quiet"));
    const auto [type, bytes] = GetValue(HKEY_CURRENT_USER, ApprovedKey("Run"), "Teams");
    EXPECT_EQ(type, DWORD(REG_BINARY));
    ASSERT_EQ(bytes.size(), 12u);
    EXPECT_EQ(bytes[0], '\x02') << "even: may run";
    EXPECT_EQ(window_->Model().CurrentEntry().name, "Teams");
    EXPECT_EQ(window_->Model().CurrentEntry().active, 1);
    EXPECT_EQ(window_->ControlText(kIdStatusText), GetText(Text::EntryActive));
    EXPECT_EQ(window_->ControlText(kIdReasonText), "");
}

TEST_F(TodaysWindowsWindow, SwitchingOffARunOnceEntryAsksFirstAndSaysItWillBeGone) {
    SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRunOnce32), "Finish Setup", kNotepad);
    Open();
    Select(kMachineRunOnce32, "Finish Setup");
    answers_ = {false};
    Click(kIdSwitchButton);
    std::vector<PromptRecord> asked = Questions();
    ASSERT_EQ(asked.size(), 1u);
    // The question names the entry it is about.
    EXPECT_EQ(asked[0].text.rfind(GetText(Text::RunOnceSwitchOffQuestion) + "\n\nFinish Setup  (", 0), 0u)
        << asked[0].text;
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRunOnce32), "Finish Setup").second, kNotepad);

    answers_ = {true};
    Click(kIdSwitchButton);
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRunOnce32), "Finish Setup").second,
              DeactivationMarker() + kNotepad);
    EXPECT_EQ(window_->Model().CurrentEntry().active, 0);
    EXPECT_EQ(window_->ControlText(kIdStatusText),
              GetText(Text::EntryInactive) + "\r\n" + GetText(Text::RunOnceGoneAfterLogon));
    EXPECT_TRUE(answers_.empty());
    // Switching it on again asks nothing.
    TakeRecordedPrompts();
    Click(kIdSwitchButton);
    for (const PromptRecord& prompt : Questions()) EXPECT_NE(prompt.kind, PromptKind::Question) << prompt.text;
    EXPECT_EQ(window_->Model().CurrentEntry().active, 1);
}

std::string g_startedWith;
int g_starts = 0;

TEST_F(TodaysWindowsWindow, AMachineWideChangeRefusedForLackOfRightsOffersAnElevatedCopy) {
    SetNotElevatedForTests(true);
    SetElevatedStarterForTests([](const std::string&, const std::string& arguments) {
        g_startedWith = arguments;
        ++g_starts;
        return ElevatedStart::Started;
    });
    SetRegistryWriteDenialForTests([](HKEY root, const std::string&) { return root == HKEY_LOCAL_MACHINE; });
    SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun32), "Vendor Updater", kNotepad);
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Mine", kNotepad);
    Open();
    Select(kMachineRun32, "Vendor Updater");
    Shoot("today-shield-on-machine-entry");

    // No: nothing is started.
    answers_ = {false};
    Click(kIdSwitchButton);
    std::vector<PromptRecord> asked = Questions();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].kind, PromptKind::Question);
    EXPECT_NE(asked[0].text.find(GetText(Text::OfferElevatedCopy)), std::string::npos) << asked[0].text;
    EXPECT_NE(asked[0].text.find(GetText(Text::NotChanged)), std::string::npos) << "says first what did not happen";
    EXPECT_EQ(g_starts, 0);

    // Yes: the copy is started with the machine-wide switch.
    answers_ = {true};
    Click(kIdSwitchButton);
    EXPECT_EQ(g_starts, 1);
    EXPECT_EQ(g_startedWith, "/machinewide");
    EXPECT_EQ(GetValue(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun32), "Vendor Updater").second, kNotepad);

    // The user's own entries never need it: a refusal there is only reported.
    SetRegistryWriteDenialForTests([](HKEY, const std::string&) { return true; });
    Select(kUserRun, "Mine");
    TakeRecordedPrompts();
    Click(kIdSwitchButton);
    asked = Questions();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].kind, PromptKind::Message);
    EXPECT_EQ(asked[0].text.find(GetText(Text::OfferElevatedCopy)), std::string::npos);
    EXPECT_EQ(g_starts, 1);
}

TEST_F(TodaysWindowsWindow, TheElevatedCopySaysSoInItsTitle) {
    SetMachineWideOnly(true);
    Open();
    SetMachineWideOnly(false);
    EXPECT_EQ(ui::WindowTextOf(window_->hwnd()),
              GetText(Text::MainWindowTitle) + " " + GetText(Text::AdministratorTitle));
}

TEST_F(TodaysWindowsWindow, AValueAnotherProgramWritesIsListedWithinASecondAndTheSelectionStays) {
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Keep", kNotepad);
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Zed", kNotepad);
    Open();
    Select(kUserRun, "Zed");
    Pump(300);  // the watch is armed and quiet

    const ULONGLONG start = GetTickCount64();
    SetString(HKEY_LOCAL_MACHINE, KeyPathOf(kMachineRun32), "Arrived", kNotepad);
    Pump(1000, [this] { return LineOf(kMachineRun32, "Arrived") >= 0; });
    EXPECT_GE(LineOf(kMachineRun32, "Arrived"), 0);
    EXPECT_LT(GetTickCount64() - start, 1000u);
    EXPECT_EQ(window_->Model().CurrentEntry().name, "Zed") << "the same entry, though its line moved";
    EXPECT_EQ(window_->Model().SelectedLine(), LineOf(kUserRun, "Zed"));

    // A Startup folder's link counts as much as a value.
    ASSERT_TRUE(WritePlatformLink(FolderOf(kUserStartup) + "Linked.lnk", {kNotepad, ""}));
    Pump(1000, [this] { return LineOf(kUserStartup, "Linked") >= 0; });
    EXPECT_GE(LineOf(kUserStartup, "Linked"), 0);
}

const char kPackageRepository[] =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\Repository\\"
    "Packages\\";
const char kPackageStates[] =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\SystemAppData\\";
const struct {
    const char* fullName;
    const char* family;
    const char* displayName;
    DWORD state;
} kPackages[] = {{"Contoso.Notes_1.2.3.0_x64__8wekyb3d8bbwe", "Contoso.Notes_8wekyb3d8bbwe", "Contoso Notes", 2},
                 {"Contoso.Board_2.0.0.0_x64__8wekyb3d8bbwe", "Contoso.Board_8wekyb3d8bbwe", "Contoso Board", 3}};

// Packaged apps laid out as Windows installs one for the user: its manifest
// with a startup task in the package's folder, its repository key, and the
// state Settings keeps for the task (a policy keeps the second package's off).
void InstallPackagedApps() {
    const std::string manifest =
        testsupport::ReadFileBytes(testsupport::SourcePath("tests/wine/entries/packages/contoso-notes.xml"));
    ASSERT_FALSE(manifest.empty());
    for (const auto& package : kPackages) {
        const std::string folder = std::string("C:\\bmtest\\WindowsApps\\") + package.fullName;
        MakeFolders(folder);
        std::string named = manifest;
        named.replace(named.find("<DisplayName>Contoso Notes"), std::string("<DisplayName>Contoso Notes").size(),
                      std::string("<DisplayName>") + package.displayName);
        ASSERT_TRUE(WriteBytes(folder + "\\AppxManifest.xml", named));
        MakeFolders(folder + "\\Tray");
        ASSERT_TRUE(WriteBytes(folder + "\\Tray\\NotesTray.exe", "MZ"));  // its program is there
        SetString(HKEY_CURRENT_USER, kPackageRepository + std::string(package.fullName), "PackageRootFolder", folder);
        SetValue(HKEY_CURRENT_USER, kPackageStates + std::string(package.family) + "\\NotesTrayTask", "State",
                 REG_DWORD, &package.state, sizeof package.state);
    }
}

void RemovePackagedApps() {
    for (const auto& package : kPackages) {
        RegDeleteTreeW(HKEY_CURRENT_USER, WideFromUtf8(kPackageRepository + std::string(package.fullName)).c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, WideFromUtf8(kPackageStates + std::string(package.family)).c_str());
    }
}

TEST_F(TodaysWindowsWindow, APackagedAppsStartupTaskIsListedUnderAppsWithItsState) {
    InstallPackagedApps();
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Teams", std::string(kNotepad) + " /quiet");
    Open();

    Select(kPackagedAppTasks, "Contoso Board");
    EXPECT_EQ(window_->Model().LineColour(window_->Model().SelectedLine()), ui::kInactiveColour);
    EXPECT_EQ(window_->ControlText(kIdReasonText), GetText(Text::WillNotStartPackagedTaskOffByPolicy));
    Select(kPackagedAppTasks, "Contoso Notes");
    EXPECT_EQ(window_->Model().CurrentEntry().active, 1);
    EXPECT_EQ(window_->Model().LineColour(window_->Model().SelectedLine()), ui::kTaskColour);
    EXPECT_EQ(window_->ControlText(kIdLocationText),
              GetText(Text::PackagedAppTask) + ": " + GetText(Text::CurrentUser));
    EXPECT_EQ(window_->ControlText(kIdGroupLabelTasks), GetText(Text::TasksAndAppsHeading));
    Shoot("today-packaged-app");
    RemovePackagedApps();
}

// The width a control's caption takes in the font the control draws it with.
int CaptionWidth(HWND control) {
    const std::wstring text = WideFromUtf8(ui::WindowTextOf(control));
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size.cx;
}

RECT ClientRectIn(HWND window, HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The group of scheduled tasks and packaged apps in each shipped language:
// its title ends before its info image, every box's caption fits beside the
// box, and the legend below stays clear of the last box and of the tips.
TEST_F(TodaysWindowsWindow, TheTasksAndAppsGroupKeepsItsCaptionsWholeInEveryLanguage) {
    InstallPackagedApps();
    const int checkWidth = GetSystemMetrics(SM_CXMENUCHECK) + 4;  // the box and the gap before the caption
    for (const char* language : {"0", "1", "2"}) {
        SCOPED_TRACE(language);
        const std::string texts =
            testsupport::ReadFileBytes(testsupport::ProductPath(std::string("Bootmarshal.t0") + language));
        ASSERT_FALSE(texts.empty());
        ASSERT_TRUE(testsupport::WriteFileBytes(DataFolder(kBaseName) + "Bootmarshal.def", texts));
        LoadTranslation(kBaseName);
        window_.reset();
        Open();
        Select(kPackagedAppTasks, "Contoso Notes");
        const HWND main = window_->hwnd();

        const HWND title = window_->Control(kIdGroupLabelTasks);
        EXPECT_EQ(window_->ControlText(kIdGroupLabelTasks), GetText(Text::TasksAndAppsHeading));
        const RECT titleRect = ClientRectIn(main, title);
        EXPECT_LE(titleRect.left + CaptionWidth(title), ClientRectIn(main, window_->Control(kIdInfoImageTasks)).left)
            << ui::WindowTextOf(title);
        int lastBottom = 0;
        for (const int id : {kIdFilterTasksAtLogon, kIdFilterWindowsTasks, kIdFilterPackagedApps}) {
            const HWND box = window_->Control(id);
            const RECT rect = ClientRectIn(main, box);
            EXPECT_LE(checkWidth + CaptionWidth(box), rect.right - rect.left) << ui::WindowTextOf(box);
            lastBottom = std::max(lastBottom, static_cast<int>(rect.bottom));
        }
        EXPECT_GE(ClientRectIn(main, window_->Control(kIdLegendRule)).top, lastBottom);
        EXPECT_LE(ClientRectIn(main, window_->Control(kIdLegendWillNotRun)).bottom,
                  ClientRectIn(main, window_->Control(kIdInformationHeading)).top);
        Shoot(std::string("today-tasks-and-apps-") + language);
    }
    window_.reset();
    const std::string german = testsupport::ReadFileBytes(testsupport::ProductPath("Bootmarshal.t00"));
    ASSERT_TRUE(testsupport::WriteFileBytes(DataFolder(kBaseName) + "Bootmarshal.def", german));
    LoadTranslation(kBaseName);
    RemovePackagedApps();
}

}  // namespace
