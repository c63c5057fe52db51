// One interactive copy of the program per logon session. Two windows over the
// same block list and backup file would each write back what they read at
// their start, undoing the other's changes; a second start therefore brings the
// running copy to the front instead. Starts with a switch (the logon check,
// "/end", the copy with administrator rights, scripts) are never held back:
// they decide nothing here and call nothing of this.
#pragma once
#include <string>
#include <vector>

// True when this process is now the interactive copy (or the guard cannot be
// had, which must not keep the program from starting); false when another copy
// holds it.
bool ClaimSingleInstance();
// Lets go of the guard before the program starts itself again (after a
// language choice), so that the new copy is not sent back to this ending one.
void ReleaseSingleInstance();
// Shows the running copy's active window (restored when minimized) in front:
// the first visible top-level window of the classes given, in their order,
// that a process of this program's file name owns. False when there is none
// (the running copy may still be starting).
bool BringRunningInstanceToFront(const std::vector<std::string>& windowClasses);
