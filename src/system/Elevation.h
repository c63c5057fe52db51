// Administrator rights: whether this process has them, enabling one of its
// privileges, and starting the program again with them through the shell's
// "runas" verb (Windows then asks the user, and with a standard account for an
// administrator's password).
#pragma once
#include <string>

// The process token is elevated (or, on a Windows without UAC, the user is
// an administrator: the token then says elevated too).
bool IsProcessElevated();

// The same, asked once per process, as the windows ask it (the shield on
// commands, the offer to start again with the rights). Every process of a
// Wine prefix has full rights: while the seam is set, the program sees itself
// without them.
bool RunsElevated();
void SetNotElevatedForTests(bool notElevated);

// Enables a privilege ("SeShutdownPrivilege", ...) in the process's own access
// token; true on success.
bool EnablePrivilege(const char* privilegeName);

// The switch the elevated copy is started with, so its start-up can set the
// machine-wide mode (the copy may run as another account).
inline constexpr char kMachineWideSwitch[] = "/machinewide";

enum class ElevatedStart {
    Started,    // the copy runs; this one may end
    Cancelled,  // the user said no to the rights prompt
    Failed,     // it could not be started
};
// Starts this executable again with administrator rights and the arguments
// (by default the machine-wide switch). Never waits for it.
ElevatedStart StartElevatedCopy(const std::string& arguments = kMachineWideSwitch);

// Test seam: what starts the copy. It gets the executable and the arguments
// and answers as StartElevatedCopy does. Null restores the shell's "runas".
using ElevatedStarter = ElevatedStart (*)(const std::string& program, const std::string& arguments);
void SetElevatedStarterForTests(ElevatedStarter starter);
