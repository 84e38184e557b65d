// Transactions and checkpoints for the import, straight on the connection's
// SQLite handle: they are not Jet statements, and the user never types them.

#include "db/AdoConnection.h"
#include "update/UpdatePorts.h"

#include <sqlite3.h>

namespace veltrix {
namespace {

Status Exec(sqlite3* handle, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(handle, sql, nullptr, nullptr, &message) == SQLITE_OK)
        return {};
    std::string error = message ? message : sqlite3_errmsg(handle);
    sqlite3_free(message);
    return Fail(error);
}

} // namespace

Status BeginBatchOn(CAdoConnection& db) {
    sqlite3* handle = db.Handle();
    if (!handle)
        return Fail("the database is not open");
    // Deferred: the first INSERT takes the write lock, through the
    // connection's retries when another program holds it.
    return Exec(handle, "BEGIN");
}

Status CommitBatchOn(CAdoConnection& db) {
    sqlite3* handle = db.Handle();
    if (!handle)
        return Fail("the database is not open");
    // Some failures (a full disk, an I/O error) make SQLite roll the whole
    // transaction back on its own: then there is nothing to commit and the
    // batch's rows are gone.
    if (sqlite3_get_autocommit(handle))
        return Fail("the database rolled the batch back");
    Status committed = Exec(handle, "COMMIT");
    if (!committed && !sqlite3_get_autocommit(handle))
        (void)Exec(handle, "ROLLBACK");
    return committed;
}

void CheckpointOn(CAdoConnection& db) {
    // A reader that holds an old snapshot keeps part of the log; what can be
    // copied is copied, and the next checkpoint (or the close) does the rest.
    if (sqlite3* handle = db.Handle())
        sqlite3_wal_checkpoint_v2(handle, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
}

} // namespace veltrix
