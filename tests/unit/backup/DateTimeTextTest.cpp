// The date-and-time text of timestamps under given regional pictures: what is
// written, what is read, and that every written text reads back to the second.
#include <gtest/gtest.h>

#include "backup/DateTimeText.h"
#include "unit/backup/DateTimePrint.h"

namespace {

DateTimeFormats German() {
    DateTimeFormats f;
    f.shortDate = "dd.MM.yyyy";
    f.longTime = "HH:mm:ss";
    f.monthNames = {"Januar", "Februar", "M\xC3\xA4rz", "April",   "Mai",      "Juni",
                    "Juli",   "August",  "September",   "Oktober", "November", "Dezember"};
    f.abbrevMonthNames = {"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    f.dayNames = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};
    f.abbrevDayNames = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    f.eraName = "n. Chr.";
    return f;
}

DateTimeFormats Us() {
    DateTimeFormats f;
    f.shortDate = "M/d/yyyy";
    f.longTime = "h:mm:ss tt";
    f.monthNames = {"January", "February", "March",     "April",   "May",      "June",
                    "July",    "August",   "September", "October", "November", "December"};
    f.abbrevMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    f.dayNames = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};
    f.abbrevDayNames = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    return f;
}

DateTimeFormats With(DateTimeFormats f, const char* shortDate, const char* longTime) {
    f.shortDate = shortDate;
    f.longTime = longTime;
    return f;
}

TEST(DateTimeText, WritesTheShortDateAndTheLongTime) {
    struct Case {
        DateTimeFormats formats;
        LocalDateTime value;
        const char* text;
    } cases[] = {
        {German(), At(2010, 2, 1, 10, 20, 30), "01.02.2010 10:20:30"},
        {Us(), At(2010, 2, 1, 10, 20, 30), "2/1/2010 10:20:30 AM"},
        {Us(), At(2010, 12, 31, 23, 5, 9), "12/31/2010 11:05:09 PM"},
        {Us(), At(2010, 2, 1, 12, 0, 1), "2/1/2010 12:00:01 PM"},
        {Us(), At(2010, 2, 1, 0, 0, 1), "2/1/2010 12:00:01 AM"},
        {German(), At(2010, 2, 1, 10, 20, 30, 999), "01.02.2010 10:20:30"},  // never milliseconds
        {With(German(), "d.M.yyyy", "HH:mm:ss"), At(2010, 2, 1, 9, 8, 7), "1.2.2010 09:08:07"},
        {With(German(), "dddd, d. MMMM yyyy", "H:mm' Uhr 'ss"), At(2010, 3, 3, 9, 8, 7),
         "Mittwoch, 3. M\xC3\xA4rz 2010 9:08 Uhr 07"},
        {With(Us(), "ddd dd-MMM-yy", "hh.mm.ss t"), At(2009, 1, 4, 13, 2, 3), "Sun 04-Jan-09 01.02.03 P"},
        {With(Us(), "yyyyMMdd", "HHmmss"), At(2010, 2, 1, 10, 20, 30), "20100201 102030"},
        {With(Us(), "'Tag' d 'o''clock' M/y gg", "tt h:mm:ss"), At(2005, 7, 8, 6, 5, 4),
         "Tag 8 o'clock 7/05 A.D. AM 6:05:04"},
    };
    for (const Case& c : cases) EXPECT_EQ(DateTimeToText(c.value, c.formats), c.text);
}

TEST(DateTimeText, LeavesOutTheTimeOnlyAtExactlyMidnight) {
    EXPECT_EQ(DateTimeToText(At(2010, 2, 1), German()), "01.02.2010");
    EXPECT_EQ(DateTimeToText(At(2010, 2, 1, 0, 0, 0, 500), Us()), "2/1/2010");
    EXPECT_EQ(DateTimeToText(At(2010, 2, 1, 0, 0, 1), German()), "01.02.2010 00:00:01");

    LocalDateTime read;
    ASSERT_TRUE(TextToDateTime("01.02.2010", German(), read));
    EXPECT_EQ(read, At(2010, 2, 1));
    ASSERT_TRUE(TextToDateTime("2/1/2010", Us(), read));
    EXPECT_EQ(read, At(2010, 2, 1));
}

TEST(DateTimeText, ReadsWhatOtherWritersLeaveUnderTheSameSettings) {
    struct Case {
        DateTimeFormats formats;
        const char* text;
        LocalDateTime value;
    } cases[] = {
        // Digits with or without leading zeros, whatever the picture shows.
        {German(), "1.2.2010 9:08:07", At(2010, 2, 1, 9, 8, 7)},
        {With(German(), "d.M.yyyy", "HH:mm:ss"), "01.02.2010 10:20:30", At(2010, 2, 1, 10, 20, 30)},
        {Us(), "02/01/2010 09:20:30 pm", At(2010, 2, 1, 21, 20, 30)},
        {Us(), "2/1/2010 12:20:30 AM", At(2010, 2, 1, 0, 20, 30)},
        {Us(), "2/1/2010 12:20:30 PM", At(2010, 2, 1, 12, 20, 30)},
        {Us(), "2/1/2010 10:20:30 p", At(2010, 2, 1, 22, 20, 30)},  // one-letter designator
        {Us(), "2/1/2010 22:20:30", At(2010, 2, 1, 22, 20, 30)},    // no designator: 24-hour clock
        {Us(), "  2/1/2010   10:20:30   AM  ", At(2010, 2, 1, 10, 20, 30)},
        // Two-digit years land in the century that ends at 2049.
        {With(German(), "dd.MM.yy", "HH:mm:ss"), "01.02.10 10:20:30", At(2010, 2, 1, 10, 20, 30)},
        {With(German(), "dd.MM.yy", "HH:mm:ss"), "01.02.49", At(2049, 2, 1)},
        {With(German(), "dd.MM.yy", "HH:mm:ss"), "01.02.50", At(1950, 2, 1)},
        {German(), "01.02.10", At(2010, 2, 1)},
        // Names in any letter case; the day name is not checked against the date.
        {With(German(), "dddd, d. MMMM yyyy", "HH:mm:ss"), "montag, 3. M\xC3\x84RZ 2010", At(2010, 3, 3)},
        {With(Us(), "dd-MMM-yyyy", "HH:mm:ss"), "01-feb-2010 10:20:30", At(2010, 2, 1, 10, 20, 30)},
        {With(Us(), "yyyyMMdd", "HHmmss"), "20100201 102030", At(2010, 2, 1, 10, 20, 30)},
        {German(), "29.02.2000 23:59:59", At(2000, 2, 29, 23, 59, 59)},
    };
    for (const Case& c : cases) {
        LocalDateTime read;
        ASSERT_TRUE(TextToDateTime(c.text, c.formats, read)) << c.text;
        EXPECT_EQ(read, c.value) << c.text;
    }
}

TEST(DateTimeText, RefusesTextsThatDoNotFitOrNameNoDate) {
    struct Case {
        DateTimeFormats formats;
        const char* text;
    } cases[] = {
        {German(), ""},
        {German(), "   "},
        {German(), "2/1/2010 10:20:30 AM"},  // US text under German settings
        {Us(), "01.02.2010 10:20:30"},       // German text under US settings
        {German(), "31.02.2010 10:20:30"},   // no such day
        {German(), "29.02.1900"},            // 1900 was no leap year
        {German(), "01.13.2010"},
        {German(), "00.01.2010"},
        {German(), "01.02.2010 24:00:00"},
        {German(), "01.02.2010 10:60:00"},
        {German(), "01.02.2010 10:20:30 x"},  // something after the time
        {German(), "01.02.2010 10:20"},       // the seconds are missing
        {German(), "01.02.20100 10:20:30"},
        {German(), "01.02"},
        {German(), "01.02.2010 10:20:30.123"},  // milliseconds are never part of the text
        {Us(), "2/1/2010 13:20:30 PM"},
        {With(Us(), "dd-MMM-yyyy", "HH:mm:ss"), "01-Fbr-2010"},
    };
    for (const Case& c : cases) {
        LocalDateTime read = At(1999, 9, 9);
        EXPECT_FALSE(TextToDateTime(c.text, c.formats, read)) << c.text;
        EXPECT_EQ(read, At(1999, 9, 9)) << c.text;  // untouched on failure
    }
}

TEST(DateTimeText, EveryWrittenTextReadsBackToTheSecond) {
    const DateTimeFormats formats[] = {
        German(),
        Us(),
        With(German(), "d.M.yyyy", "H:mm:ss"),
        With(German(), "dddd, d. MMMM yyyy", "HH' Uhr 'mm:ss"),
        With(Us(), "ddd dd-MMM-yy", "hh.mm.ss t"),
        With(Us(), "yyyy-MM-dd", "tt hh:mm:ss"),
        With(Us(), "yyyyMMdd", "HHmmss"),
        With(Us(), "dd/MM/yyyy gg", "h:mm:ss tt"),
    };
    for (const DateTimeFormats& f : formats) {
        // Every day of a leap year at a changing time of day, midnight included.
        for (int dayOfYear = 0; dayOfYear < 366; ++dayOfYear) {
            static const int lengths[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            int month = 1, day = dayOfYear + 1;
            while (day > lengths[month - 1]) day -= lengths[month++ - 1];
            const int secondOfDay = (dayOfYear * 7919) % 86400;
            const LocalDateTime value =
                At(2024, month, day, secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60, dayOfYear % 1000);
            const std::string text = DateTimeToText(value, f);
            LocalDateTime read;
            ASSERT_TRUE(TextToDateTime(text, f, read)) << f.shortDate << " | " << text;
            LocalDateTime expected = value;
            expected.millisecond = 0;
            ASSERT_EQ(read, expected) << f.shortDate << " | " << text;
        }
    }
}

TEST(DateTimeText, DayOfWeekFollowsTheGregorianCalendar) {
    EXPECT_EQ(DayOfWeekMondayFirst(2010, 2, 1), 0);    // a Monday
    EXPECT_EQ(DayOfWeekMondayFirst(2000, 1, 1), 5);    // a Saturday
    EXPECT_EQ(DayOfWeekMondayFirst(1601, 1, 1), 0);    // a Monday
    EXPECT_EQ(DayOfWeekMondayFirst(2024, 12, 31), 1);  // a Tuesday
}

}  // namespace
