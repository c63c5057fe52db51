// One interactive copy of the program per logon session. Two windows over the
// same block list and backup file would each write back what they read at
// their start, undoing the other's changes; a second start therefore brings the
// running copy to the front instead. Starts with a switch (the logon check,
// "/end", the copy with administrator rights, scripts) are never held back:
// they decide nothing here and call nothing of this.
#pragma once

// True when this process is now the interactive copy (or the guard cannot be
// had, which must not keep the program from starting); false when another copy
// holds it.
bool ClaimSingleInstance();
// Lets go of the guard before the program starts itself again (after a
// language choice), so that the new copy is not sent back to this ending one.
void ReleaseSingleInstance();
// Shows the running copy's active window (restored when minimized) in front.
// False when no window of it can be found (it may still be starting).
bool BringRunningInstanceToFront();
