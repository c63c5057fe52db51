// The blocked-entries dialog's rule apart from its window: when a line is too
// wide for the list to be read without the hover field.
#pragma once

// The hover field is laid over a line whose text does not fit the list; it is
// as big as the text plus a margin.
bool LineNeedsHoverField(int textWidth, int lineLeft, int listClientWidth);
constexpr int kHoverFieldExtraWidth = 8;
constexpr int kHoverFieldExtraHeight = 4;
