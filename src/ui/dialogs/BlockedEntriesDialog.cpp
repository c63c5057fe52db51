#include "ui/dialogs/BlockedEntriesDialog.h"

#include <commctrl.h>

#include "blocking/BlockList.h"
#include "blocking/EntryBlocking.h"
#include "i18n/TranslationCatalogue.h"
#include "ui/dialogs/BlockedEntriesModel.h"
#include "ui/dialogs/DialogWindows.h"
#include "ui/dialogs/EntryChangeMessages.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"
#include "ui/win/Mnemonics.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"
#include "ui/win/WindowClasses.h"

namespace ui {

namespace {

constexpr int kClientWidth = 417;
constexpr int kClientHeight = 343;
const COLORREF kFieldBackground = RGB(255, 255, 234);

}  // namespace

BlockedEntriesDialog::BlockedEntriesDialog()
    : WindowBase(WindowClass::BlockedEntries, kClientWidth, kClientHeight, kGroupedDialogStyle) {}

void BlockedEntriesDialog::OnCreate() {
    fieldBrush_.reset(CreateSolidBrush(kFieldBackground));
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 8, 6, 401, 122, kIdBlockedGroup);
    AddControl("EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 18, 26, 381, 96, kIdBlockedExplanation);
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 8, 134, 401, 166, kIdBlockedListGroup);
    AddControl("LISTBOX", "",
               WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 18, 152,
               381, 138, kIdBlockedList);
    AddLinkButton("", 257, 308, 152, 27, kIdBlockedRelease, Glyph::Check);
    SetWindowLongPtrW(Control(kIdBlockedRelease), GWL_STYLE,
                      GetWindowLongPtrW(Control(kIdBlockedRelease), GWL_STYLE) | WS_TABSTOP);
    SetWindowSubclass(Control(kIdBlockedList), ListProc, 1, reinterpret_cast<DWORD_PTR>(this));

    // The hover field: a pop-up so that it may reach beyond the dialog; it
    // takes no mouse input, which goes to the list beneath.
    field_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST, L"EDIT", L"",
                             WS_POPUP | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL, 0, 0, 10, 10, hwnd(),
                             reinterpret_cast<HMENU>(0), GetModuleHandleW(nullptr), nullptr);
    if (field_) {
        SetWindowLongPtrW(field_, GWLP_ID, kIdBlockedHoverField);
        SetWindowSubclass(field_, FieldProc, 1, 0);
        SendMessageW(field_, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
    }
    SetInitialFocus(kIdBlockedList);
    ApplyTexts();
}

void BlockedEntriesDialog::ApplyTexts() {
    if (!hwnd()) return;
    SetCaption(GetText(Text::ProgramName));
    SetControlText(kIdBlockedRelease, GetText(Text::DeleteEntry));
    // Alt with the heading's key leads to the list, the first control that takes the focus after it.
    SetControlText(kIdBlockedGroup, MnemonicSet().Mark(GetText(Text::BlockedEntriesGroup)));
    FillMemoFromText(Control(kIdBlockedExplanation), GetText(Text::BlockedExplanation));
}

LRESULT BlockedEntriesDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == field_ && field_) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, kFieldBackground);
        return reinterpret_cast<LRESULT>(fieldBrush_.get());
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

void BlockedEntriesDialog::Prepare(const StartupEntry& currentEntry) {
    Create();
    current_ = currentEntry;
    entrySwitchedOn = false;
    FillList();
}

void BlockedEntriesDialog::FillList() {
    ShowWholeLine(-1);
    HWND list = Control(kIdBlockedList);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : BlockListLines()) {
        SendTextMessage(list, LB_ADDSTRING, 0, line);
    }
    UpdateButton();
}

void BlockedEntriesDialog::UpdateButton() {
    const LRESULT selected = SendMessageW(Control(kIdBlockedList), LB_GETCURSEL, 0, 0);
    EnableWindow(Control(kIdBlockedRelease), selected >= 0 ? TRUE : FALSE);
}

void BlockedEntriesDialog::ReleaseLine(int position) {
    if (position < 0) return;
    const BlockingResult result = ReleaseBlockListLine(static_cast<size_t>(position), current_);
    if (!result.listChanged) return;
    FillList();
    NotifyEntriesChanged();
    if (!result.listSaved) ShowMessage(GetText(Text::BlockListNotSaved) + "\n" + result.listFile);
    if (!result.logonCheckSet) ShowMessage(LogonCheckNotSetText());
    if (result.entrySwitched) {
        current_.active = 1;
        entrySwitchedOn = true;
    } else if (!result.entryChange.ok()) {
        ShowChangeFailure(result.entryChange, current_);
    }
}

void BlockedEntriesDialog::ShowWholeLine(int line) {
    if (!field_) return;
    HWND list = Control(kIdBlockedList);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    RECT item{};
    std::string text;
    bool show = line >= 0 && line < count &&
                SendMessageW(list, LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&item)) != LB_ERR;
    SIZE extent{};
    if (show) {
        text = ListBoxLine(list, line);
        gdi::WindowDC dc(list);
        gdi::Select font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
        const std::wstring wide = WideFromUtf8(text);
        GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &extent);
        RECT client{};
        GetClientRect(list, &client);
        // The list draws a line's text two pixels in.
        show = LineNeedsHoverField(extent.cx, item.left + 2, client.right);
    }
    if (!show) {
        hoverLine_ = -1;
        ShowWindow(field_, SW_HIDE);
        return;
    }
    hoverLine_ = line;
    POINT corner{item.left, item.top};
    ClientToScreen(list, &corner);
    SetWindowTextOf(field_, text);
    SetWindowPos(field_, HWND_TOPMOST, corner.x, corner.y, extent.cx + kHoverFieldExtraWidth,
                 extent.cy + kHoverFieldExtraHeight, SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT CALLBACK BlockedEntriesDialog::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR selfData) {
    auto* self = reinterpret_cast<BlockedEntriesDialog*>(selfData);
    if (message == WM_MOUSEMOVE) {
        const LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, lParam);
        const int line = HIWORD(hit) ? -1 : static_cast<int>(LOWORD(hit));
        if (line != self->hoverLine_) self->ShowWholeLine(line);
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, list, 0};
        TrackMouseEvent(&track);
    } else if (message == WM_MOUSELEAVE) {
        // Leaving the list for the field over it is no leaving.
        POINT cursor{};
        GetCursorPos(&cursor);
        RECT listRect{};
        GetWindowRect(list, &listRect);
        if (!PtInRect(&listRect, cursor)) self->ShowWholeLine(-1);
    } else if (message == WM_VSCROLL || message == WM_MOUSEWHEEL) {
        self->ShowWholeLine(-1);
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CALLBACK BlockedEntriesDialog::FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR) {
    // Presses, releases and double clicks land on the list line beneath.
    if (message == WM_NCHITTEST) return HTTRANSPARENT;
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefSubclassProc(field, message, wParam, lParam);
}

void BlockedEntriesDialog::OnCommand(int id, int code, HWND /*control*/) {
    if (id == kIdBlockedList && code == LBN_SELCHANGE) UpdateButton();
    if (id == kIdBlockedRelease && code == BN_CLICKED) {
        ReleaseLine(static_cast<int>(SendMessageW(Control(kIdBlockedList), LB_GETCURSEL, 0, 0)));
    }
}

void BlockedEntriesDialog::OnCancel() {
    ShowWholeLine(-1);
    WindowBase::OnCancel();
}

BlockedEntriesDialog& TheBlockedEntriesDialog() {
    static BlockedEntriesDialog dialog;
    return dialog;
}

void RunBlockedEntriesDialog(HWND owner, const StartupEntry& currentEntry) {
    ScopedDialogOwner scopedOwner(owner);
    BlockedEntriesDialog& dialog = TheBlockedEntriesDialog();
    dialog.Prepare(currentEntry);
    dialog.RunModal();
}

}  // namespace ui
