#include "backup/SnapshotList.h"

#include <map>
#include <utility>

#include "entries/CommandText.h"
#include "entries/LocationKinds.h"
#include "system/CodePageText.h"
#include "system/TextCase.h"
#include "xml/XmlTree.h"

namespace {

// The German wording, kept as the message when no window words it anew.
std::string FaultText(BackupFault kind, const std::string& first, const std::string& second) {
    switch (kind) {
        case BackupFault::MissingElement:
            if (second.empty()) return "es fehlt das Element \"" + first + "\"";
            return "in \"" + second + "\" fehlt das Element \"" + first + "\"";
        case BackupFault::DateNotRegional:
            return "das Datum \"" + first + "\" passt nicht zu den L\xE4ndereinstellungen";
        case BackupFault::KindNotNumber:
            return "\"" + first + "\" in \"" + second + "\" ist keine Zahl";
        case BackupFault::NoContent:
            return "nach der XML-Deklaration folgt kein lesbarer Inhalt";
        case BackupFault::Unspecified:
            break;
    }
    return first;
}

std::string FaultMessage(const std::string& fileName, const std::string& fault) {
    return "\"" + fileName + "\" ist keine g\xFCltige Backup-Datei: " + fault;
}

const TXMLTag& RequiredChild(const TXMLTag& element, const char* name) {
    const TXMLTag* child = element.Items.FindTag(name);
    if (!child) {
        throw EBackupFileError(BackupFault::MissingElement, name, element.Name);
    }
    return *child;
}

const char* ValueTypeText(StoredValue stored) {
    switch (stored) {
        case StoredValue::Text:
            return "text";
        case StoredValue::ExpandText:
            return "expandtext";
        case StoredValue::NotText:
            return "nottext";
    }
    return "text";
}

// The type a value gets when nothing says otherwise: what a new value of that
// command would get. Files of older versions hold no type, and what they
// restore has always been typed so.
StoredValue SuggestedValueType(const StartupEntry& entry) {
    const LocationKindRow* row = FindLocationKind(entry.kind);
    const bool registry = row && row->family == LocationFamilyId::RegistryValues;
    return registry && HoldsEnvironmentReference(entry.command) ? StoredValue::ExpandText : StoredValue::Text;
}

// The child's text as its element names are compared: A to Z in any case.
bool ChildSays(const TXMLTag* child, const char* word) {
    return child && AsciiUpper(child->Text()) == AsciiUpper(word);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

EBackupFileError::EBackupFileError(const std::string& fileName, const std::string& fault)
    : EAppError(FaultMessage(fileName, fault)), fault_(fault), fileName_(fileName) {}

EBackupFileError::EBackupFileError(const std::string& fault) : EAppError(fault), fault_(fault) {}

EBackupFileError::EBackupFileError(BackupFault kind, const std::string& first, const std::string& second)
    : EBackupFileError(FaultText(kind, first, second)) {
    kind_ = kind;
    first_ = first;
    second_ = second;
}

EBackupFileError EBackupFileError::WithFile(const std::string& fileName) const {
    EBackupFileError withFile(fileName, fault_);
    withFile.kind_ = kind_;
    withFile.first_ = first_;
    withFile.second_ = second_;
    return withFile;
}

bool ReadKindNumber(const std::string& text, int32_t& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const std::string rest = text.substr(i);
    size_t start = 0;
    bool hex = false;
    bool negative = false;
    if (!rest.empty() && rest[0] == '$') {
        hex = true;
        start = 1;
    } else if (!rest.empty() && (rest[0] == 'x' || rest[0] == 'X')) {
        hex = true;
        start = 1;
    } else if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
        hex = true;
        start = 2;
    } else if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        negative = rest[0] == '-';
        start = 1;
    }
    if (start >= rest.size()) return false;
    uint64_t magnitude = 0;
    for (size_t k = start; k < rest.size(); ++k) {
        const int digit = hex ? HexDigit(rest[k]) : (rest[k] >= '0' && rest[k] <= '9' ? rest[k] - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    if (hex) {
        value = static_cast<int32_t>(static_cast<uint32_t>(magnitude));
        return true;
    }
    if (negative ? magnitude > 0x80000000ull : magnitude > 0x7FFFFFFFull) return false;
    value = negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude)) : static_cast<int32_t>(magnitude);
    return true;
}

void Snapshot::WriteToXml(TXMLTag& element, const DateTimeFormats& formats) const {
    // The date's month and day names stay in the ANSI code page, as older versions read them.
    const std::string datum = DateTimeToText(Timestamp, formats);
    std::string datumInCodePage;
    new TXMLTag(&element, "datum", AnsiFromUtf8(datum, datumInCodePage) ? datumInCodePage : datum);
    for (size_t i = 0; i < Entries.size(); ++i) {
        const StartupEntry& entry = Entries[i];
        TXMLTag* launcher = new TXMLTag(&element, "launcher" + std::to_string(i));
        new TXMLTag(launcher, "active", entry.active ? "true" : "false");
        new TXMLTag(launcher, "kind", std::to_string(entry.kind));
        // Older versions read these texts in the user's ANSI code page: an
        // entry that fits it is written so; another one keeps its UTF-8 and
        // says so in an extra child.
        std::string name, command;
        const bool ansi = AnsiFromUtf8(entry.name, name) && AnsiFromUtf8(entry.command, command);
        new TXMLTag(launcher, "name", ansi ? name : entry.name);
        new TXMLTag(launcher, "command", ansi ? command : entry.command);
        const StoredValue stored = RecordedValueType(entry);
        if (stored != SuggestedValueType(entry)) new TXMLTag(launcher, "valuetype", ValueTypeText(stored));
        switch (RecordedSwitchedOffBy(entry)) {
            case SwitchedOffBy::Windows:
                new TXMLTag(launcher, "switchedoffby", "windows");
                break;
            case SwitchedOffBy::OtherTool:
                new TXMLTag(launcher, "switchedoffby", "othertool");
                break;
            case SwitchedOffBy::Nobody:
            case SwitchedOffBy::ThisProgram:
                break;
        }
        if (!ansi) new TXMLTag(launcher, "encoding", "utf-8");
    }
}

void Snapshot::ReadFromXml(const TXMLTag& element, const DateTimeFormats& formats) {
    Entries.clear();
    const std::string datum = Utf8FromAnsi(RequiredChild(element, "datum").Text());
    if (!TextToDateTime(datum, formats, Timestamp)) {
        throw EBackupFileError(BackupFault::DateNotRegional, datum);
    }
    // The first element child of each name, for the numbered lookups below.
    const int count = element.Items.TagCount();
    std::map<std::string, const TXMLTag*> firstByName;
    for (int i = 0; i < count; ++i) {
        const TXMLTag* child = element.Items.Tag(i);
        // Element names as the tree compares them: A to Z folded, other bytes exact.
        firstByName.emplace(AsciiUpper(child->Name), child);
    }
    for (int i = 0; i + 1 < count; ++i) {
        const std::string name = "launcher" + std::to_string(i);
        const auto found = firstByName.find(AsciiUpper(name));
        if (found == firstByName.end()) {
            throw EBackupFileError(BackupFault::MissingElement, name, element.Name);
        }
        const TXMLTag& launcher = *found->second;
        StartupEntry entry;
        entry.active = RequiredChild(launcher, "active").Text() == "true" ? 1 : 0;
        const std::string kind = RequiredChild(launcher, "kind").Text();
        if (!ReadKindNumber(kind, entry.kind)) {
            throw EBackupFileError(BackupFault::KindNotNumber, kind, name);
        }
        entry.name = RequiredChild(launcher, "name").Text();
        entry.command = RequiredChild(launcher, "command").Text();
        if (!ChildSays(launcher.Items.FindTag("encoding"), "utf-8")) {
            entry.name = Utf8FromAnsi(entry.name);
            entry.command = Utf8FromAnsi(entry.command);
        }
        const TXMLTag* valueType = launcher.Items.FindTag("valuetype");
        entry.stored = SuggestedValueType(entry);
        for (StoredValue stored : {StoredValue::Text, StoredValue::ExpandText, StoredValue::NotText}) {
            if (ChildSays(valueType, ValueTypeText(stored))) entry.stored = stored;
        }
        if (entry.active == 0) {
            const TXMLTag* offBy = launcher.Items.FindTag("switchedoffby");
            entry.offBy = ChildSays(offBy, "windows")     ? SwitchedOffBy::Windows
                          : ChildSays(offBy, "othertool") ? SwitchedOffBy::OtherTool
                                                          : SwitchedOffBy::ThisProgram;
        }
        Entries.push_back(std::move(entry));
    }
}

void SnapshotList::WriteToXml(TXMLTag& parent, const DateTimeFormats& formats) const {
    TXMLTag* list = new TXMLTag(&parent, "list");
    for (const Snapshot& snapshot : Snapshots) {
        snapshot.WriteToXml(*new TXMLTag(list, "object"), formats);
    }
}

void SnapshotList::ReadFromXml(const TXMLTag& element, const DateTimeFormats& formats) {
    Snapshots.clear();
    const TXMLTag* list = element.Items.FindTag("list");
    if (!list) return;
    const int count = list->Items.TagCount();
    for (int i = 0; i < count; ++i) {
        Snapshot snapshot;
        snapshot.ReadFromXml(*list->Items.Tag(i), formats);
        Snapshots.push_back(std::move(snapshot));
    }
}

StoredValue RecordedValueType(const StartupEntry& entry) {
    // Only a registry value has a type of its own; every other entry is text.
    const LocationKindRow* row = FindLocationKind(entry.kind);
    return row && row->family == LocationFamilyId::RegistryValues ? entry.stored : StoredValue::Text;
}

SwitchedOffBy RecordedSwitchedOffBy(const StartupEntry& entry) {
    if (entry.active != 0) return SwitchedOffBy::Nobody;
    if (entry.offBy == SwitchedOffBy::Windows || entry.offBy == SwitchedOffBy::OtherTool) return entry.offBy;
    return SwitchedOffBy::ThisProgram;
}

bool SameSnapshot(const Snapshot& a, const Snapshot& b) {
    LocalDateTime first = a.Timestamp, second = b.Timestamp;
    first.millisecond = second.millisecond = 0;
    if (first < second || second < first || a.Entries.size() != b.Entries.size()) return false;
    for (size_t i = 0; i < a.Entries.size(); ++i) {
        const StartupEntry& x = a.Entries[i];
        const StartupEntry& y = b.Entries[i];
        if (x.name != y.name || x.command != y.command || (x.active != 0) != (y.active != 0) || x.kind != y.kind ||
            RecordedValueType(x) != RecordedValueType(y) || RecordedSwitchedOffBy(x) != RecordedSwitchedOffBy(y)) {
            return false;
        }
    }
    return true;
}

void SortSnapshots(std::vector<Snapshot>& snapshots) {
    if (snapshots.size() < 2) return;
    for (int pass = 0; pass < 2000; ++pass) {
        bool swapped = false;
        for (size_t i = 0; i + 1 < snapshots.size(); ++i) {
            if (snapshots[i].Timestamp < snapshots[i + 1].Timestamp) {
                swap(snapshots[i], snapshots[i + 1]);
                swapped = true;
            }
        }
        if (!swapped) break;
    }
}
