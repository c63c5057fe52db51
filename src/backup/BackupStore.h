// The backup store: the one backup list of the run and its file
// "BootmarshalBackup.xml" in the data folder. The file is read once, at start,
// when a snapshot of all entries is added and the list is cut to the fifteen
// newest; from then on it is rewritten whenever the list changes.
//
// Saving replaces the file in one step (a crash or a full disk leaves the old
// or the new file, never a cut one). A file that cannot be read stops the
// start with an error and stays as it is; should the list be saved later in
// the same run, the unreadable file is first kept beside it as
// "BootmarshalBackup.unreadable.xml", so no snapshot of it is lost unseen.
#pragma once
#include <string>

#include "backup/SnapshotList.h"

class TXMLParser;

extern const char kBackupFileName[];            // "BootmarshalBackup.xml"
extern const char kUnreadableBackupFileName[];  // "BootmarshalBackup.unreadable.xml"

// The data folder's backup file.
std::string DefaultBackupFile();

class BackupStore {
public:
    // All file access goes through the parser (its Codec set by the owner). The
    // file is the data folder's backup file unless a test names another.
    explicit BackupStore(TXMLParser& parser, std::string backupFile = DefaultBackupFile());

    // The start of the store: load the file if it exists (else start with an
    // empty list), add the start-up snapshot, keep the fifteen newest. Any
    // fault of the file propagates: EXMLException for a file the reader does
    // not accept, EBackupFileError for other faults, EInOutError when it cannot
    // be read. The snapshot and the saves are then left out, so the file stays
    // untouched; the list holds the snapshots read completely before the fault.
    void StartBackups();
    // Reads the file and puts a new list in place. Throws as StartBackups.
    void LoadBackupFile();
    // Writes the list to the file, replacing it in one step. Throws EInOutError
    // when it cannot be written; the old file then stays, the list keeps its state.
    void SaveBackupFile();
    // A snapshot of all current entries, taken now, appended and saved.
    void AddSnapshot();
    // Newest first, the fifteen newest kept, saved.
    void TrimSnapshots();

    SnapshotList& List() { return backupList_; }
    const SnapshotList& List() const { return backupList_; }
    const std::string& BackupFile() const { return backupFile_; }
    // The file beside the backup file that keeps an unreadable one.
    std::string UnreadableFile() const;

private:
    TXMLParser& parser_;
    std::string backupFile_;
    SnapshotList backupList_;
    // The file on disk could not be read: keep it before the first save replaces it.
    bool fileUnreadable_ = false;
};

// Start-up's call: StartBackups on the store; an error it raises is answered as
// its message text (empty when the start went through), for the caller to show
// before it goes on.
std::string StartBackupsReportingError(BackupStore& store);
