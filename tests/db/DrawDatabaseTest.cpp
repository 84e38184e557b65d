#include "db/DrawDatabase.h"
#include "common/FileIO.h"
#include "db/LotteryCatalogue.h"
#include "fakes/RawDatabase.h"
#include "fakes/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sqlite3.h>

namespace veltrix {
namespace {

TEST(DrawDatabaseTest, CreatesTheEightTablesWithTheCatalogueColumns) {
    test::TempDir dir;
    ASSERT_EQ(CreateDrawDatabase(dir.File("DLT.mdb")).error(), "");
    test::RawDatabase db(dir.File("DLT.mdb"), SQLITE_OPEN_READONLY);
    for (const LotteryInfo& info : AllLotteries()) {
        std::string joined;
        for (const std::string& column :
             db.Rows("SELECT name FROM pragma_table_info('" + std::string(info.code) + "')"))
            joined += (joined.empty() ? "" : ",") + column;
        EXPECT_EQ(joined, info.columns) << info.code;
    }
}

TEST(DrawDatabaseTest, RefusesToOverwriteAnExistingFile) {
    test::TempDir dir;
    std::ofstream(dir.File("DLT.mdb")) << "keep me";
    EXPECT_NE(CreateDrawDatabase(dir.File("DLT.mdb")).error().find("already exists"),
              std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir.File("DLT.mdb")).value_or(""), "keep me");
}

TEST(LotteryCatalogueTest, OrdersVisitEveryGameOnce) {
    for (const auto& order : {kCatalogueOrder, kDownloadOrder, kBulletinOrder, kButtonOrder}) {
        std::set<LotteryKind> seen(order.begin(), order.end());
        EXPECT_EQ(seen.size(), static_cast<size_t>(kLotteryCount));
    }
    for (const LotteryInfo& info : AllLotteries()) {
        EXPECT_EQ(Lottery(info.kind).code, info.code);
        EXPECT_EQ(FindLotteryByCode(info.tag), info.kind);
        EXPECT_EQ(std::string(info.savedFileName), std::string(info.code) + ".TXT");
        EXPECT_EQ(std::string(info.serverPath), "/getData/" + std::string(info.savedFileName));
        // The minimum token count is the number of columns the file fills.
        int filled =
            1 + static_cast<int>(std::count(info.columns.begin(), info.columns.end(), ','));
        if (info.kind == LotteryKind::Dlt)
            --filled; // T is written empty
        EXPECT_EQ(info.minTokenCount, filled) << info.code;
    }
    EXPECT_FALSE(FindLotteryByCode("dlt2").has_value());
}

} // namespace
} // namespace veltrix
