#include "ui/main/CommandsModel.h"

#include <string>

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
    // A scheduled task is switched or deleted here; the Task Scheduler edits and moves it.
    if (IsOnlySwitchedKind(model.CurrentEntry().kind) &&
        (command == Command::ChangeEntry || command == Command::MoveEntry)) {
        return false;
    }
    // A value without a program can only be deleted (and backed up with the rest).
    return command == Command::DeleteEntry || !StartsNothing(model.CurrentEntry());
}

namespace {
constexpr uint16_t kDelete = 0x2E, kReturn = 0x0D, kF1 = 0x70, kF5 = 0x74, kF12 = 0x7B;
}  // namespace

const std::vector<Shortcut>& Shortcuts() {
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
        {Command::FocusFilter, 'E', true, false, false},
        {Command::DeleteEntry, kDelete, false, false, true},
        {Command::ChangeEntry, kReturn, false, false, true},
    };
    return shortcuts;
}

std::string ShortcutText(Command command, const KeyNames& names) {
    for (const Shortcut& shortcut : Shortcuts()) {
        if (shortcut.command != command) continue;
        std::string text;
        if (shortcut.control) text += names.control + "+";
        if (shortcut.alt) text += "Alt+";
        if (shortcut.key == kDelete) {
            text += names.del;
        } else if (shortcut.key == kReturn) {
            text += names.enter;
        } else if (shortcut.key >= kF1 && shortcut.key <= kF12) {
            text += "F" + std::to_string(shortcut.key - kF1 + 1);
        } else {
            text += static_cast<char>(shortcut.key);
        }
        return text;
    }
    return std::string();
}

}  // namespace ui
