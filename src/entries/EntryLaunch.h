// Starting an entry now, as a user asks for it: through its link when the
// entry is a link that starts its program, otherwise its program found as
// CreateProcess finds it, handed to the shell apart from its arguments and
// started in its own folder. A REG_EXPAND_SZ entry's %name% references are
// expanded first, as Windows expands them at logon.
#pragma once
#include <windows.h>

#include <string>

#include "entries/StartupEntry.h"

enum class LaunchFailure {
    None,
    NoProgram,      // the entry holds no command (or a value that is not text)
    FileNotFound,   // no blank of the command ends an existing file, or the shell found none
    PathNotFound,   // a folder of the path does not exist
    AccessDenied,   // the file or its folder may not be read or run
    NoAssociation,  // no program is registered to open the file
    NotAProgram,    // the file is no program this Windows starts
    Cancelled,      // the user declined (an elevation prompt, for example)
    Other,          // anything else: error holds the platform's code
};

// What the shell is handed. file is the link file or the program; empty when
// there is nothing to start (failure says why).
struct LaunchPlan {
    std::string file;
    std::string parameters;
    std::string directory;  // empty: the link's own working folder
    LaunchFailure failure = LaunchFailure::None;
};

struct LaunchResult {
    bool started = false;
    LaunchFailure failure = LaunchFailure::None;
    unsigned long error = 0;  // the platform's code behind failure (GetLastError or SE_ERR_*), 0 when none
    std::string file;         // what was started or looked for
};

// How the entry is started; nothing is started yet.
LaunchPlan PlanLaunch(const StartupEntry& entry);

// Starts the entry (ShellExecuteExW, with no error window of the shell's own:
// the caller reports the failure). owner: the window any prompt of the shell
// belongs to. process, when given, receives the started process's handle (the
// caller closes it), or nullptr when the shell gave none.
LaunchResult LaunchEntry(const StartupEntry& entry, HWND owner = nullptr, HANDLE* process = nullptr);

// The failure a platform error code of a failed start stands for.
LaunchFailure LaunchFailureOf(unsigned long error);
