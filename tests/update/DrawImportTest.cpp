// The import flow over a scripted runner: the statements it issues, in which
// order, and the titles it shows.
#include "update/DrawImport.h"
#include "fakes/UpdateFakes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace veltrix {
namespace {

using test::RecordingTitle;
using test::ScriptedRunner;

class DrawImportFlowTest : public ::testing::Test {
protected:
    ImportSummary Import(LotteryKind kind, const std::string& bytes) {
        std::istringstream file(bytes);
        return ImportDraws(Lottery(kind), &file, runner, title);
    }

    ScriptedRunner runner;
    RecordingTitle title{"Zox 彩票-走势分析"};
};

TEST_F(DrawImportFlowTest, NewestIssueFirstThenOneInsertPerNewLine) {
    runner.newestAnswer = "101\r\n";
    ImportSummary summary = Import(LotteryKind::P3, "100 2024-01-01 1 1 1\r\n"
                                                    "101 2024-01-02 2 2 2\r\n"
                                                    "102 2024-01-03 3 3 3\r\n"
                                                    "103 2024-01-04 4 4 4");
    std::vector<std::string> expected = {
        "select top 1 qs from p3 order by qs desc",
        "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('102','2024-01-03',3,3,3\r\n)",
        "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('103','2024-01-04',4,4,4)",
    };
    EXPECT_EQ(runner.statements, expected);
    EXPECT_EQ(summary.newestIssue, 101);
    EXPECT_EQ(summary.inserted, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::NotNewer).count, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::NotNewer).firstLines, (std::vector<int>{1, 2}));
    EXPECT_TRUE(summary.Succeeded());
}

TEST_F(DrawImportFlowTest, TitleCountsRowsAndIsRestored) {
    Import(LotteryKind::Dlt, "1 2024-01-01 01 02 03 04 05 06 07\r\n"
                             "2 2024-01-03 01 02 03 04 05 06 07\r\n"
                             "3 2024-01-06 01 02 03 04 05 06 07\r\n");
    std::vector<std::string> expected = {"大乐透正在更新数据库 1", "大乐透正在更新数据库 2",
                                         "大乐透正在更新数据库 3", "Zox 彩票-走势分析"};
    EXPECT_EQ(title.history, expected);
}

TEST_F(DrawImportFlowTest, LinesInAnyOrderAreComparedWithTheNewestBeforeTheRun) {
    runner.newestAnswer = "9999\r\n";
    ImportSummary summary = Import(LotteryKind::P3, "10001 2024-01-03 3 3 3\r\n"
                                                    "9998 2024-01-01 1 1 1\r\n"
                                                    "10000 2024-01-02 2 2 2\r\n");
    EXPECT_EQ(summary.inserted, 2);
    ASSERT_EQ(runner.statements.size(), 3u);
    EXPECT_NE(runner.statements[1].find("'10001'"), std::string::npos);
    EXPECT_NE(runner.statements[2].find("'10000'"), std::string::npos);
}

TEST_F(DrawImportFlowTest, MissingFileRunsNothingAndRestoresTheTitle) {
    ImportSummary summary = ImportDraws(Lottery(LotteryKind::Ssq), nullptr, runner, title);
    EXPECT_FALSE(summary.fileOpened);
    EXPECT_FALSE(summary.Succeeded());
    EXPECT_TRUE(runner.statements.empty()) << "not even the newest-issue query";
    EXPECT_EQ(title.history, std::vector<std::string>{"Zox 彩票-走势分析"});
}

TEST_F(DrawImportFlowTest, EmptyFileInsertsNothing) {
    ImportSummary summary = Import(LotteryKind::Ssq, "");
    EXPECT_EQ(runner.statements.size(), 1u);
    EXPECT_EQ(summary.inserted, 0);
    EXPECT_EQ(summary.SkippedTotal(), 0);
    EXPECT_TRUE(summary.Succeeded());
    EXPECT_EQ(title.history, std::vector<std::string>{"Zox 彩票-走势分析"});
}

TEST_F(DrawImportFlowTest, NothingNewNeverShowsTheProgressText) {
    runner.newestAnswer = "200\r\n";
    Import(LotteryKind::P3, "199 2024-01-01 1 1 1\r\n200 2024-01-02 2 2 2\r\n");
    EXPECT_EQ(title.history, std::vector<std::string>{"Zox 彩票-走势分析"});
}

TEST_F(DrawImportFlowTest, FailedNewestQueryCountsAsZero) {
    runner.fails = [](const std::string& sql) { return sql.starts_with("select"); };
    ImportSummary summary = Import(LotteryKind::P3, "1 2024-01-01 1 1 1\r\n0 2024-01-02 2 2 2\r\n");
    EXPECT_TRUE(summary.newestQueryFailed);
    EXPECT_EQ(summary.inserted, 1) << "every positive issue is offered";
    EXPECT_FALSE(summary.Succeeded());
}

TEST_F(DrawImportFlowTest, FailedInsertIsNotCounted) {
    runner.fails = [](const std::string& sql) { return sql.find("'2'") != std::string::npos; };
    ImportSummary summary = Import(LotteryKind::P3, "1 2024-01-01 1 1 1\r\n"
                                                    "2 2024-01-02 2 2 2\r\n"
                                                    "3 2024-01-03 3 3 3\r\n");
    EXPECT_EQ(summary.inserted, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::InsertFailed).count, 1);
    EXPECT_EQ(summary.Skipped(SkipReason::InsertFailed).firstLines, std::vector<int>{2});
    std::vector<std::string> expected = {"排列三正在更新数据库 1", "排列三正在更新数据库 2",
                                         "Zox 彩票-走势分析"};
    EXPECT_EQ(title.history, expected) << "the title counts rows really inserted";
    EXPECT_FALSE(summary.Succeeded());
}

TEST_F(DrawImportFlowTest, FailureOfTheDatabaseEndsTheImportAtThatLine) {
    runner.fails = [](const std::string& sql) { return sql.find("'2'") != std::string::npos; };
    runner.failState = "S1000"; // still locked after the retries
    ImportSummary summary = Import(LotteryKind::P3, "1 2024-01-01 1 1 1\r\n"
                                                    "2 2024-01-02 2 2 2\r\n"
                                                    "3 2024-01-03 3 3 3\r\n");
    EXPECT_EQ(summary.inserted, 1);
    EXPECT_EQ(summary.stoppedAtLine, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::InsertFailed).firstLines, std::vector<int>{2});
    EXPECT_EQ(runner.statements.size(), 3u) << "line 3 is never offered";
    EXPECT_EQ(title.history.back(), "Zox 彩票-走势分析");
    EXPECT_FALSE(summary.Succeeded());
}

TEST_F(DrawImportFlowTest, DrawListedTwiceIsInsertedOnceFirstLineWins) {
    ImportSummary summary = Import(LotteryKind::P3, "5 2024-01-01 1 1 1\r\n"
                                                    "6 2024-01-02 2 2 2\r\n"
                                                    "005 2024-01-09 9 9 9\r\n");
    EXPECT_EQ(summary.inserted, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::Duplicate).firstLines, std::vector<int>{3});
    for (const std::string& sql : runner.statements)
        EXPECT_EQ(sql.find("'005'"), std::string::npos) << sql;
}

TEST_F(DrawImportFlowTest, MalformedFirstCopyDoesNotHideAGoodSecond) {
    ImportSummary summary = Import(LotteryKind::P3, "5 2024-02-30 1 1 1\r\n5 2024-02-03 1 1 1\r\n");
    EXPECT_EQ(summary.inserted, 1);
    EXPECT_EQ(summary.Skipped(SkipReason::BadDate).count, 1);
}

TEST_F(DrawImportFlowTest, LongLineIsJudgedPieceByPiece) {
    // The first 254 bytes are a valid line of their own; the rest is junk.
    std::string head = "7 2024-01-07 1 2 3 ";
    std::string line = head + std::string(254 - head.size(), 'x') + "tail 1 2 3\r\n";
    ImportSummary summary = Import(LotteryKind::P3, line + "8 2024-01-08 4 5 6\r\n");
    EXPECT_EQ(summary.inserted, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::NotNewer).firstLines, std::vector<int>{1});
    ASSERT_EQ(runner.statements.size(), 3u);
    EXPECT_EQ(runner.statements[1],
              "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('7','2024-01-07',1,2,3)");
}

TEST_F(DrawImportFlowTest, SkipReportNamesReasonsAndFirstLines) {
    runner.newestAnswer = "10\r\n";
    std::string bytes = "heading\r\n";
    for (int i = 0; i < 8; ++i)
        bytes += "5 2024-01-01 1 1 1\r\n";
    bytes += "11 2024-01-01 1 1\r\n12 2024-13-01 1 1 1\r\n";
    ImportSummary summary = Import(LotteryKind::P3, bytes);
    std::vector<std::string> expected = {
        "9 lines not newer than the stored issue 10 (lines 1, 2, 3, 4, 5, ...)",
        "1 line with too few fields (line 10)",
        "1 line with a date that is not a real date (line 11)",
    };
    EXPECT_EQ(DescribeSkippedLines(summary), expected);
}

} // namespace
} // namespace veltrix
