#include "ui/dialogs/LocationDialog.h"

#include "entries/EntryCatalogue.h"
#include "entries/StartupEntry.h"
#include "i18n/TranslationCatalogue.h"
#include "ui/dialogs/EntryChangeMessages.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"
#include "ui/win/Mnemonics.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WindowClasses.h"

namespace ui {

namespace {

constexpr int kClientWidth = 535;
constexpr int kClientHeight = 559;
constexpr int kStripWidth = 40;
constexpr int kButtonLeft = 56;
constexpr int kLineLeft = 74;
constexpr int kLineWidth = kClientWidth - kLineLeft - 6;

const COLORREF kFolderColour = RGB(128, 0, 0);
const COLORREF kRegistryColour = RGB(0, 128, 0);
const COLORREF kWinIniColour = RGB(0, 0, 128);

// The moved entry as its new location lists it: the move may store it in
// another form (quotation marks, the marker, a win.ini item's derived name), and
// whoever changes it next must name it as it is stored now. Found by kind and
// name, else by kind and command; the replacement itself when not found.
StartupEntry ListedAfterMove(const StartupEntry& replacement) {
    const EntryList all = CollectAllEntries();
    for (const bool byName : {true, false}) {
        for (const StartupEntry& entry : all) {
            if (entry.kind != replacement.kind) continue;
            if (byName ? entry.name == replacement.name : entry.command == replacement.command) return entry;
        }
    }
    return replacement;
}

struct ButtonRow {
    LocationButton button;
    int id;
    int text;
    int top;
};

// The nine buttons in one group, top to bottom (the two win.ini buttons side by side).
const ButtonRow kButtons[] = {
    {LocationButton::CommonStartup, kIdLocationCommonStartup, Text::AllUsers, 34},
    {LocationButton::UserStartup, kIdLocationUserStartup, Text::CurrentUser, 90},
    {LocationButton::Run, kIdLocationRun, Text::RunKey, 160},
    {LocationButton::RunOnce, kIdLocationRunOnce, Text::RunOnceKey, 214},
    {LocationButton::RunOnceEx, kIdLocationRunOnceEx, Text::RunOnceExKey, 252},
    {LocationButton::RunServices, kIdLocationRunServices, Text::RunServices, 290},
    {LocationButton::RunServicesOnce, kIdLocationRunServicesOnce, Text::RunServicesOnce, 344},
    {LocationButton::WinIniLoad, kIdLocationWinIniLoad, Text::LoadList, 472},
    {LocationButton::WinIniRun, kIdLocationWinIniRun, Text::RunList, 472},
};

struct LineRow {
    int id;
    int text;
    int top;
};

const LineRow kLines[] = {
    {kIdLocationLineCommon1, Text::CommonStartupLine1, 54},
    {kIdLocationLineCommon2, Text::CommonStartupLine2, 68},
    {kIdLocationLineUser, Text::UserStartupLine, 110},
    {kIdLocationLineRun1, Text::RunLine1, 180},
    {kIdLocationLineRun2, Text::RunLine2, 194},
    {kIdLocationLineRunOnce, Text::RunOnceLine, 234},
    {kIdLocationLineRunOnceEx, Text::RunOnceExLine, 272},
    {kIdLocationLineRunServices1, Text::RunServicesLine1, 310},
    {kIdLocationLineRunServices2, Text::RunServicesLine2, 324},
    {kIdLocationLineRunServicesOnce, Text::RunServicesOnceLine, 364},
    {kIdLocationLineWinIni1, Text::WinIniLine1, 494},
    {kIdLocationLineWinIni2, Text::WinIniLine2, 508},
};

}  // namespace

LocationDialog::LocationDialog()
    : WindowBase(WindowClass::Location, kClientWidth, kClientHeight, kGroupedDialogStyle) {}

void LocationDialog::MakeFonts() {
    LOGFONTW face{};
    face.lfHeight = -Px(13);
    face.lfWeight = FW_BOLD;
    face.lfUnderline = TRUE;
    lstrcpynW(face.lfFaceName, kDialogFace, LF_FACESIZE);
    headingFont_.reset(CreateFontIndirectW(&face));
}

void LocationDialog::OnDpiChanged() {
    MakeFonts();
    for (int id : {kIdLocationFolderHeading, kIdLocationRegistryHeading, kIdLocationWinIniHeading}) {
        SetControlFont(id, headingFont_.get());
    }
}

void LocationDialog::OnCreate() {
    MakeFonts();
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    AddControl("STATIC", "", label, kButtonLeft, 10, 300, 18, kIdLocationFolderHeading);
    AddControl("STATIC", "", label, kButtonLeft, 136, 300, 18, kIdLocationRegistryHeading);
    AddControl("STATIC", "", label, kButtonLeft, 450, 300, 18, kIdLocationWinIniHeading);
    SetControlColor(kIdLocationFolderHeading, kFolderColour);
    SetControlColor(kIdLocationRegistryHeading, kRegistryColour);
    SetControlColor(kIdLocationWinIniHeading, kWinIniColour);
    OnDpiChanged();

    // The nine radio buttons first, so that they make one group in the tab order.
    bool first = true;
    for (const ButtonRow& row : kButtons) {
        const bool runList = row.button == LocationButton::WinIniRun;
        DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
        if (first) style |= WS_GROUP | WS_TABSTOP;
        AddControl("BUTTON", "", style, runList ? 260 : kButtonLeft, row.top, 190, 18, row.id);
        first = false;
    }
    for (const LineRow& row : kLines) {
        AddControl("STATIC", "", label, kLineLeft, row.top, kLineWidth, 14, row.id);
    }
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX | WS_GROUP, kButtonLeft, 384, 462, 62,
               kIdLocationHiveGroup);
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, kButtonLeft + 12, 402,
               215, 18, kIdLocationHiveAllUsers);
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, kButtonLeft + 235, 402, 215, 18,
               kIdLocationHiveCurrentUser);
    // Under "all users": the machine's keys as 32-bit programs see them.
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, kButtonLeft + 12, 420, 215, 18,
               kIdLocationHiveAllUsers32);
    AddLinkButton("", kClientWidth - 100, kClientHeight - 31, 92, 23, kIdLocationApply, Glyph::Arrow);
    SetWindowLongPtrW(Control(kIdLocationApply), GWL_STYLE,
                      GetWindowLongPtrW(Control(kIdLocationApply), GWL_STYLE) | WS_GROUP | WS_TABSTOP);
    SetDefaultButton(kIdLocationApply);
    SetInitialFocus(kIdLocationApply);
    ApplyTexts();
}

void LocationDialog::ApplyTexts() {
    if (!hwnd()) return;
    SetCaption(GetText(Text::ProgramName));
    SetControlText(kIdLocationFolderHeading, GetText(Text::StartupFoldersHeading));
    SetControlText(kIdLocationRegistryHeading, GetText(Text::Registry));
    SetControlText(kIdLocationWinIniHeading, GetText(Text::WinIniHeading));
    MnemonicSet keys;
    for (const ButtonRow& row : kButtons) SetControlText(row.id, keys.Mark(GetText(row.text)));
    for (const LineRow& row : kLines) SetControlText(row.id, GetText(row.text));
    SetControlText(kIdLocationHiveGroup, GetText(Text::RegistryAppliesTo));
    SetControlText(kIdLocationHiveAllUsers, keys.Mark(GetText(Text::AllUsersOfComputer)));
    SetControlText(kIdLocationHiveCurrentUser, keys.Mark(GetText(Text::OnlyCurrentUser)));
    SetControlText(kIdLocationHiveAllUsers32, keys.Mark(GetText(Text::AllUsers32Bit)));
    SetControlText(kIdLocationApply, GetText(Text::Continue));
    choice_.hive = RegistryHive::AllUsers;
    ShowChoiceInControls();
}

void LocationDialog::ShowChoiceInControls() {
    for (const ButtonRow& row : kButtons) {
        SendMessageW(Control(row.id), BM_SETCHECK, row.button == choice_.button ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    SendMessageW(Control(kIdLocationHiveAllUsers), BM_SETCHECK,
                 choice_.hive == RegistryHive::AllUsers ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(Control(kIdLocationHiveCurrentUser), BM_SETCHECK,
                 choice_.hive == RegistryHive::CurrentUser ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(Control(kIdLocationHiveAllUsers32), BM_SETCHECK,
                 choice_.hive == RegistryHive::AllUsers32 ? BST_CHECKED : BST_UNCHECKED, 0);
    const BOOL hiveEnabled = IsRegistryButton(choice_.button) ? TRUE : FALSE;
    for (int id : {kIdLocationHiveGroup, kIdLocationHiveAllUsers, kIdLocationHiveCurrentUser}) {
        EnableWindow(Control(id), hiveEnabled);
    }
    // The 32-bit view has only the Run, RunOnce and RunOnceEx keys.
    EnableWindow(Control(kIdLocationHiveAllUsers32),
                 hiveEnabled && KindForChoice({choice_.button, RegistryHive::AllUsers32}) >= 26 ? TRUE : FALSE);
}

void LocationDialog::SetChoice(const LocationChoice& choice) {
    choice_ = choice;
    ShowChoiceInControls();
}

void LocationDialog::Prepare(StartupEntry& entry, Mode mode) {
    Create();
    entry_ = &entry;
    mode_ = mode;
    moved = false;
    kindChanged = false;
    moveResult = ChangeResult{};
    SetChoice(PreselectForKind(entry.kind, choice_));
}

void LocationDialog::OnCommand(int id, int code, HWND /*control*/) {
    if (code != BN_CLICKED) return;
    if (id == kIdLocationApply) {
        Apply();
        return;
    }
    for (const ButtonRow& row : kButtons) {
        if (row.id == id) {
            choice_.button = row.button;
            ShowChoiceInControls();
            return;
        }
    }
    if (id == kIdLocationHiveAllUsers || id == kIdLocationHiveCurrentUser || id == kIdLocationHiveAllUsers32) {
        choice_.hive = id == kIdLocationHiveAllUsers      ? RegistryHive::AllUsers
                       : id == kIdLocationHiveCurrentUser ? RegistryHive::CurrentUser
                                                          : RegistryHive::AllUsers32;
        ShowChoiceInControls();
    }
}

void LocationDialog::Apply() {
    if (!entry_) {
        EndModal(IDCANCEL);
        return;
    }
    const int32_t newKind = KindForChoice(choice_);
    if (newKind == entry_->kind) {
        // Nothing to move: rewriting would change the value's type or the
        // item's place in a win.ini list for no gain.
        EndModal(IDOK);
        return;
    }
    if (mode_ == Mode::ChooseOnly) {
        entry_->kind = newKind;
        kindChanged = true;
        EndModal(IDOK);
        return;
    }
    StartupEntry replacement = *entry_;
    replacement.kind = newKind;
    moveResult = ReplaceEntry(*entry_, replacement);
    if (moveResult.ok()) {
        *entry_ = ListedAfterMove(replacement);
        moved = true;
        kindChanged = true;
    } else {
        ShowChangeFailure(moveResult, *entry_, replacement.kind);
    }
    EndModal(IDOK);
}

void LocationDialog::OnPaint(HDC dc) {
    // The decorative strip: a band of the three group colours with a small
    // picture per group: a folder, a registry cube, a page of text.
    struct Band {
        int top, bottom;
        COLORREF colour;
    } bands[] = {{0, 130, kFolderColour}, {130, 446, kRegistryColour}, {446, kClientHeight, kWinIniColour}};
    for (const Band& band : bands) {
        RECT rect{0, Px(band.top), Px(kStripWidth), Px(band.bottom)};
        gdi::Brush fill(CreateSolidBrush(band.colour));
        FillRect(dc, &rect, fill.get());
    }
    gdi::Pen pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    gdi::Brush white(CreateSolidBrush(RGB(255, 255, 255)));
    gdi::Select selectPen(dc, pen.get());
    gdi::Select selectBrush(dc, white.get());
    // Folder.
    const int x = Px(10), w = Px(20);
    Rectangle(dc, x, Px(16), x + Px(9), Px(20));
    Rectangle(dc, x, Px(19), x + w, Px(33));
    // Cube: a lighter top and a darker right face.
    gdi::Brush light(CreateSolidBrush(RGB(210, 240, 210)));
    gdi::Brush dark(CreateSolidBrush(RGB(150, 200, 150)));
    {
        gdi::Select top(dc, light.get());
        POINT face[4] = {{x + w / 2, Px(140)}, {x + w, Px(145)}, {x + w / 2, Px(150)}, {x, Px(145)}};
        Polygon(dc, face, 4);
        POINT left[4] = {{x, Px(145)}, {x + w / 2, Px(150)}, {x + w / 2, Px(164)}, {x, Px(159)}};
        Polygon(dc, left, 4);
    }
    {
        gdi::Select right(dc, dark.get());
        POINT face[4] = {{x + w / 2, Px(150)}, {x + w, Px(145)}, {x + w, Px(159)}, {x + w / 2, Px(164)}};
        Polygon(dc, face, 4);
    }
    // Page.
    Rectangle(dc, x + Px(2), Px(454), x + w - Px(2), Px(478));
    gdi::Pen ink(CreatePen(PS_SOLID, 1, kWinIniColour));
    gdi::Select selectInk(dc, ink.get());
    for (int line = 0; line < 4; ++line) {
        MoveToEx(dc, x + Px(5), Px(459 + line * 5), nullptr);
        LineTo(dc, x + w - Px(5), Px(459 + line * 5));
    }
}

LocationDialog& TheLocationDialog() {
    static LocationDialog dialog;
    return dialog;
}

bool RunLocationDialog(HWND owner, StartupEntry& entry) {
    // The main window's command with no line selected: there is nothing to move.
    if (!IsLocationKind(entry.kind)) return false;
    ScopedDialogOwner scopedOwner(owner);
    LocationDialog& dialog = TheLocationDialog();
    dialog.Prepare(entry, LocationDialog::Mode::Move);
    dialog.RunModal();
    return dialog.moved;
}

bool ChooseLocation(HWND owner, StartupEntry& entry) {
    ScopedDialogOwner scopedOwner(owner);
    LocationDialog& dialog = TheLocationDialog();
    dialog.Prepare(entry, LocationDialog::Mode::ChooseOnly);
    dialog.RunModal();
    return dialog.kindChanged;
}

}  // namespace ui
