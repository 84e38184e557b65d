// Jet's functions, sorted by name. Each maps to a registered jet_ function,
// to a SQLite built-in whose meaning is the same (count, sum, avg, min, max,
// upper, lower, the trims), or to a CASE form. The argument counts are
// checked against this table, so a call SQLite would read differently
// (round's rounding, instr's arguments, min with two arguments) never
// reaches it.
#include "db/JetFunctionTable.h"

#include "db/JetRuntime.h"

#include "common/Strings.h"

#include <algorithm>

namespace veltrix::jet {
namespace {

constexpr ValueType N = ValueType::Number;
constexpr ValueType T = ValueType::Text;
constexpr ValueType U = ValueType::Unknown;

constexpr FunctionDef kFunctions[] = {
    {"abs", "jet_abs", 1, 1, Form::Call, N, runtime::Abs},
    {"asc", "jet_asc", 1, 1, Form::Call, N, runtime::Asc},
    {"avg", "avg", 1, 1, Form::Aggregate, N},
    {"cbool", "jet_cbool", 1, 1, Form::Call, N, runtime::CBool},
    {"cbyte", "jet_cbyte", 1, 1, Form::Call, N, runtime::CByte},
    {"ccur", "jet_ccur", 1, 1, Form::Call, N, runtime::CCur},
    {"cdate", "jet_cdate", 1, 1, Form::Call, T, runtime::ToDateText<false>},
    {"cdbl", "jet_cdbl", 1, 1, Form::Call, N, runtime::CDbl},
    {"choose", "", 2, 255, Form::Choose, U},
    {"chr", "jet_chr", 1, 1, Form::Call, T, runtime::Chr, nullptr, 99, true},
    {"cint", "jet_cint", 1, 1, Form::Call, N, runtime::ConvertToInteger<-32768, 32767>},
    {"clng", "jet_clng", 1, 1, Form::Call, N,
     runtime::ConvertToInteger<-2147483648LL, 2147483647LL>},
    {"count", "count", 1, 1, Form::Aggregate, N},
    {"csng", "jet_csng", 1, 1, Form::Call, N, runtime::CSng},
    {"cstr", "jet_cstr", 1, 1, Form::Call, T, runtime::CStr},
    {"cvar", "", 1, 1, Form::Identity, U},
    {"date", "jet_date", 0, 0, Form::Call, T, runtime::Today, nullptr, 99, false, false},
    {"dateadd", "jet_dateadd", 3, 3, Form::Call, T, runtime::DateAdd},
    {"datediff", "jet_datediff", 3, 5, Form::Call, N, runtime::DateDiff, nullptr, 4},
    {"datepart", "jet_datepart", 2, 4, Form::Call, N, runtime::DatePart, nullptr, 3},
    {"dateserial", "jet_dateserial", 3, 3, Form::Call, T, runtime::DateSerial},
    {"datevalue", "jet_datevalue", 1, 1, Form::Call, T, runtime::ToDateText<true>},
    {"day", "jet_day", 1, 1, Form::Call, N, runtime::DateField<runtime::Field::Day>},
    {"exp", "jet_exp", 1, 1, Form::Call, N, runtime::Exp},
    {"first", "jet_first", 1, 1, Form::Aggregate, U, runtime::KeepStep<true>, runtime::KeepFinal},
    {"fix", "jet_fix", 1, 1, Form::Call, N, runtime::WholePart<false>},
    {"format", "jet_format", 1, 4, Form::Call, T, runtime::Format, nullptr, 2, true},
    {"hex", "jet_hex", 1, 1, Form::Call, T, runtime::Hex, nullptr, 99, true},
    {"hour", "jet_hour", 1, 1, Form::Call, N, runtime::DateField<runtime::Field::Hour>},
    {"iif", "", 3, 3, Form::IIf, U},
    {"instr", "jet_instr", 2, 4, Form::Call, N, runtime::InStr},
    {"int", "jet_int", 1, 1, Form::Call, N, runtime::WholePart<true>},
    {"isdate", "jet_isdate", 1, 1, Form::Call, N, runtime::IsDate},
    {"isnull", "", 1, 1, Form::IsNull, N},
    {"isnumeric", "jet_isnumeric", 1, 1, Form::Call, N, runtime::IsNumeric},
    {"last", "jet_last", 1, 1, Form::Aggregate, U, runtime::KeepStep<false>, runtime::KeepFinal},
    {"lcase", "lower", 1, 1, Form::Call, T, nullptr, nullptr, 99, true},
    {"left", "jet_left", 2, 2, Form::Call, T, runtime::LeftRight<true>, nullptr, 99, true},
    {"len", "jet_len", 1, 1, Form::Call, N, runtime::Len},
    {"log", "jet_log", 1, 1, Form::Call, N, runtime::Log},
    {"ltrim", "ltrim", 1, 1, Form::Call, T, nullptr, nullptr, 99, true},
    {"max", "max", 1, 1, Form::Aggregate, U},
    {"mid", "jet_mid", 2, 3, Form::Call, T, runtime::Mid, nullptr, 99, true},
    {"min", "min", 1, 1, Form::Aggregate, U},
    {"minute", "jet_minute", 1, 1, Form::Call, N, runtime::DateField<runtime::Field::Minute>},
    {"month", "jet_month", 1, 1, Form::Call, N, runtime::DateField<runtime::Field::Month>},
    {"now", "jet_now", 0, 0, Form::Call, T, runtime::Now, nullptr, 99, false, false},
    {"nz", "", 1, 2, Form::Nz, U},
    {"oct", "jet_oct", 1, 1, Form::Call, T, runtime::Oct, nullptr, 99, true},
    {"partition", "jet_partition", 4, 4, Form::Call, T, runtime::Partition},
    {"right", "jet_right", 2, 2, Form::Call, T, runtime::LeftRight<false>, nullptr, 99, true},
    {"rnd", "jet_rnd", 0, 1, Form::Call, N, runtime::Rnd, nullptr, 99, false, false},
    {"round", "jet_round", 1, 2, Form::Call, N, runtime::Round},
    {"rtrim", "rtrim", 1, 1, Form::Call, T, nullptr, nullptr, 99, true},
    {"second", "jet_second", 1, 1, Form::Call, N, runtime::DateField<runtime::Field::Second>},
    {"sgn", "jet_sgn", 1, 1, Form::Call, N, runtime::Sgn},
    {"space", "jet_space", 1, 1, Form::Call, T, runtime::Space, nullptr, 99, true},
    {"sqr", "jet_sqr", 1, 1, Form::Call, N, runtime::Sqr},
    {"stdev", "jet_stdev", 1, 1, Form::Aggregate, N, runtime::SpreadStep,
     runtime::SpreadFinal<true, true>},
    {"stdevp", "jet_stdevp", 1, 1, Form::Aggregate, N, runtime::SpreadStep,
     runtime::SpreadFinal<false, true>},
    {"str", "jet_str", 1, 1, Form::Call, T, runtime::Str, nullptr, 99, true},
    {"strcomp", "jet_strcomp", 2, 3, Form::Call, N, runtime::StrComp},
    {"string", "jet_string", 2, 2, Form::Call, T, runtime::StringOf, nullptr, 99, true},
    {"sum", "sum", 1, 1, Form::Aggregate, N},
    {"switch", "", 2, 254, Form::Switch, U},
    {"time", "jet_time", 0, 0, Form::Call, T, runtime::TimeOfDay, nullptr, 99, false, false},
    {"timeserial", "jet_timeserial", 3, 3, Form::Call, T, runtime::TimeSerial},
    {"timevalue", "jet_timevalue", 1, 1, Form::Call, T, runtime::TimeValue},
    {"trim", "trim", 1, 1, Form::Call, T, nullptr, nullptr, 99, true},
    {"ucase", "upper", 1, 1, Form::Call, T, nullptr, nullptr, 99, true},
    {"val", "jet_val", 1, 1, Form::Call, N, runtime::Val},
    {"var", "jet_var", 1, 1, Form::Aggregate, N, runtime::SpreadStep,
     runtime::SpreadFinal<true, false>},
    {"varp", "jet_varp", 1, 1, Form::Aggregate, N, runtime::SpreadStep,
     runtime::SpreadFinal<false, false>},
    {"weekday", "jet_weekday", 1, 2, Form::Call, N, runtime::Weekday},
    {"year", "jet_year", 1, 1, Form::Call, N, runtime::DateField<runtime::Field::Year>},
};

static_assert(std::is_sorted(std::begin(kFunctions), std::end(kFunctions),
                             [](const FunctionDef& a, const FunctionDef& b) {
                                 return a.jetName < b.jetName;
                             }));

} // namespace

const FunctionDef* FindFunction(std::string_view name) {
    bool dollar = !name.empty() && name.back() == '$';
    if (dollar)
        name.remove_suffix(1);
    if (name.size() > 12)
        return nullptr;
    char lower[12];
    for (size_t i = 0; i < name.size(); ++i)
        lower[i] = ToLowerAscii(name[i]);
    std::string_view key(lower, name.size());
    auto found = std::lower_bound(
        std::begin(kFunctions), std::end(kFunctions), key,
        [](const FunctionDef& def, std::string_view wanted) { return def.jetName < wanted; });
    if (found == std::end(kFunctions) || found->jetName != key || (dollar && !found->dollar))
        return nullptr;
    return &*found;
}

bool RegisterFunctionTable(sqlite3* db) {
    for (const FunctionDef& def : kFunctions) {
        if (!def.function)
            continue;
        int flags = SQLITE_UTF8 | (def.deterministic ? SQLITE_DETERMINISTIC : 0);
        auto scalar = def.final ? nullptr : def.function;
        auto step = def.final ? def.function : nullptr;
        for (int args = def.minArgs; args <= std::min(def.maxArgs, def.passedArgs); ++args) {
            if (sqlite3_create_function_v2(db, def.sqliteName, args, flags, nullptr, scalar, step,
                                           def.final, nullptr) != SQLITE_OK)
                return false;
        }
    }
    return true;
}

} // namespace veltrix::jet
