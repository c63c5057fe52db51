// The backup commands and the backup manager (window class "TRestoreForm"),
// which lists the snapshots of the backup store newest first, deletes one or
// restores one.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/win/WindowBase.h"

class BackupStore;

namespace ui {

// The run's backup store, started by the main window at its creation. The
// commands below do nothing until it is attached.
void AttachBackupStore(BackupStore* store);

// Takes a snapshot of all entries into the backup file, with the wait dialogs
// and the closing message.
void MakeBackup(HWND owner);
// Opens the backup manager modally. A restore replaces every autostart entry by
// the snapshot's; the caller refreshes its list afterwards.
void ManageBackups(HWND owner);

// ---- The work behind the commands, without windows -------------------------

// Appends a snapshot of all entries and saves. False, with the list as it was
// and the fault in error, when the file could not be written.
bool TakeSnapshot(BackupStore& store, std::string& error);

struct SnapshotDeletion {
    bool deleted = false;   // gone from the list and the file
    std::string error;      // why the file could not be saved; the list is then as before
    std::string keptAside;  // where an unreadable file went before it was replaced
};
// Deletes the snapshot at that position of the list from the file as it is now
// (another copy may have changed it). A position outside the list deletes
// nothing.
SnapshotDeletion DeleteSnapshot(BackupStore& store, size_t position);

struct RestoreReport {
    bool started = false;                 // false: nothing was touched
    std::string error;                    // why the undo snapshot could not be saved
    std::vector<std::string> notRemoved;  // "name  (place): why" of entries still there
    std::vector<std::string> notWritten;  // of the snapshot's entries not restored
    std::string keptAside;                // where an unreadable file went before the undo snapshot
    bool complete() const { return started && notRemoved.empty() && notWritten.empty(); }
};
// Replaces every autostart entry by the entries of the snapshot at that
// position, each switched off the way it was (entries/EntryRestore.h). First a
// snapshot of the current entries is added and saved, so the restore can itself
// be undone; if that fails nothing else happens. Failures to remove or write
// single entries are collected with their reason and the rest goes on; values
// that are not text are never removed. Then the logon check's own value is set
// again from the block list.
RestoreReport RestoreSnapshot(BackupStore& store, size_t position);

// ---- The dialog ---------------------------------------------------------------

class RestoreDialog : public WindowBase {
public:
    RestoreDialog();

    void Prepare(BackupStore& store);
    // Sorts the list newest first and fills the drop-down list; the newest is selected.
    void FillSnapshotList();
    void ApplyTexts();
    void DeleteSelected();
    void RestoreSelected();
    // Opens what changed since the selected snapshot; an entry brought back
    // there counts as restored.
    void CompareSelected();
    bool restored = false;

protected:
    void OnCreate() override;
    void OnCommand(int id, int code, HWND control) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnDpiChanged() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int SelectedPosition() const;
    void FitPromptFont();

    BackupStore* store_ = nullptr;
    gdi::Font promptFont_;
    gdi::Font listFont_;
};

RestoreDialog& TheRestoreDialog();

}  // namespace ui
