#include "fakes/DrawDatabaseFixture.h"
#include "query/StatementRunner.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

class FakeHost : public QueryHost {
public:
    std::string CommandTextForOrder() override {
        ++orderQuestions;
        return commandText;
    }
    void ShowMessage(const std::string& text, MessageIcon) override { messages.push_back(text); }

    std::string commandText;
    int orderQuestions = 0;
    std::vector<std::string> messages;
};

class StatementRunnerTest : public test::DrawDatabaseFixture {
protected:
    void SetUp() override {
        DrawDatabaseFixture::SetUp();
        Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('04001','2004-11-14',1,2,3)");
        Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('04002','2004-11-15',4,NULL,6)");
        Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('04003','2004-11-16',7,8,NULL)");
    }

    QueryOutcome Run(const std::string& sql, const std::string& command) {
        host.commandText = command;
        return RunStatement(db, sql, host);
    }

    FakeHost host;
};

TEST_F(StatementRunnerTest, RowsInDatabaseOrderWithBlanksAndCrLf) {
    std::string sql = "select qs, h1, h2, h3 from p3 order by qs";
    QueryOutcome outcome = Run(sql, sql);
    EXPECT_EQ(outcome.resultText, "04001 1 2 3\r\n04002 4  6\r\n04003 7 8 \r\n");
    EXPECT_EQ(outcome.recordCount, 3);
    EXPECT_TRUE(outcome.countComplete);
    EXPECT_FALSE(outcome.failed);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.orderQuestions, 1);
}

TEST_F(StatementRunnerTest, TopAnywhereInTheCommandReversesTheRows) {
    std::string sql = "select qs from p3 order by qs";
    for (const char* command : {"select TOP 3 qs from p3", "-- Top", "select qs as stop from p3"}) {
        SCOPED_TRACE(command);
        EXPECT_EQ(Run(sql, command).resultText, "04003\r\n04002\r\n04001\r\n");
    }
    EXPECT_EQ(Run(sql, "select qs from p3").resultText, "04001\r\n04002\r\n04003\r\n");
}

TEST_F(StatementRunnerTest, StatementWithoutRecordsetGivesNothing) {
    QueryOutcome outcome = Run("INSERT INTO p3 (QS) VALUES ('05000')", "x");
    EXPECT_TRUE(outcome.ran);
    EXPECT_EQ(outcome.resultText, "");
    EXPECT_EQ(outcome.recordCount, 0);
    EXPECT_FALSE(outcome.countComplete) << "the count label stays as it was";
    EXPECT_EQ(host.orderQuestions, 0);
}

TEST_F(StatementRunnerTest, NoMatchingRowsGivesZeroCount) {
    QueryOutcome outcome = Run("select qs from p3 where qs = 'none'", "x");
    EXPECT_EQ(outcome.resultText, "");
    EXPECT_EQ(outcome.recordCount, 0);
    EXPECT_TRUE(outcome.countComplete);
}

TEST_F(StatementRunnerTest, FailureShowsOneMessage) {
    QueryOutcome outcome = Run("selec qs from p3", "x");
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.resultText, "");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("[42000]"), std::string::npos);
}

TEST_F(StatementRunnerTest, EmptyTextRunsNothing) {
    QueryOutcome outcome = Run("", "x");
    EXPECT_FALSE(outcome.ran);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(StatementRunnerTest, FailureWhileReadingKeepsTheRowsCompletedBefore) {
    // abs() of the smallest integer overflows when SQLite steps onto that
    // row, that is in the MoveNext after row 04003: a row counts once the
    // cursor has moved past it, so 04003 is not part of the result.
    Exec("INSERT INTO p3 (QS,H1) VALUES ('04004', -9223372036854775807 - 1)");
    std::string sql = "select qs, abs(h1) from p3 where h1 is not null order by qs";
    QueryOutcome outcome = Run(sql, sql);
    EXPECT_TRUE(outcome.failed);
    EXPECT_EQ(outcome.resultText, "04001 1\r\n04002 4\r\n");
    EXPECT_EQ(outcome.recordCount, 2);
    EXPECT_FALSE(outcome.countComplete);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("integer overflow"), std::string::npos) << host.messages[0];
}

} // namespace
} // namespace veltrix
