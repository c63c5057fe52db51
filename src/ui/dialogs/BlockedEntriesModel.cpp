#include "ui/dialogs/BlockedEntriesModel.h"

bool LineNeedsHoverField(int textWidth, int lineLeft, int listClientWidth) {
    return lineLeft + textWidth > listClientWidth;
}
