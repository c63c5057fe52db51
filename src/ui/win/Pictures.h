// The main window's small pictures, drawn with GDI at the size they are shown
// at, so that they stay crisp at every DPI: the ribbon's item pictures, the
// details buttons' glyphs, the info images and the program's emblem.
#pragma once
#include <windows.h>

namespace ui {

enum class Picture {
    None,
    NewEntry,
    Refresh,
    Print,
    MakeBackup,
    ManageBackups,
    BlockedEntries,
    Restart,
    Homepage,
    Exit,
    SchemeBlue,
    SchemeBlack,
    SchemeSilver,
    About,
    Help,
    Documentation,
    Email,
    Delete,
    Change,
    Launch,
    Block,
    Switch,
    Move,
    Info,
    Tip,
    Emblem,
};

// Draws the picture into the square that fits the rectangle, greyed when disabled.
void DrawPicture(HDC dc, Picture picture, const RECT& rect, bool disabled = false);

}  // namespace ui
