// Which commands may run, and by which keys.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "support/EntryBuilder.h"
#include "ui/main/CommandsModel.h"
#include "ui/win/TextNumbers.h"

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

TEST(Commands, EachShortcutIsNamedAsTheUserPressesItInTheirLanguage) {
    const KeyNames german{"Strg", "Entf", "Eingabe"};
    const struct {
        Command command;
        const char* text;
    } cases[] = {
        {Command::NewEntry, "Strg+N"},     {Command::Print, "Strg+P"}, {Command::Help, "F1"},
        {Command::Refresh, "F5"},          {Command::Exit, "Alt+X"},   {Command::DeleteEntry, "Entf"},
        {Command::ChangeEntry, "Eingabe"}, {Command::SwitchEntry, ""}, {Command::Homepage, ""},
        {Command::FocusFilter, "Strg+E"},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortcutText(c.command, german), c.text) << static_cast<int>(c.command);
    // No two commands share a key.
    std::set<std::tuple<uint16_t, bool, bool>> keys;
    for (const Shortcut& shortcut : Shortcuts())
        EXPECT_TRUE(keys.insert({shortcut.key, shortcut.control, shortcut.alt}).second) << shortcut.key;
}

// A policy's value or Winlogon's is set elsewhere: it can only be started, and
// the details name who changes it.
TEST(Commands, AScheduledTaskIsNeverEditedOrMovedHere) {
    MainWindowModel model;
    model.Refresh({AnEntry("\\Updater", "C:\\up.exe").Kind(kLogonTasks)}, nullptr);
    ASSERT_TRUE(model.HasSelection());
    for (Command command : {Command::ChangeEntry, Command::MoveEntry}) {
        EXPECT_FALSE(IsEnabled(command, model)) << static_cast<int>(command);
    }
    for (Command command : {Command::DeleteEntry, Command::SwitchEntry, Command::LaunchEntry, Command::BlockEntry}) {
        EXPECT_TRUE(IsEnabled(command, model)) << static_cast<int>(command);
    }
}

TEST(Commands, AnEntrySetElsewhereCanOnlyBeStarted) {
    const std::map<int32_t, std::string> owners = {
        {kMachinePolicyRun, "policy"}, {kUserPolicyRun, "policy"}, {kUserWinlogon, "winlogon"}};
    for (const auto& [kind, owner] : owners) {
        MainWindowModel model;
        model.Refresh({AnEntry("p", "C:\\p.exe").Kind(kind)}, nullptr);
        ASSERT_TRUE(model.HasSelection());
        for (Command command : {Command::ChangeEntry, Command::DeleteEntry, Command::SwitchEntry, Command::MoveEntry,
                                Command::BlockEntry}) {
            EXPECT_FALSE(IsEnabled(command, model)) << kind << " " << static_cast<int>(command);
        }
        EXPECT_TRUE(IsEnabled(Command::LaunchEntry, model)) << kind;
        const std::string status = StatusText(model.CurrentEntry(), [](int number) {
            return number == Text::SetByPolicy      ? std::string("policy")
                   : number == Text::SetForWinlogon ? std::string("winlogon")
                                                    : std::string("active");
        });
        EXPECT_EQ(status, "active\r" + owner) << kind;
    }
    MainWindowModel model;
    model.Refresh({AnEntry("bin", "").Kind(kMachinePolicyRun).Stored(StoredValue::NotText)}, nullptr);
    EXPECT_FALSE(IsEnabled(Command::LaunchEntry, model));
}

}  // namespace
