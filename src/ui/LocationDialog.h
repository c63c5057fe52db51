// The location dialog (window class "TLocationForm"): one radio button per
// kind of autostart place and a choice of registry hive. Modal over its owner.
#pragma once
#include <windows.h>

class StartupEntry;

// Move mode: moves the stored entry into the chosen location. Closing with the
// location unchanged (or by Esc or the title bar) writes nothing. A move the
// location refuses leaves the entry where it was and tells the user. True when
// the entry was moved; its kind is then the new one. An entry stored nowhere
// (kind 0, no line selected) is not moved and the dialog does not open.
bool RunLocationDialog(HWND owner, StartupEntry& entry);

// Choose-only mode, for an entry that is not stored yet: sets its kind to the
// chosen location and writes nothing. Esc and the title bar keep the kind.
// True when the kind changed.
bool ChooseLocation(HWND owner, StartupEntry& entry);
