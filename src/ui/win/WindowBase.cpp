#include "ui/win/WindowBase.h"

#include <algorithm>
#include <exception>

#include "ui/win/WideText.h"

namespace ui {

namespace {

HWND g_dialogOwner = nullptr;
// The modal windows running now, innermost last: a window shown meanwhile
// belongs to the innermost one, so that it cannot be used behind it.
std::vector<HWND> g_modalWindows;

// Button text height (96 DPI) of the dialog face.
constexpr int kDialogFontHeight = 11;
constexpr int kLinkFontHeight = 13;

void ReportStrayException(const char* what) {
    std::string text = "Bootmarshal: unexpected error in a window: ";
    text += what ? what : "unknown";
    text += "\n";
    OutputDebugStringW(WideFromUtf8(text).c_str());
}

}  // namespace

void SetDialogOwner(HWND owner) { g_dialogOwner = owner; }

HWND DialogOwner() { return g_dialogOwner && IsWindow(g_dialogOwner) ? g_dialogOwner : nullptr; }

HWND CurrentOwner() {
    for (auto it = g_modalWindows.rbegin(); it != g_modalWindows.rend(); ++it) {
        if (IsWindow(*it) && IsWindowVisible(*it)) return *it;
    }
    return DialogOwner();
}

ScopedDialogOwner::ScopedDialogOwner(HWND owner) : previous_(DialogOwner()), changed_(owner && owner != previous_) {
    if (changed_) SetDialogOwner(owner);
}

ScopedDialogOwner::~ScopedDialogOwner() {
    if (changed_) SetDialogOwner(previous_);
}

void FillMemoFromText(HWND memo, const std::string& text) {
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            lines += "\r\n";
        } else {
            lines += text[i];
        }
    }
    SetWindowTextW(memo, L"");
    SetWindowTextOf(memo, lines);
}

WindowBase::WindowBase(const char* className, int clientWidth96, int clientHeight96, WindowStyle style)
    : className_(className), style_(style), clientWidth96_(clientWidth96), clientHeight96_(clientHeight96) {}

WindowBase::~WindowBase() {
    if (hwnd_) {
        HWND window = hwnd_;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        DestroyWindow(window);
    }
}

bool WindowBase::RegisterOnce() const {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring className = WideFromUtf8(className_);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, className.c_str(), &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &WindowBase::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = className.c_str();
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    return RegisterClassExW(&wc) != 0;
}

bool WindowBase::Create() {
    if (hwnd_) return true;
    if (!RegisterOnce()) return false;
    HWND window = CreateWindowExW(style_.exStyle, WideFromUtf8(className_).c_str(), L"", style_.style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 100, 100, DialogOwner(), nullptr, GetModuleHandleW(nullptr), this);
    if (!window) return false;
    SetClientSize96(clientWidth96_, clientHeight96_);
    return true;
}

void WindowBase::MakeFonts() {
    dialogFont_ = gdi::CreateScaledFont({kDialogFace, kDialogFontHeight}, dpi_);
    linkFont_ = gdi::CreateScaledFont({kDialogFace, kLinkFontHeight, false, true}, dpi_);
    if (!whiteBrush_) whiteBrush_ = gdi::Brush(CreateSolidBrush(kWhite));
}

HWND WindowBase::AddControl(const char* className, const std::string& text, DWORD style, int x96, int y96, int width96,
                            int height96, int id, DWORD exStyle) {
    HWND control =
        CreateWindowExW(exStyle, WideFromUtf8(className).c_str(), WideFromUtf8(text).c_str(), style | WS_CHILD, Px(x96),
                        Px(y96), Px(width96), Px(height96), hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleW(nullptr), nullptr);
    if (control) {
        placements_[id] = {x96, y96, width96, height96};
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont_.get()), FALSE);
    }
    return control;
}

HWND WindowBase::AddLinkButton(const std::string& text, int x96, int y96, int width96, int height96, int id,
                               Glyph glyph) {
    HWND button = AddControl("BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, x96, y96, width96, height96, id);
    if (button) {
        linkButtons_[id] = glyph;
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), FALSE);
    }
    return button;
}

void WindowBase::MoveControl(int id, int x96, int y96, int width96, int height96) {
    placements_[id] = {x96, y96, width96, height96};
    if (HWND control = Control(id)) MoveWindow(control, Px(x96), Px(y96), Px(width96), Px(height96), TRUE);
}

RECT WindowBase::ControlRect96(int id) const {
    auto it = placements_.find(id);
    if (it == placements_.end()) return RECT{0, 0, 0, 0};
    const Placement& p = it->second;
    return RECT{p.x, p.y, p.x + p.width, p.y + p.height};
}

void WindowBase::SetControlFont(int id, HFONT font) {
    if (HWND control = Control(id)) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void WindowBase::SetControlColor(int id, COLORREF color) {
    colors_[id] = color;
    if (HWND control = Control(id)) InvalidateRect(control, nullptr, TRUE);
}

std::string WindowBase::ControlText(int id) const { return WindowTextOf(Control(id)); }

void WindowBase::SetControlText(int id, const std::string& text) { SetWindowTextOf(Control(id), text); }

void WindowBase::SetCaption(const std::string& text) { SetWindowTextOf(hwnd_, text); }

void WindowBase::LayOutControls() {
    for (const auto& [id, p] : placements_) {
        if (HWND control = Control(id)) MoveWindow(control, Px(p.x), Px(p.y), Px(p.width), Px(p.height), TRUE);
    }
}

void WindowBase::SetClientSize96(int width96, int height96) {
    clientWidth96_ = width96;
    clientHeight96_ = height96;
    if (!hwnd_) return;
    RECT window{}, client{};
    GetWindowRect(hwnd_, &window);
    GetClientRect(hwnd_, &client);
    int frameWidth = (window.right - window.left) - (client.right - client.left);
    int frameHeight = (window.bottom - window.top) - (client.bottom - client.top);
    SetWindowPos(hwnd_, nullptr, 0, 0, Px(width96) + frameWidth, Px(height96) + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterOnScreen();
}

void WindowBase::CenterOnScreen() {
    if (!hwnd_) return;
    RECT window{};
    GetWindowRect(hwnd_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor)) area = monitor.rcWork;
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int x = area.left + ((area.right - area.left) - width) / 2;
    int y = area.top + ((area.bottom - area.top) - height) / 2;
    // A window taller or wider than the screen keeps its title bar reachable.
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowBase::FocusInitialControl() {
    HWND focus = initialFocus_ ? Control(initialFocus_) : nullptr;
    if (!focus) focus = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    if (focus) SetFocus(focus);
}

int WindowBase::RunModal() {
    if (modal_ || !Create()) return IDCANCEL;
    HWND owner = CurrentOwner();
    if (owner == hwnd_) owner = nullptr;
    SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);

    modal_ = true;
    modalResult_ = IDCANCEL;
    lastFocus_ = nullptr;
    CenterOnScreen();
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    FocusInitialControl();

    HWND self = hwnd_;
    g_modalWindows.push_back(self);
    MSG msg;
    while (modal_ && hwnd_) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) break;
        if (!hwnd_ || !IsDialogMessageW(hwnd_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    modal_ = false;
    g_modalWindows.erase(std::remove(g_modalWindows.begin(), g_modalWindows.end(), self), g_modalWindows.end());
    // The owner is enabled before the dialog hides, so that activation returns to it.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    if (owner) SetActiveWindow(owner);
    return modalResult_;
}

void WindowBase::EndModal(int result) {
    modalResult_ = result;
    modal_ = false;
    // Wakes GetMessage when the end comes from outside a message (a caller's timer).
    if (hwnd_) PostMessageW(hwnd_, WM_NULL, 0, 0);
}

void WindowBase::ShowModeless() {
    if (!Create()) return;
    HWND owner = CurrentOwner();
    if (owner == hwnd_) owner = nullptr;
    SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    CenterOnScreen();
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

void WindowBase::Hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

int WindowBase::MeasureTextHeight96(const std::string& text, HFONT font, int width96, UINT format) const {
    gdi::WindowDC dc(hwnd_);
    if (!dc.get()) return 0;
    gdi::Select select(dc.get(), font);
    RECT rect{0, 0, Px(width96), 0};
    // A text without lines still takes one line's height, as the control shows.
    const std::string& measured = text.empty() ? std::string(" ") : text;
    DrawTextOf(dc.get(), measured, &rect, format | DT_CALCRECT);
    return MulDiv(rect.bottom - rect.top, 96, dpi_) + 1;
}

int WindowBase::MeasureTextWidth96(const std::string& text, HFONT font, UINT format) const {
    gdi::WindowDC dc(hwnd_);
    if (!dc.get()) return 0;
    gdi::Select select(dc.get(), font);
    RECT rect{0, 0, 0, 0};
    const std::string& measured = text.empty() ? std::string(" ") : text;
    DrawTextOf(dc.get(), measured, &rect, (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_CALCRECT);
    return MulDiv(rect.right - rect.left, 96, dpi_) + 1;
}

void WindowBase::DrawLinkButton(const DRAWITEMSTRUCT& item, Glyph glyph) const {
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    FillRect(dc, &rect, whiteBrush_.get());
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    bool disabled = (item.itemState & ODS_DISABLED) != 0;
    bool focused = (item.itemState & ODS_FOCUS) != 0;

    const std::string caption = WindowTextOf(item.hwndItem);

    gdi::Select font(dc, linkFont_.get());
    COLORREF color = disabled ? GetSysColor(COLOR_GRAYTEXT) : kLinkBlue;
    SetTextColor(dc, color);
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    RECT textSize{0, 0, 0, 0};
    DrawTextOf(dc, caption, &textSize, format | DT_CALCRECT);
    int glyphSize = glyph == Glyph::None ? 0 : Px(12);
    int gap = glyph == Glyph::None ? 0 : Px(6);
    int contentWidth = (textSize.right - textSize.left) + gap + glyphSize;
    int left = rect.left + ((rect.right - rect.left) - contentWidth) / 2;
    if (left < rect.left + Px(2)) left = rect.left + Px(2);
    int shift = pressed ? Px(1) : 0;
    RECT textRect{left + shift, rect.top + shift, rect.right, rect.bottom + shift};
    DrawTextOf(dc, caption, &textRect, format);

    if (glyph != Glyph::None) {
        int gx = left + (textSize.right - textSize.left) + gap + shift;
        int gy = rect.top + ((rect.bottom - rect.top) - glyphSize) / 2 + shift;
        COLORREF glyphColor = disabled                ? GetSysColor(COLOR_GRAYTEXT)
                              : glyph == Glyph::Check ? RGB(0, 128, 0)
                              : glyph == Glyph::Cross ? RGB(192, 0, 0)
                                                      : kLinkBlue;
        gdi::Pen pen(CreatePen(PS_SOLID, Px(2) > 1 ? Px(2) : 2, glyphColor));
        gdi::Brush brush(CreateSolidBrush(glyphColor));
        gdi::Select selectPen(dc, pen.get());
        gdi::Select selectBrush(dc, brush.get());
        int s = glyphSize;
        switch (glyph) {
            case Glyph::Arrow: {
                POINT points[3] = {{gx, gy}, {gx + s * 3 / 4, gy + s / 2}, {gx, gy + s}};
                Polygon(dc, points, 3);
                break;
            }
            case Glyph::Check: {
                POINT points[3] = {{gx, gy + s / 2}, {gx + s / 3, gy + s - 1}, {gx + s, gy}};
                Polyline(dc, points, 3);
                break;
            }
            case Glyph::Cross: {
                MoveToEx(dc, gx + 1, gy + 1, nullptr);
                LineTo(dc, gx + s - 1, gy + s - 1);
                MoveToEx(dc, gx + s - 1, gy + 1, nullptr);
                LineTo(dc, gx + 1, gy + s - 1);
                break;
            }
            case Glyph::None:
                break;
        }
    }

    if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focusRect = rect;
        InflateRect(&focusRect, -Px(3), -Px(3));
        DrawFocusRect(dc, &focusRect);
    }
}

LRESULT WindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            dpi_ = gdi::DpiOf(hwnd_);
            MakeFonts();
            OnCreate();
            return 0;
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            int code = HIWORD(wParam);
            HWND control = reinterpret_cast<HWND>(lParam);
            if (id == IDCANCEL && !Control(IDCANCEL)) {
                OnCancel();
            } else if (id == IDOK && !Control(IDOK)) {
                // Enter without a focused push button: the default button.
                if (defaultButton_ && IsWindowEnabled(Control(defaultButton_))) {
                    OnCommand(defaultButton_, BN_CLICKED, Control(defaultButton_));
                }
            } else {
                OnCommand(id, code, control);
            }
            return 0;
        }
        case WM_NEXTDLGCTL: {
            // What the dialog manager does for a dialog: IsDialogMessage asks
            // for the next control of a group this way when an arrow key is
            // pressed, and the windows here are no dialogs of its own.
            HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                       : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0 ? TRUE : FALSE);
            if (next && IsChild(hwnd_, next)) SetFocus(next);
            return 0;
        }
        case DM_GETDEFID: {
            // As with standard push buttons, Enter presses the focused button and
            // otherwise the default one.
            HWND focus = GetFocus();
            int focusedId = focus && IsChild(hwnd_, focus) ? GetDlgCtrlID(focus) : 0;
            int id = linkButtons_.count(focusedId) != 0 ? focusedId : defaultButton_;
            return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
        }
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            auto link = linkButtons_.find(static_cast<int>(item->CtlID));
            if (link != linkButtons_.end()) {
                DrawLinkButton(*item, link->second);
                return TRUE;
            }
            return OnDrawItem(*item) ? TRUE : FALSE;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            auto color = colors_.find(id);
            SetTextColor(dc, color != colors_.end() ? color->second : GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, kWhite);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(whiteBrush_.get());
        }
        case WM_SETCURSOR: {
            HWND over = reinterpret_cast<HWND>(wParam);
            if (over != hwnd_ && LOWORD(lParam) == HTCLIENT && linkButtons_.count(GetDlgCtrlID(over)) != 0) {
                SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
                return TRUE;
            }
            break;
        }
        case WM_PAINT: {
            gdi::PaintDC paint(hwnd_);
            OnPaint(paint.get());
            return 0;
        }
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wParam));
            return 0;
        case WM_ACTIVATE:
            // A plain window forgets which child had the focus; a dialog must not.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
            } else if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_)) {
                SetFocus(lastFocus_);
            } else {
                FocusInitialControl();
            }
            return 0;
        case 0x02E0: {  // WM_DPICHANGED
            dpi_ = LOWORD(wParam);
            MakeFonts();
            for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                bool link = linkButtons_.count(GetDlgCtrlID(child)) != 0;
                SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(link ? linkFont_.get() : dialogFont_.get()),
                             FALSE);
            }
            OnDpiChanged();
            LayOutControls();
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            InvalidateRect(hwnd_, nullptr, TRUE);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowBase* self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) self->hwnd_ = window;
    } else {
        self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->modal_ = false;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ReportStrayException(error.what());
    } catch (...) {
        ReportStrayException(nullptr);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace ui
