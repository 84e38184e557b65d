// The Jet functions and operators as a query sees them: each case runs
// "select <expression>" on a real connection and checks the value's text and
// its storage class (the field text of a real 3 and an integer 3 are alike).
#include "db/JetDialect.h"
#include "fakes/DrawDatabaseFixture.h"

#include <ctime>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace veltrix {
namespace {

struct EvaluatedField {
    int type = SQLITE_NULL; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_NULL
    std::string text;
};

struct Evaluation {
    std::string error; // translation or SQLite error; empty on success
    std::vector<EvaluatedField> fields;
};

// The first row of a translated statement with each value's storage class.
Evaluation EvaluateFirstRow(sqlite3* db, const std::string& jetSql) {
    Evaluation result;
    JetTranslation translation = TranslateJetSql(jetSql);
    if (!translation.ok) {
        result.error = translation.error;
        return result;
    }
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, translation.sql.c_str(), -1, &stmt, nullptr);
    if (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const unsigned char* text = sqlite3_column_text(stmt, i);
            result.fields.push_back(
                {sqlite3_column_type(stmt, i), text ? reinterpret_cast<const char*>(text) : ""});
        }
    } else if (rc != SQLITE_DONE) {
        result.error = sqlite3_errmsg(db);
    }
    sqlite3_finalize(stmt);
    return result;
}

enum class Kind { Integer, Real, Text, Null, Error };

struct FunctionCase {
    const char* name;
    const char* expression;
    Kind kind;
    const char* text; // the value's text, or a part of the error message
};

// One database without tables, with the Jet functions, for the suite.
class JetFunctionTest : public ::testing::TestWithParam<FunctionCase> {
protected:
    static void SetUpTestSuite() {
        sqlite3_open(":memory:", &s_db);
        RegisterJetFunctions(s_db);
    }
    static void TearDownTestSuite() { sqlite3_close(s_db); }
    static inline sqlite3* s_db = nullptr;
};

TEST_P(JetFunctionTest, GivesJetsResult) {
    const FunctionCase& c = GetParam();
    Evaluation result = EvaluateFirstRow(s_db, std::string("select ") + c.expression);
    if (c.kind == Kind::Error) {
        EXPECT_NE(result.error.find(c.text), std::string::npos) << result.error;
        return;
    }
    ASSERT_EQ(result.error, "");
    ASSERT_EQ(result.fields.size(), 1u);
    const EvaluatedField& field = result.fields[0];
    int expectedType = c.kind == Kind::Integer ? SQLITE_INTEGER
                       : c.kind == Kind::Real  ? SQLITE_FLOAT
                       : c.kind == Kind::Text  ? SQLITE_TEXT
                                               : SQLITE_NULL;
    EXPECT_EQ(field.type, expectedType);
    if (c.kind == Kind::Real) {
        EXPECT_DOUBLE_EQ(std::stod(field.text), std::stod(c.text)) << field.text;
    } else {
        EXPECT_EQ(field.text, c.text);
    }
}

constexpr Kind I = Kind::Integer, R = Kind::Real, T = Kind::Text, N = Kind::Null, E = Kind::Error;

const FunctionCase kCases[] = {
    {"functions_of_null_are_null",
     "isnull(str(null)) & isnull(right(null, 2)) & isnull(len(null)) & isnull(instr(null, 'a')) & "
     "isnull(year(null)) & isnull(format(null, '0#')) & isnull(strcomp(null, 'a'))",
     T, "-1-1-1-1-1-1-1"},
    {"str_blank_for_sign",
     "str(0) & '|' & str(-5) & '|' & str(2.5) & '|' & str(-0.5) & '|' & str('12') & str(1e20)", T,
     " 0|-5| 2.5|-.5| 12 1E+20"},
    {"str_word_is_type_mismatch", "str('x')", E, "Type mismatch"},
    {"cstr_integer", "cstr(7)", T, "7"},
    {"val_prefix_blanks_hex_word", "val('12abc') & val('  1 2 3') & val('&H1F') & val('abc')", T,
     "12123310"},
    {"val_exponent", "val('2.5e2x')", R, "250"},
    {"val_negative_fraction", "val('-.5')", R, "-0.5"},
    {"cint_half_to_even", "cint(2.5) & cint(-2.5) & cint(2.51)", T, "2-23"},
    {"cint_numeric_text", "cint('7.5')", I, "8"},
    {"cint_overflow", "cint(32767.5)", E, "Overflow"},
    {"cint_word", "cint('abc')", E, "Type mismatch"},
    {"clng_half_to_even", "clng(2.5)", I, "2"},
    {"clng_overflow", "clng(1e10)", E, "Overflow"},
    {"int_floors_fix_truncates", "int(-2.5) & fix(-2.5)", T, "-3-2"},
    {"int_of_text", "int('3.9')", I, "3"},
    {"abs_integer", "abs(-3)", I, "3"},
    {"abs_real", "abs(-2.5)", R, "2.5"},
    {"sgn_negative", "sgn(-7)", I, "-1"},
    {"sqr", "sqr(16)", R, "4"},
    {"sqr_negative", "sqr(-1)", E, "Invalid procedure call"},
    {"round_half_to_even", "round(2.5)", R, "2"},
    {"round_integer_stays_integer", "round(7)", I, "7"},
    {"round_negative_places", "round(1.5, -1)", E, "Invalid procedure call"},
    {"left_right", "left('abcdef', 2) & right('abcdef', 2) & right('abc', 10)", T, "abefabc"},
    {"right_counts_characters", "right('福彩3D', 3)", T, "彩3D"},
    {"left_of_number", "left(12345, 2)", T, "12"},
    {"left_negative_length", "left('abc', -1)", E, "Invalid procedure call"},
    {"mid", "mid('abcdef', 2, 3) & '|' & mid('abcdef', 5) & '|' & mid('abc', 10)", T, "bcd|ef|"},
    {"mid_start_zero", "mid('abc', 0)", E, "Invalid procedure call"},
    {"len_counts_characters", "len('福彩3D')", I, "4"},
    {"instr",
     "instr('abcABC', 'C') & instr(4, 'abcABC', 'c') & instr(1, 'abcABC', 'C', 0) & "
     "instr('abc', '') & instr('abc', 'z')",
     T, "36610"},
    {"cases_and_trims",
     "ucase('aBc') & lcase('aBc') & '|' & trim('  a  ') & '|' & ltrim('  a ') & "
     "'|' & rtrim(' a  ')",
     T, "ABCabc|a|a | a"},
    {"space", "space(3)", T, "   "},
    {"space_negative", "space(-1)", E, "Invalid procedure call"},
    {"string_and_chr", "string(3, 'ab') & string(2, 65) & chr(65) & chr(20013)", T, "aaaAAA中"},
    {"chr_out_of_range", "chr(70000)", E, "Invalid procedure call"},
    {"asc", "asc('A') & ' ' & asc('中')", T, "65 20013"},
    {"asc_empty", "asc('')", E, "Invalid procedure call"},
    {"iif_false_and_null_conditions", "iif(1 > 2, 'y', 'n') & iif(null, 'y', 'n')", T, "nn"},
    {"nz_fallback_or_empty_text_in_a_query", "nz(null, 'x') & '|' & nz(null)", T, "x|"},
    {"nz_of_value", "nz(5)", I, "5"},
    {"switch_first_true", "switch(1 = 2, 'a', 2 = 2, 'b')", T, "b"},
    {"switch_none_true", "switch(1 = 2, 'a')", N, ""},
    {"is_functions",
     "isnull(null) & isnull(5) & isnumeric('12') & isnumeric('x') & "
     "isdate('2004-10-18') & isdate('x')",
     T, "-10-10-10"},
    {"date_parts_of_each_form", "year('2004-10-18') & month('2004/1/8') & day('2004.1.8')", T,
     "200418"},
    {"weekday_sunday_or_monday_first", "weekday('2004-10-17') * 10 + weekday('2004-10-18', 2)", I,
     "11"},
    {"year_of_word", "year('x')", E, "Type mismatch"},
    {"dateadd_month_and_year_clamp",
     "dateadd('m', 1, '2004-01-31') & ' ' & dateadd('m', 1, '2003-01-31') & ' ' & "
     "dateadd('yyyy', 1, '2004-02-29')",
     T, "2004-02-29 2003-02-28 2005-02-28"},
    {"dateadd_days_weeks_quarters",
     "dateadd('d', 1, '2004-12-31') & ' ' & dateadd('ww', 2, '2004/1/1') & ' ' & "
     "dateadd('q', -1, '2004-03-31')",
     T, "2005-01-01 2004-01-15 2003-12-31"},
    {"dateadd_hour_gives_date_time", "dateadd('h', 1, '2004-01-01')", T, "2004-01-01 01:00:00"},
    {"dateadd_unknown_interval", "dateadd('x', 1, '2004-01-01')", E, "Invalid procedure call"},
    {"datediff_days", "datediff('d', '2004-01-01', '2004-03-01')", I, "60"},
    {"datediff_counts_boundaries",
     "datediff('m', '2004-01-31', '2004-02-01') & datediff('yyyy', '2003-12-31', '2004-01-01') & "
     "datediff('ww', '2004-01-03', '2004-01-04') & datediff('w', '2004-01-01', '2004-01-15') & "
     "datediff('h', '2004-01-01 10:59:00', '2004-01-01 11:00:00')",
     T, "11121"},
    {"datepart_quarter_and_day_of_year",
     "datepart('q', '2004-05-01') & datepart('y', '2004-02-01')", T, "232"},
    {"dateserial_normalises", "dateserial(2004, 13, 1) & ' ' & dateserial(4, 2, 30)", T,
     "2005-01-01 2004-03-01"},
    {"format_two_digits", "format(7, '0#') & format(-7, '0#') & format('7', '0#')", T, "07-0707"},
    {"format_date_texts",
     "format('2004/10/18', 'yyyymmdd') & format('2004.10.18', 'yyyy') & "
     "format('20041018', 'mm') & format('2004-10-08', 'dd')",
     T,
     "20041018200410"
     "08"},
    {"format_numbers",
     "format(0.5, '0.00') & '|' & format(2.5, '0') & '|' & format(5, '0.##') & '|' & "
     "format(0.256, 'Percent') & '|' & format(12345, '0.00E+00') & '|' & format(7)",
     T, "0.50|3|5.|25.60%|1.23E+04|7"},
    {"format_named_and_text_patterns", "format('2004/10/18', 'Short Date') & format('abc', '>')", T,
     "2004-10-18ABC"},
    {"division_fractional", "7/2", R, "3.5"},
    {"division_whole_is_real", "6/2", R, "3"},
    {"integer_division", "5\\2", I, "2"},
    {"integer_division_rounds_operands_half_even", "(5.5\\2) & (2.5\\1)", T, "32"},
    {"mod_sign_of_dividend_and_rounded_operands", "(-7 mod 3) * 10 + (7.5 mod 2)", I, "-10"},
    {"mod_by_zero", "7 mod 0", E, "Division by zero"},
    {"power", "2^10", R, "1024"},
    {"power_before_negation", "-2^2", R, "-4"},
    {"plus_word_and_number", "'a' + 1", E, "Type mismatch"},
    {"plus_numeric_text_adds", "'2' + 1", I, "3"},
    {"plus_date_text_and_days", "'2004-10-18' + 1", T, "2004-10-19"},
    {"minus_days_from_date", "#2004-10-18# - 1", T, "2004-10-17"},
    {"minus_dates_gives_days", "#2004-10-18# - #2004-10-01#", R, "17"},
    {"plus_texts_join", "('2' + '1') & ('a' + 'b')", T, "21ab"},
    {"ampersand_two_nulls", "null & null", N, ""},
    {"ampersand_null_is_empty", "'a' & null & 1 & 2", T, "a12"},
    {"true_is_minus_one", "True", I, "-1"},
    {"text_equality_without_case", "'a' = 'A'", I, "-1"},
    {"texts_compare_without_case", "('a' < 'B') & ('B' between 'a' and 'c') & ('b' in ('A', 'B'))",
     T, "-1-1-1"},
    {"comparison_false_not_zero", "(5 < 3) & (not 0)", T, "0-1"},
    {"and_of_numbers_is_bitwise", "3 and 5", I, "1"},
    {"false_and_null_true_or_null", "(False and Null) & (True or Null)", T, "0-1"},
    {"null_and_true", "Null and True", N, ""},
    {"like_without_case", "'x' like 'X'", I, "-1"},
    {"like_patterns",
     "('b' like '[a-c]') & ('d' like '[!a-c]') & ('abc' like 'a_c') & ('a%c' like 'a[%]c') & "
     "('abc' like 'a[%]c')",
     T, "-1-1-1-10"},
    {"like_unclosed_list", "'abc' like '[a'", E, "Invalid pattern"},
    {"is_null", "null is null", I, "-1"},
    // Precedence and forms the translation must keep.
    {"mod_looser_than_times", "7 mod 2 * 3", I, "1"},
    {"ampersand_looser_than_plus", "'a' & 1 + 2", T, "a3"},
    {"plus_with_null", "null + 1", N, ""},
    {"grouping_kept", "1 - (2 - 3) + 2 * (2 + 3)", I, "12"},
    {"double_minus_is_no_comment", "- -2 + 2 - -3", I, "7"},
    {"or_xor_eqv_imp_are_bitwise", "(3 or 5) & (3 xor 5) & (3 eqv 5) & (3 imp 5)", T, "76-7-3"},
    {"truth_values_combine", "(1 = 1) and not (2 = 3)", I, "-1"},
    {"negated_between_and_in", "(5 not between 1 and 3) + (3 not in (3))", I, "-1"},
    {"not_like_list", "'x' not like '[!x]'", I, "-1"},
    {"function_result_compares_without_case", "ucase('x') = 'x'", I, "-1"},
    {"date_literal_compares_as_text", "'2020-03-01' >= #1/1/2020#", I, "-1"},
    {"function_names_without_case", "FORMAT(7, '0#') & Left('abc', 2)", T, "07ab"},
    {"format_extra_arguments_ignored", "format('2004-01-08', 'ww', 2, 1)", T, "2"},
    {"choose_rounds_its_index", "choose(1.6, 'a', 'b', 'c')", T, "b"},
    {"choose_out_of_range", "choose(4, 'a', 'b')", N, ""},
    {"partition_inside_and_outside",
     "partition(75, 0, 100, 10) & '|' & partition(-5, 0, 99, 5) & '|' & partition(150, 0, 99, 5)",
     T, "  70:  79|   : -1|100:   "},
    {"partition_bad_interval", "partition(5, 0, 99, 0)", E, "Invalid procedure call"},
    {"rnd_negative_repeats", "rnd(-3) = rnd(-3) and rnd(0) = rnd(0) and rnd() < 1", I, "-1"},
    {"hex", "hex(255) & ' ' & hex(-1) & ' ' & hex(-65536)", T, "FF FFFF FFFF0000"},
    {"oct", "oct(8) & ' ' & oct$(-1)", T, "10 177777"},
    {"strcomp_ignores_case", "strcomp('a', 'A')", I, "0"},
    {"strcomp_binary", "strcomp('a', 'A', 0) & strcomp('a', 'b')", T, "1-1"},
    {"csng_keeps_seven_digits", "csng(1.23456789)", R, "1.234568"},
    {"ccur_four_places", "ccur(2.34565)", R, "2.3456"},
    {"cbool_text_and_number", "cbool('True') & cbool(0) & cbool(2)", T, "-10-1"},
    {"cbool_word", "cbool('x')", E, "Type mismatch"},
    {"cbyte_half_to_even", "cbyte(254.5)", I, "254"},
    {"cbyte_overflow", "cbyte(255.5)", E, "Overflow"},
    {"cvar_is_the_value", "cvar(2 + 3) * 2", I, "10"},
    {"timeserial_timevalue",
     "timeserial(13, 5, 9) & '|' & timeserial(25, 0, 0) & '|' & timevalue('2026-08-22 21:30')", T,
     "13:05:09|1899-12-31 01:00:00|21:30:00"},
    {"dollar_forms", "left$('abc', 2) & mid$('abc', 2) & format$(7, '0#') & ucase$('x')", T,
     "abbc07X"},
    {"alike_reads_percent", "('abc' alike 'A%') & ('abc' not alike 'b%')", T, "-1-1"},
    {"date_literals_with_month_names", "#22-Aug-2026# & ' ' & #Aug 22, 2026#", T,
     "2026-08-22 2026-08-22"},
    {"date_literal_year_first_with_time", "#2026/8/22 21:30#", T, "2026-08-22 21:30:00"},
};

INSTANTIATE_TEST_SUITE_P(Jet, JetFunctionTest, ::testing::ValuesIn(kCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(JetFunctionTest, DateAndNowAreLocalTime) {
    auto local = [](std::time_t t) {
        std::tm tm{};
        localtime_r(&t, &tm);
        char text[24];
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &tm);
        return std::string(text);
    };
    const std::string before = local(std::time(nullptr));
    Evaluation result = EvaluateFirstRow(s_db, "select date(), now(), time()");
    const std::string after = local(std::time(nullptr));
    ASSERT_EQ(result.error, "");
    ASSERT_EQ(result.fields.size(), 3u);
    const std::string& now = result.fields[1].text;
    EXPECT_EQ(result.fields[0].text + " " + result.fields[2].text, now);
    EXPECT_TRUE(before <= now && now <= after) << before << " / " << now << " / " << after;
}

class JetAggregateTest : public test::DrawDatabaseFixture {};

TEST_F(JetAggregateTest, FirstAndLastFollowTheRowsRead) {
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3) VALUES ('04001','2004-11-14',1,2,3), "
         "('04002','2004-11-16',4,NULL,6), ('04003','2004-11-19',7,8,9)");
    Evaluation result = EvaluateFirstRow(
        db.Handle(),
        "select first(h1), last(h1), first(qs), last(h2), count(h2), stdev(h1), varp(h1) "
        "from (select * from p3 order by qs)");
    ASSERT_EQ(result.error, "");
    std::string row; // values 1, 4, 7: stdev 3, varp 6
    for (const EvaluatedField& field : result.fields)
        row += field.text + "|";
    EXPECT_EQ(row, "1|7|04001|8|2|3.0|6.0|");
}

} // namespace
} // namespace veltrix
