// The import flow over a scripted runner: the statements it issues, in which
// order, and the titles it shows.
#include "update/DrawImport.h"
#include "fakes/UpdateFakes.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace veltrix
