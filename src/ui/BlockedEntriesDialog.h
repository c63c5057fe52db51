// The blocked-entries dialog (window class "TSperrenForm"): lists the block
// list and releases one line. Modal over its owner.
#pragma once
#include <windows.h>

class StartupEntry;

// currentEntry is the main window's selected entry (kind 0 for none). Releasing
// a line switches it on only when it is switched off and its command is the
// released line; no other entry changes. The caller refreshes its list afterwards.
void RunBlockedEntriesDialog(HWND owner, const StartupEntry& currentEntry);
