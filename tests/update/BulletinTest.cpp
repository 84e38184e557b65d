// The bulletin: its text from the queries' answers, the date, and the Jet
// queries run for real through the statement runner on a draw database.
#include "update/Bulletin.h"
#include "fakes/DrawDatabaseFixture.h"
#include "fakes/UpdateFakes.h"

#include <gtest/gtest.h>

#include <ctime>

namespace veltrix {
namespace {

using test::CrLfLines;

const BulletinDate kSaturday{2026, 8, 22, 6};

// The bulletin of the draws the database test stores.
const std::string kWholeBulletin = "┌──────────────────────┐\r\n"
                                   "│  2026.08.22                          星期六│\r\n"
                                   "├─────────┬────────────┤\r\n"
                                   "│名  称 日 期 期 数│开         奖         号│\r\n"
                                   "├─────────┼────────────┤\r\n"
                                   "│大乐透 08.22 26095│04 06 08 10 14 + 04 05  │\r\n"
                                   "├─────────┼────────────┤\r\n"
                                   "│排列五 08.22 26224│9 1 2 4 0               │\r\n"
                                   "├─────────┼────────────┤\r\n"
                                   "│排列三 08.22 26224│9 1 2                   │\r\n"
                                   "├─────────┼────────────┤\r\n"
                                   "│七星彩 08.21 26096│1 4 2 6 9 5 5           │\r\n"
                                   "├─────────┼────────────┤\r\n"
                                   "│22选5  01.01 26001│01 05 09 13 22          │\r\n"
                                   "├─────────┼────────────┤\r\n"
                                   "│双色球 08.20 26096│01 04 16 22 26 31 + 04  │\r\n"
                                   "├─────────┼────────────┤\r\n"
                                   "│福彩3D 08.21 26223│9 4 8                   │\r\n"
                                   "├─────────┼────────────┤\r\n"
                                   "│七乐彩 08.21 26096│05 14 17 24 26 28 29 +16│\r\n"
                                   "└─────────┴────────────┘\r\n";

TEST(Bulletin, HeaderDate) {
    const char* names[] = {"日", "一", "二", "三", "四", "五", "六"};
    for (int weekday = 0; weekday < 7; ++weekday)
        EXPECT_NE(BulletinHeader({2026, 1, 4 + weekday, weekday})
                      .find(std::string("星期") + names[weekday] + "│"),
                  std::string::npos)
            << weekday;
    std::string header = BulletinHeader({987, 1, 2, 5});
    EXPECT_NE(header.find("│  0987.01.02                          星期五│\r\n"), std::string::npos);
}

TEST(Bulletin, DateIsTheLocalDay) {
    // 2026-08-22 17:30 UTC, a Saturday, is already Sunday 01:30 in UTC+8.
    const std::time_t instant = 1787419800;
    auto local = [&](const char* zone) {
        test::ScopedEnv scope("TZ", zone);
        BulletinDate date = LocalBulletinDate(instant);
        return std::array{date.year, date.month, date.day, date.weekday};
    };
    EXPECT_EQ(local("UTC0"), (std::array{2026, 8, 22, 6}));
    EXPECT_EQ(local("CST-8"), (std::array{2026, 8, 23, 0}));
}

class BulletinDatabaseTest : public test::DrawDatabaseFixture {
protected:
    void SetUp() override {
        DrawDatabaseFixture::SetUp();
        // An older draw first: the bulletin shows the newest.
        for (const char* values : {"dlt VALUES ('26094','2026-08-19',5,14,15,17,33,1,7,'')",
                                   "dlt VALUES ('26095','2026-08-22',4,6,8,10,14,4,5,'')",
                                   "p5 VALUES ('26224','2026-08-22',9,1,2,4,0)",
                                   "p3 VALUES ('26224','2026-08-22',9,1,2)",
                                   "7xc VALUES ('26096','2026-08-21',1,4,2,6,9,5,5)",
                                   "t22x5 VALUES ('2026001','2026-01-01',1,5,9,13,22)",
                                   "ssq VALUES ('2026096','2026-08-20',1,4,16,22,26,31,4)",
                                   "3d VALUES ('2026223','2026-08-21',9,4,8,0,0,0)",
                                   "7lc VALUES ('2026096','2026-08-21',5,14,17,24,26,28,29,16)"})
            Exec(std::string("INSERT INTO ") + values);
    }

    test::QuietQueryHost host;
    ConnectionSqlRunner runner{db, host};
};

TEST_F(BulletinDatabaseTest, RowsOfEveryGame) {
    EXPECT_EQ(RunBulletin(runner, kSaturday), kWholeBulletin);
    EXPECT_EQ(BuildBulletin(kSaturday, test::WellFormedBulletinAnswers()), kWholeBulletin)
        << "the answers the other tests build on";
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
}

TEST_F(BulletinDatabaseTest, EmptyAndMissingTablesLeaveLabelAndSeparatorOnOneLine) {
    Exec("DELETE FROM t22x5");
    Exec("DROP TABLE 7lc"); // the last row
    std::vector<std::string> lines = CrLfLines(RunBulletin(runner, kSaturday));
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[13], "│22选5 ├─────────┼────────────┤");
    EXPECT_EQ(lines[18], "│七乐彩└─────────┴────────────┘");
    EXPECT_EQ(lines[14], "│双色球 08.20 26096│01 04 16 22 26 31 + 04  │") << "others unaffected";
    EXPECT_EQ(host.messages.size(), 1u) << "the missing table is reported";
}

TEST_F(BulletinDatabaseTest, WiderNumbersShiftTheirBar) {
    // 7xc's seventh number runs to 14 since 2020; only H1 of the digit
    // games is cut to its last digit.
    Exec("INSERT INTO 7xc VALUES ('26097','2026-08-23',11,4,2,6,9,5,14)");
    std::vector<std::string> rows = CrLfLines(RunBulletin(runner, kSaturday));
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[11], "│七星彩 08.23 26097│1 4 2 6 9 5 14           │");
}

} // namespace
} // namespace veltrix
