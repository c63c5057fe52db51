// The entry editor (window class "TEditAddForm"): creates a new autostart entry
// or changes the name, command or location of a stored one. Modal over its owner.
#pragma once
#include <windows.h>

#include <string>

#include "entries/EntryChange.h"
#include "entries/StartupEntry.h"
#include "ui/win/WindowBase.h"

namespace ui {

// New mode (isNew, or an entry of kind 0): the entry starts in the common
// Startup folder with the placeholder name; saving writes it. Change mode: the
// entry is stored in the location of its kind; saving replaces it. The entry
// takes the saved name, command and kind. True when something was saved; a
// move made through the location button counts as well (the list then needs a
// refresh).
bool RunEntryEditor(HWND owner, StartupEntry& entry, bool isNew);

class EntryEditorDialog : public WindowBase {
public:
    EntryEditorDialog();

    // Data in: the entry (the caller keeps it) and the mode; fills the fields.
    void Prepare(StartupEntry& entry, bool isNew);
    bool IsNewMode() const { return isNew_; }
    // Data out after the run.
    bool saved = false;
    bool movedMeanwhile = false;  // the location button moved the stored entry
    ChangeResult saveResult;
    // The message text the last save attempt showed (empty for none): for tests.
    std::string lastMessage;

    void ApplyTexts();
    // The buttons' work, callable without a click.
    void Save();
    void ChangeLocation();
    void PickFile();

protected:
    void OnCreate() override;
    void OnCommand(int id, int code, HWND control) override;
    void OnPaint(HDC dc) override;
    void OnDpiChanged() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowLocation();
    void Tell(const std::string& text);

    StartupEntry* entry_ = nullptr;
    bool isNew_ = true;
    gdi::Font fieldFont_;
};

EntryEditorDialog& TheEntryEditor();

}  // namespace ui
