// The bulletin's Jet queries run for real, through the statement runner, on
// a draw database.
#include "fakes/DrawDatabaseFixture.h"
#include "fakes/UpdateFakes.h"
#include "update/Bulletin.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

class BulletinDatabaseTest : public test::DrawDatabaseFixture {
protected:
    void SetUp() override {
        DrawDatabaseFixture::SetUp();
        // An older draw first in every table: the bulletin shows the newest.
        Exec("INSERT INTO dlt (QS,RQ,H1,H2,H3,H4,H5,L1,L2,T)VALUES "
             "('26094','2026-08-19',5,14,15,17,33,1,7,'')");
        Exec("INSERT INTO dlt (QS,RQ,H1,H2,H3,H4,H5,L1,L2,T)VALUES "
             "('26095','2026-08-22',4,6,8,10,14,4,5,'')");
        Exec("INSERT INTO p5 (QS,RQ,H1,H2,H3,H4,H5)VALUES ('26224','2026-08-22',9,1,2,4,0)");
        Exec("INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('26224','2026-08-22',9,1,2)");
        Exec("INSERT INTO 7xc (QS,RQ,H1,H2,H3,H4,H5,H6,H7)VALUES "
             "('26096','2026-08-21',1,4,2,6,9,5,5)");
        Exec("INSERT INTO t22x5 (QS,RQ,H1,H2,H3,H4,H5)VALUES ('2026001','2026-01-01',1,5,9,13,22)");
        Exec("INSERT INTO ssq (QS,RQ,H1,H2,H3,H4,H5,H6,L1)VALUES "
             "('2026096','2026-08-20',1,4,16,22,26,31,4)");
        Exec("INSERT INTO 3d (QS,RQ,H1,H2,H3,S1,S2,S3)VALUES ('2026223','2026-08-21',9,4,8,0,0,0)");
        Exec("INSERT INTO 7lc (QS,RQ,H1,H2,H3,H4,H5,H6,H7,L1)VALUES "
             "('2026096','2026-08-21',5,14,17,24,26,28,29,16)");
    }

    std::vector<std::string> Rows(const std::string& bulletin) {
        std::vector<std::string> rows;
        size_t start = 0;
        for (size_t end; (end = bulletin.find("\r\n", start)) != std::string::npos; start = end + 2)
            rows.push_back(bulletin.substr(start, end - start));
        return rows;
    }

    test::QuietQueryHost host;
    ConnectionSqlRunner runner{db, host};
    const BulletinDate date{2026, 8, 22, 6};
};

TEST_F(BulletinDatabaseTest, RowsOfEveryGame) {
    std::vector<std::string> rows = Rows(RunBulletin(runner, date));
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[5], "│大乐透 08.22 26095│04 06 08 10 14 + 04 05  │");
    EXPECT_EQ(rows[7], "│排列五 08.22 26224│9 1 2 4 0               │");
    EXPECT_EQ(rows[9], "│排列三 08.22 26224│9 1 2                   │");
    EXPECT_EQ(rows[11], "│七星彩 08.21 26096│1 4 2 6 9 5 5           │");
    EXPECT_EQ(rows[13], "│22选5  01.01 26001│01 05 09 13 22          │");
    EXPECT_EQ(rows[15], "│双色球 08.20 26096│01 04 16 22 26 31 + 04  │");
    EXPECT_EQ(rows[17], "│福彩3D 08.21 26223│9 4 8                   │");
    EXPECT_EQ(rows[19], "│七乐彩 08.21 26096│05 14 17 24 26 28 29 +16│");
    EXPECT_EQ(rows[20], "└─────────┴────────────┘");
    EXPECT_TRUE(host.messages.empty()) << host.messages.front();
}

TEST_F(BulletinDatabaseTest, TableWithoutRows) {
    Exec("DELETE FROM ssq");
    std::vector<std::string> rows = Rows(RunBulletin(runner, date));
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows[15], "│双色球├─────────┼────────────┤");
    EXPECT_EQ(rows[16], "│福彩3D 08.21 26223│9 4 8                   │");
}

TEST_F(BulletinDatabaseTest, MissingTableIsReportedAndLeftEmpty) {
    Exec("DROP TABLE p3");
    std::vector<std::string> rows = Rows(RunBulletin(runner, date));
    EXPECT_EQ(rows[9], "│排列三├─────────┼────────────┤");
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(BulletinDatabaseTest, WiderNumbersShiftTheirBar) {
    // 7xc's seventh number runs to 14 since 2020; only H1 of the digit
    // games is cut to its last digit.
    Exec("INSERT INTO 7xc (QS,RQ,H1,H2,H3,H4,H5,H6,H7)VALUES "
         "('26097','2026-08-23',11,4,2,6,9,5,14)");
    std::vector<std::string> rows = Rows(RunBulletin(runner, date));
    EXPECT_EQ(rows[11], "│七星彩 08.23 26097│1 4 2 6 9 5 14           │");
}

TEST_F(BulletinDatabaseTest, SameTextTwice) {
    EXPECT_EQ(RunBulletin(runner, date), RunBulletin(runner, date));
}

} // namespace
} // namespace veltrix
