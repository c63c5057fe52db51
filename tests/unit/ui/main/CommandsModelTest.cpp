// Which commands may run, and what may go onto the block list.
#include <gtest/gtest.h>

#include <set>

#include "support/EntryBuilder.h"
#include "ui/main/CommandsModel.h"

using namespace ui;
using testsupport::AnEntry;

namespace {

// The commands that act on the current entry; every other command is always
// there. (Which keys run which command is checked with real key presses on the
// main window.)
TEST(Commands, EntryCommandsNeedAnEntryOthersNever) {
    const std::set<Command> entryCommands = {Command::DeleteEntry, Command::ChangeEntry, Command::LaunchEntry,
                                             Command::SwitchEntry, Command::MoveEntry,   Command::BlockEntry};
    MainWindowModel model;
    model.Refresh({}, nullptr);
    for (int id = static_cast<int>(Command::First); id <= static_cast<int>(Command::Last); ++id) {
        const Command command = static_cast<Command>(id);
        EXPECT_EQ(IsEnabled(command, model), entryCommands.count(command) == 0) << id;
    }
    model.Refresh({AnEntry("a", "a.exe")}, nullptr);
    ASSERT_TRUE(model.HasSelection());
    for (int id = static_cast<int>(Command::First); id <= static_cast<int>(Command::Last); ++id) {
        EXPECT_TRUE(IsEnabled(static_cast<Command>(id), model)) << id;
    }
    model.SelectLine(-1);
    for (Command command : entryCommands) EXPECT_FALSE(IsEnabled(command, model)) << static_cast<int>(command);
    EXPECT_TRUE(IsEnabled(Command::NewEntry, model));
}

TEST(Blocking, NothingHarmfulGoesOnTheList) {
    const char check[] = "Bootmarshal Block-check";
    struct Case {
        StartupEntry entry;
        BlockRefusal refusal;
    } cases[] = {
        {AnEntry("x", ""), BlockRefusal::EmptyCommand},
        {AnEntry("x", " \t ").Kind(1), BlockRefusal::EmptyCommand},
        {AnEntry(check, "C:\\Programs\\Bootmarshal.exe /blocklist"), BlockRefusal::OwnBlockCheck},
        {AnEntry("copy", "\"c:\\programs\\bootmarshal.exe\" /BLOCKLIST").Kind(21), BlockRefusal::OwnBlockCheck},
        {AnEntry(check, "C:\\other.exe").Kind(21), BlockRefusal::None},
        {AnEntry("x", "C:\\Bootmarshal.exe"), BlockRefusal::None},
        {AnEntry("x", "notepad.exe").Kind(32), BlockRefusal::None},
    };
    for (const Case& c : cases) EXPECT_EQ(CheckBlockable(c.entry, check), c.refusal) << c.entry.command;
}

}  // namespace
