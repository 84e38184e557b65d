// The import: its flow over a scripted runner (the statements it issues, in
// which order, and the titles it shows), then against a real draw database
// (nothing the file holds reaches the database as a statement, the real draw
// files load as they should).
#include "update/DrawImport.h"
#include "common/FileIO.h"
#include "fakes/DrawDatabaseFixture.h"
#include "fakes/UpdateFakes.h"
#include "query/StatementRunner.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>

namespace veltrix {
namespace {

using Lines = std::vector<int>;
const std::string kTitle = "Zox 彩票-走势分析";
const std::string kThreeP3Draws = "1 2024-01-01 1 1 1\r\n"
                                  "2 2024-01-02 2 2 2\r\n"
                                  "3 2024-01-03 3 3 3\r\n";

class DrawImportFlowTest : public ::testing::Test {
protected:
    ImportSummary Import(LotteryKind kind, const std::string& bytes) {
        std::istringstream file(bytes);
        return ImportDraws(Lottery(kind), &file, runner, title);
    }

    test::ScriptedRunner runner;
    test::RecordingTitle title{kTitle};
};

TEST_F(DrawImportFlowTest, NewestIssueFirstThenEachNewerLineInFileOrder) {
    // Lines in any order are compared with the issue that was newest before
    // the run, not with the last one inserted.
    runner.newestAnswer = "101\r\n";
    ImportSummary summary = Import(LotteryKind::P3, "100 2024-01-01 1 1 1\r\n"
                                                    "103 2024-01-04 4 4 4\r\n"
                                                    "101 2024-01-02 2 2 2\r\n"
                                                    "102 2024-01-03 3 3 3");
    std::vector<std::string> expected = {
        "select top 1 qs from p3 order by qs desc",
        "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('103','2024-01-04',4,4,4\r\n)",
        "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('102','2024-01-03',3,3,3)",
    };
    EXPECT_EQ(runner.statements, expected);
    EXPECT_EQ(summary.newestIssue, 101);
    EXPECT_EQ(summary.inserted, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::NotNewer).firstLines, (Lines{1, 3}));
    EXPECT_TRUE(summary.Succeeded());
}

TEST_F(DrawImportFlowTest, MissingFileRunsNothingAndRestoresTheTitle) {
    ImportSummary summary = ImportDraws(Lottery(LotteryKind::Ssq), nullptr, runner, title);
    EXPECT_FALSE(summary.fileOpened);
    EXPECT_FALSE(summary.Succeeded());
    EXPECT_TRUE(runner.statements.empty()) << "not even the newest-issue query";
    EXPECT_EQ(title.history, std::vector<std::string>{kTitle});
}

TEST_F(DrawImportFlowTest, EmptyFileInsertsNothing) {
    ImportSummary summary = Import(LotteryKind::Ssq, "");
    EXPECT_EQ(runner.statements.size(), 1u);
    EXPECT_EQ(summary.inserted + summary.SkippedTotal(), 0);
    EXPECT_TRUE(summary.Succeeded());
    EXPECT_EQ(title.history, std::vector<std::string>{kTitle});
}

TEST_F(DrawImportFlowTest, FailedNewestQueryCountsAsZero) {
    runner.fails = [](const std::string& sql) { return sql.starts_with("select"); };
    ImportSummary summary = Import(LotteryKind::P3, "1 2024-01-01 1 1 1\r\n0 2024-01-02 2 2 2\r\n");
    EXPECT_TRUE(summary.newestQueryFailed);
    EXPECT_EQ(summary.inserted, 1) << "every positive issue is offered";
    EXPECT_FALSE(summary.Succeeded());
}

TEST_F(DrawImportFlowTest, RefusedInsertIsSkippedAndNotCounted) {
    runner.fails = [](const std::string& sql) { return sql.find("'2'") != std::string::npos; };
    ImportSummary summary = Import(LotteryKind::P3, kThreeP3Draws);
    EXPECT_EQ(summary.inserted, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::InsertFailed).count, 1);
    EXPECT_EQ(summary.Skipped(SkipReason::InsertFailed).firstLines, Lines{2});
    std::vector<std::string> expected = {"排列三正在更新数据库 1", "排列三正在更新数据库 2",
                                         kTitle};
    EXPECT_EQ(title.history, expected) << "the title counts rows really inserted";
    EXPECT_FALSE(summary.Succeeded());
}

TEST_F(DrawImportFlowTest, FailureOfTheDatabaseEndsTheImportAtThatLine) {
    runner.fails = [](const std::string& sql) { return sql.find("'2'") != std::string::npos; };
    runner.failState = "S1000"; // still locked after the retries
    ImportSummary summary = Import(LotteryKind::P3, kThreeP3Draws);
    EXPECT_EQ(summary.inserted, 1);
    EXPECT_EQ(summary.stoppedAtLine, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::InsertFailed).firstLines, Lines{2});
    EXPECT_EQ(runner.statements.size(), 3u) << "line 3 is never offered";
    EXPECT_EQ(title.history.back(), kTitle);
    EXPECT_FALSE(summary.Succeeded());
}

TEST_F(DrawImportFlowTest, DrawListedTwiceIsInsertedOnceFirstGoodLineWins) {
    ImportSummary summary = Import(LotteryKind::P3, "5 2024-02-30 1 1 1\r\n" // not a real date
                                                    "5 2024-01-01 1 1 1\r\n"
                                                    "6 2024-01-02 2 2 2\r\n"
                                                    "005 2024-01-09 9 9 9\r\n");
    EXPECT_EQ(summary.inserted, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::BadDate).firstLines, Lines{1});
    EXPECT_EQ(summary.Skipped(SkipReason::Duplicate).firstLines, Lines{4});
    for (const std::string& sql : runner.statements)
        EXPECT_EQ(sql.find("'005'"), std::string::npos) << sql;
}

TEST_F(DrawImportFlowTest, SkipReportNamesReasonsAndFirstLines) {
    runner.newestAnswer = "10\r\n";
    std::string bytes = "heading\r\n";
    for (int i = 0; i < 8; ++i)
        bytes += "5 2024-01-01 1 1 1\r\n";
    bytes += "11 2024-01-01 1 1\r\n12 2024-13-01 1 1 1\r\n";
    std::vector<std::string> expected = {
        "9 lines not newer than the stored issue 10 (lines 1, 2, 3, 4, 5, ...)",
        "1 line with too few fields (line 10)",
        "1 line with a date that is not a real date (line 11)",
    };
    EXPECT_EQ(DescribeSkippedLines(Import(LotteryKind::P3, bytes)), expected);
}

class DrawImportDatabaseTest : public test::DrawDatabaseFixture {
protected:
    ImportSummary Import(LotteryKind kind, const std::string& bytes) {
        std::istringstream file(bytes);
        return ImportDraws(Lottery(kind), &file, runner, title);
    }

    // The rows of a select, as the statement runner gives them.
    std::string Rows(const std::string& sql) {
        test::QuietQueryHost quiet;
        QueryOutcome outcome = RunStatement(db, sql, quiet);
        EXPECT_FALSE(outcome.failed) << sql;
        return outcome.resultText;
    }

    int Count(const std::string& table) {
        return std::atoi(Rows("select count(*) from " + table).c_str());
    }

    test::QuietQueryHost host;
    ConnectionSqlRunner runner{db, host};
    test::RecordingTitle title;
};

TEST_F(DrawImportDatabaseTest, EmptyAndMissingFiles) {
    EXPECT_EQ(Import(LotteryKind::Ssq, "").inserted, 0);
    EXPECT_FALSE(
        ImportDrawFileAt(LotteryKind::Ssq, dir.File("no-such.txt"), runner, title).fileOpened);
    EXPECT_FALSE(ImportDrawFileAt(LotteryKind::Ssq, dir.Path().string(), runner, title).fileOpened)
        << "a folder is not a draw file";
    EXPECT_EQ(Count("ssq"), 0);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DrawImportDatabaseTest, RefusedInsertIsReportedAndNotCounted) {
    // Issues order by value, so 10000 is the newest stored issue. A unique
    // index on the date makes the database refuse a second draw that day.
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('10000','2024-01-01',1,1,1)");
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('9999','2023-12-31',1,1,1)");
    Exec("CREATE UNIQUE INDEX one_draw_a_day ON p3 (RQ)");
    ImportSummary summary =
        Import(LotteryKind::P3, "10001 2024-01-01 1 1 1\r\n10002 2024-01-02 2 2 2\r\n");
    EXPECT_EQ(summary.newestIssue, 10000);
    EXPECT_EQ(summary.inserted, 1);
    EXPECT_EQ(summary.Skipped(SkipReason::InsertFailed).firstLines, std::vector<int>{1});
    ASSERT_EQ(host.messages.size(), 1u) << "the runner tells the user, as for any statement";
    EXPECT_NE(host.messages[0].find("[23000]"), std::string::npos) << host.messages[0];
    EXPECT_EQ(Count("p3"), 3);
}

TEST_F(DrawImportDatabaseTest, MissingTableFailsEveryStatement) {
    Exec("DROP TABLE t22x5");
    ImportSummary summary = Import(LotteryKind::T22x5, "1 2024-01-01 1 2 3 4 5\r\n");
    EXPECT_TRUE(summary.newestQueryFailed);
    EXPECT_EQ(summary.inserted, 0);
    EXPECT_EQ(summary.Skipped(SkipReason::InsertFailed).count, 1);
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(DrawImportDatabaseTest, CarriageReturnLineEndsStoreNoMadeUpDraw) {
    // Old Mac line ends: without line feeds the file is one long line, read
    // in pieces of 254 bytes that cut the draws anywhere. Whatever is taken
    // must be a draw of the file as it stands there, never pieces of two.
    std::string sample;
    ASSERT_TRUE(ReadFileBytes(test::SampleDrawFile("dlt.txt"), &sample));
    std::string crOnly;
    std::set<std::string> draws; // "qs rq h1 .. l2" of every line of the file
    size_t start = 0;
    for (int n = 0; n < 500 && start < sample.size(); ++n) {
        size_t end = sample.find("\r\n", start);
        std::string line = sample.substr(start, end - start);
        crOnly += line + "\r";
        draws.insert(line);
        start = end + 2;
    }
    ImportSummary summary = Import(LotteryKind::Dlt, crOnly);
    EXPECT_GT(summary.SkippedTotal(), 0);
    std::string stored = Rows("select qs, rq, format(h1,'0#'), format(h2,'0#'), format(h3,'0#'), "
                              "format(h4,'0#'), format(h5,'0#'), format(l1,'0#'), "
                              "format(l2,'0#') from dlt");
    int rows = 0;
    for (size_t at = 0; at < stored.size(); ++rows) {
        size_t end = stored.find("\r\n", at);
        std::string row = stored.substr(at, end - at);
        EXPECT_EQ(draws.count(row), 1u) << "made up: " << row;
        at = end + 2;
    }
    EXPECT_EQ(rows, summary.inserted);
    EXPECT_TRUE(host.messages.empty());
}

// The real draw files of data/draws.
class SampleDrawsTest : public DrawImportDatabaseTest,
                        public ::testing::WithParamInterface<std::pair<LotteryKind, int>> {};

TEST_P(SampleDrawsTest, LoadsOnceAndThenFindsNothingNew) {
    auto [kind, lines] = GetParam();
    std::string path = test::SampleDrawFile(Lottery(kind).openedFileName);
    ImportSummary first = ImportDrawFileAt(kind, path, runner, title);
    ASSERT_TRUE(first.fileOpened) << path;
    EXPECT_EQ(first.inserted, lines);
    EXPECT_EQ(Count(std::string(Lottery(kind).code)), lines);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();

    ImportSummary again = ImportDrawFileAt(kind, path, runner, title);
    EXPECT_EQ(again.inserted, 0);
    EXPECT_EQ(again.Skipped(SkipReason::NotNewer).count, lines);
}

INSTANTIATE_TEST_SUITE_P(
    DrawImport, SampleDrawsTest,
    ::testing::Values(std::pair{LotteryKind::Dlt, 2913}, std::pair{LotteryKind::Ssq, 3493},
                      std::pair{LotteryKind::P5, 7696}, std::pair{LotteryKind::P3, 7696},
                      std::pair{LotteryKind::ThreeD, 7726}, std::pair{LotteryKind::SevenXc, 3380},
                      std::pair{LotteryKind::SevenLc, 2975}),
    [](const auto& p) { return "game_" + std::string(Lottery(p.param.first).code); });

} // namespace
} // namespace veltrix
