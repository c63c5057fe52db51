// Screenshots of the real Bootmarshal.exe's main window in each colour scheme,
// at 96 and at 144 DPI, saved as BMP files under build/<tree>/artifacts/screens
// for a person to look at. The program runs as its own process in the test's
// prefix, on seeded entries of every location group.
#include <gtest/gtest.h>

#include <cstdio>
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
        const std::string path = folder + "main-" + shot.name + "-" + std::to_string(dpi) + "dpi.bmp";
        EXPECT_TRUE(testsupport::SaveWindowImage(window, path)) << path;
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
        RECT print{};
        GetWindowRect(GetDlgItem(window, kIdRibbonPrint), &print);
        SetCursorPos((print.left + print.right) / 2, (print.top + print.bottom) / 2);
        EXPECT_TRUE(testsupport::Eventually(
            [&] { return testsupport::FindVisibleWindow("tooltips_class32", program.processId()) != nullptr; }, 5000))
            << shot.name;
        const std::string path = folder + "main-hover-" + shot.name + "-" + std::to_string(dpi) + "dpi.bmp";
        EXPECT_TRUE(testsupport::SaveWindowImage(window, path)) << path;
    }
    SetCursorPos(0, 0);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_NE(program.WaitForExit(20000), -1);
    testsupport::SetUserDpi(96);
}

INSTANTIATE_TEST_SUITE_P(Dpi, Screenshots, ::testing::Values(96, 144));

}  // namespace
