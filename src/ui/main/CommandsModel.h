// Every command of the main window as one ID. Ribbon items, the details
// buttons, the info images, the context menu and the keyboard all send
// WM_COMMAND with these IDs, and one switch runs them (MainWindow::Execute).
// Whether a command can run depends only on the model and its selection.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "ui/main/MainWindowModel.h"

namespace ui {

// Kept below the control IDs (1000 and up) so that a WM_COMMAND names either a
// command or a control, never both.
enum class Command : int {
    NewEntry = 100,
    ChangeEntry,
    DeleteEntry,
    LaunchEntry,
    SwitchEntry,
    MoveEntry,
    BlockEntry,
    BlockedEntries,
    MakeBackup,
    ManageBackups,
    Refresh,
    Print,
    RestartWindows,
    Help,
    Documentation,
    Homepage,
    Email,
    InfoWindow,
    Exit,
    SchemeBlue,
    SchemeBlack,
    SchemeSilver,
    ExplainFolders,
    ExplainRegistry,
    ExplainWinIni,
    OpenTipLink,
    ToggleSources,
    ToggleInformation,
    ExplainApps,  // after the rest, so that no earlier command changes its number
    First = NewEntry,
    Last = ExplainApps,
};

inline bool IsCommandId(int id) {
    return id >= static_cast<int>(Command::First) && id <= static_cast<int>(Command::Last);
}

// Commands that act on the current entry: without a selected line they do
// nothing and their buttons are greyed.
bool NeedsSelectedLine(Command command);
bool IsEnabled(Command command, const MainWindowModel& model);

// Keyboard shortcuts. Virtual-key codes as the platform numbers them.
struct Shortcut {
    Command command;
    uint16_t key;
    bool control;
    bool alt;
    bool listOnly;  // only while the entry list has the focus
};
const std::vector<Shortcut>& Shortcuts();

// The names of the keys that differ between languages ("Strg", "Ctrl").
struct KeyNames {
    std::string control, del, enter;
};
// The command's shortcut as the user presses it ("Ctrl+N", "F1", "Del"), the
// first one of the table; empty for a command without one.
std::string ShortcutText(Command command, const KeyNames& names);

}  // namespace ui
