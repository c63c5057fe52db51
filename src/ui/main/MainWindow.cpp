#include "ui/main/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>

#include "blocking/BlockCheckLog.h"
#include "blocking/BlockList.h"
#include "entries/EntryCatalogue.h"
#include "entries/KnownSystemEntries.h"
#include "entries/RunCheck.h"
#include "i18n/TranslationCatalogue.h"
#include "report/EntryFields.h"
#include "system/DataFolder.h"
#include "system/Elevation.h"
#include "ui/dialogs/DialogWindows.h"
#include "ui/main/MainWindowLayout.h"
#include "ui/main/WindowPlacement.h"
#include "ui/win/HighContrast.h"
#include "ui/win/Hover.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"
#include "ui/win/WindowClasses.h"

namespace ui {

namespace {

constexpr UINT_PTR kTipTimer = 1;
// Change notifications are looked at four times a second: with the coalescer's
// quiet time a change shows within about half a second.
constexpr UINT_PTR kWatchTimer = 2;
constexpr UINT kWatchIntervalMs = 250;

// Themed check boxes draw their captions in the theme's colour; the filters
// are drawn classically so that they show their group's colour.
void DrawClassic(HWND control) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static HMODULE uxtheme = LoadLibraryW(L"uxtheme.dll");
    static const SetWindowThemeFn setWindowTheme =
        uxtheme ? reinterpret_cast<SetWindowThemeFn>(reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")))
                : nullptr;
    if (setWindowTheme) setWindowTheme(control, L"", L"");
}

// --- The catalogue and the block list, as the window uses them --------------

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
        verdict.reason = WhyEntryWillNotStart(entry, *lookup);
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
    HANDLE shared = LoadImageW(nullptr, MAKEINTRESOURCEW(kSystemShieldIcon), IMAGE_ICON, 0, 0, LR_SHARED);
    return shared ? CopyIcon(static_cast<HICON>(shared)) : nullptr;
}

// Static and edit controls break a line only at CR LF, never at a lone CR.
std::string WithLineBreaks(std::string text) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) text.insert(++i, "\n");
    }
    return text;
}

}  // namespace

MainWindow::MainWindow()
    : WindowBase(WindowClass::Main, kClientWidth, kClientHeight,
                 // A top-level window with a taskbar button that can be resized, minimised
                 // and maximized, without WS_CLIPCHILDREN: group boxes leave their inside
                 // to the window's background.
                 {WS_OVERLAPPEDWINDOW & ~WS_CLIPCHILDREN, WS_EX_CONTROLPARENT | WS_EX_APPWINDOW}) {}

MainWindow::~MainWindow() {
    SetEntriesChangedHandler(nullptr);
    if (accelerators_) DestroyAcceleratorTable(accelerators_);
    if (shield_) DestroyIcon(shield_);
}

void MainWindow::OnCreate() {
    MakeFonts();
    // A release or restore in a dialog over this window shows in the list at once.
    SetEntriesChangedHandler([this] { RefreshListKeepingSelection(); });

    ribbon_.Create(hwnd(), dpi());
    toolTips_.Create(hwnd());
    CreateSidePanel();
    CreateEntryArea();
    // The logon check ends without a word; what it last did shows down here.
    AddControl("STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 0, 0, 0, 0,
               kIdLogonCheckText);
    LayOut(kClientWidth, kClientHeight);

    std::vector<ACCEL> keys;
    for (const Shortcut& shortcut : Shortcuts()) {
        if (shortcut.listOnly) continue;
        BYTE flags = FVIRTKEY;
        if (shortcut.control) flags |= FCONTROL;
        if (shortcut.alt) flags |= FALT;
        keys.push_back(ACCEL{flags, shortcut.key, static_cast<WORD>(shortcut.command)});
    }
    accelerators_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));

    ApplyTexts();
    ServeAccessibility();
    for (const ButtonCommand& b : kDetailsButtons) TrackHover(Control(b.id));
    SetInitialFocus(kIdEntryList);
    // The first tip as soon as the event loop runs, then one every 90 seconds.
    SetTimer(hwnd(), kTipTimer, kFirstTipDelayMs, nullptr);
    elevated_ = RunsElevated();
    if (!elevated_) shield_ = LoadShieldIcon();
    watcher_.Arm();
    SetTimer(hwnd(), kWatchTimer, kWatchIntervalMs, nullptr);
    UpdateCommandStates();
    SetDialogOwner(hwnd());
}

void MainWindow::MakeFonts() {
    listFont_ = gdi::CreateScaledFont({L"MS Sans Serif", 13, false, true}, dpi());
    groupLabelFont_ = gdi::CreateScaledFont({L"MS Sans Serif", 13, true, true}, dpi());
    headingFont_ = gdi::CreateScaledFont({L"MS Sans Serif", 13, true, false}, dpi());
    buttonFont_ = gdi::CreateScaledFont({L"MS Sans Serif", 13}, dpi());
    nameFont_ = gdi::CreateScaledFont({L"MS Sans Serif", 13, false, true}, dpi());
}

void MainWindow::CreateSidePanel() {
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;
    AddControl("STATIC", "", label | SS_CENTERIMAGE | WS_GROUP, 10, kSourcesHeadingTop, 200, kHeadingHeight,
               kIdSourcesHeading);
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
        y += kFilterRowHeight;
        for (; filter < LocationFilters().size() && LocationFilters()[filter].group == group; ++filter) {
            const int id = kIdFilterFirst + static_cast<int>(filter);
            HWND box = AddControl("BUTTON", LocationFilters()[filter].defaultCaption,
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 24, y, 205, 17, id);
            DrawClassic(box);
            SendMessageW(box, BM_SETCHECK, LocationFilters()[filter].checkedAtStart ? BST_CHECKED : BST_UNCHECKED, 0);
            SetControlColor(id, LocationGroups()[group].colour);
            y += kFilterRowHeight;
        }
        y += 2;
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
    AddControl("EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 52, kInformationHeadingTop + 30, 180, 92,
               kIdTipText);
    AddLinkButton("", 48, kInformationHeadingTop + 122, 150, 20, kIdTipLink);
    ShowWindow(Control(kIdTipLink), SW_HIDE);
}

void MainWindow::CreateEntryArea() {
    // Placed by LayOut, which follows the window's size.
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0, kIdEntriesGroup);
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_NOPREFIX;
    // The filter field comes before the list in the Tab order, as Explorer's search box before its files.
    AddControl("STATIC", "", label | SS_CENTERIMAGE, 0, 0, 0, 0, kIdFilterCaption);
    filter_ = AddControl("EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, 0, 0, 0, 0,
                         kIdFilterText, WS_EX_CLIENTEDGE);
    list_ = AddControl("LISTBOX", "",
                       WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_VSCROLL | LBS_OWNERDRAWFIXED |
                           LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                       0, 0, 0, 0, kIdEntryList);
    SetControlFont(kIdEntryList, listFont_.get());
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, Px(kListLineHeight));
    SetWindowSubclass(list_, ListProc, 1, reinterpret_cast<DWORD_PTR>(this));

    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0, kIdDetailsGroup);
    AddControl("STATIC", "", label, 0, 0, 0, 0, kIdNameCaption);
    AddControl("STATIC", "", label, 0, 0, 0, 0, kIdCommandCaption);
    // Name and command are read-only fields: a long one can be selected and
    // copied whole, and scrolled with the keys where it is longer than the field.
    for (const int id : {kIdNameText, kIdCommandText}) {
        AddControl("EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 0, 0, id);
        SendMessageW(Control(id), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
        SetControlFont(id, nameFont_.get());
        SetControlColor(id, kDetailsBlue);
    }
    AddControl("STATIC", "", label, 0, 0, 0, 0, kIdMakerCaption);
    AddControl("STATIC", "", label | SS_ENDELLIPSIS, 0, 0, 0, 0, kIdMakerText);

    const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
    for (const int id : {kIdDeleteButton, kIdChangeButton, kIdLaunchButton, kIdBlockButton}) {
        AddControl("BUTTON", "", button, 0, 0, 0, 0, id);
    }
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0, kIdStatusGroup);
    AddControl("STATIC", "", label, 0, 0, 0, 0, kIdStatusText);
    AddControl("STATIC", "", label, 0, 0, 0, 0, kIdReasonText);
    SetControlColor(kIdReasonText, kReasonColour);
    AddControl("BUTTON", "", button, 0, 0, 0, 0, kIdSwitchButton);
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 0, 0, 0, kIdLocationGroup);
    AddControl("STATIC", "", label, 0, 0, 0, 0, kIdLocationText);
    AddControl("BUTTON", "", button, 0, 0, 0, 0, kIdMoveButton);
    for (const ButtonCommand& b : kDetailsButtons) SetControlFont(b.id, buttonFont_.get());
}

void MainWindow::LayOut(int width96, int height96) {
    const int width = std::max(width96, kClientWidth), height = std::max(height96, kClientHeight);
    width96_ = width;
    height96_ = height;
    // The side panel keeps its designed size; the list takes the height the
    // window gained, list and details the width.
    const int taller = height - kClientHeight;
    const int left = kSidePanelWidth + 10, groupWidth = width - left - 8;
    const int groupTop = Ribbon::kHeight96 + 4;
    MoveControl(kIdEntriesGroup, left, groupTop, groupWidth, 198 + taller);
    const int captionWidth = MeasureTextWidth96(ControlText(kIdFilterCaption), DialogFont(), DT_NOPREFIX) + 2;
    MoveControl(kIdFilterCaption, left + 10, groupTop + 20, captionWidth, 20);
    MoveControl(kIdFilterText, left + 16 + captionWidth, groupTop + 20, groupWidth - 26 - captionWidth, 20);
    MoveControl(kIdEntryList, left + 10, groupTop + 46, groupWidth - 20, 144 + taller);

    const int top = 326 + taller;
    MoveControl(kIdDetailsGroup, left, top, groupWidth, 310);
    MoveControl(kIdNameCaption, left + 12, top + 24, 96, 16);
    MoveControl(kIdNameText, left + 110, top + 24, groupWidth - 122, 32);
    MoveControl(kIdCommandCaption, left + 12, top + 60, 96, 16);
    MoveControl(kIdCommandText, left + 110, top + 60, groupWidth - 122, 30);
    MoveControl(kIdMakerCaption, left + 12, top + 92, 96, 16);
    MoveControl(kIdMakerText, left + 110, top + 92, groupWidth - 122, 16);

    const int buttonWidth = (groupWidth - 24 - 16) / 3;
    MoveControl(kIdDeleteButton, left + 12, top + 112, buttonWidth, 28);
    MoveControl(kIdChangeButton, left + 20 + buttonWidth, top + 112, buttonWidth, 28);
    MoveControl(kIdLaunchButton, left + 28 + 2 * buttonWidth, top + 112, groupWidth - 40 - 2 * buttonWidth, 28);
    MoveControl(kIdBlockButton, left + 12, top + 146, groupWidth - 24, 28);

    const int boxWidth = (groupWidth - 24 - 8) / 2;
    const int boxTop = top + 184;
    MoveControl(kIdStatusGroup, left + 12, boxTop, boxWidth, 116);
    MoveControl(kIdStatusText, left + 24, boxTop + 18, boxWidth - 36, 30);
    MoveControl(kIdReasonText, left + 24, boxTop + 48, boxWidth - 36, 28);
    MoveControl(kIdSwitchButton, left + 24, boxTop + 78, 150, 28);
    const int boxLeft = left + 20 + boxWidth;
    MoveControl(kIdLocationGroup, boxLeft, boxTop, groupWidth - 32 - boxWidth, 116);
    MoveControl(kIdLocationText, boxLeft + 12, boxTop + 22, groupWidth - 56 - boxWidth, 50);
    MoveControl(kIdMoveButton, boxLeft + 12, boxTop + 78, 150, 28);

    MoveControl(kIdLogonCheckText, 8, height - kStatusBarHeight + 3, width - 16, kStatusBarHeight - 5);
}

SIZE MainWindow::MinimumWindowSize() const {
    RECT frame{0, 0, Px(kClientWidth), Px(kClientHeight)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

void MainWindow::UpdateLineTips() {
    HWND tips = toolTips_.hwnd();
    if (!tips || !list_) return;
    RECT client{};
    GetClientRect(list_, &client);
    const int lineHeight = std::max(1, static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0)));
    const int wanted = (client.bottom + lineHeight - 1) / lineHeight;
    // Areas by position on the list, not by line: the text is asked for as the
    // tip shows, so scrolling needs no new areas.
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = list_;
    for (int slot = 0; slot < std::max(wanted, lineTips_); ++slot) {
        tool.uId = static_cast<UINT_PTR>(slot);
        if (slot >= wanted) {
            SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
            continue;
        }
        tool.uFlags = TTF_SUBCLASS;
        tool.rect = RECT{0, slot * lineHeight, client.right, (slot + 1) * lineHeight};
        tool.lpszText = LPSTR_TEXTCALLBACKW;
        SendMessageW(tips, slot < lineTips_ ? TTM_NEWTOOLRECTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    lineTips_ = wanted;
}

bool MainWindow::LineIsCut(int line) const {
    if (line < 0 || line >= static_cast<int>(model_.LineCount())) return false;
    RECT item{};
    if (SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item)) == LB_ERR)
        return false;
    const std::wstring text = WideFromUtf8(model_.Lines()[static_cast<size_t>(line)].text);
    SIZE size{};
    HDC dc = GetDC(list_);
    {
        gdi::Select font(dc, listFont_.get());
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    ReleaseDC(list_, dc);
    // As DrawListLine places it.
    return size.cx > item.right - item.left - Px(5);
}

LRESULT CALLBACK MainWindow::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (message == WM_NOTIFYFORMAT && lParam == NF_QUERY) return NFR_UNICODE;
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == TTN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
        auto* window = reinterpret_cast<MainWindow*>(self);
        const int line =
            static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0)) + static_cast<int>(info->hdr.idFrom);
        // No text, no tip: a line shown whole needs none.
        window->lineTipText_ =
            window->LineIsCut(line) ? WideFromUtf8(window->model_.Lines()[static_cast<size_t>(line)].text) : L"";
        info->lpszText = window->lineTipText_.data();
        info->hinst = nullptr;
        return 0;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

void MainWindow::ApplyTexts() {
    SetCaption(MachineWideOnly() ? GetText(Text::MainWindowTitle) + " " + GetText(Text::AdministratorTitle)
                                 : GetText(Text::MainWindowTitle));
    ribbon_.ApplyTexts(GetText(Text::LanguageName) == "Deutsch");
    UpdateToolTips();
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
    SetControlText(kIdLogonCheckText,
                   BlockCheckRunSummary(ReadLastBlockCheckRun(), GetText(Text::LogonCheckAt),
                                        GetText(Text::LogonCheckRemoved), GetText(Text::LogonCheckNotRemoved)));
    SetControlText(kIdLocationGroup, GetText(Text::LocationGroup));
    SetControlText(kIdNameCaption, GetText(Text::NameCaption));
    SetControlText(kIdFilterCaption, GetText(Text::FilterCaption));
    SendMessageW(filter_, EM_SETCUEBANNER, TRUE,
                 reinterpret_cast<LPARAM>(WideFromUtf8(GetText(Text::FilterHint)).c_str()));
    SetControlText(kIdCommandCaption, GetText(Text::CommandCaption));
    SetControlText(kIdMakerCaption, GetText(Text::MakerCaption));
    for (const ButtonCommand& b : kDetailsButtons) SetControlText(b.id, GetText(b.captionText));
    if (!tipTimerStarted_) SetControlText(kIdTipLink, GetText(Text::ClickHere));
    LayOutGroupLabels();
    // The filter's label is as wide as its caption in this language.
    if (width96_) LayOut(width96_, height96_);
    ShowDetails();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void MainWindow::UpdateToolTips() {
    const KeyNames keys{GetText(Text::KeyControl), GetText(Text::KeyDelete), GetText(Text::KeyEnter)};
    for (const int id : ribbon_.ControlIds()) {
        // The caption as shown, its access key's "&" taken out.
        const std::string caption = ControlText(id);
        std::string tip;
        for (size_t i = 0; i < caption.size(); ++i) {
            if (caption[i] == '&' && i + 1 < caption.size()) ++i;
            tip += caption[i];
        }
        const Command* command = ribbon_.CommandOf(id);
        const std::string key = command ? ShortcutText(*command, keys) : std::string();
        if (!key.empty()) tip += " (" + key + ")";
        toolTips_.Set(Control(id), tip);
    }
}

void MainWindow::ApplyInfoImageHints() {
    for (size_t group = 0; group < LocationGroups().size(); ++group) {
        SetControlText(kInfoImageIds[group], GetText(Text::Info));
        // The window text alone shows nowhere: the hint is the image's tooltip.
        toolTips_.Set(Control(kInfoImageIds[group]), GetText(Text::Info));
    }
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

void MainWindow::Show() { Show(CollectAllEntries()); }

void MainWindow::Show(std::vector<StartupEntry> entries) {
    ShowEntries(std::move(entries));
    if (model_.LineCount() > 0) SelectLine(0);
    // Where the user left it, else in the middle of the screen at its designed size.
    if (!remembersPlacement_ || !RestoreWindowPlacement(hwnd(), MinimumWindowSize())) {
        CenterOnScreen();
        ShowWindow(hwnd(), SW_SHOW);
    }
    UpdateWindow(hwnd());
    SetForegroundWindow(hwnd());
    SetFocus(list_);
}

bool MainWindow::PreTranslate(MSG& message) {
    if (!hwnd() || !IsWindowEnabled(hwnd())) return false;
    if (message.hwnd != hwnd() && !IsChild(hwnd(), message.hwnd)) return false;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (message.message == WM_KEYDOWN && message.hwnd == filter_) {
        // The field's own keys before the window's: Esc empties it, Ctrl+V
        // pastes; Down and Enter lead on to the narrowed list.
        if (message.wParam == VK_ESCAPE) {
            if (GetWindowTextLengthW(filter_) > 0) SetWindowTextW(filter_, L"");
            return true;
        }
        if (message.wParam == 'V' && control) return false;
        if ((message.wParam == VK_DOWN || message.wParam == VK_RETURN) && !control) {
            SetFocus(list_);
            return true;
        }
    }
    // Shift+F10 and the Applications key: the list's menu at its selected
    // line, wherever the focus is (the filter field keeps its own menu).
    const bool menuKey = (message.message == WM_KEYDOWN && message.wParam == VK_APPS) ||
                         ((message.message == WM_SYSKEYDOWN || message.message == WM_KEYDOWN) &&
                          message.wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000));
    if (menuKey && message.hwnd != filter_) {
        ShowContextMenu(-1, -1);
        return true;
    }
    if (accelerators_ && TranslateAcceleratorW(hwnd(), accelerators_, &message)) return true;
    if (message.message == WM_KEYDOWN && RibbonKey(message)) return true;
    if (message.message == WM_KEYDOWN && message.hwnd == list_) {
        for (const Shortcut& shortcut : Shortcuts()) {
            if (shortcut.listOnly && shortcut.key == message.wParam && !(GetKeyState(VK_CONTROL) & 0x8000) &&
                !(GetKeyState(VK_MENU) & 0x8000)) {
                Execute(shortcut.command);
                return true;
            }
        }
    }
    return IsDialogMessageW(hwnd(), &message) != 0;
}

bool MainWindow::RibbonKey(const MSG& message) {
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (message.wParam == VK_TAB && control) {
        // Ctrl+Tab and Ctrl+Shift+Tab turn the ribbon's pages from anywhere in
        // the window; a focused tab follows.
        const int next = ribbon_.NextTab((GetKeyState(VK_SHIFT) & 0x8000) == 0);
        ribbon_.SelectTab(next);
        if (ribbon_.IsTab(GetDlgCtrlID(GetFocus()))) SetFocus(Control(next));
        return true;
    }
    // Enter runs the focused tab or item, as Space does; the window has no
    // default button that Enter would otherwise press.
    if (message.wParam == VK_RETURN && !control && ribbon_.Owns(GetDlgCtrlID(message.hwnd))) {
        SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    return false;
}

void MainWindow::RefreshList() { ShowEntries(CollectAllEntries()); }

void MainWindow::ShowEntries(std::vector<StartupEntry> entries) {
    collected_ = std::move(entries);
    FillList();
}

void MainWindow::ApplyFilterText() {
    const std::string text = ControlText(kIdFilterText);
    if (text == model_.FilterText()) return;
    model_.SetFilterText(text);
    FillList();
}

void MainWindow::FillList() {
    const std::vector<ListLine> before = model_.Lines();
    model_.Refresh(collected_, KnownEntryTest(), RunVerdictTest());
    const std::vector<ListLine>& lines = model_.Lines();
    const bool sameLines =
        lines.size() == before.size() &&
        std::equal(lines.begin(), lines.end(), before.begin(),
                   [](const ListLine& a, const ListLine& b) { return a.entry == b.entry && a.text == b.text; });
    if (sameLines && static_cast<size_t>(SendMessageW(list_, LB_GETCOUNT, 0, 0)) == lines.size()) {
        // The same lines for the same entries: only their colours may differ.
        InvalidateRect(list_, nullptr, FALSE);
    } else {
        // Refilled without painting in between, then drawn once.
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        // The lines go straight to the list box's own procedure: the list's
        // subclasses (tooltips, screen readers, the window's) have nothing to do
        // with them, and under Wine every message through a subclass chain asks
        // the server for the chain's window property, which made one added line
        // cost about as much as the drawing of one. One message a line: the
        // model already knows each line's entry.
        const auto listBox = reinterpret_cast<WNDPROC>(GetClassLongPtrW(list_, GCLP_WNDPROC));
        CallWindowProcW(listBox, list_, LB_RESETCONTENT, 0, 0);
        CallWindowProcW(listBox, list_, LB_INITSTORAGE, lines.size(), static_cast<LPARAM>(lines.size() * 24));
        for (const ListLine& line : lines) {
            const std::wstring text = WideFromUtf8(line.text);
            CallWindowProcW(listBox, list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(model_.SelectedLine()), 0);
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
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
    if (static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)) != model_.SelectedLine()) {
        SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(model_.SelectedLine()), 0);
    }
    ShowDetails();
}

void MainWindow::ShowDetails() {
    Details details = model_.DetailsOf(model_.SelectedLine(), GetText, CommandTestFn(CommandBlocked));
    details.madeBy = MadeByOfSelected();
    const std::string name = WithLineBreaks(details.name);
    const std::string status = WithLineBreaks(details.status);
    // Only what changed is set: every new text repaints its control at once.
    const std::pair<int, const std::string*> texts[] = {{kIdNameText, &name},
                                                        {kIdCommandText, &details.command},
                                                        {kIdMakerText, &details.madeBy},
                                                        {kIdStatusText, &status},
                                                        {kIdReasonText, &details.reason},
                                                        {kIdLocationText, &details.location},
                                                        {kIdBlockButton, &details.blockCaption}};
    for (const auto& [id, text] : texts) {
        if (ControlText(id) != *text) SetControlText(id, *text);
    }
    UpdateCommandStates();
}

std::string MainWindow::MadeByOfSelected() {
    // Nothing is read before the window is first painted: the start stays as quick as without it.
    if (!painted_ || !model_.HasSelection()) return std::string();
    const std::string madeBy =
        report::MadeByOf(model_.CurrentEntry(), SystemProgramLookup(),
                         [this](const std::string& file) { return ProgramMakerLine(makers_.Of(file)); });
    return madeBy.empty() ? GetText(Text::NoVersionInformation) : madeBy;
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
    RECT client{};
    GetClientRect(hwnd(), &client);
    RECT status{0, client.bottom - Px(kStatusBarHeight), client.right, client.bottom};
    InvalidateRect(hwnd(), &status, TRUE);
    return true;
}

void MainWindow::OnCommand(int id, int code, HWND) {
    if (IsCommandId(id)) {  // shortcuts and the context menu
        Execute(static_cast<Command>(id));
        return;
    }
    if (id == kIdFilterText) {
        if (code == EN_CHANGE) ApplyFilterText();
        return;
    }
    if (id == kIdEntryList) {
        if (code == LBN_SELCHANGE) SelectLine(static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)));
        if (code == LBN_DBLCLK) Execute(Command::ChangeEntry);
        return;
    }
    // The arrows on the tab strip choose the tab they move to.
    if (code == BN_SETFOCUS && ribbon_.IsTab(id)) ribbon_.SelectTab(id);
    if (code != BN_CLICKED) return;
    if (ribbon_.IsTab(id)) {
        ribbon_.SelectTab(id);
        return;
    }
    if (const Command* command = ribbon_.CommandOf(id)) {
        Execute(*command);
        return;
    }
    if (const ButtonCommand* button = FindDetailsButton(id)) {
        Execute(button->command);
        return;
    }
    if (id >= kIdFilterFirst && id < kIdFilterFirst + static_cast<int>(LocationFilters().size())) {
        const size_t filter = static_cast<size_t>(id - kIdFilterFirst);
        model_.SetFilterChecked(filter, SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED);
        Execute(Command::Refresh);
        return;
    }
    for (size_t group = 0; group < 3; ++group) {
        if (id == kInfoImageIds[group])
            Execute(static_cast<Command>(static_cast<int>(Command::ExplainFolders) + group));
    }
    // The tasks' group came after the commands of the menu's three: it has no command of its own.
    if (id == kIdInfoImageTasks) ExplainGroup(3);
    if (id == kIdTipLink) Execute(Command::OpenTipLink);
    if (id == kIdSourcesToggle) Execute(Command::ToggleSources);
    if (id == kIdInformationToggle) Execute(Command::ToggleInformation);
}

void MainWindow::ToggleSection(bool sources) {
    bool& shown = sources ? sourcesShown_ : informationShown_;
    shown = !shown;
    std::vector<int> ids;
    if (sources) {
        ids = {kIdGroupLabelFolders, kIdGroupLabelRegistry, kIdGroupLabelWinIni,
               kIdGroupLabelTasks,   kIdInfoImageFolders,   kIdInfoImageRegistry,
               kIdInfoImageWinIni,   kIdInfoImageTasks,     kIdLegend,
               kIdLegendRule,        kIdLegendWillNotRun};
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
    // The edit control breaks lines only at CR LF.
    SetControlText(kIdTipText, WithLineBreaks(GetText(tip.text)));
}

void MainWindow::OnTimer(UINT_PTR timer) {
    if (timer == kTipTimer) OnTipTimer();
    if (timer == kWatchTimer) CheckLocationChanges(GetTickCount64());
}

void MainWindow::OnClose() {
    if (remembersPlacement_) SaveWindowPlacement(hwnd());
    DestroyWindow(hwnd());
}

void MainWindow::OnDpiChanged() {
    MakeFonts();
    ribbon_.SetDpi(dpi());
    SetControlFont(kIdEntryList, listFont_.get());
    SendMessageW(list_, LB_SETITEMHEIGHT, 0, Px(kListLineHeight));
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
        case WM_GETMINMAXINFO: {
            // The designed size is the smallest: below it the side panel and the
            // details would be cut.
            const SIZE minimum = MinimumWindowSize();
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{minimum.cx, minimum.cy};
            return 0;
        }
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && list_) {
                LayOut(MulDiv(LOWORD(lParam), 96, dpi()), MulDiv(HIWORD(lParam), 96, dpi()));
                UpdateLineTips();
                InvalidateRect(hwnd(), nullptr, TRUE);
            }
            break;
        case kMakerAfterFirstPaint:
            ShowDetails();
            return 0;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == list_) {
                ShowContextMenu(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == list_ && LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
                return TRUE;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (id == kIdSourcesHeading || id == kIdInformationHeading) {
                // White letters straight on the heading bar.
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, Designed(RGB(255, 255, 255), COLOR_HIGHLIGHTTEXT));
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            }
            if (id == kIdLogonCheckText) {  // straight on the status bar's gradient
                SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
            }
            break;
        }
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
            // High contrast switched on or off, or the system's colours changed.
            RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            break;
        case WM_ERASEBKGND:
            EraseBody(reinterpret_cast<HDC>(wParam));
            return TRUE;
        default:
            break;
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

}  // namespace ui
