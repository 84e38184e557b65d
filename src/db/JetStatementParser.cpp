// Jet statements as syntax trees: SELECT (predicates ALL, DISTINCT,
// DISTINCTROW, TOP n [PERCENT]; INTO; FROM with joins and subqueries; WHERE,
// GROUP BY, HAVING, ORDER BY; UNION [ALL] of branches that may each have
// their own TOP and ORDER BY), INSERT ... VALUES / SELECT, UPDATE, DELETE
// [*] FROM, CREATE TABLE with Jet's type names, CREATE and DROP INDEX, DROP
// TABLE, ALTER TABLE ADD / DROP COLUMN.
#include "db/JetParser.h"

#include <algorithm>

namespace veltrix::jet {
namespace {

// Jet's type names (and their synonyms), each with the SQLite type that keeps
// the same values; texts compare without regard to case, as in Jet. An empty
// type is a counter (autonumber).
struct TypeGroup {
    const char* sqlite;
    std::string_view jetNames; // blank-separated
};

constexpr TypeGroup kTypes[] = {
    {"TEXT COLLATE NOCASE", "TEXT CHAR VARCHAR CHARACTER STRING MEMO LONGTEXT LONGCHAR NOTE NTEXT "
                            "NCHAR NVARCHAR ALPHANUMERIC"},
    {"INTEGER", "LONG INTEGER INT INTEGER4 SHORT SMALLINT INTEGER2 BYTE TINYINT INTEGER1 YESNO BIT "
                "LOGICAL LOGICAL1 BOOLEAN"},
    {"", "COUNTER AUTOINCREMENT IDENTITY"},
    {"REAL", "DOUBLE FLOAT FLOAT8 IEEEDOUBLE NUMBER SINGLE REAL FLOAT4 IEEESINGLE CURRENCY MONEY "
             "DECIMAL NUMERIC DEC"},
    {"TEXT", "DATETIME DATE TIME TIMESTAMP"},
    {"BLOB", "BINARY VARBINARY LONGBINARY OLEOBJECT GENERAL IMAGE"},
};

// The SQLite type of a Jet type name; null when Jet has no such type.
const char* SqliteType(const Token& type) {
    for (const TypeGroup& group : kTypes) {
        std::string_view names = group.jetNames;
        while (!names.empty()) {
            size_t blank = std::min(names.find(' '), names.size());
            if (IsWord(type, names.substr(0, blank)))
                return group.sqlite;
            names.remove_prefix(std::min(blank + 1, names.size()));
        }
    }
    return nullptr;
}

} // namespace

Statement Parser::ParseWholeStatement() {
    Statement statement;
    if (PeekWord("SELECT") || PeekSymbol("(")) {
        statement.kind = StatementKind::Select;
        statement.query = ParseQuery(true);
        if (AcceptWord("WITH")) {
            ExpectWord("OWNERACCESS");
            ExpectWord("OPTION");
        }
    } else if (PeekWord("INSERT")) {
        ParseInsert(statement);
    } else if (PeekWord("UPDATE")) {
        ParseUpdate(statement);
    } else if (PeekWord("DELETE")) {
        ParseDelete(statement);
    } else if (PeekWord("CREATE")) {
        ParseCreate(statement);
    } else if (PeekWord("DROP")) {
        ParseDrop(statement);
    } else if (PeekWord("ALTER")) {
        ParseAlter(statement);
    } else if (PeekWord("TRANSFORM") || PeekWord("PARAMETERS") || PeekWord("PROCEDURE")) {
        Refuse("Crosstab queries, parameters and procedures are not supported");
    } else {
        Refuse("Invalid SQL statement; expected 'DELETE', 'INSERT', 'SELECT', 'UPDATE', "
               "'CREATE', 'DROP' or 'ALTER'");
    }
    while (AcceptSymbol(";")) {
    }
    if (Peek().kind != TokenKind::End)
        FailHere("Characters found after end of SQL statement; run one statement at a time");
    return statement;
}

// ---- SELECT ----

// After an opening parenthesis: does a query follow (possibly behind more
// parentheses), rather than a nested join or an expression?
bool Parser::SubqueryFollows() const {
    size_t ahead = 0;
    while (PeekSymbol("(", ahead))
        ++ahead;
    return PeekWord("SELECT", ahead);
}

void Parser::RefuseOtherDatabase() const {
    if (PeekWord("IN"))
        Refuse("Tables in other databases (IN '...') are not supported");
}

Query* Parser::ParseQuery(bool allowInto) {
    Enter();
    Query* query = m_arena.Make<Query>();
    for (;;) {
        SelectCore core;
        if (AcceptSymbol("(")) {
            if (!SubqueryFollows())
                FailHere("expected SELECT");
            core.wrapped = ParseQuery(false);
            ExpectSymbol(")");
        } else {
            core = ParseSelectCore(allowInto && query->branches.empty());
        }
        if (PeekWord("ORDER"))
            core.order = ParseOrderBy();
        query->branches.push_back(std::move(core));
        if (!AcceptWord("UNION"))
            break;
        query->unionAll.push_back(AcceptWord("ALL"));
    }
    Leave();
    return query;
}

SelectCore Parser::ParseSelectCore(bool allowInto) {
    SelectCore core;
    ExpectWord("SELECT");
    ParseTopAndDistinct(core);
    ParseSelectList(core);
    if (AcceptWord("INTO")) {
        if (!allowInto)
            Refuse("SELECT ... INTO is allowed only in the outermost query");
        core.into = TakeName("a table name after INTO");
        RefuseOtherDatabase();
    }
    if (AcceptWord("FROM"))
        ParseFrom(core);
    if (AcceptWord("WHERE"))
        core.where = ParseExpression();
    if (AcceptWord("GROUP")) {
        ExpectWord("BY");
        do {
            core.groupBy.push_back(ParseExpression());
        } while (AcceptSymbol(","));
    }
    if (AcceptWord("HAVING"))
        core.having = ParseExpression();
    return core;
}

void Parser::ParseTopAndDistinct(SelectCore& core) {
    for (;;) {
        // DISTINCTROW drops rows that repeat a whole source record; on the
        // one table of a query nothing repeats, so it does nothing.
        if (AcceptWord("ALL") || AcceptWord("DISTINCTROW"))
            continue;
        if (AcceptWord("DISTINCT")) {
            core.distinct = true;
            continue;
        }
        if (!PeekWord("TOP"))
            return;
        if (core.hasTop)
            FailHere("TOP may appear only once in a SELECT");
        Next();
        const Token& count = Peek();
        if (count.kind != TokenKind::Number ||
            count.text.find_first_not_of("0123456789") != std::string_view::npos)
            FailHere("expected a whole number after TOP");
        std::string_view value = count.text;
        value.remove_prefix(std::min(value.find_first_not_of('0'), value.size() - 1));
        if (value.size() > 15)
            FailHere("the TOP value is too large");
        Next();
        core.hasTop = true;
        core.top = value;
        core.percent = AcceptWord("PERCENT");
        if (core.percent && (value.size() > 3 || std::stoi(std::string(value)) > 100))
            Refuse("The TOP value must lie between 0 and 100 with PERCENT");
    }
}

void Parser::ParseSelectList(SelectCore& core) {
    do {
        SelectItem item;
        if (AcceptSymbol("*")) {
            item.star = true;
        } else if (IsName(Peek()) && PeekSymbol(".", 1) && PeekSymbol("*", 2)) {
            item.star = true;
            item.table = Next().text;
            Next();
            Next();
        } else {
            item.expr = ParseExpression();
            if (AcceptWord("AS"))
                item.alias =
                    Peek().kind == TokenKind::String ? Next().text : TakeName("a name after AS");
        }
        core.items.push_back(item);
    } while (AcceptSymbol(","));
}

void Parser::ParseFrom(SelectCore& core) {
    int tables = 0;
    core.from.push_back(ParseJoinedTable(core, tables));
    while (AcceptSymbol(",")) {
        core.from.push_back(ParseJoinedTable(core, tables));
        tables += 2;
    }
    core.singleTable = tables == 1;
}

Joined* Parser::ParseJoinedTable(SelectCore& core, int& tables) {
    Joined* joined = m_arena.Make<Joined>();
    joined->first = ParseTableTerm(core, tables);
    for (;;) {
        JoinStep step;
        if (AcceptWord("INNER")) {
            step.kind = " INNER JOIN ";
        } else if (AcceptWord("LEFT")) {
            AcceptWord("OUTER");
            step.kind = " LEFT JOIN ";
        } else if (AcceptWord("RIGHT")) {
            AcceptWord("OUTER");
            step.kind = " RIGHT JOIN ";
        } else {
            return joined;
        }
        ExpectWord("JOIN");
        step.term = ParseTableTerm(core, tables);
        ExpectWord("ON");
        step.on = ParseExpression();
        joined->steps.push_back(step);
        tables += 2;
    }
}

FromTerm* Parser::ParseTableTerm(SelectCore& core, int& tables) {
    FromTerm* term = m_arena.Make<FromTerm>();
    if (AcceptSymbol("(")) {
        Enter(); // a nested join recurses without an expression in between
        if (SubqueryFollows())
            term->query = ParseQuery(false);
        else
            term->nested = ParseJoinedTable(core, tables);
        ExpectSymbol(")");
        Leave();
        tables += 2;
    } else {
        term->table = core.tableName = TakeName("a table name");
        RefuseOtherDatabase();
        core.tableAlias = {};
        tables += 1;
    }
    if (AcceptWord("AS"))
        term->alias = TakeName("an alias after AS");
    else if (IsName(Peek()))
        term->alias = Next().text;
    if (!term->alias.empty())
        core.tableAlias = term->alias;
    return term;
}

std::vector<OrderKey> Parser::ParseOrderBy() {
    ExpectWord("ORDER");
    ExpectWord("BY");
    std::vector<OrderKey> keys;
    do {
        OrderKey key;
        key.expr = ParseExpression();
        if (AcceptWord("DESC"))
            key.descending = true;
        else
            AcceptWord("ASC");
        keys.push_back(key);
    } while (AcceptSymbol(","));
    return keys;
}

// ---- statements without rows ----

std::vector<IndexColumn> Parser::ParseNameList(bool allowOrder) {
    ExpectSymbol("(");
    std::vector<IndexColumn> list;
    do {
        IndexColumn column;
        column.name = TakeName("a column name");
        if (AcceptSymbol("."))
            column.name = TakeName("a column name"); // t.col: the column
        if (allowOrder && AcceptWord("DESC"))
            column.descending = true;
        else if (allowOrder)
            AcceptWord("ASC");
        list.push_back(column);
    } while (AcceptSymbol(","));
    ExpectSymbol(")");
    return list;
}

void Parser::RefuseJoinedTables(const char* verb) const {
    if (PeekSymbol(",") || PeekWord("INNER") || PeekWord("LEFT") || PeekWord("RIGHT"))
        Refuse(std::string(verb) + " of joined tables is not supported; use one table at a time");
}

void Parser::ParseInsert(Statement& statement) {
    statement.kind = StatementKind::Insert;
    ExpectWord("INSERT");
    ExpectWord("INTO");
    statement.table = TakeName("a table name");
    RefuseOtherDatabase();
    if (PeekSymbol("(") && !SubqueryFollows()) {
        for (const IndexColumn& column : ParseNameList(false))
            statement.columns.push_back(column.name);
    }
    if (AcceptWord("VALUES")) {
        // Jet takes one row; more rows (as SQLite writes them) are taken too.
        do {
            ExpectSymbol("(");
            std::vector<Node*> row;
            do {
                row.push_back(ParseExpression());
            } while (AcceptSymbol(","));
            ExpectSymbol(")");
            statement.rows.push_back(std::move(row));
        } while (AcceptSymbol(","));
        return;
    }
    if (!PeekWord("SELECT") && !PeekSymbol("("))
        FailHere("expected VALUES or SELECT");
    statement.query = ParseQuery(false);
}

void Parser::ParseUpdate(Statement& statement) {
    statement.kind = StatementKind::Update;
    ExpectWord("UPDATE");
    statement.table = TakeName("a table name");
    if (AcceptWord("AS") || IsName(Peek()))
        statement.alias = TakeName("an alias");
    RefuseJoinedTables("UPDATE");
    ExpectWord("SET");
    do {
        Assignment assignment;
        assignment.column = TakeName("a column name");
        if (AcceptSymbol("."))
            assignment.column = TakeName("a column name"); // SQLite takes the column alone
        ExpectSymbol("=");
        assignment.value = ParseExpression();
        statement.assignments.push_back(assignment);
    } while (AcceptSymbol(","));
    if (AcceptWord("WHERE"))
        statement.where = ParseExpression();
}

void Parser::ParseDelete(Statement& statement) {
    statement.kind = StatementKind::Delete;
    ExpectWord("DELETE");
    // DELETE * FROM t, DELETE t.* FROM t and DELETE FROM t all delete rows.
    if (!AcceptSymbol("*") && IsName(Peek()) && PeekSymbol(".", 1) && PeekSymbol("*", 2)) {
        Next();
        Next();
        Next();
    }
    ExpectWord("FROM");
    statement.table = TakeName("a table name");
    if (AcceptWord("AS") || IsName(Peek()))
        statement.alias = TakeName("an alias");
    RefuseJoinedTables("DELETE");
    if (AcceptWord("WHERE"))
        statement.where = ParseExpression();
}

void Parser::ParseCreate(Statement& statement) {
    ExpectWord("CREATE");
    if (AcceptWord("TABLE"))
        return ParseCreateTable(statement);
    statement.unique = AcceptWord("UNIQUE");
    if (AcceptWord("INDEX"))
        return ParseCreateIndex(statement);
    FailHere("expected TABLE or INDEX");
}

ColumnDefinition Parser::ParseColumnDefinition() {
    ColumnDefinition column;
    column.name = TakeName("a column name");
    const Token& type = Peek();
    if (type.kind != TokenKind::Word)
        FailHere("expected a type name");
    const char* sqlite = SqliteType(type);
    if (!sqlite)
        FailHere("unknown type name");
    bool isDouble = IsWord(type, "DOUBLE");
    Next();
    if (isDouble)
        AcceptWord("PRECISION");
    column.counter = !*sqlite;
    column.type = column.counter ? "INTEGER" : sqlite;
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
        } else if (AcceptWord("PRIMARY")) {
            ExpectWord("KEY");
            column.primaryKey = true;
        } else if (AcceptWord("CONSTRAINT")) {
            TakeName("a constraint name");
        } else if (AcceptWord("DEFAULT")) {
            column.defaultValue = ParseUnary();
            if (!column.defaultValue->literal)
                Refuse("DEFAULT takes a constant");
        } else if (AcceptWord("WITH")) {
            if (!AcceptWord("COMPRESSION") && !AcceptWord("COMP"))
                FailHere("expected COMPRESSION");
        } else {
            return column;
        }
    }
}

TableConstraint Parser::ParseTableConstraint() {
    TableConstraint constraint;
    if (AcceptWord("CONSTRAINT"))
        constraint.name = TakeName("a constraint name");
    if (AcceptWord("PRIMARY")) {
        ExpectWord("KEY");
        constraint.primaryKey = true;
    } else if (!AcceptWord("UNIQUE")) {
        FailHere("expected PRIMARY KEY or UNIQUE (foreign keys are not supported)");
    }
    for (const IndexColumn& column : ParseNameList(false))
        constraint.columns.push_back(column.name);
    return constraint;
}

void Parser::ParseCreateTable(Statement& statement) {
    statement.kind = StatementKind::CreateTable;
    statement.table = TakeName("a table name");
    ExpectSymbol("(");
    do {
        if (PeekWord("CONSTRAINT") || PeekWord("PRIMARY") || PeekWord("UNIQUE"))
            statement.constraints.push_back(ParseTableConstraint());
        else
            statement.definitions.push_back(ParseColumnDefinition());
    } while (AcceptSymbol(","));
    ExpectSymbol(")");
    if (statement.definitions.empty())
        Refuse("A table needs at least one column");
}

void Parser::ParseCreateIndex(Statement& statement) {
    statement.kind = StatementKind::CreateIndex;
    statement.name = TakeName("an index name");
    ExpectWord("ON");
    statement.table = TakeName("a table name");
    statement.indexColumns = ParseNameList(true);
    if (AcceptWord("WITH")) {
        do {
            if (AcceptWord("PRIMARY")) {
                statement.unique = true;
            } else if (AcceptWord("DISALLOW") || AcceptWord("IGNORE")) {
                ExpectWord("NULL");
            } else {
                FailHere("expected PRIMARY, DISALLOW NULL or IGNORE NULL");
            }
        } while (!PeekSymbol(";") && Peek().kind != TokenKind::End);
    }
}

void Parser::ParseDrop(Statement& statement) {
    ExpectWord("DROP");
    if (AcceptWord("TABLE")) {
        statement.kind = StatementKind::DropTable;
        statement.table = TakeName("a table name");
        return;
    }
    if (!AcceptWord("INDEX"))
        FailHere("expected TABLE or INDEX");
    statement.kind = StatementKind::DropIndex;
    statement.name = TakeName("an index name");
    if (AcceptWord("ON"))
        statement.table = TakeName("a table name");
}

void Parser::ParseAlter(Statement& statement) {
    ExpectWord("ALTER");
    ExpectWord("TABLE");
    statement.table = TakeName("a table name");
    if (AcceptWord("ADD")) {
        if (PeekWord("CONSTRAINT") || PeekWord("PRIMARY"))
            Refuse("Adding constraints to a table is not supported");
        AcceptWord("COLUMN");
        statement.kind = StatementKind::AddColumn;
        ColumnDefinition column = ParseColumnDefinition();
        if (column.counter || column.primaryKey || column.unique)
            Refuse("A column added to a table cannot be a key or an autonumber");
        if (column.notNull && !column.defaultValue)
            Refuse("A NOT NULL column added to a table needs a DEFAULT");
        statement.definitions.push_back(column);
        return;
    }
    if (!AcceptWord("DROP"))
        FailHere("expected ADD or DROP");
    AcceptWord("COLUMN");
    statement.kind = StatementKind::DropColumn;
    statement.name = TakeName("a column name");
}

Statement ParseStatement(std::string_view sql, const std::vector<Token>& tokens,
                         SyntaxArena& arena) {
    Parser parser(sql, tokens, arena);
    return parser.ParseWholeStatement();
}

} // namespace veltrix::jet
