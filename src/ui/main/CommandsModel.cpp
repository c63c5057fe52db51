#include "ui/main/CommandsModel.h"

namespace ui {

bool NeedsSelectedLine(Command command) {
    switch (command) {
        case Command::ChangeEntry:
        case Command::DeleteEntry:
        case Command::LaunchEntry:
        case Command::SwitchEntry:
        case Command::MoveEntry:
        case Command::BlockEntry:
            return true;
        default:
            return false;
    }
}

bool IsEnabled(Command command, const MainWindowModel& model) {
    if (!NeedsSelectedLine(command)) return true;
    if (!model.HasSelection() || model.CurrentEntry().kind == 0) return false;
    // Set elsewhere: only starting it is left (the details say who changes it).
    if (!IsChangedHereKind(model.CurrentEntry().kind)) {
        return command == Command::LaunchEntry && !StartsNothing(model.CurrentEntry());
    }
    // A value without a program can only be deleted (and backed up with the rest).
    return command == Command::DeleteEntry || !StartsNothing(model.CurrentEntry());
}

const std::vector<Shortcut>& Shortcuts() {
    constexpr uint16_t kDelete = 0x2E, kReturn = 0x0D, kF5 = 0x74;
    static const std::vector<Shortcut> shortcuts = {
        {Command::MakeBackup, 'V', true, false, false},      {Command::BlockedEntries, 'H', true, false, false},
        {Command::RestartWindows, 'F', true, false, false},  {Command::Exit, 'X', false, true, false},
        {Command::Refresh, kF5, false, false, false},        {Command::DeleteEntry, kDelete, false, false, true},
        {Command::ChangeEntry, kReturn, false, false, true},
    };
    return shortcuts;
}

}  // namespace ui
