#include "prize/PrizeDraws.h"

#include "common/DataDirectory.h"
#include "common/FileIO.h"

#include <sqlite3.h>

namespace veltrix::prize {
namespace {

std::string ColumnText(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    return text ? reinterpret_cast<const char*>(text) : "";
}

int ColumnNumber(sqlite3_stmt* statement, int column) {
    if (sqlite3_column_type(statement, column) == SQLITE_NULL)
        return -1;
    sqlite3_int64 value = sqlite3_column_int64(statement, column);
    // Nothing a ticket holds lies outside 0..99; keep stray values from matching.
    return value < 0 || value > 99 ? -1 : static_cast<int>(value);
}

} // namespace

Result<std::vector<Draw>> ReadDraws(const std::string& databasePath, LotteryKind game) {
    if (!FileExists(databasePath))
        return Fail("no draw database " + databasePath);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databasePath.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::string why = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        return Fail("cannot open " + databasePath + ": " + why);
    }
    std::vector<Draw> draws;
    // The window's import holds its write lock only briefly.
    sqlite3_busy_timeout(db, 5000);
    const GameShape& shape = Game(game);
    std::string sql = "SELECT QS, RQ";
    for (int i = 1; i <= shape.mainCount; ++i)
        sql += ", H" + std::to_string(i);
    for (int i = 1; i <= shape.extraCount; ++i)
        sql += ", L" + std::to_string(i);
    sql += " FROM \"" + std::string(shape.code) + "\"";
    sqlite3_stmt* statement = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(statement)) == SQLITE_ROW) {
        Draw draw;
        draw.issue = ColumnText(statement, 0);
        draw.date = ColumnText(statement, 1);
        for (int i = 0; i < shape.mainCount; ++i)
            draw.numbers.main.push_back(ColumnNumber(statement, 2 + i));
        for (int i = 0; i < shape.extraCount; ++i)
            draw.numbers.extra.push_back(ColumnNumber(statement, 2 + shape.mainCount + i));
        draws.push_back(std::move(draw));
        rc = SQLITE_OK;
    }
    std::string failure;
    if (rc != SQLITE_DONE)
        failure = "cannot read the " + std::string(shape.code) + " draws from " + databasePath +
                  ": " + sqlite3_errmsg(db);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    if (rc != SQLITE_DONE)
        return Fail(failure);
    SortDraws(&draws);
    return draws;
}

std::string PrizeRulesPath() {
    return DataFile("prize-rules.json");
}

} // namespace veltrix::prize
