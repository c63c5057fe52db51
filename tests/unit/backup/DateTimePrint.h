// Readable timestamps in test failure messages.
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
