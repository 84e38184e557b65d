// Jet's operators where SQLite's differ: + decided per row (texts join,
// numbers add, a date text moves by days), & (null counts as empty text),
// fractional / with a division-by-zero error, \ and Mod on operands rounded
// half to even, ^, the bitwise logic of And/Or/Xor/Eqv/Imp on numbers, and
// LIKE with [a-c] and [!a-c] character lists.
#include "db/JetFunctionSupport.h"

#include "common/Strings.h"
#include "common/TextCodec.h"

#include <cmath>
#include <vector>

namespace veltrix::jet {
namespace {

void ResultSum(sqlite3_context* context, const Number& a, const Number& b, bool subtract) {
    if (a.isInteger && b.isInteger) {
        int64_t result = 0;
        bool overflow = subtract ? __builtin_sub_overflow(a.integer, b.integer, &result)
                                 : __builtin_add_overflow(a.integer, b.integer, &result);
        if (!overflow) {
            sqlite3_result_int64(context, result);
            return;
        }
    }
    double result = subtract ? a.AsDouble() - b.AsDouble() : a.AsDouble() + b.AsDouble();
    ResultNumber(context, Number::Real(result));
}

void ResultDateMoved(sqlite3_context* context, const JetDate& date, double days) {
    double seconds = std::round(days * JetDate::kSecondsPerDay);
    JetDate moved;
    if (!(std::fabs(seconds) < 1e15) ||
        !JetDate::FromSeconds(date.Seconds() + static_cast<int64_t>(seconds), moved)) {
        ResultError(context, kOverflow);
        return;
    }
    ResultText(context, moved.Text());
}

// A text operand of + or -: a number when it reads as one, else a date.
enum class Operand { Number, Date, Neither };

Operand Classify(const JetValue& value, Number& number, JetDate& date) {
    if (ToNumber(value, number))
        return Operand::Number;
    if (value.IsText() && ParseDateText(value.text, date))
        return Operand::Date;
    return Operand::Neither;
}

void Plus(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue a = ReadValue(argv[0]);
    JetValue b = ReadValue(argv[1]);
    if (a.IsNull() || b.IsNull())
        return sqlite3_result_null(context);
    if (a.IsText() && b.IsText()) {
        std::string joined;
        joined.reserve(a.text.size() + b.text.size());
        joined.append(a.text).append(b.text);
        return ResultText(context, joined);
    }
    Number x, y;
    JetDate dx, dy;
    Operand left = Classify(a, x, dx);
    Operand right = Classify(b, y, dy);
    if (left == Operand::Number && right == Operand::Number)
        return ResultSum(context, x, y, false);
    if (left == Operand::Date && right == Operand::Number)
        return ResultDateMoved(context, dx, y.AsDouble());
    if (left == Operand::Number && right == Operand::Date)
        return ResultDateMoved(context, dy, x.AsDouble());
    ResultError(context, kTypeMismatch);
}

void Minus(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue a = ReadValue(argv[0]);
    JetValue b = ReadValue(argv[1]);
    if (a.IsNull() || b.IsNull())
        return sqlite3_result_null(context);
    Number x, y;
    JetDate dx, dy;
    Operand left = Classify(a, x, dx);
    Operand right = Classify(b, y, dy);
    if (left == Operand::Number && right == Operand::Number)
        return ResultSum(context, x, y, true);
    if (left == Operand::Date && right == Operand::Number)
        return ResultDateMoved(context, dx, -y.AsDouble());
    if (left == Operand::Date && right == Operand::Date) {
        double days = static_cast<double>(dx.Seconds() - dy.Seconds()) / JetDate::kSecondsPerDay;
        return ResultNumber(context, Number::Real(days));
    }
    if (left == Operand::Number && right == Operand::Date)
        return ResultNumber(context, Number::Real(x.AsDouble() - dy.Serial()));
    ResultError(context, kTypeMismatch);
}

void Concatenate(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue a = ReadValue(argv[0]);
    JetValue b = ReadValue(argv[1]);
    if (a.IsNull() && b.IsNull())
        return sqlite3_result_null(context);
    ResultText(context, TextOf(a) + TextOf(b));
}

// Reads both operands as numbers; false (with the error set) when one is not.
// `nullResult` is set when either is null.
bool TwoNumbers(sqlite3_context* context, sqlite3_value** argv, Number& x, Number& y,
                bool& nullResult) {
    JetValue a = ReadValue(argv[0]);
    JetValue b = ReadValue(argv[1]);
    nullResult = a.IsNull() || b.IsNull();
    if (nullResult) {
        sqlite3_result_null(context);
        return false;
    }
    if (!ToNumber(a, x) || !ToNumber(b, y)) {
        ResultError(context, kTypeMismatch);
        return false;
    }
    return true;
}

void Divide(sqlite3_context* context, int, sqlite3_value** argv) {
    Number x, y;
    bool isNull = false;
    if (!TwoNumbers(context, argv, x, y, isNull))
        return;
    if (y.AsDouble() == 0)
        return ResultError(context, kDivisionByZero);
    ResultNumber(context, Number::Real(x.AsDouble() / y.AsDouble()));
}

bool TwoIntegers(sqlite3_context* context, sqlite3_value** argv, int64_t& a, int64_t& b) {
    Number x, y;
    bool isNull = false;
    if (!TwoNumbers(context, argv, x, y, isNull))
        return false;
    if (!RoundToInt64(x, a) || !RoundToInt64(y, b)) {
        ResultError(context, kOverflow);
        return false;
    }
    return true;
}

void IntegerDivide(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t a = 0, b = 0;
    if (!TwoIntegers(context, argv, a, b))
        return;
    if (b == 0)
        return ResultError(context, kDivisionByZero);
    if (a == INT64_MIN && b == -1)
        return ResultError(context, kOverflow);
    sqlite3_result_int64(context, a / b);
}

void Modulo(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t a = 0, b = 0;
    if (!TwoIntegers(context, argv, a, b))
        return;
    if (b == 0)
        return ResultError(context, kDivisionByZero);
    sqlite3_result_int64(context, b == -1 ? 0 : a % b);
}

void Power(sqlite3_context* context, int, sqlite3_value** argv) {
    Number x, y;
    bool isNull = false;
    if (!TwoNumbers(context, argv, x, y, isNull))
        return;
    double base = x.AsDouble();
    double exponent = y.AsDouble();
    if (base == 0 && exponent < 0)
        return ResultError(context, kDivisionByZero);
    if (base < 0 && exponent != std::floor(exponent))
        return ResultError(context, kInvalidCall);
    ResultNumber(context, Number::Real(std::pow(base, exponent)));
}

enum class Logic { And, Or, Xor, Eqv, Imp };

template <Logic op> void Bitwise(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue values[2] = {ReadValue(argv[0]), ReadValue(argv[1])};
    int64_t bits[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        Number number;
        if (values[i].IsNull())
            continue;
        if (!ToNumber(values[i], number))
            return ResultError(context, kTypeMismatch);
        if (!RoundToInt64(number, bits[i]))
            return ResultError(context, kOverflow);
    }
    bool aNull = values[0].IsNull();
    bool bNull = values[1].IsNull();
    if (aNull || bNull) {
        // Null only where the other operand cannot decide the result.
        int64_t other = aNull ? bits[1] : bits[0];
        bool known = !(aNull && bNull) &&
                     ((op == Logic::And && other == 0) || (op == Logic::Or && other == -1) ||
                      (op == Logic::Imp && aNull && other == -1) ||
                      (op == Logic::Imp && bNull && other == 0));
        if (!known)
            return sqlite3_result_null(context);
        return sqlite3_result_int64(context, op == Logic::And ? 0 : -1);
    }
    int64_t a = bits[0], b = bits[1];
    int64_t result = op == Logic::And   ? (a & b)
                     : op == Logic::Or  ? (a | b)
                     : op == Logic::Xor ? (a ^ b)
                     : op == Logic::Eqv ? ~(a ^ b)
                                        : (~a | b);
    sqlite3_result_int64(context, result);
}

uint32_t FoldCase(uint32_t c) {
    return c < 0x80 ? static_cast<uint32_t>(ToLowerAscii(static_cast<char>(c))) : c;
}

// Decodes UTF-8; a malformed byte stands for itself.
std::vector<uint32_t> CodePoints(std::string_view text) {
    std::vector<uint32_t> points;
    points.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        DecodedUtf8 decoded =
            DecodeUtf8At(text, i).value_or(DecodedUtf8{static_cast<unsigned char>(text[i]), 1});
        points.push_back(static_cast<uint32_t>(decoded.codePoint));
        i += decoded.length;
    }
    return points;
}

struct PatternElement {
    enum class Kind { Any, One, Set, Char };
    explicit PatternElement(Kind k, uint32_t character = 0) : kind(k), c(character) {}

    Kind kind;
    uint32_t c = 0;
    bool negate = false;
    std::vector<std::pair<uint32_t, uint32_t>> ranges;

    bool Matches(uint32_t value) const {
        if (kind == Kind::One)
            return true;
        if (kind == Kind::Char)
            return FoldCase(c) == FoldCase(value);
        bool inside = false;
        for (auto [low, high] : ranges) {
            uint32_t v = FoldCase(value);
            inside = inside || (v >= FoldCase(low) && v <= FoldCase(high)) ||
                     (value >= low && value <= high);
        }
        return inside != negate;
    }
};

bool CompilePattern(const std::vector<uint32_t>& pattern, std::vector<PatternElement>& out) {
    for (size_t i = 0; i < pattern.size(); ++i) {
        uint32_t c = pattern[i];
        if (c == '%') {
            out.emplace_back(PatternElement::Kind::Any);
        } else if (c == '_') {
            out.emplace_back(PatternElement::Kind::One);
        } else if (c == '[') {
            PatternElement set(PatternElement::Kind::Set);
            size_t j = i + 1;
            if (j < pattern.size() && pattern[j] == '!') {
                set.negate = true;
                ++j;
            }
            size_t first = j;
            for (; j < pattern.size() && (pattern[j] != ']' || j == first); ++j) {
                uint32_t low = pattern[j];
                if (j + 2 < pattern.size() && pattern[j + 1] == '-' && pattern[j + 2] != ']') {
                    if (pattern[j + 2] < low)
                        return false;
                    set.ranges.emplace_back(low, pattern[j + 2]);
                    j += 2;
                } else {
                    set.ranges.emplace_back(low, low);
                }
            }
            if (j >= pattern.size())
                return false; // no closing bracket
            out.push_back(std::move(set));
            i = j;
        } else {
            out.emplace_back(PatternElement::Kind::Char, c);
        }
    }
    return true;
}

// Greedy matching with one backtrack point per %: linear-times-pattern time,
// whatever the pattern.
bool MatchPattern(const std::vector<uint32_t>& text, const std::vector<PatternElement>& pattern) {
    size_t t = 0, p = 0;
    size_t starP = SIZE_MAX, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p].kind == PatternElement::Kind::Any) {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() && pattern[p].Matches(text[t])) {
            ++p;
            ++t;
        } else if (starP != SIZE_MAX) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p].kind == PatternElement::Kind::Any)
        ++p;
    return p == pattern.size();
}

void Like(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    JetValue pattern = ReadValue(argv[1]);
    if (value.IsNull() || pattern.IsNull())
        return sqlite3_result_null(context);
    std::vector<PatternElement> compiled;
    if (!CompilePattern(CodePoints(TextOf(pattern)), compiled))
        return ResultError(context, "Invalid pattern string");
    sqlite3_result_int(context, MatchPattern(CodePoints(TextOf(value)), compiled) ? 1 : 0);
}

constexpr FunctionEntry kOperators[] = {
    {"jet_plus", 2, 2, Plus},
    {"jet_minus", 2, 2, Minus},
    {"jet_amp", 2, 2, Concatenate},
    {"jet_div", 2, 2, Divide},
    {"jet_idiv", 2, 2, IntegerDivide},
    {"jet_mod", 2, 2, Modulo},
    {"jet_pow", 2, 2, Power},
    {"jet_and", 2, 2, Bitwise<Logic::And>},
    {"jet_or", 2, 2, Bitwise<Logic::Or>},
    {"jet_xor", 2, 2, Bitwise<Logic::Xor>},
    {"jet_eqv", 2, 2, Bitwise<Logic::Eqv>},
    {"jet_imp", 2, 2, Bitwise<Logic::Imp>},
    {"jet_like", 2, 2, Like},
};

} // namespace

bool RegisterOperatorFunctions(sqlite3* db) {
    return RegisterScalars(db, kOperators, std::size(kOperators));
}

} // namespace veltrix::jet
