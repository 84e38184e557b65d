// The import over a scripted runner, then against a real draw database and
// the real draw files.
#include "update/DrawImport.h"
#include "common/FileIO.h"
#include "common/Strings.h"
#include "fakes/DrawDatabaseFixture.h"
#include "fakes/RawDatabase.h"
#include "fakes/UpdateFakes.h"
#include "query/StatementRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

namespace veltrix {
namespace {

using Issues = std::vector<std::string>;
const std::string kTitle = "Zox 彩票-走势分析";

// The counts and outcome of an import, one line so a failure shows them all.
std::string Tally(const ImportSummary& s) {
    return StrFormat("newest %d: %d in, %d over, %d refused, %d warned%s%s, %s", s.newestIssue,
                     s.inserted, s.passedOver, s.refusedCount, s.warningCount,
                     s.newestQueryFailed ? ", newest unknown" : "",
                     s.stoppedByUser ? ", stopped" : "", s.Succeeded() ? "ok" : "failed");
}

// The issues of the INSERTs a runner saw, in order.
Issues InsertedIssues(const std::vector<std::string>& statements) {
    Issues issues;
    for (const std::string& sql : statements) {
        size_t at = sql.find("VALUES ('");
        if (at != std::string::npos)
            issues.push_back(sql.substr(at + 9, sql.find('\'', at + 9) - at - 9));
    }
    return issues;
}

struct FlowCase {
    const char* name;
    std::string bytes; // a p3 draw file
    Issues inserted;
    std::string report; // what the import says of itself
    int notDrawnYetLine = 0;
};

class DrawImportFlowTest : public ::testing::TestWithParam<FlowCase> {
protected:
    ImportSummary Import(const std::string& bytes, const ImportOptions& options = {},
                         LotteryKind kind = LotteryKind::P3) {
        std::istringstream file(bytes);
        return ImportDraws(Lottery(kind), &file, runner, title, options);
    }

    test::ScriptedRunner runner;
    test::RecordingTitle title{kTitle};
};

const std::string kStopped = "; the import stopped there (correct the line and import again)\n";
const std::string kOk1 = "1 2024-01-01 1 1 1\r\n", kOk2 = "2 2024-01-02 2 2 2\r\n",
                  kOk3 = "3 2024-01-03 3 3 3\r\n";

// Which lines the import offers, passes over or stops at is also checked
// over every byte sequence by draw_file_fuzz; these cases pin the reasons it
// gives and the cases its corpus does not hold.
TEST_P(DrawImportFlowTest, Lines) {
    const FlowCase& c = GetParam();
    ImportSummary summary = Import(c.bytes);
    EXPECT_EQ(runner.statements.front(), "select top 1 qs from p3 order by qs desc");
    EXPECT_EQ(InsertedIssues(runner.statements), c.inserted);
    std::string report;
    for (const std::string& line : DescribeImport(Lottery(LotteryKind::P3), summary))
        report += line + "\n";
    EXPECT_EQ(report, c.report);
    EXPECT_EQ(summary.notDrawnYetLine, c.notDrawnYetLine);
    EXPECT_EQ(summary.Succeeded(), !c.report.ends_with(kStopped));
    EXPECT_EQ(title.title, kTitle);
}

INSTANTIATE_TEST_SUITE_P(
    DrawImport, DrawImportFlowTest,
    ::testing::Values(
        FlowCase{"NumberThatIsNotAnIntegerEndsTheImport",
                 kOk1 + "2 2024-01-02 2 x 2\r\n" + kOk3,
                 {"1"},
                 "p3: 1 inserted, 0 passed over, 1 refused\np3: line 2, field 4 (H2) \"x\": not a "
                 "plain integer" +
                     kStopped},
        FlowCase{"TooFewFieldsEndTheImport",
                 "1 2024-01-01 1 1\r\n" + kOk2,
                 {},
                 "p3: 0 inserted, 0 passed over, 1 refused\np3: line 1, field 5 (H3): too few "
                 "fields (4 of 5)" +
                     kStopped},
        FlowCase{"DrawNotDrawnYetEndsTheImportQuietly",
                 kOk1 + "2 2024-01-02 - - -\r\n" + kOk3,
                 {"1"},
                 "p3: 1 inserted, 0 passed over, 0 refused\n",
                 2}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(DrawImportFlowTest, MissingFileRunsNothingAndRestoresTheTitle) {
    ImportSummary summary = ImportDraws(Lottery(LotteryKind::Ssq), nullptr, runner, title);
    EXPECT_FALSE(summary.fileOpened);
    EXPECT_FALSE(summary.Succeeded());
    EXPECT_TRUE(runner.statements.empty()) << "not even the newest-issue query";
    EXPECT_EQ(title.history, std::vector<std::string>{kTitle});
}

TEST_F(DrawImportFlowTest, BatchesCommitEveryNLinesAndAtTheEndThenCheckpoint) {
    ImportOptions options;
    options.batchLines = 2;
    ImportSummary summary =
        Import(kOk1 + kOk2 + kOk3 + "4 2024-01-04 4 4 4\r\n5 2024-01-05 5 5 5", options);
    EXPECT_EQ(summary.inserted, 5);
    std::vector<std::string> expected = {"begin 1", "commit 3", "begin 3",   "commit 5",
                                         "begin 5", "commit 6", "checkpoint"};
    EXPECT_EQ(runner.batches, expected);
    EXPECT_EQ(title.history.size(), 6u) << "a step per line (draw_file_fuzz checks their text)";
    EXPECT_EQ(title.history.back(), kTitle);
}

TEST_F(DrawImportFlowTest, BatchTheDatabaseDidNotKeepIsNotCounted) {
    runner.commitError = "disk I/O error";
    ImportSummary summary = Import(kOk1 + kOk2);
    EXPECT_EQ(Tally(summary), "newest 0: 0 in, 0 over, 0 refused, 0 warned, failed");
    EXPECT_EQ(summary.lostBatch, "disk I/O error");
}

TEST_F(DrawImportFlowTest, RefusalOtherThanADuplicateEndsTheImportAtItsLine) {
    runner.fails = [](const std::string& sql) { return sql.find("'3'") != std::string::npos; };
    runner.failState = "S1000"; // still locked after the retries
    ImportSummary locked = Import("4 2024-01-04 4 4 4\r\n" + kOk3 + kOk1);
    EXPECT_EQ(InsertedIssues(runner.statements), (Issues{"4", "3"})) << "line 3 is never offered";
    ASSERT_NE(locked.EndedAt(), nullptr);
    EXPECT_EQ(locked.EndedAt()->line, 2);
    EXPECT_EQ(locked.EndedAt()->reason, "refused by the database (S1000)");
    EXPECT_EQ(locked.inserted, 1);
}

TEST_F(DrawImportFlowTest, FailedNewestQueryCountsAsZero) {
    runner.fails = [](const std::string& sql) { return sql.starts_with("select"); };
    ImportSummary summary = Import(kOk1 + "0 2024-01-02 2 2 2\r\n");
    EXPECT_EQ(Tally(summary), "newest 0: 1 in, 1 over, 0 refused, 0 warned, newest unknown, failed")
        << "every positive issue is offered";
}

TEST_F(DrawImportFlowTest, FillTakesEveryIssueNotStoredAndRefusesBadLinesOnly) {
    runner.newestAnswer = "1\r\n3\r\n"; // the stored issues
    ImportOptions fill;
    fill.mode = ImportMode::Fill;
    ImportSummary summary = Import("5 2024-01-05 5 5 5\r\n" + kOk3 + "2 2024-02-30 2 2 2\r\n" +
                                       kOk1 + "4 2024-01-04 4 4 4\r\n",
                                   fill);
    EXPECT_EQ(runner.statements.front(), "select qs from p3");
    EXPECT_EQ(InsertedIssues(runner.statements), (Issues{"5", "4"}));
    EXPECT_EQ(summary.passedOver, 2);
    ASSERT_EQ(summary.refused.size(), 1u);
    EXPECT_EQ(summary.refused[0].line, 3);
}

TEST_F(DrawImportFlowTest, StopCommitsWhatCameBefore) {
    StopFlag stop{false};
    title.onSetTitle = [&stop](const std::string& text) { stop = text.ends_with(" 2"); };
    ImportOptions options;
    options.stop = &stop;
    ImportSummary summary = Import(kOk1 + kOk2 + kOk3, options);
    EXPECT_EQ(Tally(summary), "newest 0: 2 in, 0 over, 0 refused, 0 warned, stopped, failed");
    EXPECT_EQ(runner.batches.back(), "checkpoint");
    EXPECT_EQ(title.title, kTitle);
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

    // The rows of a table in a copy of the database file alone, as a backup
    // taken while the window keeps its connection open holds them.
    int Count(const std::string& table) {
        std::filesystem::copy_file(DbPath(), dir.File("copy.mdb"),
                                   std::filesystem::copy_options::overwrite_existing);
        return test::RawDatabase(dir.File("copy.mdb"), SQLITE_OPEN_READONLY).Count(table);
    }

    test::QuietQueryHost host;
    ConnectionSqlRunner runner{db, host};
    test::RecordingTitle title;
};

TEST_F(DrawImportDatabaseTest, RowTheTableRefusesAsADuplicateIsPassedOver) {
    // Issues order by value, so 10000 is the newest stored issue. A unique
    // index on the date makes the database refuse a second draw that day.
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('10000','2024-01-01',1,1,1)");
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('9999','2023-12-31',1,1,1)");
    Exec("CREATE UNIQUE INDEX one_draw_a_day ON p3 (RQ)");
    ImportSummary summary =
        Import(LotteryKind::P3, "10001 2024-01-01 1 1 1\r\n10002 2024-01-02 2 2 2\r\n");
    EXPECT_EQ(Tally(summary), "newest 10000: 1 in, 1 over, 0 refused, 0 warned, ok");
    ASSERT_EQ(host.messages.size(), 1u) << "the runner tells the user, as for any statement";
    EXPECT_NE(host.messages[0].find("[23000]"), std::string::npos) << host.messages[0];
    EXPECT_EQ(Count("p3"), 3);
}

TEST_F(DrawImportDatabaseTest, MissingTableEndsTheImport) {
    Exec("DROP TABLE t22x5");
    ImportSummary summary = Import(LotteryKind::T22x5, "1 2024-01-01 1 2 3 4 5\r\n");
    EXPECT_EQ(Tally(summary),
              "newest 0: 0 in, 0 over, 1 refused, 0 warned, newest unknown, failed");
    EXPECT_EQ(host.messages.size(), 2u);
}

TEST_F(DrawImportDatabaseTest, CarriageReturnLineEndsStoreNoMadeUpDraw) {
    // Old Mac line ends: without line feeds the file is one long line, read
    // in pieces of 254 bytes that cut the draws anywhere. Whatever is taken
    // must be a draw of the file as it stands there, never pieces of two.
    std::vector<std::string> lines =
        test::CrLfLines(ReadFileBytes(test::SampleDrawFile("dlt.txt")).value_or(""));
    lines.resize(std::min<size_t>(lines.size(), 500));
    std::string crOnly;
    for (const std::string& line : lines)
        crOnly += line + "\r";
    const std::set<std::string> draws(lines.begin(), lines.end()); // "qs rq h1 .. l2"
    ImportSummary summary = Import(LotteryKind::Dlt, crOnly);
    EXPECT_EQ(summary.refusedCount, 1);
    std::vector<std::string> stored = test::CrLfLines(
        Rows("select qs, rq, format(h1,'0#'), format(h2,'0#'), format(h3,'0#'), format(h4,'0#'), "
             "format(h5,'0#'), format(l1,'0#'), format(l2,'0#') from dlt"));
    EXPECT_EQ(static_cast<int>(stored.size()), summary.inserted);
    for (const std::string& row : stored)
        EXPECT_EQ(draws.count(row), 1u) << "made up: " << row;
    EXPECT_TRUE(host.messages.empty());
}

// The real draw files of data/draws.
class SampleDrawsTest : public DrawImportDatabaseTest,
                        public ::testing::WithParamInterface<LotteryKind> {};

TEST_P(SampleDrawsTest, LoadsOnceAndThenFindsNothingNew) {
    LotteryKind kind = GetParam();
    std::string path = test::SampleDrawFile(Lottery(kind).openedFileName);
    const std::string bytes = ReadFileBytes(path).value_or("");
    const int lines = static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
    ASSERT_GT(lines, 0) << path;
    ImportSummary first = ImportDrawFileAt(kind, path, runner, title);
    EXPECT_EQ(Tally(first), StrFormat("newest 0: %d in, 0 over, 0 refused, 0 warned, ok", lines));
    EXPECT_EQ(Count(std::string(Lottery(kind).code)), lines);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();

    ImportSummary again = ImportDrawFileAt(kind, path, runner, title);
    EXPECT_EQ(Tally(again).substr(Tally(again).find(':')),
              StrFormat(": 0 in, %d over, 0 refused, 0 warned, ok", lines));
    EXPECT_EQ(DescribeImport(Lottery(kind), again).front(),
              StrFormat("%s: nothing new (0 inserted, %d passed over, 0 refused)",
                        std::string(Lottery(kind).code).c_str(), lines));
}

INSTANTIATE_TEST_SUITE_P(DrawImport, SampleDrawsTest,
                         ::testing::Values(LotteryKind::Dlt, LotteryKind::Ssq, LotteryKind::P5,
                                           LotteryKind::P3, LotteryKind::ThreeD,
                                           LotteryKind::SevenXc, LotteryKind::SevenLc),
                         [](const auto& p) {
                             return "game_" + std::string(Lottery(p.param).code);
                         });

} // namespace
} // namespace veltrix
