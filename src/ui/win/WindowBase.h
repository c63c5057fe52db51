// The base of every window the program builds from code: its registered class,
// the one place where a window handle finds its object, child controls laid out
// at 96-DPI positions and scaled to the window's DPI, and a modal loop that
// keeps the owner disabled and gives Tab, Enter and Esc their dialog meaning.
//
// A derived window adds its controls in OnCreate and reacts in OnCommand. The
// caller fills its public fields, runs it (RunModal) and reads the result.
// Nothing thrown inside a handler leaves the window procedure.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ui/win/Gdi.h"

namespace ui {

// The window that owns every dialog and prompt: the main window once it exists.
// Dialogs shown before that (or after it is gone) have no owner.
void SetDialogOwner(HWND owner);
HWND DialogOwner();
// The owner of a window shown now: the innermost running modal window, else
// the dialog owner.
HWND CurrentOwner();

// Makes a window the owner of the dialogs shown while it lives (a dialog opened
// from another dialog belongs to that one), and puts the previous owner back.
class ScopedDialogOwner {
public:
    explicit ScopedDialogOwner(HWND owner);
    ~ScopedDialogOwner();
    ScopedDialogOwner(const ScopedDialogOwner&) = delete;
    ScopedDialogOwner& operator=(const ScopedDialogOwner&) = delete;

private:
    HWND previous_;
    bool changed_;
};

// Replaces a multi-line edit's text: every CR, LF or CR LF starts a new line.
void FillMemoFromText(HWND memo, const std::string& text);

// The dialogs' default face and the message face; where a system lacks them,
// its font substitution picks a look-alike.
constexpr const wchar_t kDialogFace[] = L"MS Sans Serif";
constexpr const wchar_t kMessageFace[] = L"Comic Sans MS";

// Colours shared by the windows.
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kMaroon = RGB(128, 0, 0);
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

// A window's frame: the style words it is created with.
struct WindowStyle {
    DWORD style;
    DWORD exStyle;
};
// A modal dialog with a caption and a close button; controls are clipped out of
// the window's painting.
constexpr WindowStyle kDialogStyle{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                                   WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT};
// The same without WS_CLIPCHILDREN, for dialogs with group boxes: a group box
// does not fill its inside, the window's background must.
constexpr WindowStyle kGroupedDialogStyle{WS_POPUP | WS_CAPTION | WS_SYSMENU, kDialogStyle.exStyle};

// Small pictures drawn beside the caption of a link button.
enum class Glyph { None, Arrow, Check, Cross };

class WindowBase {
public:
    // className: the registered window class ("TQuestionDialogForm", ...);
    // the client size at 96 DPI; the frame.
    WindowBase(const char* className, int clientWidth96, int clientHeight96, WindowStyle style = kDialogStyle);
    virtual ~WindowBase();
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;

    // Creates the hidden window and its controls once; true when the window exists.
    bool Create();
    HWND hwnd() const { return hwnd_; }
    int dpi() const { return dpi_; }
    // A 96-DPI length at the window's DPI.
    int Px(int length96) const { return gdi::Scale(length96, dpi_); }

    // Shows the window modally over CurrentOwner(): the owner is disabled
    // until EndModal, Esc and the title-bar close run OnCancel, Enter presses
    // the default button. Returns the value given to EndModal (IDCANCEL when the
    // window could not be shown or the loop was ended by WM_QUIT, which is
    // posted again for the outer loop).
    int RunModal();
    void EndModal(int result);
    bool IsRunningModal() const { return modal_; }

    // Shows the window without a modal loop, drawn before the call returns.
    void ShowModeless();
    void Hide();

    // Resizes the client area (96-DPI units) and centres the window on its monitor.
    void SetClientSize96(int width96, int height96);
    void CenterOnScreen();

    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }
    std::string ControlText(int id) const;
    void SetControlText(int id, const std::string& text);
    void SetCaption(const std::string& text);

protected:
    // Adds the controls; the window exists, fonts are made for its DPI.
    virtual void OnCreate() {}
    virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
    // Esc (and, through OnClose, the title-bar close button and Alt+F4).
    virtual void OnCancel() { EndModal(IDCANCEL); }
    // The title-bar close button and Alt+F4: what Esc does, unless the window
    // tells the two apart.
    virtual void OnClose() { OnCancel(); }
    // Owner-drawn controls that are not link buttons; true when drawn.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual void OnTimer(UINT_PTR /*timer*/) {}
    // Draws over the white background of the client area.
    virtual void OnPaint(HDC /*dc*/) {}
    // The DPI changed: make the window's own fonts again (controls are moved by the base).
    virtual void OnDpiChanged() {}
    // Every message; derived windows call the base for those they do not take.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // A child control at a 96-DPI rectangle, with the dialog font.
    HWND AddControl(const char* className, const std::string& text, DWORD style, int x96, int y96, int width96,
                    int height96, int id, DWORD exStyle = 0);
    // A flat, owner-drawn push button whose caption (its window text) is drawn
    // in blue underlined letters, with a hand cursor and an optional glyph.
    HWND AddLinkButton(const std::string& text, int x96, int y96, int width96, int height96, int id,
                       Glyph glyph = Glyph::None);
    void MoveControl(int id, int x96, int y96, int width96, int height96);
    RECT ControlRect96(int id) const;
    void SetControlFont(int id, HFONT font);
    // Text colour of a static control or group box caption (default black).
    void SetControlColor(int id, COLORREF color);
    // The button Enter presses; 0 for none.
    void SetDefaultButton(int id) { defaultButton_ = id; }
    // The control that gets the focus each time the window is shown.
    void SetInitialFocus(int id) { initialFocus_ = id; }

    HFONT DialogFont() const { return dialogFont_.get(); }
    HFONT LinkFont() const { return linkFont_.get(); }

    // Height (96-DPI units) that DrawText needs for the text at that width with
    // the given font and DT_ flags (DT_CALCRECT is added).
    int MeasureTextHeight96(const std::string& text, HFONT font, int width96, UINT format) const;
    // Width (96-DPI units) of the widest line of the text, no wrapping.
    int MeasureTextWidth96(const std::string& text, HFONT font, UINT format) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool RegisterOnce() const;
    void MakeFonts();
    void LayOutControls();
    void DrawLinkButton(const DRAWITEMSTRUCT& item, Glyph glyph) const;
    void FocusInitialControl();

    struct Placement {
        int x, y, width, height;
    };

    std::string className_;
    WindowStyle style_;
    int clientWidth96_;
    int clientHeight96_;
    HWND hwnd_ = nullptr;
    int dpi_ = 96;
    bool modal_ = false;
    int modalResult_ = IDCANCEL;
    int defaultButton_ = 0;
    int initialFocus_ = 0;
    HWND lastFocus_ = nullptr;
    gdi::Font dialogFont_;
    gdi::Font linkFont_;
    gdi::Brush whiteBrush_;
    std::map<int, Placement> placements_;
    std::map<int, COLORREF> colors_;
    std::map<int, Glyph> linkButtons_;
};

}  // namespace ui
