// The backup commands and the backup manager (window class "TRestoreForm"),
// which lists the snapshots of the backup store newest first, deletes one or
// restores one.
#pragma once
#include <windows.h>

class BackupStore;

// The run's backup store, started by the main window at its creation. The
// commands below do nothing until it is attached.
void AttachBackupStore(BackupStore* store);
BackupStore* AttachedBackupStore();

// Takes a snapshot of all entries into the backup file, with the wait dialogs
// and the closing message.
void MakeBackup(HWND owner);
// Opens the backup manager modally. A restore replaces every autostart entry by
// the snapshot's; the caller refreshes its list afterwards.
void ManageBackups(HWND owner);
