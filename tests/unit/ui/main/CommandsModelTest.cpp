// Which commands may run, and by which keys.
#include <gtest/gtest.h>

#include "ui/main/CommandsModel.h"

using namespace ui;

namespace {

StartupEntry Entry(const std::string& name, int32_t kind, const std::string& command) {
    StartupEntry entry;
    entry.name = name;
    entry.kind = kind;
    entry.command = command;
    entry.active = 1;
    return entry;
}

TEST(Commands, EntryCommandsNeedASelectedLineOthersNever) {
    MainWindowModel model;
    model.Refresh({}, nullptr);
    for (int id = static_cast<int>(Command::First); id <= static_cast<int>(Command::Last); ++id) {
        const Command command = static_cast<Command>(id);
        EXPECT_EQ(IsEnabled(command, model), !NeedsSelectedLine(command)) << id;
    }
    model.Refresh({Entry("a", 11, "a.exe")}, nullptr);
    ASSERT_TRUE(model.HasSelection());
    for (Command command : {Command::DeleteEntry, Command::ChangeEntry, Command::LaunchEntry, Command::SwitchEntry,
                            Command::MoveEntry, Command::BlockEntry}) {
        EXPECT_TRUE(NeedsSelectedLine(command));
        EXPECT_TRUE(IsEnabled(command, model));
    }
    model.SelectLine(-1);
    EXPECT_FALSE(IsEnabled(Command::DeleteEntry, model));
    EXPECT_TRUE(IsEnabled(Command::NewEntry, model));
}

TEST(Commands, ShortcutsOfTheRibbonAndTheList) {
    struct Expected {
        Command command;
        uint16_t key;
        bool control, alt, listOnly;
    } expected[] = {
        {Command::MakeBackup, 'V', true, false, false},     {Command::BlockedEntries, 'H', true, false, false},
        {Command::RestartWindows, 'F', true, false, false}, {Command::Exit, 'X', false, true, false},
        {Command::Refresh, 0x74, false, false, false},      {Command::DeleteEntry, 0x2E, false, false, true},
        {Command::ChangeEntry, 0x0D, false, false, true}};
    ASSERT_EQ(Shortcuts().size(), std::size(expected));
    for (size_t i = 0; i < Shortcuts().size(); ++i) {
        const Shortcut& s = Shortcuts()[i];
        EXPECT_EQ(s.command, expected[i].command);
        EXPECT_EQ(s.key, expected[i].key);
        EXPECT_EQ(s.control, expected[i].control);
        EXPECT_EQ(s.alt, expected[i].alt);
        EXPECT_EQ(s.listOnly, expected[i].listOnly);
    }
}

}  // namespace
