// The one writer of SQLite text: a checked syntax tree in, one statement out.
//
// Jet's truth values are -1 and 0. A predicate (a comparison, Like, In, ...)
// stays a plain SQLite predicate where a condition is expected (WHERE, ON,
// HAVING, IIf's condition), so SQLite can use its indexes there; only where a
// value is needed does it become -(predicate).
//
// Jet's TOP n keeps the rows tied with the n-th on the ORDER BY keys. The
// rows whose RANK() on those keys is at most n are exactly the first n rows
// and their ties, so the statement becomes "... ORDER BY keys LIMIT (count of
// rows with rank <= n)". That reads the rows twice; when a key is unique (the
// checks tell), no ties can exist and a plain LIMIT n is exact.
#include "db/JetFunctionTable.h"
#include "db/JetSyntax.h"

#include "common/Strings.h"

namespace veltrix::jet {
namespace {

// SQLite's operator precedence, loosest first.
enum Precedence : int {
    kOr = 1,
    kAnd,
    kNot,
    kEquality, // = <> IS IN LIKE BETWEEN
    kRelation, // < <= > >=
    kBitwise,
    kAdditive,
    kMultiplicative,
    kConcat,
    kUnary,
    kPrimary,
};

// A table, column or index name as SQLite reads it, whatever it holds.
std::string Quote(std::string_view name) {
    return QuoteSql(name, '"');
}

// open + inner + close, written so that GCC 12 does not misread the
// concatenation of a temporary (its -Wrestrict false alarm).
std::string Enclose(const char* open, const std::string& inner, const char* close) {
    std::string text(open);
    text.append(inner).append(close);
    return text;
}

ValueType ValueTypeOf(const Node& n) {
    return n.predicate ? ValueType::Number : n.type;
}

// Jet compares texts without regard to case. A column brings its own
// collation (NOCASE for the draw tables' texts); a number needs none.
bool NeedsNoCase(const Node& a, const Node& b) {
    auto plain = [](const Node& n) {
        ValueType t = ValueTypeOf(n);
        return !n.column && t != ValueType::Number && t != ValueType::Null;
    };
    return plain(a) && plain(b);
}

const char* RuntimeOf(Op op) {
    switch (op) {
    case Op::Power:
        return "jet_pow";
    case Op::Divide:
        return "jet_div";
    case Op::IntegerDivide:
        return "jet_idiv";
    case Op::Mod:
        return "jet_mod";
    case Op::Concat:
        return "jet_amp";
    case Op::Xor:
        return "jet_xor";
    case Op::Eqv:
        return "jet_eqv";
    case Op::Imp:
        return "jet_imp";
    case Op::And:
        return "jet_and";
    case Op::Or:
        return "jet_or";
    case Op::Add:
        return "jet_plus";
    default:
        return "jet_minus";
    }
}

// A literal pattern without [lists] is one SQLite's LIKE reads as Jet does
// (% and _, ASCII case ignored), and one an index can serve.
bool NativeLike(const Node& pattern) {
    return pattern.literal &&
           (pattern.op != Op::Text || pattern.value.find('[') == std::string::npos);
}

class Emitter {
public:
    std::string Statement(const jet::Statement& s);
    std::string Query(const jet::Query& q);

private:
    int Prec(const Node& n) const;
    std::string Expr(const Node& n);
    std::string Value(const Node& n) { return n.predicate ? Enclose("-(", Expr(n), ")") : Expr(n); }
    std::string Wrap(const Node& n, int minimum) {
        int p = n.predicate ? kUnary : Prec(n);
        return p < minimum ? Enclose("(", Value(n), ")") : Value(n);
    }
    std::string WrapRaw(const Node& n, int minimum) {
        return Prec(n) < minimum ? Enclose("(", Expr(n), ")") : Expr(n);
    }
    std::string Collated(const Node& n) { return Wrap(n, kPrimary) + " COLLATE NOCASE"; }
    std::string Call(const Node& n);
    std::string Stored(const Node& n) {
        return n.toDate ? "jet_datefield(" + Value(n) + ")" : Value(n);
    }

    std::string Keys(const std::vector<OrderKey>& keys);
    std::string Items(const SelectCore& core);
    std::string Term(const FromTerm& term);
    std::string Join(const Joined& joined);
    std::string RowSource(const SelectCore& core);
    std::string Core(const SelectCore& core, bool withOrder);
    std::string Limit(const SelectCore& core);
};

int Emitter::Prec(const Node& n) const {
    switch (n.op) {
    case Op::True:
    case Op::ValueOf:
    case Op::Negate:
        return kUnary;
    case Op::Not:
        return n.predicate ? kNot : kUnary;
    case Op::Multiply:
        return kMultiplicative;
    case Op::Add:
    case Op::Subtract:
        return n.plus == PlusForm::Numbers ? kAdditive
               : n.plus == PlusForm::Texts ? kConcat
                                           : kPrimary;
    case Op::Compare:
        return n.text == "=" || n.text == "<>" ? kEquality : kRelation;
    case Op::Like:
        return NativeLike(*n.args[1]) ? kEquality : n.negated ? kNot : kPrimary;
    case Op::Between:
    case Op::In:
    case Op::IsNull:
        return kEquality;
    case Op::And:
        return n.predicate ? kAnd : kPrimary;
    case Op::Or:
        return n.predicate ? kOr : kPrimary;
    case Op::Call:
        return n.function->form == Form::IsNull ? kEquality : kPrimary;
    default:
        return kPrimary;
    }
}

std::string Emitter::Expr(const Node& n) {
    const auto& a = n.args;
    switch (n.op) {
    case Op::Number:
        return std::string(n.text);
    case Op::Text:
        return QuoteSql(n.value);
    case Op::Null:
        return "NULL";
    case Op::True:
        return "-1";
    case Op::False:
        return "0";
    case Op::Column:
        return n.qualifier.empty() ? Quote(n.text) : Quote(n.qualifier) + "." + Quote(n.text);
    case Op::CountStar:
        return "count(*)";
    case Op::ValueOf:
        return Enclose("-(", Expr(*a[0]), ")");
    case Op::Negate: {
        // Never write "--": SQLite would read a comment.
        const Node& c = *a[0];
        bool minus = c.predicate || c.op == Op::Negate || c.op == Op::True || c.op == Op::ValueOf;
        return minus ? Enclose("-(", Value(c), ")") : Enclose("-", Wrap(c, kUnary), "");
    }
    case Op::Not:
        // Not on a number is bitwise: Not 0 is -1, Not -1 is 0.
        return a[0]->predicate ? "NOT " + WrapRaw(*a[0], kNot) : "~" + Wrap(*a[0], kUnary);
    case Op::Multiply:
        return Wrap(*a[0], kMultiplicative) + " * " + Wrap(*a[1], kMultiplicative + 1);
    case Op::Add:
    case Op::Subtract:
        switch (n.plus) {
        case PlusForm::NullResult:
            return "NULL";
        case PlusForm::Numbers:
            return Wrap(*a[0], kAdditive) + (n.op == Op::Add ? " + " : " - ") +
                   Wrap(*a[1], kAdditive + 1);
        case PlusForm::Texts:
            return Wrap(*a[0], kConcat) + " || " + Wrap(*a[1], kConcat + 1);
        case PlusForm::PerRow:
            break;
        }
        [[fallthrough]];
    case Op::Power:
    case Op::Divide:
    case Op::IntegerDivide:
    case Op::Mod:
    case Op::Concat:
    case Op::Xor:
    case Op::Eqv:
    case Op::Imp:
        return std::string(RuntimeOf(n.op)) + "(" + Value(*a[0]) + ", " + Value(*a[1]) + ")";
    case Op::And:
    case Op::Or: {
        if (!n.predicate) // on numbers Jet's And and Or work bit by bit
            return std::string(RuntimeOf(n.op)) + "(" + Value(*a[0]) + ", " + Value(*a[1]) + ")";
        int p = Prec(n);
        return WrapRaw(*a[0], p) + (n.op == Op::And ? " AND " : " OR ") + WrapRaw(*a[1], p + 1);
    }
    case Op::Compare: {
        std::string lhs = NeedsNoCase(*a[0], *a[1]) ? Collated(*a[0]) : Wrap(*a[0], kBitwise);
        return lhs + " " + std::string(n.text) + " " + Wrap(*a[1], kBitwise);
    }
    case Op::IsNull:
        return Wrap(*a[0], kBitwise) + (n.negated ? " IS NOT NULL" : " IS NULL");
    case Op::Like: {
        if (NativeLike(*a[1]))
            return Wrap(*a[0], kBitwise) + (n.negated ? " NOT LIKE " : " LIKE ") +
                   Wrap(*a[1], kBitwise);
        // Only [lists] need Jet's own matcher.
        std::string call = "jet_like(" + Value(*a[0]) + ", " + Value(*a[1]) + ")";
        return n.negated ? "NOT " + call : call;
    }
    case Op::Between: {
        bool nocase = NeedsNoCase(*a[0], *a[1]) && NeedsNoCase(*a[0], *a[2]);
        return (nocase ? Collated(*a[0]) : Wrap(*a[0], kBitwise)) +
               (n.negated ? " NOT BETWEEN " : " BETWEEN ") + Wrap(*a[1], kBitwise) + " AND " +
               Wrap(*a[2], kBitwise);
    }
    case Op::In: {
        ValueType t = ValueTypeOf(*a[0]);
        bool nocase = !a[0]->column && t != ValueType::Number && t != ValueType::Null;
        std::string list;
        if (n.query) {
            list = Query(*n.query);
        } else {
            for (size_t i = 1; i < a.size(); ++i) {
                list += i > 1 ? ", " : "";
                list += Value(*a[i]);
                nocase = nocase && ValueTypeOf(*a[i]) != ValueType::Number;
            }
        }
        return (nocase ? Collated(*a[0]) : Wrap(*a[0], kBitwise)) +
               (n.negated ? " NOT IN (" : " IN (") + list + ")";
    }
    case Op::Call:
        return Call(n);
    case Op::Subquery:
        return Enclose("(", Query(*n.query), ")");
    case Op::Exists:
        return Enclose("EXISTS (", Query(*n.query), ")");
    }
    return "NULL";
}

std::string Emitter::Call(const Node& n) {
    const FunctionDef& f = *n.function;
    const auto& a = n.args;
    switch (f.form) {
    case Form::Call:
    case Form::Aggregate: {
        std::string sql = f.sqliteName;
        sql += '(';
        for (size_t i = 0; i < a.size() && static_cast<int>(i) < f.passedArgs; ++i) {
            if (i > 0)
                sql += ", ";
            sql += Value(*a[i]);
        }
        return sql + ')';
    }
    case Form::IIf: // the condition stays a predicate; Jet's -1 is true in SQLite too
        return "CASE WHEN " + Expr(*a[0]) + " THEN " + Value(*a[1]) + " ELSE " + Value(*a[2]) +
               " END";
    case Form::Switch: {
        std::string sql = "CASE";
        for (size_t i = 0; i + 1 < a.size(); i += 2)
            sql += " WHEN " + Expr(*a[i]) + " THEN " + Value(*a[i + 1]);
        return sql + " END";
    }
    case Form::Choose: {
        // The index is rounded; outside 1 .. the number of choices: Null.
        std::string sql = "CASE jet_round(" + Value(*a[0]) + ")";
        for (size_t i = 1; i < a.size(); ++i)
            sql += " WHEN " + std::to_string(i) + " THEN " + Value(*a[i]);
        return sql + " END";
    }
    case Form::Nz: // in a query Nz turns null into the empty text unless told otherwise
        return "ifnull(" + Value(*a[0]) + ", " + (a.size() == 2 ? Value(*a[1]) : "''") + ")";
    case Form::IsNull:
        return Wrap(*a[0], kBitwise) + " IS NULL";
    case Form::Identity:
        return Wrap(*a[0], kPrimary);
    }
    return "NULL";
}

// ---- queries ----

std::string Emitter::Keys(const std::vector<OrderKey>& keys) {
    std::string text;
    for (const OrderKey& key : keys) {
        const Node& e = *key.expr;
        const char* direction = key.descending ? " DESC" : "";
        if (!text.empty())
            text += ", ";
        if (key.issueOrder) {
            // Digit strings by value: fewer significant digits first, then
            // the digits, then the text itself (07001 after 7001).
            std::string digits = "ltrim(" + Value(e) + ", '0')";
            text += "length(" + digits + ")" + direction + ", " + digits + direction + ", ";
        }
        // Jet sorts texts without regard to case; columns bring their own.
        bool nocase = ValueTypeOf(e) == ValueType::Text && !e.literal;
        text += nocase ? Collated(e) : Value(e);
        text += direction;
    }
    return text;
}

std::string Emitter::Items(const SelectCore& core) {
    std::string text;
    for (const SelectItem& item : core.items) {
        if (!text.empty())
            text += ", ";
        if (item.star) {
            text += item.table.empty() ? "*" : Quote(item.table) + ".*";
            continue;
        }
        text += Stored(*item.expr);
        if (!item.alias.empty())
            text += " AS " + Quote(item.alias);
    }
    return text;
}

std::string Emitter::Term(const FromTerm& term) {
    std::string sql = term.query    ? "(" + Query(*term.query) + ")"
                      : term.nested ? "(" + Join(*term.nested) + ")"
                                    : Quote(term.table);
    if (!term.alias.empty())
        sql += " AS " + Quote(term.alias);
    return sql;
}

std::string Emitter::Join(const Joined& joined) {
    std::string sql = Term(*joined.first);
    for (const JoinStep& step : joined.steps)
        sql += step.kind + Term(*step.term) + " ON " + Expr(*step.on);
    return sql;
}

// FROM, WHERE, GROUP BY and HAVING of a branch: the rows TOP counts.
std::string Emitter::RowSource(const SelectCore& core) {
    std::string tail;
    for (size_t i = 0; i < core.from.size(); ++i)
        tail += (i == 0 ? " FROM " : ", ") + Join(*core.from[i]);
    if (core.where)
        tail += " WHERE " + Expr(*core.where);
    for (size_t i = 0; i < core.groupBy.size(); ++i)
        tail += (i == 0 ? " GROUP BY " : ", ") + Value(*core.groupBy[i]);
    if (core.having)
        tail += " HAVING " + Expr(*core.having);
    return tail;
}

std::string Emitter::Core(const SelectCore& core, bool withOrder) {
    std::string sql;
    if (core.wrapped) {
        sql = Query(*core.wrapped);
        if (!core.order.empty())
            sql = "SELECT * FROM (" + sql + ")";
    } else {
        sql = core.distinct ? "SELECT DISTINCT " : "SELECT ";
        sql += Items(core);
        sql += RowSource(core);
    }
    if (withOrder && !core.order.empty())
        sql += " ORDER BY " + Keys(core.order);
    return sql + Limit(core);
}

std::string Emitter::Limit(const SelectCore& core) {
    if (!core.hasTop)
        return "";
    std::string top(core.top);
    std::string source = RowSource(core);
    if (core.order.empty() || core.uniqueOrder) {
        if (!core.percent)
            return " LIMIT " + top;
        std::string rows =
            core.distinct ? "SELECT DISTINCT " + Items(core) + source : "SELECT 1" + source;
        return " LIMIT (SELECT (count(*) * " + top + " + 99) / 100 FROM (" + rows + "))";
    }
    std::string ranked = "SELECT RANK() OVER (ORDER BY ";
    if (!core.distinct) {
        ranked += Keys(core.order) + ") AS jet_rank";
        if (core.percent)
            ranked += ", count(*) OVER () AS jet_total";
        ranked += source;
    } else {
        // Rank the distinct rows: the keys are items of the select list, as
        // Jet requires with DISTINCT (the checks made sure of it).
        std::string projected;
        bool star = false;
        for (size_t i = 0; i < core.items.size(); ++i) {
            const SelectItem& item = core.items[i];
            projected += i > 0 ? ", " : "";
            star = star || item.star;
            projected += item.star ? (item.table.empty() ? "*" : Quote(item.table) + ".*")
                                   : Value(*item.expr) + " AS \"jet_c" + std::to_string(i) + "\"";
        }
        std::string keys;
        for (const OrderKey& key : core.order) {
            int item = MatchingItem(core, *key.expr);
            std::string mapped = item >= 0 ? "\"jet_c" + std::to_string(item) + "\""
                                 : star && key.expr->op == Op::Column ? Quote(key.expr->text)
                                                                      : Value(*key.expr);
            bool nocase = ValueTypeOf(*key.expr) == ValueType::Text && !key.expr->literal;
            keys += (keys.empty() ? "" : ", ") + mapped + (nocase ? " COLLATE NOCASE" : "") +
                    (key.descending ? " DESC" : "");
        }
        ranked += keys + ") AS jet_rank";
        if (core.percent)
            ranked += ", count(*) OVER () AS jet_total";
        ranked += " FROM (SELECT DISTINCT " + projected + source + ")";
    }
    std::string bound = core.percent ? "(jet_total * " + top + " + 99) / 100" : top;
    return " LIMIT (SELECT count(*) FROM (" + ranked + ") WHERE jet_rank <= " + bound + ")";
}

std::string Emitter::Query(const jet::Query& q) {
    const auto& branches = q.branches;
    if (branches.size() == 1)
        return Core(branches[0], true);
    // The last ORDER BY sorts the whole union, unless it serves that
    // branch's own TOP. SQLite allows ORDER BY and LIMIT only after the last
    // branch, so a branch with its own goes into a subquery.
    const SelectCore& last = branches.back();
    bool unionOrder = !last.hasTop && !last.order.empty();
    std::string sql;
    for (size_t i = 0; i < branches.size(); ++i) {
        const SelectCore& branch = branches[i];
        bool ownOrder = !(unionOrder && i + 1 == branches.size());
        std::string part = Core(branch, ownOrder);
        if ((ownOrder && !branch.order.empty()) || branch.hasTop || branch.wrapped)
            part = "SELECT * FROM (" + part + ")";
        if (i > 0)
            sql += q.unionAll[i - 1] ? " UNION ALL " : " UNION ";
        sql += part;
    }
    if (unionOrder)
        sql += " ORDER BY " + Keys(last.order);
    return sql;
}

// ---- statements ----

std::string Emitter::Statement(const jet::Statement& s) {
    switch (s.kind) {
    case StatementKind::Select: {
        std::string sql = Query(*s.query);
        std::string_view into = s.query->branches[0].into;
        return into.empty() ? sql : "CREATE TABLE " + Quote(into) + " AS " + sql;
    }
    case StatementKind::Insert: {
        std::string sql;
        sql.reserve(64 + 16 * (s.rows.empty() ? 0 : s.rows[0].size()) * (s.columns.size() + 1));
        sql += "INSERT INTO " + Quote(s.table);
        for (size_t i = 0; i < s.columns.size(); ++i)
            sql += (i == 0 ? " (" : ", ") + Quote(s.columns[i]);
        if (!s.columns.empty())
            sql += ")";
        if (s.query)
            return sql + " " + Query(*s.query);
        sql += " VALUES ";
        for (size_t r = 0; r < s.rows.size(); ++r) {
            sql += r > 0 ? ", (" : "(";
            for (size_t i = 0; i < s.rows[r].size(); ++i) {
                if (i > 0)
                    sql += ", ";
                sql += Stored(*s.rows[r][i]);
            }
            sql += ")";
        }
        return sql;
    }
    case StatementKind::Update: {
        std::string sql = "UPDATE " + Quote(s.table);
        if (!s.alias.empty())
            sql += " AS " + Quote(s.alias);
        for (size_t i = 0; i < s.assignments.size(); ++i)
            sql += (i == 0 ? " SET " : ", ") + Quote(s.assignments[i].column) + " = " +
                   Stored(*s.assignments[i].value);
        return s.where ? sql + " WHERE " + Expr(*s.where) : sql;
    }
    case StatementKind::Delete: {
        std::string sql = "DELETE FROM " + Quote(s.table);
        if (!s.alias.empty())
            sql += " AS " + Quote(s.alias);
        return s.where ? sql + " WHERE " + Expr(*s.where) : sql;
    }
    case StatementKind::CreateTable: {
        bool tableKey = false;
        for (const TableConstraint& constraint : s.constraints)
            tableKey = tableKey || constraint.primaryKey;
        int keyColumns = 0;
        for (const ColumnDefinition& column : s.definitions)
            keyColumns += column.primaryKey;
        std::string sql = "CREATE TABLE " + Quote(s.table) + " (";
        for (size_t i = 0; i < s.definitions.size(); ++i) {
            const ColumnDefinition& column = s.definitions[i];
            sql += (i ? ", " : "") + Quote(column.name) + " " + column.type;
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
            if (column.defaultValue)
                sql += " DEFAULT " + Wrap(*column.defaultValue, kPrimary);
        }
        for (const TableConstraint& constraint : s.constraints) {
            sql += ", ";
            if (!constraint.name.empty())
                sql += "CONSTRAINT " + Quote(constraint.name) + " ";
            sql += constraint.primaryKey ? "PRIMARY KEY (" : "UNIQUE (";
            for (size_t i = 0; i < constraint.columns.size(); ++i)
                sql += (i ? ", " : "") + Quote(constraint.columns[i]);
            sql += ")";
        }
        return sql + ")";
    }
    case StatementKind::CreateIndex: {
        std::string sql = s.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
        sql += Quote(s.name) + " ON " + Quote(s.table) + " (";
        for (size_t i = 0; i < s.indexColumns.size(); ++i)
            sql += (i ? ", " : "") + Quote(s.indexColumns[i].name) +
                   (s.indexColumns[i].descending ? " DESC" : "");
        return sql + ")";
    }
    case StatementKind::DropTable:
        return "DROP TABLE " + Quote(s.table);
    case StatementKind::DropIndex:
        return "DROP INDEX " + Quote(s.name);
    case StatementKind::AddColumn: {
        const ColumnDefinition& column = s.definitions[0];
        std::string sql = "ALTER TABLE " + Quote(s.table) + " ADD COLUMN " + Quote(column.name) +
                          " " + column.type;
        if (column.notNull)
            sql += " NOT NULL";
        if (column.defaultValue)
            sql += " DEFAULT " + Wrap(*column.defaultValue, kPrimary);
        return sql;
    }
    case StatementKind::DropColumn:
        return "ALTER TABLE " + Quote(s.table) + " DROP COLUMN " + Quote(s.name);
    }
    return {};
}

} // namespace

std::string EmitStatement(const Statement& statement) {
    return Emitter().Statement(statement);
}

} // namespace veltrix::jet
