#include "backup/BackupStore.h"

#include <windows.h>

#include <cstdio>
#include <exception>
#include <utility>

#include "backup/LocaleFormats.h"
#include "entries/EntryCatalogue.h"
#include "system/AtomicFile.h"
#include "system/DataFolder.h"
#include "system/FileLock.h"
#include "system/Files.h"
#include "system/Utf8.h"
#include "xml/XmlParser.h"

const char kBackupFileName[] = "BootmarshalBackup.xml";

std::string DefaultBackupFile() { return DataFolder("Bootmarshal") + kBackupFileName; }

namespace {

void KeepNewestFifteen(SnapshotList& list) {
    SortSnapshots(list.Snapshots);
    if (list.Snapshots.size() > kSnapshotsKept) list.Snapshots.resize(kSnapshotsKept);
}

}  // namespace

BackupStore::BackupStore(TXMLParser& parser, std::string backupFile)
    : parser_(parser), backupFile_(std::move(backupFile)) {}

void BackupStore::ReadFile(SnapshotList& list) {
    list = SnapshotList();
    // Only a path that holds nothing means an empty list; a folder in the
    // file's place cannot be read.
    if (GetFileAttributesW(WideFromUtf8(backupFile_).c_str()) == INVALID_FILE_ATTRIBUTES) return;
    TXMLTag root;
    if (!parser_.LoadFromFile(backupFile_, &root)) {
        throw EBackupFileError(BackupFault::NoContent, std::string()).WithFile(backupFile_);
    }
    const TXMLTag* xml = root.Items.FindTag("xml");
    if (!xml) throw EBackupFileError(BackupFault::MissingElement, "xml").WithFile(backupFile_);
    try {
        list.ReadFromXml(*xml, UserDateTimeFormats());
    } catch (const EBackupFileError& fault) {
        throw fault.WithFile(backupFile_);
    }
}

void BackupStore::ChangeFile(const std::function<bool(SnapshotList&)>& change, bool refusalStops) {
    const DataFileLock lock(backupFile_);
    if (!lock.held()) throw EInOutError(FileFault::Open, backupFile_ + ".lock", ERROR_LOCK_VIOLATION);
    SnapshotList list;
    // A file the reader refused, as against one that could not be read at all.
    std::exception_ptr refusal;
    try {
        ReadFile(list);
    } catch (const EXMLException&) {
        refusal = std::current_exception();
    } catch (const EBackupFileError&) {
        refusal = std::current_exception();
    } catch (...) {
        // Not even read: the file stays, and the list shows what came before the fault.
        if (refusalStops) backupList_ = std::move(list);
        throw;
    }
    const bool refused = refusal != nullptr;
    if (refused && refusalStops) {
        backupList_ = std::move(list);
        std::rethrow_exception(refusal);
    }
    keptAside_.clear();
    if (!change(list)) {
        backupList_ = std::move(list);
        return;
    }
    TXMLTag xml(nullptr, "xml");
    list.WriteToXml(xml, UserDateTimeFormats());
    const std::string bytes = parser_.SaveToText(&xml, true, true);
    const std::string aside = refused ? KeepAside() : std::string();
    if (!ReplaceFileAtomically(backupFile_, bytes)) {
        throw EInOutError(FileFault::Create, backupFile_, GetLastError());
    }
    backupList_ = std::move(list);
    keptAside_ = aside;
}

std::string BackupStore::KeepAside() const {
    // "<folder>\<name>.unreadable-<date>-<time>[-<n>]<extension>" beside the file.
    const size_t slash = backupFile_.find_last_of("\\/");
    const size_t dot = backupFile_.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    const std::string stem = hasExtension ? backupFile_.substr(0, dot) : backupFile_;
    const std::string extension = hasExtension ? backupFile_.substr(dot) : std::string();
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04u-%02u-%02u-%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute);
    for (int counter = 1; counter < 10000; ++counter) {
        const std::string aside =
            stem + ".unreadable-" + stamp + (counter > 1 ? "-" + std::to_string(counter) : std::string()) + extension;
        // Never over another kept file: each holds snapshots of its own.
        if (CopyFileW(WideFromUtf8(backupFile_).c_str(), WideFromUtf8(aside).c_str(), TRUE)) return aside;
        const DWORD reason = GetLastError();
        if (reason != ERROR_FILE_EXISTS && reason != ERROR_ALREADY_EXISTS) {
            throw EInOutError(FileFault::Create, aside, reason);
        }
    }
    throw EInOutError(FileFault::Create, stem + ".unreadable-" + stamp + extension, ERROR_FILE_EXISTS);
}

void BackupStore::StartBackups() { StartBackups(CollectAllEntries()); }

void BackupStore::StartBackups(std::vector<StartupEntry> entries) {
    ChangeFile(
        [&entries](SnapshotList& list) {
            Snapshot snapshot;
            snapshot.Timestamp = CurrentLocalDateTime();
            snapshot.Entries = std::move(entries);
            list.Snapshots.push_back(std::move(snapshot));
            KeepNewestFifteen(list);
            return true;
        },
        true);
}

void BackupStore::LoadBackupFile() {
    // Read under the lock as well: an open reader would make another copy's
    // replacement of the file fail.
    const DataFileLock lock(backupFile_);
    SnapshotList list;
    try {
        ReadFile(list);
    } catch (...) {
        backupList_ = std::move(list);
        throw;
    }
    backupList_ = std::move(list);
}

void BackupStore::SaveBackupFile() {
    const SnapshotList wanted = backupList_;
    ChangeFile([&](SnapshotList& list) {
        list = wanted;
        return true;
    });
}

void BackupStore::AddSnapshot() {
    Snapshot snapshot;
    snapshot.Timestamp = CurrentLocalDateTime();
    snapshot.Entries = CollectAllEntries();
    AddSnapshot(std::move(snapshot));
}

void BackupStore::AddSnapshot(Snapshot snapshot) {
    ChangeFile([&](SnapshotList& list) {
        list.Snapshots.push_back(std::move(snapshot));
        return true;
    });
}

bool BackupStore::DeleteSnapshot(const Snapshot& shown) {
    bool found = false;
    ChangeFile([&](SnapshotList& list) {
        for (auto it = list.Snapshots.begin(); it != list.Snapshots.end(); ++it) {
            if (!SameSnapshot(*it, shown)) continue;
            list.Snapshots.erase(it);
            found = true;
            break;
        }
        return found;
    });
    return found;
}

void BackupStore::TrimSnapshots() {
    ChangeFile([](SnapshotList& list) {
        KeepNewestFifteen(list);
        return true;
    });
}

std::string StartBackupsReportingError(BackupStore& store,
                                       const std::function<std::string(const std::exception&)>& describe) {
    return StartBackupsReportingError(store, CollectAllEntries(), describe);
}

std::string StartBackupsReportingError(BackupStore& store, std::vector<StartupEntry> entries,
                                       const std::function<std::string(const std::exception&)>& describe) {
    try {
        store.StartBackups(std::move(entries));
    } catch (const std::exception& error) {
        return describe ? describe(error) : error.what();
    }
    return std::string();
}
