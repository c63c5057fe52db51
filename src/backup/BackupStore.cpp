#include "backup/BackupStore.h"

#include <windows.h>

#include <utility>

#include "backup/LocaleFormats.h"
#include "entries/EntryCatalogue.h"
#include "system/AtomicFile.h"
#include "system/DataFolder.h"
#include "system/Files.h"
#include "xml/XmlParser.h"

const char kBackupFileName[] = "BootmarshalBackup.xml";
const char kUnreadableBackupFileName[] = "BootmarshalBackup.unreadable.xml";

std::string DefaultBackupFile() { return DataFolder("Bootmarshal") + kBackupFileName; }

BackupStore::BackupStore(TXMLParser& parser, std::string backupFile)
    : parser_(parser), backupFile_(std::move(backupFile)) {}

std::string BackupStore::UnreadableFile() const {
    const size_t slash = backupFile_.find_last_of("\\/");
    const std::string folder = slash == std::string::npos ? std::string() : backupFile_.substr(0, slash + 1);
    return folder + kUnreadableBackupFileName;
}

void BackupStore::StartBackups() {
    if (FileExists(backupFile_)) {
        LoadBackupFile();
    } else {
        backupList_ = SnapshotList();
    }
    AddSnapshot();
    TrimSnapshots();
}

void BackupStore::LoadBackupFile() {
    // Until the whole file has been read, it counts as one that a save must not
    // overwrite without keeping it.
    fileUnreadable_ = true;
    TXMLTag root;
    if (!parser_.LoadFromFile(backupFile_, &root)) {
        throw EBackupFileError(BackupFault::NoContent, std::string()).WithFile(backupFile_);
    }
    const TXMLTag* xml = root.Items.FindTag("xml");
    if (!xml) throw EBackupFileError(BackupFault::MissingElement, "xml").WithFile(backupFile_);
    backupList_ = SnapshotList();
    try {
        backupList_.ReadFromXml(*xml, UserDateTimeFormats());
    } catch (const EBackupFileError& fault) {
        throw fault.WithFile(backupFile_);
    }
    fileUnreadable_ = false;
}

void BackupStore::SaveBackupFile() {
    TXMLTag xml(nullptr, "xml");
    backupList_.WriteToXml(xml, UserDateTimeFormats());
    const std::string bytes = parser_.SaveToText(&xml, true, true);
    if (fileUnreadable_ && FileExists(backupFile_)) {
        if (!CopyFileA(backupFile_.c_str(), UnreadableFile().c_str(), FALSE)) {
            throw EInOutError(FileFault::Create, UnreadableFile(), GetLastError());
        }
    }
    fileUnreadable_ = false;
    if (!ReplaceFileAtomically(backupFile_, bytes)) {
        throw EInOutError(FileFault::Create, backupFile_, GetLastError());
    }
}

void BackupStore::AddSnapshot() {
    Snapshot snapshot;
    snapshot.Timestamp = CurrentLocalDateTime();
    snapshot.Entries = CollectAllEntries();
    backupList_.Snapshots.push_back(std::move(snapshot));
    SaveBackupFile();
}

void BackupStore::TrimSnapshots() {
    SortSnapshots(backupList_.Snapshots);
    SnapshotList kept;
    for (size_t i = 0; i < backupList_.Snapshots.size() && i < kSnapshotsKept; ++i) {
        kept.Snapshots.push_back(std::move(backupList_.Snapshots[i]));
    }
    backupList_ = std::move(kept);
    SaveBackupFile();
}

std::string StartBackupsReportingError(BackupStore& store,
                                       const std::function<std::string(const std::exception&)>& describe) {
    try {
        store.StartBackups();
    } catch (const std::exception& error) {
        return describe ? describe(error) : error.what();
    }
    return std::string();
}
