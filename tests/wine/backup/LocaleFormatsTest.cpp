// The date-and-time text against the platform: the pictures and names come from
// the user's regional settings, and the program's own writer lays a date out as
// the platform's date and time functions do with the same picture.
#include <gtest/gtest.h>

#include "backup/LocaleFormats.h"
#include "unit/backup/DateTimePrint.h"
#include "wine/backup/RegionalSettings.h"

namespace {

SYSTEMTIME ToSystemTime(const LocalDateTime& v) {
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(v.year);
    st.wMonth = static_cast<WORD>(v.month);
    st.wDay = static_cast<WORD>(v.day);
    st.wDayOfWeek = static_cast<WORD>((DayOfWeekMondayFirst(v.year, v.month, v.day) + 1) % 7);
    st.wHour = static_cast<WORD>(v.hour);
    st.wMinute = static_cast<WORD>(v.minute);
    st.wSecond = static_cast<WORD>(v.second);
    return st;
}

std::string PlatformDate(const LocalDateTime& v, const std::string& picture) {
    const SYSTEMTIME st = ToSystemTime(v);
    char buffer[256] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, 0, &st, picture.c_str(), buffer, sizeof buffer);
    return buffer;
}

std::string PlatformTime(const LocalDateTime& v, const std::string& picture) {
    const SYSTEMTIME st = ToSystemTime(v);
    char buffer[256] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, picture.c_str(), buffer, sizeof buffer);
    return buffer;
}

const LocalDateTime kMoments[] = {At(2010, 2, 1, 10, 20, 30), At(2005, 7, 8, 23, 5, 9), At(2024, 12, 31, 0, 0, 0),
                                  At(1999, 1, 9, 12, 0, 0),   At(2000, 3, 5, 0, 59, 1), At(1601, 10, 28, 13, 1, 2)};

// "gg" is left out: Wine writes the era twice for it, where Windows writes it once.
TEST(LocaleFormats, TheWriterLaysDatesOutAsThePlatformDoes) {
    const DateTimeFormats formats = UserDateTimeFormats();
    const char* pictures[] = {
        "M/d/yyyy",    "dd.MM.yyyy",           "d.M.yy", "yy-MM-dd",     "y",        "yyyyy",  "ddd, dd MMM yyyy",
        "dddd d MMMM", "'Tag' d 'o''clock' M", "g yyyy", "MMMMM dddddd", "yyyyMMdd", "d/M/y g"};
    for (const char* picture : pictures) {
        for (const LocalDateTime& moment : kMoments) {
            EXPECT_EQ(FormatDatePicture(moment, picture, formats), PlatformDate(moment, picture)) << picture;
        }
    }
}

TEST(LocaleFormats, TheWriterLaysTimesOutAsThePlatformDoes) {
    const DateTimeFormats formats = UserDateTimeFormats();
    const char* pictures[] = {"h:mm:ss tt", "HH:mm:ss", "H:m:s t",        "hh 'h' mm",
                              "tt h:mm:ss", "HHmmss",   "hhh:mmm:sss ttt"};
    for (const char* picture : pictures) {
        for (const LocalDateTime& moment : kMoments) {
            EXPECT_EQ(FormatTimePicture(moment, picture, formats), PlatformTime(moment, picture)) << picture;
        }
    }
}

TEST(LocaleFormats, FollowTheUsersPicturesFromTheNextConversionOn) {
    const LocalDateTime moment = At(2010, 2, 1, 10, 20, 30);
    PinnedRegionalSettings settings;
    ASSERT_TRUE(settings.German());
    EXPECT_EQ(DateTimeText(moment), "01.02.2010 10:20:30");
    LocalDateTime read;
    ASSERT_TRUE(TryTextToDateTime("01.02.2010 10:20:30", read));
    EXPECT_EQ(read, moment);
    EXPECT_FALSE(TryTextToDateTime("2/1/2010 10:20:30 AM", read));

    ASSERT_TRUE(settings.Us());
    EXPECT_EQ(DateTimeText(moment), "2/1/2010 10:20:30 AM");
    ASSERT_TRUE(TryTextToDateTime("2/1/2010 10:20:30 AM", read));
    EXPECT_EQ(read, moment);

    ASSERT_TRUE(settings.Set(LOCALE_S1159, "vorm.") && settings.Set(LOCALE_S2359, "nachm."));
    EXPECT_EQ(DateTimeText(At(2010, 2, 1, 22, 0, 0)), "2/1/2010 10:00:00 nachm.");
    ASSERT_TRUE(TryTextToDateTime("2/1/2010 10:00:00 nachm.", read));
    EXPECT_EQ(read, At(2010, 2, 1, 22, 0, 0));
}

}  // namespace
