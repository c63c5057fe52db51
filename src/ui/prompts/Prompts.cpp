// The five prompt windows: one class each, created once and shown again at each
// use. Their pictures and the wait animation are drawn here with GDI.
#include "ui/prompts/Prompts.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "i18n/TranslationCatalogue.h"
#include "ui/win/ControlIds.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"
#include "ui/win/WindowBase.h"
#include "ui/win/WindowClasses.h"

namespace {

using ui::Glyph;
using ui::WindowBase;

// Format of every wrapped message text; the same flags measure and draw it
// (static controls draw with DT_WORDBREAK, SS_NOPREFIX and SS_EDITCONTROL add
// the other two), so the measured height is the shown one.
constexpr UINT kMessageFormat = DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;
constexpr DWORD kMessageStyle = WS_VISIBLE | SS_CENTER | SS_NOPREFIX | SS_EDITCONTROL;

// The widest a message band grows (96 DPI) before its lines wrap.
constexpr int kWidestBand96 = 560;

// The decorative strips and pictures, drawn for the window's DPI.
void DrawPictureStrip(HDC dc, const RECT& rect, int dpi) {
    gdi::FillGradient(dc, rect, RGB(24, 64, 140), RGB(140, 190, 240), true);
    gdi::Brush bubble(CreateSolidBrush(RGB(200, 225, 250)));
    gdi::Pen outline(CreatePen(PS_SOLID, 1, RGB(230, 242, 255)));
    gdi::Select selectBrush(dc, bubble.get());
    gdi::Select selectPen(dc, outline.get());
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    // Rising bubbles of falling size: the same picture at every height.
    for (int i = 0; i < 7; ++i) {
        int size = gdi::Scale(14 - i, dpi);
        int cx = rect.left + width / 2 + ((i % 2) ? width / 5 : -width / 5);
        int cy = rect.bottom - (height * (i + 1)) / 8;
        Ellipse(dc, cx - size / 2, cy - size / 2, cx + size / 2, cy + size / 2);
    }
}

void DrawSymbolPicture(HDC dc, const RECT& rect, int dpi, const char* symbol) {
    gdi::FillGradient(dc, rect, RGB(24, 64, 140), RGB(140, 190, 240), true);
    int width = rect.right - rect.left;
    int size = std::min(width - gdi::Scale(12, dpi), gdi::Scale(52, dpi));
    int cx = rect.left + width / 2;
    int cy = rect.top + gdi::Scale(40, dpi);
    gdi::Brush disc(CreateSolidBrush(RGB(255, 255, 255)));
    gdi::Pen ring(CreatePen(PS_SOLID, gdi::Scale(2, dpi), RGB(250, 200, 60)));
    gdi::Select selectBrush(dc, disc.get());
    gdi::Select selectPen(dc, ring.get());
    Ellipse(dc, cx - size / 2, cy - size / 2, cx + size / 2, cy + size / 2);
    gdi::Font font = gdi::CreateScaledFont({L"Times New Roman", 36, true}, dpi);
    gdi::Select selectFont(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(24, 64, 140));
    RECT symbolRect{cx - size / 2, cy - size / 2, cx + size / 2, cy + size / 2};
    ui::DrawTextOf(dc, symbol, &symbolRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// One frame of the wait animation: twelve dots on a circle, the brightest one
// turning a step further each frame.
void DrawWaitFrame(HDC dc, const RECT& rect, int frame, bool running) {
    gdi::Brush white(CreateSolidBrush(ui::kWhite));
    FillRect(dc, &rect, white.get());
    int size = std::min(rect.right - rect.left, rect.bottom - rect.top);
    double cx = (rect.left + rect.right) / 2.0;
    double cy = (rect.top + rect.bottom) / 2.0;
    double radius = size * 0.34;
    int dot = std::max(3, size / 6);
    for (int i = 0; i < 12; ++i) {
        int age = ((frame - i) % 12 + 12) % 12;  // 0: the leading dot
        int shade = running ? std::min(220, 30 + age * 18) : 170;
        gdi::Brush brush(CreateSolidBrush(RGB(shade, shade, std::min(255, shade + 60))));
        gdi::Pen pen(CreatePen(PS_NULL, 0, 0));
        gdi::Select selectBrush(dc, brush.get());
        gdi::Select selectPen(dc, pen.get());
        double angle = i * 3.14159265358979 / 6.0;
        int x = static_cast<int>(cx + radius * std::sin(angle));
        int y = static_cast<int>(cy - radius * std::cos(angle));
        Ellipse(dc, x - dot / 2, y - dot / 2, x + dot / 2 + 1, y + dot / 2 + 1);
    }
}

// ---- Message dialog --------------------------------------------------------
class MessageDialog : public WindowBase {
public:
    MessageDialog() : WindowBase(WindowClass::Message, 307, 153) {}

    void ApplyTexts() {
        SetCaption(GetText(Text::ProgramName));
        SetControlText(kIdMessageClose, GetText(Text::Continue));
    }

    void Show(const std::string& text) {
        if (!Create()) return;
        ApplyTexts();
        SetControlText(kIdMessageText, text);
        LayOut(text);
        RunModal();
    }

protected:
    void OnCreate() override {
        messageFont_ = gdi::CreateScaledFont({ui::kMessageFace, 13}, dpi());
        AddControl("STATIC", "", WS_VISIBLE | SS_OWNERDRAW, 269, 0, 38, 153, kIdMessagePicture);
        AddControl("STATIC", "", kMessageStyle, 6, 12, 257, 16, kIdMessageText);
        SetControlFont(kIdMessageText, messageFont_.get());
        AddLinkButton("", 94, 111, 120, 30, kIdMessageClose, Glyph::Arrow);
        SetDefaultButton(kIdMessageClose);
        SetInitialFocus(kIdMessageClose);
    }
    void OnDpiChanged() override {
        messageFont_ = gdi::CreateScaledFont({ui::kMessageFace, 13}, dpi());
        SetControlFont(kIdMessageText, messageFont_.get());
    }
    void OnCommand(int id, int code, HWND) override {
        if (id == kIdMessageClose && code == BN_CLICKED) EndModal(IDOK);
    }
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID != static_cast<UINT>(kIdMessagePicture)) return false;
        DrawPictureStrip(item.hDC, item.rcItem, dpi());
        return true;
    }

private:
    // The band is 257 pixels wide, wider for a longer line (up to a limit, then
    // the lines wrap), and as tall as the text; the dialog grows around it.
    void LayOut(const std::string& text) {
        int band = std::clamp(MeasureTextWidth96(text, messageFont_.get(), kMessageFormat), 257, kWidestBand96);
        int textHeight = std::max(16, MeasureTextHeight96(text, messageFont_.get(), band, kMessageFormat));
        int buttonTop = std::max(111, 12 + textHeight + 14);
        int height = buttonTop + 30 + 12;
        MoveControl(kIdMessageText, 6, 12, band, textHeight);
        MoveControl(kIdMessageClose, 6 + (band - 120) / 2, buttonTop, 120, 30);
        MoveControl(kIdMessagePicture, band + 12, 0, 38, height);
        SetClientSize96(band + 50, height);
    }

    gdi::Font messageFont_;
};

// ---- Question dialog -------------------------------------------------------
class QuestionDialog : public WindowBase {
public:
    QuestionDialog() : WindowBase(WindowClass::Question, 369, 113) {}

    void ApplyTexts() {
        SetCaption(GetText(Text::ProgramName));
        SetControlText(kIdQuestionYes, GetText(Text::Yes));
        SetControlText(kIdQuestionNo, GetText(Text::No));
    }

    bool Ask(const std::string& question, bool yesByDefault) {
        answer_ = yesByDefault;
        if (!Create()) return answer_;
        ApplyTexts();
        SetControlText(kIdQuestionText, question);
        int defaultButton = yesByDefault ? kIdQuestionYes : kIdQuestionNo;
        SetDefaultButton(defaultButton);
        SetInitialFocus(defaultButton);
        LayOut(question);
        RunModal();
        return answer_;
    }

protected:
    void OnCreate() override {
        questionFont_ = gdi::CreateScaledFont({ui::kDialogFace, 13}, dpi());
        AddControl("STATIC", "", WS_VISIBLE | SS_OWNERDRAW, 298, 0, 71, 113, kIdQuestionPicture);
        AddControl("STATIC", "", kMessageStyle, 8, 16, 281, 16, kIdQuestionText);
        SetControlFont(kIdQuestionText, questionFont_.get());
        AddLinkButton("", 50, 60, 93, 38, kIdQuestionYes, Glyph::Check);
        AddLinkButton("", 153, 60, 93, 38, kIdQuestionNo, Glyph::Cross);
    }
    void OnDpiChanged() override {
        questionFont_ = gdi::CreateScaledFont({ui::kDialogFace, 13}, dpi());
        SetControlFont(kIdQuestionText, questionFont_.get());
    }
    void OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) return;
        if (id == kIdQuestionYes) {
            answer_ = true;
            EndModal(IDYES);
        } else if (id == kIdQuestionNo) {
            answer_ = false;
            EndModal(IDNO);
        }
    }
    // Closing keeps the preset answer.
    void OnCancel() override { EndModal(IDCANCEL); }
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID != static_cast<UINT>(kIdQuestionPicture)) return false;
        DrawSymbolPicture(item.hDC, item.rcItem, dpi(), "?");
        return true;
    }

private:
    void LayOut(const std::string& question) {
        int band = std::clamp(MeasureTextWidth96(question, questionFont_.get(), kMessageFormat), 281, kWidestBand96);
        int textHeight = std::max(16, MeasureTextHeight96(question, questionFont_.get(), band, kMessageFormat));
        int buttonTop = std::max(60, 16 + textHeight + 12);
        int height = buttonTop + 38 + 15;
        int middle = 8 + band / 2;
        MoveControl(kIdQuestionText, 8, 16, band, textHeight);
        MoveControl(kIdQuestionYes, middle - 93 - 5, buttonTop, 93, 38);
        MoveControl(kIdQuestionNo, middle + 5, buttonTop, 93, 38);
        MoveControl(kIdQuestionPicture, band + 17, 0, 71, height);
        SetClientSize96(band + 88, height);
    }

    gdi::Font questionFont_;
    bool answer_ = false;
};

// ---- Wait dialog -----------------------------------------------------------
class WaitDialog : public WindowBase {
public:
    WaitDialog()
        // No close button: the wait ends by itself or by its caller.
        : WindowBase(WindowClass::Wait, 388, 149, {WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, ui::kDialogStyle.exStyle}) {
    }

    void ApplyTexts() {
        SetCaption(GetText(Text::ProgramName) + " - " + GetText(Text::PleaseWait));
        SetControlText(kIdWaitProgramName, GetText(Text::ProgramName));
    }

    void RunTimed(const std::string& message, const std::string& secondLine, int pace) {
        if (!Create() || IsRunningModal()) return;
        Prepare(message, secondLine, true);
        // A pace below 1 closes on the first tick instead of never.
        position_ = 0;
        maximum_ = pace > 0 ? pace * 100 : 0;
        ticks_ = 0;
        SendMessageW(Control(kIdWaitProgress), PBM_SETRANGE32, 0, maximum_);
        SendMessageW(Control(kIdWaitProgress), PBM_SETPOS, 0, 0);
        SetTimer(hwnd(), kProgressTimer, static_cast<UINT>(std::max(pace, 1)), nullptr);
        RunModal();
        KillTimer(hwnd(), kProgressTimer);
        lastTicks_ = ticks_;
    }

    void ShowPlain() {
        if (!Create() || IsRunningModal()) return;
        Prepare(GetText(Text::PleaseWait), "", false);
        ShowModeless();
        PumpOwnMessages();
    }

    void ClosePlain() {
        if (hwnd() && !IsRunningModal()) Hide();
    }

    int LastTicks() const { return lastTicks_; }

protected:
    void OnCreate() override {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        nameFont_ = gdi::CreateScaledFont({ui::kDialogFace, 16, true}, dpi());
        lineFont_ = gdi::CreateScaledFont({ui::kMessageFace, 13}, dpi());
        AddControl("STATIC", "", WS_VISIBLE | SS_OWNERDRAW, 350, 0, 38, 149, kIdWaitPicture);
        AddControl("STATIC", "", WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 6, 6, 337, 22, kIdWaitProgramName);
        AddControl("STATIC", "", WS_VISIBLE | SS_OWNERDRAW, 159, 30, 32, 32, kIdWaitAnimation);
        AddControl("STATIC", "", kMessageStyle, 6, 68, 337, 18, kIdWaitMessage);
        AddControl("STATIC", "", kMessageStyle, 6, 88, 337, 18, kIdWaitSecondLine);
        AddControl("msctls_progress32", "", PBS_SMOOTH, 12, 124, 324, 9, kIdWaitProgress);
        SetControlColor(kIdWaitProgramName, ui::kMaroon);
        ApplyFonts();
    }
    void OnDpiChanged() override {
        nameFont_ = gdi::CreateScaledFont({ui::kDialogFace, 16, true}, dpi());
        lineFont_ = gdi::CreateScaledFont({ui::kMessageFace, 13}, dpi());
        ApplyFonts();
    }
    // The user cannot close a wait.
    void OnCancel() override {}
    void OnTimer(UINT_PTR timer) override {
        if (timer == kAnimationTimer) {
            frame_ = (frame_ + 1) % 12;
            InvalidateRect(Control(kIdWaitAnimation), nullptr, FALSE);
            return;
        }
        if (timer != kProgressTimer || !IsRunningModal()) return;
        ++ticks_;
        if (position_ < maximum_) {
            position_ += 10;
            SendMessageW(Control(kIdWaitProgress), PBM_SETPOS, static_cast<WPARAM>(position_), 0);
        } else {
            KillTimer(hwnd(), kProgressTimer);
            position_ = 0;
            SendMessageW(Control(kIdWaitProgress), PBM_SETPOS, 0, 0);
            EndModal(IDOK);
        }
    }
    void OnPaint(HDC dc) override {
        // The sunken panel around the progress bar, while it shows.
        if (!IsWindowVisible(Control(kIdWaitProgress))) return;
        RECT panel{Px(6), Px(116), Px(6 + 337), Px(116 + 25)};
        DrawEdge(dc, &panel, EDGE_SUNKEN, BF_RECT);
    }
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID == static_cast<UINT>(kIdWaitPicture)) {
            DrawPictureStrip(item.hDC, item.rcItem, dpi());
            return true;
        }
        if (item.CtlID == static_cast<UINT>(kIdWaitAnimation)) {
            DrawWaitFrame(item.hDC, item.rcItem, frame_, animating_);
            return true;
        }
        return false;
    }

private:
    static constexpr UINT_PTR kProgressTimer = 1;
    static constexpr UINT_PTR kAnimationTimer = 2;

    void ApplyFonts() {
        SetControlFont(kIdWaitProgramName, nameFont_.get());
        SetControlFont(kIdWaitMessage, lineFont_.get());
        SetControlFont(kIdWaitSecondLine, lineFont_.get());
    }

    void Prepare(const std::string& message, const std::string& secondLine, bool withProgress) {
        ApplyTexts();
        // Once started, the animation runs on for the rest of the program.
        if (!animating_) {
            animating_ = true;
            SetTimer(hwnd(), kAnimationTimer, 80, nullptr);
        }
        SetControlText(kIdWaitMessage, message);
        SetControlText(kIdWaitSecondLine, secondLine);
        ShowWindow(Control(kIdWaitProgress), withProgress ? SW_SHOW : SW_HIDE);
        InvalidateRect(hwnd(), nullptr, TRUE);
    }

    // Draws the window and runs its own pending messages (its paint, its
    // animation) without handing the main window input that came meanwhile.
    void PumpOwnMessages() {
        UpdateWindow(hwnd());
        MSG msg;
        for (HWND child = GetWindow(hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            UpdateWindow(child);
        }
        while (PeekMessageW(&msg, hwnd(), 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    gdi::Font nameFont_;
    gdi::Font lineFont_;
    int position_ = 0;
    int maximum_ = 0;
    int ticks_ = 0;
    int lastTicks_ = 0;
    int frame_ = 0;
    bool animating_ = false;
};

// ---- Information message dialog --------------------------------------------
class InfoMessageDialog : public WindowBase {
public:
    InfoMessageDialog() : WindowBase(WindowClass::InfoMessage, 354, 360, ui::kGroupedDialogStyle) {}

    void ApplyTexts() {
        SetCaption(GetText(Text::InformationTitle));
        SetControlText(kIdInfoMessageClose, GetText(Text::Continue));
        SetControlText(kIdInfoMessageTitle, GetText(Text::ProgramName));
        SetControlText(kIdInfoMessageGroup, GetText(Text::InformationTitle));
    }

    void Show(const std::string& title, const std::string& text) {
        if (!Create()) return;
        ApplyTexts();
        SetControlText(kIdInfoMessageTitle, title);
        SetControlText(kIdInfoMessageText, InfoMemoDisplayText(FillInfoMemo(text)));
        ShowScrollBarWhenNeeded();
        RunModal();
    }

protected:
    void OnCreate() override {
        titleFont_ = gdi::CreateScaledFont({ui::kDialogFace, 16, true}, dpi());
        memoFont_ = gdi::CreateScaledFont({ui::kMessageFace, 13}, dpi());
        AddControl("STATIC", "", WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 8, 8, 338, 24, kIdInfoMessageTitle);
        AddControl("BUTTON", "", WS_VISIBLE | BS_GROUPBOX, 8, 38, 338, 268, kIdInfoMessageGroup);
        AddControl("EDIT", "", WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, 18, 58, 236, 234,
                   kIdInfoMessageText);
        AddControl("STATIC", "", WS_VISIBLE | SS_OWNERDRAW, 262, 58, 76, 234, kIdInfoMessagePicture);
        AddLinkButton("", 117, 316, 120, 32, kIdInfoMessageClose, Glyph::Arrow);
        SetControlColor(kIdInfoMessageTitle, ui::kMaroon);
        SetDefaultButton(kIdInfoMessageClose);
        SetInitialFocus(kIdInfoMessageClose);
        ApplyFonts();
    }
    void OnDpiChanged() override {
        titleFont_ = gdi::CreateScaledFont({ui::kDialogFace, 16, true}, dpi());
        memoFont_ = gdi::CreateScaledFont({ui::kMessageFace, 13}, dpi());
        ApplyFonts();
    }
    void OnCommand(int id, int code, HWND) override {
        if (id == kIdInfoMessageClose && code == BN_CLICKED) EndModal(IDOK);
    }
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID != static_cast<UINT>(kIdInfoMessagePicture)) return false;
        DrawSymbolPicture(item.hDC, item.rcItem, dpi(), "i");
        return true;
    }

private:
    // The memo scrolls only when its lines do not fit.
    void ShowScrollBarWhenNeeded() {
        HWND memo = Control(kIdInfoMessageText);
        ShowScrollBar(memo, SB_VERT, TRUE);
        RECT area{};
        SendMessageW(memo, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        TEXTMETRICW metrics{};
        {
            gdi::WindowDC dc(memo);
            gdi::Select font(dc.get(), memoFont_.get());
            GetTextMetricsW(dc.get(), &metrics);
        }
        int lines = static_cast<int>(SendMessageW(memo, EM_GETLINECOUNT, 0, 0));
        int visible = metrics.tmHeight > 0 ? (area.bottom - area.top) / metrics.tmHeight : lines;
        ShowScrollBar(memo, SB_VERT, lines > visible);
    }

    void ApplyFonts() {
        SetControlFont(kIdInfoMessageTitle, titleFont_.get());
        SetControlFont(kIdInfoMessageText, memoFont_.get());
    }

    gdi::Font titleFont_;
    gdi::Font memoFont_;
};

// ---- Splash window ---------------------------------------------------------
class SplashWindow : public WindowBase {
public:
    SplashWindow()
        // No frame and no taskbar button.
        : WindowBase(WindowClass::Splash, 383, 205, {WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW}) {}

    void ApplyTexts() { SetControlText(kIdSplashProgramName, GetText(Text::ProgramName)); }

protected:
    void OnCreate() override {
        nameFont_ = gdi::CreateScaledFont({ui::kDialogFace, 16, true}, dpi());
        AddControl("STATIC", "", WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 164, 34, 191, 33,
                   kIdSplashProgramName, WS_EX_STATICEDGE);
        SetControlFont(kIdSplashProgramName, nameFont_.get());
        SetControlColor(kIdSplashProgramName, ui::kMaroon);
    }
    void OnDpiChanged() override {
        nameFont_ = gdi::CreateScaledFont({ui::kDialogFace, 16, true}, dpi());
        SetControlFont(kIdSplashProgramName, nameFont_.get());
    }
    void OnCancel() override {}
    void OnPaint(HDC dc) override {
        RECT client{};
        GetClientRect(hwnd(), &client);
        gdi::FillGradient(dc, client, RGB(16, 48, 112), RGB(120, 176, 236), false);
        // Rings rising from the lower left: the start of a machine.
        gdi::Pen ring(CreatePen(PS_SOLID, Px(3), RGB(200, 225, 250)));
        gdi::Select selectPen(dc, ring.get());
        gdi::Select selectBrush(dc, GetStockObject(NULL_BRUSH));
        for (int i = 1; i <= 4; ++i) {
            int r = Px(28 * i);
            Arc(dc, Px(70) - r, Px(150) - r, Px(70) + r, Px(150) + r, Px(70) + r, Px(150), Px(70), Px(150) - r);
        }
        gdi::Brush dot(CreateSolidBrush(RGB(250, 200, 60)));
        gdi::Select selectDot(dc, dot.get());
        Ellipse(dc, Px(58), Px(138), Px(82), Px(162));
        // A row of entries, one switched off.
        for (int i = 0; i < 4; ++i) {
            RECT bar{Px(164), Px(90 + i * 24), Px(355 - (i % 2) * 40), Px(90 + i * 24 + 12)};
            gdi::Brush fill(CreateSolidBrush(i == 2 ? RGB(150, 160, 180) : RGB(235, 244, 255)));
            FillRect(dc, &bar, fill.get());
        }
        // A thin frame, since the window has no border of its own.
        gdi::Brush frame(CreateSolidBrush(RGB(16, 48, 112)));
        FrameRect(dc, &client, frame.get());
    }

private:
    gdi::Font nameFont_;
};

// ---- The windows and the test seam ----------------------------------------
std::unique_ptr<MessageDialog> g_message;
std::unique_ptr<QuestionDialog> g_question;
std::unique_ptr<WaitDialog> g_wait;
std::unique_ptr<InfoMessageDialog> g_infoMessage;
std::unique_ptr<SplashWindow> g_splash;

PromptResponder g_responder;
std::vector<PromptRecord> g_recorded;
int g_lastTimedWaitTicks = 0;

template <typename Window>
Window& Get(std::unique_ptr<Window>& window) {
    if (!window) window = std::make_unique<Window>();
    return *window;
}

// With a responder set, records the prompt and answers it; false when the
// window is to be shown.
bool Answered(PromptKind kind, const std::string& text, const std::string& detail, bool* answer = nullptr) {
    if (!g_responder) return false;
    PromptRecord record{kind, text, detail};
    g_recorded.push_back(record);
    bool reply = g_responder(record);
    if (answer) *answer = reply;
    return true;
}

}  // namespace

void ShowMessage(const std::string& text) {
    if (Answered(PromptKind::Message, text, "")) return;
    Get(g_message).Show(text);
}

bool AskQuestion(const std::string& question, bool yesByDefault) {
    bool answer = yesByDefault;
    if (Answered(PromptKind::Question, question, "", &answer)) return answer;
    return Get(g_question).Ask(question, yesByDefault);
}

void RunTimedWait(const std::string& message, const std::string& secondLine, int pace) {
    if (Answered(PromptKind::TimedWait, message, secondLine)) return;
    WaitDialog& wait = Get(g_wait);
    wait.RunTimed(message, secondLine, pace);
    g_lastTimedWaitTicks = wait.LastTicks();
}

void RunTimedWait(int pace) { RunTimedWait(GetText(Text::PleaseWait), "", pace); }

void ShowWait() {
    if (Answered(PromptKind::Wait, GetText(Text::PleaseWait), "")) return;
    Get(g_wait).ShowPlain();
}

void CloseWait() {
    if (g_wait) g_wait->ClosePlain();
}

ScopedWait::ScopedWait() : open_(true) { ShowWait(); }

ScopedWait::~ScopedWait() { Close(); }

void ScopedWait::Close() {
    if (open_) {
        open_ = false;
        CloseWait();
    }
}

void ShowInfoMessage(const std::string& title, const std::string& text) {
    if (Answered(PromptKind::InfoMessage, title, text)) return;
    Get(g_infoMessage).Show(title, text);
}

void ShowSplash() {
    SplashWindow& splash = Get(g_splash);
    if (!splash.Create()) return;
    splash.ApplyTexts();
    splash.CenterOnScreen();
    ShowWindow(splash.hwnd(), SW_SHOWNOACTIVATE);
    UpdateWindow(splash.hwnd());
}

void CloseSplash() { g_splash.reset(); }

void DestroyPromptWindows() {
    g_message.reset();
    g_question.reset();
    g_wait.reset();
    g_infoMessage.reset();
    g_splash.reset();
}

void ApplyPromptTexts() {
    if (g_message) g_message->ApplyTexts();
    if (g_question) g_question->ApplyTexts();
    if (g_wait) g_wait->ApplyTexts();
    if (g_infoMessage) g_infoMessage->ApplyTexts();
    if (g_splash) g_splash->ApplyTexts();
}

void SetPromptResponderForTests(PromptResponder responder) {
    g_responder = std::move(responder);
    g_recorded.clear();
}

std::vector<PromptRecord> TakeRecordedPrompts() { return std::exchange(g_recorded, {}); }

int LastTimedWaitTicks() { return g_lastTimedWaitTicks; }
