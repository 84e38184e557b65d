// Jet SQL text → translation → execution on an in-memory draw database.
//
// The database can hold nothing of value, and the sandbox (FuzzSandbox.h)
// makes sure a statement cannot reach beyond it: no file can be opened, the
// authorizer denies ATTACH, DETACH, PRAGMA and transaction control, and
// limits plus a progress handler bound memory, the length of values, the
// depth of expressions and the steps a statement may take, so every input
// finishes quickly.
//
// Besides running clean under the sanitizers, the translation must be one
// statement: the user's one statement never turns into two, and translating
// the same text twice gives the same SQL.

#include "FuzzSandbox.h"
#include "db/JetDialect.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sqlite3.h>
#include <string>

namespace {

sqlite3* Sandbox() {
    static sqlite3* db = veltrix::fuzz::OpenSandboxDatabase(
        "INSERT INTO dlt VALUES ('07001','2007-05-30',22,24,29,31,35,4,11,'');"
        "INSERT INTO dlt VALUES ('07002','2007-06-02',2,9,13,22,34,1,12,'x');"
        "INSERT INTO ssq VALUES ('2003001','2003-02-23',10,11,12,13,26,28,11);"
        "INSERT INTO p3 VALUES ('04001','2004-11-14',1,2,3);"
        "INSERT INTO \"3d\" VALUES ('2004001','2004-10-18',0,5,9,NULL,1,2);");
    return db;
}

bool OnlyBlanksAndSemicolons(const char* tail) {
    for (; tail && *tail; ++tail) {
        if (!std::strchr(" \t\r\n\f\v;", *tail))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096)
        return 0;
    sqlite3* db = Sandbox();
    if (!db)
        std::abort();
    std::string jet(reinterpret_cast<const char*>(data), size);
    veltrix::JetTranslation translation = veltrix::TranslateJetSql(jet, nullptr);
    veltrix::JetTranslation again = veltrix::TranslateJetSql(jet, nullptr);
    if (again.ok != translation.ok || again.sql != translation.sql)
        std::abort();
    if (!translation.ok)
        return 0;

    veltrix::fuzz::SandboxScope scope(db);
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, translation.sql.c_str(), -1, &stmt, &tail) == SQLITE_OK && stmt) {
        // A second statement behind the first would run what nobody typed.
        if (!OnlyBlanksAndSemicolons(tail))
            std::abort();
        for (int row = 0; row < 100 && sqlite3_step(stmt) == SQLITE_ROW; ++row) {
            for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                sqlite3_column_text(stmt, i);
        }
    }
    sqlite3_finalize(stmt);
    return 0;
}
