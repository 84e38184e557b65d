#include "db/DrawDatabase.h"

#include "db/LotteryCatalogue.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace veltrix {
namespace {

// QS is the issue (text, compared without regard to case as in Jet), RQ the
// draw date as ISO text "YYYY-MM-DD", T a free text; every other column is a
// drawn number.
std::string ColumnDefinition(std::string_view column) {
    std::string name(column);
    if (column == "QS")
        return name + " TEXT NOT NULL COLLATE NOCASE PRIMARY KEY";
    if (column == "RQ" || column == "T")
        return name + " TEXT COLLATE NOCASE";
    return name + " INTEGER";
}

} // namespace

std::string DrawTablesSchemaSql() {
    std::string sql;
    for (const LotteryInfo& info : AllLotteries()) {
        sql += "CREATE TABLE \"";
        sql += info.code;
        sql += "\" (";
        std::string_view columns = info.columns;
        bool first = true;
        while (!columns.empty()) {
            size_t comma = columns.find(',');
            std::string_view column = columns.substr(0, comma);
            if (!first)
                sql += ", ";
            sql += ColumnDefinition(column);
            first = false;
            columns =
                comma == std::string_view::npos ? std::string_view{} : columns.substr(comma + 1);
        }
        sql += ");\n";
    }
    return sql;
}

Status CreateDrawDatabase(const std::string& path) {
    // O_EXCL makes "refuse to overwrite" hold even against a racing creator.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return Fail(errno == EEXIST ? path + " already exists; not overwriting it"
                                    : "cannot create " + path + ": " + std::strerror(errno));
    ::close(fd);

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    std::string script = "PRAGMA journal_mode=WAL;\nBEGIN;\n" + DrawTablesSchemaSql() + "COMMIT;\n";
    char* message = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        Error error = Fail("cannot create the tables in " + path + ": " +
                           (message ? message : sqlite3_errstr(rc)));
        sqlite3_free(message);
        sqlite3_close(db);
        ::unlink(path.c_str());
        return error;
    }
    sqlite3_close(db);
    return {};
}

} // namespace veltrix
