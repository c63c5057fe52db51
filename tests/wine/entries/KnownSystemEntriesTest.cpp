// The table of known system entries.
#include <gtest/gtest.h>

#include "LocationsFixture.h"

#include "entries/KnownSystemEntries.h"
#include "system/DataFolder.h"
#include "system/TextCase.h"

namespace {

using entrytest::AnEntry;

TEST(IsKnownSystemEntry, MatchesTheRulesOfTheTable) {
    struct Case {
        const char* name;
        const char* command;
        const char* windowsFolder;
        bool standard;
    } cases[] = {
        {"ctfmon.exe", "C:\\WINDOWS\\system32\\ctfmon.exe", "C:\\WINDOWS", true},
        {"ctfmon.exe", "C:\\WINDOWS\\system32\\ctfmon.exe", "C:\\WINNT", false},
        {"Text input", "C:\\WINDOWS\\system32\\ctfmon.exe", "C:\\WINDOWS", false},
        {"ctfmon.exe", "C:\\WINDOWS.OLD\\system32\\ctfmon.exe", "C:\\WINDOWS", true},  // a substring test too
        {"H/PC Connection Agent", "\"C:\\Program Files\\Microsoft ActiveSync\\wcescomm.exe\"", "C:\\WINDOWS", true},
        {"IntelliPoint", "\"C:\\Program Files\\Microsoft IntelliPoint\\point32.exe\"", "C:\\WINDOWS", true},
        {"ScanRegistry", "C:\\WINDOWS\\scanregw.exe /autorun", "C:\\WINDOWS", true},
        {"ScanRegistry", "D:\\OTHER\\scanregw.exe /autorun", "C:\\WINDOWS", false},
        {"TaskMonitor", "C:\\WINDOWS\\taskmon.exe", "C:\\WINDOWS", true},
        {"PCHealth", "C:\\WINDOWS\\PCHealth\\Support\\PCHSchd.exe -s", "C:\\WINDOWS", true},
        {"SYSTEMTRAY", "c:\\windows\\system\\systray.exe", "C:\\WINNT", true},  // no folder in rule 7
        {"LoadPowerProfile", "Rundll32.exe powrprof.dll,LoadCurrentPwrScheme", "C:\\WINDOWS", true},
        {"LoadPowerProfile", "Rundll32.exe  powrprof.dll,LoadCurrentPwrScheme", "C:\\WINDOWS", false},
        {"Tweak UI", "RUNDLL32.EXE TWEAKUI.CPL,TweakMeUp", "C:\\WINDOWS", true},
        {"SchedulingAgent", "mstask.exe", "C:\\WINDOWS", true},
        {"StillImageMonitor", "C:\\WINDOWS\\SYSTEM32\\STIMON.EXE", "C:\\WINDOWS", true},
        {"StillImageMonitor", "C:\\WINDOWS\\SYSTEM\\STIMON.EXE", "C:\\WINDOWS", false},
        {"*StateMgr", "C:\\WINDOWS\\system32\\Restore\\StateMgr.exe", "C:\\WINDOWS", true},
        {"StateMgr", "C:\\WINDOWS\\system32\\Restore\\StateMgr.exe", "C:\\WINDOWS", false},  // no wildcard
        {"My *StateMgr copy", "C:\\WINDOWS\\SYSTEM\\Restore\\StateMgr.exe", "C:\\WINDOWS", true},
        {"", "C:\\WINDOWS\\system32\\ctfmon.exe", "C:\\WINDOWS", false},
        {"ctfmon.exe", "", "C:\\WINDOWS", false},
        {"Other", "C:\\WINDOWS\\system32\\other.exe", "C:\\WINDOWS", false},
        // Letters beyond A-Z around the rule texts do not disturb the test.
        {"systemtray \xC3\xA4", "c:\\dir\xC3\xA4\\systray.exe", "C:\\WINDOWS", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsKnownSystemEntryIn(AnEntry(c.name, c.command), c.windowsFolder), c.standard)
            << c.name << " | " << c.command << " | " << c.windowsFolder;
    }
}

TEST(IsKnownSystemEntry, AsksTheSystemForTheWindowsFolderAndIgnoresFlagAndKind) {
    const std::string windows = WindowsFolder();
    EXPECT_TRUE(IsKnownSystemEntry(AnEntry("CTFMON.EXE", windows + "\\System32\\ctfmon.exe")));
    EXPECT_TRUE(IsKnownSystemEntry(AnEntry("CTFMON.EXE", windows + "\\System32\\ctfmon.exe").Kind(31).Active(0)));
    EXPECT_FALSE(IsKnownSystemEntry(AnEntry("CTFMON.EXE", "Q:\\elsewhere\\System32\\ctfmon.exe")));
    EXPECT_TRUE(IsKnownSystemEntry(AnEntry("ScanRegistry", UpperText(windows) + "\\SCANREGW.EXE")));
}

}  // namespace
