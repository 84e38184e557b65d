#pragma once
// Dates as Jet's date functions see them. The draw tables keep dates as text
// ("2004-10-18"); older data and users' own tables may hold "2004/10/18",
// "2004.10.18", "2004-1-8" or "20041018", and Jet's literals may be written
// #10/18/2004#. All of them become a JetDate; computed dates are written back
// as "YYYY-MM-DD", date-times as "YYYY-MM-DD HH:MM:SS". A number is a Jet date
// serial: days since 1899-12-30, the fraction being the time of day.

#include "common/Calendar.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace veltrix::jet {

struct CivilDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Seconds since 1899-12-30 00:00:00, limited to Jet's years 100 to 9999.
class JetDate {
public:
    static constexpr int64_t kSecondsPerDay = 86400;

    // False for a date outside 100-01-01 .. 9999-12-31 23:59:59.
    static bool FromSeconds(int64_t seconds, JetDate& out);
    // Normalises months past 12 and days past the month's end, as DateSerial does.
    static bool FromParts(int64_t year, int64_t month, int64_t day, int64_t secondOfDay,
                          JetDate& out);
    static bool FromSerial(double serial, JetDate& out);

    int64_t Seconds() const { return m_seconds; }
    int64_t Day() const;     // whole days since 1899-12-30 (floor)
    int SecondOfDay() const; // 0 .. 86399
    double Serial() const { return static_cast<double>(m_seconds) / kSecondsPerDay; }
    CivilDateTime Civil() const;
    int Weekday() const;   // 1 = Sunday .. 7 = Saturday
    int DayOfYear() const; // 1 .. 366

    // "YYYY-MM-DD", with " HH:MM:SS" when the time is not midnight; a time
    // alone (on 1899-12-30) as "HH:MM:SS".
    std::string Text() const;

private:
    int64_t m_seconds = 0;
};

// Reads a date or date-time text in the forms above (and US m/d/yyyy, which
// Jet's #...# literals use). False when the text is no valid date.
bool ParseDateText(std::string_view text, JetDate& out);

// Two-digit years as Jet reads them: 0-29 are 2000-2029, 30-99 1930-1999.
int64_t ExpandTwoDigitYear(int64_t year);

} // namespace veltrix::jet
