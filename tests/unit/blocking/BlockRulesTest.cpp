// What may go onto the block list, and which entry a released line switches on.
#include <gtest/gtest.h>

#include <cctype>

#include "blocking/BlockRules.h"

namespace {

StartupEntry Entry(const std::string& name, int32_t kind, const std::string& command) {
    StartupEntry entry;
    entry.name = name;
    entry.kind = kind;
    entry.command = command;
    entry.active = 1;
    return entry;
}

TEST(BlockRules, NothingHarmfulGoesOnTheList) {
    const char check[] = "Bootmarshal Block-check";
    struct Case {
        StartupEntry entry;
        BlockRefusal refusal;
    } cases[] = {
        {Entry("x", 11, ""), BlockRefusal::EmptyCommand},
        {Entry("x", 1, " \t "), BlockRefusal::EmptyCommand},
        {Entry(check, 11, "C:\\Programs\\Bootmarshal.exe /blocklist"), BlockRefusal::OwnBlockCheck},
        {Entry("copy", 21, "\"c:\\programs\\bootmarshal.exe\" /BLOCKLIST"), BlockRefusal::OwnBlockCheck},
        {Entry(check, 21, "C:\\other.exe"), BlockRefusal::None},
        {Entry("x", 11, "C:\\Bootmarshal.exe"), BlockRefusal::None},
        {Entry("x", 32, "notepad.exe"), BlockRefusal::None},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckBlockable(c.entry, check), c.refusal) << c.entry.command;
}

TEST(BlockRules, ReleaseSwitchesOnOnlyTheMatchingSwitchedOffEntry) {
    struct Row {
        int32_t kind;
        bool active;
        const char* command;
        const char* line;
        bool switchesOn;
    } rows[] = {
        {11, false, "C:\\a.exe /x", "c:\\A.EXE /x", true},
        {11, false, "  C:\\a.exe ", "C:\\a.exe", true},
        {11, false, "C:\\a.exe", " C:\\a.exe  ", true},                   // a line typed with blanks
        {21, false, "C:\\a b\\a.exe -x", "\"C:\\a b\\a.exe\" -x", true},  // blocked while active: quoted
        {26, false, "C:\\a.exe", "C:\\a.exe", true},                      // the machine's 32-bit view
        {27, false, "C:\\a.exe", "C:\\a.exe", true},
        {28, false, "C:\\a.exe", "C:\\a.exe", true},
        {1, false, "C:\\a.exe", "C:\\a.exe", true},
        {32, false, "C:\\a.exe", "C:\\a.exe", true},
        {99, false, "C:\\a.exe", "C:\\a.exe", false},  // no location
        {11, true, "C:\\a.exe", "C:\\a.exe", false},   // already on
        {11, false, "C:\\b.exe", "C:\\a.exe", false},  // another entry
        {0, false, "", "", false},                     // no entry selected
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.command);
        EXPECT_EQ(ReleaseSwitchesEntryOn(row.kind, row.active, row.command, row.line), row.switchesOn);
    }
}

}  // namespace
