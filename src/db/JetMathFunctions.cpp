// Jet's numeric functions: CInt and CLng (half to even, with Jet's ranges),
// CDbl, Int (floor) and Fix (truncation), Abs, Sgn, Sqr, Round (half to
// even), Exp, Log. A text argument counts when it reads as a number.
#include "db/JetFunctionSupport.h"
#include "db/JetRuntime.h"

#include <cmath>

namespace veltrix::jet::runtime {

template <int64_t low, int64_t high>
void ConvertToInteger(sqlite3_context* context, int, sqlite3_value** argv) {
    Number number;
    if (!NumberArgument(context, argv[0], number))
        return;
    int64_t value = 0;
    if (!RoundToInt64(number, value) || value < low || value > high)
        return ResultError(context, kOverflow);
    sqlite3_result_int64(context, value);
}

void CDbl(sqlite3_context* context, int, sqlite3_value** argv) {
    Number number;
    if (NumberArgument(context, argv[0], number))
        ResultNumber(context, Number::Real(number.AsDouble()));
}

// Int and Fix keep integers as they are; a double becomes an integer when
// the whole part fits.
template <bool floorDown> void WholePart(sqlite3_context* context, int, sqlite3_value** argv) {
    Number number;
    if (!NumberArgument(context, argv[0], number))
        return;
    if (number.isInteger)
        return sqlite3_result_int64(context, number.integer);
    double whole = floorDown ? std::floor(number.real) : std::trunc(number.real);
    int64_t value = 0;
    if (DoubleToInt64(whole, value))
        return sqlite3_result_int64(context, value);
    ResultNumber(context, Number::Real(whole));
}

void Abs(sqlite3_context* context, int, sqlite3_value** argv) {
    Number number;
    if (!NumberArgument(context, argv[0], number))
        return;
    if (number.isInteger) {
        // The smallest integer has no positive counterpart; SQLite's own abs()
        // fails the same way, with the same words.
        if (number.integer == INT64_MIN)
            return ResultError(context, "integer overflow");
        return sqlite3_result_int64(context, number.integer < 0 ? -number.integer : number.integer);
    }
    ResultNumber(context, Number::Real(std::fabs(number.real)));
}

void Sgn(sqlite3_context* context, int, sqlite3_value** argv) {
    Number number;
    if (!NumberArgument(context, argv[0], number))
        return;
    double value = number.AsDouble();
    sqlite3_result_int(context, value > 0 ? 1 : value < 0 ? -1 : 0);
}

void Sqr(sqlite3_context* context, int, sqlite3_value** argv) {
    Number number;
    if (!NumberArgument(context, argv[0], number))
        return;
    if (number.AsDouble() < 0)
        return ResultError(context, kInvalidCall);
    ResultNumber(context, Number::Real(std::sqrt(number.AsDouble())));
}

void Round(sqlite3_context* context, int argc, sqlite3_value** argv) {
    int64_t places = 0;
    if (argc > 1) {
        JetValue value = ReadValue(argv[1]);
        Number number;
        if (!value.IsNull()) {
            if (!ToNumber(value, number))
                return ResultError(context, kTypeMismatch);
            if (!RoundToInt64(number, places) || places < 0)
                return ResultError(context, kInvalidCall);
        }
    }
    Number number;
    if (!NumberArgument(context, argv[0], number))
        return;
    if (number.isInteger)
        return sqlite3_result_int64(context, number.integer);
    int digits = places > 400 ? 400 : static_cast<int>(places);
    ResultNumber(context, Number::Real(RoundHalfEven(number.real, digits)));
}

void Exp(sqlite3_context* context, int, sqlite3_value** argv) {
    Number number;
    if (NumberArgument(context, argv[0], number))
        ResultNumber(context, Number::Real(std::exp(number.AsDouble())));
}

void Log(sqlite3_context* context, int, sqlite3_value** argv) {
    Number number;
    if (!NumberArgument(context, argv[0], number))
        return;
    if (number.AsDouble() <= 0)
        return ResultError(context, kInvalidCall);
    ResultNumber(context, Number::Real(std::log(number.AsDouble())));
}

template void ConvertToInteger<-32768, 32767>(sqlite3_context*, int, sqlite3_value**);
template void ConvertToInteger<-2147483648LL, 2147483647LL>(sqlite3_context*, int, sqlite3_value**);
template void WholePart<true>(sqlite3_context*, int, sqlite3_value**);
template void WholePart<false>(sqlite3_context*, int, sqlite3_value**);

} // namespace veltrix::jet::runtime
