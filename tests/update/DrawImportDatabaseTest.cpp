// The import against a real draw database: hostile files must not reach the
// database as statements, and the real draw files load as they should.
#include "common/FileIO.h"
#include "fakes/DrawDatabaseFixture.h"
#include "fakes/UpdateFakes.h"
#include "query/StatementRunner.h"
#include "update/DrawImport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>

namespace veltrix {
namespace {

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
    // As text "9999" sorts after "10000", so the newest stored issue reads
    // as 9999 and the file's 10000 is offered again: the key refuses it.
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('10000','2024-01-01',1,1,1)");
    Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('9999','2023-12-31',1,1,1)");
    ImportSummary summary =
        Import(LotteryKind::P3, "10000 2024-01-01 1 1 1\r\n10001 2024-01-02 2 2 2\r\n");
    EXPECT_EQ(summary.newestIssue, 9999);
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
    int fields = kind == LotteryKind::ThreeD ? 0 : lines; // 3d lines lack S1..S3
    EXPECT_EQ(first.inserted, fields);
    EXPECT_EQ(first.inserted + first.SkippedTotal(), lines);
    EXPECT_EQ(Count(std::string(Lottery(kind).code)), fields);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();

    ImportSummary again = ImportDrawFileAt(kind, path, runner, title);
    EXPECT_EQ(again.inserted, 0);
    EXPECT_EQ(
        again.Skipped(kind == LotteryKind::ThreeD ? SkipReason::TooFewFields : SkipReason::NotNewer)
            .count,
        lines);
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
