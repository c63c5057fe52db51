#include "ui/dialogs/RestoreDialog.h"

#include <algorithm>

#include "backup/BackupStore.h"
#include "backup/EntryRestore.h"
#include "backup/LocaleFormats.h"
#include "blocking/BlockList.h"
#include "entries/EntryCatalogue.h"
#include "i18n/TranslationCatalogue.h"
#include "system/TextCase.h"
#include "system/TextRules.h"
#include "ui/dialogs/CompareDialog.h"
#include "ui/dialogs/DialogWindows.h"
#include "ui/dialogs/EntryChangeMessages.h"
#include "ui/dialogs/RestoreModel.h"
#include "ui/prompts/ErrorTexts.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"
#include "ui/win/Mnemonics.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"
#include "ui/win/WindowClasses.h"

namespace {

BackupStore* g_store = nullptr;

// The timed wait's pace before the backup commands: about one second.
constexpr int kWaitPace = 10;

}  // namespace

namespace ui {

void AttachBackupStore(BackupStore* store) { g_store = store; }

bool TakeSnapshot(BackupStore& store, std::string& error) {
    try {
        store.AddSnapshot();
        return true;
    } catch (const std::exception& fault) {
        // The file keeps what it had; so does the list the user sees.
        error = UserMessage(fault);
        return false;
    }
}

SnapshotDeletion DeleteSnapshot(BackupStore& store, size_t position) {
    SnapshotDeletion result;
    auto& snapshots = store.List().Snapshots;
    if (position >= snapshots.size()) return result;
    // The snapshot the user saw: another copy may have changed the file since,
    // so it is found again there by what it holds.
    const Snapshot shown = snapshots[position];
    try {
        // Not found: another copy deleted it already, and it is gone as asked.
        store.DeleteSnapshot(shown);
        result.deleted = true;
        result.keptAside = store.KeptAside();
    } catch (const std::exception& fault) {
        // The file still holds it: so does the list.
        result.error = UserMessage(fault);
    }
    return result;
}

namespace {

// "name  (place): why", one line.
std::string EntryWithReason(const StartupEntry& entry, int reasonText) {
    std::string reason = GetText(reasonText);
    for (char& c : reason) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return EntryWithPlace(entry) + ": " + reason;
}

int RestoreFaultText(const EntryRestore& restore) {
    switch (restore.fault) {
        case RestoreFault::ValueNotInBackup:
            return Text::ReasonValueNotInBackup;
        case RestoreFault::WindowsSwitchNotSet:
            return Text::ReasonWindowsSwitchNotSet;
        case RestoreFault::Refused:
        case RestoreFault::None:
            break;
    }
    return ChangeReasonTextNumber(restore.change.reason);
}

}  // namespace

RestoreReport RestoreSnapshot(BackupStore& store, size_t position) {
    RestoreReport report;
    if (position >= store.List().Snapshots.size()) return report;
    // Copies: writing puts the deactivation marker into the records it is
    // given, and the snapshot in the list must keep its commands as taken.
    const EntryList wanted = store.List().Snapshots[position].Entries;
    if (!TakeSnapshot(store, report.error)) return report;
    report.started = true;
    report.keptAside = store.KeptAside();

    for (const StartupEntry& entry : CollectAllEntries()) {
        // A scheduled task stays; the snapshot gives it back its state below.
        if (IsOnlySwitchedKind(entry.kind)) continue;
        // A value that is not text stays: no snapshot could bring it back.
        if (!RestoreMayRemove(entry)) {
            // Only switched where it stands: the snapshot switches it when it holds it.
            const LocationFamily* family = FamilyOf(entry.kind);
            if (family && family->OnlySwitched()) continue;
            bool inSnapshot = false;
            for (const StartupEntry& recorded : wanted) {
                inSnapshot = inSnapshot || (recorded.kind == entry.kind && recorded.stored == StoredValue::NotText &&
                                            SameText(recorded.name, entry.name));
            }
            if (!inSnapshot) report.notRemoved.push_back(EntryWithReason(entry, Text::ReasonNotAStringValue));
            continue;
        }
        const ChangeResult removed = DeleteEntry(entry);
        if (!removed.ok()) report.notRemoved.push_back(EntryWithReason(entry, ChangeReasonTextNumber(removed.reason)));
    }
    const EntryList now = CollectAllEntries();
    for (const StartupEntry& entry : wanted) {
        const EntryRestore restored = RestoreEntry(entry, now);
        if (!restored.ok()) report.notWritten.push_back(EntryWithReason(entry, RestoreFaultText(restored)));
    }
    // The logon check's value went with the other entries, or came back with an
    // old path from the snapshot: it follows the block list again.
    if (!SetBlockCheckRun(!BlockListLines().empty())) report.notWritten.push_back(LogonCheckNotSetText());
    return report;
}

namespace {

constexpr int kClientWidth = 349;
constexpr int kClientHeight = 253;
constexpr int kPromptWidth = 320;

std::string KeptAsideText(const std::string& keptAside) {
    return FillPlaceholder(GetText(Text::BackupFileKeptAside), keptAside);
}

std::string RestoreReportText(const RestoreReport& report) {
    std::string text;
    if (!report.keptAside.empty()) text = KeptAsideText(report.keptAside);
    if (!report.notWritten.empty()) {
        if (!text.empty()) text += "\r\n\r\n";
        text += ReportText(GetText(Text::RestoredExceptThese), report.notWritten);
    }
    if (!report.notRemoved.empty()) {
        if (!text.empty()) text += "\r\n\r\n";
        text += ReportText(GetText(Text::NotRemoved), report.notRemoved);
    }
    return text;
}

void ShowRestoreReport(const RestoreReport& report) {
    if (!report.started) {
        ShowMessage(GetText(Text::RestoreNotStarted) + "\n" + report.error);
        return;
    }
    if (report.complete()) {
        ShowMessage(report.keptAside.empty() ? GetText(Text::Restored)
                                             : GetText(Text::Restored) + "\r\n\r\n" + KeptAsideText(report.keptAside));
        return;
    }
    const size_t items = report.notWritten.size() + report.notRemoved.size();
    if (ReportNeedsInfoMessage(items)) {
        ShowInfoMessage(GetText(Text::RestoreBackup), RestoreReportText(report));
    } else {
        ShowMessage(RestoreReportText(report));
    }
}

enum class ButtonPicture { Delete, Restore };

void DrawButtonPicture(HDC dc, ButtonPicture picture, int centreX, int top, int size, bool enabled) {
    const COLORREF ink =
        enabled ? (picture == ButtonPicture::Delete ? RGB(192, 0, 0) : RGB(0, 128, 0)) : GetSysColor(COLOR_GRAYTEXT);
    gdi::Pen pen(CreatePen(PS_SOLID, size / 12 > 1 ? size / 12 : 2, ink));
    gdi::Select selectPen(dc, pen.get());
    gdi::Select selectBrush(dc, GetStockObject(NULL_BRUSH));
    const int left = centreX - size / 2;
    if (picture == ButtonPicture::Delete) {
        // A bin: lid, handle, body with ribs.
        MoveToEx(dc, left + size / 8, top + size / 5, nullptr);
        LineTo(dc, left + size * 7 / 8, top + size / 5);
        Rectangle(dc, left + size * 3 / 8, top + size / 12, left + size * 5 / 8, top + size / 5);
        Rectangle(dc, left + size / 4, top + size / 5, left + size * 3 / 4, top + size);
        for (int rib = 1; rib <= 2; ++rib) {
            const int x = left + size / 4 + rib * size / 6;
            MoveToEx(dc, x, top + size / 3, nullptr);
            LineTo(dc, x, top + size * 7 / 8);
        }
    } else {
        // A turning arrow: most of a circle and an arrow head at its end.
        const int r = size / 2 - 2;
        const int cx = centreX, cy = top + size / 2;
        Arc(dc, cx - r, cy - r, cx + r, cy + r, cx + r, cy - r / 3, cx, cy - r);
        gdi::Brush head(CreateSolidBrush(ink));
        gdi::Select selectHead(dc, head.get());
        POINT points[3] = {{cx, cy - r - size / 6}, {cx, cy - r + size / 6}, {cx - size / 5, cy - r}};
        Polygon(dc, points, 3);
    }
}

}  // namespace

RestoreDialog::RestoreDialog() : WindowBase(WindowClass::Restore, kClientWidth, kClientHeight, kGroupedDialogStyle) {}

void RestoreDialog::OnDpiChanged() {
    LOGFONTW face{};
    face.lfHeight = -Px(16);
    lstrcpynW(face.lfFaceName, kDialogFace, LF_FACESIZE);
    promptFont_.reset(CreateFontIndirectW(&face));
    face.lfHeight = -Px(11);
    face.lfUnderline = TRUE;
    listFont_.reset(CreateFontIndirectW(&face));
    SetControlFont(kIdRestoreList, listFont_.get());
    FitPromptFont();
}

// The two prompt lines are designed for the English words at 16 pixels; where
// a language's line is longer (German), the face gets smaller until both show whole.
void RestoreDialog::FitPromptFont() {
    LOGFONTW face{};
    lstrcpynW(face.lfFaceName, kDialogFace, LF_FACESIZE);
    for (int height = 16;; --height) {
        face.lfHeight = -Px(height);
        promptFont_.reset(CreateFontIndirectW(&face));
        int widest = 0;
        for (int id : {kIdRestorePrompt1, kIdRestorePrompt2}) {
            widest =
                std::max(widest, MeasureTextWidth96(ControlText(id), promptFont_.get(), DT_SINGLELINE | DT_NOPREFIX));
        }
        if (widest <= kPromptWidth || height <= 11) break;
    }
    SetControlFont(kIdRestorePrompt1, promptFont_.get());
    SetControlFont(kIdRestorePrompt2, promptFont_.get());
}

void RestoreDialog::OnCreate() {
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    AddControl("STATIC", "", label, 16, 10, kPromptWidth, 20, kIdRestorePrompt1);
    AddControl("STATIC", "", label, 16, 30, kPromptWidth, 20, kIdRestorePrompt2);
    SetControlColor(kIdRestorePrompt1, kMaroon);
    SetControlColor(kIdRestorePrompt2, kMaroon);
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 16, 60, 317, 182, kIdRestoreGroup);
    AddControl("COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 30, 84, 289, 200,
               kIdRestoreList);
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 30, 124, 130, 76, kIdRestoreDelete);
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 189, 124, 130, 76, kIdRestoreRestore);
    AddLinkButton("", 30, 208, 289, 24, kIdRestoreCompare, Glyph::Arrow);
    OnDpiChanged();
    SetInitialFocus(kIdRestoreList);
    ApplyTexts();
}

void RestoreDialog::ApplyTexts() {
    if (!hwnd()) return;
    SetCaption(GetText(Text::ProgramName));
    SetControlText(kIdRestorePrompt1, GetText(Text::RestorePrompt1));
    SetControlText(kIdRestorePrompt2, GetText(Text::RestorePrompt2));
    // The frame's caption leads Alt to the list it frames.
    SetControlText(kIdRestoreGroup, MnemonicSet().Mark(GetText(Text::BackupsGroup)));
    SetControlText(kIdRestoreDelete, GetText(Text::DeleteBackup));
    SetControlText(kIdRestoreRestore, GetText(Text::RestoreBackup));
    SetControlText(kIdRestoreCompare, GetText(Text::CompareWithNow));
    FitPromptFont();
}

LRESULT RestoreDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kLinkBlue);
        SetBkColor(dc, kWhite);
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    if (message == WM_SETCURSOR) {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(wParam));
        if ((id == kIdRestoreDelete || id == kIdRestoreRestore) && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
            return TRUE;
        }
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

bool RestoreDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != kIdRestoreDelete && item.CtlID != kIdRestoreRestore) return false;
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const bool enabled = (item.itemState & ODS_DISABLED) == 0;
    const int shift = (item.itemState & ODS_SELECTED) ? Px(1) : 0;
    const int size = Px(32);
    DrawButtonPicture(dc, item.CtlID == kIdRestoreDelete ? ButtonPicture::Delete : ButtonPicture::Restore,
                      (rect.left + rect.right) / 2 + shift, rect.top + Px(6) + shift, size, enabled);
    const std::string caption = WindowTextOf(item.hwndItem);
    gdi::Select font(dc, LinkFont());
    SetTextColor(dc, enabled ? kLinkBlue : GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    RECT textRect{rect.left, rect.top + Px(44) + shift, rect.right, rect.bottom};
    DrawTextOf(dc, caption, &textRect, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = rect;
        InflateRect(&focus, -Px(2), -Px(2));
        DrawFocusRect(dc, &focus);
    }
    return true;
}

void RestoreDialog::Prepare(BackupStore& store) {
    Create();
    store_ = &store;
    restored = false;
    FillSnapshotList();
}

void RestoreDialog::FillSnapshotList() {
    HWND list = Control(kIdRestoreList);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    EnableWindow(Control(kIdRestoreDelete), FALSE);
    EnableWindow(Control(kIdRestoreRestore), FALSE);
    EnableWindow(Control(kIdRestoreCompare), FALSE);
    if (!store_) return;
    auto& snapshots = store_->List().Snapshots;
    SortSnapshots(snapshots);
    const std::string before = GetText(Text::BackupOf);
    const std::string after = GetText(Text::Entries);
    for (const Snapshot& snapshot : snapshots) {
        const std::string line = SnapshotLine(before, DateTimeText(snapshot.Timestamp), snapshot.Entries.size(), after);
        SendTextMessage(list, CB_ADDSTRING, 0, line);
    }
    if (!snapshots.empty()) {
        SendMessageW(list, CB_SETCURSEL, 0, 0);
        EnableWindow(Control(kIdRestoreDelete), TRUE);
        EnableWindow(Control(kIdRestoreRestore), TRUE);
        EnableWindow(Control(kIdRestoreCompare), TRUE);
    }
}

int RestoreDialog::SelectedPosition() const {
    if (!store_) return -1;
    const LRESULT selected = SendMessageW(Control(kIdRestoreList), CB_GETCURSEL, 0, 0);
    if (selected < 0 || static_cast<size_t>(selected) >= store_->List().Snapshots.size()) return -1;
    return static_cast<int>(selected);
}

void RestoreDialog::DeleteSelected() {
    const int position = SelectedPosition();
    if (position < 0) return;
    if (!AskQuestion(GetText(Text::DeleteQuestion), false)) return;
    const SnapshotDeletion result = DeleteSnapshot(*store_, static_cast<size_t>(position));
    FillSnapshotList();
    if (result.deleted) {
        ShowMessage(result.keptAside.empty() ? GetText(Text::Deleted) : KeptAsideText(result.keptAside));
    } else {
        ShowMessage(GetText(Text::BackupNotSaved) + "\n" + store_->BackupFile() + "\n" + result.error);
    }
}

void RestoreDialog::RestoreSelected() {
    const int position = SelectedPosition();
    if (position < 0) return;
    if (!AskQuestion(GetText(Text::RestoreQuestion), false)) return;
    RunTimedWait(kWaitPace);
    RestoreReport report;
    {
        ScopedWait wait;
        report = RestoreSnapshot(*store_, static_cast<size_t>(position));
    }
    restored = report.started;
    if (report.started) NotifyEntriesChanged();
    if (!report.started) {
        // The list may hold the new snapshot's place again: show it as it is.
        FillSnapshotList();
        ShowRestoreReport(report);
        return;
    }
    ShowRestoreReport(report);
    EndModal(IDOK);
}

void RestoreDialog::CompareSelected() {
    const int position = SelectedPosition();
    if (position < 0) return;
    const Snapshot& snapshot = store_->List().Snapshots[static_cast<size_t>(position)];
    CompareDialog& compare = TheCompareDialog();
    {
        ScopedDialogOwner owner(hwnd());
        compare.Prepare(*store_, snapshot.Entries, DateTimeText(snapshot.Timestamp));
        compare.RunModal();
    }
    if (!compare.broughtBack) return;
    // Each entry brought back added its undo snapshot: the list shows them.
    restored = true;
    FillSnapshotList();
}

void RestoreDialog::OnCommand(int id, int code, HWND /*control*/) {
    if (code != BN_CLICKED) return;
    if (id == kIdRestoreDelete) DeleteSelected();
    if (id == kIdRestoreRestore) RestoreSelected();
    if (id == kIdRestoreCompare) CompareSelected();
}

RestoreDialog& TheRestoreDialog() {
    static RestoreDialog dialog;
    return dialog;
}

void MakeBackup(HWND owner) {
    if (!g_store) return;
    ScopedDialogOwner scopedOwner(owner);
    RunTimedWait(GetText(Text::MakingBackup), "", kWaitPace);
    std::string error;
    bool taken;
    {
        ScopedWait wait;
        taken = TakeSnapshot(*g_store, error);
    }
    if (taken) {
        // Not "complete" when older backups could not be read: it says where they went.
        ShowMessage(g_store->KeptAside().empty() ? GetText(Text::BackupMade) : KeptAsideText(g_store->KeptAside()));
    } else {
        ShowMessage(GetText(Text::BackupNotSaved) + "\n" + g_store->BackupFile() + "\n" + error);
    }
}

void ManageBackups(HWND owner) {
    if (!g_store) return;
    ScopedDialogOwner scopedOwner(owner);
    RunTimedWait(kWaitPace);
    RestoreDialog& dialog = TheRestoreDialog();
    dialog.Prepare(*g_store);
    dialog.RunModal();
}

}  // namespace ui
