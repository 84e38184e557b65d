// Jet's conversions and the smaller functions of its expression service:
// CBool, CByte, CCur, CSng, Hex, Oct, Partition, Rnd, StrComp, TimeSerial,
// TimeValue, and the conversion of a value stored into a Date column.
#include "db/JetFunctionSupport.h"
#include "db/JetRuntime.h"

#include "common/Strings.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <random>

namespace veltrix::jet::runtime {
namespace {

constexpr const char* kDateMismatch = "Data type mismatch in criteria expression.";

bool WholeArgument(sqlite3_context* context, sqlite3_value* arg, int64_t& out) {
    Number number;
    if (!NumberArgument(context, arg, number))
        return false;
    if (!RoundToInt64(number, out)) {
        ResultError(context, kOverflow);
        return false;
    }
    return true;
}

// Hex and Oct write a negative Integer in 16 bits and a negative Long in 32.
void InBase(sqlite3_context* context, sqlite3_value** argv, int base) {
    int64_t value = 0;
    if (!WholeArgument(context, argv[0], value))
        return;
    if (value < INT32_MIN || value > INT32_MAX)
        return ResultError(context, kOverflow);
    uint64_t bits = value >= 0        ? static_cast<uint64_t>(value)
                    : value >= -32768 ? static_cast<uint64_t>(value) & 0xFFFFu
                                      : static_cast<uint64_t>(value) & 0xFFFFFFFFu;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, base == 16 ? "%llX" : "%llo",
                  static_cast<unsigned long long>(bits));
    ResultText(context, buffer);
}

std::string Padded(const std::string& text, size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::mt19937_64& Generator() {
    thread_local std::mt19937_64 generator{std::random_device{}()};
    return generator;
}

// A Single in [0, 1): 24 random bits.
double NextSingle(std::mt19937_64& generator) {
    return static_cast<double>(generator() >> 40) / 16777216.0;
}

void StoredDate(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    if (value.IsNull())
        return sqlite3_result_null(context);
    JetDate date;
    bool ok = value.IsNumber() ? JetDate::FromSerial(value.number.AsDouble(), date)
                               : ParseDateText(value.text, date);
    if (!ok)
        return ResultError(context, kDateMismatch);
    ResultText(context, date.Text());
}

} // namespace

void CBool(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    if (value.IsNull())
        return sqlite3_result_null(context);
    Number number;
    if (ToNumber(value, number))
        return sqlite3_result_int(context, number.AsDouble() != 0 ? -1 : 0);
    std::string text;
    for (char c : value.text)
        text += ToLowerAscii(c);
    if (text == "true" || text == "false")
        return sqlite3_result_int(context, text == "true" ? -1 : 0);
    ResultError(context, kTypeMismatch);
}

void CByte(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t value = 0;
    if (!WholeArgument(context, argv[0], value))
        return;
    if (value < 0 || value > 255)
        return ResultError(context, kOverflow);
    sqlite3_result_int64(context, value);
}

// Currency keeps four decimal places, rounded half to even.
void CCur(sqlite3_context* context, int, sqlite3_value** argv) {
    Number number;
    if (!NumberArgument(context, argv[0], number))
        return;
    if (number.isInteger && std::llabs(number.integer) <= 922337203685477LL)
        return sqlite3_result_int64(context, number.integer);
    double value = RoundHalfEven(number.AsDouble(), 4);
    if (!(std::fabs(value) <= 922337203685477.5807))
        return ResultError(context, kOverflow);
    ResultNumber(context, Number::Real(value));
}

// A Single keeps about seven significant digits.
void CSng(sqlite3_context* context, int, sqlite3_value** argv) {
    Number number;
    if (!NumberArgument(context, argv[0], number))
        return;
    double value = number.AsDouble();
    if (!(std::fabs(value) <= FLT_MAX))
        return ResultError(context, kOverflow);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7g", value);
    ResultNumber(context, Number::Real(std::strtod(buffer, nullptr)));
}

void Hex(sqlite3_context* context, int, sqlite3_value** argv) {
    InBase(context, argv, 16);
}

void Oct(sqlite3_context* context, int, sqlite3_value** argv) {
    InBase(context, argv, 8);
}

// "lower:upper" of the range that holds the number, both sides padded to
// the width of stop plus one, so that the texts sort as the ranges do.
void Partition(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t n = 0, start = 0, stop = 0, interval = 0;
    for (int i = 0; i < 4; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL)
            return sqlite3_result_null(context);
    }
    if (!WholeArgument(context, argv[0], n) || !WholeArgument(context, argv[1], start) ||
        !WholeArgument(context, argv[2], stop) || !WholeArgument(context, argv[3], interval))
        return;
    if (start < 0 || stop <= start || interval < 1 || stop > INT32_MAX || n < INT32_MIN ||
        n > INT32_MAX)
        return ResultError(context, kInvalidCall);
    size_t width = std::to_string(stop).size() + 1;
    std::string lower, upper;
    if (n < start) {
        upper = std::to_string(start - 1);
    } else if (n > stop) {
        lower = std::to_string(stop + 1);
    } else {
        int64_t low = start + (n - start) / interval * interval;
        lower = std::to_string(low);
        upper = std::to_string(std::min(low + interval - 1, stop));
    }
    ResultText(context, Padded(lower, width) + ":" + Padded(upper, width));
}

// Rnd: the next number; Rnd(0) the last one again; a negative argument the
// same number for the same argument every time.
void Rnd(sqlite3_context* context, int argc, sqlite3_value** argv) {
    thread_local double last = 0;
    std::mt19937_64& generator = Generator();
    if (argc == 1) {
        Number number;
        if (!NumberArgument(context, argv[0], number))
            return;
        double seed = number.AsDouble();
        if (seed == 0)
            return sqlite3_result_double(context, last);
        if (seed < 0) {
            std::mt19937_64 seeded{static_cast<uint64_t>(std::llround(-seed * 1e6))};
            last = NextSingle(seeded);
            return sqlite3_result_double(context, last);
        }
    }
    last = NextSingle(generator);
    sqlite3_result_double(context, last);
}

// -1, 0 or 1; without regard to case unless the third argument is 0.
void StrComp(sqlite3_context* context, int argc, sqlite3_value** argv) {
    JetValue a = ReadValue(argv[0]);
    JetValue b = ReadValue(argv[1]);
    int64_t mode = 1;
    if (argc == 3 && !WholeArgument(context, argv[2], mode))
        return;
    if (mode < 0 || mode > 2)
        return ResultError(context, kInvalidCall);
    if (a.IsNull() || b.IsNull())
        return sqlite3_result_null(context);
    std::string x = TextOf(a), y = TextOf(b);
    if (mode != 0) {
        for (char& c : x)
            c = ToLowerAscii(c);
        for (char& c : y)
            c = ToLowerAscii(c);
    }
    int order = x.compare(y);
    sqlite3_result_int(context, order < 0 ? -1 : order > 0 ? 1 : 0);
}

void TimeSerial(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t parts[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (!WholeArgument(context, argv[i], parts[i]))
            return;
        if (std::llabs(parts[i]) > 100'000'000)
            return ResultError(context, kOverflow);
    }
    JetDate time;
    if (!JetDate::FromSeconds(parts[0] * 3600 + parts[1] * 60 + parts[2], time))
        return ResultError(context, kOverflow);
    ResultText(context, time.Text());
}

void TimeValue(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    if (value.IsNull())
        return sqlite3_result_null(context);
    JetDate date;
    if (!ToDate(value, date))
        return ResultError(context, kTypeMismatch);
    JetDate time;
    JetDate::FromSeconds(date.SecondOfDay(), time);
    ResultText(context, date.SecondOfDay() == 0 ? "00:00:00" : time.Text());
}

bool RegisterStorageConversions(sqlite3* db) {
    return sqlite3_create_function_v2(db, "jet_datefield", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                      nullptr, StoredDate, nullptr, nullptr, nullptr) == SQLITE_OK;
}

} // namespace veltrix::jet::runtime
