#include "ui/dialogs/CompareDialog.h"

#include <commctrl.h>

#include <exception>

#include "backup/BackupStore.h"
#include "backup/EntryBringBack.h"
#include "entries/EntryCatalogue.h"
#include "i18n/TranslationCatalogue.h"
#include "report/ComparisonFields.h"
#include "system/TextRules.h"
#include "ui/dialogs/DialogWindows.h"
#include "ui/dialogs/EntryChangeMessages.h"
#include "ui/main/MainWindowModel.h"
#include "ui/prompts/ErrorTexts.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"
#include "ui/win/WindowClasses.h"

namespace ui {

namespace {

constexpr int kClientWidth = 600;
constexpr int kClientHeight = 360;
constexpr int kMargin = 16;
constexpr int kButtonWidth = 130;
constexpr int kButtonHeight = 24;

// One line of a list shows no line breaks: a command holding them shows them
// as blanks.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

void AddColumn(HWND list, int column, const std::string& caption, int width) {
    const std::wstring text = WideFromUtf8(caption);
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.cx = width;
    item.iSubItem = column;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

void SetCell(HWND list, int line, int column, const std::string& value) {
    const std::wstring text = WideFromUtf8(OneLine(value));
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = line;
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    if (column == 0) {
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    } else {
        SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace

std::string DifferenceDetails(const EntryDelta& delta) {
    if (delta.difference == EntryDifference::Added || delta.difference == EntryDifference::Removed) return "";
    std::string details;
    auto add = [&details](const std::string& part) {
        if (!details.empty()) details += "; ";
        details += part;
    };
    const StartupEntry& before = delta.before;
    if (delta.difference == EntryDifference::Moved || delta.kindChanged) {
        add(FillPlaceholder(GetText(Text::DetailLocationBefore), LocationLabel(before.kind, GetText)));
    }
    if (delta.commandChanged) add(FillPlaceholder(GetText(Text::DetailCommandBefore), before.command));
    if (delta.stateChanged) add(GetText(before.active ? Text::DetailOnBefore : Text::DetailOffBefore));
    return details;
}

CompareDialog::CompareDialog() : WindowBase(WindowClass::Compare, kClientWidth, kClientHeight) {}

void CompareDialog::OnCreate() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const int width = kClientWidth - 2 * kMargin;
    AddControl("STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kMargin, 10, width, 34, kIdCompareHint);
    AddControl(WC_LISTVIEWA, "",
               WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
               kMargin, 50, width, kClientHeight - 50 - kButtonHeight - 26, kIdCompareList, WS_EX_CLIENTEDGE);
    SendMessageW(Control(kIdCompareList), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    const int buttonTop = kClientHeight - kButtonHeight - 12;
    AddLinkButton("", kClientWidth - kMargin - 2 * kButtonWidth - 10, buttonTop, kButtonWidth, kButtonHeight,
                  kIdCompareBringBack, Glyph::Arrow);
    AddLinkButton("", kClientWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight, kIdCompareClose,
                  Glyph::Cross);
    SetInitialFocus(kIdCompareList);
    ApplyTexts();
}

void CompareDialog::ApplyTexts() {
    if (!hwnd()) return;
    SetCaption(FillPlaceholder(GetText(Text::CompareCaption), dateText_));
    SetControlText(kIdCompareBringBack, GetText(Text::BringBack));
    SetControlText(kIdCompareClose, GetText(Text::CloseWindow));
    HWND list = Control(kIdCompareList);
    while (SendMessageW(list, LVM_DELETECOLUMN, 0, 0)) {
    }
    // The widths share the list's inside: change, name, location, the rest.
    RECT inside{};
    GetClientRect(list, &inside);
    const int total = inside.right - inside.left - GetSystemMetrics(SM_CXVSCROLL);
    AddColumn(list, 0, GetText(Text::ColumnChange), total * 14 / 100);
    AddColumn(list, 1, GetText(Text::ColumnName), total * 20 / 100);
    AddColumn(list, 2, GetText(Text::ColumnLocation), total * 32 / 100);
    AddColumn(list, 3, GetText(Text::ColumnWhatChanged), total - total * 66 / 100);
}

void CompareDialog::Prepare(BackupStore& store, const EntryList& snapshot, const std::string& dateText) {
    Create();
    store_ = &store;
    snapshot_ = snapshot;
    dateText_ = dateText;
    broughtBack = false;
    ApplyTexts();
    Refill(0);
}

void CompareDialog::Refill(int selected) {
    deltas_ = CompareWithSnapshot(snapshot_, CollectAllEntries());
    HWND list = Control(kIdCompareList);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t line = 0; line < deltas_.size(); ++line) {
        const EntryDelta& delta = deltas_[line];
        const report::ComparisonRow row = report::ComparisonRowOf(delta);
        const int at = static_cast<int>(line);
        SetCell(list, at, 0, GetText(row.changeText));
        SetCell(list, at, 1, row.shown.name);
        SetCell(list, at, 2, LocationLabel(row.shown.kind, GetText));
        SetCell(list, at, 3, DifferenceDetails(delta));
    }
    SetControlText(kIdCompareHint, GetText(deltas_.empty() ? Text::CompareNothingChanged : Text::CompareHint));
    if (!deltas_.empty()) {
        if (selected >= static_cast<int>(deltas_.size())) selected = static_cast<int>(deltas_.size()) - 1;
        if (selected < 0) selected = 0;
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(&state));
        SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
    }
    UpdateButton();
}

int CompareDialog::SelectedLine() const {
    const LRESULT line = SendMessageW(Control(kIdCompareList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (line < 0 || static_cast<size_t>(line) >= deltas_.size()) return -1;
    return static_cast<int>(line);
}

void CompareDialog::UpdateButton() {
    const int line = SelectedLine();
    EnableWindow(Control(kIdCompareBringBack), line >= 0 && CanBringBack(deltas_[static_cast<size_t>(line)]));
}

void CompareDialog::BringBackSelected() {
    const int line = SelectedLine();
    if (line < 0 || !store_) return;
    const EntryDelta delta = deltas_[static_cast<size_t>(line)];
    if (!CanBringBack(delta)) return;
    const std::string named = EntryWithPlace(delta.before);
    if (!AskQuestion(FillPlaceholder(GetText(Text::BringBackQuestion), named), false)) return;
    BringBackResult result;
    try {
        ScopedWait wait;
        result = BringBackEntry(*store_, delta);
    } catch (const std::exception& fault) {
        // The undo snapshot could not be saved: nothing was touched.
        ShowMessage(GetText(Text::BringBackNotStarted) + "\n" + UserMessage(fault));
        return;
    }
    broughtBack = true;
    NotifyEntriesChanged();
    Refill(line);
    if (result.done) {
        ShowMessage(FillPlaceholder(GetText(Text::BroughtBack), named));
        return;
    }
    std::string text = FillPlaceholder(GetText(Text::NotBroughtBack), named);
    const bool removalRefused = delta.difference != EntryDifference::Removed && !result.removal.ok();
    const ChangeResult& change = removalRefused ? result.removal : result.restore.change;
    int reason = ChangeReasonTextNumber(change.reason);
    if (!removalRefused && result.restore.fault == RestoreFault::WindowsSwitchNotSet) {
        reason = Text::ReasonWindowsSwitchNotSet;
    }
    text += "\n" + GetText(reason);
    if (!change.location.empty()) text += "\n" + change.location;
    // The entry as it was could not be put back either: the user can enter it again.
    if (result.currentLost) text += "\n\n" + EntryLostText(delta.now);
    ShowMessage(text);
}

void CompareDialog::OnCommand(int id, int code, HWND /*control*/) {
    if (code != BN_CLICKED) return;
    if (id == kIdCompareBringBack) BringBackSelected();
    if (id == kIdCompareClose) EndModal(IDOK);
}

LRESULT CompareDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->idFrom == static_cast<UINT_PTR>(kIdCompareList) && header->code == LVN_ITEMCHANGED) {
            UpdateButton();
            return 0;
        }
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

CompareDialog& TheCompareDialog() {
    static CompareDialog dialog;
    return dialog;
}

}  // namespace ui
