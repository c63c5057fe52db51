// Screenshots of the real Bootmarshal.exe's main window in each colour scheme,
// at 96 and at 144 DPI, saved as BMP files under build/<tree>/artifacts/screens
// for a person to look at. The program runs as its own process in the test's
// prefix, on seeded entries of every location group.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "ui/win/ControlIds.h"
#include "ui/win/WindowClasses.h"

using testsupport::ProductPath;
using testsupport::SeedLanguageChoice;

namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

void SetLogPixels(DWORD dpi) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
}

HWND FindMainWindow(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    for (int attempt = 0; attempt < 400 && !search.found; ++attempt) {
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                auto* s = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                char name[32] = {};
                GetClassNameA(window, name, sizeof name);
                if (owner == s->processId && std::string(name) == WindowClass::Main && IsWindowVisible(window)) {
                    s->found = window;
                    return FALSE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(50);
    }
    return search.found;
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
    SetLogPixels(static_cast<DWORD>(dpi));
    SeedLanguageChoice(DataFolder(kBaseName));

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + ProductPath("Bootmarshal.exe") + "\"";
    ASSERT_TRUE(
        CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    HWND window = FindMainWindow(process.dwProcessId);
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
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    SetLogPixels(96);
}

INSTANTIATE_TEST_SUITE_P(Dpi, Screenshots, ::testing::Values(96, 144));

}  // namespace
