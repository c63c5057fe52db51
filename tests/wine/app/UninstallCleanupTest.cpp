// The uninstaller's cleanup run of the real program: entries switched off by this
// copy are counted, switched back on on request, and the answer tells whether
// anything still starts the companion; entries of another copy, active entries
// and another copy's logon-check value are left alone.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include "entries/ShellLink.h"
#include "support/WineTestSupport.h"
#include "system/RegistryValues.h"

using testsupport::ProductPath;
using testsupport::RunProcess;

namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kWinIni[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const char kBlockCheck[] = "Bootmarshal Block-check";

class UninstallCleanupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        companion_ = ProductPath("inactive.exe");
        userStartup_ = ReadRegString(HKEY_CURRENT_USER, kShellFolders, "Startup") + "\\";
        testsupport::MakeFolders(userStartup_.substr(0, userStartup_.size() - 1));
        // This copy's marker in every form it can have been written in.
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Plain", companion_ + " C:\\plain.exe /a"));
        ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kRun, "Quoted", "\"" + companion_ + "\" C:\\quoted.exe"));
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Lower", AnsiLower(companion_) + " C:\\lower.exe"));
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kWinIni, "load", companion_ + " C:\\ini.exe;C:\\keep.exe"));
        // Parked as earlier versions parked it: the program is found again
        // because it exists (Bootmarshal never guesses where it ends).
        ASSERT_TRUE(testsupport::WriteFileBytes("C:\\linked.exe", "MZ"));
        ASSERT_TRUE(testsupport::WritePlatformLink(userStartup_ + "Linked.lnk", companion_, "C:\\linked.exe -x"));
        // Not this copy's: another copy's companion, and an active entry.
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Elsewhere", "C:\\Other\\inactive.exe C:\\else.exe"));
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Active", "C:\\active.exe"));
    }
    void TearDown() override { CoUninitialize(); }

    static std::string AnsiLower(std::string text) {
        CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
        return text;
    }
    int Cleanup(const std::string& options) {
        return RunProcess("\"" + ProductPath("Bootmarshal.exe") + "\" /uninstall-cleanup" + options);
    }
    std::string LinkCommand(const std::string& name) {
        ShellLink link;
        if (!link.LoadLink(userStartup_ + name + ".lnk")) return "(none)";
        return link.Fields().Path + " " + link.Fields().Arguments;
    }
    std::string companion_;
    std::string userStartup_;
};

TEST_F(UninstallCleanupTest, CountsOwnSwitchedOffEntriesAndChangesNothing) {
    ASSERT_TRUE(
        WriteRegString(HKEY_CURRENT_USER, kRun, kBlockCheck, "\"" + ProductPath("Bootmarshal.exe") + "\" /blocklist"));
    EXPECT_EQ(Cleanup(" /count"), 5);
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRun, "Plain"), companion_ + " C:\\plain.exe /a");
    EXPECT_EQ(LinkCommand("Linked"), companion_ + " C:\\linked.exe -x");
    EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, kRun, kBlockCheck).empty());
}

TEST_F(UninstallCleanupTest, KeepingThemOffReportsThatTheCompanionIsStillNeeded) {
    ASSERT_TRUE(
        WriteRegString(HKEY_CURRENT_USER, kRun, kBlockCheck, "\"" + ProductPath("Bootmarshal.exe") + "\" /blocklist"));
    EXPECT_EQ(Cleanup(""), 5);
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kRun, "Quoted"), "\"" + companion_ + "\" C:\\quoted.exe");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kWinIni, "load"), companion_ + " C:\\ini.exe;C:\\keep.exe");
    EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, kRun, kBlockCheck).exists) << "this copy's logon check goes with it";
}

TEST_F(UninstallCleanupTest, SwitchingOnLeavesNothingStartingTheCompanion) {
    const std::string otherCheck = "\"C:\\Other\\Bootmarshal.exe\" /blocklist";
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, kBlockCheck, otherCheck));
    EXPECT_EQ(Cleanup(" /switch-on"), 0);
    // Each entry's own command comes back exactly as it was behind the marker.
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRun, "Plain"), "C:\\plain.exe /a");
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kRun, "Quoted"), "C:\\quoted.exe");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRun, "Lower"), "C:\\lower.exe");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kWinIni, "load"), "C:\\keep.exe;C:\\ini.exe");
    EXPECT_EQ(LinkCommand("Linked"), "C:\\linked.exe -x");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRun, "Elsewhere"), "C:\\Other\\inactive.exe C:\\else.exe");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRun, "Active"), "C:\\active.exe");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRun, kBlockCheck), otherCheck) << "another copy's logon check stays";
    EXPECT_EQ(Cleanup(" /count"), 0);
}

}  // namespace
