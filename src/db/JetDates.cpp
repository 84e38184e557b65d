#include "db/JetDates.h"

#include "common/Strings.h"

#include <cmath>

namespace veltrix::jet {
namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's method).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t y = yoe + era * 400;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

constexpr int64_t kEpochDay = -25569; // 1899-12-30 in days since 1970-01-01
constexpr int64_t kFirstSecond = (-657434) * JetDate::kSecondsPerDay;  // 100-01-01
constexpr int64_t kLastSecond = 2958466 * JetDate::kSecondsPerDay - 1; // 9999-12-31 end

// Reads up to `maxDigits` digits at `at`; false when there is none.
bool ReadNumber(std::string_view text, size_t& at, size_t maxDigits, int64_t& value,
                size_t& count) {
    value = 0;
    count = 0;
    while (at < text.size() && IsAsciiDigit(text[at]) && count < maxDigits) {
        value = value * 10 + (text[at] - '0');
        ++at;
        ++count;
    }
    return count > 0;
}

bool ParseTime(std::string_view text, size_t& at, int64_t& secondOfDay) {
    int64_t hour = 0, minute = 0, second = 0;
    size_t count = 0;
    if (!ReadNumber(text, at, 2, hour, count) || at >= text.size() || text[at] != ':')
        return false;
    ++at;
    if (!ReadNumber(text, at, 2, minute, count) || count != 2)
        return false;
    if (at < text.size() && text[at] == ':') {
        ++at;
        if (!ReadNumber(text, at, 2, second, count) || count != 2)
            return false;
    }
    while (at < text.size() && text[at] == ' ')
        ++at;
    std::string_view rest = text.substr(at);
    if (rest.size() >= 2) {
        std::string marker = ToUpperAscii(rest.substr(0, 2));
        if (marker == "AM" || marker == "PM") {
            if (hour < 1 || hour > 12)
                return false;
            hour = hour % 12 + (marker == "PM" ? 12 : 0);
            at += 2;
        }
    }
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    secondOfDay = hour * 3600 + minute * 60 + second;
    return true;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// An English month name, whole or cut to at least three letters ("Aug",
// "august"); 0 when the letters at `at` are none.
int64_t ReadMonthName(std::string_view text, size_t& at) {
    static constexpr std::string_view kMonths[] = {"january",   "february", "march",    "april",
                                                   "may",       "june",     "july",     "august",
                                                   "september", "october",  "november", "december"};
    size_t end = at;
    while (end < text.size() && IsLetter(text[end]))
        ++end;
    std::string word = ToLowerAscii(text.substr(at, end - at));
    if (word.size() < 3)
        return 0;
    for (size_t i = 0; i < std::size(kMonths); ++i) {
        if (kMonths[i].starts_with(word)) {
            at = end;
            return static_cast<int64_t>(i) + 1;
        }
    }
    return 0;
}

// The year after a named month: two digits or four.
bool ReadYear(std::string_view text, size_t& at, int64_t& year) {
    size_t digits = 0;
    if (!ReadNumber(text, at, 4, year, digits) || (digits != 2 && digits != 4))
        return false;
    if (digits == 2)
        year = ExpandTwoDigitYear(year);
    return true;
}

// "Aug 22, 2026" and "22-Aug-2026" (or "22 Aug 2026"), as Jet reads them.
bool ParseNamedMonth(std::string_view text, size_t& at, int64_t& year, int64_t& month,
                     int64_t& day) {
    size_t digits = 0;
    if (IsLetter(text[at])) {
        if (!(month = ReadMonthName(text, at)) || at >= text.size() || text[at] != ' ')
            return false;
        while (at < text.size() && text[at] == ' ')
            ++at;
        if (!ReadNumber(text, at, 2, day, digits))
            return false;
        if (at < text.size() && text[at] == ',')
            ++at;
        if (at >= text.size() || text[at] != ' ')
            return false;
        while (at < text.size() && text[at] == ' ')
            ++at;
        return ReadYear(text, at, year);
    }
    if (!ReadNumber(text, at, 2, day, digits) || at >= text.size())
        return false;
    char separator = text[at++];
    if ((separator != '-' && separator != ' ') || at >= text.size() ||
        !(month = ReadMonthName(text, at)) || at >= text.size() || text[at++] != separator)
        return false;
    return ReadYear(text, at, year);
}

bool ParseDatePart(std::string_view text, size_t& at, int64_t& year, int64_t& month, int64_t& day) {
    size_t start = at;
    size_t named = at;
    int64_t y = 0, m = 0, d = 0;
    if (at < text.size() && ParseNamedMonth(text, named, y, m, d)) {
        at = named;
        year = y;
        month = m;
        day = d;
        return true;
    }
    int64_t first = 0;
    size_t firstDigits = 0;
    if (!ReadNumber(text, at, 8, first, firstDigits))
        return false;
    if (firstDigits == 8) { // YYYYMMDD
        year = first / 10000;
        month = first / 100 % 100;
        day = first % 100;
        return true;
    }
    if (at >= text.size())
        return false;
    char separator = text[at];
    if (separator != '-' && separator != '/' && separator != '.')
        return false;
    ++at;
    int64_t second = 0, third = 0;
    size_t secondDigits = 0, thirdDigits = 0;
    if (!ReadNumber(text, at, 2, second, secondDigits) || at >= text.size() ||
        text[at] != separator)
        return false;
    ++at;
    if (!ReadNumber(text, at, 4, third, thirdDigits))
        return false;
    if (firstDigits >= 3 && firstDigits <= 4 && thirdDigits <= 2) {
        year = first; // Y-M-D
        month = second;
        day = third;
    } else if (firstDigits <= 2) {
        month = first; // US M/D/Y
        day = second;
        year = thirdDigits <= 2 ? ExpandTwoDigitYear(third) : third;
    } else {
        at = start;
        return false;
    }
    return true;
}

} // namespace

int64_t ExpandTwoDigitYear(int64_t year) {
    if (year < 0 || year > 99)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

bool JetDate::FromSeconds(int64_t seconds, JetDate& out) {
    if (seconds < kFirstSecond || seconds > kLastSecond)
        return false;
    out.m_seconds = seconds;
    return true;
}

bool JetDate::FromParts(int64_t year, int64_t month, int64_t day, int64_t secondOfDay,
                        JetDate& out) {
    // Keep the arithmetic far from overflow; anything this large is no date.
    constexpr int64_t kLimit = 10'000'000;
    if (year < -kLimit || year > kLimit || month < -kLimit || month > kLimit ||
        day < -kLimit * 10 || day > kLimit * 10 || secondOfDay < 0 || secondOfDay >= kSecondsPerDay)
        return false;
    int64_t months = year * 12 + (month - 1);
    int64_t y = FloorDiv(months, 12);
    int64_t m = months - y * 12 + 1;
    int64_t days = DaysFromCivil(y, m, 1) + (day - 1) - kEpochDay;
    return FromSeconds(days * kSecondsPerDay + secondOfDay, out);
}

bool JetDate::FromSerial(double serial, JetDate& out) {
    if (!std::isfinite(serial) || serial < -657435.0 || serial > 2958466.0)
        return false;
    double seconds = std::round(serial * kSecondsPerDay);
    return FromSeconds(static_cast<int64_t>(seconds), out);
}

int64_t JetDate::Day() const {
    return FloorDiv(m_seconds, kSecondsPerDay);
}

int JetDate::SecondOfDay() const {
    return static_cast<int>(m_seconds - Day() * kSecondsPerDay);
}

CivilDateTime JetDate::Civil() const {
    CivilDateTime civil;
    CivilFromDays(Day() + kEpochDay, civil.year, civil.month, civil.day);
    int second = SecondOfDay();
    civil.hour = second / 3600;
    civil.minute = second / 60 % 60;
    civil.second = second % 60;
    return civil;
}

int JetDate::Weekday() const {
    // 1899-12-30 was a Saturday (7).
    return static_cast<int>(((Day() + 6) % 7 + 7) % 7) + 1;
}

int JetDate::DayOfYear() const {
    CivilDateTime civil = Civil();
    return static_cast<int>(DaysFromCivil(civil.year, civil.month, civil.day) -
                            DaysFromCivil(civil.year, 1, 1)) +
           1;
}

std::string JetDate::Text() const {
    CivilDateTime c = Civil();
    if (Day() == 0 && SecondOfDay() != 0)
        return StrFormat("%02d:%02d:%02d", c.hour, c.minute, c.second);
    if (SecondOfDay() == 0)
        return StrFormat("%04d-%02d-%02d", c.year, c.month, c.day);
    return StrFormat("%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour, c.minute,
                     c.second);
}

bool ParseDateText(std::string_view text, JetDate& out) {
    size_t at = 0;
    while (at < text.size() && text[at] == ' ')
        ++at;
    int64_t year = 1899, month = 12, day = 30, secondOfDay = 0;
    size_t start = at;
    bool hasDate = ParseDatePart(text, at, year, month, day);
    if (hasDate) {
        if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
            day > DaysInMonth(year, static_cast<int>(month)))
            return false;
        if (at < text.size() && (text[at] == ' ' || text[at] == 'T')) {
            while (at < text.size() && (text[at] == ' ' || text[at] == 'T'))
                ++at;
            if (at < text.size() && !ParseTime(text, at, secondOfDay))
                return false;
        }
    } else {
        at = start;
        if (!ParseTime(text, at, secondOfDay))
            return false;
    }
    while (at < text.size() && text[at] == ' ')
        ++at;
    if (at != text.size())
        return false;
    return JetDate::FromParts(year, month, day, secondOfDay, out);
}

} // namespace veltrix::jet
