// The backup store: the backup list of the run and its file
// "BootmarshalBackup.xml" in the data folder. The file is read at start, when a
// snapshot of all entries is added and the list is cut to the fifteen newest.
//
// Other copies of the program may change the same file at any time (a second
// window, the copy with administrator rights). So every change takes the file's
// lock (system/FileLock.h), reads the file again, applies only its own change
// (add this snapshot, delete that one, cut to the newest) to what the file
// holds now, and replaces the file in one step (a crash or a full disk leaves
// the old or the new file, never a cut one). The list in memory is then what
// the file holds.
//
// A file that cannot be read stops the start with an error and stays as it is.
// A file the reader refuses is never written over: should a later change save
// the list, the refused file is first kept beside it under a name of its own,
// "BootmarshalBackup.unreadable-<date>-<time>.xml" (with "-2", "-3", ... when
// that name is taken), so no snapshot of it is lost unseen.
#pragma once
#include <functional>
#include <stdexcept>
#include <string>

#include "backup/SnapshotList.h"

class TXMLParser;

extern const char kBackupFileName[];  // "BootmarshalBackup.xml"

// The data folder's backup file.
std::string DefaultBackupFile();

class BackupStore {
public:
    // All file access goes through the parser (its Codec set by the owner). The
    // file is the data folder's backup file unless a test names another.
    explicit BackupStore(TXMLParser& parser, std::string backupFile = DefaultBackupFile());

    // The start of the store: load the file if it exists (else start with an
    // empty list), add the start-up snapshot, keep the fifteen newest, save;
    // all under one lock. Any fault of the file propagates: EXMLException for
    // a file the reader does not accept, EBackupFileError for other faults,
    // EInOutError when it cannot be read. The snapshot and the save are then
    // left out, so the file stays untouched; the list holds the snapshots read
    // completely before the fault.
    void StartBackups();
    // The same with the snapshot of entries the caller has just read.
    void StartBackups(std::vector<StartupEntry> entries);
    // Reads the file and puts a new list in place. Throws as StartBackups.
    void LoadBackupFile();
    // Writes the list as it stands in place of the file's. Throws EInOutError
    // when it cannot be written; the old file then stays, as does the list.
    void SaveBackupFile();
    // A snapshot of all current entries, taken now, added to the file's list.
    void AddSnapshot();
    // The snapshot given, added to the file's list.
    void AddSnapshot(Snapshot snapshot);
    // Removes the first snapshot of the file's list that is the same as the one
    // given (SameSnapshot). False when the file no longer holds it (another copy
    // deleted it); nothing is written then.
    bool DeleteSnapshot(const Snapshot& shown);
    // The file's list newest first, the fifteen newest kept.
    void TrimSnapshots();
    // The changes above throw EInOutError when the file cannot be read, its
    // lock not had, or the new file not written; file and list then stay as
    // they were.

    SnapshotList& List() { return backupList_; }
    const SnapshotList& List() const { return backupList_; }
    const std::string& BackupFile() const { return backupFile_; }
    // Where the last change kept a file the reader refused before it replaced
    // it; empty when the change found a readable file (or none).
    const std::string& KeptAside() const { return keptAside_; }

private:
    // Under the lock: reads the file, applies the change to its list, and
    // replaces the file unless the change says there is nothing to write. A
    // file the reader refuses is kept aside first, or with refusalStops, the
    // refusal is thrown and nothing written.
    void ChangeFile(const std::function<bool(SnapshotList&)>& change, bool refusalStops = false);
    // The file's list (empty when there is no file); throws for a file that
    // cannot be read or is refused, with the snapshots read before the fault
    // in list.
    void ReadFile(SnapshotList& list);
    // Copies the file to a name no file has yet; its path.
    std::string KeepAside() const;

    TXMLParser& parser_;
    std::string backupFile_;
    SnapshotList backupList_;
    std::string keptAside_;
};

// Start-up's call: StartBackups on the store; an error it raises is answered as
// its message text (empty when the start went through), for the caller to show
// before it goes on.
std::string StartBackupsReportingError(BackupStore& store,
                                       const std::function<std::string(const std::exception&)>& describe = nullptr);
// The same with the snapshot of entries the caller has just read.
std::string StartBackupsReportingError(BackupStore& store, std::vector<StartupEntry> entries,
                                       const std::function<std::string(const std::exception&)>& describe);
