// Exact translations of Jet statements into SQLite, and the statements the
// translator must refuse with a reason.
#include "db/JetDialect.h"

#include <gtest/gtest.h>

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
    {"qualified_digit_table", "select 3d.h1 from 3d", R"(SELECT "3d"."h1" FROM "3d")"},
    {"bracketed_names", "select [my col], [3d].[h1] from [3d]",
     R"(SELECT "my col", "3d"."h1" FROM "3d")"},
    {"single_quotes_with_doubled_quote", "select 'it''s'", "SELECT 'it''s'"},
    {"double_quotes_are_text", R"(select "say ""hi""", "it's")", R"(SELECT 'say "hi"', 'it''s')"},
    {"us_date_literal", "select #10/18/2004#", "SELECT '2004-10-18'"},
    {"date_time_literal", "select #2004/1/8 13:05#", "SELECT '2004-01-08 13:05:00'"},
    {"aliases", "select qs as [期数], h1 as \"n\" from dlt",
     R"(SELECT "qs" AS "期数", "h1" AS "n" FROM "dlt")"},
    {"text_sort_key_without_case", "select qs from dlt order by ucase(t) desc",
     R"(SELECT "qs" FROM "dlt" ORDER BY upper("t") COLLATE NOCASE DESC)"},
    {"top_on_unique_key_is_a_limit", "select top 1 qs from dlt order by qs desc",
     R"(SELECT "qs" FROM "dlt" ORDER BY "qs" DESC LIMIT 1)"},
    {"unique_key_anywhere_in_the_order", "select top 3 qs from p3 order by h1, qs",
     R"(SELECT "qs" FROM "p3" ORDER BY "h1", "qs" LIMIT 3)"},
    {"alias_named_like_the_key_keeps_ties", "select top 3 h1 as qs from p3 order by qs",
     R"(SELECT "h1" AS "qs" FROM "p3" ORDER BY "qs" LIMIT (SELECT count(*) FROM (SELECT )"
     R"(RANK() OVER (ORDER BY "qs") AS jet_rank FROM "p3") WHERE jet_rank <= 3))"},
    {"key_of_a_joined_table_keeps_ties", "select top 1 d.qs from dlt d, ssq s order by d.qs",
     R"(SELECT "d"."qs" FROM "dlt" AS "d", "ssq" AS "s" ORDER BY "d"."qs" LIMIT (SELECT count(*) )"
     R"(FROM (SELECT RANK() OVER (ORDER BY "d"."qs") AS jet_rank FROM "dlt" AS "d", "ssq" AS "s") )"
     R"(WHERE jet_rank <= 1))"},
    {"union_order_sorts_the_whole",
     "select 'dlt', count(*) from dlt union select 'ssq', count(*) from ssq order by 2 desc",
     R"(SELECT 'dlt', count(*) FROM "dlt" UNION SELECT 'ssq', count(*) FROM "ssq" ORDER BY 2 DESC)"},
    {"grouped_expression_selected",
     "select weekday(rq), count(*) from dlt group by weekday(rq) order by 1",
     R"(SELECT jet_weekday("rq"), count(*) FROM "dlt" GROUP BY jet_weekday("rq") ORDER BY 1)"},
    {"distinctrow_ignored", "select distinctrow qs from dlt", R"(SELECT "qs" FROM "dlt")"},
    {"join_with_aliases", "select d.qs from dlt as d inner join ssq s on d.rq = s.rq",
     R"(SELECT "d"."qs" FROM "dlt" AS "d" INNER JOIN "ssq" AS "s" ON "d"."rq" = "s"."rq")"},
    {"nested_joins",
     "select * from (dlt inner join ssq on dlt.rq = ssq.rq) left join p3 on p3.rq = dlt.rq",
     R"(SELECT * FROM ("dlt" INNER JOIN "ssq" ON "dlt"."rq" = "ssq"."rq") LEFT JOIN "p3" )"
     R"(ON "p3"."rq" = "dlt"."rq")"},
    {"exists_subquery", "select qs from dlt where exists (select * from ssq where ssq.rq = dlt.rq)",
     R"(SELECT "qs" FROM "dlt" WHERE EXISTS (SELECT * FROM "ssq" WHERE "ssq"."rq" = "dlt"."rq"))"},
    {"insert_several_rows", "insert into p3 (qs, h1) values ('1', 2), ('3', 4)",
     R"(INSERT INTO "p3" ("qs", "h1") VALUES ('1', 2), ('3', 4))"},
    {"create_table_jet_types",
     "create table mine (id counter, name text(50) not null, n long, s short, d datetime, x "
     "double, b yesno, m memo, c currency)",
     R"(CREATE TABLE "mine" ("id" INTEGER PRIMARY KEY AUTOINCREMENT, "name" TEXT COLLATE NOCASE )"
     R"(NOT NULL, "n" INTEGER, "s" INTEGER, "d" TEXT, "x" REAL, "b" INTEGER, "m" TEXT COLLATE )"
     R"(NOCASE, "c" REAL))"},
    {"create_table_with_key_constraint",
     "create table k (qs text(10), h1 integer, constraint pk primary key (qs))",
     R"(CREATE TABLE "k" ("qs" TEXT COLLATE NOCASE, "h1" INTEGER, CONSTRAINT "pk" PRIMARY KEY ("qs")))"},
    {"trailing_semicolons", "select 1 ;; ; ", "SELECT 1"},
};

INSTANTIATE_TEST_SUITE_P(Jet, JetTranslationTest, ::testing::ValuesIn(kTranslations),
                         [](const auto& param) { return std::string(param.param.name); });

// Without a schema no key is known to be unique, so the ties are ranked in.
TEST(JetTranslationSchemaTest, WithoutASchemaTopKeepsTies) {
    JetTranslation translation = TranslateJetSql("select top 1 qs from dlt order by qs desc");
    EXPECT_NE(translation.sql.find("RANK() OVER (ORDER BY"), std::string::npos) << translation.sql;
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
    {"column_neither_grouped_nor_aggregated", "select qs, count(*) from dlt group by l1",
     "You tried to execute a query that does not include the specified expression 'qs' as "
     "part of an aggregate function."},
    {"aggregate_without_group_by", "select h1 + 1, sum(h2) from p3",
     "the specified expression 'h1 + 1' as part"},
    {"order_outside_distinct", "select distinct h1 from dlt order by qs",
     "ORDER BY clause (qs) conflicts with DISTINCT."},
};

INSTANTIATE_TEST_SUITE_P(Jet, JetTranslationFailureTest, ::testing::ValuesIn(kFailures),
                         [](const auto& param) { return std::string(param.param.name); });

// Just inside the nesting limit, each way of nesting still translates (and,
// under the sanitizers, stays within the stack); deeper is refused.
TEST(JetTranslationLimitsTest, DeepestNestingOfEachKind) {
    auto repeat = [](const std::string& text, int count) {
        std::string out;
        for (int i = 0; i < count; ++i)
            out += text;
        return out;
    };
    struct Kind {
        const char* name;
        std::string prefix, open, middle, close, suffix;
        int deepest;
    };
    const Kind kinds[] = {
        {"subqueries_in_from", "", "select * from (", "select qs from dlt", ")", "", 48},
        {"subqueries_in_in", "", "select qs from dlt where qs in (", "select qs from dlt", ")", "",
         48},
        {"function_calls", "select ", "abs(", "h1", ")", " from dlt", 48},
        {"parentheses", "select ", "(", "1", ")", "", 99},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        for (int depth : {kind.deepest, 200}) {
            JetTranslation translation =
                TranslateJetSql(kind.prefix + repeat(kind.open, depth) + kind.middle +
                                repeat(kind.close, depth) + kind.suffix);
            EXPECT_EQ(translation.ok, depth == kind.deepest) << translation.error;
        }
    }
}

TEST(JetTranslationLimitsTest, LongOperatorChainsAreRefusedNotOverflowed) {
    const std::pair<std::string, const char*> chains[] = {{"h1 + ", "too complex"},
                                                          {"not ", "nested too deeply"},
                                                          {"-", "nested too deeply"},
                                                          {"- ", "nested too deeply"}};
    for (const auto& [unit, messagePart] : chains) {
        SCOPED_TRACE(unit);
        std::string sql = "select ";
        for (int i = 0; i < 5000; ++i)
            sql += unit;
        JetTranslation translation = TranslateJetSql(sql + "1 from dlt");
        EXPECT_FALSE(translation.ok);
        EXPECT_NE(translation.error.find(messagePart), std::string::npos) << translation.error;
    }
}

} // namespace
} // namespace veltrix
