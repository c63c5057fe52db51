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
    // A value without a program can only be deleted (and backed up with the rest).
    return command == Command::DeleteEntry || !StartsNothing(model.CurrentEntry());
}

const std::vector<Shortcut>& Shortcuts() {
    constexpr uint16_t kDelete = 0x2E, kReturn = 0x0D, kF1 = 0x70, kF5 = 0x74;
    static const std::vector<Shortcut> shortcuts = {
        // The keys a Windows user tries first.
        {Command::NewEntry, 'N', true, false, false},
        {Command::Print, 'P', true, false, false},
        {Command::Help, kF1, false, false, false},
        {Command::MakeBackup, 'V', true, false, false},
        {Command::BlockedEntries, 'H', true, false, false},
        {Command::RestartWindows, 'F', true, false, false},
        {Command::Exit, 'X', false, true, false},
        {Command::Refresh, kF5, false, false, false},
        {Command::DeleteEntry, kDelete, false, false, true},
        {Command::ChangeEntry, kReturn, false, false, true},
    };
    return shortcuts;
}

}  // namespace ui
