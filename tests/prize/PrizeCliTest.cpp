// veltrix-cli prize as scripts run it, on a database it must leave as it was.
// Which draws a scope picks and which tickets are refused are checked in the
// core (PrizeTiersTest, PrizeTicketTest); here the program's own path.

#include "PrizeTestSupport.h"
#include "db/DrawDatabase.h"
#include "fakes/CliProcess.h"
#include "fakes/RawDatabase.h"

namespace veltrix::prize::test {
namespace {

using veltrix::test::RawDatabase;
using veltrix::test::RunCli;
using veltrix::test::TempDir;

class PrizeCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CreateDrawDatabase(work.File("DLT.mdb")).error(), "");
        RawDatabase db(work.File("DLT.mdb"), SQLITE_OPEN_READWRITE);
        db.Rows("INSERT INTO ssq VALUES ('2026013','2026-01-29',1,2,3,4,5,6,1),"
                "('2026014','2026-02-01',1,2,3,14,15,16,2),('2026015','2026-02-03',1,2,3,4,5,9,1)");
        before = db.DrawTablesState();
    }
    veltrix::test::CliRun Run(const std::vector<std::string>& args) {
        return RunCli(work.Path().string(), args);
    }
    TempDir work;
    std::string before;
};

TEST_F(PrizeCliTest, PrintsOneLinePerDrawAndTierWonOldestFirst) {
    auto all = Run({"prize", "ssq", "--all", "01", "02", "03", "04", "05", "06", "07", "+", "01"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out, "2026013\t一等奖\t1\t浮动\n"
                       "2026013\t三等奖\t6\t3000\n"
                       "2026014\t福运奖\t4\t0/5\n"
                       "2026015\t三等奖\t2\t3000\n"
                       "2026015\t四等奖\t5\t200\n");
    EXPECT_NE(all.err.find("7 注"), std::string::npos) << all.err;
    // The newest draw by default: 2026014's 五等奖 is not counted.
    auto newest = Run({"prize", "ssq", "11 12 13 14 15 16 + 02"});
    EXPECT_EQ(newest.status, 0) << newest.err;
    EXPECT_EQ(newest.out, "");

    EXPECT_EQ(RawDatabase(work.File("DLT.mdb"), SQLITE_OPEN_READONLY).DrawTablesState(), before);
}

TEST_F(PrizeCliTest, BadTicketsAndArgumentsExitTwoWithAMessage) {
    const std::vector<std::vector<std::string>> cases = {
        {"prize", "ssq", "01", "02", "03", "04", "05", "34", "+", "01"},
        {"prize", "xyz", "1"},
        {"prize", "ssq", "--last", "0", "01 02 03 04 05 06 + 01"},
        {"prize", "ssq", "--all", "--last", "2", "01 02 03 04 05 06 + 01"},
        {"prize"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.size() > 1 ? args[1] + " " + args.back() : "prize");
        auto run = Run(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("prize: "), std::string::npos) << run.err;
    }
    auto missing = Run({"prize", "ssq", "--issue", "2025001", "01 02 03 04 05 06 + 01"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("2025001"), std::string::npos) << missing.err;
}

} // namespace
} // namespace veltrix::prize::test
