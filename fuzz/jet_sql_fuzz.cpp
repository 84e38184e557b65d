// Jet SQL text → translation → execution on an in-memory draw database.
//
// The database can hold nothing of value, and the harness makes sure a
// statement cannot reach beyond it: the authorizer denies ATTACH, DETACH and
// PRAGMA, extensions stay off, and limits plus a progress handler bound the
// length of values, the depth of expressions and the steps a statement may
// take, so every input finishes quickly.

#include "db/DrawDatabase.h"
#include "db/JetDialect.h"

#include <cstdint>
#include <sqlite3.h>
#include <string>

namespace {

int Authorize(void*, int action, const char*, const char*, const char*, const char*) {
    switch (action) {
    case SQLITE_ATTACH:
    case SQLITE_DETACH:
    case SQLITE_PRAGMA:
        return SQLITE_DENY;
    default:
        return SQLITE_OK;
    }
}

int StopLongStatements(void* steps) {
    return ++*static_cast<int*>(steps) > 2000 ? 1 : 0;
}

sqlite3* OpenSandbox() {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, nullptr) !=
        SQLITE_OK)
        return nullptr;
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_limit(db, SQLITE_LIMIT_ATTACHED, 0);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, 1 << 20);
    sqlite3_limit(db, SQLITE_LIMIT_SQL_LENGTH, 1 << 18);
    sqlite3_limit(db, SQLITE_LIMIT_EXPR_DEPTH, 200);
    sqlite3_limit(db, SQLITE_LIMIT_COMPOUND_SELECT, 50);
    sqlite3_limit(db, SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 1000);
    std::string setup = veltrix::DrawTablesSchemaSql() +
                        "INSERT INTO dlt VALUES ('07001','2007-05-30',22,24,29,31,35,4,11,'');"
                        "INSERT INTO dlt VALUES ('07002','2007-06-02',2,9,13,22,34,1,12,'x');"
                        "INSERT INTO p3 VALUES ('04001','2004-11-14',1,2,3);"
                        "INSERT INTO \"3d\" VALUES ('2004001','2004-10-18',0,5,9,NULL,1,2);";
    sqlite3_exec(db, setup.c_str(), nullptr, nullptr, nullptr);
    veltrix::RegisterJetFunctions(db);
    sqlite3_set_authorizer(db, Authorize, nullptr);
    return db;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096)
        return 0;
    static sqlite3* db = OpenSandbox();
    if (!db)
        return 0;
    std::string jet(reinterpret_cast<const char*>(data), size);
    veltrix::JetTranslation translation = veltrix::TranslateJetSql(jet, nullptr);
    if (!translation.ok)
        return 0;

    int steps = 0;
    sqlite3_progress_handler(db, 100, StopLongStatements, &steps);
    // Each input runs inside a transaction that is rolled back, so inputs do
    // not see each other's changes.
    sqlite3_exec(db, "SAVEPOINT fuzz", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, translation.sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK && stmt) {
        for (int row = 0; row < 100 && sqlite3_step(stmt) == SQLITE_ROW; ++row) {
            for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                sqlite3_column_text(stmt, i);
        }
    }
    sqlite3_finalize(stmt);
    sqlite3_progress_handler(db, 0, nullptr, nullptr);
    sqlite3_exec(db, "ROLLBACK TO fuzz; RELEASE fuzz", nullptr, nullptr, nullptr);
    return 0;
}
