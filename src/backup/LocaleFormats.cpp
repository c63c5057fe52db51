#include "backup/LocaleFormats.h"
#include "system/Utf8.h"

#include <windows.h>

namespace {

// A locale text of the user, or the fallback when the platform has none.
std::string UserLocaleText(LCTYPE type, const char* fallback) {
    wchar_t buffer[256] = {};
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 256);
    if (length <= 0) return fallback;
    buffer[255] = L'\0';
    return Utf8FromWide(buffer);
}

}  // namespace

DateTimeFormats UserDateTimeFormats() {
    DateTimeFormats f;
    f.shortDate = UserLocaleText(LOCALE_SSHORTDATE, "M/d/yyyy");
    f.longTime = UserLocaleText(LOCALE_STIMEFORMAT, "h:mm:ss tt");
    f.amDesignator = UserLocaleText(LOCALE_S1159, "AM");
    f.pmDesignator = UserLocaleText(LOCALE_S2359, "PM");
    for (int i = 0; i < 12; ++i) {
        f.monthNames[i] = UserLocaleText(LOCALE_SMONTHNAME1 + i, "");
        f.abbrevMonthNames[i] = UserLocaleText(LOCALE_SABBREVMONTHNAME1 + i, "");
    }
    for (int i = 0; i < 7; ++i) {
        f.dayNames[i] = UserLocaleText(LOCALE_SDAYNAME1 + i, "");
        f.abbrevDayNames[i] = UserLocaleText(LOCALE_SABBREVDAYNAME1 + i, "");
    }
    wchar_t era[64] = {};
    if (GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_SERASTRING, era, 64, nullptr) > 0) {
        era[63] = L'\0';
        f.eraName = Utf8FromWide(era);
    }
    DWORD yearMax = 0;
    if (GetCalendarInfoW(LOCALE_USER_DEFAULT, CAL_GREGORIAN, CAL_ITWODIGITYEARMAX | CAL_RETURN_NUMBER, nullptr, 0,
                         &yearMax) > 0 &&
        yearMax >= 99 && yearMax <= 9999) {
        f.twoDigitYearMax = static_cast<int>(yearMax);
    }
    return f;
}

LocalDateTime CurrentLocalDateTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    LocalDateTime v;
    v.year = now.wYear;
    v.month = now.wMonth;
    v.day = now.wDay;
    v.hour = now.wHour;
    v.minute = now.wMinute;
    v.second = now.wSecond;
    v.millisecond = now.wMilliseconds;
    return v;
}

std::string DateTimeText(const LocalDateTime& value) { return DateTimeToText(value, UserDateTimeFormats()); }

bool TryTextToDateTime(const std::string& text, LocalDateTime& result) {
    return TextToDateTime(text, UserDateTimeFormats(), result);
}
