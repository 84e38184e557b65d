#include "db/JetNumbers.h"

#include "common/Strings.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace veltrix::jet {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

std::optional<Number> ParseNumericText(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    std::string_view body = text.substr(begin, end - begin);
    size_t at = 0;
    if (at < body.size() && (body[at] == '+' || body[at] == '-'))
        ++at;
    size_t intDigits = 0;
    while (at < body.size() && IsAsciiDigit(body[at])) {
        ++at;
        ++intDigits;
    }
    size_t fracDigits = 0;
    bool point = at < body.size() && body[at] == '.';
    if (point) {
        ++at;
        while (at < body.size() && IsAsciiDigit(body[at])) {
            ++at;
            ++fracDigits;
        }
    }
    if (intDigits + fracDigits == 0)
        return std::nullopt;
    bool exponent = false;
    if (at < body.size() &&
        (body[at] == 'e' || body[at] == 'E' || body[at] == 'd' || body[at] == 'D')) {
        size_t exp = at + 1;
        if (exp < body.size() && (body[exp] == '+' || body[exp] == '-'))
            ++exp;
        if (exp >= body.size() || !IsAsciiDigit(body[exp]))
            return std::nullopt;
        while (exp < body.size() && IsAsciiDigit(body[exp]))
            ++exp;
        at = exp;
        exponent = true;
    }
    if (at != body.size())
        return std::nullopt;

    std::string plain(body);
    for (char& c : plain) {
        if (c == 'd' || c == 'D')
            c = 'E';
    }
    const char* first = plain.data() + (plain[0] == '+' ? 1 : 0);
    const char* last = plain.data() + plain.size();
    if (!point && !exponent) {
        int64_t value = 0;
        auto result = std::from_chars(first, last, value);
        if (result.ec == std::errc() && result.ptr == last)
            return Number::Integer(value);
    }
    double value = 0;
    auto result = std::from_chars(first, last, value);
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value))
        return std::nullopt;
    return Number::Real(value);
}

std::string RealText(double value) {
    if (value == 0)
        return "0";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    size_t e = text.find('e');
    if (e == std::string::npos)
        return text;
    // 1e+20 -> 1E+20, 1e-07 -> 1E-07
    text[e] = 'E';
    return text;
}

std::string NumberText(const Number& number) {
    return number.isInteger ? std::to_string(number.integer) : RealText(number.real);
}

std::string StrText(const Number& number) {
    std::string text = NumberText(number);
    if (text.starts_with("0."))
        text.erase(0, 1);
    else if (text.starts_with("-0."))
        text.erase(1, 1);
    if (text[0] == '-')
        return text;
    std::string blank = " ";
    blank += text;
    return blank;
}

DecimalDigits ToDecimalDigits(const Number& number) {
    DecimalDigits decimal;
    if (number.isInteger) {
        if (number.integer == 0)
            return decimal;
        decimal.negative = number.integer < 0;
        uint64_t magnitude = decimal.negative ? 0 - static_cast<uint64_t>(number.integer)
                                              : static_cast<uint64_t>(number.integer);
        decimal.digits = std::to_string(magnitude);
        decimal.exponent = static_cast<int>(decimal.digits.size());
    } else {
        double value = number.real;
        if (value == 0 || !std::isfinite(value))
            return decimal;
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.14e", value); // -d.dddddddddddddde+XX
        const char* p = buffer;
        if (*p == '-') {
            decimal.negative = true;
            ++p;
        }
        for (; *p && *p != 'e'; ++p) {
            if (IsAsciiDigit(*p))
                decimal.digits += *p;
        }
        decimal.exponent = (*p == 'e' ? std::atoi(p + 1) : 0) + 1;
    }
    while (!decimal.digits.empty() && decimal.digits.back() == '0')
        decimal.digits.pop_back();
    return decimal;
}

DecimalDigits RoundDecimalDigits(DecimalDigits value, int decimals, Ties ties) {
    long keepLong = static_cast<long>(value.exponent) + decimals;
    if (value.digits.empty() || keepLong >= static_cast<long>(value.digits.size()))
        return value;
    DecimalDigits rounded;
    rounded.negative = value.negative;
    if (keepLong < 0)
        return rounded; // below half of the last kept place
    size_t keep = static_cast<size_t>(keepLong);
    char next = value.digits[keep];
    bool restNonZero = value.digits.find_first_not_of('0', keep + 1) != std::string::npos;
    bool up = next > '5' || (next == '5' && restNonZero);
    if (next == '5' && !restNonZero) {
        int previous = keep > 0 ? value.digits[keep - 1] - '0' : 0;
        up = ties == Ties::AwayFromZero || previous % 2 == 1;
    }
    rounded.digits = value.digits.substr(0, keep);
    rounded.exponent = value.exponent;
    if (up) {
        size_t i = keep;
        while (i > 0 && rounded.digits[i - 1] == '9') {
            rounded.digits[i - 1] = '0';
            --i;
        }
        if (i == 0) {
            rounded.digits.insert(rounded.digits.begin(), '1');
            ++rounded.exponent;
        } else {
            ++rounded.digits[i - 1];
        }
    }
    while (!rounded.digits.empty() && rounded.digits.back() == '0')
        rounded.digits.pop_back();
    if (rounded.digits.empty())
        rounded.exponent = 0;
    return rounded;
}

double DecimalToDouble(const DecimalDigits& value) {
    if (value.digits.empty())
        return 0;
    std::string text =
        (value.negative ? "-0." : "0.") + value.digits + "e" + std::to_string(value.exponent);
    return std::strtod(text.c_str(), nullptr);
}

double RoundHalfEven(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    return DecimalToDouble(
        RoundDecimalDigits(ToDecimalDigits(Number::Real(value)), decimals, Ties::ToEven));
}

bool DoubleToInt64(double value, int64_t& out) {
    // -2^63 and 2^63 are exact doubles; the integers fit from the first up to
    // below the second. NaN fails both comparisons.
    if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0))
        return false;
    out = static_cast<int64_t>(value);
    return true;
}

bool RoundToInt64(const Number& number, int64_t& out) {
    if (number.isInteger) {
        out = number.integer;
        return true;
    }
    return DoubleToInt64(RoundHalfEven(number.real, 0), out);
}

} // namespace veltrix::jet
