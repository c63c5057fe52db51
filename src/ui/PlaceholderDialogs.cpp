// PLACEHOLDERS: see PlaceholderDialogs.h.
#include "ui/PlaceholderDialogs.h"

#include <string>

#include "ui/Prompts.h"

namespace ui {

namespace {

void SayComesLater(const char* window) {
    ShowMessage2(std::string(window) + ":\nthis window comes with a later version.");
}

}  // namespace

void RunEntryEditor(HWND, const StartupEntry&, bool isNew) { SayComesLater(isNew ? "New entry" : "Change entry"); }
void RunLocationDialog(HWND, const StartupEntry&) { SayComesLater("Location"); }
void MakeBackup(HWND) { SayComesLater("Backup"); }
void ManageBackups(HWND) { SayComesLater("Manage backups"); }
void RunBlockedEntriesDialog(HWND) { SayComesLater("Blocked entries"); }
void ShowInfoWindow(HWND) { SayComesLater("About Bootmarshal"); }

}  // namespace ui
