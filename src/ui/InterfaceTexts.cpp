#include "ui/InterfaceTexts.h"

#include "ui/BlockedEntriesDialog.h"
#include "ui/EntryEditorDialog.h"
#include "ui/InfoWindow.h"
#include "ui/LocationDialog.h"
#include "ui/MainWindow.h"
#include "ui/Prompts.h"
#include "ui/RestoreDialog.h"

namespace ui {

namespace {

MainWindow* gMainWindow = nullptr;

}  // namespace

void RegisterMainWindow(MainWindow* window) { gMainWindow = window; }

void ApplyInterfaceTexts() {
    TheEntryEditor().ApplyTexts();
    TheInfoWindow().ApplyTexts();
    // Information message, question, message and wait dialogs.
    ApplyPromptTexts();
    TheLocationDialog().ApplyTexts();
    TheRestoreDialog().ApplyTexts();
    // The main window's texts end with its ribbon's rule.
    if (gMainWindow) gMainWindow->ApplyTexts();
    TheBlockedEntriesDialog().ApplyTexts();
}

void ApplyInfoImageHints() {
    if (gMainWindow) gMainWindow->ApplyInfoImageHints();
}

}  // namespace ui
