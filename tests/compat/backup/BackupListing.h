// The reading of a backup file as plain lines, so that what two versions of the
// program read from the same file can be compared line by line (the readings
// are kept beside the files as *.read.txt). Built against the current source
// tree by the tests and against older ones by scripts/check-compat.sh, so it
// uses only what every version's snapshot list has.
//
//   file <name>
//   snapshot <timestamp, as the writer writes it>
//     <active>|<kind>|<name>|<command>[<extra>]
//
// Every byte outside printable ASCII, and "|" and "\", is written as \xHH.
#pragma once
#include <cstdio>
#include <functional>
#include <string>

#include "backup/SnapshotList.h"

namespace compat {

inline std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte > 126 || c == '|' || c == '\\') {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

// extra: what a version adds to an entry's line ("|..." fields of its own).
inline std::string Listing(const std::string& fileName, const SnapshotList& list, const DateTimeFormats& formats,
                           const std::function<std::string(const StartupEntry&)>& extra = nullptr) {
    std::string out = "file " + fileName + "\n";
    for (const Snapshot& snapshot : list.Snapshots) {
        out += "snapshot " + DateTimeToText(snapshot.Timestamp, formats) + "\n";
        for (const StartupEntry& entry : snapshot.Entries) {
            out += "  " + std::to_string(entry.active) + "|" + std::to_string(entry.kind) + "|" + Escaped(entry.name) +
                   "|" + Escaped(entry.command) + (extra ? extra(entry) : std::string()) + "\n";
        }
    }
    return out;
}

#ifdef BM_COMPAT_CURRENT_FIELDS
// What the current version keeps of an entry beyond the four fields of old:
// "|<value type>|<switched off by>", as the file keeps them.
inline std::string CurrentFields(const StartupEntry& entry) {
    static const char* const types[] = {"text", "expandtext", "nottext"};
    static const char* const whom[] = {"nobody", "program", "windows", "othertool"};
    return std::string("|") + types[static_cast<int>(RecordedValueType(entry))] + "|" +
           whom[static_cast<int>(RecordedSwitchedOffBy(entry))];
}
#endif

// The regional pictures a fixture was written under: German or US.
inline DateTimeFormats FixtureFormats(bool german) {
    DateTimeFormats formats;  // the US pictures
    if (german) {
        formats.shortDate = "dd.MM.yyyy";
        formats.longTime = "HH:mm:ss";
    }
    return formats;
}

}  // namespace compat
