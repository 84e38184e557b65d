// Jet's date functions over date texts and date serials: Year, Month, Day,
// Hour, Minute, Second, Weekday (Sunday is 1), Date, Now and Time (local
// time), DateDiff (boundaries crossed), DateAdd (months clamp to the month's
// end), DatePart, DateSerial, DateValue, CDate, IsDate.
#include "db/JetFunctionSupport.h"
#include "db/JetRuntime.h"

#include "common/Strings.h"

#include <ctime>

namespace veltrix::jet::runtime {

// An optional first-day-of-week argument: 1 Sunday .. 7 Saturday (0, the
// system's setting, is Sunday here).
bool FirstDayArgument(sqlite3_context* context, int argc, sqlite3_value** argv, int index,
                      int& firstDay) {
    firstDay = 1;
    if (argc <= index)
        return true;
    JetValue value = ReadValue(argv[index]);
    Number number;
    int64_t day = 1;
    if (value.IsNull())
        return true;
    if (!ToNumber(value, number) || !RoundToInt64(number, day) || day < 0 || day > 7) {
        ResultError(context, kInvalidCall);
        return false;
    }
    firstDay = day == 0 ? 1 : static_cast<int>(day);
    return true;
}

int WeekdayFrom(const JetDate& date, int firstDay) {
    return (date.Weekday() - firstDay + 7) % 7 + 1;
}

// Weeks that contain January 1st are week 1.
int WeekOfYear(const JetDate& date, int firstDay) {
    int jan1 = (WeekdayFrom(date, firstDay) - 1 - (date.DayOfYear() - 1) % 7 + 7) % 7;
    return (date.DayOfYear() - 1 + jan1) / 7 + 1;
}

template <Field field> void DateField(sqlite3_context* context, int, sqlite3_value** argv) {
    JetDate date;
    if (!DateArgument(context, argv[0], date))
        return;
    CivilDateTime c = date.Civil();
    int value = field == Field::Year     ? c.year
                : field == Field::Month  ? c.month
                : field == Field::Day    ? c.day
                : field == Field::Hour   ? c.hour
                : field == Field::Minute ? c.minute
                                         : c.second;
    sqlite3_result_int(context, value);
}

void Weekday(sqlite3_context* context, int argc, sqlite3_value** argv) {
    JetDate date;
    int firstDay = 1;
    if (!FirstDayArgument(context, argc, argv, 1, firstDay) ||
        !DateArgument(context, argv[0], date))
        return;
    sqlite3_result_int(context, WeekdayFrom(date, firstDay));
}

JetDate LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    JetDate date;
    JetDate::FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                       local.tm_hour * 3600 + local.tm_min * 60 + std::min(local.tm_sec, 59), date);
    return date;
}

void Today(sqlite3_context* context, int, sqlite3_value**) {
    JetDate now = LocalNow();
    JetDate today;
    JetDate::FromSeconds(now.Day() * JetDate::kSecondsPerDay, today);
    ResultText(context, today.Text());
}

void Now(sqlite3_context* context, int, sqlite3_value**) {
    CivilDateTime c = LocalNow().Civil();
    ResultText(context, StrFormat("%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                                  c.minute, c.second));
}

void TimeOfDay(sqlite3_context* context, int, sqlite3_value**) {
    CivilDateTime c = LocalNow().Civil();
    ResultText(context, StrFormat("%02d:%02d:%02d", c.hour, c.minute, c.second));
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

bool IntervalArgument(sqlite3_context* context, sqlite3_value* argument, Interval& out) {
    std::string name = ToLowerAscii(TextOf(ReadValue(argument)));
    static constexpr std::pair<std::string_view, Interval> kNames[] = {
        {"yyyy", Interval::Year},   {"q", Interval::Quarter}, {"m", Interval::Month},
        {"y", Interval::DayOfYear}, {"d", Interval::Day},     {"w", Interval::Weekday},
        {"ww", Interval::Week},     {"h", Interval::Hour},    {"n", Interval::Minute},
        {"s", Interval::Second}};
    for (auto [text, interval] : kNames) {
        if (name == text) {
            out = interval;
            return true;
        }
    }
    ResultError(context, kInvalidCall);
    return false;
}

// DateDiff counts the interval's boundaries between the two dates.
void DateDiff(sqlite3_context* context, int argc, sqlite3_value** argv) {
    Interval interval;
    int firstDay = 1;
    JetDate a, b;
    if (!IntervalArgument(context, argv[0], interval) ||
        !FirstDayArgument(context, argc, argv, 3, firstDay) || !DateArgument(context, argv[1], a) ||
        !DateArgument(context, argv[2], b))
        return;
    CivilDateTime ca = a.Civil(), cb = b.Civil();
    int64_t result = 0;
    switch (interval) {
    case Interval::Year:
        result = cb.year - ca.year;
        break;
    case Interval::Quarter:
        result = (cb.year * 4LL + (cb.month - 1) / 3) - (ca.year * 4LL + (ca.month - 1) / 3);
        break;
    case Interval::Month:
        result = (cb.year * 12LL + cb.month) - (ca.year * 12LL + ca.month);
        break;
    case Interval::DayOfYear:
    case Interval::Day:
        result = b.Day() - a.Day();
        break;
    case Interval::Weekday:
        result = (b.Day() - a.Day()) / 7;
        break;
    case Interval::Week:
        // Day 1 (1899-12-31) is a Sunday.
        result = FloorDiv(b.Day() - firstDay, 7) - FloorDiv(a.Day() - firstDay, 7);
        break;
    case Interval::Hour:
        result = FloorDiv(b.Seconds(), 3600) - FloorDiv(a.Seconds(), 3600);
        break;
    case Interval::Minute:
        result = FloorDiv(b.Seconds(), 60) - FloorDiv(a.Seconds(), 60);
        break;
    case Interval::Second:
        result = b.Seconds() - a.Seconds();
        break;
    }
    sqlite3_result_int64(context, result);
}

void DateAdd(sqlite3_context* context, int, sqlite3_value** argv) {
    Interval interval;
    JetDate date;
    if (!IntervalArgument(context, argv[0], interval))
        return;
    JetValue amountValue = ReadValue(argv[1]);
    Number amount;
    int64_t count = 0;
    if (amountValue.IsNull())
        return ResultError(context, "Invalid use of Null");
    if (!ToNumber(amountValue, amount))
        return ResultError(context, kTypeMismatch);
    if (!RoundToInt64(amount, count) || count > 1'000'000'000'000LL || count < -1'000'000'000'000LL)
        return ResultError(context, kInvalidCall);
    if (!DateArgument(context, argv[2], date))
        return;
    CivilDateTime c = date.Civil();
    int64_t months = 0, seconds = 0;
    switch (interval) {
    case Interval::Year:
        months = count * 12;
        break;
    case Interval::Quarter:
        months = count * 3;
        break;
    case Interval::Month:
        months = count;
        break;
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday:
        seconds = count * JetDate::kSecondsPerDay;
        break;
    case Interval::Week:
        seconds = count * 7 * JetDate::kSecondsPerDay;
        break;
    case Interval::Hour:
        seconds = count * 3600;
        break;
    case Interval::Minute:
        seconds = count * 60;
        break;
    case Interval::Second:
        seconds = count;
        break;
    }
    JetDate result;
    bool ok = false;
    if (months != 0) {
        int64_t total = c.year * 12LL + (c.month - 1) + months;
        int64_t year = FloorDiv(total, 12);
        int month = static_cast<int>(total - year * 12 + 1);
        bool inRange = year >= 100 && year <= 9999;
        int day = inRange ? std::min(c.day, DaysInMonth(year, month)) : 1;
        ok = inRange && JetDate::FromParts(year, month, day, date.SecondOfDay(), result);
    } else {
        ok = JetDate::FromSeconds(date.Seconds() + seconds, result);
    }
    if (!ok)
        return ResultError(context, kInvalidCall);
    ResultText(context, result.Text());
}

void DatePart(sqlite3_context* context, int argc, sqlite3_value** argv) {
    Interval interval;
    int firstDay = 1;
    JetDate date;
    if (!IntervalArgument(context, argv[0], interval) ||
        !FirstDayArgument(context, argc, argv, 2, firstDay) ||
        !DateArgument(context, argv[1], date))
        return;
    CivilDateTime c = date.Civil();
    int value = 0;
    switch (interval) {
    case Interval::Year:
        value = c.year;
        break;
    case Interval::Quarter:
        value = (c.month - 1) / 3 + 1;
        break;
    case Interval::Month:
        value = c.month;
        break;
    case Interval::DayOfYear:
        value = date.DayOfYear();
        break;
    case Interval::Day:
        value = c.day;
        break;
    case Interval::Weekday:
        value = WeekdayFrom(date, firstDay);
        break;
    case Interval::Week:
        value = WeekOfYear(date, firstDay);
        break;
    case Interval::Hour:
        value = c.hour;
        break;
    case Interval::Minute:
        value = c.minute;
        break;
    case Interval::Second:
        value = c.second;
        break;
    }
    sqlite3_result_int(context, value);
}

void DateSerial(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t parts[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        JetValue value = ReadValue(argv[i]);
        Number number;
        if (value.IsNull())
            return sqlite3_result_null(context);
        if (!ToNumber(value, number))
            return ResultError(context, kTypeMismatch);
        if (!RoundToInt64(number, parts[i]))
            return ResultError(context, kOverflow);
    }
    JetDate date;
    if (!JetDate::FromParts(ExpandTwoDigitYear(parts[0]), parts[1], parts[2], 0, date))
        return ResultError(context, kInvalidCall);
    ResultText(context, date.Text());
}

template <bool dateOnly> void ToDateText(sqlite3_context* context, int, sqlite3_value** argv) {
    JetDate date;
    if (!DateArgument(context, argv[0], date))
        return;
    if (dateOnly)
        JetDate::FromSeconds(date.Day() * JetDate::kSecondsPerDay, date);
    ResultText(context, date.Text());
}

void IsDate(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    JetDate date;
    sqlite3_result_int(context, value.IsText() && ParseDateText(value.text, date) ? -1 : 0);
}

template void DateField<Field::Year>(sqlite3_context*, int, sqlite3_value**);
template void DateField<Field::Month>(sqlite3_context*, int, sqlite3_value**);
template void DateField<Field::Day>(sqlite3_context*, int, sqlite3_value**);
template void DateField<Field::Hour>(sqlite3_context*, int, sqlite3_value**);
template void DateField<Field::Minute>(sqlite3_context*, int, sqlite3_value**);
template void DateField<Field::Second>(sqlite3_context*, int, sqlite3_value**);
template void ToDateText<true>(sqlite3_context*, int, sqlite3_value**);
template void ToDateText<false>(sqlite3_context*, int, sqlite3_value**);

} // namespace veltrix::jet::runtime
