// Timestamps in tests: built in one line, and readable in failure messages.
#pragma once
#include <cstdio>
#include <ostream>

#include "backup/DateTimeText.h"

inline void PrintTo(const LocalDateTime& v, std::ostream* out) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", v.year, v.month, v.day, v.hour, v.minute,
                  v.second, v.millisecond);
    *out << text;
}

inline LocalDateTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
    LocalDateTime v;
    v.year = year;
    v.month = month;
    v.day = day;
    v.hour = hour;
    v.minute = minute;
    v.second = second;
    v.millisecond = ms;
    return v;
}
