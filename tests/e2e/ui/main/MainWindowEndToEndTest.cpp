// The real Bootmarshal.exe driven from outside, as a user would: filters,
// selection, switching off and on, delete answered no and yes, blocking and
// releasing, keys; afterwards the registry, win.ini and the Startup folder are
// checked. The program runs in this test's prefix; the driver posts its clicks.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

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
const char kProgramKey[] = "Software\\Veltmanix\\Bootmarshal";
const char kPlacement[] = "MainWindow";
constexpr int kMessageClose = 2001;

// The texts of the program's visible tooltips: the ribbon's and the list's
// lines have tooltip windows of their own, and one of them may still be
// fading out (shown, with its text gone) while the other shows.
std::vector<std::string> VisibleTipTexts(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<std::string> texts;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& found = *reinterpret_cast<Search*>(context);
            char className[32] = {};
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == found.processId && IsWindowVisible(window) &&
                GetClassNameA(window, className, sizeof className) && lstrcmpiA(className, "tooltips_class32") == 0) {
                found.texts.push_back(e2e::Text(window));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.texts;
}

// The wanted text when a visible tip shows it, else what the first one shows.
std::string ShownTip(DWORD processId, const std::string& wanted) {
    const std::vector<std::string> texts = VisibleTipTexts(processId);
    if (std::find(texts.begin(), texts.end(), wanted) != texts.end()) return wanted;
    return texts.empty() ? std::string() : texts.front();
}

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
        // Each test starts with the window at its designed size in the middle, as at the first start.
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kProgramKey, kPlacement);
        program_ = e2e::Program::Start("\"" + testsupport::ProductPath("Bootmarshal.exe") + "\"");
        ASSERT_TRUE(program_.started());
        window_ = e2e::WaitForWindow(WindowClass::Main, 20000, program_.processId());
        ASSERT_NE(window_, nullptr);
        list_ = e2e::FindControl(window_, kIdEntryList);
        ASSERT_NE(list_, nullptr);
        WaitForTheStartUpFocus();
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
        ASSERT_TRUE(e2e::SelectListLineShowing(list_, text, occurrence)) << text;
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

    // The window is shown before it takes the focus, and the program is busy
    // with its start for a while after: a key sent before the list has the
    // focus would wait in the queue and move the focus later, unseen.
    void WaitForTheStartUpFocus() {
        ASSERT_TRUE(Eventually([&] { return FocusedId() == kIdEntryList; })) << "the list has the focus at the start";
    }

    // Presses the key and waits until the program moved the focus away from
    // where it was; false when it stayed. The next key goes only after that:
    // one sent while the program is still busy with the one before waits in
    // its queue and moves the focus again after the test has looked.
    bool PressMovingFocus(WORD key, std::initializer_list<WORD> held = {}) {
        const int before = FocusedId();
        SetForegroundWindow(window_);
        testsupport::PressKey(key, held);
        return Eventually([&] { return FocusedId() != before; }, 5000);
    }

    // Presses the key until the focus is on the control (at most `presses` times).
    bool MoveFocusTo(int id, WORD key, std::initializer_list<WORD> held = {}, int presses = 40) {
        for (int i = 0; i < presses && FocusedId() != id; ++i) {
            if (!PressMovingFocus(key, held)) break;
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

    // Starts the program again after it ended, as a user opens it the next time.
    void Restart() {
        if (program_.running()) {
            e2e::Close(window_);
            ASSERT_EQ(program_.WaitForExit(), 0);
        }
        program_ = e2e::Program::Start("\"" + testsupport::ProductPath("Bootmarshal.exe") + "\"");
        ASSERT_TRUE(program_.started());
        window_ = e2e::WaitForWindow(WindowClass::Main, 20000, program_.processId());
        ASSERT_NE(window_, nullptr);
        list_ = e2e::FindControl(window_, kIdEntryList);
        ASSERT_NE(list_, nullptr);
        WaitForTheStartUpFocus();
    }

    // Types letters and digits into the focused control, key by key.
    void Type(const std::string& text) {
        SetForegroundWindow(window_);
        for (char c : text) testsupport::PressKey(static_cast<WORD>(std::toupper(static_cast<unsigned char>(c))));
    }

    // The list lines shown whole between the list's top and bottom edges.
    int VisibleLines() const {
        RECT client{};
        GetClientRect(list_, &client);
        const int count = static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0));
        const int top = static_cast<int>(SendMessageW(list_, LB_GETTOPINDEX, 0, 0));
        int visible = 0;
        for (int line = top; line < count; ++line) {
            RECT item{};
            if (SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&item)) ==
                    LB_ERR ||
                item.bottom > client.bottom)
                break;
            ++visible;
        }
        return visible;
    }

    e2e::Program program_;
    HWND window_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(MainWindowEndToEnd, FiltersSelectionAndDetails) {
    // Read with a timeout: a program still busy with its first start answers empty.
    EXPECT_TRUE(Eventually([&] {
        return e2e::ListLines(list_) == std::vector<std::string>{"Alpha", "C.", "Twin", "Twin"};
    })) << e2e::ListLines(list_).size();
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
        {kIdRibbonQuickNewEntry, e2e::ShownText(window_, kIdRibbonNewEntry) + " (Strg+N)"},
        {kIdRibbonRefresh, e2e::ShownText(window_, kIdRibbonRefresh) + " (F5)"},
        {kIdRibbonManageBackups, e2e::ShownText(window_, kIdRibbonManageBackups)},
        {kIdInfoImageRegistry, "Info"},
    };
    // A point of the control just inside its top edge, as the screen shows it.
    const auto topColour = [](HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, (rect.left + rect.right) / 2, rect.top + 2);
        ReleaseDC(nullptr, screen);
        return colour;
    };
    std::pair<HWND, COLORREF> left{nullptr, 0};
    for (const auto& c : cases) {
        SetForegroundWindow(window_);
        HWND control = e2e::FindControl(window_, c.id);
        const COLORREF resting = topColour(control);
        std::string shown;
        // The pointer is moved until the tip of this control shows: a tip of
        // the control before may still be fading.
        for (int attempt = 0; attempt < 5 && shown != c.tip; ++attempt) {
            PointAt(e2e::FindControl(window_, c.id));
            Eventually(
                [&] {
                    shown = ShownTip(program_.processId(), c.tip);
                    return shown == c.tip;
                },
                2000);
        }
        EXPECT_EQ(shown, c.tip) << c.id;
        // The ribbon's items light up under the pointer.
        if (c.id != kIdInfoImageRegistry) {
            EXPECT_TRUE(Eventually([&] { return topColour(control) != resting; }, 2000))
                << c.id << " stays " << std::hex << resting << " under the pointer";
        }
        // The item before goes back to its resting colours once the pointer left it.
        if (left.first) {
            EXPECT_TRUE(Eventually([&] { return topColour(left.first) == left.second; }, 2000)) << c.id;
        }
        left = {control, resting};
        if (c.id == kIdRibbonNewEntry) e2e::Screenshot("ribbon-tooltip", window_);
    }
    // The details' buttons light up under the pointer too.
    HWND change = e2e::FindControl(window_, kIdChangeButton);
    const COLORREF resting = topColour(change);
    PointAt(change);
    EXPECT_TRUE(Eventually([&] { return topColour(change) != resting; }, 2000));
    e2e::Screenshot("details-hover", window_);
    PointAt(list_);
    EXPECT_TRUE(Eventually([&] { return topColour(change) == resting; }, 2000));
}

TEST_F(MainWindowEndToEnd, TheFilterFieldNarrowsTheListAndEscEmptiesIt) {
    HWND filter = e2e::FindControl(window_, kIdFilterText);
    ASSERT_NE(filter, nullptr);
    SelectLineOf("Alpha");
    // Ctrl+E, as in Explorer, from the list.
    ASSERT_TRUE(PressUntil(window_, 'E', {VK_CONTROL},
                           [&] { return Eventually([&] { return FocusedId() == kIdFilterText; }, 1000); }));
    const struct {
        const char* typed;
        std::vector<std::string> lines;
    } cases[] = {
        {"TW", {"Twin", "Twin"}},  // by name, letter case aside
        {"LEGACY", {"C."}},        // by command
        {"MACHINE", {"Twin"}},     // the command tells the two Twins apart
        {"QQ", {}},
    };
    for (const auto& c : cases) {
        // Ctrl+E again selects what the field holds, so the new text replaces it.
        ASSERT_TRUE(PressUntil(window_, 'E', {VK_CONTROL}, [] { return true; }));
        Type(c.typed);
        EXPECT_TRUE(Eventually([&] { return e2e::ListLines(list_) == c.lines; }, 3000))
            << c.typed << ": " << e2e::ListLines(list_).size() << " lines";
    }
    EXPECT_EQ(SendMessageW(list_, LB_GETCURSEL, 0, 0), LB_ERR) << "Alpha is not listed: nothing is selected";
    EXPECT_EQ(e2e::ControlText(window_, kIdNameText), "");

    // The check boxes still apply to what the field lets through.
    ASSERT_TRUE(PressUntil(window_, 'E', {VK_CONTROL}, [] { return true; }));
    Type("EXE");
    EXPECT_TRUE(Eventually([&] { return e2e::ListLines(list_).size() == 4u; }, 3000));
    e2e::Click(window_, kIdFilterRun);
    EXPECT_TRUE(Eventually([&] { return e2e::ListLines(list_) == std::vector<std::string>{"C."}; }, 3000));
    e2e::Click(window_, kIdFilterRun);

    // Esc while the field has the focus empties it; the whole list is back.
    ASSERT_TRUE(MoveFocusTo(kIdFilterText, 'E', {VK_CONTROL}, 5));
    ASSERT_TRUE(PressUntil(window_, VK_ESCAPE, {},
                           [&] { return Eventually([&] { return e2e::Text(filter).empty(); }, 1000); }));
    EXPECT_TRUE(Eventually([&] { return e2e::ListLines(list_).size() == 4u; }, 3000));
    // Down leads on to the list; Esc there does nothing at all.
    ASSERT_TRUE(MoveFocusTo(kIdEntryList, VK_DOWN, {}, 3));
    testsupport::PressKey(VK_ESCAPE);
    Sleep(300);
    EXPECT_TRUE(program_.running());
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_EQ(e2e::ListLines(list_).size(), 4u);
    e2e::Screenshot("main-window-filter", window_);
}

TEST_F(MainWindowEndToEnd, KeysOpenTheListsMenuAtTheSelectedLineAndRefreshFromAnywhere) {
    SelectLineOf("Twin", 1);
    RECT line{};
    SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(LineOf("Twin", 1)), reinterpret_cast<LPARAM>(&line));
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&line), 2);
    // The pointer far from the list: the menu must come at the line, not at the pointer.
    SetCursorPos(5, 5);
    const struct {
        WORD key;
        std::initializer_list<WORD> held;
        const char* what;
    } keys[] = {{VK_F10, {VK_SHIFT}, "Shift+F10"}, {VK_APPS, {}, "Applications key"}};
    for (const auto& k : keys) {
        HWND menu = nullptr;
        ASSERT_TRUE(PressUntil(window_, k.key, k.held, [&] {
            return Eventually([&] { return (menu = testsupport::FindVisibleWindow("#32768")) != nullptr; }, 1500);
        })) << k.what;
        RECT shown{};
        GetWindowRect(menu, &shown);
        EXPECT_GE(shown.top, line.top - 2) << k.what;
        EXPECT_LE(shown.top, line.bottom + 2) << k.what;
        EXPECT_GT(shown.left, line.left) << k.what;
        EXPECT_LT(shown.left, line.right) << k.what;
        if (k.key == VK_F10) e2e::Screenshot("list-menu-by-key", window_);
        testsupport::PressKey(VK_ESCAPE);
        EXPECT_TRUE(e2e::WaitUntilGone(menu)) << k.what;
    }

    // F5 reads the locations again wherever the focus is: on the filter field, on a ribbon tab.
    const struct {
        int focus;
        WORD key;
        std::initializer_list<WORD> held;
        const char* name;
    } places[] = {{kIdFilterText, 'E', {VK_CONTROL}, "Added1"}, {kIdRibbonTabHome, VK_TAB, {VK_SHIFT}, "Added2"}};
    for (const auto& place : places) {
        ASSERT_TRUE(MoveFocusTo(place.focus, place.key, place.held)) << place.name;
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, place.name, "C:\\added.exe"));
        EXPECT_TRUE(PressUntil(window_, VK_F5, {}, [&] {
            return Eventually([&] { return LineOf(place.name) >= 0; }, 1500);
        })) << place.name;
        EXPECT_EQ(FocusedId(), place.focus) << "the focus stays where it was";
    }
}

TEST_F(MainWindowEndToEnd, AMaximizedWindowShowsMoreLinesAndTheWindowsPlaceSurvivesARestart) {
    for (int i = 0; i < 60; ++i) {
        char name[16];
        wsprintfA(name, "Entry %02d", i);
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, name, "C:\\entry.exe"));
    }
    const std::string longName = "A name far too long for the list " + std::string(120, 'x') + " end";
    const std::string longCommand = "C:\\long.exe /with " + std::string(300, 'y') + " /end";
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, longName, longCommand));
    ASSERT_TRUE(PressUntil(window_, VK_F5, {},
                           [&] { return Eventually([&] { return e2e::ListLines(list_).size() == 65u; }, 2000); }));

    // At the designed size the window cannot be made smaller.
    RECT designed{};
    GetWindowRect(window_, &designed);
    SetWindowPos(window_, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    RECT shrunk{};
    GetWindowRect(window_, &shrunk);
    EXPECT_EQ(shrunk.right - shrunk.left, designed.right - designed.left);
    EXPECT_EQ(shrunk.bottom - shrunk.top, designed.bottom - designed.top);
    const int before = VisibleLines();
    EXPECT_GE(before, 8);

    // A cut line shows its whole name while the pointer rests on it.
    SendMessageW(list_, LB_SETTOPINDEX, 0, 0);
    RECT item{};
    SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(LineOf(longName)), reinterpret_cast<LPARAM>(&item));
    MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&item), 2);
    std::string tipText;
    for (int attempt = 0; attempt < 5 && tipText != longName; ++attempt) {
        SetForegroundWindow(window_);
        SetCursorPos(item.left + 40 + attempt, (item.top + item.bottom) / 2);
        Eventually(
            [&] {
                tipText = ShownTip(program_.processId(), longName);
                return tipText == longName;
            },
            2000);
    }
    EXPECT_EQ(tipText, longName);
    e2e::Screenshot("list-line-tooltip", window_);
    // The details hold the whole name and command in read-only fields, to select and copy.
    SelectLineOf(longName);
    for (const auto& [id, text] : {std::pair<int, std::string>{kIdNameText, longName}, {kIdCommandText, longCommand}}) {
        HWND field = e2e::FindControl(window_, id);
        EXPECT_TRUE(Eventually([&] { return e2e::Text(field) == text; })) << id;
        char className[16] = {};
        GetClassNameA(field, className, sizeof className);
        EXPECT_STREQ(className, "Edit") << id;
        EXPECT_NE(GetWindowLongA(field, GWL_STYLE) & ES_READONLY, 0) << id;
    }
    SetCursorPos(5, 5);

    ShowWindow(window_, SW_MAXIMIZE);
    ASSERT_TRUE(Eventually([&] { return IsZoomed(window_) != 0; }));
    EXPECT_TRUE(Eventually([&] { return VisibleLines() > before + 10; }, 3000))
        << VisibleLines() << " against " << before;
    // The details grow in width with the window; the status bar stays at the bottom.
    RECT client{}, command{}, status{};
    GetClientRect(window_, &client);
    GetWindowRect(e2e::FindControl(window_, kIdCommandText), &command);
    GetWindowRect(e2e::FindControl(window_, kIdLogonCheckText), &status);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&command), 2);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&status), 2);
    EXPECT_GT(command.right, client.right * 3 / 4);
    EXPECT_GT(status.top, client.bottom - 30);
    e2e::Screenshot("main-window-maximized", window_);

    // Maximized it opens again maximized.
    Restart();
    EXPECT_TRUE(Eventually([&] { return IsZoomed(window_) != 0; }));
    // Restored, moved and grown by hand: it opens there again, at that size.
    ShowWindow(window_, SW_RESTORE);
    ASSERT_TRUE(Eventually([&] { return !IsZoomed(window_); }));
    const RECT chosen{designed.left + 37, designed.top + 23, designed.right + 137, designed.bottom + 91};
    SetWindowPos(window_, nullptr, chosen.left, chosen.top, chosen.right - chosen.left, chosen.bottom - chosen.top,
                 SWP_NOZORDER);
    Restart();
    RECT reopened{};
    GetWindowRect(window_, &reopened);
    EXPECT_FALSE(IsZoomed(window_));
    EXPECT_EQ(reopened.right - reopened.left, chosen.right - chosen.left);
    EXPECT_EQ(reopened.bottom - reopened.top, chosen.bottom - chosen.top);
    EXPECT_EQ(reopened.left, chosen.left);
    EXPECT_EQ(reopened.top, chosen.top);

    // A place on no monitor there is now (one unplugged since), or a value that
    // is no place at all: the designed size, in the middle of the screen.
    for (const char* stored : {"-30000 -30000 -29000 -29200 0", "40 30 ten 700 1", "900 700 40 30 0"}) {
        e2e::Close(window_);
        ASSERT_EQ(program_.WaitForExit(), 0);
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kProgramKey, kPlacement, stored));
        Restart();
        RECT centred{};
        GetWindowRect(window_, &centred);
        EXPECT_FALSE(IsZoomed(window_)) << stored;
        EXPECT_EQ(centred.right - centred.left, designed.right - designed.left) << stored;
        EXPECT_EQ(centred.bottom - centred.top, designed.bottom - designed.top) << stored;
        EXPECT_EQ(centred.left, designed.left) << stored;
        EXPECT_EQ(centred.top, designed.top) << stored;
    }
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kProgramKey, kPlacement);
}

std::string WindowsPathOfUnix(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The text of a PDF (pages separated by form feeds), or empty text.
std::string PdfText(const std::string& unixPdf) {
    // A name of its own: other test programs read other texts of the same printouts.
    const std::string text = unixPdf + ".e2e.txt";
    const std::string command =
        "start.exe /unix " BM_SOURCE_DIR "/tests/wine/ui/print/pdf-to-text.sh \"" + unixPdf + "\" \"" + text + "\"";
    if (testsupport::RunProcess(command, 20000) != 0) return std::string();
    std::string printed;
    Eventually([&] { return !(printed = testsupport::ReadFileBytes(WindowsPathOfUnix(text))).empty(); });
    return printed;
}

// The printout that holds the mark, among the PDFs the run's printer wrote
// (other test programs print to it too); empty when none came. The printer
// names a file after its document, so a later printout of the same title
// replaces an earlier one under the same name: a file is read again when it
// changed.
std::string WaitForPrintout(const std::string& unixFolder, const std::string& mark) {
    std::string printed;
    std::vector<std::string> read;
    Eventually(
        [&] {
            WIN32_FIND_DATAA found{};
            HANDLE search = FindFirstFileA((WindowsPathOfUnix(unixFolder) + "\\*.pdf").c_str(), &found);
            if (search == INVALID_HANDLE_VALUE) return false;
            do {
                const std::string version = std::string(found.cFileName) + " " +
                                            std::to_string(found.ftLastWriteTime.dwLowDateTime) + " " +
                                            std::to_string(found.nFileSizeLow);
                if (std::find(read.begin(), read.end(), version) != read.end()) continue;
                const std::string text = PdfText(unixFolder + "/" + found.cFileName);
                // Read again later when it was still being written.
                if (!text.empty()) read.push_back(version);
                if (text.find(mark) != std::string::npos) printed = text;
            } while (printed.empty() && FindNextFileA(search, &found));
            FindClose(search);
            return !printed.empty();
        },
        60000);
    return printed;
}

// Runs of spaces as one: the table's columns are padded in the PDF's text.
std::string OneSpace(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    }
    return out;
}

// The focused control of the window in front (a dialog over the main window
// included), as the given window's thread has it.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

TEST_F(MainWindowEndToEnd, PrintTheInformationWindowALanguageSwitchAndHelpFromTheKeyboardAlone) {
    // An entry of this run's own, so that its printout is told from others.
    const std::string mark = "printed" + std::to_string(GetTickCount()) + ".exe";
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Printed", "C:\\" + mark));
    ASSERT_TRUE(
        PressUntil(window_, VK_F5, {}, [&] { return Eventually([&] { return LineOf("Printed") >= 0; }, 2000); }));
    const std::vector<std::string> lines = e2e::ListLines(list_);

    // Print, reached with the arrows inside its group. With the run's PDF
    // printer the printout is read back; on a prefix without a printer the
    // program says so. The window must take keys again after it.
    ASSERT_TRUE(MoveFocusTo(kIdRibbonNewEntry, VK_TAB));
    ASSERT_TRUE(MoveFocusTo(kIdRibbonPrint, VK_RIGHT, {}, 3));
    SetForegroundWindow(window_);
    testsupport::PressKey(VK_RETURN);
    const char* output = std::getenv("BM_PRINT_OUTPUT");
    if (output && *output) {
        std::string printed = WaitForPrintout(output, mark);
        ASSERT_FALSE(printed.empty()) << "no printout of this test came to " << output;
        printed = OneSpace(printed);
        // Every line of the list, in the list's order, each with its command.
        size_t at = 0;
        for (const std::string& line : lines) {
            const size_t found = printed.find(line, at);
            ASSERT_NE(found, std::string::npos) << line << " after " << at << "\n---\n" << printed;
            at = found + line.size();
        }
        for (const std::string& command :
             {std::string("C:\\alpha.exe"), std::string("C:\\twin-user.exe"), std::string("C:\\twin-machine.exe"),
              std::string("C:\\legacy\\tray.exe"), "C:\\" + mark}) {
            EXPECT_NE(printed.find(command), std::string::npos) << command << "\n---\n" << printed;
        }
        EXPECT_EQ(std::count(printed.begin(), printed.end(), '\f'), 1) << "five entries fill one page\n" << printed;
        EXPECT_EQ(testsupport::FindVisibleWindow(WindowClass::Message, program_.processId()), nullptr)
            << "printed without a message";
    } else if (HWND message = e2e::WaitForWindow(WindowClass::Message, 3000, program_.processId())) {
        EXPECT_TRUE(PressUntil(message, VK_RETURN, {}, [&] { return e2e::WaitUntilGone(message, 2000); }));
    }
    ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(window_) != 0; }));

    // Help opens the help file with the program the system has for it.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string opened = std::string(temp) + "bm-help-opened.txt";
    DeleteFileA(opened.c_str());
    ASSERT_TRUE(testsupport::WriteFileBytes(DataFolder(kBaseName) + "Bootmarshal.chm", "help"));
    const std::string oldClass = Value(HKEY_LOCAL_MACHINE, "Software\\Classes\\.chm", "");
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.chm", "", "BmTestHelpFile"));
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\BmTestHelpFile\\shell\\open\\command", "",
                               "C:\\windows\\system32\\cmd.exe /c copy \"%1\" \"" + opened + "\""));
    EXPECT_TRUE(PressUntil(window_, VK_F1, {}, [&] { return Eventually([&] { return FileExists(opened); }, 5000); }))
        << "F1";
    EXPECT_EQ(testsupport::ReadFileBytes(opened), "help");
    WriteRegString(HKEY_LOCAL_MACHINE, "Software\\Classes\\.chm", "", oldClass);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\BmTestHelpFile");

    // The information window from the last ribbon page, its language list
    // reached with Shift+Tab and turned with an arrow key: the main window
    // speaks the new language at once.
    const std::string germanGroup = e2e::ControlText(window_, kIdEntriesGroup);
    ASSERT_TRUE(PressUntil(window_, VK_TAB, {VK_CONTROL}, [&] {
        return Eventually([&] { return IsWindowVisible(e2e::FindControl(window_, kIdRibbonAbout)) != 0; }, 1000);
    }));
    ASSERT_TRUE(MoveFocusTo(kIdRibbonAbout, VK_TAB));
    HWND info = nullptr;
    ASSERT_TRUE(PressUntil(window_, VK_RETURN, {}, [&] {
        return (info = e2e::WaitForWindow(WindowClass::Info, 3000, program_.processId())) != nullptr;
    }));
    HWND languages = e2e::FindControl(info, kIdInfoLanguageList);
    for (int i = 0; i < 8 && FocusOf(info) != languages; ++i) {
        SetForegroundWindow(info);
        testsupport::PressKey(VK_TAB, {VK_SHIFT});
        Eventually([&] { return FocusOf(info) == languages; }, 300);
    }
    ASSERT_EQ(FocusOf(info), languages);
    for (const WORD arrow : {WORD{VK_DOWN}, WORD{VK_UP}}) {
        if (e2e::ControlText(window_, kIdEntriesGroup) != germanGroup) break;
        PressUntil(info, arrow, {}, [&] {
            return Eventually([&] { return e2e::ControlText(window_, kIdEntriesGroup) != germanGroup; }, 1500);
        });
    }
    EXPECT_NE(e2e::ControlText(window_, kIdEntriesGroup), germanGroup) << "the language switched";
    e2e::Screenshot("language-switched-by-key", info);
    // And back, the other way: the tests after this one in the prefix expect German.
    for (const WORD arrow : {WORD{VK_UP}, WORD{VK_DOWN}}) {
        if (e2e::ControlText(window_, kIdEntriesGroup) == germanGroup) break;
        PressUntil(info, arrow, {}, [&] {
            return Eventually([&] { return e2e::ControlText(window_, kIdEntriesGroup) == germanGroup; }, 1500);
        });
    }
    EXPECT_EQ(e2e::ControlText(window_, kIdEntriesGroup), germanGroup) << "the language switched back";
    EXPECT_TRUE(PressUntil(info, VK_ESCAPE, {}, [&] { return e2e::WaitUntilGone(info, 2000); }));
}

// Tab from the list goes round every stop of the window once, in reading
// order, and comes back; each group of the ribbon's page is one stop (its first
// item), the tab strip one (the chosen tab). Shift+Tab goes the same way back.
TEST_F(MainWindowEndToEnd, TabWalksEveryGroupOnceAndReturns) {
    const std::vector<int> stops = {
        kIdDeleteButton, kIdChangeButton, kIdLaunchButton, kIdBlockButton, kIdSwitchButton, kIdMoveButton,
        kIdRibbonQuickNewEntry, kIdRibbonTabHome,
        // New entry, Refresh, Print | Make and Manage backups | Blocked entries | Restart, Homepage, Exit
        kIdRibbonNewEntry, kIdRibbonMakeBackup, kIdRibbonBlockedEntries, kIdRibbonRestart,
        // The side panel's check boxes, then the filter field above the list.
        kIdFilterCommonStartup, kIdFilterUserStartup, kIdFilterRun, kIdFilterRunOnce, kIdFilterRunOnceEx,
        kIdFilterRunServices, kIdFilterRunServicesOnce, kIdFilterWinIniLoad, kIdFilterWinIniRun, kIdFilterTasksAtLogon,
        kIdFilterWindowsTasks, kIdFilterPackagedApps, kIdFilterText};
    const auto walk = [&](std::initializer_list<WORD> held) {
        std::vector<int> walked;
        for (size_t i = 0; i <= stops.size() + 2 && PressMovingFocus(VK_TAB, held); ++i) {
            if (FocusedId() == kIdEntryList) break;
            walked.push_back(FocusedId());
        }
        return walked;
    };
    ASSERT_EQ(FocusedId(), kIdEntryList);
    EXPECT_EQ(walk({}), stops);
    ASSERT_EQ(FocusedId(), kIdEntryList) << "back on the list";
    EXPECT_EQ(walk({VK_SHIFT}), std::vector<int>(stops.rbegin(), stops.rend()));
    EXPECT_EQ(FocusedId(), kIdEntryList) << "back on the list";
}

// The grown window with a filter typed, in each colour scheme, at 96 and at
// 144 DPI; at each DPI the designed size is the smallest the window gets.
TEST_F(MainWindowEndToEnd, TheGrownWindowInEachSchemeAtBothDpis) {
    struct UserDpiBack {
        ~UserDpiBack() { testsupport::SetUserDpi(96); }
    } dpiBack;
    for (const int dpi : {96, 144}) {
        if (dpi != 96) {
            e2e::Close(window_);
            ASSERT_EQ(program_.WaitForExit(), 0);
            testsupport::SetUserDpi(static_cast<DWORD>(dpi));
            Restart();
        }
        SetWindowPos(window_, nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER);
        RECT smallest{};
        GetClientRect(window_, &smallest);
        EXPECT_GE(smallest.right, MulDiv(826, dpi, 96) - 1) << dpi;
        EXPECT_GE(smallest.bottom, MulDiv(662, dpi, 96) - 1) << dpi;
        RECT frame{};
        GetWindowRect(window_, &frame);
        SetWindowPos(window_, nullptr, 10, 10, frame.right - frame.left + MulDiv(220, dpi, 96),
                     frame.bottom - frame.top + MulDiv(100, dpi, 96), SWP_NOZORDER);
        ASSERT_TRUE(PressUntil(window_, 'E', {VK_CONTROL},
                               [&] { return Eventually([&] { return FocusedId() == kIdFilterText; }, 1000); }));
        Type("WIN");
        EXPECT_TRUE(Eventually([&] { return e2e::ListLines(list_) == std::vector<std::string>{"Twin", "Twin"}; }));
        for (const auto& [scheme, id] : {std::pair<const char*, int>{"blue", kIdRibbonSchemeBlue},
                                         {"black", kIdRibbonSchemeBlack},
                                         {"silver", kIdRibbonSchemeSilver}}) {
            e2e::Click(window_, id);
            Sleep(300);  // the repaint, for the picture only
            e2e::Screenshot("main-window-grown-" + std::string(scheme) + "-" + std::to_string(dpi) + "dpi", window_);
        }
        e2e::Click(window_, kIdRibbonSchemeBlue);
    }
    e2e::Close(window_);
    ASSERT_EQ(program_.WaitForExit(), 0);
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kProgramKey, kPlacement);
}

}  // namespace
