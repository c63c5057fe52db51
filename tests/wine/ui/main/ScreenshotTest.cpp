// Screenshots of the real Bootmarshal.exe's main window in each colour scheme,
// at 96 and at 144 DPI, saved as BMP files under build/<tree>/artifacts/screens
// for a person to look at. The program runs as its own process in the test's
// prefix, on seeded entries of every location group.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "support/Processes.h"
#include "support/WindowFinder.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "ui/win/ControlIds.h"
#include "ui/win/WindowClasses.h"

using testsupport::ProductPath;
using testsupport::Program;
using testsupport::SeedLanguageChoice;

namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kProgramKey[] = "Software\\Veltmanix\\Bootmarshal";
const char kPlacement[] = "MainWindow";

// A saved 24-bit BMP read back, its pixels addressed from the top left.
class Picture {
public:
    explicit Picture(const std::string& path) : bytes_(testsupport::ReadFileBytes(path)) {
        if (bytes_.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return;
        BITMAPINFOHEADER info{};
        std::memcpy(&info, bytes_.data() + sizeof(BITMAPFILEHEADER), sizeof info);
        if (info.biBitCount != 24 || info.biHeight <= 0) return;
        width_ = info.biWidth;
        height_ = info.biHeight;
        stride_ = static_cast<size_t>((width_ * 3 + 3) / 4 * 4);
        if (bytes_.size() < Offset() + stride_ * static_cast<size_t>(height_)) width_ = height_ = 0;
    }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF At(int x, int y) const {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes_.data()) + Offset() +
                                 stride_ * static_cast<size_t>(height_ - 1 - y) + static_cast<size_t>(x) * 3;
        return RGB(p[2], p[1], p[0]);
    }
    // How many colours the picture holds, counted up to `enough`.
    size_t Colours(size_t enough) const {
        std::set<COLORREF> seen;
        for (int y = 0; y < height_ && seen.size() < enough; ++y) {
            for (int x = 0; x < width_ && seen.size() < enough; ++x) seen.insert(At(x, y));
        }
        return seen.size();
    }

private:
    size_t Offset() const { return sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER); }
    std::string bytes_;
    int width_ = 0, height_ = 0;
    size_t stride_ = 0;
};

// The share of the pixels of `part` (window pixels) that differ between two pictures.
double ShareChanged(const Picture& a, const Picture& b, const RECT& part) {
    int changed = 0, all = 0;
    for (int y = part.top; y < part.bottom; ++y) {
        for (int x = part.left; x < part.right; ++x, ++all) changed += a.At(x, y) != b.At(x, y) ? 1 : 0;
    }
    return all ? static_cast<double>(changed) / all : 0;
}

// A control's rectangle in the pixels of its window's picture.
RECT PartOf(HWND window, int id) {
    RECT frame{}, control{};
    GetWindowRect(window, &frame);
    GetWindowRect(GetDlgItem(window, id), &control);
    OffsetRect(&control, -frame.left, -frame.top);
    return control;
}

// Saves the window's picture and reads it back; a picture of one colour (a
// copy of nothing) fails the test.
Picture Shoot(HWND window, const std::string& path) {
    EXPECT_TRUE(testsupport::SaveWindowImage(window, path)) << path;
    Picture picture(path);
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(picture.width(), frame.right - frame.left) << path;
    EXPECT_EQ(picture.height(), frame.bottom - frame.top) << path;
    // Texts, icons and their smoothed edges: a real picture of the window holds many colours.
    EXPECT_GE(picture.Colours(64), 64u) << path << " is (nearly) of one colour";
    return picture;
}

void Settle(HWND window) {
    // A message that returns only after the program handled everything before it.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    Sleep(300);
}

void Command(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
    Settle(window);
}

class Screenshots : public ::testing::TestWithParam<int> {};

TEST_P(Screenshots, MainWindowInEachScheme) {
    const int dpi = GetParam();
    SetProcessDPIAware();
    WriteRegString(HKEY_CURRENT_USER, kRun, "Updater & Co", "\"C:\\Program Files\\Updater\\upd.exe\" /silent");
    WriteRegString(HKEY_CURRENT_USER, kRun, "Zoom Helper", "C:\\zoom\\zh.exe");
    WriteRegString(HKEY_LOCAL_MACHINE, kRun, "Zoom Helper", "C:\\zoom\\zh-machine.exe");
    WriteRegString(HKEY_LOCAL_MACHINE, kRun, "CTFMON.EXE", "C:\\windows\\system32\\ctfmon.exe");
    WriteRegString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "setup-once",
                   "C:\\setup\\finish.exe");
    WriteRegString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "load",
                   "C:\\old\\tray.exe");
    testsupport::SetUserDpi(static_cast<DWORD>(dpi));
    SeedLanguageChoice(DataFolder(kBaseName));
    // The window as at the first start: where it was last closed (at another DPI) does not count.
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kProgramKey, kPlacement);

    Program program = Program::Start("\"" + ProductPath("Bootmarshal.exe") + "\"");
    ASSERT_TRUE(program.started());
    HWND window = testsupport::WaitForWindow(WindowClass::Main, 20000, program.processId());
    ASSERT_NE(window, nullptr);
    Settle(window);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, MulDiv(826, dpi, 96));
    EXPECT_EQ(client.bottom, MulDiv(662, dpi, 96));

    // A line of the list selected, then each scheme on the tab that offers it.
    const std::string folder = testsupport::ScreensFolder();
    const struct {
        int tab, scheme;
        const char* name;
    } shots[] = {{kIdRibbonTabHome, kIdRibbonSchemeBlue, "blue"},
                 {kIdRibbonTabAppearance, kIdRibbonSchemeBlack, "black"},
                 {kIdRibbonTabHelp, kIdRibbonSchemeSilver, "silver"}};
    for (const auto& shot : shots) {
        Command(window, shot.scheme);
        Command(window, shot.tab);
        Shoot(window, folder + "main-" + shot.name + "-" + std::to_string(dpi) + "dpi.bmp");
    }

    // Each scheme again as the keyboard and the pointer see it: New entry
    // focused from the keyboard, Print under the pointer with its tooltip.
    const auto focusedId = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return 0;
        return GetDlgCtrlID(info.hwndFocus);
    };
    for (const auto& shot : shots) {
        Command(window, shot.scheme);
        Command(window, kIdRibbonTabHome);
        SetCursorPos(0, 0);
        SetForegroundWindow(window);
        for (int press = 0; press < 40 && focusedId() != kIdRibbonTabHome; ++press) {
            testsupport::PressKey(VK_TAB, {VK_SHIFT});
            Settle(window);
        }
        testsupport::PressKey(VK_TAB);
        Settle(window);
        EXPECT_EQ(focusedId(), kIdRibbonNewEntry) << shot.name;
        const std::string suffix = std::string(shot.name) + "-" + std::to_string(dpi) + "dpi.bmp";
        // The tip of the scheme before has gone.
        EXPECT_TRUE(testsupport::Eventually(
            [&] { return testsupport::FindVisibleWindow("tooltips_class32", program.processId()) == nullptr; }, 5000))
            << shot.name;
        const Picture resting = Shoot(window, folder + "main-focus-" + suffix);
        RECT print{};
        GetWindowRect(GetDlgItem(window, kIdRibbonPrint), &print);
        SetCursorPos((print.left + print.right) / 2, (print.top + print.bottom) / 2);
        // Print's own tip (its key in it), and the item lit on the screen: a
        // picture taken earlier would show the item as it rests.
        EXPECT_TRUE(testsupport::Eventually(
            [&] {
                HWND tip = testsupport::FindVisibleWindow("tooltips_class32", program.processId());
                // A window of another process answers WM_GETTEXT with its own text.
                char text[200] = "";
                DWORD_PTR length = 0;
                if (tip)
                    SendMessageTimeoutA(tip, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                        2000, &length);
                return std::string(text).find("+P)") != std::string::npos;
            },
            5000))
            << shot.name;
        const POINT lit{(print.left + print.right) / 2, print.top + 3};
        EXPECT_TRUE(testsupport::Eventually(
            [&] {
                HDC screen = GetDC(nullptr);
                const COLORREF now = GetPixel(screen, lit.x, lit.y);
                ReleaseDC(nullptr, screen);
                RECT frame{};
                GetWindowRect(window, &frame);
                return now != resting.At(lit.x - frame.left, lit.y - frame.top);
            },
            5000))
            << shot.name;
        const Picture hovered = Shoot(window, folder + "main-hover-" + suffix);
        if (resting.width() != hovered.width() || resting.height() != hovered.height() || !resting.width()) continue;
        // Print lights up under the pointer (its upper half: the tooltip comes
        // below the pointer); New entry beside it, focused, stays as it was.
        RECT printPart = PartOf(window, kIdRibbonPrint);
        printPart.bottom = (printPart.top + printPart.bottom) / 2;
        EXPECT_GT(ShareChanged(resting, hovered, printPart), 0.3) << shot.name;
        EXPECT_EQ(ShareChanged(resting, hovered, PartOf(window, kIdRibbonNewEntry)), 0.0) << shot.name;
    }
    SetCursorPos(0, 0);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_NE(program.WaitForExit(20000), -1);
    testsupport::SetUserDpi(96);
}

INSTANTIATE_TEST_SUITE_P(Dpi, Screenshots, ::testing::Values(96, 144));

}  // namespace
