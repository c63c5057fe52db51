#include "ui/BlockedLines.h"

#include "system/TextRules.h"

namespace {

bool IsStoredKind(int32_t kind) {
    return (kind >= 1 && kind <= 2) || (kind >= 11 && kind <= 15) || (kind >= 21 && kind <= 25) ||
           (kind >= 31 && kind <= 32);
}

}  // namespace

bool ReleaseSwitchesEntryOn(int32_t kind, bool active, const std::string& command, const std::string& releasedLine,
                            const SameTextFn& sameText) {
    if (!IsStoredKind(kind) || active) return false;
    return sameText(Trim(command), Trim(releasedLine));
}

bool LineNeedsHoverField(int textWidth, int lineLeft, int listClientWidth) {
    return lineLeft + textWidth > listClientWidth;
}
