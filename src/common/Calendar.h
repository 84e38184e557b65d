#pragma once
// Calendar arithmetic on the proleptic Gregorian calendar (the draw-file
// reader, the Jet date functions), and the floor division it rests on, which
// the chart's grid uses too.

#include <cstdint>

namespace veltrix {

constexpr bool IsLeapYear(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// 28 to 31 for month 1 to 12; 0 for any other month.
constexpr int DaysInMonth(int64_t year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Division rounding toward minus infinity (C++ rounds toward zero), so day
// and month counts before an epoch fall into the right period. b != 0.
constexpr int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace veltrix
