// Snapshots of all autostart entries and the list of them, and their form as an
// XML tree:
//
//   xml
//     list                      (written <list /> when there are no snapshots)
//       object                  one per snapshot; any element name reads back
//         datum                 the timestamp as date-and-time text
//         launcher0 .. launcherN-1
//           active  kind  name  command
//           valuetype       only where the value's type is not what its
//                           command suggests: "text", "expandtext", "nottext"
//           switchedoffby   only for an entry switched off by other means than
//                           this program's marker: "windows", "othertool"
//           encoding        "utf-8" for an entry whose name or command the ANSI
//                           code page cannot hold (see kUtf8KindOffset)
//
// Readers that know only the four first children of a launcher skip the other
// ones, and read the entry as an older version wrote it.
//
// Pure: the regional settings for the timestamps come in as data, and the file
// itself is the store's business (BackupStore.h).
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "backup/DateTimeText.h"
#include "entries/StartupEntry.h"
#include "system/Errors.h"

class TXMLTag;

// An entry whose name or command the user's ANSI code page cannot hold is
// stored in UTF-8, with its kind plus this offset (kinds 300 to 399). Versions
// before UTF-8 entries read every text in the code page and would restore such
// an entry under another name; they know no location of such a kind, so their
// restore refuses the entry instead. This version takes the offset off again.
constexpr int32_t kUtf8KindOffset = 300;
constexpr int32_t kUtf8KindLast = 399;

// A tree that does not make a backup list: a missing element, a timestamp that
// does not convert under the current regional settings, a kind that is no number.
enum class BackupFault { Unspecified, MissingElement, DateNotRegional, KindNotNumber, NoContent };

class EBackupFileError : public EAppError {
public:
    // The message names the file and the fault, for the user.
    EBackupFileError(const std::string& fileName, const std::string& fault);
    // Without a file name yet; the store adds it (WithFile).
    explicit EBackupFileError(const std::string& fault);
    // A fault the window layer words in the user's language: the kind and up to
    // two names it mentions (element and parent, the date, the kind and entry).
    EBackupFileError(BackupFault kind, const std::string& first, const std::string& second = std::string());
    EBackupFileError WithFile(const std::string& fileName) const;
    const std::string& Fault() const { return fault_; }
    BackupFault Kind() const { return kind_; }
    const std::string& First() const { return first_; }
    const std::string& Second() const { return second_; }
    // Empty until WithFile or the constructor with a file name.
    const std::string& FileName() const { return fileName_; }

private:
    std::string fault_;
    BackupFault kind_ = BackupFault::Unspecified;
    std::string first_, second_, fileName_;
};

// One snapshot: when it was taken and a copy of every entry, in the order in
// which the catalogue collected them.
class Snapshot {
public:
    LocalDateTime Timestamp;
    EntryList Entries;

    // Appends "datum" and one "launcher"N element per entry to the element.
    void WriteToXml(TXMLTag& element, const DateTimeFormats& formats) const;
    // Replaces the entries by those of a snapshot element. Element names match
    // with A to Z in any case; there must be a "datum" and "launcher"0 up to
    // one less than the number of element children, each with "active",
    // "kind", "name" and "command". Throws EBackupFileError otherwise. An
    // entry without "valuetype" gets the type its command suggests, one
    // switched off without "switchedoffby" counts as switched off by this
    // program, and values either child does not know read as if it were absent.
    void ReadFromXml(const TXMLTag& element, const DateTimeFormats& formats);
};

// What a backup file keeps of an entry's value type and of who switched it
// off, as a snapshot read back from the file holds them.
StoredValue RecordedValueType(const StartupEntry& entry);
SwitchedOffBy RecordedSwitchedOffBy(const StartupEntry& entry);
// The same snapshot as the file keeps it: the timestamp to the second, and
// every entry with all that the file keeps of it.
bool SameSnapshot(const Snapshot& a, const Snapshot& b);

// Exchanges two snapshots without copying their entries.
inline void swap(Snapshot& a, Snapshot& b) noexcept {
    std::swap(a.Timestamp, b.Timestamp);
    a.Entries.swap(b.Entries);
}

class SnapshotList {
public:
    std::vector<Snapshot> Snapshots;

    // Appends "list" to the parent and an "object" per snapshot to it.
    void WriteToXml(TXMLTag& parent, const DateTimeFormats& formats) const;
    // Replaces the snapshots by those under the element's first "list" (none
    // without one). On a fault the snapshots read completely before it stay in
    // the list, and EBackupFileError is thrown.
    void ReadFromXml(const TXMLTag& element, const DateTimeFormats& formats);
};

// Newest first, in place: passes of neighbour swaps (a pair is swapped when
// the first is earlier than the second), until a pass without a swap or 2000
// passes. Equal timestamps keep their order.
void SortSnapshots(std::vector<Snapshot>& snapshots);

// How many snapshots a start keeps.
constexpr size_t kSnapshotsKept = 15;

// The number reading of a kind text: optional leading spaces, then an optional
// sign and decimal digits, or hexadecimal digits after "$", "x" or "0x", and
// nothing else; the value must fit 32 bits.
bool ReadKindNumber(const std::string& text, int32_t& value);
