#pragma once
// Runs a translated Jet statement on a connection's SQLite handle and reports
// the first row's values with their storage classes, which the connection's
// field texts alone cannot show (6/2 must be the real 3, str(5) the text " 5").
// MemoryDatabase gives such a handle with the Jet functions and no tables.

#include "db/JetDialect.h"

#include <sqlite3.h>
#include <string>
#include <vector>

namespace veltrix::test {

struct EvaluatedField {
    int type = SQLITE_NULL; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_NULL
    std::string text;
};

struct Evaluation {
    std::string error; // translation or SQLite error; empty on success
    std::vector<EvaluatedField> fields;
};

inline Evaluation EvaluateFirstRow(sqlite3* db, const std::string& jetSql) {
    Evaluation result;
    JetTranslation translation = TranslateJetSql(jetSql);
    if (!translation.ok) {
        result.error = translation.error;
        return result;
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, translation.sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        result.error = sqlite3_errmsg(db);
        sqlite3_finalize(stmt);
        return result;
    }
    int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            EvaluatedField field;
            field.type = sqlite3_column_type(stmt, i);
            const unsigned char* text = sqlite3_column_text(stmt, i);
            if (text)
                field.text.assign(reinterpret_cast<const char*>(text),
                                  static_cast<size_t>(sqlite3_column_bytes(stmt, i)));
            result.fields.push_back(field);
        }
    } else if (rc != SQLITE_DONE) {
        result.error = sqlite3_errmsg(db);
    }
    sqlite3_finalize(stmt);
    return result;
}

class MemoryDatabase {
public:
    MemoryDatabase() {
        sqlite3_open(":memory:", &m_db);
        RegisterJetFunctions(m_db);
    }
    ~MemoryDatabase() { sqlite3_close(m_db); }
    MemoryDatabase(const MemoryDatabase&) = delete;
    MemoryDatabase& operator=(const MemoryDatabase&) = delete;
    sqlite3* Handle() const { return m_db; }

private:
    sqlite3* m_db = nullptr;
};

} // namespace veltrix::test
