// The import against a real draw database: hostile files must not reach the
// database as statements, and the real draw files load as they should.
#include "common/FileIO.h"
#include "fakes/DrawDatabaseFixture.h"
#include "fakes/UpdateFakes.h"
#include "query/StatementRunner.h"
#include "update/DrawImport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <sqlite3.h>
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

TEST_F(DrawImportDatabaseTest, StoresTheDrawWithAnIsoDate) {
    ImportSummary summary = Import(LotteryKind::Dlt, "07001 2007/5/30 22 24 29 31 35 04 11\r\n"
                                                     "07002 20070602 15 22 31 34 35 05 12\r\n");
    EXPECT_EQ(summary.inserted, 2);
    EXPECT_EQ(Rows("select qs, rq, h1, h5, l1, l2, t from dlt order by qs"),
              "07001 2007-05-30 22 35 4 11 \r\n07002 2007-06-02 15 35 5 12 \r\n");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DrawImportDatabaseTest, SqlInFieldsStaysData) {
    ImportSummary summary =
        Import(LotteryKind::P3, "101');DELETE/**/FROM/**/p3;-- 2024-01-02 1 2 3\r\n"
                                "102 2024-01-03');DROP_TABLE_p3;-- 1 2 3\r\n"
                                "103 2024-01-04 1,2);DROP_TABLE_p3;--( 2 3\r\n"
                                "104 2024-01-05 1 2 3);DELETE_FROM_p3\r\n"
                                "105 2024-01-06 1 2 3\r\n");
    EXPECT_EQ(summary.inserted, 2);
    EXPECT_EQ(summary.Skipped(SkipReason::BadDate).count, 1);
    EXPECT_EQ(summary.Skipped(SkipReason::BadNumber).count, 2);
    EXPECT_EQ(Rows("select qs from p3 order by rq"), "101');DELETE/**/FROM/**/p3;--\r\n105\r\n");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DrawImportDatabaseTest, NulBytesNeitherTruncateNorCrash) {
    const char raw[] = "1\0 2024-01-01 1 1 1\r\n"
                       "2 2024-01-02 1 1 1\0\r\n"
                       "3 2024-01-03 \0 1 1\r\n"
                       "4 2024-01-04 4 4 4\r\n"
                       "\0\0\0\0\r\n";
    std::string bytes(raw, sizeof raw - 1);
    ImportSummary summary = Import(LotteryKind::P3, bytes);
    EXPECT_EQ(summary.inserted, 1);
    EXPECT_EQ(Rows("select qs, h1 from p3"), "4 4\r\n");
}

TEST_F(DrawImportDatabaseTest, TenMegabyteLine) {
    std::string bytes = "1 2024-01-01 1 1 1\r\n" + std::string(10 * 1024 * 1024, '9') + "\r\n" +
                        "2 2024-01-02 2 2 2\r\n";
    ImportSummary summary = Import(LotteryKind::P3, bytes);
    EXPECT_EQ(summary.inserted, 2);
    // Each 254-byte piece of nines is an issue far above the others with one
    // field only.
    EXPECT_EQ(summary.Skipped(SkipReason::TooFewFields).firstLines, std::vector<int>{2});
    EXPECT_EQ(Count("p3"), 2);
}

TEST_F(DrawImportDatabaseTest, TabsAndNonUtf8Bytes) {
    ImportSummary summary =
        Import(LotteryKind::P3, "\xc6\xda\xba\xc5 \xc8\xd5\xc6\xda\r\n" // a GBK heading
                                "1\t2024-01-01\t1\t1\t1\r\n"
                                "2 2024-01-02 \xff 1 1\r\n"
                                "3 2024-01-03 3 3 3\r\n");
    EXPECT_EQ(summary.inserted, 1);
    EXPECT_EQ(summary.Skipped(SkipReason::NotNewer).count, 1);
    EXPECT_EQ(summary.Skipped(SkipReason::TooFewFields).count, 1);
    EXPECT_EQ(summary.Skipped(SkipReason::BadNumber).count, 1);
    EXPECT_EQ(Rows("select qs from p3"), "3\r\n");
}

TEST_F(DrawImportDatabaseTest, EmptyAndMissingFiles) {
    EXPECT_EQ(Import(LotteryKind::Ssq, "").inserted, 0);
    ImportSummary missing =
        ImportDrawFileAt(LotteryKind::Ssq, dir.File("no-such.txt"), runner, title);
    EXPECT_FALSE(missing.fileOpened);
    ImportSummary folder = ImportDrawFileAt(LotteryKind::Ssq, dir.Path().string(), runner, title);
    EXPECT_FALSE(folder.fileOpened) << "a folder is not a draw file";
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

TEST_F(DrawImportDatabaseTest, HostileIssueTextsAreStoredVerbatim) {
    // Issues made of the characters that matter to SQL (and some that matter
    // to C strings and encodings); each must end up in QS exactly as written.
    const std::string alphabet = std::string("'\";-/*()\\%_=,.\t\r\x01\x7f\x80\xff\xe4\xb8\xad") +
                                 "abcXYZ019" + "DROP" + "--";
    std::mt19937 random(20260822);
    std::string file;
    std::vector<std::string> issues;
    for (int i = 1; i <= 300; ++i) {
        std::string issue = std::to_string(i) + "_";
        size_t length = random() % 24;
        for (size_t k = 0; k < length; ++k)
            issue += alphabet[random() % alphabet.size()];
        issues.push_back(issue);
        file += issue + " 2024-01-02 1 2 3\r\n";
    }
    ImportSummary summary = Import(LotteryKind::P3, file);
    EXPECT_EQ(summary.inserted, 300);
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();

    // Read QS back byte for byte, past anything the runner would do to it.
    std::vector<std::string> stored;
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(db.Handle(), "SELECT QS FROM p3 ORDER BY rowid", -1, &stmt, nullptr),
        SQLITE_OK);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        stored.emplace_back(reinterpret_cast<const char*>(sqlite3_column_blob(stmt, 0)),
                            static_cast<size_t>(sqlite3_column_bytes(stmt, 0)));
    sqlite3_finalize(stmt);
    EXPECT_EQ(stored, issues);
    EXPECT_EQ(Count("sqlite_master where type = 'table'"), 8) << "no table came or went";
}

TEST_F(DrawImportDatabaseTest, CarriageReturnLineEndsStoreNoMadeUpDraw) {
    // Old Mac line ends: without line feeds the file is one long line, read
    // in pieces of 254 bytes that cut the draws anywhere. Whatever is taken
    // must be a draw of the file as it stands there, never pieces of two.
    const char* folder = std::getenv("VELTRIX_SAMPLE_DRAWS");
    ASSERT_NE(folder, nullptr);
    std::string sample;
    ASSERT_TRUE(ReadFileBytes(std::string(folder) + "/dlt.txt", &sample));
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
    const char* folder = std::getenv("VELTRIX_SAMPLE_DRAWS");
    ASSERT_NE(folder, nullptr) << "ctest sets VELTRIX_SAMPLE_DRAWS";
    auto [kind, lines] = GetParam();
    std::string path = std::string(folder) + "/" + std::string(Lottery(kind).openedFileName);

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

TEST_F(DrawImportDatabaseTest, SampleDrawIsStoredAsInTheFile) {
    const char* folder = std::getenv("VELTRIX_SAMPLE_DRAWS");
    ASSERT_NE(folder, nullptr);
    ImportDrawFileAt(LotteryKind::Dlt, std::string(folder) + "/dlt.txt", runner, title);
    EXPECT_EQ(Rows("select qs, rq, h1, h2, h3, h4, h5, l1, l2 from dlt where qs = '07001'"),
              "07001 2007-05-30 22 24 29 31 35 4 11\r\n");
    EXPECT_EQ(Rows("select top 1 qs from dlt order by qs desc"), "26095\r\n");
}

} // namespace
} // namespace veltrix
