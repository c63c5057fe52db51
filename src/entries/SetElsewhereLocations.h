// Values that start programs at logon but belong to someone else: the Run key
// of the Explorer policies (machine in both views, and the user's), which Group
// Policy writes, and Winlogon's Shell and Userinit (machine and user), which
// Windows' logon reads. They are listed so that the list holds everything the
// next logon starts, and never changed here.
#pragma once
#include <string>

#include "entries/StartupEntry.h"

// Every entry of such a kind: one per string value of the policy key; Shell and
// Userinit of Winlogon only when they hold more than Windows' own programs.
EntryList ListSetElsewhereEntries(int32_t kind);
// "HKEY_CURRENT_USER\..." or "HKEY_LOCAL_MACHINE\..." of such a kind; empty for
// any other kind.
std::string SetElsewherePath(int32_t kind);
// Asks the watcher to notice changes of such a kind's key.
class LocationWatcher;
void WatchSetElsewhereKey(int32_t kind, LocationWatcher& watcher);

// Whether a Winlogon value holds only what Windows puts there itself: Shell
// "explorer.exe", Userinit "<Windows folder>\system32\userinit.exe," (the
// folder also as %SystemRoot% or %windir%, case and the trailing comma aside).
bool IsWindowsOwnWinlogonValue(const std::string& name, const std::string& text, const std::string& windowsFolder);
// What Userinit starts besides Windows' own userinit.exe: its other parts, one
// comma between them; the text itself for any other value.
std::string WinlogonExtra(const std::string& name, const std::string& text, const std::string& windowsFolder);
