// The location dialog (window class "TLocationForm"): one radio button per
// kind of autostart place and a choice of registry hive. Modal over its owner.
#pragma once
#include <windows.h>

#include "entries/EntryChange.h"
#include "ui/dialogs/LocationModel.h"
#include "ui/win/WindowBase.h"

class StartupEntry;

namespace ui {

// Move mode: moves the stored entry into the chosen location. Closing with the
// location unchanged (or by Esc or the title bar) writes nothing. A move the
// location refuses leaves the entry where it was and tells the user. True when
// the entry was moved; its kind is then the new one. An entry stored nowhere
// (kind 0, no line selected) is not moved and the dialog does not open.
bool RunLocationDialog(HWND owner, StartupEntry& entry);

// Choose-only mode, for an entry that is not stored yet: sets its kind to the
// chosen location and writes nothing. Esc and the title bar keep the kind.
// True when the kind changed.
bool ChooseLocation(HWND owner, StartupEntry& entry);

class LocationDialog : public WindowBase {
public:
    enum class Mode { Move, ChooseOnly };

    LocationDialog();

    // Data in: the entry (the caller keeps it) and the mode; preselects the
    // radio buttons by the entry's kind. Data out after the run: the entry's
    // kind, moved, and the result of a move that was tried.
    void Prepare(StartupEntry& entry, Mode mode);
    bool moved = false;
    bool kindChanged = false;
    ChangeResult moveResult;

    void SetChoice(const LocationChoice& choice);
    // Captions of the language in use; puts the hive choice back on its first item.
    void ApplyTexts();
    // The close button: applies the choice and ends the dialog.
    void Apply();

protected:
    void OnCreate() override;
    void OnCommand(int id, int code, HWND control) override;
    void OnPaint(HDC dc) override;
    void OnDpiChanged() override;

private:
    void ShowChoiceInControls();
    void MakeFonts();
    // Places the controls for the texts of the language: see the .cpp.
    void LayOutByText();

    StartupEntry* entry_ = nullptr;
    Mode mode_ = Mode::Move;
    LocationChoice choice_;
    gdi::Font headingFont_;
};

LocationDialog& TheLocationDialog();

}  // namespace ui
