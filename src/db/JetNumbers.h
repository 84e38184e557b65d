#pragma once
// Numbers as Jet's expression functions see them: integers and doubles, texts
// that read as numbers, Jet's text forms of numbers (CStr, Str), and rounding
// decided on the decimal digits a user sees (15 significant digits), so that
// 2.5 rounds to even and 0.125 rounds like the text "0.125" reads.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrix::jet {

struct Number {
    bool isInteger = true;
    int64_t integer = 0;
    double real = 0;

    static Number Integer(int64_t value) { return {true, value, 0}; }
    static Number Real(double value) { return {false, 0, value}; }
    double AsDouble() const { return isInteger ? static_cast<double>(integer) : real; }
};

// A text that Jet converts to a number: optional blanks, a sign, digits with
// an optional point, an optional exponent (E or D), optional blanks. Integral
// texts without point or exponent that fit 64 bits are integers.
std::optional<Number> ParseNumericText(std::string_view text);

// A double as Jet writes it: up to 15 significant digits, exponent form
// "1E+20" outside 1E-5 .. 1E+15.
std::string RealText(double value);
// CStr: integers in decimal, doubles by RealText.
std::string NumberText(const Number& number);
// Str: like CStr with a leading blank for a number that is not negative and
// without the zero before the point (" .5", "-.5").
std::string StrText(const Number& number);

// A finite number as decimal digits: value = 0.digits x 10^exponent. Zero has
// no digits. Doubles keep 15 significant digits, integers all of theirs.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};
DecimalDigits ToDecimalDigits(const Number& number);

// Rounds to `decimals` places after the point (may be negative for tens,
// hundreds...). A tie goes to the even digit or away from zero.
enum class Ties { ToEven, AwayFromZero };
DecimalDigits RoundDecimalDigits(DecimalDigits value, int decimals, Ties ties);
double DecimalToDouble(const DecimalDigits& value);

// Round, CInt, CLng: the double rounded to `decimals` places.
double RoundHalfEven(double value, int decimals);
// The number rounded half to even to a 64-bit integer; false when it does
// not fit (or is not finite).
bool RoundToInt64(const Number& number, int64_t& out);
// The number truncated (Fix) or floored (Int) to a 64-bit integer, when it fits.
bool DoubleToInt64(double value, int64_t& out);

} // namespace veltrix::jet
