// Scheduled tasks that start a program at logon or at boot, as entries of the
// location kind kLogonTasks: one entry per task (its path the name, its first
// program action's command line the command), switched through the task's
// enabled flag, deleted through the Task Scheduler, never written anew.
#pragma once
#include <string>
#include <vector>

#include "entries/RunCheck.h"
#include "entries/StartupEntry.h"

// Why a listed task will not start at the next logon, from what the last
// listing read of it: disabled, every start trigger disabled, or started only
// by another account's logon; None when nothing is known against it (its
// program is checked like any other command).
NotRunReason WhyTaskWillNotStart(const StartupEntry& entry);

// Windows' own tasks live under "\Microsoft\".
bool IsWindowsTaskPath(const std::string& path);

// The names the current account goes by in a task's UserId: DOMAIN\user,
// user and its SID.
std::vector<std::string> OwnAccountNames();
