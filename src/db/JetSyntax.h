#pragma once
// The syntax tree of one Jet statement. The parser (JetParser.cpp) builds it,
// the checks (JetChecks.cpp) refuse what Jet refuses and settle what depends
// on the whole statement, and the emitter (JetEmitter.cpp) writes SQLite text
// from it. No step reads SQL text back: every rule looks at nodes.
//
// Each expression node knows, from the moment it is built, what the emitter
// and the checks need: its type when the text tells it, whether it is a
// predicate (Jet wants -1/0 where a value is needed, SQLite gives 1/0), and
// how deeply it nests, so that no later walk over it can exhaust the stack.

#include "db/JetDialect.h"
#include "db/JetLexer.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix::jet {

enum class ValueType : uint8_t { Unknown, Number, Text, Null };

enum class Op : uint8_t {
    // Leaves.
    Number, // text: the digits as written
    Text,   // value: the text (a #date# literal holds its ISO text)
    Null,
    True,
    False,
    Column,    // text: name; qualifier: table or alias, when written
    CountStar, // count(*)
    // Operators.
    ValueOf, // unary + on a predicate: its -1/0 value
    Negate,
    Not,
    Power,
    Multiply,
    Divide,
    IntegerDivide,
    Mod,
    Add,      // + : settled when built (see PlusForm)
    Subtract, // - : likewise
    Concat,   // &
    Compare,  // text: = <> < > <= >=
    Like,     // negated: NOT LIKE
    Between,  // args: value, low, high
    In,       // args: value, items; or query
    IsNull,   // negated: IS NOT NULL
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    // Others.
    Call,     // function: its entry in the function table
    Subquery, // query
    Exists,   // query
};

// How + or - is written for SQLite, known from the operands' types.
enum class PlusForm : uint8_t { Numbers, Texts, NullResult, PerRow };

struct FunctionDef;
struct Query;

struct Node {
    Op op = Op::Null;
    PlusForm plus = PlusForm::PerRow;
    ValueType type = ValueType::Unknown; // the value's type (a predicate's is Number)
    bool predicate = false;              // SQLite truth 1/0
    bool literal = false;                // a constant: number, text, date, null, true, false
    bool column = false;                 // a column reference, perhaps in parentheses
    bool negated = false;
    bool toDate = false; // written into a date column: converted as Jet converts to a date
    int depth = 1;       // nesting of operators and calls below and including this node
    std::string_view text;
    std::string_view qualifier;
    std::string value;
    std::vector<Node*> args;
    const FunctionDef* function = nullptr;
    Query* query = nullptr;
    size_t begin = 0, end = 0; // the node's source text, for Jet's messages
};

struct OrderKey {
    Node* expr = nullptr;
    bool descending = false;
    bool issueOrder = false; // a draw table's issue column: ordered by the issue's value
};

struct SelectItem {
    Node* expr = nullptr;   // null for * and t.*
    std::string_view table; // t.*: the table
    std::string_view alias; // AS name
    bool star = false;
};

struct Joined;

// One table in FROM: a named table, a subquery or a parenthesised join.
struct FromTerm {
    std::string_view table;
    Query* query = nullptr;
    Joined* nested = nullptr;
    std::string_view alias;
};

struct JoinStep {
    const char* kind = ""; // " INNER JOIN " ...
    FromTerm* term = nullptr;
    Node* on = nullptr;
};

struct Joined {
    FromTerm* first = nullptr;
    std::vector<JoinStep> steps;
};

struct SelectCore {
    bool distinct = false;
    bool hasTop = false;
    bool percent = false;
    std::string_view top; // the row count or percentage, digits without leading zeros
    std::vector<SelectItem> items;
    std::string_view into;
    std::vector<Joined*> from; // comma-separated; empty without FROM
    bool singleTable = false;  // exactly one named table is read
    std::string_view tableName, tableAlias;
    Node* where = nullptr;
    std::vector<Node*> groupBy;
    Node* having = nullptr;
    std::vector<OrderKey> order;
    bool uniqueOrder = false; // an order key is unique: TOP has no ties to keep
    Query* wrapped = nullptr; // a parenthesised branch
};

struct Query {
    std::vector<SelectCore> branches;
    std::vector<bool> unionAll; // between branch i and i + 1
};

struct ColumnDefinition {
    std::string_view name;
    const char* type = "";
    bool counter = false;
    bool notNull = false;
    bool primaryKey = false;
    bool unique = false;
    Node* defaultValue = nullptr;
};

struct TableConstraint {
    std::string_view name; // CONSTRAINT name, when written
    bool primaryKey = false;
    std::vector<std::string_view> columns;
};

struct IndexColumn {
    std::string_view name;
    bool descending = false;
};

struct Assignment {
    std::string_view column;
    Node* value = nullptr;
};

enum class StatementKind : uint8_t {
    Select,
    Insert,
    Update,
    Delete,
    CreateTable,
    CreateIndex,
    DropTable,
    DropIndex,
    AddColumn,
    DropColumn,
};

struct Statement {
    StatementKind kind = StatementKind::Select;
    Query* query = nullptr; // SELECT; INSERT ... SELECT
    std::string_view table, alias, name;
    std::vector<std::string_view> columns;     // INSERT's column list
    std::vector<std::vector<Node*>> rows;      // INSERT ... VALUES
    std::vector<Assignment> assignments;       // UPDATE
    Node* where = nullptr;                     // UPDATE, DELETE
    std::vector<ColumnDefinition> definitions; // CREATE TABLE, ADD COLUMN
    std::vector<TableConstraint> constraints;  // CREATE TABLE
    std::vector<IndexColumn> indexColumns;     // CREATE INDEX
    bool unique = false;                       // CREATE UNIQUE INDEX
};

// Where the nodes of one translation live; they die with it. Blocks of
// nodes, so that the import's INSERTs cost a few allocations, not one a node.
class SyntaxArena {
public:
    template <typename T> T* Make() { return Pool<T>().Make(); }

private:
    template <typename T> class Blocks {
    public:
        T* Make() {
            if (m_used == kBlock) {
                m_blocks.push_back(std::make_unique<T[]>(kBlock));
                m_used = 0;
            }
            return &m_blocks.back()[m_used++];
        }

    private:
        static constexpr size_t kBlock = 16;
        std::vector<std::unique_ptr<T[]>> m_blocks;
        size_t m_used = kBlock;
    };

    template <typename T> Blocks<T>& Pool();
    Blocks<Node> m_nodes;
    Blocks<Query> m_queries;
    Blocks<Joined> m_joins;
    Blocks<FromTerm> m_terms;
};

template <> inline SyntaxArena::Blocks<Node>& SyntaxArena::Pool<Node>() {
    return m_nodes;
}
template <> inline SyntaxArena::Blocks<Query>& SyntaxArena::Pool<Query>() {
    return m_queries;
}
template <> inline SyntaxArena::Blocks<Joined>& SyntaxArena::Pool<Joined>() {
    return m_joins;
}
template <> inline SyntaxArena::Blocks<FromTerm>& SyntaxArena::Pool<FromTerm>() {
    return m_terms;
}

// Failures of any step; TranslateJetSql turns them into an error text.
struct TranslationError {
    std::string message;
};

[[noreturn]] inline void Refuse(std::string message) {
    throw TranslationError{std::move(message)};
}

// Builds the tree of one statement from its tokens (JetParser.cpp).
Statement ParseStatement(std::string_view sql, const std::vector<Token>& tokens,
                         SyntaxArena& arena);

// Jet's refusals and the rewrites that need the whole statement and the
// schema (JetChecks.cpp).
void CheckStatement(Statement& statement, std::string_view sql, const JetSchema* schema);

// The SQLite text of a checked statement (JetEmitter.cpp).
std::string EmitStatement(const Statement& statement);

// The select item that an ORDER BY key names (the same expression, or the
// item's alias); -1 when none does. Stars are not matched.
int MatchingItem(const SelectCore& core, const Node& key);

// Structural equality of two expressions, names compared without regard to
// case: what Jet means by "the same expression" in GROUP BY and DISTINCT.
bool SameExpression(const Node& a, const Node& b);

} // namespace veltrix::jet
