// What a scheduled task's XML definition says about logon: its triggers that
// fire at a logon or at boot, its program actions, whether it is enabled and
// whose account it runs under. Read from the definition the Task Scheduler
// keeps (http://schemas.microsoft.com/windows/2004/02/mit/task), since its
// trigger collections are not there on every Windows that runs this.
#pragma once
#include <string>
#include <vector>

struct TaskStartTrigger {
    bool boot = false;    // a BootTrigger; else a LogonTrigger
    bool enabled = true;  // its own Enabled
    std::string userId;   // a logon trigger's UserId: empty for any user
};

struct TaskProgramAction {
    std::string command;  // as stored: may hold %name% references and blanks unquoted
    std::string arguments;
    std::string workingDirectory;
};

struct TaskDefinition {
    bool enabled = true;                            // Settings\Enabled
    std::vector<TaskStartTrigger> startTriggers;    // logon and boot, in their order
    std::vector<TaskProgramAction> programActions;  // Exec actions, in their order
    std::string principalUserId;                    // the account it runs under; empty when the definition names none
};

// False when the text is no task definition (or XmlLite cannot read it).
bool ReadTaskDefinition(const std::wstring& xml, TaskDefinition& definition);

// The command line Windows builds from a program action: the program quoted
// where it holds a blank and is not quoted yet, then the arguments.
std::string TaskCommandLine(const TaskProgramAction& action);

// The task starts something at logon or boot: a start trigger and a program action.
bool StartsAtLogon(const TaskDefinition& definition);
// Every start trigger is switched off.
bool AllStartTriggersDisabled(const TaskDefinition& definition);
// Every enabled start trigger is a logon trigger of another account than the
// one whose names (DOMAIN\user, user, SID, compared ignoring case) are given;
// false when there is no enabled start trigger.
bool StartsOnlyForOthers(const TaskDefinition& definition, const std::vector<std::string>& ownNames);
