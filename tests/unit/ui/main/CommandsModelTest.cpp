// Which commands may run, and by which keys.
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

// A binary value or an empty one starts nothing: it can only be deleted.
TEST(Commands, AValueWithoutAProgramCanOnlyBeDeleted) {
    for (const StartupEntry& entry :
         {StartupEntry(AnEntry("bin", "").Kind(11).Stored(StoredValue::NotText)),
          StartupEntry(AnEntry("", "").Kind(11)), StartupEntry(AnEntry("", "  ").Kind(2))}) {
        MainWindowModel model;
        model.Refresh({entry}, nullptr);
        ASSERT_TRUE(model.HasSelection());
        for (Command command : {Command::ChangeEntry, Command::LaunchEntry, Command::SwitchEntry, Command::MoveEntry,
                                Command::BlockEntry}) {
            EXPECT_FALSE(IsEnabled(command, model)) << entry.name << " " << static_cast<int>(command);
        }
        EXPECT_TRUE(IsEnabled(Command::DeleteEntry, model)) << entry.name;
        EXPECT_TRUE(IsEnabled(Command::MakeBackup, model)) << entry.name;
    }
}

}  // namespace
