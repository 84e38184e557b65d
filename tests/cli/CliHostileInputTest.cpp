// veltrix-cli on input no ordinary use gives it: the analysis commands over
// hostile result texts (fakes/HostileResultTexts.h), and query over SQL that
// must be refused, on a database another program holds locked, and in a
// folder where reports cannot be written. Each ends with its usual answer or
// an error text, never a crash, and the database stays as it was.

#include "analysis/BackZoneIndex.h"
#include "analysis/NumberCount.h"
#include "chart/ChartSceneText.h"
#include "chart/TrendChart.h"
#include "common/Strings.h"
#include "db/DrawDatabase.h"
#include "fakes/CliProcess.h"
#include "fakes/HostileResultTexts.h"
#include "fakes/TempDir.h"
#include "fakes/Unprivileged.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sqlite3.h>

namespace veltrix {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::RunCli;

std::vector<std::string> FilesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class CliHostileTextTest : public ::testing::TestWithParam<test::HostileResultText> {
protected:
    const std::string& Text() const { return GetParam().text; }
    test::TempDir work;
};

TEST_P(CliHostileTextTest, CommandsAnswerAsTheCoreDoes) {
    CliRun count = RunCli(work.Path().string(), {"count"}, Text());
    EXPECT_EQ(count.status, 0) << count.err;
    EXPECT_TRUE(count.out == NumberCountText(Text()));
    CliRun backZone = RunCli(work.Path().string(), {"backzone"}, Text());
    EXPECT_EQ(backZone.status, 0) << backZone.err;
    EXPECT_TRUE(backZone.out == BackZoneIndexText(Text()));
    EXPECT_EQ(count.err + backZone.err, "");

    // The chart's scene, as the window would draw it.
    for (const char* command : {"dlt", "ssq", "3d", "p5"}) {
        SCOPED_TRACE(command);
        CliRun run = RunCli(work.Path().string(),
                            {"chart", "--command", command, "--height", "722", "--first-line", "3",
                             "--record-count", "77", "--scene"},
                            Text());
        EXPECT_EQ(run.status, 0) << run.err;
        ChartInput input;
        input.clientHeight = 722;
        input.recordCount = 77;
        input.lines = ChartLinesFromText(Text(), 3);
        EXPECT_TRUE(run.out == FormatChartScene(ComputeTrendChart(command, input)));
    }

    // analyse lists only reports it wrote.
    for (const char* command : {"select * from dlt", "ssq", "3d"}) {
        SCOPED_TRACE(command);
        CliRun run = RunCli(work.Path().string(),
                            {"analyse", "--command", command, "--run-length", "3"}, Text());
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        size_t start = 0;
        while (start < run.out.size()) {
            size_t end = run.out.find('\n', start);
            ASSERT_NE(end, std::string::npos);
            std::string name = run.out.substr(start, end - start);
            EXPECT_TRUE(fs::is_regular_file(work.Path() / name)) << name;
            start = end + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, CliHostileTextTest, ::testing::ValuesIn(test::HostileResultTexts()),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(CliReportFolderTest, ReadOnlyWorkingFolderNamesEveryReportAndLeavesNothing) {
    test::TempDir work;
    fs::permissions(work.Path(), fs::perms::owner_read | fs::perms::owner_exec |
                                     fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
    std::string rows;
    for (int i = 0; i < 40; ++i)
        rows += StrFormat("%02d 12 13 24 35 06 11\r\n", 1 + i % 9);
    CliRun run = RunCli(work.Path().string(), {"analyse", "--command", "select * from dlt"}, rows,
                        /*unprivileged=*/true);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "") << "nothing to open";
    EXPECT_EQ(run.err, "can't create file Analyse_gap.txt\n"
                       "can't create file Analyse_123.txt\n"
                       "can't create file DLT_FX_QS.txt\n"
                       "can't create file dlt.txt\n");
    EXPECT_TRUE(FilesIn(work.Path()).empty());
}

// veltrix-cli query against a database of the test's own.
class CliQueryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CreateDrawDatabase(work.File("DLT.mdb")).error(), "");
        ASSERT_EQ(
            Query({"INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('04001','2004-11-14',1,2,3)"}).status,
            0);
        ASSERT_EQ(
            Query({"INSERT INTO dlt (QS,RQ,H1,L2,T)VALUES ('07001','2007-05-30',22,11,'')"}).status,
            0);
    }

    CliRun Query(std::vector<std::string> args) {
        args.insert(args.begin(), "query");
        return RunCli(work.Path().string(), args);
    }

    // Schema and every row, read past the program.
    std::string Everything() {
        sqlite3* db = nullptr;
        std::string all;
        EXPECT_EQ(sqlite3_open_v2(work.File("DLT.mdb").c_str(), &db, SQLITE_OPEN_READONLY, nullptr),
                  SQLITE_OK);
        std::string sql = "SELECT type, name, sql FROM sqlite_master ORDER BY name;";
        for (const char* table : {"dlt", "ssq", "p5", "p3", "3d", "t22x5", "7xc", "7lc"})
            sql += std::string("SELECT * FROM \"") + table + "\" ORDER BY rowid;";
        auto row = [](void* out, int count, char** values, char**) {
            for (int i = 0; i < count; ++i)
                *static_cast<std::string*>(out) +=
                    std::string(values[i] ? values[i] : "<null>") + '|';
            *static_cast<std::string*>(out) += '\n';
            return 0;
        };
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), row, &all, nullptr), SQLITE_OK);
        sqlite3_close(db);
        return all;
    }

    test::TempDir work;
};

TEST_F(CliQueryTest, HostileStatementsAreRefusedAndChangeNothing) {
    const std::string before = Everything();
    ASSERT_NE(before.find("04001"), std::string::npos);
    const std::string deep = std::string(1000, '(') + "'04001'" + std::string(1000, ')');
    const std::string deeper = std::string(50000, '(') + "'04001'" + std::string(50000, ')');
    // The runner's tests hold the full list; here the text goes through the
    // command line, a 100,000-byte argument among them.
    const std::vector<std::string> statements = {
        "delete from p3 where qs = '04001",
        "update p3 set h1 = 9 where qs = '04001')",
        "delete from p3 where qs in (select top 2 top 1 qs from p3)",
        "delete from p3 where qs = " + deep,
        "delete from p3 where qs = " + deeper,
        "select 1; delete from p3",
    };
    for (const std::string& sql : statements) {
        SCOPED_TRACE(sql.substr(0, 70));
        CliRun run = Query({sql});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        // The error text, then the record count.
        EXPECT_TRUE(run.err.ends_with("]\n0\n")) << run.err.substr(0, 300);
        EXPECT_EQ(Everything(), before);
    }
}

TEST_F(CliQueryTest, LockedDatabaseFailsAfterTheRetriesWithoutHanging) {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(work.File("DLT.mdb").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const std::string before = Everything();
    auto started = std::chrono::steady_clock::now();
    CliRun run = Query({"delete from p3"});
    auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.ends_with("[S1000]\n0\n")) << run.err;
    EXPECT_GE(took, std::chrono::milliseconds(1000)) << "ten attempts 100 ms apart";
    EXPECT_LT(took, std::chrono::seconds(10));
    CliRun read = Query({"select qs from p3"});
    EXPECT_EQ(read.status, 0) << "reading is not blocked: " << read.err;
    EXPECT_EQ(read.out, "04001\r\n");

    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(Everything(), before);
    EXPECT_EQ(Query({"delete from p3"}).status, 0) << "once the lock is gone";
}

} // namespace
} // namespace veltrix
