#include "db/DrawDatabaseFile.h"

#include "db/LotteryCatalogue.h"

#include <sqlite3.h>

#include <cstdio>
#include <set>
#include <string_view>
#include <sys/stat.h>

namespace veltrix {
namespace {

// The names of the tables an SQLite file holds, in lower case; false when
// the file cannot be read as SQLite (locked, damaged, unreadable).
bool ReadTableNames(const std::string& path, std::set<std::string>* names) {
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_stmt* stmt = nullptr;
    if (rc == SQLITE_OK)
        rc = sqlite3_prepare_v2(db, "SELECT lower(name) FROM sqlite_master WHERE type = 'table'",
                                -1, &stmt, nullptr);
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW)
            names->emplace(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_finalize(stmt);
    sqlite3_close_v2(db);
    return rc == SQLITE_DONE;
}

} // namespace

DrawDatabaseFile ClassifyDrawDatabaseFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return DrawDatabaseFile::Missing;
    if (S_ISREG(info.st_mode) && info.st_size == 0)
        return DrawDatabaseFile::Empty;

    char head[32] = {};
    size_t got = 0;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        got = std::fread(head, 1, sizeof head, file);
        std::fclose(file);
    }
    const std::string_view bytes(head, got);
    // An unreadable file or a folder: Open says why it cannot be used.
    if (got == 0)
        return DrawDatabaseFile::DrawDatabase;
    // Jet 3/4 and ACE files name their engine at offset 4.
    if (bytes.substr(4, 15) == "Standard Jet DB" || bytes.substr(4, 15) == "Standard ACE DB")
        return DrawDatabaseFile::AccessDatabase;
    if (bytes.substr(0, 16) != std::string_view("SQLite format 3\0", 16))
        return DrawDatabaseFile::NotADatabase;

    std::set<std::string> tables;
    if (!ReadTableNames(path, &tables))
        return DrawDatabaseFile::DrawDatabase;
    for (const LotteryInfo& lottery : AllLotteries()) {
        if (tables.count(std::string(lottery.code)))
            return DrawDatabaseFile::DrawDatabase;
    }
    return DrawDatabaseFile::WithoutDrawTables;
}

std::string DrawDatabaseFileProblem(DrawDatabaseFile kind, const std::string& path) {
    const std::string tail = "; it was left as it is.";
    switch (kind) {
    case DrawDatabaseFile::Missing:
    case DrawDatabaseFile::DrawDatabase:
        return {};
    case DrawDatabaseFile::Empty:
        return path + " is an empty file (0 bytes), not a draw database" + tail;
    case DrawDatabaseFile::AccessDatabase:
        return path +
               " is a Microsoft Access (Jet) database, which this program cannot read; it "
               "needs the SQLite draw database" +
               tail;
    case DrawDatabaseFile::WithoutDrawTables:
        return path + " is an SQLite database without the draw tables (dlt, ssq, 3d, ...)" + tail;
    case DrawDatabaseFile::NotADatabase:
        return path + " is not a database file" + tail;
    }
    return {};
}

} // namespace veltrix
