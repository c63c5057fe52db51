// The date-and-time text of backup timestamps: a local date and time written
// with the user's short-date and long-time pictures (the platform's picture
// language: d dd ddd dddd, M MM MMM MMMM, y yy yyyy, g gg, h hh H HH, m mm, s ss,
// t tt, 'quoted text'), and read back with the same pictures. Pure: the
// pictures and names come in as data, so the rules run and are tested anywhere;
// LocaleFormats.h fetches them from the user's regional settings.
#pragma once
#include <array>
#include <cstdint>
#include <string>

// A local date and time; a backup timestamp is held to the millisecond in
// memory and to the second once written.
struct LocalDateTime {
    int year = 1;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    // One number that orders like the date and time (year, month, ..., millisecond).
    int64_t Ordinal() const {
        return ((((static_cast<int64_t>(year) * 13 + month) * 32 + day) * 24 + hour) * 60 + minute) * 60000 +
               second * 1000 + millisecond;
    }
    bool operator==(const LocalDateTime& other) const { return Ordinal() == other.Ordinal(); }
    bool operator!=(const LocalDateTime& other) const { return Ordinal() != other.Ordinal(); }
    bool operator<(const LocalDateTime& other) const { return Ordinal() < other.Ordinal(); }
};

// The regional settings that the text depends on. Names are 8-bit ANSI text.
struct DateTimeFormats {
    std::string shortDate = "M/d/yyyy";   // short-date picture
    std::string longTime = "h:mm:ss tt";  // long-time picture
    std::string amDesignator = "AM";
    std::string pmDesignator = "PM";
    std::array<std::string, 12> monthNames;        // January first
    std::array<std::string, 12> abbrevMonthNames;  // January first
    std::array<std::string, 7> dayNames;           // Monday first, as the platform numbers them
    std::array<std::string, 7> abbrevDayNames;     // Monday first
    std::string eraName = "A.D.";                  // for g and gg
    int twoDigitYearMax = 2049;  // a year read with one or two digits lands in the century ending here
};

// The date with the short-date picture.
std::string FormatDatePicture(const LocalDateTime& value, const std::string& picture, const DateTimeFormats& formats);
// The time of day with the long-time picture.
std::string FormatTimePicture(const LocalDateTime& value, const std::string& picture, const DateTimeFormats& formats);

// The short date, then, unless the time of day is exactly 00:00:00
// (milliseconds disregarded), one space and the long time. Never milliseconds.
std::string DateTimeToText(const LocalDateTime& value, const DateTimeFormats& formats);

// The inverse of DateTimeToText: the date as the short-date picture lays it
// out, then optionally the time as the long-time picture lays it out; a text
// without time is midnight. Numbers may have fewer or more leading zeros than
// the picture shows, letter case of names and designators is ignored, blanks
// between the parts are flexible, and a missing AM/PM designator takes the hour
// as on a 24-hour clock. False when the text does not fit or names no valid
// date and time; the result's milliseconds are 0.
bool TextToDateTime(const std::string& text, const DateTimeFormats& formats, LocalDateTime& result);

// True for a valid calendar date (years 1 to 9999) and time of day.
bool IsValidDateTime(const LocalDateTime& value);
// 0 Monday ... 6 Sunday.
int DayOfWeekMondayFirst(int year, int month, int day);
