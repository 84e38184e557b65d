// The checks and rewrites that need a whole SELECT or the schema, done on the
// syntax tree before anything is written:
// - Jet's refusals where SQLite would answer with arbitrary rows: a column
//   neither grouped nor aggregated, and an ORDER BY outside a DISTINCT list;
// - whether TOP may become a plain LIMIT (an order key is unique);
// - a draw table's issue column ordered by the issue's value, so 10000 comes
//   after 9999 and a 7-digit issue after a 5-digit one;
// - texts written into a draw table's date column converted as Jet converts
//   them, or refused as Jet refuses them.
#include "db/JetDates.h"
#include "db/JetFunctionTable.h"
#include "db/JetSyntax.h"

#include "common/Strings.h"

namespace veltrix::jet {
namespace {

std::string SourceOf(std::string_view sql, const Node& n) {
    return std::string(sql.substr(n.begin, n.end - n.begin));
}

bool IsAggregate(const Node& n) {
    return n.op == Op::CountStar || (n.op == Op::Call && n.function->form == Form::Aggregate);
}

bool ContainsAggregate(const Node& n) {
    if (IsAggregate(n))
        return true;
    for (const Node* arg : n.args) {
        if (ContainsAggregate(*arg))
            return true;
    }
    return false;
}

bool NamesAlias(const SelectCore& core, const Node& n) {
    if (n.op != Op::Column || !n.qualifier.empty())
        return false;
    for (const SelectItem& item : core.items) {
        if (!item.alias.empty() && EqualsIgnoringAsciiCase(item.alias, n.text))
            return true;
    }
    return false;
}

// A column of the one table the branch reads, not an alias of its list.
bool OwnColumn(const SelectCore& core, const Node& n) {
    if (n.op != Op::Column || !core.singleTable || NamesAlias(core, n))
        return false;
    return n.qualifier.empty() || EqualsIgnoringAsciiCase(n.qualifier, core.tableName) ||
           (!core.tableAlias.empty() && EqualsIgnoringAsciiCase(n.qualifier, core.tableAlias));
}

class Checker {
public:
    Checker(std::string_view sql, const JetSchema* schema) : m_sql(sql), m_schema(schema) {}

    void CheckQuery(Query& query);
    void CheckNested(const Node& n);
    void ConvertToDate(Node& n, std::string_view table, std::string_view column) const;
    JetColumnRole RoleOf(std::string_view table, std::string_view column) const {
        return m_schema ? m_schema->RoleOf(table, column) : JetColumnRole::Plain;
    }
    bool HasDrawDate(std::string_view table) const {
        return RoleOf(table, "rq") == JetColumnRole::DrawDate;
    }

private:
    void CheckCore(SelectCore& core, bool ownOrder);
    void CheckGrouped(const SelectCore& core, const Node& n, const Node& whole) const;
    void CheckNested(const Joined& joined);

    std::string_view m_sql;
    const JetSchema* m_schema;
};

void Checker::CheckNested(const Node& n) {
    if (n.query)
        CheckQuery(*n.query);
    for (const Node* arg : n.args)
        CheckNested(*arg);
}

void Checker::CheckNested(const Joined& joined) {
    for (const FromTerm* term : {joined.first}) {
        if (term->query)
            CheckQuery(*term->query);
        if (term->nested)
            CheckNested(*term->nested);
    }
    for (const JoinStep& step : joined.steps) {
        if (step.term->query)
            CheckQuery(*step.term->query);
        if (step.term->nested)
            CheckNested(*step.term->nested);
        CheckNested(*step.on);
    }
}

void Checker::CheckQuery(Query& query) {
    auto& branches = query.branches;
    bool unionOrder = branches.size() > 1 && !branches.back().hasTop;
    for (size_t i = 0; i < branches.size(); ++i) {
        if (branches[i].wrapped)
            CheckQuery(*branches[i].wrapped);
        else
            CheckCore(branches[i], !(unionOrder && i + 1 == branches.size()));
    }
}

// Every column of a grouped or aggregated query must be grouped or inside
// an aggregate; SQLite would take one from any row of the group.
void Checker::CheckGrouped(const SelectCore& core, const Node& n, const Node& whole) const {
    if (n.literal || IsAggregate(n) || n.op == Op::Subquery || n.op == Op::Exists)
        return;
    for (const Node* key : core.groupBy) {
        if (SameExpression(*key, n) || NamesAlias(core, *key))
            return;
    }
    if (n.op == Op::Column)
        Refuse("You tried to execute a query that does not include the specified expression '" +
               SourceOf(m_sql, whole) + "' as part of an aggregate function.");
    for (const Node* arg : n.args)
        CheckGrouped(core, *arg, whole);
}

void Checker::CheckCore(SelectCore& core, bool ownOrder) {
    for (const SelectItem& item : core.items) {
        if (item.expr)
            CheckNested(*item.expr);
    }
    for (const Joined* joined : core.from)
        CheckNested(*joined);
    for (const Node* n : {core.where, core.having}) {
        if (n)
            CheckNested(*n);
    }

    bool aggregated = !core.groupBy.empty() || core.having;
    for (const SelectItem& item : core.items)
        aggregated = aggregated || (item.expr && ContainsAggregate(*item.expr));
    if (aggregated) {
        for (const SelectItem& item : core.items) {
            if (!item.expr)
                continue;
            bool grouped = false; // "select h1 as n ... group by n"
            for (const Node* key : core.groupBy)
                grouped = grouped ||
                          (key->op == Op::Column && key->qualifier.empty() && !item.alias.empty() &&
                           EqualsIgnoringAsciiCase(key->text, item.alias));
            if (!grouped)
                CheckGrouped(core, *item.expr, *item.expr);
        }
        if (core.having)
            CheckGrouped(core, *core.having, *core.having);
    }
    if (!ownOrder)
        return;

    for (OrderKey& key : core.order) {
        const Node& e = *key.expr;
        if (aggregated && !NamesAlias(core, e))
            CheckGrouped(core, e, e);
        if (core.distinct && !e.literal && MatchingItem(core, e) < 0) {
            bool star = false;
            for (const SelectItem& item : core.items)
                star = star || item.star;
            if (!star || e.op != Op::Column)
                Refuse("ORDER BY clause (" + SourceOf(m_sql, e) + ") conflicts with DISTINCT.");
        }
        if (!m_schema || !OwnColumn(core, e))
            continue;
        if (!aggregated && m_schema->IsUniqueColumn(core.tableName, e.text))
            core.uniqueOrder = true;
        key.issueOrder = RoleOf(core.tableName, e.text) == JetColumnRole::DrawIssue;
    }
}

// A Date column takes a text that reads as a date (written back as ISO), a
// number (a date serial) or null; Jet refuses anything else.
void Checker::ConvertToDate(Node& n, std::string_view table, std::string_view column) const {
    if (RoleOf(table, column) != JetColumnRole::DrawDate || n.op == Op::Null)
        return;
    if (n.op != Op::Text) {
        n.toDate = true;
        return;
    }
    JetDate date;
    if (!ParseDateText(n.value, date))
        Refuse("Data type mismatch in criteria expression.");
    n.value = date.Text();
}

} // namespace

int MatchingItem(const SelectCore& core, const Node& key) {
    for (size_t i = 0; i < core.items.size(); ++i) {
        const SelectItem& item = core.items[i];
        if (item.star)
            continue;
        bool alias = key.op == Op::Column && key.qualifier.empty() && !item.alias.empty() &&
                     EqualsIgnoringAsciiCase(item.alias, key.text);
        if (alias || SameExpression(*item.expr, key))
            return static_cast<int>(i);
    }
    return -1;
}

bool SameExpression(const Node& a, const Node& b) {
    if (a.op != b.op || a.negated != b.negated || a.args.size() != b.args.size() || a.query ||
        b.query)
        return false;
    switch (a.op) {
    case Op::Column:
        return EqualsIgnoringAsciiCase(a.text, b.text) &&
               (a.qualifier.empty() || b.qualifier.empty() ||
                EqualsIgnoringAsciiCase(a.qualifier, b.qualifier));
    case Op::Number:
    case Op::Compare:
        if (a.text != b.text)
            return false;
        break;
    case Op::Text:
        if (a.value != b.value)
            return false;
        break;
    case Op::Call:
        if (a.function != b.function)
            return false;
        break;
    default:
        break;
    }
    for (size_t i = 0; i < a.args.size(); ++i) {
        if (!SameExpression(*a.args[i], *b.args[i]))
            return false;
    }
    return true;
}

void CheckStatement(Statement& s, std::string_view sql, const JetSchema* schema) {
    Checker checker(sql, schema);
    if (s.query)
        checker.CheckQuery(*s.query);
    // Without a column list the values fill the table's columns in order.
    std::vector<std::string> stored;
    std::vector<std::string_view> inOrder;
    const std::vector<std::string_view>* columns = &s.columns;
    if (s.kind == StatementKind::Insert && s.columns.empty() && schema &&
        checker.HasDrawDate(s.table)) {
        stored = schema->ColumnsOf(s.table);
        inOrder.assign(stored.begin(), stored.end());
        columns = &inOrder;
    }
    for (std::vector<Node*>& row : s.rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            checker.CheckNested(*row[i]);
            if (i < columns->size())
                checker.ConvertToDate(*row[i], s.table, (*columns)[i]);
        }
    }
    // INSERT ... SELECT: each branch's items fill the columns in order; a
    // "*" item hides which item goes where, so nothing after it is converted.
    if (s.kind == StatementKind::Insert && s.query) {
        for (SelectCore& branch : s.query->branches) {
            for (size_t i = 0; i < branch.items.size() && i < columns->size(); ++i) {
                if (branch.items[i].star)
                    break;
                checker.ConvertToDate(*branch.items[i].expr, s.table, (*columns)[i]);
            }
        }
    }
    for (Assignment& assignment : s.assignments) {
        checker.CheckNested(*assignment.value);
        checker.ConvertToDate(*assignment.value, s.table, assignment.column);
    }
    if (s.where)
        checker.CheckNested(*s.where);
}

} // namespace veltrix::jet
