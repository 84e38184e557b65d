// Jet SQL text → translation → execution on an in-memory draw database.
//
// The database can hold nothing of value, and the sandbox (FuzzSandbox.h)
// makes sure a statement cannot reach beyond it: no file can be opened, the
// authorizer denies ATTACH, DETACH, PRAGMA and transaction control, and
// limits plus a progress handler bound memory, the length of values, the
// depth of expressions and the steps a statement may take, so every input
// finishes quickly.
//
// Besides running clean under the sanitizers, the translation must be the
// statement the user wrote and no other: one statement, never two; of the
// same kind (a SELECT stays a query that changes nothing, or becomes CREATE
// TABLE ... AS SELECT for SELECT ... INTO; an INSERT, UPDATE or DELETE only
// inserts, updates or deletes); and translating the same text twice gives
// the same SQL. The connection tells the translator that QS is unique in the
// draw tables, which lets TOP over an order by QS become a plain LIMIT; that
// shortcut must give exactly the rows of the translation that ranks ties
// (QS is then ordered by the issue's value, which on issues of one width is
// their text order). Knowing that RQ is a date column may refuse a text that
// is no date, with Jet's message, and nothing else.

#include "FuzzSandbox.h"
#include "db/JetDialect.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <string_view>
#include <vector>

namespace {

sqlite3* Sandbox() {
    static sqlite3* db = veltrix::fuzz::OpenSandboxDatabase(
        "INSERT INTO dlt VALUES ('07001','2007-05-30',22,24,29,31,35,4,11,'');"
        "INSERT INTO dlt VALUES ('07002','2007-06-02',2,9,13,22,34,1,12,'x');"
        "INSERT INTO dlt VALUES ('07003','2007-06-04',2,9,14,23,35,1,12,NULL);"
        "INSERT INTO dlt VALUES ('07004','2007-06-06',5,9,13,22,30,3,4,'');"
        "INSERT INTO ssq VALUES ('2003001','2003-02-23',10,11,12,13,26,28,11);"
        "INSERT INTO p3 VALUES ('04001','2004-11-14',1,2,3);"
        "INSERT INTO \"3d\" VALUES ('2004001','2004-10-18',0,5,9,NULL,1,2);");
    return db;
}

[[noreturn]] void Fail(const char* what, const std::string& jet, const std::string& sql) {
    std::fprintf(stderr, "jet_sql_fuzz: %s\n  jet: %s\n  sql: %s\n", what, jet.c_str(),
                 sql.c_str());
    std::abort();
}

// The statement's first word, upper-cased, past blanks and opening
// parentheses: "(select ...)" is a SELECT.
std::string Verb(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (std::isspace(static_cast<unsigned char>(text[i])) || text[i] == '('))
        ++i;
    std::string verb;
    while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i])))
        verb += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i++])));
    return verb;
}

// What the program's connection answers for the draw tables: QS is the
// primary key.
class DrawSchema : public veltrix::JetSchema {
public:
    bool IsUniqueColumn(std::string_view table, std::string_view column) const override {
        return IsDrawTable(table) && EqualNoCase(column, "qs");
    }
    veltrix::JetColumnRole RoleOf(std::string_view table, std::string_view column) const override {
        if (!IsDrawTable(table))
            return veltrix::JetColumnRole::Plain;
        return EqualNoCase(column, "qs")   ? veltrix::JetColumnRole::DrawIssue
               : EqualNoCase(column, "rq") ? veltrix::JetColumnRole::DrawDate
                                           : veltrix::JetColumnRole::Plain;
    }

private:
    static bool IsDrawTable(std::string_view table) {
        static constexpr std::string_view kTables[] = {"dlt", "ssq",   "p5",  "p3",
                                                       "3d",  "t22x5", "7xc", "7lc"};
        for (std::string_view name : kTables) {
            if (EqualNoCase(table, name))
                return true;
        }
        return false;
    }
    static bool EqualNoCase(std::string_view a, std::string_view b) {
        return a.size() == b.size() &&
               std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) ==
                          std::tolower(static_cast<unsigned char>(y));
               });
    }
};

// Every row of a query as text, or nothing when it fails or runs out of
// steps (the ranked form of TOP takes more of them).
std::optional<std::vector<std::string>> Rows(sqlite3* db, const std::string& sql) {
    veltrix::fuzz::ResetStepBudget();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK || !stmt) {
        sqlite3_finalize(stmt);
        return std::nullopt;
    }
    std::vector<std::string> rows;
    int rc = SQLITE_ROW;
    while (rows.size() < 200 && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            const unsigned char* text = sqlite3_column_text(stmt, i);
            row += std::to_string(sqlite3_column_type(stmt, i)) + ':';
            if (text)
                row.append(reinterpret_cast<const char*>(text),
                           static_cast<size_t>(sqlite3_column_bytes(stmt, i)));
            row += '\x1f';
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return std::nullopt;
    return rows;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The authorizer requests that change a user table (the schema tables that
// DDL writes are not counted).
struct WriteActions {
    int inserts = 0, updates = 0, deletes = 0, other = 0;
};

bool IsWrite(int action) {
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
    case SQLITE_RECURSIVE:
        return false;
    default:
        return true;
    }
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
        Fail("two translations of one text differ", jet, again.sql);
    if (!translation.ok)
        return 0;
    static const DrawSchema schema;
    veltrix::JetTranslation withSchema = veltrix::TranslateJetSql(jet, &schema);
    if (!withSchema.ok && withSchema.error != "Data type mismatch in criteria expression.")
        Fail("the translation fails once the schema is known", jet, withSchema.error);

    const std::string verb = Verb(jet);
    const std::string& sql = translation.sql;
    const bool query = verb == "SELECT" && StartsWith(sql, "SELECT ");
    if (verb == "SELECT" ? !query && !StartsWith(sql, "CREATE TABLE ")
                         : !StartsWith(sql, verb + " "))
        Fail("the translation is another kind of statement", jet, sql);

    veltrix::fuzz::SandboxScope scope(db);
    WriteActions writes;
    veltrix::fuzz::SetSandboxPolicy([&](int action, const char* table, const char*) {
        if (!IsWrite(action) || (table && std::strncmp(table, "sqlite_", 7) == 0))
            return true;
        (action == SQLITE_INSERT   ? writes.inserts
         : action == SQLITE_UPDATE ? writes.updates
         : action == SQLITE_DELETE ? writes.deletes
                                   : writes.other)++;
        return true;
    });
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    const int prepared = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, &tail);
    veltrix::fuzz::SetSandboxPolicy({});
    if (prepared == SQLITE_OK && stmt) {
        // A second statement behind the first would run what nobody typed.
        if (!OnlyBlanksAndSemicolons(tail))
            Fail("the translation holds a second statement", jet, sql);
        const int changes = writes.inserts + writes.updates + writes.deletes + writes.other;
        if (query && (changes != 0 || !sqlite3_stmt_readonly(stmt)))
            Fail("a query that changes the database", jet, sql);
        if ((verb == "INSERT" && changes != writes.inserts) ||
            (verb == "UPDATE" && changes != writes.updates) ||
            (verb == "DELETE" && changes != writes.deletes))
            Fail("a statement that changes more than its verb says", jet, sql);
        for (int row = 0; row < 100 && sqlite3_step(stmt) == SQLITE_ROW; ++row) {
            for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                sqlite3_column_text(stmt, i);
        }
    }
    sqlite3_finalize(stmt);

    // The clock and Rnd make two runs differ by themselves.
    const bool clock =
        sql.find("jet_now(") != std::string::npos || sql.find("jet_date(") != std::string::npos ||
        sql.find("jet_time(") != std::string::npos || sql.find("jet_rnd(") != std::string::npos;
    if (query && withSchema.ok && withSchema.sql != sql && !clock) {
        std::optional<std::vector<std::string>> ranked = Rows(db, sql);
        std::optional<std::vector<std::string>> limited = Rows(db, withSchema.sql);
        if (ranked && limited && *ranked != *limited)
            Fail("TOP over a unique order gives other rows than TOP with ties", jet,
                 withSchema.sql);
    }
    return 0;
}
