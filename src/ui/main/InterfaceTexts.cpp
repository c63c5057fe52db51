#include "ui/main/InterfaceTexts.h"

#include "i18n/TranslationCatalogue.h"
#include "ui/dialogs/BlockedEntriesDialog.h"
#include "ui/dialogs/EntryEditorDialog.h"
#include "ui/dialogs/InfoWindow.h"
#include "ui/dialogs/LocationDialog.h"
#include "ui/dialogs/RestoreDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/Accessible.h"
#include "ui/win/TextNumbers.h"

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
    SetAccessibleActionWords({GetText(Text::ActionPress), GetText(Text::ActionCheck), GetText(Text::ActionUncheck),
                              GetText(Text::ActionSwitch), GetText(Text::ActionDoubleClick)});
}

void ApplyInfoImageHints() {
    if (gMainWindow) gMainWindow->ApplyInfoImageHints();
}

}  // namespace ui
