#pragma once
// Jet (Access) SQL on SQLite. Users type Jet SQL and keep it in saved commands,
// and the import and the bulletin issue Jet statements, so every statement is
// translated to SQLite SQL before it runs. The translation is pure text work;
// the functions the translated text calls (format, str, iif, ...) are
// registered on each connection by RegisterJetFunctions.

#include <string>
#include <string_view>

struct sqlite3;

namespace veltrix {

// What the translator may ask about the database it translates for.
class JetSchema {
public:
    virtual ~JetSchema() = default;
    // True when no two rows of `table` can hold the same non-null value in
    // `column` (a single-column primary key or unique index). Lets
    // "select top N ... order by qs" become a plain LIMIT: there are no ties.
    virtual bool IsUniqueColumn(std::string_view table, std::string_view column) const = 0;
};

struct JetTranslation {
    bool ok = false;
    std::string sql;   // the SQLite statement, when ok
    std::string error; // why the text could not be translated, when not ok
};

// Translates one Jet statement. A text holding more than one statement (a
// trailing semicolon alone is fine) is refused. `schema` may be null.
JetTranslation TranslateJetSql(std::string_view jetSql, const JetSchema* schema = nullptr);

// Registers the Jet functions, aggregates and collations that translated
// statements use. False when SQLite refused one of them.
bool RegisterJetFunctions(sqlite3* db);

} // namespace veltrix
