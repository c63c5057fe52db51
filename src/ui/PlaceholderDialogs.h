// PLACEHOLDERS for the dialogs that the main window opens and that are built
// separately: the entry editor, the location dialog, the backup commands with
// the restore dialog, the blocked-entries dialog and the information window.
// Each says in the message dialog that it comes later. The functions carry the
// names and arguments of the real ones, which replace this file as a whole.
#pragma once
#include <windows.h>

#include "entries/StartupEntry.h"

namespace ui {

// The entry editor on a copy of the entry; isNew for a new entry (kind 0).
void RunEntryEditor(HWND owner, const StartupEntry& entry, bool isNew);
// The location dialog in move mode on the entry.
void RunLocationDialog(HWND owner, const StartupEntry& entry);
// Takes a backup of every entry now.
void MakeBackup(HWND owner);
// The restore dialog: lists, deletes and restores backups.
void ManageBackups(HWND owner);
// Lists the block list and releases commands from it.
void RunBlockedEntriesDialog(HWND owner);
// The information window.
void ShowInfoWindow(HWND owner);

}  // namespace ui
