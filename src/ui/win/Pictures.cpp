#include "ui/win/Pictures.h"

#include <algorithm>
#include <cmath>

#include "ui/win/Gdi.h"
#include "ui/win/WideText.h"

namespace ui {

namespace {

// Drawing in a 32-unit square mapped onto the target square.
class Canvas {
public:
    Canvas(HDC dc, const RECT& rect, bool disabled) : dc_(dc), disabled_(disabled) {
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        size_ = std::min(width, height);
        left_ = rect.left + (width - size_) / 2;
        top_ = rect.top + (height - size_) / 2;
    }
    int X(double u) const { return left_ + static_cast<int>(std::lround(u * size_ / 32.0)); }
    int Y(double u) const { return top_ + static_cast<int>(std::lround(u * size_ / 32.0)); }
    int W(double u) const { return std::max(1, static_cast<int>(std::lround(u * size_ / 32.0))); }
    COLORREF C(COLORREF colour) const {
        if (!disabled_) return colour;
        const int grey = (GetRValue(colour) * 3 + GetGValue(colour) * 6 + GetBValue(colour)) / 10;
        const int light = 128 + grey / 2;
        return RGB(light, light, light);
    }

    void Rect(double l, double t, double r, double b, COLORREF fill, COLORREF line, double width = 1.5) {
        Shape(fill, line, width, [&] { Rectangle(dc_, X(l), Y(t), X(r), Y(b)); });
    }
    void Round(double l, double t, double r, double b, double radius, COLORREF fill, COLORREF line,
               double width = 1.5) {
        Shape(fill, line, width, [&] { RoundRect(dc_, X(l), Y(t), X(r), Y(b), W(radius), W(radius)); });
    }
    void Ellipse(double l, double t, double r, double b, COLORREF fill, COLORREF line, double width = 1.5) {
        Shape(fill, line, width, [&] { ::Ellipse(dc_, X(l), Y(t), X(r), Y(b)); });
    }
    void Polygon(std::initializer_list<POINT> units, COLORREF fill, COLORREF line, double width = 1.5) {
        POINT points[16];
        int n = 0;
        for (const POINT& p : units) points[n++] = POINT{X(p.x), Y(p.y)};
        Shape(fill, line, width, [&] { ::Polygon(dc_, points, n); });
    }
    void Line(double x1, double y1, double x2, double y2, COLORREF colour, double width = 2) {
        gdi::Pen pen(CreatePen(PS_SOLID, W(width), C(colour)));
        gdi::Select select(dc_, pen.get());
        MoveToEx(dc_, X(x1), Y(y1), nullptr);
        LineTo(dc_, X(x2), Y(y2));
    }
    void Arc(double l, double t, double r, double b, double x1, double y1, double x2, double y2, COLORREF colour,
             double width = 3) {
        gdi::Pen pen(CreatePen(PS_SOLID, W(width), C(colour)));
        gdi::Select select(dc_, pen.get());
        ::Arc(dc_, X(l), Y(t), X(r), Y(b), X(x1), Y(y1), X(x2), Y(y2));
    }
    void Text(const char* text, double l, double t, double r, double b, COLORREF colour, double height, bool bold) {
        gdi::Font font(CreateFontW(-W(height), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                   ANTIALIASED_QUALITY, 0, L"Arial"));
        gdi::Select select(dc_, font.get());
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, C(colour));
        RECT box{X(l), Y(t), X(r), Y(b)};
        DrawTextOf(dc_, text, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

private:
    template <typename Draw>
    void Shape(COLORREF fill, COLORREF line, double width, Draw draw) {
        gdi::Brush brush(CreateSolidBrush(C(fill)));
        gdi::Pen pen(CreatePen(PS_SOLID, W(width), C(line)));
        gdi::Select selectBrush(dc_, brush.get());
        gdi::Select selectPen(dc_, pen.get());
        draw();
    }

    HDC dc_;
    bool disabled_;
    int size_ = 0, left_ = 0, top_ = 0;
};

const COLORREF kInk = RGB(60, 70, 90);
const COLORREF kPaper = RGB(255, 255, 255);
const COLORREF kGreen = RGB(40, 150, 60);
const COLORREF kRed = RGB(200, 40, 40);
const COLORREF kBlue = RGB(40, 100, 190);
const COLORREF kGold = RGB(230, 170, 40);

void Document(Canvas& c, double l, double t, double r, double b) {
    c.Polygon({{static_cast<LONG>(l), static_cast<LONG>(t)},
               {static_cast<LONG>(r - 6), static_cast<LONG>(t)},
               {static_cast<LONG>(r), static_cast<LONG>(t + 6)},
               {static_cast<LONG>(r), static_cast<LONG>(b)},
               {static_cast<LONG>(l), static_cast<LONG>(b)}},
              kPaper, kInk);
    for (double y = t + 9; y < b - 3; y += 4) c.Line(l + 4, y, r - 4, y, RGB(150, 160, 180), 1.2);
}

void Disk(Canvas& c, double l, double t, double r, double b, COLORREF body) {
    c.Round(l, t, r, b, 4, body, kInk);
    c.Rect(l + 5, t + 1, r - 5, t + (b - t) * 0.38, RGB(230, 235, 245), kInk, 1);
    c.Rect(l + 4, t + (b - t) * 0.55, r - 4, b - 2, kPaper, kInk, 1);
}

void Circle(Canvas& c, COLORREF fill, const char* glyph) {
    c.Ellipse(3, 3, 29, 29, fill, RGB(20, 60, 120));
    c.Text(glyph, 3, 3, 29, 29, kPaper, 20, true);
}

void Scheme(Canvas& c, COLORREF dark, COLORREF light) {
    c.Round(3, 5, 29, 27, 6, light, dark, 2);
    c.Rect(3, 5, 29, 12, dark, dark, 1);
    c.Rect(7, 16, 15, 23, kPaper, dark, 1);
    c.Rect(17, 16, 25, 23, kPaper, dark, 1);
}

}  // namespace

void DrawPicture(HDC dc, Picture picture, const RECT& rect, bool disabled) {
    Canvas c(dc, rect, disabled);
    switch (picture) {
        case Picture::None:
            break;
        case Picture::NewEntry:
            Document(c, 5, 2, 25, 29);
            c.Ellipse(16, 16, 31, 31, kGreen, RGB(20, 100, 40));
            c.Line(23.5, 19, 23.5, 28, kPaper, 2.5);
            c.Line(19, 23.5, 28, 23.5, kPaper, 2.5);
            break;
        case Picture::Refresh:
            c.Arc(5, 5, 27, 27, 27, 8, 5, 16, kGreen, 3.5);
            c.Polygon({{22, 2}, {30, 10}, {21, 12}}, kGreen, kGreen, 1);
            c.Arc(5, 5, 27, 27, 5, 24, 27, 16, kBlue, 3.5);
            c.Polygon({{10, 30}, {2, 22}, {11, 20}}, kBlue, kBlue, 1);
            break;
        case Picture::Print:
            c.Rect(9, 3, 23, 13, kPaper, kInk);
            c.Round(3, 12, 29, 24, 4, RGB(150, 160, 175), kInk);
            c.Rect(9, 19, 23, 30, kPaper, kInk);
            c.Line(12, 23, 20, 23, kInk, 1);
            c.Line(12, 26, 20, 26, kInk, 1);
            c.Ellipse(24, 15, 27, 18, kGreen, kGreen, 1);
            break;
        case Picture::MakeBackup:
            Disk(c, 3, 3, 25, 25, kBlue);
            c.Ellipse(17, 17, 31, 31, kGreen, RGB(20, 100, 40));
            c.Line(20, 24, 23, 27, kPaper, 2.2);
            c.Line(23, 27, 28, 20, kPaper, 2.2);
            break;
        case Picture::ManageBackups:
            Disk(c, 9, 2, 29, 22, RGB(120, 140, 200));
            Disk(c, 3, 9, 23, 29, kBlue);
            break;
        case Picture::BlockedEntries:
            Document(c, 3, 2, 21, 27);
            c.Ellipse(13, 13, 31, 31, kPaper, kRed, 3);
            c.Line(16, 28, 28, 16, kRed, 3);
            break;
        case Picture::Restart:
            c.Arc(5, 6, 27, 28, 11, 7, 21, 7, kRed, 3.5);
            c.Line(16, 2, 16, 15, kRed, 3.5);
            break;
        case Picture::Homepage:
            c.Ellipse(3, 3, 29, 29, RGB(120, 180, 240), kBlue, 2);
            c.Ellipse(10, 3, 22, 29, RGB(120, 180, 240), kBlue, 1.5);
            c.Line(3, 16, 29, 16, kBlue, 1.5);
            c.Line(6, 9, 26, 9, kBlue, 1.2);
            c.Line(6, 23, 26, 23, kBlue, 1.2);
            break;
        case Picture::Exit:
            c.Rect(4, 3, 20, 29, RGB(190, 140, 90), kInk);
            c.Ellipse(15, 15, 18, 18, kGold, kInk, 1);
            c.Polygon({{19, 12}, {25, 12}, {25, 7}, {31, 16}, {25, 25}, {25, 20}, {19, 20}}, kRed, RGB(140, 20, 20), 1);
            break;
        case Picture::SchemeBlue:
            Scheme(c, RGB(60, 110, 190), RGB(200, 220, 250));
            break;
        case Picture::SchemeBlack:
            Scheme(c, RGB(40, 40, 40), RGB(170, 170, 170));
            break;
        case Picture::SchemeSilver:
            Scheme(c, RGB(120, 128, 140), RGB(225, 228, 234));
            break;
        case Picture::About:
        case Picture::Info:
            Circle(c, kBlue, "i");
            break;
        case Picture::Help:
            Circle(c, kGreen, "?");
            break;
        case Picture::Documentation:
            c.Polygon({{3, 6}, {15, 4}, {15, 28}, {3, 29}}, kPaper, kInk);
            c.Polygon({{29, 6}, {17, 4}, {17, 28}, {29, 29}}, kPaper, kInk);
            for (double y = 10; y < 26; y += 4) {
                c.Line(6, y, 12, y - 0.5, RGB(150, 160, 180), 1.2);
                c.Line(20, y - 0.5, 26, y, RGB(150, 160, 180), 1.2);
            }
            break;
        case Picture::Email:
            c.Rect(2, 7, 30, 26, kPaper, kInk);
            c.Line(2, 7, 16, 18, kInk, 1.5);
            c.Line(30, 7, 16, 18, kInk, 1.5);
            break;
        case Picture::Delete:
            c.Line(7, 7, 25, 25, kRed, 5);
            c.Line(25, 7, 7, 25, kRed, 5);
            break;
        case Picture::Change:
            c.Polygon({{22, 3}, {29, 10}, {12, 27}, {4, 29}, {6, 20}}, kGold, RGB(140, 90, 20), 1.5);
            c.Line(6, 20, 12, 27, RGB(140, 90, 20), 1.5);
            break;
        case Picture::Launch:
            c.Polygon({{8, 4}, {28, 16}, {8, 28}}, kGreen, RGB(20, 100, 40), 1.5);
            break;
        case Picture::Block:
            c.Ellipse(3, 3, 29, 29, kPaper, kRed, 4);
            c.Line(8, 24, 24, 8, kRed, 4);
            break;
        case Picture::Switch:
            c.Round(2, 9, 30, 23, 14, kGreen, RGB(20, 100, 40));
            c.Ellipse(17, 9, 30, 23, kPaper, RGB(20, 100, 40));
            break;
        case Picture::Move:
            c.Polygon({{2, 12}, {18, 12}, {18, 5}, {30, 16}, {18, 27}, {18, 20}, {2, 20}}, kBlue, RGB(20, 60, 120),
                      1.5);
            break;
        case Picture::Tip:
            c.Ellipse(8, 2, 24, 19, RGB(255, 230, 110), RGB(180, 130, 20), 1.5);
            c.Rect(12, 19, 20, 26, RGB(200, 200, 200), kInk, 1);
            c.Line(12, 29, 20, 29, kInk, 2);
            break;
        case Picture::Emblem:
            c.Round(1, 1, 31, 31, 10, RGB(30, 90, 180), RGB(20, 50, 110), 1);
            c.Polygon({{9, 7}, {25, 16}, {9, 25}}, kPaper, kPaper, 1);
            c.Ellipse(17, 17, 31, 31, kGreen, kPaper, 1.5);
            c.Line(20, 24, 23, 27, kPaper, 2);
            c.Line(23, 27, 28, 20, kPaper, 2);
            break;
    }
}

}  // namespace ui
