// Jet function calls. Each Jet name maps to a registered jet_ function, or to
// a SQLite built-in whose meaning is the same (count, sum, avg, min, max,
// upper, lower, the trims), or to a CASE form (IIf, Switch). The argument
// counts are checked here, so a call SQLite would read differently (round's
// rounding, instr's arguments, min with two arguments) never reaches it.
#include "db/JetParser.h"

#include <algorithm>

namespace veltrix::jet {
namespace {

enum class Form { Call, Aggregate, IIf, Switch, Nz, IsNull };

struct FunctionInfo {
    std::string_view jetName; // lower case
    const char* sqliteName;
    int minArgs;
    int maxArgs;
    Form form;
    ValueType type;
    int passedArgs = 99; // arguments beyond this are Jet's locale options, dropped
};

constexpr ValueType N = ValueType::Number;
constexpr ValueType T = ValueType::Text;
constexpr ValueType U = ValueType::Unknown;

// Sorted by Jet name.
constexpr FunctionInfo kFunctions[] = {
    {"abs", "jet_abs", 1, 1, Form::Call, N},
    {"asc", "jet_asc", 1, 1, Form::Call, N},
    {"avg", "avg", 1, 1, Form::Aggregate, N},
    {"cdate", "jet_cdate", 1, 1, Form::Call, T},
    {"cdbl", "jet_cdbl", 1, 1, Form::Call, N},
    {"chr", "jet_chr", 1, 1, Form::Call, T},
    {"cint", "jet_cint", 1, 1, Form::Call, N},
    {"clng", "jet_clng", 1, 1, Form::Call, N},
    {"count", "count", 1, 1, Form::Aggregate, N},
    {"cstr", "jet_cstr", 1, 1, Form::Call, T},
    {"date", "jet_date", 0, 0, Form::Call, T},
    {"dateadd", "jet_dateadd", 3, 3, Form::Call, T},
    {"datediff", "jet_datediff", 3, 5, Form::Call, N, 4},
    {"datepart", "jet_datepart", 2, 4, Form::Call, N, 3},
    {"dateserial", "jet_dateserial", 3, 3, Form::Call, T},
    {"datevalue", "jet_datevalue", 1, 1, Form::Call, T},
    {"day", "jet_day", 1, 1, Form::Call, N},
    {"exp", "jet_exp", 1, 1, Form::Call, N},
    {"first", "jet_first", 1, 1, Form::Aggregate, U},
    {"fix", "jet_fix", 1, 1, Form::Call, N},
    {"format", "jet_format", 1, 4, Form::Call, T, 2},
    {"hour", "jet_hour", 1, 1, Form::Call, N},
    {"iif", "", 3, 3, Form::IIf, U},
    {"instr", "jet_instr", 2, 4, Form::Call, N},
    {"int", "jet_int", 1, 1, Form::Call, N},
    {"isdate", "jet_isdate", 1, 1, Form::Call, N},
    {"isnull", "", 1, 1, Form::IsNull, N},
    {"isnumeric", "jet_isnumeric", 1, 1, Form::Call, N},
    {"last", "jet_last", 1, 1, Form::Aggregate, U},
    {"lcase", "lower", 1, 1, Form::Call, T},
    {"left", "jet_left", 2, 2, Form::Call, T},
    {"len", "jet_len", 1, 1, Form::Call, N},
    {"log", "jet_log", 1, 1, Form::Call, N},
    {"ltrim", "ltrim", 1, 1, Form::Call, T},
    {"max", "max", 1, 1, Form::Aggregate, U},
    {"mid", "jet_mid", 2, 3, Form::Call, T},
    {"min", "min", 1, 1, Form::Aggregate, U},
    {"minute", "jet_minute", 1, 1, Form::Call, N},
    {"month", "jet_month", 1, 1, Form::Call, N},
    {"now", "jet_now", 0, 0, Form::Call, T},
    {"nz", "", 1, 2, Form::Nz, U},
    {"right", "jet_right", 2, 2, Form::Call, T},
    {"round", "jet_round", 1, 2, Form::Call, N},
    {"rtrim", "rtrim", 1, 1, Form::Call, T},
    {"second", "jet_second", 1, 1, Form::Call, N},
    {"sgn", "jet_sgn", 1, 1, Form::Call, N},
    {"space", "jet_space", 1, 1, Form::Call, T},
    {"sqr", "jet_sqr", 1, 1, Form::Call, N},
    {"stdev", "jet_stdev", 1, 1, Form::Aggregate, N},
    {"stdevp", "jet_stdevp", 1, 1, Form::Aggregate, N},
    {"str", "jet_str", 1, 1, Form::Call, T},
    {"string", "jet_string", 2, 2, Form::Call, T},
    {"sum", "sum", 1, 1, Form::Aggregate, N},
    {"switch", "", 2, 254, Form::Switch, U},
    {"time", "jet_time", 0, 0, Form::Call, T},
    {"trim", "trim", 1, 1, Form::Call, T},
    {"ucase", "upper", 1, 1, Form::Call, T},
    {"val", "jet_val", 1, 1, Form::Call, N},
    {"var", "jet_var", 1, 1, Form::Aggregate, N},
    {"varp", "jet_varp", 1, 1, Form::Aggregate, N},
    {"weekday", "jet_weekday", 1, 2, Form::Call, N},
    {"year", "jet_year", 1, 1, Form::Call, N},
};

static_assert(std::is_sorted(std::begin(kFunctions), std::end(kFunctions),
                             [](const FunctionInfo& a, const FunctionInfo& b) {
                                 return a.jetName < b.jetName;
                             }));

const FunctionInfo* FindFunction(std::string_view name) {
    if (name.size() > 12)
        return nullptr;
    std::string lower;
    for (char c : name)
        lower += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    auto found = std::lower_bound(
        std::begin(kFunctions), std::end(kFunctions), lower,
        [](const FunctionInfo& info, const std::string& key) { return info.jetName < key; });
    return found != std::end(kFunctions) && found->jetName == lower ? &*found : nullptr;
}

ValueType CommonType(const Expr& a, const Expr& b) {
    if (a.type == ValueType::Null)
        return b.type;
    if (b.type == ValueType::Null || a.type == b.type)
        return a.type;
    return ValueType::Unknown;
}

} // namespace

Expr Parser::ParseFunctionCall(std::string_view name) {
    const FunctionInfo* info = FindFunction(name);
    if (!info)
        Fail("Undefined function '" + std::string(name) + "' in expression");
    ExpectSymbol("(");
    std::vector<Expr> args;
    if (info->jetName == "count" && AcceptSymbol("*")) {
        ExpectSymbol(")");
        Expr e;
        e.sql = "count(*)";
        e.type = ValueType::Number;
        return e;
    }
    if (!PeekSymbol(")")) {
        do {
            args.push_back(ParseExpression());
        } while (AcceptSymbol(","));
    }
    ExpectSymbol(")");
    int count = static_cast<int>(args.size());
    if (count < info->minArgs || count > info->maxArgs ||
        (info->form == Form::Switch && count % 2 != 0))
        Fail("Wrong number of arguments used with function '" + std::string(name) +
             "' in query expression");

    switch (info->form) {
    case Form::Call:
    case Form::Aggregate: {
        std::vector<Expr> values;
        for (int i = 0; i < count && i < info->passedArgs; ++i)
            values.push_back(AsValue(args[static_cast<size_t>(i)]));
        return Call(info->sqliteName, values, info->type);
    }
    case Form::IIf: {
        // The condition stays a predicate; Jet's -1 is true in SQLite too.
        Expr yes = AsValue(args[1]);
        Expr no = AsValue(args[2]);
        Expr e = Call("", {args[0], yes, no}, CommonType(yes, no));
        e.sql = "CASE WHEN " + args[0].sql + " THEN " + yes.sql + " ELSE " + no.sql + " END";
        return e;
    }
    case Form::Switch: {
        std::string sql = "CASE";
        ValueType type = ValueType::Null;
        std::vector<Expr> parts;
        for (size_t i = 0; i + 1 < args.size(); i += 2) {
            Expr value = AsValue(args[i + 1]);
            sql += " WHEN " + args[i].sql + " THEN " + value.sql;
            Expr typed;
            typed.type = type;
            type = CommonType(typed, value);
            parts.push_back(args[i]);
            parts.push_back(value);
        }
        Expr e = Call("", parts, type);
        e.sql = sql + " END";
        return e;
    }
    case Form::Nz: {
        // In a query Nz turns null into the empty text unless told otherwise.
        Expr value = AsValue(args[0]);
        Expr fallback;
        fallback.sql = "''";
        fallback.type = ValueType::Text;
        if (count == 2)
            fallback = AsValue(args[1]);
        return Call("ifnull", {value, fallback}, CommonType(value, fallback));
    }
    case Form::IsNull: {
        Expr value = AsValue(args[0]);
        Expr e = Call("", {value}, ValueType::Number);
        e.sql = Wrap(value, kBitwise) + " IS NULL";
        e.precedence = kEquality;
        e.predicate = true;
        return e;
    }
    }
    Fail("Undefined function '" + std::string(name) + "' in expression");
}

} // namespace veltrix::jet
