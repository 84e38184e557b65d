// The statements that return no rows, in Jet's forms: INSERT ... VALUES (one
// row) and INSERT ... SELECT, UPDATE ... SET, DELETE [*] FROM, CREATE TABLE
// with Jet's type names, CREATE INDEX, DROP TABLE / INDEX, ALTER TABLE ADD /
// DROP COLUMN; and the dispatch of one whole statement.
#include "db/JetParser.h"

namespace veltrix::jet {
namespace {

struct TypeName {
    std::string_view jet;
    const char* sqlite; // null: a counter (autonumber)
};

// Jet's type names (and their synonyms) and the SQLite type that keeps the
// same values; texts compare without regard to case, as in Jet.
constexpr TypeName kTypes[] = {
    {"TEXT", "TEXT COLLATE NOCASE"},
    {"CHAR", "TEXT COLLATE NOCASE"},
    {"VARCHAR", "TEXT COLLATE NOCASE"},
    {"CHARACTER", "TEXT COLLATE NOCASE"},
    {"STRING", "TEXT COLLATE NOCASE"},
    {"MEMO", "TEXT COLLATE NOCASE"},
    {"LONGTEXT", "TEXT COLLATE NOCASE"},
    {"LONGCHAR", "TEXT COLLATE NOCASE"},
    {"NOTE", "TEXT COLLATE NOCASE"},
    {"NTEXT", "TEXT COLLATE NOCASE"},
    {"NCHAR", "TEXT COLLATE NOCASE"},
    {"NVARCHAR", "TEXT COLLATE NOCASE"},
    {"ALPHANUMERIC", "TEXT COLLATE NOCASE"},
    {"LONG", "INTEGER"},
    {"INTEGER", "INTEGER"},
    {"INT", "INTEGER"},
    {"INTEGER4", "INTEGER"},
    {"SHORT", "INTEGER"},
    {"SMALLINT", "INTEGER"},
    {"INTEGER2", "INTEGER"},
    {"BYTE", "INTEGER"},
    {"TINYINT", "INTEGER"},
    {"INTEGER1", "INTEGER"},
    {"YESNO", "INTEGER"},
    {"BIT", "INTEGER"},
    {"LOGICAL", "INTEGER"},
    {"LOGICAL1", "INTEGER"},
    {"BOOLEAN", "INTEGER"},
    {"COUNTER", nullptr},
    {"AUTOINCREMENT", nullptr},
    {"IDENTITY", nullptr},
    {"DOUBLE", "REAL"},
    {"FLOAT", "REAL"},
    {"FLOAT8", "REAL"},
    {"IEEEDOUBLE", "REAL"},
    {"NUMBER", "REAL"},
    {"SINGLE", "REAL"},
    {"REAL", "REAL"},
    {"FLOAT4", "REAL"},
    {"IEEESINGLE", "REAL"},
    {"CURRENCY", "REAL"},
    {"MONEY", "REAL"},
    {"DECIMAL", "REAL"},
    {"NUMERIC", "REAL"},
    {"DEC", "REAL"},
    {"DATETIME", "TEXT"},
    {"DATE", "TEXT"},
    {"TIME", "TEXT"},
    {"TIMESTAMP", "TEXT"},
    {"BINARY", "BLOB"},
    {"VARBINARY", "BLOB"},
    {"LONGBINARY", "BLOB"},
    {"OLEOBJECT", "BLOB"},
    {"GENERAL", "BLOB"},
    {"IMAGE", "BLOB"},
};

} // namespace

std::string Parser::TranslateStatement() {
    std::string sql;
    if (PeekWord("SELECT") || PeekSymbol("(")) {
        sql = ParseSelectStatement(true);
        if (AcceptWord("WITH")) {
            ExpectWord("OWNERACCESS");
            ExpectWord("OPTION");
        }
    } else if (PeekWord("INSERT")) {
        sql = ParseInsert();
    } else if (PeekWord("UPDATE")) {
        sql = ParseUpdate();
    } else if (PeekWord("DELETE")) {
        sql = ParseDelete();
    } else if (PeekWord("CREATE")) {
        sql = ParseCreate();
    } else if (PeekWord("DROP")) {
        sql = ParseDrop();
    } else if (PeekWord("ALTER")) {
        sql = ParseAlter();
    } else if (PeekWord("TRANSFORM") || PeekWord("PARAMETERS") || PeekWord("PROCEDURE")) {
        Fail("Crosstab queries, parameters and procedures are not supported");
    } else {
        Fail("Invalid SQL statement; expected 'DELETE', 'INSERT', 'SELECT', 'UPDATE', "
             "'CREATE', 'DROP' or 'ALTER'");
    }
    while (AcceptSymbol(";")) {
    }
    if (Peek().kind != TokenKind::End) {
        FailHere("Characters found after end of SQL statement; run one statement at a time");
    }
    return sql;
}

std::string Parser::ParseNameList(bool allowOrder) {
    ExpectSymbol("(");
    std::string list;
    do {
        std::string_view name = TakeName("a column name");
        if (AcceptSymbol("."))
            name = TakeName("a column name"); // t.col: the column
        if (!list.empty())
            list += ", ";
        list += QuoteName(name);
        if (allowOrder && AcceptWord("DESC"))
            list += " DESC";
        else if (allowOrder)
            AcceptWord("ASC");
    } while (AcceptSymbol(","));
    ExpectSymbol(")");
    return "(" + list + ")";
}

std::string Parser::ParseInsert() {
    ExpectWord("INSERT");
    ExpectWord("INTO");
    std::string sql = "INSERT INTO " + QuoteName(TakeName("a table name"));
    if (PeekWord("IN"))
        Fail("Tables in other databases (IN '...') are not supported");
    if (PeekSymbol("(") && !SubqueryFollows())
        sql += " " + ParseNameList(false);
    if (AcceptWord("VALUES")) {
        // Jet takes one row; more rows (as SQLite writes them) are taken too.
        sql += " VALUES ";
        for (bool firstRow = true; firstRow || AcceptSymbol(","); firstRow = false) {
            if (!firstRow)
                sql += ", ";
            ExpectSymbol("(");
            std::string values;
            do {
                if (!values.empty())
                    values += ", ";
                values += AsValue(ParseExpression()).sql;
            } while (AcceptSymbol(","));
            ExpectSymbol(")");
            sql += "(" + values + ")";
        }
        return sql;
    }
    if (PeekWord("SELECT") || PeekSymbol("("))
        return sql + " " + ParseSelectStatement(false);
    FailHere("expected VALUES or SELECT");
}

std::string Parser::ParseUpdate() {
    ExpectWord("UPDATE");
    std::string sql = "UPDATE " + QuoteName(TakeName("a table name"));
    if (AcceptWord("AS") || IsName(Peek()))
        sql += " AS " + QuoteName(TakeName("an alias"));
    if (PeekSymbol(",") || PeekWord("INNER") || PeekWord("LEFT") || PeekWord("RIGHT"))
        Fail("UPDATE of joined tables is not supported; update one table at a time");
    ExpectWord("SET");
    sql += " SET ";
    bool first = true;
    do {
        std::string_view column = TakeName("a column name");
        if (AcceptSymbol("."))
            column = TakeName("a column name"); // SQLite takes the column alone
        ExpectSymbol("=");
        sql += (first ? "" : ", ") + QuoteName(column) + " = " + AsValue(ParseExpression()).sql;
        first = false;
    } while (AcceptSymbol(","));
    if (AcceptWord("WHERE"))
        sql += " WHERE " + ParseExpression().sql;
    return sql;
}

std::string Parser::ParseDelete() {
    ExpectWord("DELETE");
    // DELETE * FROM t, DELETE t.* FROM t and DELETE FROM t all delete rows.
    if (AcceptSymbol("*")) {
    } else if (IsName(Peek()) && PeekSymbol(".", 1) && PeekSymbol("*", 2)) {
        Next();
        Next();
        Next();
    }
    ExpectWord("FROM");
    std::string sql = "DELETE FROM " + QuoteName(TakeName("a table name"));
    if (AcceptWord("AS") || IsName(Peek()))
        sql += " AS " + QuoteName(TakeName("an alias"));
    if (PeekSymbol(",") || PeekWord("INNER") || PeekWord("LEFT") || PeekWord("RIGHT"))
        Fail("DELETE from joined tables is not supported; delete from one table at a time");
    if (AcceptWord("WHERE"))
        sql += " WHERE " + ParseExpression().sql;
    return sql;
}

std::string Parser::ParseCreate() {
    ExpectWord("CREATE");
    if (AcceptWord("TABLE"))
        return ParseCreateTable();
    bool unique = AcceptWord("UNIQUE");
    if (AcceptWord("INDEX"))
        return ParseCreateIndex(unique);
    FailHere("expected TABLE or INDEX");
}

ColumnDefinition Parser::ParseColumnDefinition() {
    ColumnDefinition column;
    column.name = TakeName("a column name");
    const Token& type = Peek();
    if (type.kind != TokenKind::Word)
        FailHere("expected a type name");
    const TypeName* found = nullptr;
    for (const TypeName& candidate : kTypes) {
        if (IsWord(type, candidate.jet))
            found = &candidate;
    }
    if (!found)
        FailHere("unknown type name");
    Next();
    if (found->jet == "DOUBLE")
        AcceptWord("PRECISION");
    column.counter = !found->sqlite;
    column.type = found->sqlite ? found->sqlite : "INTEGER";
    if (AcceptSymbol("(")) { // TEXT(50), DECIMAL(10,2), COUNTER(1,1): sizes do not matter
        do {
            if (Peek().kind != TokenKind::Number)
                FailHere("expected a size");
            Next();
        } while (AcceptSymbol(","));
        ExpectSymbol(")");
    }
    for (;;) {
        if (AcceptWord("NOT")) {
            ExpectWord("NULL");
            column.notNull = true;
        } else if (AcceptWord("NULL")) {
        } else if (AcceptWord("UNIQUE")) {
            column.unique = true;
        } else if (PeekWord("PRIMARY")) {
            Next();
            ExpectWord("KEY");
            column.primaryKey = true;
        } else if (AcceptWord("CONSTRAINT")) {
            TakeName("a constraint name");
        } else if (AcceptWord("DEFAULT")) {
            Expr value = AsValue(ParseUnary());
            if (!value.literal)
                Fail("DEFAULT takes a constant");
            column.defaultSql = Wrap(value, kPrimary);
        } else if (AcceptWord("WITH")) {
            if (!AcceptWord("COMPRESSION") && !AcceptWord("COMP"))
                FailHere("expected COMPRESSION");
        } else {
            return column;
        }
    }
}

std::string Parser::ParseTableConstraint() {
    std::string sql;
    if (AcceptWord("CONSTRAINT"))
        sql = "CONSTRAINT " + QuoteName(TakeName("a constraint name")) + " ";
    if (PeekWord("PRIMARY")) {
        Next();
        ExpectWord("KEY");
        return sql + "PRIMARY KEY " + ParseNameList(false);
    }
    if (AcceptWord("UNIQUE"))
        return sql + "UNIQUE " + ParseNameList(false);
    FailHere("expected PRIMARY KEY or UNIQUE (foreign keys are not supported)");
}

std::string Parser::ParseCreateTable() {
    std::string name = QuoteName(TakeName("a table name"));
    ExpectSymbol("(");
    std::vector<ColumnDefinition> columns;
    std::vector<std::string> constraints;
    do {
        if (PeekWord("CONSTRAINT") || PeekWord("PRIMARY") || PeekWord("UNIQUE"))
            constraints.push_back(ParseTableConstraint());
        else
            columns.push_back(ParseColumnDefinition());
    } while (AcceptSymbol(","));
    ExpectSymbol(")");
    if (columns.empty())
        Fail("A table needs at least one column");

    bool tableKey = false;
    for (const std::string& constraint : constraints)
        tableKey = tableKey || constraint.find("PRIMARY KEY") != std::string::npos;
    int keyColumns = 0;
    for (const ColumnDefinition& column : columns)
        keyColumns += column.primaryKey;
    std::string sql = "CREATE TABLE " + name + " (";
    for (size_t i = 0; i < columns.size(); ++i) {
        const ColumnDefinition& column = columns[i];
        sql += (i ? ", " : "") + QuoteName(column.name) + " " + column.type;
        // An autonumber is SQLite's rowid column when nothing else is the key.
        bool counterKey = column.counter && !tableKey &&
                          (keyColumns == 0 || (keyColumns == 1 && column.primaryKey));
        if (counterKey)
            sql += " PRIMARY KEY AUTOINCREMENT";
        else if (column.primaryKey)
            sql += " PRIMARY KEY";
        if (column.notNull)
            sql += " NOT NULL";
        if (column.unique)
            sql += " UNIQUE";
        if (!column.defaultSql.empty())
            sql += " DEFAULT " + column.defaultSql;
    }
    for (const std::string& constraint : constraints)
        sql += ", " + constraint;
    return sql + ")";
}

std::string Parser::ParseCreateIndex(bool unique) {
    std::string index = QuoteName(TakeName("an index name"));
    ExpectWord("ON");
    std::string table = QuoteName(TakeName("a table name"));
    std::string columns = ParseNameList(true);
    if (AcceptWord("WITH")) {
        do {
            if (AcceptWord("PRIMARY")) {
                unique = true;
            } else if (AcceptWord("DISALLOW") || AcceptWord("IGNORE")) {
                ExpectWord("NULL");
            } else {
                FailHere("expected PRIMARY, DISALLOW NULL or IGNORE NULL");
            }
        } while (!PeekSymbol(";") && Peek().kind != TokenKind::End);
    }
    return std::string(unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + index + " ON " + table +
           " " + columns;
}

std::string Parser::ParseDrop() {
    ExpectWord("DROP");
    if (AcceptWord("TABLE"))
        return "DROP TABLE " + QuoteName(TakeName("a table name"));
    if (AcceptWord("INDEX")) {
        std::string index = QuoteName(TakeName("an index name"));
        if (AcceptWord("ON"))
            TakeName("a table name");
        return "DROP INDEX " + index;
    }
    FailHere("expected TABLE or INDEX");
}

std::string Parser::ParseAlter() {
    ExpectWord("ALTER");
    ExpectWord("TABLE");
    std::string sql = "ALTER TABLE " + QuoteName(TakeName("a table name"));
    if (AcceptWord("ADD")) {
        if (PeekWord("CONSTRAINT") || PeekWord("PRIMARY"))
            Fail("Adding constraints to a table is not supported");
        AcceptWord("COLUMN");
        ColumnDefinition column = ParseColumnDefinition();
        if (column.counter || column.primaryKey || column.unique)
            Fail("A column added to a table cannot be a key or an autonumber");
        sql += " ADD COLUMN " + QuoteName(column.name) + " " + column.type;
        if (column.notNull) {
            if (column.defaultSql.empty())
                Fail("A NOT NULL column added to a table needs a DEFAULT");
            sql += " NOT NULL";
        }
        if (!column.defaultSql.empty())
            sql += " DEFAULT " + column.defaultSql;
        return sql;
    }
    if (AcceptWord("DROP")) {
        AcceptWord("COLUMN");
        return sql + " DROP COLUMN " + QuoteName(TakeName("a column name"));
    }
    FailHere("expected ADD or DROP");
}

} // namespace veltrix::jet
