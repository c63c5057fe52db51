// The real Bootmarshal.exe driven from outside, as a user would: filters,
// selection, switching off and on, delete answered no and yes, blocking and
// releasing, keys; afterwards the registry, win.ini and the Startup folder are
// checked. The program runs in this test's prefix; the driver posts its clicks.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <string>

#include "driver/Driver.h"
#include "support/WindowFinder.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/Files.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "ui/win/ControlIds.h"
#include "ui/win/WindowClasses.h"

namespace {

using testsupport::Eventually;

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kWinIni[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
constexpr int kMessageClose = 2001;

bool ValueExists(HKEY root, const char* key, const std::string& name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    const bool found = RegQueryValueExA(handle, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return found;
}

std::string Value(HKEY root, const char* key, const std::string& name) { return ReadRegString(root, key, name); }

// Brings the window to the front and presses the key with the keys held, until
// the condition holds (at most five tries: a window coming up may still take
// the foreground while the key is on its way).
template <typename Condition>
bool PressUntil(HWND window, WORD key, std::initializer_list<WORD> held, Condition condition) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        SetForegroundWindow(window);
        Eventually([&] { return GetForegroundWindow() == window; }, 1000);
        testsupport::PressKey(key, held);
        if (condition()) return true;
    }
    return false;
}

class MainWindowEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::BeDpiAware();
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) RegDeleteTreeA(root, kRun);
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Alpha", "C:\\alpha.exe"));
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Twin", "C:\\twin-user.exe"));
        ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kRun, "Twin", "C:\\twin-machine.exe"));
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kWinIni, "load", "C:\\legacy\\tray.exe"));
        testsupport::SeedLanguageChoice(DataFolder(kBaseName));
        program_ = e2e::Program::Start("\"" + testsupport::ProductPath("Bootmarshal.exe") + "\"");
        ASSERT_TRUE(program_.started());
        window_ = e2e::WaitForWindow(WindowClass::Main, 20000, program_.processId());
        ASSERT_NE(window_, nullptr);
        list_ = e2e::FindControl(window_, kIdEntryList);
        ASSERT_NE(list_, nullptr);
    }

    void TearDown() override {
        if (program_.running()) {
            e2e::Close(window_);
            EXPECT_EQ(program_.WaitForExit(), 0);
        }
    }

    int LineOf(const std::string& text, int occurrence = 0) {
        const std::vector<std::string> lines = e2e::ListLines(list_);
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] == text && occurrence-- == 0) return static_cast<int>(i);
        }
        return -1;
    }

    void SelectLineOf(const std::string& text, int occurrence = 0) {
        const int line = LineOf(text, occurrence);
        ASSERT_GE(line, 0) << text;
        ASSERT_TRUE(e2e::SelectListLine(list_, line));
    }

    void CloseMessage() {
        HWND message = e2e::WaitForWindow(WindowClass::Message, 10000, program_.processId());
        ASSERT_NE(message, nullptr);
        e2e::Click(message, kMessageClose);
        ASSERT_TRUE(e2e::WaitUntilGone(message));
    }

    // The control that has the keyboard focus in the program, by its ID.
    int FocusedId() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) || !info.hwndFocus) return 0;
        return GetDlgCtrlID(info.hwndFocus);
    }

    // Presses the key until the focus is on the control (at most `presses` times).
    bool MoveFocusTo(int id, WORD key, std::initializer_list<WORD> held = {}, int presses = 40) {
        for (int i = 0; i < presses && FocusedId() != id; ++i) {
            SetForegroundWindow(window_);
            testsupport::PressKey(key, held);
            Eventually([&] { return FocusedId() == id; }, 300);
        }
        return FocusedId() == id;
    }

    // The window the key opens, closed again with Esc.
    bool KeyOpens(WORD key, std::initializer_list<WORD> held, const char* windowClass) {
        HWND opened = nullptr;
        if (!PressUntil(window_, key, held, [&] {
                return (opened = e2e::WaitForWindow(windowClass, 3000, program_.processId())) != nullptr;
            }))
            return false;
        e2e::Close(opened);
        return e2e::WaitUntilGone(opened);
    }

    // The colour of the tab strip as the screen shows it.
    COLORREF StripColour() const {
        POINT point{2, 2};
        ClientToScreen(window_, &point);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, point.x, point.y);
        ReleaseDC(nullptr, screen);
        return colour;
    }

    e2e::Program program_;
    HWND window_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(MainWindowEndToEnd, FiltersSelectionAndDetails) {
    EXPECT_EQ(e2e::ListLines(list_), (std::vector<std::string>{"Alpha", "C.", "Twin", "Twin"}));
    // The Run filter covers both hives.
    e2e::Click(window_, kIdFilterRun);
    EXPECT_TRUE(Eventually([&] { return e2e::ListLines(list_) == std::vector<std::string>{"C."}; }));
    e2e::Click(window_, kIdFilterRun);
    EXPECT_TRUE(Eventually([&] { return e2e::ListLines(list_).size() == 4u; }));

    // Each of the two "Twin" lines shows its own entry.
    // The details follow the selection as the program handles it.
    HWND command = e2e::FindControl(window_, kIdCommandText);
    SelectLineOf("Twin", 0);
    EXPECT_TRUE(e2e::WaitForText(command, "C:\\twin-user.exe")) << e2e::Text(command);
    SelectLineOf("Twin", 1);
    EXPECT_TRUE(e2e::WaitForText(command, "C:\\twin-machine.exe")) << e2e::Text(command);
    EXPECT_NE(e2e::ControlText(window_, kIdLocationText).find("(Run)"), std::string::npos);
    e2e::Screenshot("main-window-e2e", window_);
}

TEST_F(MainWindowEndToEnd, SwitchOffAndOnDeleteNoAndYes) {
    SelectLineOf("Alpha");
    e2e::Click(window_, kIdSwitchButton);
    EXPECT_TRUE(Eventually([] {
        return Value(HKEY_CURRENT_USER, kRun, "Alpha").find("inactive.exe C:\\alpha.exe") != std::string::npos;
    }));
    SelectLineOf("Alpha");
    e2e::Click(window_, kIdSwitchButton);
    EXPECT_TRUE(Eventually([] { return Value(HKEY_CURRENT_USER, kRun, "Alpha") == "C:\\alpha.exe"; }));

    SelectLineOf("Twin", 0);
    e2e::Click(window_, kIdDeleteButton);
    ASSERT_TRUE(e2e::AnswerQuestion(false));
    Sleep(300);
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kRun, "Twin"));

    e2e::Click(window_, kIdDeleteButton);
    ASSERT_TRUE(e2e::AnswerQuestion(true));
    CloseMessage();
    EXPECT_TRUE(Eventually([] { return !ValueExists(HKEY_CURRENT_USER, kRun, "Twin"); }));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kRun, "Twin"), "C:\\twin-machine.exe") << "the other Twin stays";
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kWinIni, "load"), "C:\\legacy\\tray.exe");
}

TEST_F(MainWindowEndToEnd, BlockAndReleaseThenKeys) {
    SelectLineOf("C.");
    e2e::Click(window_, kIdBlockButton);
    const std::string blockList = DataFolder("Bootmarshal") + "Bootmarshal.list";
    EXPECT_TRUE(Eventually([&] { return testsupport::ReadFileBytes(blockList) == "C:\\legacy\\tray.exe\r\n"; }));
    EXPECT_TRUE(Eventually([] { return ValueExists(HKEY_CURRENT_USER, kRun, "Bootmarshal Block-check"); }));
    EXPECT_NE(Value(HKEY_CURRENT_USER, kWinIni, "load").find("inactive.exe"), std::string::npos);

    // The switched-off item's name follows its stored text; the details stay on it.
    EXPECT_TRUE(Eventually([&] { return e2e::ControlText(window_, kIdCommandText) == "C:\\legacy\\tray.exe"; }));
    e2e::Click(window_, kIdBlockButton);
    EXPECT_TRUE(Eventually([] { return Value(HKEY_CURRENT_USER, kWinIni, "load") == "C:\\legacy\\tray.exe"; }));
    EXPECT_TRUE(Eventually([] { return !ValueExists(HKEY_CURRENT_USER, kRun, "Bootmarshal Block-check"); }));
    EXPECT_EQ(testsupport::ReadFileBytes(blockList), "");

    // Del on the list asks; F5 reads the locations again.
    SelectLineOf("Alpha");
    PostMessageA(list_, WM_KEYDOWN, VK_DELETE, 0);
    ASSERT_TRUE(e2e::AnswerQuestion(false));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Zulu", "C:\\zulu.exe"));
    PostMessageA(list_, WM_KEYDOWN, VK_F5, 0);
    EXPECT_TRUE(Eventually([&] { return LineOf("Zulu") >= 0; }));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kRun, "Alpha"));

    // Keys pressed on the keyboard: Ctrl+F asks before restarting Windows, and
    // Enter (the question's default) answers no.
    HWND question = nullptr;
    ASSERT_TRUE(PressUntil(window_, 'F', {VK_CONTROL}, [&] {
        question = e2e::WaitForWindow(WindowClass::Question, 2000, program_.processId());
        return question != nullptr;
    }));
    ASSERT_TRUE(PressUntil(question, VK_RETURN, {}, [&] { return e2e::WaitUntilGone(question, 2000); }));
    EXPECT_TRUE(program_.running());
    // Alt+X ends the program.
    EXPECT_TRUE(
        PressUntil(window_, 'X', {VK_MENU}, [&] { return Eventually([&] { return !program_.running(); }, 2000); }));
    EXPECT_EQ(program_.WaitForExit(), 0);
}

TEST_F(MainWindowEndToEnd, TheRibbonIsWalkedAndRunFromTheKeyboardAlone) {
    // The shortcuts a Windows user tries first.
    EXPECT_TRUE(KeyOpens('N', {VK_CONTROL}, WindowClass::EntryEditor)) << "Ctrl+N";
    EXPECT_TRUE(KeyOpens(VK_RETURN, {}, WindowClass::EntryEditor)) << "Enter on the list";
    // Alt plus a caption's access key runs the item; "&" in a caption is no key.
    const std::string caption = e2e::ControlText(window_, kIdRibbonNewEntry);
    const size_t key = caption.find('&');
    ASSERT_LT(key + 1, caption.size()) << caption;
    EXPECT_TRUE(KeyOpens(static_cast<WORD>(std::toupper(static_cast<unsigned char>(caption[key + 1]))), {VK_MENU},
                         WindowClass::EntryEditor))
        << caption;
    EXPECT_NE(e2e::ControlText(window_, kIdRibbonTabHelp).find("&&"), std::string::npos)
        << "the ampersand of the help tab's caption is shown, not taken as a key";

    // Backwards from the list to the tab strip: the chosen tab is its one stop.
    ASSERT_TRUE(MoveFocusTo(kIdRibbonTabHome, VK_TAB, {VK_SHIFT}));
    // Forwards: one stop per group, the arrows inside a group.
    ASSERT_TRUE(MoveFocusTo(kIdRibbonNewEntry, VK_TAB, {}, 1));
    ASSERT_TRUE(MoveFocusTo(kIdRibbonRefresh, VK_RIGHT, {}, 1));
    ASSERT_TRUE(MoveFocusTo(kIdRibbonMakeBackup, VK_TAB, {}, 1));
    ASSERT_TRUE(MoveFocusTo(kIdRibbonManageBackups, VK_RIGHT, {}, 1));
    EXPECT_TRUE(KeyOpens(VK_RETURN, {}, WindowClass::Restore)) << "Enter on Manage backups";
    ASSERT_TRUE(MoveFocusTo(kIdRibbonBlockedEntries, VK_TAB, {}, 2));
    EXPECT_TRUE(KeyOpens(VK_SPACE, {}, WindowClass::BlockedEntries)) << "Space on Blocked entries";
    e2e::Screenshot("ribbon-focus", window_);

    // The arrows on the strip turn the pages; the colour schemes' page.
    ASSERT_TRUE(MoveFocusTo(kIdRibbonTabHome, VK_TAB, {VK_SHIFT}));
    ASSERT_TRUE(MoveFocusTo(kIdRibbonTabAppearance, VK_RIGHT, {}, 1));
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(e2e::FindControl(window_, kIdRibbonSchemeBlack)) != 0; }));
    EXPECT_FALSE(IsWindowVisible(e2e::FindControl(window_, kIdRibbonNewEntry)));
    const COLORREF blue = StripColour();
    ASSERT_TRUE(MoveFocusTo(kIdRibbonSchemeBlue, VK_TAB, {}, 1));
    ASSERT_TRUE(MoveFocusTo(kIdRibbonSchemeBlack, VK_RIGHT, {}, 1));
    ASSERT_TRUE(PressUntil(window_, VK_RETURN, {}, [&] {
        return Eventually([&] { return StripColour() != blue; }, 1000);
    })) << "Enter on Black changes the scheme";
    EXPECT_EQ(StripColour(), RGB(54, 54, 58));

    // Ctrl+Tab turns to the last page from anywhere: the information window.
    ASSERT_TRUE(PressUntil(window_, VK_TAB, {VK_CONTROL}, [&] {
        return Eventually([&] { return IsWindowVisible(e2e::FindControl(window_, kIdRibbonAbout)) != 0; }, 1000);
    }));
    ASSERT_TRUE(MoveFocusTo(kIdRibbonAbout, VK_TAB, {}, 3));
    EXPECT_TRUE(KeyOpens(VK_RETURN, {}, WindowClass::Info)) << "Enter on About";
    // And Ctrl+Shift+Tab back, round the strip.
    ASSERT_TRUE(PressUntil(window_, VK_TAB, {VK_CONTROL, VK_SHIFT}, [&] {
        return Eventually([&] { return IsWindowVisible(e2e::FindControl(window_, kIdRibbonSchemeBlue)) != 0; }, 1000);
    }));
}

// Moves the pointer onto the middle of the control, as a hand on the mouse would.
void PointAt(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    const int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
}

TEST_F(MainWindowEndToEnd, APointerRestingOnAnItemShowsItsCommandAndKey) {
    const struct {
        int id;
        std::string tip;
    } cases[] = {
        {kIdRibbonNewEntry, e2e::ShownText(window_, kIdRibbonNewEntry) + " (Strg+N)"},
        {kIdRibbonRefresh, e2e::ShownText(window_, kIdRibbonRefresh) + " (F5)"},
        {kIdRibbonManageBackups, e2e::ShownText(window_, kIdRibbonManageBackups)},
        {kIdInfoImageRegistry, "Info"},
    };
    for (const auto& c : cases) {
        SetForegroundWindow(window_);
        std::string shown;
        // The pointer is moved until the tip of this control shows: a tip of
        // the control before may still be fading.
        for (int attempt = 0; attempt < 5 && shown != c.tip; ++attempt) {
            PointAt(e2e::FindControl(window_, c.id));
            Eventually(
                [&] {
                    HWND tip = testsupport::FindVisibleWindow("tooltips_class32", program_.processId());
                    shown = tip ? e2e::Text(tip) : std::string();
                    return shown == c.tip;
                },
                2000);
        }
        EXPECT_EQ(shown, c.tip) << c.id;
        if (c.id == kIdRibbonNewEntry) e2e::Screenshot("ribbon-tooltip", window_);
    }
}

}  // namespace
