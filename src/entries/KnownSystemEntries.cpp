#include "entries/KnownSystemEntries.h"

#include "entries/ScheduledTasksFamily.h"

#include "system/DataFolder.h"
#include "system/TextCase.h"

namespace {

// Stands for the Windows directory among a rule's command texts.
const char kWindowsFolder[] = "\x01windows-folder";

struct StandardRule {
    const char* name;
    const char* commandParts[4];  // all must occur; nullptr ends the list
};

const StandardRule kStandardRules[] = {
    {"CTFMON.EXE", {"CTFMON.EXE", "SYSTEM32", kWindowsFolder}},
    {"H/PC Connection Agent", {"ActiveSync", "WCESCOMM.EXE"}},
    {"IntelliPoint", {"IntelliPoint", "point32.exe"}},
    {"ScanRegistry", {"scanregw.exe", kWindowsFolder}},
    {"TaskMonitor", {"taskmon.exe", kWindowsFolder}},
    {"PCHealth", {"PCHSchd.exe", "PCHealth", kWindowsFolder}},
    {"SystemTray", {"SysTray.Exe"}},
    {"LoadPowerProfile", {"Rundll32.exe powrprof.dll,LoadCurrentPwrScheme"}},
    {"Tweak UI", {"RUNDLL32.EXE TWEAKUI.CPL"}},
    {"SchedulingAgent", {"mstask.exe"}},
    {"StillImageMonitor", {"STIMON.EXE", "SYSTEM32", kWindowsFolder}},
    // The asterisk is part of the name, not a wildcard.
    {"*StateMgr", {"StateMgr.exe", "SYSTEM", "Restore", kWindowsFolder}},
};

bool Contains(const std::string& upperText, const std::string& part) {
    return upperText.find(UpperText(part)) != std::string::npos;
}

bool MatchesAny(const StartupEntry& entry, const std::string* windowsFolder) {
    if (entry.name.empty() || entry.command.empty()) return false;
    const std::string name = UpperText(entry.name);
    const std::string command = UpperText(entry.command);
    std::string folder;
    bool folderKnown = false;
    for (const StandardRule& rule : kStandardRules) {
        if (!Contains(name, rule.name)) continue;
        bool all = true;
        for (const char* part : rule.commandParts) {
            if (!part) break;
            if (part == kWindowsFolder) {
                if (!folderKnown) {
                    folder = windowsFolder ? *windowsFolder : WindowsFolder();
                    folderKnown = true;
                }
                all = Contains(command, folder);
            } else {
                all = Contains(command, part);
            }
            if (!all) break;
        }
        if (all) return true;
    }
    return false;
}

}  // namespace

// Windows' own scheduled tasks are known by their folder, whatever they start.
bool IsKnownSystemEntry(const StartupEntry& entry) {
    if (entry.kind == kLogonTasks) return IsWindowsTaskPath(entry.name);
    return MatchesAny(entry, nullptr);
}

bool IsKnownSystemEntryIn(const StartupEntry& entry, const std::string& windowsFolder) {
    if (entry.kind == kLogonTasks) return IsWindowsTaskPath(entry.name);
    return MatchesAny(entry, &windowsFolder);
}
