// Exact translations of Jet statements into SQLite, and the statements the
// translator must refuse with a reason.
#include "db/JetDialect.h"

#include <gtest/gtest.h>
#include <random>

namespace veltrix {
namespace {

// The draw tables' issue column is their unique key.
class DrawSchema : public JetSchema {
public:
    bool IsUniqueColumn(std::string_view, std::string_view column) const override {
        return column == "qs" || column == "QS";
    }
};

struct TranslationCase {
    const char* name;
    const char* jet;
    const char* sqlite;
};

class JetTranslationTest : public ::testing::TestWithParam<TranslationCase> {};

TEST_P(JetTranslationTest, GivesTheExpectedSqlite) {
    DrawSchema schema;
    JetTranslation translation = TranslateJetSql(GetParam().jet, &schema);
    ASSERT_TRUE(translation.ok) << translation.error;
    EXPECT_EQ(translation.sql, GetParam().sqlite);
}

const TranslationCase kTranslations[] = {
    // Names, literals, quoting.
    {"table_beginning_with_digit", "select * from 3d", R"(SELECT * FROM "3d")"},
    {"other_digit_tables", "select qs from 7xc union all select qs from 7lc",
     R"(SELECT "qs" FROM "7xc" UNION ALL SELECT "qs" FROM "7lc")"},
    {"qualified_digit_table", "select 3d.h1 from 3d", R"(SELECT "3d"."h1" FROM "3d")"},
    {"bracketed_names", "select [my col], [3d].[h1] from [3d]",
     R"(SELECT "my col", "3d"."h1" FROM "3d")"},
    {"single_quotes_with_doubled_quote", "select 'it''s'", "SELECT 'it''s'"},
    {"double_quotes_are_text", R"(select "say ""hi""", "it's")", R"(SELECT 'say "hi"', 'it''s')"},
    {"iso_date_literal", "select #2004-10-18#", "SELECT '2004-10-18'"},
    {"us_date_literal", "select #10/18/2004#", "SELECT '2004-10-18'"},
    {"date_time_literal", "select #2004/1/8 13:05#", "SELECT '2004-01-08 13:05:00'"},
    {"leading_zeros_dropped", "select 007, 0.5, .25, 1E3", "SELECT 7, 0.5, .25, 1E3"},
    {"true_false", "select True, False", "SELECT -1, 0"},
    {"keywords_as_values", "select null, true, not true", "SELECT NULL, -1, ~-1"},
    {"single_names_before_operators", "select h1 mod 2, t is null, qs like 'a%' from dlt",
     R"(SELECT jet_mod("h1", 2), -("t" IS NULL), -("qs" LIKE 'a%') FROM "dlt")"},
    {"aliases", "select qs as [期数], h1 as \"n\" from dlt",
     R"(SELECT "qs" AS "期数", "h1" AS "n" FROM "dlt")"},
    // Operators and Jet's precedence.
    {"division_always_fractional", "select 7/2", "SELECT jet_div(7, 2)"},
    {"integer_division_and_mod", "select 7\\2, 7 mod 2", "SELECT jet_idiv(7, 2), jet_mod(7, 2)"},
    {"power_binds_tighter_than_minus", "select -2^2, (-2)^2",
     "SELECT -jet_pow(2, 2), jet_pow(-2, 2)"},
    {"mod_looser_than_multiplication", "select 7 mod 2 * 3", "SELECT jet_mod(7, 2 * 3)"},
    {"concat_looser_than_plus", "select 'a' & 1 + 2", "SELECT jet_amp('a', 1 + 2)"},
    {"plus_of_numbers_adds", "select 1 + 2 * 3", "SELECT 1 + 2 * 3"},
    {"plus_of_texts_joins", "select 'a' + 'b'", "SELECT 'a' || 'b'"},
    {"plus_of_columns_decided_per_row", "select h1 + h2, 'x' + h1",
     R"(SELECT jet_plus("h1", "h2"), jet_plus('x', "h1"))"},
    {"plus_with_null_is_null", "select null + 1", "SELECT NULL"},
    {"minus_of_columns", "select h5 - h1, 5 - 3", R"(SELECT jet_minus("h5", "h1"), 5 - 3)"},
    {"grouping_kept_where_needed", "select 1 - (2 - 3), (1 - 2) - 3, h1 * (2 + 3)",
     R"(SELECT 1 - (2 - 3), 1 - 2 - 3, "h1" * (2 + 3))"},
    {"double_minus_never_a_comment", "select - -h1, 2 - -3", R"(SELECT -(-"h1"), 2 - -3)"},
    {"bitwise_logic_on_values", "select h1 and h2, h1 or h2, h1 xor h2, h1 eqv h2, h1 imp h2",
     R"(SELECT jet_and("h1", "h2"), jet_or("h1", "h2"), jet_xor("h1", "h2"), )"
     R"(jet_eqv("h1", "h2"), jet_imp("h1", "h2"))"},
    {"not_of_a_number_is_bitwise", "select not 0", "SELECT ~0"},
    // Truth values: -1/0 as values, plain predicates as conditions.
    {"comparison_as_value", "select h1 = 5, 'a' = 'A'",
     R"(SELECT -("h1" = 5), -('a' COLLATE NOCASE = 'A'))"},
    {"logic_of_predicates_as_value", "select (h1 = 1) and not (h2 = 2)",
     R"(SELECT -("h1" = 1 AND NOT "h2" = 2))"},
    {"between_keeps_the_key_usable", "select * from dlt where qs between '07001' and '07100'",
     R"(SELECT * FROM "dlt" WHERE "qs" BETWEEN '07001' AND '07100')"},
    {"like_in_is_null", "select qs from dlt where qs like '07%' and h1 in (1,2) and t is not null",
     R"(SELECT "qs" FROM "dlt" WHERE "qs" LIKE '07%' AND "h1" IN (1, 2) AND "t" IS NOT NULL)"},
    {"like_with_character_list", "select qs from dlt where t like '[a-c]%' or t not like '[!x]'",
     R"(SELECT "qs" FROM "dlt" WHERE jet_like("t", '[a-c]%') OR NOT jet_like("t", '[!x]'))"},
    {"negated_between_and_in", "select qs from dlt where h1 not between 1 and 5 and h2 not in (3)",
     R"(SELECT "qs" FROM "dlt" WHERE "h1" NOT BETWEEN 1 AND 5 AND "h2" NOT IN (3))"},
    {"text_comparison_without_case", "select qs from dlt where ucase(t) = 'ab'",
     R"(SELECT "qs" FROM "dlt" WHERE upper("t") COLLATE NOCASE = 'ab')"},
    {"date_literal_compared", "select qs from dlt where rq >= #1/1/2020#",
     R"(SELECT "qs" FROM "dlt" WHERE "rq" >= '2020-01-01')"},
    // Functions.
    {"bulletin_functions", "select format(h1,'0#'), right(qs,5), str(h1) from dlt",
     R"(SELECT jet_format("h1", '0#'), jet_right("qs", 5), jet_str("h1") FROM "dlt")"},
    {"function_names_without_case", "select FORMAT(rq,'mm.dd'), Left(qs, 2) from dlt",
     R"(SELECT jet_format("rq", 'mm.dd'), jet_left("qs", 2) FROM "dlt")"},
    {"iif_condition_stays_a_predicate", "select iif(h1 mod 2 = 1, 'odd', 'even') from dlt",
     R"(SELECT CASE WHEN jet_mod("h1", 2) = 1 THEN 'odd' ELSE 'even' END FROM "dlt")"},
    {"switch_nz_isnull",
     "select switch(h1 < 10, 'a', True, 'b'), nz(t), nz(t, 0), isnull(t) from dlt",
     R"(SELECT CASE WHEN "h1" < 10 THEN 'a' WHEN -1 THEN 'b' END, ifnull("t", ''), )"
     R"(ifnull("t", 0), -("t" IS NULL) FROM "dlt")"},
    {"same_meaning_builtins", "select ucase(t), lcase(t), trim(t), ltrim(t), rtrim(t) from dlt",
     R"(SELECT upper("t"), lower("t"), trim("t"), ltrim("t"), rtrim("t") FROM "dlt")"},
    {"aggregates",
     "select count(*), count(t), sum(h1), avg(h1), min(qs), max(qs), first(qs), last(qs) from dlt",
     R"(SELECT count(*), count("t"), sum("h1"), avg("h1"), min("qs"), max("qs"), )"
     R"(jet_first("qs"), jet_last("qs") FROM "dlt")"},
    {"format_locale_arguments_dropped", "select format(rq, 'ww', 2, 1) from dlt",
     R"(SELECT jet_format("rq", 'ww') FROM "dlt")"},
    {"text_sort_key_without_case", "select qs from dlt order by ucase(t) desc",
     R"(SELECT "qs" FROM "dlt" ORDER BY upper("t") COLLATE NOCASE DESC)"},
    // TOP.
    {"top_on_unique_key_is_a_limit", "select top 1 qs from dlt order by qs desc",
     R"(SELECT "qs" FROM "dlt" ORDER BY "qs" DESC LIMIT 1)"},
    {"top_without_order_is_a_limit", "select top 5 qs from p3", R"(SELECT "qs" FROM "p3" LIMIT 5)"},
    {"top_keeps_ties", "select top 3 qs from p3 order by h1",
     R"(SELECT "qs" FROM "p3" ORDER BY "h1" LIMIT (SELECT count(*) FROM (SELECT RANK() OVER )"
     R"((ORDER BY "h1") AS jet_rank FROM "p3") WHERE jet_rank <= 3))"},
    {"top_ties_with_where_and_group",
     "select top 2 h1, count(*) from p3 where h2 > 0 group by h1 order by count(*) desc",
     R"(SELECT "h1", count(*) FROM "p3" WHERE "h2" > 0 GROUP BY "h1" ORDER BY count(*) DESC )"
     R"(LIMIT (SELECT count(*) FROM (SELECT RANK() OVER (ORDER BY count(*) DESC) AS jet_rank )"
     R"(FROM "p3" WHERE "h2" > 0 GROUP BY "h1") WHERE jet_rank <= 2))"},
    {"unique_key_anywhere_in_the_order", "select top 3 qs from p3 order by h1, qs",
     R"(SELECT "qs" FROM "p3" ORDER BY "h1", "qs" LIMIT 3)"},
    {"alias_named_like_the_key_keeps_ties", "select top 3 h1 as qs from p3 order by qs",
     R"(SELECT "h1" AS "qs" FROM "p3" ORDER BY "qs" LIMIT (SELECT count(*) FROM (SELECT )"
     R"(RANK() OVER (ORDER BY "qs") AS jet_rank FROM "p3") WHERE jet_rank <= 3))"},
    {"top_percent_with_ties", "select top 10 percent qs from p3 order by h1 desc",
     R"(SELECT "qs" FROM "p3" ORDER BY "h1" DESC LIMIT (SELECT count(*) FROM (SELECT RANK() )"
     R"(OVER (ORDER BY "h1" DESC) AS jet_rank, count(*) OVER () AS jet_total FROM "p3") )"
     R"(WHERE jet_rank <= (jet_total * 10 + 99) / 100))"},
    {"top_percent_on_unique_key", "select top 10 percent qs from p3 order by qs",
     R"(SELECT "qs" FROM "p3" ORDER BY "qs" LIMIT (SELECT (count(*) * 10 + 99) / 100 FROM )"
     R"((SELECT 1 FROM "p3")))"},
    {"distinct_top_ranks_distinct_rows", "select distinct top 2 h1 from p3 order by h1",
     R"(SELECT DISTINCT "h1" FROM "p3" ORDER BY "h1" LIMIT (SELECT count(*) FROM (SELECT )"
     R"(RANK() OVER (ORDER BY "jet_c0") AS jet_rank FROM (SELECT DISTINCT "h1" AS "jet_c0" )"
     R"(FROM "p3")) WHERE jet_rank <= 2))"},
    {"top_in_from_subquery",
     "select qs from (select top 30 qs from dlt order by qs desc) order by qs",
     R"(SELECT "qs" FROM (SELECT "qs" FROM "dlt" ORDER BY "qs" DESC LIMIT 30) ORDER BY "qs")"},
    {"top_in_in_subquery",
     "select qs from dlt where qs in (select top 3 qs from dlt order by qs desc)",
     R"(SELECT "qs" FROM "dlt" WHERE "qs" IN (SELECT "qs" FROM "dlt" ORDER BY "qs" DESC LIMIT 3))"},
    {"union_branches_with_own_top",
     "select top 3 qs from dlt order by qs desc union all select top 3 qs from ssq order by qs "
     "desc",
     R"(SELECT * FROM (SELECT "qs" FROM "dlt" ORDER BY "qs" DESC LIMIT 3) UNION ALL )"
     R"(SELECT * FROM (SELECT "qs" FROM "ssq" ORDER BY "qs" DESC LIMIT 3))"},
    {"union_order_sorts_the_whole",
     "select 'dlt', count(*) from dlt union select 'ssq', count(*) from ssq order by 2 desc",
     R"(SELECT 'dlt', count(*) FROM "dlt" UNION SELECT 'ssq', count(*) FROM "ssq" ORDER BY 2 DESC)"},
    {"distinctrow_ignored", "select distinctrow qs from dlt", R"(SELECT "qs" FROM "dlt")"},
    // FROM.
    {"join_with_aliases", "select d.qs from dlt as d inner join ssq s on d.rq = s.rq",
     R"(SELECT "d"."qs" FROM "dlt" AS "d" INNER JOIN "ssq" AS "s" ON "d"."rq" = "s"."rq")"},
    {"nested_joins",
     "select * from (dlt inner join ssq on dlt.rq = ssq.rq) left join p3 on p3.rq = dlt.rq",
     R"(SELECT * FROM ("dlt" INNER JOIN "ssq" ON "dlt"."rq" = "ssq"."rq") LEFT JOIN "p3" )"
     R"(ON "p3"."rq" = "dlt"."rq")"},
    {"exists_subquery", "select qs from dlt where exists (select * from ssq where ssq.rq = dlt.rq)",
     R"(SELECT "qs" FROM "dlt" WHERE EXISTS (SELECT * FROM "ssq" WHERE "ssq"."rq" = "dlt"."rq"))"},
    // Statements without rows.
    {"import_insert",
     "INSERT INTO dlt (QS,RQ,H1,H2,H3,H4,H5,L1,L2,T)VALUES "
     "('07001','2007-05-30',22,24,29,31,35,04,11\r\n,'')",
     R"(INSERT INTO "dlt" ("QS", "RQ", "H1", "H2", "H3", "H4", "H5", "L1", "L2", "T") VALUES )"
     R"(('07001', '2007-05-30', 22, 24, 29, 31, 35, 4, 11, ''))"},
    {"insert_several_rows", "insert into p3 (qs, h1) values ('1', 2), ('3', 4)",
     R"(INSERT INTO "p3" ("qs", "h1") VALUES ('1', 2), ('3', 4))"},
    {"insert_select", "insert into p3 select * from p3 where qs = '1'",
     R"(INSERT INTO "p3" SELECT * FROM "p3" WHERE "qs" = '1')"},
    {"select_into", "select h1, h2 into tmp from p3 where h1 > 5",
     R"(CREATE TABLE "tmp" AS SELECT "h1", "h2" FROM "p3" WHERE "h1" > 5)"},
    {"update_with_jet_expressions",
     "update p3 set h1 = h1 + 1, p3.h2 = iif(h2 > 5, 0, h2) where qs = '04001'",
     R"(UPDATE "p3" SET "h1" = jet_plus("h1", 1), "h2" = CASE WHEN "h2" > 5 THEN 0 ELSE "h2" END )"
     R"(WHERE "qs" = '04001')"},
    {"delete_star", "delete * from p3 where h1 = 1", R"(DELETE FROM "p3" WHERE "h1" = 1)"},
    {"delete_table_star", "delete p3.* from p3", R"(DELETE FROM "p3")"},
    {"delete_plain", "DELETE FROM p3", R"(DELETE FROM "p3")"},
    {"create_table_jet_types",
     "create table mine (id counter, name text(50) not null, n long, s short, d datetime, x "
     "double, b yesno, m memo, c currency)",
     R"(CREATE TABLE "mine" ("id" INTEGER PRIMARY KEY AUTOINCREMENT, "name" TEXT COLLATE NOCASE )"
     R"(NOT NULL, "n" INTEGER, "s" INTEGER, "d" TEXT, "x" REAL, "b" INTEGER, "m" TEXT COLLATE )"
     R"(NOCASE, "c" REAL))"},
    {"create_table_with_key_constraint",
     "create table k (qs text(10), h1 integer, constraint pk primary key (qs))",
     R"(CREATE TABLE "k" ("qs" TEXT COLLATE NOCASE, "h1" INTEGER, CONSTRAINT "pk" PRIMARY KEY ("qs")))"},
    {"create_index", "create unique index ix on mine (name desc, n)",
     R"(CREATE UNIQUE INDEX "ix" ON "mine" ("name" DESC, "n"))"},
    {"drop_table", "drop table mine", R"(DROP TABLE "mine")"},
    {"drop_index", "drop index ix on mine", R"(DROP INDEX "ix")"},
    {"alter_add_column", "alter table mine add column z memo",
     R"(ALTER TABLE "mine" ADD COLUMN "z" TEXT COLLATE NOCASE)"},
    {"trailing_semicolons", "select 1 ;; ; ", "SELECT 1"},
};

INSTANTIATE_TEST_SUITE_P(Jet, JetTranslationTest, ::testing::ValuesIn(kTranslations),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(JetTranslationSchemaTest, WithoutSchemaTopAlwaysKeepsTies) {
    JetTranslation translation = TranslateJetSql("select top 1 qs from dlt order by qs desc");
    ASSERT_TRUE(translation.ok) << translation.error;
    EXPECT_NE(translation.sql.find("RANK() OVER (ORDER BY \"qs\" DESC)"), std::string::npos)
        << translation.sql;
}

TEST(JetTranslationSchemaTest, UniqueKeyOfAnotherTableDoesNotCount) {
    DrawSchema schema;
    JetTranslation translation =
        TranslateJetSql("select top 1 d.qs from dlt d, ssq s order by d.qs", &schema);
    ASSERT_TRUE(translation.ok) << translation.error;
    EXPECT_NE(translation.sql.find("RANK()"), std::string::npos) << translation.sql;
}

struct FailureCase {
    const char* name;
    std::string jet;
    const char* messagePart;
};

class JetTranslationFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(JetTranslationFailureTest, RefusesWithReason) {
    DrawSchema schema;
    JetTranslation translation = TranslateJetSql(GetParam().jet, &schema);
    EXPECT_FALSE(translation.ok) << translation.sql;
    EXPECT_TRUE(translation.sql.empty());
    EXPECT_NE(translation.error.find(GetParam().messagePart), std::string::npos)
        << translation.error;
}

std::string Nested(int depth) {
    return "select " + std::string(static_cast<size_t>(depth), '(') + "1" +
           std::string(static_cast<size_t>(depth), ')');
}

const FailureCase kFailures[] = {
    {"unbalanced_single_quote", "select 'abc from dlt", "Unterminated text"},
    {"unbalanced_double_quote", "select \"abc from dlt", "Unterminated text"},
    {"unclosed_bracket", "select [qs from dlt", "Missing ]"},
    {"unclosed_date", "select #2004-01-01 from dlt", "Missing #"},
    {"invalid_date", "select #2004-02-30#", "invalid date"},
    {"unknown_function", "select frobnicate(h1) from dlt", "Undefined function 'frobnicate'"},
    {"wrong_argument_count", "select right(qs) from dlt", "Wrong number of arguments"},
    {"switch_needs_pairs", "select switch(h1 > 1, 'a', 'b') from dlt", "Wrong number of arguments"},
    {"nested_top", "select top 5 top 3 qs from dlt", "TOP may appear only once"},
    {"top_without_number", "select top qs from dlt", "whole number after TOP"},
    {"top_fraction", "select top 2.5 qs from dlt", "whole number after TOP"},
    {"percent_over_hundred", "select top 101 percent qs from dlt", "between 0 and 100"},
    {"distinct_order_not_selected", "select distinct top 2 h1 from p3 order by h2",
     "conflicts with DISTINCT"},
    {"thousand_nested_parentheses", Nested(1000), "nested too deeply"},
    {"second_statement", "select 1; drop table p3", "Characters found after end"},
    {"second_statement_without_semicolon", "select 1 select 2", "Characters found after end"},
    {"empty", "   ", "empty"},
    {"not_a_statement", "vacuum", "Invalid SQL statement"},
    {"into_in_subquery", "select * from (select qs into x from dlt)", "outermost query"},
    {"missing_expression", "select qs from dlt where", "expected an expression"},
    {"control_byte", std::string("select 1\x01"), "Invalid character"},
    {"nul_byte", std::string("select 1\0; drop table p3", 24), "Invalid character"},
    {"comment_is_not_jet", "select 1 -- drop", "expected an expression"},
    {"update_join", "update dlt inner join ssq on dlt.rq = ssq.rq set dlt.t = 'x'", "joined"},
    {"crosstab", "transform count(*) select h1 from p3 group by h1 pivot h2", "not supported"},
    {"too_long", "select '" + std::string(70000, 'x') + "'", "too long"},
    {"unknown_type", "create table x (a widget)", "unknown type"},
};

INSTANTIATE_TEST_SUITE_P(Jet, JetTranslationFailureTest, ::testing::ValuesIn(kFailures),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(JetTranslationLimitsTest, DeepButAllowedNestingWorks) {
    JetTranslation translation = TranslateJetSql(Nested(99));
    ASSERT_TRUE(translation.ok) << translation.error;
    EXPECT_EQ(translation.sql, "SELECT 1");
}

// Just inside the nesting limit, each way of nesting still translates (and,
// under the sanitizers, stays within the stack); one level more is refused.
TEST(JetTranslationLimitsTest, DeepestNestingOfEachKind) {
    auto repeat = [](const std::string& text, int count) {
        std::string out;
        for (int i = 0; i < count; ++i)
            out += text;
        return out;
    };
    struct Kind {
        const char* name;
        std::string open, middle, close;
    };
    const Kind kinds[] = {
        {"subqueries_in_from", "select * from (", "select qs from dlt", ")"},
        {"subqueries_in_in", "select qs from dlt where qs in (", "select qs from dlt", ")"},
        {"function_calls", "select ", "", ""},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        for (int depth : {48, 200}) {
            std::string sql;
            if (std::string(kind.name) == "function_calls")
                sql = "select " + repeat("abs(", depth) + "h1" + repeat(")", depth) + " from dlt";
            else
                sql = repeat(kind.open, depth) + kind.middle + repeat(kind.close, depth);
            JetTranslation translation = TranslateJetSql(sql);
            EXPECT_EQ(translation.ok, depth == 48) << translation.error;
        }
    }
}

TEST(JetTranslationLimitsTest, LongOperatorChainIsRefusedNotOverflowed) {
    std::string sql = "select h1";
    for (int i = 0; i < 3000; ++i)
        sql += " + h1";
    JetTranslation translation = TranslateJetSql(sql + " from dlt");
    EXPECT_FALSE(translation.ok);
    EXPECT_NE(translation.error.find("too complex"), std::string::npos) << translation.error;
}

TEST(JetTranslationLimitsTest, DeepNotAndMinusChainsAreRefused) {
    for (std::string unit : {"not ", "-", "- "}) {
        SCOPED_TRACE(unit);
        std::string sql = "select ";
        for (int i = 0; i < 5000; ++i)
            sql += unit;
        JetTranslation translation = TranslateJetSql(sql + "1");
        EXPECT_FALSE(translation.ok);
    }
}

// Random byte soups and shuffled Jet tokens: whatever comes in, the
// translator answers (a translation or an error text) and never crashes.
TEST(JetTranslationRobustnessTest, AnyInputGetsAnAnswer) {
    std::mt19937 random(20240518);
    const std::vector<std::string> pieces = {"select",
                                             "top",
                                             "5",
                                             "percent",
                                             "*",
                                             "from",
                                             "3d",
                                             "dlt",
                                             "where",
                                             "qs",
                                             "(",
                                             ")",
                                             ",",
                                             "'a'",
                                             "\"b\"",
                                             "[c]",
                                             "#2004-01-01#",
                                             "+",
                                             "-",
                                             "&",
                                             "mod",
                                             "\\",
                                             "^",
                                             "=",
                                             "<>",
                                             "like",
                                             "between",
                                             "and",
                                             "or",
                                             "not",
                                             "in",
                                             "is",
                                             "null",
                                             "order",
                                             "by",
                                             "desc",
                                             "union",
                                             "all",
                                             "group",
                                             "having",
                                             "iif",
                                             "format",
                                             "into",
                                             "insert",
                                             "values",
                                             "update",
                                             "set",
                                             "delete",
                                             ";",
                                             ".",
                                             "distinct",
                                             "inner",
                                             "join",
                                             "on",
                                             "left",
                                             "right",
                                             "1.5",
                                             "0",
                                             "#",
                                             "'",
                                             "[",
                                             "]"};
    for (int round = 0; round < 20000; ++round) {
        std::string sql;
        if (round % 2 == 0) {
            size_t length = random() % 40;
            for (size_t i = 0; i < length; ++i)
                sql += static_cast<char>(random() % 256);
        } else {
            size_t count = random() % 25;
            for (size_t i = 0; i < count; ++i)
                sql += pieces[random() % pieces.size()] + (random() % 3 ? " " : "");
        }
        JetTranslation translation = TranslateJetSql(sql);
        EXPECT_NE(translation.ok, !translation.error.empty()) << sql;
    }
}

} // namespace
} // namespace veltrix
