#include "ui/dialogs/DialogWindows.h"

#include <utility>

namespace ui {

namespace {
std::function<void()> g_entriesChanged;
}  // namespace

void SetEntriesChangedHandler(std::function<void()> handler) { g_entriesChanged = std::move(handler); }

void NotifyEntriesChanged() {
    if (g_entriesChanged) g_entriesChanged();
}

}  // namespace ui
