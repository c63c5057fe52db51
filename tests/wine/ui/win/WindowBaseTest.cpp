// The window base: a handler's exception stays inside the window, the modal
// loop gives Esc and Enter their dialog meaning, and a WM_QUIT that arrives
// during a modal loop still ends the outer loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

#include "support/WineTestSupport.h"
#include "ui/win/WindowBase.h"

namespace {

class ProbeDialog : public ui::WindowBase {
public:
    static constexpr int kOk = 10, kThrow = 11;
    ProbeDialog() : WindowBase("BmProbeDialog", 200, 100) {}
    int commands = 0;

protected:
    void OnCreate() override {
        AddLinkButton("OK", 10, 10, 80, 30, kOk);
        AddLinkButton("Throw", 100, 10, 80, 30, kThrow);
        SetDefaultButton(kOk);
        SetInitialFocus(kOk);
    }
    void OnCommand(int id, int, HWND) override {
        ++commands;
        if (id == kThrow) throw std::runtime_error("handler failed");
        if (id == kOk) EndModal(IDOK);
    }
};

// Posts the keys or messages once the dialog runs (from a thread timer inside its loop).
HWND g_target = nullptr;
UINT g_message = 0;
WPARAM g_wParam = 0;

VOID CALLBACK PostOnce(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!IsWindowVisible(g_target)) return;
    KillTimer(nullptr, timer);
    HWND focus = GetFocus();
    HWND to = focus && IsChild(g_target, focus) ? focus : g_target;
    if (g_message == WM_KEYDOWN) {
        PostMessageA(to, WM_KEYDOWN, g_wParam, 1);
        PostMessageA(to, WM_KEYUP, g_wParam, 0xC0000001);
    } else {
        PostMessageA(g_target, g_message, g_wParam, 0);
    }
}

int RunWith(ProbeDialog& dialog, UINT message, WPARAM wParam) {
    EXPECT_TRUE(dialog.Create()) << testsupport::LastErrorText("creating the test window");
    g_target = dialog.hwnd();
    g_message = message;
    g_wParam = wParam;
    SetTimer(nullptr, 0, 20, &PostOnce);
    return dialog.RunModal();
}

TEST(WindowBase, EscapeCancelsAndEnterPressesTheDefaultButton) {
    ProbeDialog dialog;
    EXPECT_EQ(RunWith(dialog, WM_KEYDOWN, VK_ESCAPE), IDCANCEL);
    EXPECT_EQ(RunWith(dialog, WM_KEYDOWN, VK_RETURN), IDOK);
    EXPECT_EQ(RunWith(dialog, WM_CLOSE, 0), IDCANCEL);
}

TEST(WindowBase, AnExceptionInAHandlerStaysInsideTheWindow) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create()) << testsupport::LastErrorText("creating the test window");
    SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(ProbeDialog::kThrow, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog.hwnd(), ProbeDialog::kThrow)));
    EXPECT_EQ(dialog.commands, 1);
    EXPECT_TRUE(IsWindow(dialog.hwnd()));
}

TEST(WindowBase, AQuitMessageEndsTheModalLoopAndIsPostedAgain) {
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create()) << testsupport::LastErrorText("creating the test window");
    g_target = dialog.hwnd();
    g_message = WM_NULL;
    SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR timer, DWORD) {
        KillTimer(nullptr, timer);
        PostQuitMessage(7);
    });
    EXPECT_EQ(dialog.RunModal(), IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(dialog.hwnd()));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

// Lengths given at 96 DPI come out scaled by the screen's DPI. At 96 DPI that
// is the identity, so the test runs again in a child at 144 DPI.
TEST(WindowBase, ControlsAreLaidOutAtTheWindowsDpi) {
    SetProcessDPIAware();
    const int dpi = testsupport::ScreenDpi();
    const int runDpi = testsupport::DpiOfThisRun();
    if (runDpi != 0) {
        ASSERT_EQ(dpi, runDpi) << "the child sees the DPI it was started for";
    }
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create()) << testsupport::LastErrorText("creating the test window");
    RECT client{}, button{};
    GetClientRect(dialog.hwnd(), &client);
    GetWindowRect(GetDlgItem(dialog.hwnd(), ProbeDialog::kThrow), &button);
    MapWindowPoints(nullptr, dialog.hwnd(), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(client.right, MulDiv(200, dpi, 96));
    EXPECT_EQ(client.bottom, MulDiv(100, dpi, 96));
    EXPECT_EQ(button.left, MulDiv(100, dpi, 96));
    EXPECT_EQ(button.right - button.left, MulDiv(80, dpi, 96));
    if (runDpi == 0) {
        EXPECT_EQ(testsupport::RunTestsAtDpi("WindowBase.ControlsAreLaidOutAtTheWindowsDpi", 144), 0);
    }
}

}  // namespace
