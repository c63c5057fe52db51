#include "backup/SnapshotCompare.h"

#include <gtest/gtest.h>

namespace {

StartupEntry Entry(int32_t kind, const std::string& name, const std::string& command, uint8_t active = 1) {
    StartupEntry entry;
    entry.kind = kind;
    entry.name = name;
    entry.command = command;
    entry.active = active;
    return entry;
}

std::string Summary(const std::vector<EntryDelta>& deltas) {
    static const char* const words[] = {"added", "removed", "changed", "moved"};
    std::string text;
    for (const EntryDelta& delta : deltas) {
        const StartupEntry& shown = delta.difference == EntryDifference::Removed ? delta.before : delta.now;
        text += std::string(words[static_cast<int>(delta.difference)]) + " " + std::to_string(shown.kind) + " " +
                shown.name;
        if (delta.commandChanged) text += " command";
        if (delta.stateChanged) text += " state";
        if (delta.kindChanged) text += " kind";
        text += "; ";
    }
    return text;
}

struct Case {
    const char* what;
    EntryList before, now;
    std::string expected;
};

TEST(SnapshotCompare, TellsAddedRemovedChangedAndMovedApart) {
    const std::vector<Case> cases = {
        {"alike", {Entry(11, "A", "a.exe")}, {Entry(11, "a", "a.exe")}, ""},
        {"added and removed",
         {Entry(11, "Old", "o.exe")},
         {Entry(21, "New", "n.exe")},
         "removed 11 Old; added 21 New; "},
        {"command", {Entry(11, "A", "a.exe")}, {Entry(11, "A", "b.exe")}, "changed 11 A command; "},
        {"switched off", {Entry(11, "A", "a.exe")}, {Entry(11, "A", "a.exe", 0)}, "changed 11 A state; "},
        {"same family, other key", {Entry(11, "A", "a.exe")}, {Entry(12, "A", "a.exe")}, "changed 12 A kind; "},
        {"other family, same command: a move", {Entry(11, "A", "a.exe")}, {Entry(21, "A", "a.exe")}, "moved 21 A; "},
        {"other family, other command",
         {Entry(11, "A", "a.exe")},
         {Entry(2, "A", "b.exe")},
         "removed 11 A; added 2 A; "},
        {"same kind wins over another kind of the family",
         {Entry(11, "A", "a.exe"), Entry(12, "A", "x.exe")},
         {Entry(12, "A", "x.exe"), Entry(11, "A", "a.exe")},
         ""},
        {"several locations",
         {Entry(1, "Link", "l.exe"), Entry(11, "Gone", "g.exe"), Entry(21, "Kept", "k.exe"), Entry(31, "Ini", "i.exe")},
         {Entry(1, "Link", "l2.exe"), Entry(21, "Kept", "k.exe"), Entry(31, "Ini", "i.exe", 0),
          Entry(22, "Fresh", "f.exe")},
         "changed 1 Link command; removed 11 Gone; changed 31 Ini state; added 22 Fresh; "},
    };
    for (const Case& c : cases) EXPECT_EQ(Summary(CompareWithSnapshot(c.before, c.now)), c.expected) << c.what;
}

}  // namespace
