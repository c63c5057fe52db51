// Timing helpers of the Windows benchmarks: performance-counter spans and the
// median of repeated runs (the machine is shared, a mean would follow its
// hiccups).
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency) {
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
