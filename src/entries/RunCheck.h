// Why an entry will not start at logon: its location is one Windows NT never
// starts, Windows' own switch is off, or its program file is not there. The
// rule is pure; the file system, the environment and the search folders come in
// as a ProgramLookup, which SystemProgramLookup() fills from this Windows (one
// per refresh: it remembers every file it looked for).
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "entries/StartupEntry.h"
#include "system/CommandSplit.h"

enum class NotRunReason {
    None,                     // nothing known against it (it may still be switched off by this program or another tool)
    NotStartedByWindowsNt,    // RunServices or RunServicesOnce (kinds 14, 15, 24, 25): only Windows 9x ran them
    SwitchedOffByWindows,     // Windows' own switch (Task Manager, Settings) is off
    ProgramMissing,           // the command's program file does not exist where Windows would look
    TaskDisabled,             // a scheduled task switched off in the Task Scheduler
    TaskTriggersDisabled,     // every logon and boot trigger of the task is switched off
    TaskForOtherAccounts,     // the task starts only at another account's logon
    PackagedTaskOffByPolicy,  // a packaged app's startup task that a policy keeps off
};

struct ProgramLookup {
    FileExistsFn fileExists;                                 // a file (not a folder) of that path exists
    std::function<std::string(const std::string&)> expand;   // environment strings expanded; identity when unset
    std::vector<std::string> searchFolders;                  // for a bare name, in order, each ending in '\'
    std::function<std::string(const std::string&)> appPath;  // App Paths' program for a file name, or empty
    FileExistsFn folderExists;  // a folder of that path exists (a link may open one); unset: none does
};

// The program part of the command as Windows would take it, environment strings
// expanded: the file found as CreateProcess finds it, a quoted path without its
// quotation marks, or else the whole command (no blank ends a program in it).
std::string ProgramOfCommand(const std::string& command, const ProgramLookup& lookup);
// Whether the command starts a program: the quoted part, or unquoted the text up
// to each blank in turn (as Windows tries them); a path as it stands (or with
// ".exe" added when it has no extension); a bare name (no folder) in App Paths,
// then in each search folder, as it stands or with .exe, .com, .bat or .cmd added.
bool ProgramExists(const std::string& command, const ProgramLookup& lookup);
// The file that command starts, found by the same rules; empty when there is none.
std::string ProgramFileOfCommand(const std::string& command, const ProgramLookup& lookup);
// The first reason in the order of the enum, or None. A Startup link whose
// target is an existing folder (its command is the folder alone) starts.
NotRunReason WhyNotRun(const StartupEntry& entry, const ProgramLookup& lookup);

// The reason as this Windows knows it: what the last listing read of a
// packaged app's startup task (a policy keeps it off), else WhyNotRun.
NotRunReason WhyEntryWillNotStart(const StartupEntry& entry, const ProgramLookup& lookup);

// The lookup of this Windows: ExpandEnvironmentStrings, the system folder, the
// Windows folder's System and itself, then every folder of PATH; App Paths of the
// user, then the machine. File answers are cached for the life of the lookup.
ProgramLookup SystemProgramLookup();
