// TOP as Jet runs it (rows tied with the last one are kept) on a real
// connection, and a statement whose first row fails. (Refused statements that
// must run nothing: tests/query/StatementRunnerTest.cpp.)
#include "fakes/DrawDatabaseFixture.h"
#include "fakes/UpdateFakes.h"
#include "query/StatementRunner.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace veltrix {
namespace {

// Six p3 draws; H1 has a tie of two at 2 and of three at 3.
class JetTopTest : public test::DrawDatabaseFixture {
protected:
    void SetUp() override {
        DrawDatabaseFixture::SetUp();
        const char* rows[][3] = {{"04001", "1", "5"}, {"04002", "2", "6"}, {"04003", "2", "5"},
                                 {"04004", "3", "7"}, {"04005", "3", "7"}, {"04006", "3", "8"}};
        for (auto& row : rows)
            Exec(std::string("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('") + row[0] +
                 "','2004-11-14'," + row[1] + "," + row[2] + ",0)");
    }

    // The result's lines, sorted: rows tied on the keys come in any order.
    std::vector<std::string> Rows(const std::string& sql) {
        host.commandText = "";
        QueryOutcome outcome = RunStatement(db, sql, host);
        EXPECT_FALSE(outcome.failed) << (host.messages.empty() ? "" : host.messages.back());
        std::vector<std::string> rows;
        const std::string& text = outcome.resultText;
        for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2)
            rows.push_back(text.substr(start, end - start));
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    test::QuietQueryHost host;
};

using Lines = std::vector<std::string>;

TEST_F(JetTopTest, KeepsRowsTiedWithTheLast) {
    EXPECT_EQ(Rows("select top 2 qs from p3 order by h1"), (Lines{"04001", "04002", "04003"}));
    EXPECT_EQ(Rows("select top 1 qs from p3 order by h1 desc"), (Lines{"04004", "04005", "04006"}));
    EXPECT_EQ(Rows("select top 4 qs from p3 order by h1, h2"),
              (Lines{"04001", "04002", "04003", "04004", "04005"}));
}

TEST_F(JetTopTest, UniqueKeyTakesExactlyN) {
    EXPECT_EQ(Rows("select top 2 qs from p3 order by qs"), (Lines{"04001", "04002"}));
    EXPECT_EQ(Rows("select top 2 qs from p3 order by h1, qs desc"), (Lines{"04001", "04003"}));
    EXPECT_EQ(Rows("select top 3 qs from p3").size(), 3u);
}

TEST_F(JetTopTest, PercentRoundsUpAndKeepsTies) {
    EXPECT_EQ(Rows("select top 50 percent qs from p3 order by h1"),
              (Lines{"04001", "04002", "04003"}));
    EXPECT_EQ(Rows("select top 40 percent qs from p3 order by h1"), // 2.4 rows: 3
              (Lines{"04001", "04002", "04003"}));
    EXPECT_EQ(Rows("select top 10 percent qs from p3 order by h1"), (Lines{"04001"}));
    EXPECT_EQ(Rows("select top 17 percent qs from p3 order by h1 desc"), // 1.02 rows: 2, tied 3
              (Lines{"04004", "04005", "04006"}));
    EXPECT_EQ(Rows("select top 50 percent qs from p3 order by qs"),
              (Lines{"04001", "04002", "04003"}));
    EXPECT_EQ(Rows("select top 0 percent qs from p3 order by h1").size(), 0u);
    EXPECT_EQ(Rows("select top 100 percent qs from p3 order by h1").size(), 6u);
}

TEST_F(JetTopTest, DistinctRowsAreRanked) {
    EXPECT_EQ(Rows("select distinct top 2 h1 from p3 order by h1"), (Lines{"1", "2"}));
    EXPECT_EQ(Rows("select distinct top 1 h1, h2 from p3 order by h1 desc"), (Lines{"3 7", "3 8"}));
    EXPECT_EQ(Rows("select distinct top 2 * from p3 order by h1").size(), 3u);
}

TEST_F(JetTopTest, TopInsideSubqueriesAndUnions) {
    EXPECT_EQ(Rows("select count(*) from (select top 2 qs from p3 order by h1)"), (Lines{"3"}));
    EXPECT_EQ(Rows("select qs from p3 where qs in (select top 1 qs from p3 order by h1 desc)"),
              (Lines{"04004", "04005", "04006"}));
    EXPECT_EQ(Rows("select top 1 qs from p3 order by h1 union all "
                   "select top 1 qs from p3 order by h1 desc"),
              (Lines{"04001", "04004", "04005", "04006"}));
    EXPECT_EQ(Rows("select top 1 h1, count(*) from p3 group by h1 order by count(*) desc"),
              (Lines{"3 3"}));
    EXPECT_EQ(Rows("select top 1 h1, count(*) from p3 where h2 < 8 group by h1 "
                   "order by count(*) desc"),
              (Lines{"2 2", "3 2"}));
}

TEST_F(JetTopTest, OrderByRndKeepsEveryRow) {
    EXPECT_EQ(Rows("select qs from p3 order by rnd(h1)"),
              (Lines{"04001", "04002", "04003", "04004", "04005", "04006"}));
}

using JetFailureTest = JetTopTest;

TEST_F(JetFailureTest, ErrorOnFirstRowFailsTheStatement) {
    EXPECT_FALSE(db.Execute("select 1/0"));
    EXPECT_NE(db.GetErrorText().find("Division by zero"), std::string::npos) << db.GetErrorText();
    EXPECT_FALSE(db.Execute("select 'x' + h1 from p3"));
    EXPECT_NE(db.GetErrorText().find("Type mismatch"), std::string::npos) << db.GetErrorText();
}

} // namespace
} // namespace veltrix
