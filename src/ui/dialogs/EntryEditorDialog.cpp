#include "ui/dialogs/EntryEditorDialog.h"

#include <commdlg.h>

#include "i18n/TranslationCatalogue.h"
#include "ui/dialogs/EntryChangeMessages.h"
#include "ui/dialogs/EntryEditorModel.h"
#include "ui/dialogs/LocationDialog.h"
#include "ui/main/MainWindowModel.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"
#include "ui/win/Mnemonics.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"
#include "ui/win/WindowClasses.h"

namespace ui {

namespace {

constexpr int kClientWidth = 503;
constexpr int kClientHeight = 222;

}  // namespace

EntryEditorDialog::EntryEditorDialog()
    : WindowBase(WindowClass::EntryEditor, kClientWidth, kClientHeight, kGroupedDialogStyle) {}

void EntryEditorDialog::OnDpiChanged() {
    LOGFONTW face{};
    face.lfHeight = -Px(13);
    face.lfUnderline = TRUE;
    lstrcpynW(face.lfFaceName, kDialogFace, LF_FACESIZE);
    fieldFont_.reset(CreateFontIndirectW(&face));
    SetControlFont(kIdEditorName, fieldFont_.get());
    SetControlFont(kIdEditorCommand, fieldFont_.get());
}

void EntryEditorDialog::OnCreate() {
    const DWORD group = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;
    const DWORD edit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
    AddControl("BUTTON", "", group, 8, 8, 180, 56, kIdEditorNameGroup);
    AddControl("EDIT", "", edit, 18, 30, 160, 22, kIdEditorName);
    AddControl("BUTTON", "", group, 196, 8, 299, 56, kIdEditorLocationGroup);
    // Two lines for the longest places ("Registry: Current user (Run Services Once)").
    AddControl("STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 206, 26, 210, 32, kIdEditorLocation);
    AddLinkButton("", 420, 30, 68, 23, kIdEditorChangeLocation);
    AddControl("BUTTON", "", group, 8, 72, 487, 56, kIdEditorCommandGroup);
    AddControl("EDIT", "", edit, 18, 94, 390, 22, kIdEditorCommand);
    AddLinkButton("", 414, 93, 74, 23, kIdEditorBrowse);
    AddLinkButton("", 282, 186, 100, 27, kIdEditorSave, Glyph::Check);
    AddLinkButton("", 388, 186, 107, 27, kIdEditorCancel, Glyph::Cross);
    for (int id : {kIdEditorChangeLocation, kIdEditorBrowse, kIdEditorSave, kIdEditorCancel}) {
        SetWindowLongPtrW(Control(id), GWL_STYLE, GetWindowLongPtrW(Control(id), GWL_STYLE) | WS_TABSTOP);
    }
    SendMessageW(Control(kIdEditorName), EM_LIMITTEXT, 0, 0);
    SendMessageW(Control(kIdEditorCommand), EM_LIMITTEXT, 0, 0);
    OnDpiChanged();
    SetDefaultButton(kIdEditorSave);
    SetInitialFocus(kIdEditorName);
    ApplyTexts();
}

void EntryEditorDialog::ApplyTexts() {
    if (!hwnd()) return;
    MnemonicSet keys;
    SetCaption(GetText(Text::ProgramName));
    SetControlText(kIdEditorNameGroup, keys.Mark(GetText(Text::NameCaption)));
    SetControlText(kIdEditorCommandGroup, keys.Mark(GetText(Text::ProgramCaption)));
    SetControlText(kIdEditorLocationGroup, GetText(Text::LocationCaption));
    // Link buttons draw their caption as it stands; they are reached by Tab.
    SetControlText(kIdEditorBrowse, GetText(Text::Browse));
    SetControlText(kIdEditorSave, GetText(Text::Save));
    SetControlText(kIdEditorChangeLocation, GetText(Text::ChangeLink));
    SetControlText(kIdEditorCancel, GetText(Text::DontSave));
}

LRESULT EntryEditorDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLOREDIT) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kLinkBlue);
        SetBkColor(dc, kWhite);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

void EntryEditorDialog::Prepare(StartupEntry& entry, bool isNew) {
    Create();
    entry_ = &entry;
    isNew_ = isNew || entry.kind == 0;
    saved = false;
    movedMeanwhile = false;
    saveResult = ChangeResult{};
    lastMessage.clear();
    if (isNew_) {
        SetControlText(kIdEditorCommand, "");
        SetControlText(kIdEditorName, GetText(Text::PlaceholderName));
        entry.kind = kCommonStartup;
    } else {
        SetControlText(kIdEditorCommand, entry.command);
        SetControlText(kIdEditorName, entry.name);
    }
    ShowLocation();
}

void EntryEditorDialog::ShowLocation() {
    SetControlText(kIdEditorLocation, entry_ ? LocationLabel(entry_->kind, GetText) : std::string());
}

void EntryEditorDialog::Tell(const std::string& text) {
    lastMessage = text;
    ShowMessage(text);
}

void EntryEditorDialog::OnCommand(int id, int code, HWND /*control*/) {
    if (code != BN_CLICKED) return;
    switch (id) {
        case kIdEditorSave:
            Save();
            break;
        case kIdEditorCancel:
            EndModal(IDCANCEL);
            break;
        case kIdEditorChangeLocation:
            ChangeLocation();
            break;
        case kIdEditorBrowse:
            PickFile();
            break;
        default:
            break;
    }
}

void EntryEditorDialog::PickFile() {
    wchar_t path[MAX_PATH * 4] = L"";
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = hwnd();
    dialog.lpstrFile = path;
    dialog.nMaxFile = static_cast<DWORD>(sizeof path / sizeof path[0]);
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (GetOpenFileNameW(&dialog)) SetControlText(kIdEditorCommand, Utf8FromWide(path));
}

void EntryEditorDialog::ChangeLocation() {
    if (!entry_) return;
    if (isNew_) {
        ChooseLocation(hwnd(), *entry_);
    } else if (RunLocationDialog(hwnd(), *entry_)) {
        // Moved with the name and command it had, and now held as its new
        // location lists it; the fields keep what the user typed and are not
        // applied yet.
        movedMeanwhile = true;
    }
    ShowLocation();
}

void EntryEditorDialog::Save() {
    if (!entry_) return;
    const std::string name = ControlText(kIdEditorName);
    const std::string command = ControlText(kIdEditorCommand);
    const EditorCheck check = CheckEditorFields(name, command, GetText(Text::PlaceholderName), entry_->kind);
    if (check != EditorCheck::Passed) {
        Tell(GetText(MessageTextFor(check)));
        return;
    }
    StartupEntry replacement = *entry_;
    replacement.name = name;
    replacement.command = command;
    if (isNew_) {
        replacement.active = 1;
        saveResult = AddEntry(replacement);
    } else if (name == entry_->name && command == entry_->command) {
        // Unchanged: rewriting would only change the value's type or its place in a list.
        saveResult.changed = true;
    } else {
        saveResult = ReplaceEntry(*entry_, replacement);
    }
    if (!saveResult.ok()) {
        lastMessage = ChangeFailureText(saveResult, *entry_);
        ShowRefusedChange(lastMessage, saveResult, entry_->kind, replacement.kind);
        // The listed entry is gone or changed under us: the caller's list must be read again.
        if (saveResult.oldEntryLost || saveResult.reason == ChangeReason::ChangedSinceListing) EndModal(IDCANCEL);
        return;
    }
    *entry_ = replacement;
    saved = true;
    Tell(GetText(Text::EntrySaved));
    EndModal(IDOK);
}

void EntryEditorDialog::OnPaint(HDC dc) {
    // The editor's picture: a program window with a start arrow, at the lower left.
    const int left = Px(14), top = Px(142), size = Px(56);
    gdi::Pen frame(CreatePen(PS_SOLID, Px(2), RGB(0, 0, 128)));
    gdi::Brush face(CreateSolidBrush(RGB(230, 238, 250)));
    gdi::Select selectPen(dc, frame.get());
    gdi::Select selectBrush(dc, face.get());
    Rectangle(dc, left, top, left + size, top + size * 3 / 4);
    gdi::Brush bar(CreateSolidBrush(RGB(0, 0, 128)));
    RECT title{left, top, left + size, top + Px(8)};
    FillRect(dc, &title, bar.get());
    gdi::Brush arrow(CreateSolidBrush(RGB(0, 128, 0)));
    gdi::Select selectArrow(dc, arrow.get());
    POINT points[3] = {
        {left + size / 3, top + Px(15)}, {left + size * 2 / 3, top + Px(27)}, {left + size / 3, top + Px(39)}};
    Polygon(dc, points, 3);
}

EntryEditorDialog& TheEntryEditor() {
    static EntryEditorDialog dialog;
    return dialog;
}

bool RunEntryEditor(HWND owner, StartupEntry& entry, bool isNew) {
    ScopedDialogOwner scopedOwner(owner);
    EntryEditorDialog& editor = TheEntryEditor();
    const StartupEntry before = entry;
    editor.Prepare(entry, isNew);
    editor.RunModal();
    // A new entry that was not saved is stored nowhere: the record stays as it came.
    if (editor.IsNewMode() && !editor.saved) entry = before;
    return editor.saved || editor.movedMeanwhile;
}

}  // namespace ui
