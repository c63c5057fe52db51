// The main window's painting: the client area around the controls (ribbon,
// side panel bars, status bar) and the owner-drawn controls, each kind by a
// function of its own.
#include <algorithm>

#include "ui/main/MainWindow.h"
#include "ui/main/MainWindowLayout.h"
#include "ui/win/HighContrast.h"
#include "ui/win/Hover.h"
#include "ui/win/Pictures.h"
#include "ui/win/WideText.h"

namespace ui {

namespace {

bool ShowsFocus(const DRAWITEMSTRUCT& item) {
    return (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT);
}

}  // namespace

void MainWindow::EraseBody(HDC dc) {
    // Only the white parts: the ribbon, panel headings and status bar are painted whole.
    RECT client{};
    GetClientRect(hwnd(), &client);
    RECT body{0, Px(Ribbon::kHeight96), client.right, client.bottom - Px(kStatusBarHeight)};
    FillRect(dc, &body,
             HighContrastOn() ? GetSysColorBrush(COLOR_WINDOW) : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void MainWindow::OnPaint(HDC dc) {
    if (!painted_) {
        painted_ = true;
        PostMessageW(hwnd(), kMakerAfterFirstPaint, 0, 0);
    }
    RECT client{};
    GetClientRect(hwnd(), &client);
    ribbon_.Paint(dc, client.right);
    // Side panel: a line at its edge and the two heading bars.
    gdi::Brush line(CreateSolidBrush(Designed(kPanelLine, COLOR_WINDOWTEXT)));
    RECT edge{Px(kSidePanelWidth), Px(Ribbon::kHeight96), Px(kSidePanelWidth) + 1,
              client.bottom - Px(kStatusBarHeight)};
    FillRect(dc, &edge, line.get());
    for (int top : {kSourcesHeadingTop, kInformationHeadingTop}) {
        RECT bar{Px(4), Px(top), Px(kSidePanelWidth - 4), Px(top + kHeadingHeight)};
        gdi::FillGradient(dc, bar, Designed(kHeadingTop, COLOR_HIGHLIGHT), Designed(kHeadingBottom, COLOR_HIGHLIGHT),
                          true);
    }
    if (informationShown_) {
        RECT tipPicture{Px(14), Px(kInformationHeadingTop + 32), Px(46), Px(kInformationHeadingTop + 64)};
        DrawPicture(dc, Picture::Tip, tipPicture);
    }
    const RibbonScheme& scheme = ribbon_.Colours();
    RECT status{0, client.bottom - Px(kStatusBarHeight), client.right, client.bottom};
    gdi::FillGradient(dc, status, scheme.status, scheme.panelBottom, true);
    gdi::Brush border(CreateSolidBrush(scheme.border));
    RECT statusLine{0, status.top, client.right, status.top + 1};
    FillRect(dc, &statusLine, border.get());
}

bool MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (ribbon_.DrawItem(item)) return true;
    const int id = static_cast<int>(item.CtlID);
    if (id == kIdEntryList) {
        DrawListLine(item);
        return true;
    }
    if (id == kIdSourcesToggle || id == kIdInformationToggle) {
        DrawSectionToggle(item);
        return true;
    }
    if (std::find(std::begin(kInfoImageIds), std::end(kInfoImageIds), id) != std::end(kInfoImageIds)) {
        DrawInfoImage(item);
        return true;
    }
    if (const ButtonCommand* button = FindDetailsButton(id)) {
        DrawDetailsButton(item, button->picture);
        return true;
    }
    return false;
}

void MainWindow::DrawListLine(const DRAWITEMSTRUCT& item) const {
    if (item.itemID == static_cast<UINT>(-1)) return;
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const int index = static_cast<int>(item.itemID);
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    gdi::Brush background(CreateSolidBrush(selected ? Designed(kSelectedLineBackground, COLOR_HIGHLIGHT)
                                                    : Designed(kLineBackground, COLOR_WINDOW)));
    FillRect(dc, &rect, background.get());
    // The list is filled from the model's lines in their order, so a line's
    // position is its place in the model.
    Colour colour = kRegistryColour;
    if (index < static_cast<int>(model_.LineCount())) colour = model_.LineColour(index);
    const std::string text = index < static_cast<int>(model_.LineCount()) ? model_.Lines()[index].text : "";
    gdi::Select font(dc, listFont_.get());
    SetBkMode(dc, TRANSPARENT);
    if (HighContrastOn()) {
        // The system's text colours; a switched-off entry stays told apart as grey.
        colour = selected                    ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                 : colour == kInactiveColour ? GetSysColor(COLOR_GRAYTEXT)
                                             : GetSysColor(COLOR_WINDOWTEXT);
    }
    SetTextColor(dc, colour);
    RECT textRect{rect.left + Px(5), rect.top, rect.right, rect.bottom};
    DrawTextOf(dc, text, &textRect, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (ShowsFocus(item)) DrawFocusRect(dc, &rect);
}

void MainWindow::DrawSectionToggle(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool sources = static_cast<int>(item.CtlID) == kIdSourcesToggle;
    const bool shown = sources ? sourcesShown_ : informationShown_;
    // The button lies on its heading bar: the bar's gradient goes on through it.
    RECT bar = rect;
    MapWindowPoints(item.hwndItem, hwnd(), reinterpret_cast<POINT*>(&bar), 2);
    const int headingTop = sources ? kSourcesHeadingTop : kInformationHeadingTop;
    RECT gradient{rect.left, Px(headingTop) - bar.top, rect.right, Px(headingTop + kHeadingHeight) - bar.top};
    gdi::FillGradient(dc, gradient, Designed(kHeadingTop, COLOR_HIGHLIGHT), Designed(kHeadingBottom, COLOR_HIGHLIGHT),
                      true);
    // A chevron: up while the section is open, down while it is folded away.
    const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2, s = Px(4);
    gdi::Pen pen(CreatePen(PS_SOLID, std::max(1, Px(2)), Designed(RGB(255, 255, 255), COLOR_HIGHLIGHTTEXT)));
    gdi::Select selectPen(dc, pen.get());
    for (int offset : {-s / 2 - 1, s / 2 + 1}) {
        const int y = cy + offset;
        POINT points[3] = {{cx - s, shown ? y + s / 2 : y - s / 2},
                           {cx, shown ? y - s / 2 : y + s / 2},
                           {cx + s, shown ? y + s / 2 : y - s / 2}};
        Polyline(dc, points, 3);
    }
}

void MainWindow::DrawInfoImage(const DRAWITEMSTRUCT& item) const {
    gdi::Brush white(CreateSolidBrush(Designed(kWhite, COLOR_WINDOW)));
    FillRect(item.hDC, &item.rcItem, white.get());
    DrawPicture(item.hDC, Picture::Info, item.rcItem);
}

void MainWindow::DrawDetailsButton(const DRAWITEMSTRUCT& item, Picture picture) const {
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const int id = static_cast<int>(item.CtlID);
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    // Under the pointer and pressed in the colours of the ribbon's scheme.
    const bool hot = !disabled && IsHovered(item.hwndItem);
    const RibbonScheme& scheme = ribbon_.Colours();
    gdi::Brush fill(CreateSolidBrush(pressed ? scheme.pressed
                                     : hot   ? scheme.hot
                                             : Designed(RGB(244, 248, 253), COLOR_BTNFACE)));
    gdi::Pen pen(CreatePen(PS_SOLID, 1,
                           disabled         ? Designed(RGB(210, 210, 210), COLOR_GRAYTEXT)
                           : pressed || hot ? scheme.border
                                            : Designed(RGB(150, 175, 215), COLOR_BTNTEXT)));
    gdi::Select selectPen(dc, pen.get());
    gdi::Select selectBrush(dc, fill.get());
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, Px(6), Px(6));
    const int size = Px(16);
    const std::string caption = ControlText(id);
    gdi::Select font(dc, buttonFont_.get());
    RECT measure{0, 0, 0, 0};
    DrawTextOf(dc, caption, &measure, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    const int contentWidth = std::min<int>(size + Px(6) + measure.right, rect.right - rect.left - Px(8));
    const int left = rect.left + (rect.right - rect.left - contentWidth) / 2 + (pressed ? 1 : 0);
    RECT pictureRect{left, (rect.top + rect.bottom - size) / 2, left + size, (rect.top + rect.bottom + size) / 2};
    if (shield_ && !disabled && ShieldOnButton(id)) {
        DrawIconEx(dc, pictureRect.left, pictureRect.top, shield_, size, size, 0, nullptr, DI_NORMAL);
    } else {
        DrawPicture(dc, picture, pictureRect, disabled);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, disabled         ? GetSysColor(COLOR_GRAYTEXT)
                     : pressed || hot ? scheme.pressedText
                                      : Designed(RGB(20, 50, 110), COLOR_BTNTEXT));
    RECT text{pictureRect.right + Px(6), rect.top, rect.right - Px(4), rect.bottom};
    DrawTextOf(dc, caption, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (ShowsFocus(item)) {
        RECT focus = rect;
        InflateRect(&focus, -Px(3), -Px(3));
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace ui
