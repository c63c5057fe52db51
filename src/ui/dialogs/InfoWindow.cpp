#include "ui/dialogs/InfoWindow.h"

#include <commctrl.h>

#include <cmath>

#include "BootmarshalVersion.h"
#include "i18n/TranslationCatalogue.h"
#include "system/ProductNames.h"
#include "system/TextRules.h"
#include "ui/dialogs/InfoWindowModel.h"
#include "ui/prompts/ErrorTexts.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"
#include "ui/win/Mnemonics.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"
#include "ui/win/WindowClasses.h"

namespace ui {

namespace {

constexpr int kClientWidth = 494;
constexpr int kClientHeight = 518;
constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT kAnimationInterval = 120;
constexpr int kAnimationFrames = 16;
constexpr int kRowHeight = 20;
constexpr int kTableTop = 153;
const wchar_t kHomepageHint[] = L"Homepage - Veltmanix";

}  // namespace

InfoWindow::InfoWindow() : WindowBase(WindowClass::Info, kClientWidth, kClientHeight, kGroupedDialogStyle) {}

void InfoWindow::OnDpiChanged() {
    LOGFONTW face{};
    face.lfHeight = -Px(32);
    face.lfUnderline = TRUE;
    lstrcpynW(face.lfFaceName, kMessageFace, LF_FACESIZE);
    nameFont_.reset(CreateFontIndirectW(&face));
    face = LOGFONTW{};
    face.lfHeight = -Px(16);
    lstrcpynW(face.lfFaceName, kDialogFace, LF_FACESIZE);
    tableFont_.reset(CreateFontIndirectW(&face));
    SetControlFont(kIdInfoProgramName, nameFont_.get());
    for (int row = 1; row <= 5; ++row) {
        SetControlFont(kIdInfoRowLabel + row, tableFont_.get());
        SetControlFont(kIdInfoRowValue + row, tableFont_.get());
    }
}

void InfoWindow::OnCreate() {
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    AddControl("STATIC", "", label, 149, 79, 300, 46, kIdInfoProgramName);
    SetControlColor(kIdInfoProgramName, kMaroon);
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | WS_BORDER | BS_OWNERDRAW, 437, 5, 43, 41, kIdInfoHomepageIcon);
    // The table: the label column and the value column, rows 1 to 5.
    for (int row = 1; row <= 5; ++row) {
        const int top = kTableTop + row * kRowHeight;
        AddControl("STATIC", "", label, 48, top, 200, kRowHeight, kIdInfoRowLabel + row);
        AddControl("STATIC", "", label, 249, top, 110, kRowHeight, kIdInfoRowValue + row);
    }
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 24, 364, 137, 51, kIdInfoLanguageGroup);
    AddControl("COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 34, 382, 117, 160,
               kIdInfoLanguageList);
    AddControl("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 24, 425, 368, 81, kIdInfoSupportGroup);
    AddLinkButton("", 64, 443, 200, 22, kIdInfoHomepageLink);
    AddLinkButton("", 64, 473, 200, 22, kIdInfoMailLink);
    AddLinkButton("", 397, 483, 92, 23, kIdInfoClose, Glyph::Arrow);
    for (int id : {kIdInfoHomepageLink, kIdInfoMailLink, kIdInfoClose}) {
        SetWindowLongPtrW(Control(id), GWL_STYLE, GetWindowLongPtrW(Control(id), GWL_STYLE) | WS_TABSTOP);
    }
    OnDpiChanged();
    SetDefaultButton(kIdInfoClose);
    SetInitialFocus(kIdInfoClose);

    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tooltip_) {
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd();
        tool.uId = reinterpret_cast<UINT_PTR>(Control(kIdInfoHomepageIcon));
        tool.lpszText = const_cast<wchar_t*>(kHomepageHint);
        SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SetTimer(hwnd(), kAnimationTimer, kAnimationInterval, nullptr);
    ApplyTexts();
}

void InfoWindow::ApplyTexts() {
    if (!hwnd()) return;
    SetCaption(GetText(Text::AboutTitle));
    SetControlText(kIdInfoClose, GetText(Text::Continue));
    SetControlText(kIdInfoProgramName, GetText(Text::ProgramName));
    // The links sit right after their pictures, as wide as their captions.
    const int links[][3] = {{kIdInfoHomepageLink, Text::HomepageLink, 443}, {kIdInfoMailLink, Text::MailLink, 473}};
    for (const auto& link : links) {
        const std::string caption = GetText(link[1]);
        SetControlText(link[0], caption);
        const int width = MeasureTextWidth96(caption, LinkFont(), DT_SINGLELINE | DT_NOPREFIX) + 8;
        MoveControl(link[0], 62, link[2], width < 300 ? width : 300, 22);
    }
    // The group's caption leads Alt to the list it frames.
    SetControlText(kIdInfoLanguageGroup, MnemonicSet().Mark(GetText(Text::LanguageGroup)));
    SetControlText(kIdInfoSupportGroup, GetText(Text::SupportGroup));
}

void InfoWindow::FillContents() {
    HWND list = Control(kIdInfoLanguageList);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    std::vector<std::string> names;
    const int count = LanguageCount();
    for (int i = 0; i < count; ++i) {
        names.push_back(LanguageName(i));
        SendTextMessage(list, CB_ADDSTRING, 0, names.back());
    }
    // Selected from the program: no change notification is sent.
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(SelectedLanguage(names, CurrentLanguageName())), 0);
    const auto rows = InfoRows(GetText, BM_VERSION_TEXT);
    for (size_t i = 0; i < rows.size(); ++i) {
        SetControlText(kIdInfoRowLabel + static_cast<int>(i) + 1, rows[i].first);
        SetControlText(kIdInfoRowValue + static_cast<int>(i) + 1, rows[i].second);
    }
}

LRESULT InfoWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR && GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) == kIdInfoHomepageIcon &&
        LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
        return TRUE;
    }
    return WindowBase::HandleMessage(message, wParam, lParam);
}

void InfoWindow::OpenHomepage() { OpenWithShellTellingFailure(GetText(Text::HomepageAddress)); }

void InfoWindow::OnCommand(int id, int code, HWND /*control*/) {
    if (id == kIdInfoLanguageList && code == CBN_SELCHANGE) {
        OnLanguageChosen();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
        case kIdInfoHomepageIcon:
        case kIdInfoHomepageLink:
            OpenHomepage();
            break;
        case kIdInfoMailLink:
            OpenWithShellTellingFailure("mailto:" + GetText(Text::SupportMailAddress));
            break;
        case kIdInfoClose:
            EndModal(IDOK);
            break;
        default:
            break;
    }
}

void InfoWindow::OnLanguageChosen() {
    const std::string chosen = ControlText(kIdInfoLanguageList);
    switch (SwitchLanguageNow(chosen)) {
        case LanguageSwitchOutcome::AlreadyActive:
            return;
        case LanguageSwitchOutcome::NotFound:
            ShowMessage(FillPlaceholder(GetText(Text::LanguageNotRead), chosen));
            break;
        case LanguageSwitchOutcome::TextsNotSaved:
            ShowMessage(FillPlaceholder(GetText(Text::LanguageNotSaved), chosen));
            break;
        case LanguageSwitchOutcome::Switched:
            if (languageSwitched_) languageSwitched_();
            break;
    }
    // Lists the languages anew and selects the active one: the new one, or
    // after a failure the one still in use.
    FillContents();
}

void InfoWindow::OnTimer(UINT_PTR timer) {
    if (timer != kAnimationTimer || !IsWindowVisible(hwnd())) return;
    frame_ = (frame_ + 1) % kAnimationFrames;
    InvalidateRect(Control(kIdInfoHomepageIcon), nullptr, FALSE);
}

bool InfoWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != kIdInfoHomepageIcon) return false;
    // A turning globe: the outline, the equator and two meridians whose
    // width follows the frame.
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const int size = Px(32);
    const int left = (rect.left + rect.right - size) / 2, top = (rect.top + rect.bottom - size) / 2;
    gdi::Brush sea(CreateSolidBrush(RGB(70, 130, 220)));
    gdi::Pen outline(CreatePen(PS_SOLID, 1, RGB(0, 40, 120)));
    gdi::Select selectBrush(dc, sea.get());
    gdi::Select selectPen(dc, outline.get());
    Ellipse(dc, left, top, left + size, top + size);
    gdi::Pen grid(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
    gdi::Select selectGrid(dc, grid.get());
    gdi::Select noFill(dc, GetStockObject(NULL_BRUSH));
    const double pi = 3.14159265358979;
    for (int meridian = 0; meridian < 2; ++meridian) {
        const double phase = 2 * pi * (frame_ + meridian * kAnimationFrames / 2.0) / kAnimationFrames;
        const int half = static_cast<int>(std::fabs(std::cos(phase)) * size / 2);
        Ellipse(dc, left + size / 2 - half, top, left + size / 2 + half + 1, top + size);
    }
    MoveToEx(dc, left, top + size / 2, nullptr);
    LineTo(dc, left + size, top + size / 2);
    MoveToEx(dc, left + size / 8, top + size / 4, nullptr);
    LineTo(dc, left + size * 7 / 8, top + size / 4);
    MoveToEx(dc, left + size / 8, top + size * 3 / 4, nullptr);
    LineTo(dc, left + size * 7 / 8, top + size * 3 / 4);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &rect);
    return true;
}

void InfoWindow::DrawLogo(HDC dc) const {
    // The logo: a rounded banner in blue shades with three bars in the colours
    // of the three kinds of places and a power sign.
    const int left = Px(114), top = Px(6), width = Px(231), height = Px(74);
    TRIVERTEX vertices[2] = {{left, top, 0x1800, 0x4000, 0x9000, 0},
                             {left + width, top + height, 0x9000, 0xB800, 0xF000, 0}};
    GRADIENT_RECT span{0, 1};
    gdi::Object<HRGN> clip(CreateRoundRectRgn(left, top, left + width + 1, top + height + 1, Px(18), Px(18)));
    SelectClipRgn(dc, clip.get());
    GradientFill(dc, vertices, 2, &span, 1, GRADIENT_FILL_RECT_V);
    SelectClipRgn(dc, nullptr);
    const COLORREF bars[3] = {RGB(128, 0, 0), RGB(0, 128, 0), RGB(0, 0, 128)};
    for (int bar = 0; bar < 3; ++bar) {
        RECT rect{left + Px(86), top + Px(16 + bar * 16), left + Px(86 + 120 - bar * 24), top + Px(26 + bar * 16)};
        gdi::Brush fill(CreateSolidBrush(bars[bar]));
        FillRect(dc, &rect, fill.get());
        FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    const int cx = left + Px(44), cy = top + height / 2, r = Px(22);
    gdi::Pen ring(CreatePen(PS_SOLID, Px(5), RGB(255, 255, 255)));
    gdi::Select selectRing(dc, ring.get());
    gdi::Select noFill(dc, GetStockObject(NULL_BRUSH));
    Arc(dc, cx - r, cy - r, cx + r, cy + r, cx - r / 2, cy - r, cx + r / 2, cy - r);
    MoveToEx(dc, cx, cy - r - Px(3), nullptr);
    LineTo(dc, cx, cy);
}

void InfoWindow::OnPaint(HDC dc) {
    DrawLogo(dc);
    // The double frame around the table.
    RECT outer{Px(24), Px(140), Px(24 + 441), Px(140 + 209)};
    DrawEdge(dc, &outer, BDR_SUNKENOUTER, BF_RECT);
    RECT inner = outer;
    InflateRect(&inner, -1, -1);
    DrawEdge(dc, &inner, BDR_RAISEDINNER, BF_RECT);
    // The picture beside the table: an "i" in a circle.
    const int x = Px(372), y = Px(196), size = Px(64);
    gdi::Brush disc(CreateSolidBrush(RGB(40, 90, 190)));
    gdi::Pen none(CreatePen(PS_NULL, 0, 0));
    gdi::Select selectDisc(dc, disc.get());
    gdi::Select selectPen(dc, none.get());
    Ellipse(dc, x, y, x + size, y + size);
    gdi::Brush white(CreateSolidBrush(RGB(255, 255, 255)));
    gdi::Select selectWhite(dc, white.get());
    Ellipse(dc, x + size * 7 / 16, y + size / 6, x + size * 9 / 16 + 1, y + size * 9 / 32);
    Rectangle(dc, x + size * 7 / 16, y + size * 3 / 8, x + size * 9 / 16 + 1, y + size * 13 / 16);
    // Small pictures before the two links: a globe and an envelope.
    gdi::Pen ink(CreatePen(PS_SOLID, 1, RGB(0, 0, 128)));
    gdi::Select selectInk(dc, ink.get());
    gdi::Select noFill(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, Px(38), Px(445), Px(56), Px(463));
    Ellipse(dc, Px(43), Px(445), Px(51), Px(463));
    MoveToEx(dc, Px(38), Px(454), nullptr);
    LineTo(dc, Px(56), Px(454));
    Rectangle(dc, Px(38), Px(477), Px(57), Px(490));
    MoveToEx(dc, Px(38), Px(477), nullptr);
    LineTo(dc, Px(47), Px(484));
    LineTo(dc, Px(57), Px(477));
}

InfoWindow& TheInfoWindow() {
    static InfoWindow window;
    return window;
}

void ShowInfoWindow(HWND owner) {
    ScopedDialogOwner scopedOwner(owner);
    InfoWindow& window = TheInfoWindow();
    window.Create();
    window.FillContents();
    window.RunModal();
}

}  // namespace ui
