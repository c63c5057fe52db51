// Move-only owners of GDI objects and device contexts, a selection that puts the
// old object back, and DPI scaling. Every window of the program draws through
// these so that nothing it creates or selects outlives the paint that needed it.
//
// Sizes in the window code are given at 96 DPI and scaled with Scale() to the
// DPI of the window they appear in.
#pragma once
#include <windows.h>

#include <string>
#include <utility>

namespace gdi {

// Owns one HFONT, HBRUSH, HPEN or HBITMAP and deletes it with DeleteObject.
template <typename Handle>
class Object {
public:
    Object() = default;
    explicit Object(Handle handle) : handle_(handle) {}
    ~Object() { reset(); }
    Object(Object&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Object& operator=(Object&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr) {
        if (handle_) DeleteObject(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = nullptr;
};

using Font = Object<HFONT>;
using Brush = Object<HBRUSH>;
using Pen = Object<HPEN>;
using Bitmap = Object<HBITMAP>;

// Selects an object into a DC and selects the previous one back when it ends.
class Select {
public:
    Select(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~Select() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    Select(const Select&) = delete;
    Select& operator=(const Select&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A window's DC from GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(WindowDC&& other) noexcept : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    WindowDC& operator=(WindowDC&&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint/EndPaint of one WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC get() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A DC the program created (CreateCompatibleDC, CreateDCW), deleted with DeleteDC.
class OwnedDC {
public:
    OwnedDC() = default;
    explicit OwnedDC(HDC dc) : dc_(dc) {}
    ~OwnedDC() {
        if (dc_) DeleteDC(dc_);
    }
    OwnedDC(OwnedDC&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
    OwnedDC& operator=(OwnedDC&& other) noexcept {
        if (this != &other) {
            if (dc_) DeleteDC(dc_);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    OwnedDC(const OwnedDC&) = delete;
    OwnedDC& operator=(const OwnedDC&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
};

// The DPI a window is shown at: GetDpiForWindow where the system has it (looked
// up at run time, Windows 10 1607 and later), else the screen's LOGPIXELSY.
inline int DpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const GetDpiForWindowFn getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window && getDpiForWindow) {
        UINT dpi = getDpiForWindow(window);
        if (dpi) return static_cast<int>(dpi);
    }
    WindowDC screen(nullptr);
    int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    return dpi > 0 ? dpi : 96;
}

// A length at 96 DPI scaled to the given DPI.
inline int Scale(int length96, int dpi) { return MulDiv(length96, dpi, 96); }

struct FontSpec {
    const wchar_t* face;
    int pixelHeight96;  // character height in pixels at 96 DPI
    bool bold = false;
    bool underline = false;
};

// A font whose characters are pixelHeight96 pixels high at 96 DPI, scaled to dpi.
inline Font CreateScaledFont(const FontSpec& spec, int dpi) {
    LOGFONTW lf{};
    lf.lfHeight = -Scale(spec.pixelHeight96, dpi);
    lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = spec.underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, spec.face, LF_FACESIZE);
    return Font(CreateFontIndirectW(&lf));
}

// Fills a rectangle with a vertical (top to bottom) or horizontal colour gradient.
inline void FillGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to, bool vertical) {
    TRIVERTEX vertices[2] = {};
    vertices[0].x = rect.left;
    vertices[0].y = rect.top;
    vertices[0].Red = static_cast<COLOR16>(GetRValue(from) << 8);
    vertices[0].Green = static_cast<COLOR16>(GetGValue(from) << 8);
    vertices[0].Blue = static_cast<COLOR16>(GetBValue(from) << 8);
    vertices[1].x = rect.right;
    vertices[1].y = rect.bottom;
    vertices[1].Red = static_cast<COLOR16>(GetRValue(to) << 8);
    vertices[1].Green = static_cast<COLOR16>(GetGValue(to) << 8);
    vertices[1].Blue = static_cast<COLOR16>(GetBValue(to) << 8);
    GRADIENT_RECT gradient = {0, 1};
    GradientFill(dc, vertices, 2, &gradient, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

}  // namespace gdi
