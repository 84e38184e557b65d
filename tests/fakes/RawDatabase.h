#pragma once
// The database as another program sees it: a plain SQLite connection of the
// test's own, outside CAdoConnection, to read what the program left behind
// or to hold the write lock while the program works.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace veltrix::test {

class RawDatabase {
public:
    RawDatabase(const std::string& path, int flags) {
        if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "cannot open " << path << ": " << sqlite3_errmsg(m_db);
    }
    ~RawDatabase() { sqlite3_close(m_db); }
    RawDatabase(const RawDatabase&) = delete;
    RawDatabase& operator=(const RawDatabase&) = delete;

    // The rows of a select, each row's fields joined by '|' (NULL as
    // nothing); nothing while the database cannot be read.
    std::optional<std::vector<std::string>> TryRows(const std::string& sql) {
        std::vector<std::string> rows;
        auto collect = [](void* out, int n, char** values, char**) {
            std::string row;
            for (int i = 0; i < n; ++i)
                row += std::string(values[i] ? values[i] : "") + (i + 1 < n ? "|" : "");
            static_cast<std::vector<std::string>*>(out)->push_back(std::move(row));
            return 0;
        };
        if (sqlite3_exec(m_db, sql.c_str(), collect, &rows, nullptr) != SQLITE_OK)
            return std::nullopt;
        return rows;
    }

    std::vector<std::string> Rows(const std::string& sql) {
        auto rows = TryRows(sql);
        if (!rows)
            ADD_FAILURE() << sql << ": " << sqlite3_errmsg(m_db);
        return rows.value_or(std::vector<std::string>{});
    }

    // count(*) of the table, or -1 while the database cannot be read.
    int Count(const std::string& table) {
        auto rows = TryRows("SELECT count(*) FROM \"" + table + "\"");
        return rows && rows->size() == 1 ? std::atoi(rows->front().c_str()) : -1;
    }

    // Every row of the eight draw tables and the schema, with SQLite's own
    // verdict on the file first: equal before and after means untouched.
    std::string DrawTablesState() {
        std::string all;
        auto dump = [&](const std::string& sql) {
            for (const std::string& row : Rows(sql))
                all += row + "\n";
        };
        dump("PRAGMA integrity_check");
        dump("SELECT type, name, sql FROM sqlite_master ORDER BY name");
        for (const char* table : {"dlt", "ssq", "p5", "p3", "3d", "t22x5", "7xc", "7lc"})
            dump(std::string("SELECT * FROM \"") + table + "\" ORDER BY rowid");
        return all;
    }

private:
    sqlite3* m_db = nullptr;
};

// Another program's connection, holding a write transaction while asked to.
// It opens the database at the first Lock, so it may be made before the
// database exists.
class OtherWriter {
public:
    explicit OtherWriter(std::string path) : m_path(std::move(path)) {}
    ~OtherWriter() {
        Release();
        sqlite3_close(m_db);
    }
    void Lock() {
        if (!m_db) {
            ASSERT_EQ(sqlite3_open_v2(m_path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr),
                      SQLITE_OK);
        }
        ASSERT_EQ(sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        m_locked = true;
    }
    void Release() {
        if (m_locked.exchange(false))
            sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    }

private:
    std::string m_path;
    sqlite3* m_db = nullptr;
    std::atomic<bool> m_locked = false;
};

} // namespace veltrix::test
