// The blocked-entries dialog (window class "TSperrenForm"): lists the block
// list and releases one line. Modal over its owner.
#pragma once
#include <windows.h>

#include "entries/StartupEntry.h"
#include "ui/win/WindowBase.h"

namespace ui {

// currentEntry is the main window's selected entry (kind 0 for none). Releasing
// a line switches it on only when it is switched off and its command is the
// released line; no other entry changes. The caller refreshes its list afterwards.
void RunBlockedEntriesDialog(HWND owner, const StartupEntry& currentEntry);

class BlockedEntriesDialog : public WindowBase {
public:
    BlockedEntriesDialog();

    // Data in: the main window's current entry (a copy: it follows a release).
    void Prepare(const StartupEntry& currentEntry);
    // Data out: the current entry was switched on by a release.
    bool entrySwitchedOn = false;
    const StartupEntry& CurrentEntry() const { return current_; }

    void FillList();
    void ApplyTexts();
    // Releases the line at that position of the list (the selected one when
    // called by the button).
    void ReleaseLine(int position);
    // The hover field over a line too wide for the list; -1 hides it.
    void ShowWholeLine(int line);

protected:
    void OnCreate() override;
    void OnCommand(int id, int code, HWND control) override;
    void OnCancel() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self);
    static LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);
    void UpdateButton();

    StartupEntry current_;
    HWND field_ = nullptr;
    int hoverLine_ = -1;
    gdi::Brush fieldBrush_;
};

BlockedEntriesDialog& TheBlockedEntriesDialog();

}  // namespace ui
