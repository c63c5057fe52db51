// The user's regional settings for the date-and-time text: the short-date and
// long-time pictures, the AM/PM designators, month, day and era names and the
// two-digit-year limit, read afresh on every call so that a change made in the
// control panel counts from the next conversion on.
#pragma once
#include "backup/DateTimeText.h"

DateTimeFormats UserDateTimeFormats();

// The current local date and time, to the millisecond.
LocalDateTime CurrentLocalDateTime();

// A timestamp as text, and back, under the user's current regional settings.
std::string DateTimeText(const LocalDateTime& value);
bool TryTextToDateTime(const std::string& text, LocalDateTime& result);
