#include "ui/dialogs/BlockedEntriesModel.h"

#include "entries/LocationKinds.h"
#include "system/TextCase.h"
#include "system/TextRules.h"

namespace {

bool IsStoredKind(int32_t kind) { return IsLocationKind(kind) && !Is32BitViewKind(kind); }

// The stored forms of one command differ in quotation marks only: a registry
// entry lists its program quoted while active and plain while switched off, so
// a line blocked from the active entry is quoted and the switched-off entry not.
std::string Unquoted(const std::string& text) {
    std::string plain;
    for (char c : Trim(text)) {
        if (c != '"') plain += c;
    }
    return plain;
}

}  // namespace

bool ReleaseSwitchesEntryOn(int32_t kind, bool active, const std::string& command, const std::string& releasedLine) {
    if (!IsStoredKind(kind) || active) return false;
    return SameText(Unquoted(command), Unquoted(releasedLine));
}

bool LineNeedsHoverField(int textWidth, int lineLeft, int listClientWidth) {
    return lineLeft + textWidth > listClientWidth;
}
