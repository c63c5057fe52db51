#include "ui/dialogs/DialogWindows.h"

#include "ui/dialogs/BlockedEntriesDialog.h"
#include "ui/dialogs/EntryEditorDialog.h"
#include "ui/dialogs/InfoWindow.h"
#include "ui/dialogs/LocationDialog.h"
#include "ui/dialogs/RestoreDialog.h"

namespace ui {

void CreateDialogWindows() {
    TheEntryEditor().Create();
    TheLocationDialog().Create();
    TheRestoreDialog().Create();
    TheBlockedEntriesDialog().Create();
    TheInfoWindow().Create();
}

}  // namespace ui
