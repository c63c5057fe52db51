#include "ui/dialogs/DialogWindows.h"

#include <utility>

#include "ui/dialogs/BlockedEntriesDialog.h"
#include "ui/dialogs/EntryEditorDialog.h"
#include "ui/dialogs/InfoWindow.h"
#include "ui/dialogs/LocationDialog.h"
#include "ui/dialogs/RestoreDialog.h"

namespace ui {

namespace {
std::function<void()> g_entriesChanged;
}  // namespace

void SetEntriesChangedHandler(std::function<void()> handler) { g_entriesChanged = std::move(handler); }

void NotifyEntriesChanged() {
    if (g_entriesChanged) g_entriesChanged();
}

void CreateDialogWindows() {
    TheEntryEditor().Create();
    TheLocationDialog().Create();
    TheRestoreDialog().Create();
    TheBlockedEntriesDialog().Create();
    TheInfoWindow().Create();
}

}  // namespace ui
