// Jet statements on a real connection through the statement runner: the
// import's INSERT statements for every game, the statements without rows in
// Jet's forms, TOP as Jet runs it (rows tied with the last one are kept), and
// a statement whose first row fails. (The bulletin's queries run on a database
// in tests/update/BulletinTest.cpp; refused statements that must run nothing:
// tests/query/StatementRunnerTest.cpp.)
#include "fakes/DrawDatabaseFixture.h"
#include "fakes/UpdateFakes.h"
#include "query/StatementRunner.h"
#include "update/DrawImport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

namespace veltrix {
namespace {

class JetProgramStatementsTest : public test::DrawDatabaseFixture {
protected:
    QueryOutcome Run(const std::string& sql) {
        host.commandText = sql;
        return RunStatement(db, sql, host);
    }

    test::QuietQueryHost host;
};

TEST_F(JetProgramStatementsTest, ImportInsertsEveryGameWithTheLineEndInItsLastField) {
    for (const LotteryInfo& game : AllLotteries()) {
        SCOPED_TRACE(std::string(game.code));
        std::string line = "26001 2026-01-03", expected = line;
        for (int i = 2; i < game.minTokenCount; ++i) {
            line.append(" 0").append(std::to_string(i));
            expected.append(" ").append(std::to_string(i));
        }
        if (game.kind == LotteryKind::Dlt)
            expected += " "; // T, written empty
        std::istringstream file(line + "\r\n");
        ConnectionSqlRunner runner(db, host);
        test::RecordingTitle title;
        EXPECT_EQ(ImportDraws(game, &file, runner, title).inserted, 1);
        EXPECT_TRUE(host.messages.empty()) << host.messages.front();
        const std::string columns(game.columns);
        EXPECT_EQ(Run("select " + columns + " from " + std::string(game.code)).resultText,
                  expected + "\r\n");
    }
}

TEST_F(JetProgramStatementsTest, NoRowStatementsInJetForms) {
    struct Step {
        const char* sql;
        const char* check;
        const char* expected;
    };
    const Step steps[] = {
        {"create table mine (id counter, name text(20) not null, n long, x double, d datetime, "
         "b yesno)",
         "select count(*) from mine", "0\r\n"},
        {"insert into mine (name, n, x, d, b) values ('Ab', 7, 2.5, #2004/1/8#, True)",
         "select id, name, n, x, d, b from mine", "1 Ab 7 2.5 2004-01-08 -1\r\n"},
        {"insert into mine (name, n) select qs, h1 from p3 where h1 > 5",
         "select count(*), sum(n) from mine", "4 29\r\n"},
        {"update mine set n = n * 2, name = name + '!' where name = 'ab'",
         "select name, n from mine where id = 1", "Ab! 14\r\n"},
        {"select name, n into copy from mine where n > 7", "select count(*) from copy", "2\r\n"},
        {"delete * from mine where n < 10", "select count(*) from mine", "1\r\n"},
        {"delete mine.* from mine", "select count(*) from mine", "0\r\n"},
        {"create unique index ix on mine (name)", "select count(*) from mine", "0\r\n"},
        {"drop index ix on mine", "select count(*) from mine", "0\r\n"},
        {"alter table mine add column memo1 memo", "select count(memo1) from mine", "0\r\n"},
        {"drop table copy", "select count(*) from mine", "0\r\n"},
    };
    Exec(
        "INSERT INTO p3 (QS,RQ,H1,H2,H3) VALUES ('04001','2004-11-14',1,2,3), "
        "('04002','2004-11-16',6,2,3), ('04003','2004-11-19',7,2,3), ('04004','2004-11-21',9,2,3)");
    for (const Step& step : steps) {
        SCOPED_TRACE(step.sql);
        QueryOutcome outcome = Run(step.sql);
        ASSERT_FALSE(outcome.failed) << host.messages.back();
        EXPECT_EQ(outcome.resultText, "");
        EXPECT_EQ(Run(step.check).resultText, step.expected);
    }
    EXPECT_FALSE(db.Execute("select count(*) from copy"));
}

// Texts written into a draw table's date column are stored as ISO dates, as
// Jet converts them for a Date column; a text that is no date is refused.
TEST_F(JetProgramStatementsTest, DatesWrittenIntoRqAreConvertedOrRefused) {
    int issue = 0;
    for (const char* rq : {"'2026-8-24'", "'2026/8/24'", "'8/24/2026'", "#8/24/2026#", "46258"}) {
        SCOPED_TRACE(rq);
        std::string qs = "2600" + std::to_string(++issue);
        Exec("insert into p3 (qs, rq, h1, h2, h3) values ('" + qs + "', " + rq + ", 1, 2, 3)");
        EXPECT_EQ(Run("select rq from p3 where qs = '" + qs + "'").resultText, "2026-08-24\r\n");
    }
    Exec("update p3 set rq = '8/25/2026' where qs = '26001'");
    EXPECT_EQ(Run("select qs from p3 where rq = #2026-08-25#").resultText, "26001\r\n");
    // Without a column list the values fill the columns in order; INSERT ...
    // SELECT converts what its items write into RQ, row by row.
    Exec("insert into p3 values ('26006', '8/26/2026', 1, 2, 3)");
    Exec("create table staging (q text, d text)");
    Exec("insert into staging values ('26007', '2026/8/27')");
    Exec("insert into p3 select q, d, 1, 2, 3 from staging");
    EXPECT_EQ(Run("select rq from p3 where qs >= '26006' order by qs").resultText,
              "2026-08-26\r\n2026-08-27\r\n");
    Exec("delete from p3 where qs >= '26006'");
    Exec("update staging set d = 'soon'");
    for (const char* bad :
         {"insert into p3 (qs, rq, h1, h2, h3) values ('26009', 'soon', 1, 2, 3)",
          "insert into p3 values ('26009', 'soon', 1, 2, 3)",
          "insert into p3 select q, d, 1, 2, 3 from staging", "update p3 set rq = h1 & 'x'"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(db.Execute(bad));
        EXPECT_NE(db.GetErrorText().find("Data type mismatch in criteria expression."),
                  std::string::npos)
            << db.GetErrorText();
    }
    EXPECT_EQ(Run("select count(*), min(rq), max(rq) from p3").resultText,
              "5 2026-08-24 2026-08-25\r\n");
}

// "order by qs" on a draw table orders issue numbers by value, so the
// newest-issue queries hold whatever the issues' width.
TEST_F(JetProgramStatementsTest, IssuesOrderByValueWhateverTheirWidth) {
    for (const char* qs : {"10000", "9999", "1000000", "0998"})
        Exec(std::string("insert into p3 (qs, rq, h1, h2, h3) values ('") + qs +
             "', '2026-08-24', 1, 2, 3)");
    EXPECT_EQ(Run("select qs from p3 order by qs").resultText,
              "0998\r\n9999\r\n10000\r\n1000000\r\n");
    EXPECT_EQ(Run(std::string(Lottery(LotteryKind::P3).newestIssueQuery)).resultText,
              "1000000\r\n");
}

TEST_F(JetProgramStatementsTest, CreatedTextKeysAreUniqueWithoutCase) {
    Exec("create table names (n text(10) primary key)");
    Exec("insert into names (n) values ('Abc')");
    EXPECT_FALSE(db.Execute("insert into names (n) values ('aBC')")); // the same key
}

// Six p3 draws; H1 has a tie of two at 2 and of three at 3.
class JetTopTest : public JetProgramStatementsTest {
protected:
    void SetUp() override {
        JetProgramStatementsTest::SetUp();
        Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3) VALUES ('04001','2004-11-14',1,5,0), "
             "('04002','2004-11-14',2,6,0), ('04003','2004-11-14',2,5,0), "
             "('04004','2004-11-14',3,7,0), ('04005','2004-11-14',3,7,0), "
             "('04006','2004-11-14',3,8,0)");
    }

    // The result's lines, sorted: rows tied on the keys come in any order.
    std::vector<std::string> Rows(const std::string& sql) {
        QueryOutcome outcome = Run(sql);
        EXPECT_FALSE(outcome.failed) << (host.messages.empty() ? "" : host.messages.back());
        std::vector<std::string> rows;
        const std::string& text = outcome.resultText;
        for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2)
            rows.push_back(text.substr(start, end - start));
        std::sort(rows.begin(), rows.end());
        return rows;
    }
};

using Lines = std::vector<std::string>;

TEST_F(JetTopTest, KeepsRowsTiedWithTheLast) {
    EXPECT_EQ(Rows("select top 2 qs from p3 order by h1"), (Lines{"04001", "04002", "04003"}));
    EXPECT_EQ(Rows("select top 1 qs from p3 order by h1 desc"), (Lines{"04004", "04005", "04006"}));
    EXPECT_EQ(Rows("select top 4 qs from p3 order by h1, h2"),
              (Lines{"04001", "04002", "04003", "04004", "04005"}));
}

TEST_F(JetTopTest, WithoutOrderTakesExactlyN) {
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
}

} // namespace
} // namespace veltrix
