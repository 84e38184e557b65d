// SELECT statements: predicates (ALL, DISTINCT, DISTINCTROW, TOP n [PERCENT]),
// the select list, INTO, FROM with joins and subqueries, WHERE, GROUP BY,
// HAVING, ORDER BY, and UNION [ALL] of branches that may each have their own
// TOP and ORDER BY.
//
// Jet's TOP n keeps the rows tied with the n-th on the ORDER BY keys. The
// rows whose RANK() on those keys is at most n are exactly the first n rows
// and their ties, so the statement becomes "... ORDER BY keys LIMIT (count of
// rows with rank <= n)". That reads the rows twice; when a key is a unique,
// non-null column of the one table read (the issue number qs), no ties can
// exist and a plain LIMIT n is exact.
#include "db/JetParser.h"

#include <algorithm>

namespace veltrix::jet {
namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

std::string KeysText(const std::vector<OrderKey>& keys) {
    std::string text;
    for (const OrderKey& key : keys) {
        if (!text.empty())
            text += ", ";
        text += key.nocase ? Parser::Wrap(key.expr, kPrimary) + " COLLATE NOCASE" : key.expr.sql;
        if (key.descending)
            text += " DESC";
    }
    return text;
}

// FROM, WHERE, GROUP BY and HAVING of a branch: the rows TOP counts.
std::string RowSource(const SelectCore& core) {
    std::string tail = core.from;
    if (!core.where.empty())
        tail += " WHERE " + core.where;
    if (!core.groupBy.empty())
        tail += " GROUP BY " + core.groupBy;
    if (!core.having.empty())
        tail += " HAVING " + core.having;
    return tail;
}

std::string ItemsText(const SelectCore& core) {
    std::string text;
    for (const SelectItem& item : core.items) {
        if (!text.empty())
            text += ", ";
        text += item.sql;
    }
    return text;
}

} // namespace

// After an opening parenthesis: does a query follow (possibly behind more
// parentheses), rather than a nested join or an expression?
bool Parser::SubqueryFollows() const {
    size_t ahead = 0;
    while (PeekSymbol("(", ahead))
        ++ahead;
    return PeekWord("SELECT", ahead);
}

std::string Parser::ParseSelectStatement(bool allowInto) {
    Enter();
    std::vector<SelectCore> branches;
    std::vector<std::string> operators;
    for (;;) {
        SelectCore core;
        if (AcceptSymbol("(")) {
            if (!SubqueryFollows())
                FailHere("expected SELECT");
            core.wrapped = ParseSelectStatement(false);
            ExpectSymbol(")");
        } else {
            core = ParseSelectCore(allowInto && branches.empty());
        }
        if (PeekWord("ORDER"))
            core.order = ParseOrderBy();
        branches.push_back(std::move(core));
        if (!AcceptWord("UNION"))
            break;
        operators.push_back(AcceptWord("ALL") ? " UNION ALL " : " UNION ");
    }

    std::string sql;
    if (branches.size() == 1) {
        sql = EmitCore(branches[0], true);
    } else {
        // The last ORDER BY sorts the whole union, unless it serves that
        // branch's own TOP.
        std::vector<OrderKey> unionOrder;
        if (!branches.back().hasTop)
            unionOrder = std::move(branches.back().order);
        for (size_t i = 0; i < branches.size(); ++i) {
            const SelectCore& branch = branches[i];
            std::string part = EmitCore(branch, true);
            // SQLite allows ORDER BY and LIMIT only after the last branch.
            if (!branch.order.empty() || branch.hasTop || !branch.wrapped.empty())
                part = "SELECT * FROM (" + part + ")";
            if (i > 0)
                sql += operators[i - 1];
            sql += part;
        }
        if (!unionOrder.empty())
            sql += " ORDER BY " + KeysText(unionOrder);
    }
    if (!branches[0].into.empty())
        sql = "CREATE TABLE " + branches[0].into + " AS " + sql;
    Leave();
    return sql;
}

SelectCore Parser::ParseSelectCore(bool allowInto) {
    SelectCore core;
    ExpectWord("SELECT");
    ParseTopAndDistinct(core);
    ParseSelectList(core);
    if (AcceptWord("INTO")) {
        if (!allowInto)
            Fail("SELECT ... INTO is allowed only in the outermost query");
        core.into = QuoteName(TakeName("a table name after INTO"));
        if (PeekWord("IN"))
            Fail("Tables in other databases (IN '...') are not supported");
    }
    if (AcceptWord("FROM"))
        ParseFrom(core);
    if (AcceptWord("WHERE"))
        core.where = ParseExpression().sql;
    if (AcceptWord("GROUP")) {
        ExpectWord("BY");
        do {
            if (!core.groupBy.empty())
                core.groupBy += ", ";
            core.groupBy += AsValue(ParseExpression()).sql;
        } while (AcceptSymbol(","));
    }
    if (AcceptWord("HAVING"))
        core.having = ParseExpression().sql;
    return core;
}

void Parser::ParseTopAndDistinct(SelectCore& core) {
    for (;;) {
        if (AcceptWord("ALL") || AcceptWord("DISTINCTROW")) {
            // DISTINCTROW drops rows that repeat a whole source record; on
            // the one table of a query nothing repeats, so it does nothing.
            continue;
        }
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
        bool digits = count.kind == TokenKind::Number &&
                      count.text.find_first_not_of("0123456789") == std::string_view::npos;
        if (!digits)
            FailHere("expected a whole number after TOP");
        std::string_view value = count.text;
        value.remove_prefix(std::min(value.find_first_not_of('0'), value.size() - 1));
        if (value.size() > 15)
            FailHere("the TOP value is too large");
        Next();
        core.hasTop = true;
        core.top = std::string(value);
        core.percent = AcceptWord("PERCENT");
        if (core.percent && std::stoll(core.top) > 100)
            Fail("The TOP value must lie between 0 and 100 with PERCENT");
    }
}

void Parser::ParseSelectList(SelectCore& core) {
    do {
        SelectItem item;
        if (AcceptSymbol("*")) {
            item.star = true;
            item.sql.push_back('*'); // (GCC 12 misreads a plain assignment here)
        } else if (IsName(Peek()) && PeekSymbol(".", 1) && PeekSymbol("*", 2)) {
            item.star = true;
            item.sql = QuoteName(Next().text);
            item.sql += ".*";
            Next();
            Next();
        } else {
            item.expr = AsValue(ParseExpression());
            item.valueSql = item.expr.sql;
            item.sql = item.valueSql;
            if (AcceptWord("AS")) {
                if (Peek().kind == TokenKind::String)
                    item.alias = Next().text;
                else
                    item.alias = TakeName("a name after AS");
                item.sql += " AS " + QuoteName(item.alias);
            }
        }
        core.items.push_back(std::move(item));
    } while (AcceptSymbol(","));
}

void Parser::ParseFrom(SelectCore& core) {
    int tables = 0;
    std::string from = ParseJoinedTable(core, tables);
    while (AcceptSymbol(",")) {
        from += ", " + ParseJoinedTable(core, tables);
        tables += 2;
    }
    core.from = " FROM " + from;
    core.singleTable = tables == 1;
}

std::string Parser::ParseJoinedTable(SelectCore& core, int& tables) {
    std::string sql = ParseTableTerm(core, tables);
    for (;;) {
        std::string kind;
        if (AcceptWord("INNER")) {
            kind = " INNER JOIN ";
        } else if (AcceptWord("LEFT")) {
            AcceptWord("OUTER");
            kind = " LEFT JOIN ";
        } else if (AcceptWord("RIGHT")) {
            AcceptWord("OUTER");
            kind = " RIGHT JOIN ";
        } else {
            return sql;
        }
        ExpectWord("JOIN");
        std::string right = ParseTableTerm(core, tables);
        ExpectWord("ON");
        sql += kind + right + " ON " + ParseExpression().sql;
        tables += 2;
    }
}

std::string Parser::ParseTableTerm(SelectCore& core, int& tables) {
    std::string sql;
    if (AcceptSymbol("(")) {
        Enter(); // a nested join recurses without an expression in between
        if (SubqueryFollows()) {
            sql = "(" + ParseSelectStatement(false) + ")";
        } else {
            sql = "(" + ParseJoinedTable(core, tables) + ")";
        }
        ExpectSymbol(")");
        Leave();
        tables += 2;
    } else {
        core.tableName = TakeName("a table name");
        if (PeekWord("IN"))
            Fail("Tables in other databases (IN '...') are not supported");
        sql = QuoteName(core.tableName);
        core.tableAlias = {};
        tables += 1;
    }
    std::string_view alias;
    if (AcceptWord("AS"))
        alias = TakeName("an alias after AS");
    else if (IsName(Peek()))
        alias = Next().text;
    if (!alias.empty()) {
        sql += " AS " + QuoteName(alias);
        core.tableAlias = alias;
    }
    return sql;
}

std::vector<OrderKey> Parser::ParseOrderBy() {
    ExpectWord("ORDER");
    ExpectWord("BY");
    std::vector<OrderKey> keys;
    do {
        OrderKey key;
        key.expr = AsValue(ParseExpression());
        // Jet sorts texts without regard to case; columns bring their own.
        key.nocase = key.expr.type == ValueType::Text && !key.expr.literal;
        if (AcceptWord("DESC"))
            key.descending = true;
        else
            AcceptWord("ASC");
        keys.push_back(std::move(key));
    } while (AcceptSymbol(","));
    return keys;
}

std::string Parser::EmitCore(const SelectCore& core, bool withOrder) const {
    std::string sql;
    if (!core.wrapped.empty()) {
        sql = core.order.empty() ? core.wrapped : "SELECT * FROM (" + core.wrapped + ")";
    } else {
        sql = core.distinct ? "SELECT DISTINCT " : "SELECT ";
        sql += ItemsText(core);
        sql += RowSource(core);
    }
    if (withOrder && !core.order.empty())
        sql += " ORDER BY " + KeysText(core.order);
    sql += LimitClause(core);
    return sql;
}

bool Parser::OrderHasNoTies(const SelectCore& core) const {
    if (!m_schema || !core.singleTable || !core.groupBy.empty() || !core.having.empty())
        return false;
    for (const OrderKey& key : core.order) {
        const Expr& e = key.expr;
        if (!e.column)
            continue;
        bool ownTable = e.qualifier.empty() || EqualNoCase(e.qualifier, core.tableName) ||
                        (!core.tableAlias.empty() && EqualNoCase(e.qualifier, core.tableAlias));
        bool isAlias =
            std::any_of(core.items.begin(), core.items.end(),
                        [&](const SelectItem& item) { return EqualNoCase(item.alias, e.name); });
        if (ownTable && !isAlias && m_schema->IsUniqueColumn(core.tableName, e.name))
            return true;
    }
    return false;
}

std::string Parser::LimitClause(const SelectCore& core) const {
    if (!core.hasTop)
        return "";
    std::string source = RowSource(core);
    if (core.order.empty() || OrderHasNoTies(core)) {
        if (!core.percent)
            return " LIMIT " + core.top;
        std::string rows =
            core.distinct ? "SELECT DISTINCT " + ItemsText(core) + source : "SELECT 1" + source;
        return " LIMIT (SELECT (count(*) * " + core.top + " + 99) / 100 FROM (" + rows + "))";
    }
    std::string ranked = "SELECT RANK() OVER (ORDER BY ";
    if (!core.distinct) {
        ranked += KeysText(core.order) + ") AS jet_rank";
        if (core.percent)
            ranked += ", count(*) OVER () AS jet_total";
        ranked += source;
    } else {
        // Rank the distinct rows: the keys must be columns of the select
        // list, as Jet requires with DISTINCT.
        std::string projected;
        bool star = false;
        for (size_t i = 0; i < core.items.size(); ++i) {
            const SelectItem& item = core.items[i];
            if (!projected.empty())
                projected += ", ";
            star = star || item.star;
            projected +=
                item.star ? item.sql : item.valueSql + " AS \"jet_c" + std::to_string(i) + "\"";
        }
        std::string keys;
        for (const OrderKey& key : core.order) {
            std::string mapped;
            for (size_t i = 0; i < core.items.size() && mapped.empty(); ++i) {
                const SelectItem& item = core.items[i];
                bool sameColumn = item.expr.column && key.expr.column &&
                                  EqualNoCase(item.expr.name, key.expr.name);
                if (!item.star && (item.valueSql == key.expr.sql || sameColumn))
                    mapped = "\"jet_c" + std::to_string(i) + "\"";
            }
            if (mapped.empty() && star && key.expr.column)
                mapped = QuoteName(key.expr.name);
            if (mapped.empty())
                Fail("ORDER BY clause (" + key.expr.sql + ") conflicts with DISTINCT");
            keys += (keys.empty() ? "" : ", ") + mapped + (key.nocase ? " COLLATE NOCASE" : "") +
                    (key.descending ? " DESC" : "");
        }
        ranked += keys + ") AS jet_rank";
        if (core.percent)
            ranked += ", count(*) OVER () AS jet_total";
        ranked += " FROM (SELECT DISTINCT " + projected + source + ")";
    }
    std::string bound = core.percent ? "(jet_total * " + core.top + " + 99) / 100" : core.top;
    return " LIMIT (SELECT count(*) FROM (" + ranked + ") WHERE jet_rank <= " + bound + ")";
}

} // namespace veltrix::jet
