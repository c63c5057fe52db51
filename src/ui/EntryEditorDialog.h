// The entry editor (window class "TEditAddForm"): creates a new autostart entry
// or changes the name, command or location of a stored one. Modal over its owner.
#pragma once
#include <windows.h>

class StartupEntry;

// New mode (isNew, or an entry of kind 0): the entry starts in the common
// Startup folder with the placeholder name; saving writes it. Change mode: the
// entry is stored in the location of its kind; saving replaces it. The entry
// takes the saved name, command and kind. True when something was saved; a
// move made through the location button counts as well (the list then needs a
// refresh).
bool RunEntryEditor(HWND owner, StartupEntry& entry, bool isNew);
