// The blocked-entries dialog's rules, apart from its window: when releasing a
// line switches the main window's current entry on, and when a line is too wide
// for the list to be read without the hover field.
#pragma once
#include <cstdint>
#include <string>

// Releasing a line switches the current entry on only when the entry is stored
// somewhere (a location kind), is switched off, and its trimmed command equals
// the trimmed line, ignoring case and quotation marks (a line blocked from an
// active registry entry holds the quoted form, the switched-off entry lists the
// plain one). Any other entry is left alone: it may have been switched off for
// another reason.
bool ReleaseSwitchesEntryOn(int32_t kind, bool active, const std::string& command, const std::string& releasedLine);

// The hover field is laid over a line whose text does not fit the list; it is
// as big as the text plus a margin.
bool LineNeedsHoverField(int textWidth, int lineLeft, int listClientWidth);
constexpr int kHoverFieldExtraWidth = 8;
constexpr int kHoverFieldExtraHeight = 4;
