// The one way tests write an entry: named first, then only what differs from an
// active value of the user's Run key that starts "C:\<name>.exe".
//   AnEntry("Tool")                         active, kind 11, "C:\Tool.exe"
//   AnEntry("Tool", "tool.exe /x").Kind(2)  a link of the user's Startup folder
//   AnEntry("Tool").Active(0)               switched off (by nobody in particular)
//   AnEntry("Tool").OffBy(SwitchedOffBy::Windows)
// A builder is a StartupEntry, so it goes wherever one is expected.
#pragma once
#include <cstdint>
#include <string>

#include "entries/StartupEntry.h"

namespace testsupport {

class EntryBuilder : public StartupEntry {
public:
    explicit EntryBuilder(const std::string& entryName) : EntryBuilder(entryName, "C:\\" + entryName + ".exe") {}
    EntryBuilder(const std::string& entryName, const std::string& entryCommand) {
        name = entryName;
        command = entryCommand;
        active = 1;
        kind = 11;
    }
    EntryBuilder& Kind(int32_t value) {
        kind = value;
        return *this;
    }
    EntryBuilder& Active(uint8_t value) {
        active = value;
        return *this;
    }
    // Switched off, and by whom (active 0 whoever it was).
    EntryBuilder& OffBy(SwitchedOffBy who) {
        active = 0;
        offBy = who;
        return *this;
    }
    EntryBuilder& Stored(StoredValue how) {
        stored = how;
        return *this;
    }
};

inline EntryBuilder AnEntry(const std::string& name) { return EntryBuilder(name); }
inline EntryBuilder AnEntry(const std::string& name, const std::string& command) { return EntryBuilder(name, command); }

}  // namespace testsupport
