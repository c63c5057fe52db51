// What changed since a backup (window class "TCompareForm"), opened from the
// backup manager for its selected snapshot: one line per entry added since,
// removed since, changed or moved, and a button that brings the selected one
// back as the snapshot holds it (backup/EntryBringBack.h).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "backup/SnapshotCompare.h"
#include "ui/win/WindowBase.h"

class BackupStore;

namespace ui {

// What differs in a changed or moved entry, in the user's language: its
// command, state and location before; empty for an added or removed one.
std::string DifferenceDetails(const EntryDelta& delta);

class CompareDialog : public WindowBase {
public:
    CompareDialog();

    // Compares the snapshot (a copy is kept) with the entries now; dateText
    // names the snapshot in the caption.
    void Prepare(BackupStore& store, const EntryList& snapshot, const std::string& dateText);
    // Compares again and fills the list; the line at that position stays selected.
    void Refill(int selected = 0);
    void ApplyTexts();
    // Asks, naming the entry, and brings the selected line's entry back.
    void BringBackSelected();

    const std::vector<EntryDelta>& Differences() const { return deltas_; }
    int SelectedLine() const;
    bool broughtBack = false;  // at least one entry was brought back

protected:
    void OnCreate() override;
    void OnCommand(int id, int code, HWND control) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateButton();

    BackupStore* store_ = nullptr;
    EntryList snapshot_;
    std::string dateText_;
    std::vector<EntryDelta> deltas_;
};

CompareDialog& TheCompareDialog();

}  // namespace ui
