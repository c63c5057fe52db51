// The installer and uninstaller as a user meets them, run under Wine in this
// test program's own prefix: silent installs per machine and per user, the
// program started from the Start-menu shortcut's target, uninstalls that keep
// or remove the user's data and leave no entry pointing at a missing program,
// an upgrade over an older version, and one install clicked through its pages.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include "BootmarshalVersion.h"
#include "entries/ShellLink.h"
#include "support/Processes.h"
#include "support/WindowFinder.h"
#include "support/WineTestSupport.h"
#include "system/Files.h"
#include "system/RegistryValues.h"
#include "ui/win/WindowClasses.h"

using testsupport::FindVisibleWindow;
using testsupport::Program;
using testsupport::ReadFileBytes;
using testsupport::RunProcess;
using testsupport::WriteFileBytes;

namespace {

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Bootmarshal";
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kBlockCheck[] = "Bootmarshal Block-check";
// The program's own key: where the main window was last.
const char kProgramKey[] = "Software\\Veltmanix\\Bootmarshal";
const char* const kShipped[] = {"Bootmarshal.exe", "inactive.exe",    "Bootmarshal.t00", "Bootmarshal.t01",
                                "Bootmarshal.t02", "Bootmarshal.c00", "Bootmarshal.c01", "Bootmarshal.c02",
                                "Bootmarshal.d00", "Bootmarshal.d01", "Bootmarshal.d02", "uninstall.exe"};

std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string Folder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string DataFolder() { return Folder(CSIDL_LOCAL_APPDATA) + "\\Veltmanix\\Bootmarshal"; }

DWORD ReadDword(HKEY root, const char* key, const char* name) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueA(root, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) return 0;
    return value;
}

bool KeyExists(HKEY root, const char* key) {
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
    RegCloseKey(opened);
    return true;
}

int RunSetup(const char* unixPath, const std::string& options) {
    return RunProcess("\"" + WindowsPath(unixPath) + "\" /S " + options, 120000);
}

// As Windows runs it, but waited for: NSIS's uninstaller copies itself to a
// temporary folder and returns at once; run from a copy with _?= it does the
// work in the calling process's sight.
[[maybe_unused]] int Uninstall(const std::string& folder, const std::string& options) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string copy = std::string(temp) + "bm-uninstall-copy.exe";
    if (!CopyFileA((folder + "\\uninstall.exe").c_str(), copy.c_str(), FALSE)) return -1;
    const int code = RunProcess("\"" + copy + "\" /S " + options + " _?=" + folder, 120000);
    DeleteFileA(copy.c_str());
    return code;
}

// Starts the program and ends it again: it counts as started when its main
// window comes up, or when it is still running after two seconds (a first start
// may ask for the language first).
[[maybe_unused]] bool StartsAndEnds(const std::string& program) {
    Program started = Program::Start("\"" + program + "\"", program.substr(0, program.rfind('\\')));
    if (!started.started()) return false;
    bool running = true;
    HWND window = nullptr;
    for (int waited = 0; waited < 10000 && running && !window; waited += 100) {
        running = !started.EndsWithin(100);
        window = FindVisibleWindow(WindowClass::Main, started.processId());
        if (waited >= 2000 && running) break;
    }
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (!started.EndsWithin(window ? 10000 : 0)) started.WaitForExit(0);  // ends it by force
    // Gone for good before the test goes on: a running program keeps its files.
    const bool ended = started.EndsWithin(30000);
    return (running || window) && ended;
}

std::string ShortcutTarget(const std::string& link) {
    ShellLink shellLink;
    if (!shellLink.LoadLink(link)) return "(no shortcut)";
    return shellLink.Fields().Path;
}

class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        machineFolder_ = Folder(CSIDL_PROGRAM_FILES) + "\\Bootmarshal";
        machineLink_ = Folder(CSIDL_COMMON_PROGRAMS) + "\\Bootmarshal.lnk";
        userLink_ = Folder(CSIDL_PROGRAMS) + "\\Bootmarshal.lnk";
    }
    // Every test starts from a machine that never saw Bootmarshal.
    void TearDown() override {
        for (const std::string& folder : {machineFolder_, Folder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Bootmarshal",
                                          Folder(CSIDL_LOCAL_APPDATA) + "\\Veltmanix"}) {
            DeleteFolderTree(folder);
            RemoveDirectoryA(folder.c_str());
        }
        DeleteFileA(machineLink_.c_str());
        DeleteFileA(userLink_.c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
        RegDeleteTreeA(HKEY_CURRENT_USER, kUninstallKey);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kRun, kBlockCheck);
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kRun, "Switched off");
        CoUninitialize();
    }

    // What the program leaves in the user's data folder and the Run key after use.
    void UseProgram(const std::string& folder) {
        testsupport::MakeFolders(DataFolder());
        ASSERT_TRUE(WriteFileBytes(DataFolder() + "\\Bootmarshal.list", "C:\\Nag\\nag.exe\r\n"));
        ASSERT_TRUE(WriteFileBytes(DataFolder() + "\\BootmarshalBackup.xml", "<backups/>\r\n"));
        ASSERT_TRUE(WriteFileBytes(DataFolder() + "\\Bootmarshal.cho", BM_VERSION_TEXT));
        ASSERT_TRUE(
            WriteRegString(HKEY_CURRENT_USER, kRun, kBlockCheck, "\"" + folder + "\\Bootmarshal.exe\" /blocklist"));
    }
    std::string SwitchedOffCommand(const std::string& folder) {
        const std::string companion = folder + "\\inactive.exe";
        return (companion.find(' ') != std::string::npos ? "\"" + companion + "\"" : companion) +
               " C:\\Tools\\tray.exe /quiet";
    }

    void ExpectInstalled(HKEY root, const std::string& folder, const std::string& link, const char* version) {
        for (const char* file : kShipped) EXPECT_TRUE(FileExists(folder + "\\" + file)) << file;
        EXPECT_EQ(ReadRegString(root, kUninstallKey, "DisplayName"), "Bootmarshal");
        EXPECT_EQ(ReadRegString(root, kUninstallKey, "DisplayVersion"), version);
        EXPECT_EQ(ReadRegString(root, kUninstallKey, "Publisher"), "Veltmanix");
        EXPECT_EQ(ReadRegString(root, kUninstallKey, "UninstallString"), "\"" + folder + "\\uninstall.exe\"");
        EXPECT_EQ(ReadRegString(root, kUninstallKey, "DisplayIcon"), folder + "\\Bootmarshal.exe,0");
        EXPECT_EQ(ReadRegString(root, kUninstallKey, "InstallLocation"), folder);
        const DWORD sizeKb = ReadDword(root, kUninstallKey, "EstimatedSize");
        EXPECT_GT(sizeKb, 500u);
        EXPECT_LT(sizeKb, 5000u);
        std::cout << "installed size (EstimatedSize): " << sizeKb << " KiB\n";
        EXPECT_EQ(ShortcutTarget(link), folder + "\\Bootmarshal.exe");
    }

    void ExpectRemoved(HKEY root, const std::string& folder, const std::string& link) {
        for (const char* file : kShipped) {
            if (strcmp(file, "inactive.exe") != 0) {
                EXPECT_FALSE(FileExists(folder + "\\" + file)) << file;
            }
        }
        EXPECT_FALSE(KeyExists(root, kUninstallKey));
        EXPECT_FALSE(FileExists(link));
        EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, kRun, kBlockCheck).exists);
    }

    std::string machineFolder_, machineLink_, userLink_;
};

#ifndef BM_GERMAN_USER
TEST_F(InstallerTest, PerMachineKeepsDataAndTheCompanionOfAnEntryLeftSwitchedOff) {
    ASSERT_EQ(RunSetup(BM_SETUP, "/AllUsers"), 0);
    ExpectInstalled(HKEY_LOCAL_MACHINE, machineFolder_, machineLink_, BM_VERSION_TEXT);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
    EXPECT_TRUE(StartsAndEnds(ShortcutTarget(machineLink_)));

    UseProgram(machineFolder_);
    const std::string switchedOff = SwitchedOffCommand(machineFolder_);
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Switched off", switchedOff));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kProgramKey, "MainWindow", "40 30 900 720 1"));

    EXPECT_EQ(Uninstall(machineFolder_, ""), 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Veltmanix")) << "where the window was goes with the data kept";
    ExpectRemoved(HKEY_LOCAL_MACHINE, machineFolder_, machineLink_);
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRun, "Switched off"), switchedOff);
    EXPECT_TRUE(FileExists(machineFolder_ + "\\inactive.exe")) << "the switched-off entry still starts it";
    EXPECT_EQ(ReadFileBytes(DataFolder() + "\\Bootmarshal.list"), "C:\\Nag\\nag.exe\r\n");
    EXPECT_TRUE(FileExists(DataFolder() + "\\BootmarshalBackup.xml"));
}

TEST_F(InstallerTest, PerUserSwitchesEntriesOnAndRemovesEverything) {
    ASSERT_EQ(RunSetup(BM_SETUP, "/CurrentUser"), 0);
    const std::string folder = ReadRegString(HKEY_CURRENT_USER, kUninstallKey, "InstallLocation");
    EXPECT_EQ(folder, Folder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Bootmarshal");
    ExpectInstalled(HKEY_CURRENT_USER, folder, userLink_, BM_VERSION_TEXT);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(FileExists(machineLink_));
    EXPECT_TRUE(StartsAndEnds(ShortcutTarget(userLink_)));

    UseProgram(folder);
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Switched off", SwitchedOffCommand(folder)));
    const std::string startup = ReadRegString(HKEY_CURRENT_USER, kShellFolders, "Startup");
    testsupport::MakeFolders(startup);
    ASSERT_TRUE(testsupport::WritePlatformLink(startup + "\\Tray.lnk", folder + "\\inactive.exe", "C:\\tray2.exe"));

    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kProgramKey, "MainWindow", "40 30 900 720 0"));
    EXPECT_EQ(Uninstall(folder, "/SWITCHON /REMOVEDATA"), 0);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kProgramKey));
    ExpectRemoved(HKEY_CURRENT_USER, folder, userLink_);
    EXPECT_FALSE(FileExists(folder + "\\inactive.exe"));
    EXPECT_FALSE(FolderExists(folder)) << "nothing is left of the program folder";
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRun, "Switched off"), "C:\\Tools\\tray.exe /quiet");
    EXPECT_EQ(ShortcutTarget(startup + "\\Tray.lnk"), "C:\\tray2.exe");
    EXPECT_FALSE(FolderExists(DataFolder()));
    EXPECT_FALSE(FolderExists(Folder(CSIDL_LOCAL_APPDATA) + "\\Veltmanix"));
    DeleteFileA((startup + "\\Tray.lnk").c_str());
}

TEST_F(InstallerTest, UpgradeOverAnOlderVersionKeepsTheUsersData) {
    ASSERT_EQ(RunSetup(BM_OLDER_SETUP, "/AllUsers"), 0);
    ASSERT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion"), "2.4");
    UseProgram(machineFolder_);
    ASSERT_TRUE(WriteFileBytes(DataFolder() + "\\Bootmarshal.cho", "2.4"));

    // No mode given: the upgrade goes where the older version is.
    ASSERT_EQ(RunSetup(BM_SETUP, ""), 0);
    ExpectInstalled(HKEY_LOCAL_MACHINE, machineFolder_, machineLink_, BM_VERSION_TEXT);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUninstallKey));
    EXPECT_EQ(ReadFileBytes(DataFolder() + "\\Bootmarshal.list"), "C:\\Nag\\nag.exe\r\n");
    EXPECT_EQ(ReadFileBytes(DataFolder() + "\\BootmarshalBackup.xml"), "<backups/>\r\n");
    EXPECT_EQ(ReadFileBytes(DataFolder() + "\\Bootmarshal.cho"), "2.4") << "the new version asks for the language";
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRun, kBlockCheck),
              "\"" + machineFolder_ + "\\Bootmarshal.exe\" /blocklist");
}

TEST_F(InstallerTest, PerMachineKeepsTheCompanionWhenAnotherUserHasData) {
    ASSERT_EQ(RunSetup(BM_SETUP, "/AllUsers"), 0);
    const std::string profile = Folder(CSIDL_PROFILE);
    const std::string other = profile.substr(0, profile.rfind('\\')) + "\\someone-else";
    const std::string otherData = other + "\\AppData\\Local\\Veltmanix\\Bootmarshal";
    testsupport::MakeFolders(otherData);
    ASSERT_TRUE(WriteFileBytes(otherData + "\\Bootmarshal.list", ""));

    EXPECT_EQ(Uninstall(machineFolder_, "/SWITCHON"), 0);
    ExpectRemoved(HKEY_LOCAL_MACHINE, machineFolder_, machineLink_);
    EXPECT_TRUE(FileExists(machineFolder_ + "\\inactive.exe")) << "the other user's entries may start it";
    DeleteFolderTree(other);
    RemoveDirectoryA(other.c_str());
}

#endif  // BM_GERMAN_USER

// With BM_SCREENSHOT_DIR set (scripts/installer-screenshots.sh), each window
// clicked is saved there as <name>.bmp first, as the screen shows it.
void SaveScreenshot(HWND window, const std::string& name) {
    char folder[MAX_PATH] = {};
    if (GetEnvironmentVariableA("BM_SCREENSHOT_DIR", folder, MAX_PATH) == 0) return;
    testsupport::SaveWindowImage(window, std::string(folder) + "\\" + name + ".bmp");
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    if (window) GetWindowTextA(window, text, sizeof text);
    return text;
}

// Runs the command and answers whatever window it shows with the button that
// choose() names (0: none yet) until it ends; returns its exit code and fills
// seen with "caption|text" of each window answered: the page heading of a
// wizard page, the question of a message box.
using Chooser = int (*)(const std::string& caption, const std::string& text);
int ClickThrough(const std::string& commandLine, Chooser choose, std::vector<std::string>& seen,
                 const char* screenshotPrefix) {
    Program program = Program::Start(commandLine);
    if (!program.started()) return -1;
    for (int waited = 0; waited < 60000; waited += 400) {
        if (program.EndsWithin(400)) break;
        HWND window = FindVisibleWindow(nullptr, program.processId());
        if (!window) continue;
        const std::string caption = TextOf(window);
        const HWND question = GetDlgItem(window, 0xFFFF);                                 // a message box's text
        const std::string text = TextOf(question ? question : GetDlgItem(window, 1037));  // or the page heading
        const int id = choose(caption, text);
        HWND button = id ? GetDlgItem(window, id) : nullptr;
        if (button && IsWindowVisible(button) && IsWindowEnabled(button)) {
            SaveScreenshot(window, screenshotPrefix + std::to_string(seen.size()));
            seen.push_back(caption + "|" + text);
            PostMessageA(button, BM_CLICK, 0, 0);
        }
    }
    return program.WaitForExit(0);
}

#ifndef BM_GERMAN_USER
// The default button (OK, Next, Install, Finish) of every window.
TEST_F(InstallerTest, ClickingThroughThePagesInstallsForAllUsers) {
    std::vector<std::string> seen;
    const auto next = [](const std::string&, const std::string&) { return IDOK; };
    EXPECT_EQ(ClickThrough("\"" + WindowsPath(BM_SETUP) + "\"", next, seen, "setup-"), 0);
    // The language dialog, welcome, install mode, folder and finish pages.
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].substr(0, seen[0].find('|')), "Installer Language");
    EXPECT_NE(seen[2].find("|Choose Users"), std::string::npos) << seen[2];
    EXPECT_NE(seen[3].find("|Choose Install Location"), std::string::npos) << seen[3];
    ExpectInstalled(HKEY_LOCAL_MACHINE, machineFolder_, machineLink_, BM_VERSION_TEXT);
}

// The uninstaller's two questions answered by hand: delete the data, switch the
// entries back on.
TEST_F(InstallerTest, ClickingThroughTheUninstallAnswersItsQuestions) {
    ASSERT_EQ(RunSetup(BM_SETUP, "/CurrentUser"), 0);
    const std::string folder = ReadRegString(HKEY_CURRENT_USER, kUninstallKey, "InstallLocation");
    UseProgram(folder);
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Switched off", SwitchedOffCommand(folder)));
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string copy = std::string(temp) + "bm-uninstall-copy.exe";
    ASSERT_TRUE(CopyFileA((folder + "\\uninstall.exe").c_str(), copy.c_str(), FALSE));

    std::vector<std::string> seen;
    const auto answer = [](const std::string&, const std::string& text) {
        if (text.find("Keep your Bootmarshal data") != std::string::npos) return IDNO;
        if (text.find("switched off with Bootmarshal: 1.") != std::string::npos) return IDYES;
        return IDOK;  // Uninstall, Close
    };
    EXPECT_EQ(ClickThrough("\"" + copy + "\" _?=" + folder, answer, seen, "uninstall-"), 0);
    DeleteFileA(copy.c_str());
    // Confirmation page, the two questions, the finished page.
    std::string all;
    for (const std::string& window : seen) all += window + "\n";
    ASSERT_EQ(seen.size(), 4u) << all;
    EXPECT_NE(seen[1].find("Keep your Bootmarshal data"), std::string::npos) << all;
    EXPECT_NE(seen[2].find("switched off with Bootmarshal: 1."), std::string::npos) << all;
    ExpectRemoved(HKEY_CURRENT_USER, folder, userLink_);
    EXPECT_FALSE(FolderExists(folder));
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRun, "Switched off"), "C:\\Tools\\tray.exe /quiet");
    EXPECT_FALSE(FolderExists(DataFolder()));
}

#else

// Built as installer_german_test, run with a German LANG (Wine takes a
// process's user language from it): a German user meets the installer and the
// uninstaller in German without choosing: the language dialog proposes German, and the uninstaller asks its
// questions in the language of the installation.
TEST_F(InstallerTest, AGermanUserGetsGermanQuestions) {
    ASSERT_EQ(RunSetup(BM_SETUP, "/CurrentUser"), 0);
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kUninstallKey, "Installer Language"), "1031");
    const std::string folder = ReadRegString(HKEY_CURRENT_USER, kUninstallKey, "InstallLocation");
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Switched off", SwitchedOffCommand(folder)));
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string copy = std::string(temp) + "bm-uninstall-copy.exe";
    ASSERT_TRUE(CopyFileA((folder + "\\uninstall.exe").c_str(), copy.c_str(), FALSE));
    std::vector<std::string> seen;
    const auto keepAll = [](const std::string&, const std::string& text) {
        return text.find("Bootmarshal-Daten") != std::string::npos || text.find("Autostart") != std::string::npos
                   ? IDYES
                   : IDOK;
    };
    EXPECT_EQ(ClickThrough("\"" + copy + "\" _?=" + folder, keepAll, seen, "uninstall-de-"), 0);
    DeleteFileA(copy.c_str());
    std::string all;
    for (const std::string& window : seen) all += window + "\n";
    EXPECT_NE(all.find("Ihre Bootmarshal-Daten"), std::string::npos) << all;
    EXPECT_NE(all.find("Mit Bootmarshal ausgeschaltete Autostart-Eintr"), std::string::npos) << all;
}
#endif  // BM_GERMAN_USER

}  // namespace
