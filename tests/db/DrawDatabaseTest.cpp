#include "db/DrawDatabase.h"
#include "db/LotteryCatalogue.h"
#include "fakes/TempDir.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sqlite3.h>

namespace veltrix {
namespace {

std::vector<std::string> Columns(sqlite3* db, std::string_view table) {
    std::vector<std::string> names;
    sqlite3_stmt* stmt = nullptr;
    std::string sql = "PRAGMA table_info(\"" + std::string(table) + "\")";
    sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1)));
    sqlite3_finalize(stmt);
    return names;
}

TEST(DrawDatabaseTest, CreatesTheEightTablesWithTheCatalogueColumns) {
    test::TempDir dir;
    ASSERT_EQ(CreateDrawDatabase(dir.File("DLT.mdb")).error(), "");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(dir.File("DLT.mdb").c_str(), &db), SQLITE_OK);
    for (const LotteryInfo& info : AllLotteries()) {
        std::string joined;
        for (const std::string& column : Columns(db, info.code))
            joined += (joined.empty() ? "" : ",") + column;
        EXPECT_EQ(joined, info.columns) << info.code;
    }
    sqlite3_close(db);
}

TEST(DrawDatabaseTest, RefusesToOverwriteAnExistingFile) {
    test::TempDir dir;
    std::ofstream(dir.File("DLT.mdb")) << "keep me";
    EXPECT_NE(CreateDrawDatabase(dir.File("DLT.mdb")).error().find("already exists"),
              std::string::npos);
    std::ifstream in(dir.File("DLT.mdb"));
    std::string content((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(content, "keep me");
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
