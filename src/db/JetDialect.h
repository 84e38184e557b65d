#pragma once
// Jet (Access) SQL on SQLite. Users type Jet SQL and keep it in saved commands,
// and the import and the bulletin issue Jet statements, so every statement is
// translated to SQLite SQL before it runs. The translation is pure text work;
// the functions the translated text calls (format, str, iif, ...) are
// registered on each connection by RegisterJetFunctions.
//
// What the translation keeps of Jet:
// - names: every name is quoted ("3d"); [bracketed] names; 'single' and
//   "double" quoted texts; #dates# (ISO, US m/d/yyyy, #22-Aug-2026#,
//   #Aug 22, 2026#, with or without a time) become ISO texts;
// - Jet's operator precedence; / always fractional; \ and Mod on operands
//   rounded half to even; + joins texts and adds numbers, decided per row when
//   the types are not known from the text; & treats null as empty text;
//   Like and ALike read % and _;
// - truth values -1/0 wherever a value is needed, plain SQLite predicates
//   where a condition is (WHERE, ON, HAVING, IIf's condition), so indexes
//   still serve them; texts compare without regard to case;
// - TOP n [PERCENT] keeps the rows tied with the last one, anywhere TOP may
//   stand (subqueries, DISTINCT, union branches);
// - Jet's refusals of a column neither grouped nor aggregated and of an
//   ORDER BY outside a DISTINCT list, with Jet's messages;
// - in the draw tables: "order by qs" orders issues by value (10000 after
//   9999), and a text written into RQ is stored as an ISO date or refused
//   ("Data type mismatch in criteria expression.");
// - SELECT ... INTO, INSERT ... VALUES (one row, or several as SQLite takes
//   them) and INSERT ... SELECT,
//   UPDATE, DELETE [*] FROM, CREATE TABLE with Jet's type names, CREATE and
//   DROP INDEX, DROP TABLE, ALTER TABLE ADD/DROP COLUMN.
// Not supported (an error text): crosstab queries, parameters, tables in
// other databases, UPDATE or DELETE over joins, DISTINCTROW's effect on joins
// (it is ignored, as it is on a single table).

#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace veltrix {

// What a column of a draw table holds, where the translation treats it apart.
enum class JetColumnRole {
    Plain,
    DrawIssue, // QS: digit strings, ordered by their value
    DrawDate,  // RQ: a Date column, kept as ISO text
};

// What the translator may ask about the database it translates for.
class JetSchema {
public:
    virtual ~JetSchema() = default;
    virtual JetColumnRole RoleOf(std::string_view /*table*/, std::string_view /*column*/) const {
        return JetColumnRole::Plain;
    }
    // True when no two rows of `table` can hold the same non-null value in
    // `column` (a single-column primary key or unique index). Lets
    // "select top N ... order by qs" become a plain LIMIT: there are no ties.
    virtual bool IsUniqueColumn(std::string_view table, std::string_view column) const = 0;
    // The columns of `table` in their stored order, for an INSERT without a
    // column list; empty when unknown.
    virtual std::vector<std::string> ColumnsOf(std::string_view /*table*/) const { return {}; }
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
