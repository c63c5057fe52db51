#include "ui/main/MainWindow.h"

#include "ui/dialogs/EntryChangeMessages.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <exception>
#include <memory>

#include "blocking/BlockList.h"
#include "blocking/EntryBlocking.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/KnownSystemEntries.h"
#include "entries/RunCheck.h"
#include "entries/StoredCommand.h"
#include "i18n/LanguageFile.h"
#include "i18n/TranslationCatalogue.h"
#include "system/DataFolder.h"
#include "system/Elevation.h"
#include "system/ProductNames.h"
#include "system/Shell.h"
#include "ui/dialogs/BlockedEntriesDialog.h"
#include "ui/dialogs/EntryEditorDialog.h"
#include "ui/dialogs/InfoWindow.h"
#include "ui/dialogs/LocationDialog.h"
#include "ui/dialogs/RestoreDialog.h"
#include "ui/print/Printing.h"
#include "ui/prompts/ErrorTexts.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WindowClasses.h"

namespace ui {

namespace {

constexpr int kClientWidth = 826;
constexpr int kClientHeight = 662;
constexpr int kSidePanelWidth = 241;
constexpr int kStatusBarHeight = 20;
constexpr int kListLineHeight = 16;
constexpr UINT_PTR kTipTimer = 1;
// Change notifications are looked at four times a second: with the coalescer's
// quiet time a change shows within about half a second.
constexpr UINT_PTR kWatchTimer = 2;
constexpr UINT kWatchIntervalMs = 250;
constexpr COLORREF kReasonColour = RGB(200, 0, 0);

// Side panel, 96 DPI.
constexpr int kSourcesHeadingTop = Ribbon::kHeight96 + 6;
constexpr int kHeadingHeight = 22;
constexpr int kInformationHeadingTop = 452;
constexpr int kFilterRowHeight = 18;

// The colour of the side panel's heading bars and the status bar text.
constexpr COLORREF kHeadingTop = RGB(96, 140, 205);
constexpr COLORREF kHeadingBottom = RGB(60, 100, 170);
constexpr COLORREF kPanelLine = RGB(200, 212, 230);
constexpr COLORREF kDetailsBlue = RGB(0, 0, 255);

std::function<void()> g_restartForTests;

struct ButtonCommand {
    int id;
    Command command;
    Picture picture;
    int captionText;
};
const ButtonCommand kDetailsButtons[] = {
    {kIdDeleteButton, Command::DeleteEntry, Picture::Delete, Text::DeleteEntry},
    {kIdChangeButton, Command::ChangeEntry, Picture::Change, Text::ChangeEntry},
    {kIdLaunchButton, Command::LaunchEntry, Picture::Launch, Text::LaunchEntry},
    {kIdBlockButton, Command::BlockEntry, Picture::Block, Text::BlockEntry},
    {kIdSwitchButton, Command::SwitchEntry, Picture::Switch, Text::ChangeLink},
    {kIdMoveButton, Command::MoveEntry, Picture::Move, Text::ChangeOrInfo},
};

const ButtonCommand* FindDetailsButton(int id) {
    for (const ButtonCommand& button : kDetailsButtons) {
        if (button.id == id) return &button;
    }
    return nullptr;
}

const int kGroupLabelIds[] = {kIdGroupLabelFolders, kIdGroupLabelRegistry, kIdGroupLabelWinIni};
const int kInfoImageIds[] = {kIdInfoImageFolders, kIdInfoImageRegistry, kIdInfoImageWinIni};

// Themed check boxes draw their captions in the theme's colour; the filters
// are drawn classically so that they show their group's colour.
void DrawClassic(HWND control) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
    static const SetWindowThemeFn setWindowTheme =
        uxtheme ? reinterpret_cast<SetWindowThemeFn>(reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")))
                : nullptr;
    if (setWindowTheme) setWindowTheme(control, L"", L"");
}

// --- The catalogue and the block list, as the window uses them --------------

std::vector<StartupEntry> CollectEntries() { return CollectAllEntries(); }

EntryTestFn KnownEntryTest() {
    const std::string windowsFolder = WindowsFolder();
    return [windowsFolder](const StartupEntry& entry) { return IsKnownSystemEntryIn(entry, windowsFolder); };
}

bool CommandBlocked(const std::string& command) { return IsBlocked(command); }

// One lookup per refresh: it remembers the files it looked for.
RunVerdictFn RunVerdictTest() {
    auto lookup = std::make_shared<ProgramLookup>(SystemProgramLookup());
    return [lookup](const StartupEntry& entry) {
        RunVerdict verdict;
        verdict.reason = WhyNotRun(entry, *lookup);
        if (verdict.reason == NotRunReason::ProgramMissing) verdict.program = ProgramOfCommand(entry.command, *lookup);
        return verdict;
    };
}

// The system's own shield, as Windows draws it on commands that need
// administrator rights.
HICON LoadShieldIcon() {
    SHSTOCKICONINFO info{};
    info.cbSize = sizeof info;
    if (SUCCEEDED(SHGetStockIconInfo(SIID_SHIELD, SHGSI_ICON | SHGSI_SMALLICON, &info)) && info.hIcon) {
        return info.hIcon;
    }
    // Where the shell has no stock shield, the system's shared one (copied, so
    // that it is ours to destroy like the shell's).
    constexpr WORD kSystemShieldIcon = 32518;  // OIC_SHIELD
    HANDLE shared = LoadImageA(nullptr, MAKEINTRESOURCEA(kSystemShieldIcon), IMAGE_ICON, 0, 0, LR_SHARED);
    return shared ? CopyIcon(static_cast<HICON>(shared)) : nullptr;
}

// A lone carriage return does not break a static control's line.
std::string WithLineBreaks(std::string text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) text.insert(++i, "\n");
    }
    return text;
}

// The message for a change that did not happen: what was not done, why, and
// for an entry that is gone now, everything needed to make it again.
std::string FailureMessage(int headline, const ChangeResult& result, const StartupEntry& entry) {
    std::string text = GetText(headline) + "\n" + GetText(ui::ChangeReasonTextNumber(result.reason));
    if (!result.location.empty()) text += "\n" + result.location;
    if (result.oldEntryLost) {
        text += "\n\n" + GetText(Text::EntryLost) + "\n" + entry.name + "\n" + entry.command + "\n" +
                LocationLabel(entry.kind, GetText);
    }
    return text;
}

std::string WindowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

}  // namespace

void MainWindow::SetRestartForTests(std::function<void()> restart) { g_restartForTests = std::move(restart); }

MainWindow::MainWindow() : DialogBase(WindowClass::Main, kClientWidth, kClientHeight) {}

MainWindow::~MainWindow() {
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
    if (shield_) DestroyIcon(shield_);
}

DWORD MainWindow::Style() const {
    // Without WS_CLIPCHILDREN: group boxes leave their inside to the window's background.
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}

DWORD MainWindow::ExStyle() const { return WS_EX_CONTROLPARENT | WS_EX_APPWINDOW; }

void MainWindow::OnCreate() {
    listFont_ = gdi::CreateScaledFont({"MS Sans Serif", 13, false, true}, dpi());
    groupLabelFont_ = gdi::CreateScaledFont({"MS Sans Serif", 13, true, true}, dpi());
    headingFont_ = gdi::CreateScaledFont({"MS Sans Serif", 13, true, false}, dpi());
    buttonFont_ = gdi::CreateScaledFont({"MS Sans Serif", 13}, dpi());
    nameFont_ = gdi::CreateScaledFont({"MS Sans Serif", 13, false, true}, dpi());

    ribbon_.Create(hwnd(), dpi());
    CreateSidePanel();
    CreateEntryArea();

    std::vector<ACCEL> keys;
    for (const Shortcut& shortcut : Shortcuts()) {
        if (shortcut.listOnly) continue;
        BYTE flags = FVIRTKEY;
        if (shortcut.control) flags |= FCONTROL;
        if (shortcut.alt) flags |= FALT;
        keys.push_back(ACCEL{flags, shortcut.key, static_cast<WORD>(shortcut.command)});
    }
    accelerators_ = CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));

    ApplyTexts();
    SetInitialFocus(kIdEntryList);
    // The first tip as soon as the event loop runs, then one every 90 seconds.
    SetTimer(hwnd(), kTipTimer, kFirstTipDelayMs, nullptr);
    elevated_ = RunsElevated();
    if (!elevated_) shield_ = LoadShieldIcon();
    watcher_.Arm();
    SetTimer(hwnd(), kWatchTimer, kWatchIntervalMs, nullptr);
    UpdateCommandStates();
    SetDialogOwner(hwnd());
    if (creationStep_) creationStep_();
}

void MainWindow::CreateSidePanel() {
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;
    AddControl("STATIC", "", label | SS_CENTERIMAGE, 10, kSourcesHeadingTop, 200, kHeadingHeight, kIdSourcesHeading);
    SetControlFont(kIdSourcesHeading, headingFont_.get());
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 213, kSourcesHeadingTop + 1, 20, 20,
               kIdSourcesToggle);

    int y = kSourcesHeadingTop + kHeadingHeight + 6;
    size_t filter = 0;
    for (size_t group = 0; group < LocationGroups().size(); ++group) {
        AddControl("STATIC", "", label, 14, y, 150, 16, kGroupLabelIds[group]);
        SetControlFont(kGroupLabelIds[group], groupLabelFont_.get());
        SetControlColor(kGroupLabelIds[group], LocationGroups()[group].colour);
        AddControl("BUTTON", "Info", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 170, y, 16, 16, kInfoImageIds[group]);
        y += 18;
        for (; filter < LocationFilters().size() && LocationFilters()[filter].group == group; ++filter) {
            const int id = kIdFilterFirst + static_cast<int>(filter);
            HWND box = AddControl("BUTTON", LocationFilters()[filter].defaultCaption,
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 24, y, 205, 17, id);
            DrawClassic(box);
            SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
            SetControlColor(id, LocationGroups()[group].colour);
            y += kFilterRowHeight;
        }
        y += 4;
    }
    AddControl("STATIC", "", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 14, y + 2, 215, 2, kIdLegendRule);
    AddControl("STATIC", "", label, 14, y + 8, 215, 28, kIdLegend);
    SetControlColor(kIdLegend, RGB(200, 110, 20));
    AddControl("STATIC", "", label, 14, y + 36, 215, 28, kIdLegendWillNotRun);
    SetControlColor(kIdLegendWillNotRun, kWillNotRunColour);

    AddControl("STATIC", "", label | SS_CENTERIMAGE, 10, kInformationHeadingTop, 200, kHeadingHeight,
               kIdInformationHeading);
    SetControlFont(kIdInformationHeading, headingFont_.get());
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 213, kInformationHeadingTop + 1, 20, 20,
               kIdInformationToggle);
    AddControl("EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 52, kInformationHeadingTop + 30, 180,
               116, kIdTipText);
    AddLinkButton("", 48, kInformationHeadingTop + 150, 150, 20, kIdTipLink);
    ShowWindow(Control(kIdTipLink), SW_HIDE);
}

void MainWindow::CreateEntryArea() {
    const int left = kSidePanelWidth + 10, width = kClientWidth - left - 8;
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, left, Ribbon::kHeight96 + 4, width, 198,
               kIdEntriesGroup);
    list_ = AddControl("LISTBOX", "",
                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
                           LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                       left + 10, Ribbon::kHeight96 + 24, width - 20, 168, kIdEntryList);
    SetControlFont(kIdEntryList, listFont_.get());
    SendMessageA(list_, LB_SETITEMHEIGHT, 0, Px(kListLineHeight));

    const int top = 326;
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, left, top, width, 310, kIdDetailsGroup);
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;
    AddControl("STATIC", "", label, left + 12, top + 24, 96, 16, kIdNameCaption);
    AddControl("STATIC", "", label, left + 110, top + 24, width - 122, 32, kIdNameText);
    SetControlFont(kIdNameText, nameFont_.get());
    SetControlColor(kIdNameText, kDetailsBlue);
    AddControl("STATIC", "", label, left + 12, top + 60, 96, 16, kIdCommandCaption);
    AddControl("STATIC", "", label | SS_EDITCONTROL, left + 110, top + 60, width - 122, 46, kIdCommandText);
    SetControlFont(kIdCommandText, nameFont_.get());
    SetControlColor(kIdCommandText, kDetailsBlue);

    const int buttonWidth = (width - 24 - 16) / 3;
    const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
    AddControl("BUTTON", "", button, left + 12, top + 112, buttonWidth, 28, kIdDeleteButton);
    AddControl("BUTTON", "", button, left + 20 + buttonWidth, top + 112, buttonWidth, 28, kIdChangeButton);
    AddControl("BUTTON", "", button, left + 28 + 2 * buttonWidth, top + 112, buttonWidth, 28, kIdLaunchButton);
    AddControl("BUTTON", "", button, left + 12, top + 146, width - 24, 28, kIdBlockButton);

    const int boxWidth = (width - 24 - 8) / 2;
    const int boxTop = top + 184;
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, left + 12, boxTop, boxWidth, 116, kIdStatusGroup);
    AddControl("STATIC", "", label, left + 24, boxTop + 18, boxWidth - 36, 30, kIdStatusText);
    AddControl("STATIC", "", label, left + 24, boxTop + 48, boxWidth - 36, 28, kIdReasonText);
    SetControlColor(kIdReasonText, kReasonColour);
    AddControl("BUTTON", "", button, left + 24, boxTop + 78, 150, 28, kIdSwitchButton);
    const int boxLeft = left + 20 + boxWidth;
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, boxLeft, boxTop, boxWidth, 116, kIdLocationGroup);
    AddControl("STATIC", "", label, boxLeft + 12, boxTop + 22, boxWidth - 24, 50, kIdLocationText);
    AddControl("BUTTON", "", button, boxLeft + 12, boxTop + 78, 150, 28, kIdMoveButton);
    for (const ButtonCommand& b : kDetailsButtons) SetControlFont(b.id, buttonFont_.get());
}

void MainWindow::ApplyTexts() {
    SetCaption(MachineWideOnly() ? GetText(Text::MainWindowTitle) + " " + GetText(Text::AdministratorTitle)
                                 : GetText(Text::MainWindowTitle));
    ribbon_.ApplyTexts(GetText(Text::LanguageName) == "Deutsch");
    SetControlText(kIdSourcesHeading, GetText(Text::StartupSources));
    SetControlText(kIdSourcesToggle, GetText(Text::StartupSources));
    SetControlText(kIdInformationHeading, GetText(Text::NewsAndTips));
    SetControlText(kIdInformationToggle, GetText(Text::NewsAndTips));
    for (size_t group = 0; group < LocationGroups().size(); ++group) {
        SetControlText(kGroupLabelIds[group], GetText(LocationGroups()[group].labelText));
        SetControlText(kInfoImageIds[group], GetText(Text::Info));
    }
    for (size_t filter = 0; filter < LocationFilters().size(); ++filter) {
        if (LocationFilters()[filter].captionText) {
            SetControlText(kIdFilterFirst + static_cast<int>(filter), GetText(LocationFilters()[filter].captionText));
        }
    }
    SetControlText(kIdLegend, GetText(Text::LegendSystemEntries));
    SetControlText(kIdLegendWillNotRun, GetText(Text::LegendWillNotStart));
    SetControlText(kIdEntriesGroup, GetText(Text::EntriesGroup));
    SetControlText(kIdDetailsGroup, GetText(Text::DetailsGroup));
    SetControlText(kIdStatusGroup, GetText(Text::StatusGroup));
    SetControlText(kIdLocationGroup, GetText(Text::LocationGroup));
    SetControlText(kIdNameCaption, GetText(Text::NameCaption));
    SetControlText(kIdCommandCaption, GetText(Text::CommandCaption));
    for (const ButtonCommand& b : kDetailsButtons) SetControlText(b.id, GetText(b.captionText));
    if (!tipTimerStarted_) SetControlText(kIdTipLink, GetText(Text::ClickHere));
    LayOutGroupLabels();
    ShowDetails();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::ApplyInfoImageHints() {
    for (size_t group = 0; group < LocationGroups().size(); ++group)
        SetControlText(kInfoImageIds[group], GetText(Text::Info));
    LayOutGroupLabels();
}

void MainWindow::LayOutGroupLabels() {
    // Each info image sits 5 pixels after its label, which is as wide as its caption.
    for (size_t group = 0; group < LocationGroups().size(); ++group) {
        const RECT label = ControlRect96(kGroupLabelIds[group]);
        const int width = MeasureTextWidth96(ControlText(kGroupLabelIds[group]), groupLabelFont_.get(), DT_NOPREFIX);
        MoveControl(kGroupLabelIds[group], label.left, label.top, width, label.bottom - label.top);
        MoveControl(kInfoImageIds[group], label.left + width + 5, label.top, 16, 16);
    }
}

void MainWindow::Show() {
    RefreshList();
    if (model_.LineCount() > 0) SelectLine(0);
    CenterOnScreen();
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
    SetForegroundWindow(hwnd());
    SetFocus(list_);
}

bool MainWindow::PreTranslate(MSG& message) {
    if (!hwnd() || !IsWindowEnabled(hwnd())) return false;
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;
    if (accelerators_ && TranslateAcceleratorA(hwnd(), accelerators_, &message)) return true;
    if (message.message == WM_KEYDOWN && message.hwnd == list_) {
        for (const Shortcut& shortcut : Shortcuts()) {
            if (shortcut.listOnly && shortcut.key == message.wParam && !(GetKeyState(VK_CONTROL) & 0x8000) &&
                !(GetKeyState(VK_MENU) & 0x8000)) {
                Execute(shortcut.command);
                return true;
            }
        }
    }
    return IsDialogMessageA(hwnd(), &message) != 0;
}

void MainWindow::RefreshList() {
    const std::vector<ListLine> before = model_.Lines();
    model_.Refresh(CollectEntries(), KnownEntryTest(), RunVerdictTest());
    const std::vector<ListLine>& lines = model_.Lines();
    const bool sameLines =
        lines.size() == before.size() &&
        std::equal(lines.begin(), lines.end(), before.begin(),
                   [](const ListLine& a, const ListLine& b) { return a.entry == b.entry && a.text == b.text; });
    if (sameLines && static_cast<size_t>(SendMessageA(list_, LB_GETCOUNT, 0, 0)) == lines.size()) {
        // The same lines for the same entries: only their colours may differ.
        InvalidateRect(list_, nullptr, FALSE);
    } else {
        // Refilled without painting in between, then drawn once.
        SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list_, LB_RESETCONTENT, 0, 0);
        SendMessageA(list_, LB_INITSTORAGE, lines.size(), lines.size() * 24);
        for (const ListLine& line : lines) {
            const LRESULT index = SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.text.c_str()));
            if (index >= 0) {
                SendMessageA(list_, LB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(line.entry));
            }
        }
        SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(model_.SelectedLine()), 0);
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    SelectLine(model_.SelectedLine());
}

void MainWindow::RefreshListFollowing(const StartupEntry& entry) {
    RefreshList();
    if (model_.SelectEntry(entry)) SelectLine(model_.SelectedLine());
}

void MainWindow::RefreshListKeepingSelection() {
    if (model_.HasSelection()) {
        RefreshListFollowing(StartupEntry(model_.CurrentEntry()));
    } else {
        RefreshList();
    }
}

void MainWindow::CheckLocationChanges(uint64_t nowMs) {
    const std::vector<HANDLE>& handles = watcher_.Handles();
    if (!handles.empty()) {
        const DWORD signalled = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, 0);
        if (signalled < WAIT_OBJECT_0 + handles.size()) {
            // Every watch again from scratch: a key made since is watched from now on.
            watcher_.Arm();
            coalescer_.Notice(nowMs);
        }
    }
    // Not under a dialog of the window's: the dialog works on the listed entry.
    if (coalescer_.Due(nowMs) && IsWindowEnabled(hwnd())) {
        coalescer_.Done();
        RefreshListKeepingSelection();
    }
}

void MainWindow::SelectLine(int index) {
    if (index >= static_cast<int>(model_.LineCount())) return;
    model_.SelectLine(index);
    if (static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0)) != model_.SelectedLine()) {
        SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(model_.SelectedLine()), 0);
    }
    ShowDetails();
}

void MainWindow::ShowDetails() {
    const Details details = model_.DetailsOf(model_.SelectedLine(), GetText, CommandTestFn(CommandBlocked));
    const std::string name = WithLineBreaks(details.name);
    const std::string status = WithLineBreaks(details.status);
    // Only what changed is set: every new text repaints its control at once.
    const std::pair<int, const std::string*> texts[] = {{kIdNameText, &name},
                                                        {kIdCommandText, &details.command},
                                                        {kIdStatusText, &status},
                                                        {kIdReasonText, &details.reason},
                                                        {kIdLocationText, &details.location},
                                                        {kIdBlockButton, &details.blockCaption}};
    for (const auto& [id, text] : texts) {
        if (ControlText(id) != *text) SetControlText(id, *text);
    }
    UpdateCommandStates();
}

void MainWindow::UpdateCommandStates() {
    const bool shield = !elevated_ && model_.HasSelection() && IsMachineWideKind(model_.CurrentEntry().kind);
    const bool shieldChanged = shield != shieldShown_;
    shieldShown_ = shield;
    for (const ButtonCommand& b : kDetailsButtons) {
        const bool enabled = IsEnabled(b.command, model_);
        if ((IsWindowEnabled(Control(b.id)) != FALSE) != enabled) EnableWindow(Control(b.id), enabled ? TRUE : FALSE);
        if (shieldChanged && ShieldOnButton(b.id)) InvalidateRect(Control(b.id), nullptr, FALSE);
    }
}

bool MainWindow::ShieldOnButton(int id) const {
    // Launching starts the program with the user's rights; every other command changes the entry.
    return shieldShown_ && id != kIdLaunchButton;
}

bool MainWindow::SetColorScheme(const std::string& name) {
    if (!ribbon_.SetScheme(name)) return false;
    RECT status{0, Px(kClientHeight - kStatusBarHeight), Px(kClientWidth), Px(kClientHeight)};
    InvalidateRect(hwnd(), &status, TRUE);
    return true;
}

void MainWindow::OnCommand(int id, int code, HWND) {
    if (IsCommandId(id)) {  // shortcuts and the context menu
        RunCommand(static_cast<Command>(id));
        return;
    }
    if (id == kIdEntryList) {
        if (code == LBN_SELCHANGE) SelectLine(static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0)));
        if (code == LBN_DBLCLK) RunCommand(Command::ChangeEntry);
        return;
    }
    if (code != BN_CLICKED) return;
    if (ribbon_.IsTab(id)) {
        ribbon_.SelectTab(id);
        return;
    }
    if (const Command* command = ribbon_.CommandOf(id)) {
        RunCommand(*command);
        return;
    }
    if (const ButtonCommand* button = FindDetailsButton(id)) {
        RunCommand(button->command);
        return;
    }
    if (id >= kIdFilterFirst && id < kIdFilterFirst + static_cast<int>(LocationFilters().size())) {
        const size_t filter = static_cast<size_t>(id - kIdFilterFirst);
        model_.SetFilterChecked(filter, SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED);
        RunCommand(Command::Refresh);
        return;
    }
    for (size_t group = 0; group < 3; ++group) {
        if (id == kInfoImageIds[group])
            RunCommand(static_cast<Command>(static_cast<int>(Command::ExplainFolders) + group));
    }
    if (id == kIdTipLink) RunCommand(Command::OpenTipLink);
    if (id == kIdSourcesToggle) RunCommand(Command::ToggleSources);
    if (id == kIdInformationToggle) RunCommand(Command::ToggleInformation);
}

void MainWindow::RunCommand(Command command) { Execute(command); }

void MainWindow::Execute(Command command) {
    if (!IsEnabled(command, model_)) return;
    try {
        switch (command) {
            case Command::NewEntry: {
                StartupEntry entry;
                entry.active = 1;
                if (RunEntryEditor(hwnd(), entry, true)) {
                    RefreshListFollowing(entry);
                } else {
                    RefreshList();
                }
                break;
            }
            case Command::ChangeEntry: {
                // The editor works on a copy: the model's entries change only by a refresh.
                StartupEntry entry = model_.CurrentEntry();
                if (RunEntryEditor(hwnd(), entry, false)) {
                    RefreshListFollowing(entry);
                } else {
                    RefreshList();
                }
                break;
            }
            case Command::DeleteEntry:
                DeleteCurrentEntry();
                break;
            case Command::LaunchEntry:
                LaunchCurrentEntry();
                break;
            case Command::SwitchEntry:
                SwitchCurrentEntry();
                break;
            case Command::MoveEntry: {
                StartupEntry entry = model_.CurrentEntry();
                if (RunLocationDialog(hwnd(), entry)) {
                    RefreshListFollowing(entry);
                } else {
                    RefreshList();
                }
                break;
            }
            case Command::BlockEntry:
                BlockOrReleaseCurrentEntry();
                break;
            case Command::BlockedEntries:
                RunBlockedEntriesDialog(hwnd(), model_.CurrentEntry());
                RefreshList();
                break;
            case Command::MakeBackup:
                MakeBackup(hwnd());
                break;
            case Command::ManageBackups:
                ManageBackups(hwnd());
                RefreshList();
                break;
            case Command::Refresh:
                RefreshList();
                break;
            case Command::Print:
                PrintList();
                break;
            case Command::RestartWindows:
                RestartWindows();
                break;
            case Command::Help:
                OpenExistingWithShell(DataFile(kBaseName, ActivePartFileName(kBaseName, LanguagePart::Help)));
                break;
            case Command::Documentation:
                OpenExistingWithShell(DataFile(kBaseName, ActivePartFileName(kBaseName, LanguagePart::Documentation)));
                break;
            case Command::Homepage:
            case Command::OpenTipLink:
                OpenWithShell(GetText(Text::HomepageAddress));
                break;
            case Command::Email:
                OpenWithShell("mailto:" + GetText(Text::SupportMailAddress));
                break;
            case Command::InfoWindow:
                ShowInfoWindow(hwnd());
                break;
            case Command::Exit:
                PostMessageA(hwnd(), WM_CLOSE, 0, 0);
                break;
            case Command::SchemeBlue:
                SetColorScheme("Blue");
                break;
            case Command::SchemeBlack:
                SetColorScheme("Black");
                break;
            case Command::SchemeSilver:
                SetColorScheme("Silver");
                break;
            case Command::ExplainFolders:
            case Command::ExplainRegistry:
            case Command::ExplainWinIni:
                ExplainGroup(
                    static_cast<size_t>(static_cast<int>(command) - static_cast<int>(Command::ExplainFolders)));
                break;
            case Command::ToggleSources:
                ToggleSection(true);
                break;
            case Command::ToggleInformation:
                ToggleSection(false);
                break;
        }
    } catch (const std::exception& error) {
        ShowMessage2(GetText(Text::UnexpectedError) + "\n" + UserMessage(error));
        RefreshList();
    }
}

void MainWindow::DeleteCurrentEntry() {
    const StartupEntry entry = model_.CurrentEntry();
    if (!AskQuestion(GetText(Text::DeleteQuestion), false)) return;
    const ChangeResult result = DeleteEntry(entry);
    if (result.ok()) {
        ShowMessage2(GetText(Text::Deleted));
    } else {
        ReportFailure(Text::NotDeleted, result, entry);
    }
    RefreshList();
}

void MainWindow::LaunchCurrentEntry() {
    std::string command = model_.CurrentEntry().command;
    const std::string marker = DeactivationMarker();
    if (!marker.empty() && command.compare(0, marker.size(), marker) == 0) command.erase(0, marker.size());
    OpenWithShell(command);
}

void MainWindow::SwitchCurrentEntry() {
    const StartupEntry entry = model_.CurrentEntry();
    // Windows deletes a RunOnce value as it starts it: switched off, the
    // companion is started in its place and the entry is gone.
    if (entry.active && IsRunOnceKind(entry.kind) && !AskQuestion(GetText(Text::RunOnceSwitchOffQuestion), false))
        return;
    RunTimedWait(5);
    ScopedWait wait;
    StartupEntry switched = entry;
    switched.active = entry.active ? 0 : 1;
    const ChangeResult result = ReplaceEntry(entry, switched);
    RefreshListFollowing(entry);
    wait.Close();
    if (!result.ok()) ReportFailure(Text::NotChanged, result, entry);
}

void MainWindow::ReportFailure(int headline, const ChangeResult& result, const StartupEntry& entry) {
    ShowRefusedChange(FailureMessage(headline, result, entry), result, entry.kind);
}

void MainWindow::BlockOrReleaseCurrentEntry() {
    const StartupEntry entry = model_.CurrentEntry();
    if (IsBlocked(entry.command)) {
        ReleaseCurrentEntry(entry);
    } else {
        BlockCurrentEntry(entry);
    }
}

void MainWindow::BlockCurrentEntry(const StartupEntry& entry) {
    const BlockingResult result = BlockEntry(entry);
    switch (result.refusal) {
        case BlockRefusal::EmptyCommand:
            ShowMessage2(GetText(Text::NoCommandToBlock));
            return;
        case BlockRefusal::OwnBlockCheck:
            ShowMessage2(GetText(Text::OwnCheckNotBlockable));
            return;
        case BlockRefusal::None:
            break;
    }
    if (!result.listChanged) {
        ShowMessage2(GetText(Text::CommandNotBlockable));
        return;
    }
    RefreshListFollowing(entry);
    if (!result.entryChange.ok()) {
        ReportFailure(Text::NotSwitchedOffBlockTakenBack, result.entryChange, entry);
    } else if (!result.listSaved) {
        ShowMessage2(GetText(Text::BlockListNotSaved) + "\n" + result.listFile);
    }
}

void MainWindow::ReleaseCurrentEntry(const StartupEntry& entry) {
    const BlockingResult result = ReleaseEntry(entry);
    RefreshListFollowing(entry);
    if (result.listSaved) {
        if (!result.entryChange.ok()) ReportFailure(Text::ReleasedNotSwitchedOn, result.entryChange, entry);
        return;
    }
    std::string problem = GetText(Text::BlockListNotSaved) + "\n" + result.listFile;
    if (!result.entryChange.ok())
        problem += "\n\n" + FailureMessage(Text::ReleasedNotSwitchedOn, result.entryChange, entry);
    ShowMessage2(problem);
}

void MainWindow::PrintList() {
    const PrintResult result = PrintLines(model_.PrintoutLines(GetText), GetText(Text::PrintHeading));
    switch (result.outcome) {
        case PrintOutcome::Printed:
            break;
        case PrintOutcome::NoPrinter:
            ShowMessage2(GetText(Text::NoPrinter));
            break;
        case PrintOutcome::PrinterError:
            ShowMessage2(GetText(Text::PrintFailed) + (result.printer.empty() ? "" : "\n" + result.printer));
            break;
    }
}

void MainWindow::RestartWindows() {
    if (!AskQuestion(GetText(Text::RestartQuestion), false)) return;
    if (g_restartForTests) {
        g_restartForTests();
        return;
    }
    EnablePrivilege("SeShutdownPrivilege");
    ExitWindowsEx(EWX_REBOOT, 0);
}

void MainWindow::ExplainGroup(size_t group) {
    ShowInfoMessage(ControlText(kGroupLabelIds[group]), GetText(LocationGroups()[group].explanation));
}

void MainWindow::ToggleSection(bool sources) {
    bool& shown = sources ? sourcesShown_ : informationShown_;
    shown = !shown;
    std::vector<int> ids;
    if (sources) {
        ids = {kIdGroupLabelFolders, kIdGroupLabelRegistry, kIdGroupLabelWinIni, kIdInfoImageFolders,
               kIdInfoImageRegistry, kIdInfoImageWinIni,    kIdLegend,           kIdLegendRule,
               kIdLegendWillNotRun};
        for (size_t filter = 0; filter < LocationFilters().size(); ++filter) {
            ids.push_back(kIdFilterFirst + static_cast<int>(filter));
        }
    } else {
        ids = {kIdTipText};
        if (tipShowsLink_ || !shown) ids.push_back(kIdTipLink);
    }
    for (int id : ids) ShowWindow(Control(id), shown ? SW_SHOW : SW_HIDE);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::OnTipTimer() {
    if (!tipTimerStarted_) {
        tipTimerStarted_ = true;
        SetTimer(hwnd(), kTipTimer, kTipIntervalMs, nullptr);
    }
    const TipRotation::Tip tip = tips_.Tick();
    tipShowsLink_ = tip.showLink;
    // After a language switch the link speaks the new language too.
    if (tipShowsLink_) SetControlText(kIdTipLink, GetText(Text::ClickHere));
    ShowWindow(Control(kIdTipLink), tipShowsLink_ && informationShown_ ? SW_SHOW : SW_HIDE);
    std::string text = GetText(tip.text);
    // The edit control breaks lines only at CR LF.
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) text.insert(++i, "\n");
    }
    SetControlText(kIdTipText, text);
}

void MainWindow::OnTimer(UINT_PTR timer) {
    if (timer == kTipTimer) OnTipTimer();
    if (timer == kWatchTimer) CheckLocationChanges(GetTickCount64());
}

void MainWindow::OnCancel() { DestroyWindow(hwnd()); }

void MainWindow::ShowContextMenu(int x, int y) {
    if (x == -1 && y == -1) {  // from the keyboard: at the selected line
        RECT line{};
        SendMessageA(list_, LB_GETITEMRECT, static_cast<WPARAM>(std::max(model_.SelectedLine(), 0)),
                     reinterpret_cast<LPARAM>(&line));
        POINT point{line.left + Px(20), line.bottom};
        ClientToScreen(list_, &point);
        x = point.x;
        y = point.y;
    } else {
        POINT point{x, y};
        ScreenToClient(list_, &point);
        const LRESULT hit = SendMessageA(list_, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
        if (HIWORD(hit) == 0) SelectLine(LOWORD(hit));
    }
    HMENU menu = CreatePopupMenu();
    const struct {
        Command command;
        int text;
    } items[] = {{Command::ChangeEntry, Text::ChangeEntry}, {Command::DeleteEntry, Text::DeleteEntry},
                 {Command::LaunchEntry, Text::LaunchEntry}, {Command::SwitchEntry, Text::StatusGroup},
                 {Command::MoveEntry, Text::LocationGroup}, {Command::BlockEntry, 0}};
    for (const auto& item : items) {
        std::string text = item.text ? GetText(item.text) : WindowText(Control(kIdBlockButton));
        if (item.command == Command::SwitchEntry) text += " " + GetText(Text::ChangeLink);
        if (item.command == Command::MoveEntry) text += " " + GetText(Text::ChangeLink);
        // Menu texts give "&" a meaning; the entry's texts are not ours.
        std::string shown;
        for (char c : text) {
            shown += c;
            if (c == '&') shown += '&';
        }
        UINT flags = MF_STRING | (IsEnabled(item.command, model_) ? MF_ENABLED : MF_GRAYED);
        AppendMenuA(menu, flags, static_cast<UINT_PTR>(item.command), shown.c_str());
        if (item.command == Command::LaunchEntry) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    }
    SetMenuDefaultItem(menu, static_cast<UINT>(Command::ChangeEntry), FALSE);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
    DestroyMenu(menu);
    if (chosen) RunCommand(static_cast<Command>(chosen));
}

void MainWindow::OnPaint(HDC dc) {
    RECT client{};
    GetClientRect(hwnd(), &client);
    ribbon_.Paint(dc, client.right);
    // Side panel: a line at its edge and the two heading bars.
    gdi::Brush line(CreateSolidBrush(kPanelLine));
    RECT edge{Px(kSidePanelWidth), Px(Ribbon::kHeight96), Px(kSidePanelWidth) + 1,
              client.bottom - Px(kStatusBarHeight)};
    FillRect(dc, &edge, line.get());
    for (int top : {kSourcesHeadingTop, kInformationHeadingTop}) {
        RECT bar{Px(4), Px(top), Px(kSidePanelWidth - 4), Px(top + kHeadingHeight)};
        gdi::FillGradient(dc, bar, kHeadingTop, kHeadingBottom, true);
    }
    if (informationShown_) {
        RECT tipPicture{Px(14), Px(kInformationHeadingTop + 32), Px(46), Px(kInformationHeadingTop + 64)};
        DrawPicture(dc, Picture::Tip, tipPicture);
    }
    const RibbonScheme& scheme = ribbon_.Scheme();
    RECT status{0, client.bottom - Px(kStatusBarHeight), client.right, client.bottom};
    gdi::FillGradient(dc, status, scheme.status, scheme.panelBottom, true);
    gdi::Brush border(CreateSolidBrush(scheme.border));
    RECT statusLine{0, status.top, client.right, status.top + 1};
    FillRect(dc, &statusLine, border.get());
}

bool MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (ribbon_.DrawItem(item)) return true;
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const int id = static_cast<int>(item.CtlID);
    if (id == kIdEntryList) {
        if (item.itemID == static_cast<UINT>(-1)) return true;
        const int index = static_cast<int>(item.itemID);
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        gdi::Brush background(CreateSolidBrush(selected ? kSelectedLineBackground : kLineBackground));
        FillRect(dc, &rect, background.get());
        // The line's entry by its position, as the item data holds it.
        const size_t position = static_cast<size_t>(SendMessageA(list_, LB_GETITEMDATA, item.itemID, 0));
        Colour colour = kRegistryColour;
        if (index < static_cast<int>(model_.LineCount()) && model_.Lines()[index].entry == position) {
            colour = model_.LineColour(index);
        }
        const std::string text = index < static_cast<int>(model_.LineCount()) ? model_.Lines()[index].text : "";
        gdi::Select font(dc, listFont_.get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colour);
        RECT textRect{rect.left + Px(5), rect.top, rect.right, rect.bottom};
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
                  DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &rect);
        return true;
    }
    if (id == kIdSourcesToggle || id == kIdInformationToggle) {
        const bool shown = id == kIdSourcesToggle ? sourcesShown_ : informationShown_;
        RECT bar = rect;
        MapWindowPoints(item.hwndItem, hwnd(), reinterpret_cast<POINT*>(&bar), 2);
        const int headingTop = id == kIdSourcesToggle ? kSourcesHeadingTop : kInformationHeadingTop;
        RECT gradient{rect.left, Px(headingTop) - bar.top, rect.right, Px(headingTop + kHeadingHeight) - bar.top};
        gdi::FillGradient(dc, gradient, kHeadingTop, kHeadingBottom, true);
        // A chevron: up while the section is open, down while it is folded away.
        const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2, s = Px(4);
        gdi::Pen pen(CreatePen(PS_SOLID, std::max(1, Px(2)), RGB(255, 255, 255)));
        gdi::Select selectPen(dc, pen.get());
        for (int offset : {-s / 2 - 1, s / 2 + 1}) {
            const int y = cy + offset;
            POINT points[3] = {{cx - s, shown ? y + s / 2 : y - s / 2},
                               {cx, shown ? y - s / 2 : y + s / 2},
                               {cx + s, shown ? y + s / 2 : y - s / 2}};
            Polyline(dc, points, 3);
        }
        return true;
    }
    for (int infoId : kInfoImageIds) {
        if (id == infoId) {
            gdi::Brush white(CreateSolidBrush(kWhite));
            FillRect(dc, &rect, white.get());
            DrawPicture(dc, Picture::Info, rect);
            return true;
        }
    }
    if (const ButtonCommand* button = FindDetailsButton(id)) {
        const bool disabled = (item.itemState & ODS_DISABLED) != 0;
        const bool pressed = (item.itemState & ODS_SELECTED) != 0;
        gdi::Brush fill(CreateSolidBrush(pressed ? RGB(205, 225, 250) : RGB(244, 248, 253)));
        gdi::Pen pen(CreatePen(PS_SOLID, 1, disabled ? RGB(210, 210, 210) : RGB(150, 175, 215)));
        gdi::Select selectPen(dc, pen.get());
        gdi::Select selectBrush(dc, fill.get());
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, Px(6), Px(6));
        const int size = Px(16);
        const std::string caption = WindowText(item.hwndItem);
        gdi::Select font(dc, buttonFont_.get());
        RECT measure{0, 0, 0, 0};
        DrawTextA(dc, caption.c_str(), -1, &measure, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        const int contentWidth = std::min<int>(size + Px(6) + measure.right, rect.right - rect.left - Px(8));
        const int left = rect.left + (rect.right - rect.left - contentWidth) / 2 + (pressed ? 1 : 0);
        RECT picture{left, (rect.top + rect.bottom - size) / 2, left + size, (rect.top + rect.bottom + size) / 2};
        if (shield_ && !disabled && ShieldOnButton(id)) {
            DrawIconEx(dc, picture.left, picture.top, shield_, size, size, 0, nullptr, DI_NORMAL);
        } else {
            DrawPicture(dc, button->picture, picture, disabled);
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : RGB(20, 50, 110));
        RECT text{picture.right + Px(6), rect.top, rect.right - Px(4), rect.bottom};
        DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
            RECT focus = rect;
            InflateRect(&focus, -Px(3), -Px(3));
            DrawFocusRect(dc, &focus);
        }
        return true;
    }
    return false;
}

void MainWindow::OnDpiChanged() {
    listFont_ = gdi::CreateScaledFont({"MS Sans Serif", 13, false, true}, dpi());
    groupLabelFont_ = gdi::CreateScaledFont({"MS Sans Serif", 13, true, true}, dpi());
    headingFont_ = gdi::CreateScaledFont({"MS Sans Serif", 13, true, false}, dpi());
    buttonFont_ = gdi::CreateScaledFont({"MS Sans Serif", 13}, dpi());
    nameFont_ = gdi::CreateScaledFont({"MS Sans Serif", 13, false, true}, dpi());
    ribbon_.SetDpi(dpi());
    SetControlFont(kIdEntryList, listFont_.get());
    SendMessageA(list_, LB_SETITEMHEIGHT, 0, Px(kListLineHeight));
    SetControlFont(kIdSourcesHeading, headingFont_.get());
    SetControlFont(kIdInformationHeading, headingFont_.get());
    for (int id : kGroupLabelIds) SetControlFont(id, groupLabelFont_.get());
    SetControlFont(kIdNameText, nameFont_.get());
    SetControlFont(kIdCommandText, nameFont_.get());
    for (const ButtonCommand& b : kDetailsButtons) SetControlFont(b.id, buttonFont_.get());
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            KillTimer(hwnd(), kTipTimer);
            KillTimer(hwnd(), kWatchTimer);
            watcher_.Disarm();
            if (DialogOwner() == hwnd()) SetDialogOwner(nullptr);
            PostQuitMessage(0);
            return 0;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == list_) {
                ShowContextMenu(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == list_ && LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND)));
                return TRUE;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (id == kIdSourcesHeading || id == kIdInformationHeading) {
                // White letters straight on the heading bar.
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(255, 255, 255));
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            }
            break;
        }
        case WM_ERASEBKGND: {
            // Only the white parts: the ribbon, panel headings and status bar are painted whole.
            HDC dc = reinterpret_cast<HDC>(wParam);
            RECT client{};
            GetClientRect(hwnd(), &client);
            RECT body{0, Px(Ribbon::kHeight96), client.right, client.bottom - Px(kStatusBarHeight)};
            FillRect(dc, &body, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            return TRUE;
        }
        default:
            break;
    }
    return DialogBase::HandleMessage(message, wParam, lParam);
}

}  // namespace ui
