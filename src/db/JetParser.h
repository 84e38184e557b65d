#pragma once
// The Jet-to-SQLite translator's parser. It reads the tokens of one statement
// by recursive descent and writes SQLite text as it goes: every expression
// comes back as SQLite text with what the caller needs to place it (its
// precedence in SQLite, whether it is a predicate, its type when known).
//
// Jet's truth values are -1 and 0. A predicate (a comparison, Like, In, ...)
// stays a plain SQLite predicate where a condition is expected (WHERE, ON,
// HAVING, IIf's condition), so SQLite can use its indexes there; only where a
// value is needed does it become -(predicate).

#include "db/JetDialect.h"
#include "db/JetLexer.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltrix::jet {

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

enum class ValueType { Unknown, Number, Text, Null };

struct Expr {
    std::string sql;
    int precedence = kPrimary;
    ValueType type = ValueType::Unknown;
    bool predicate = false;     // SQLite truth 1/0: Jet wants -1/0 as a value
    bool literal = false;       // a number or text constant
    bool column = false;        // a bare column reference
    std::string_view name;      // column: its name
    std::string_view qualifier; // column: its table or alias, if written
    int depth = 1;              // operator nesting, bounded like SQLite's
};

// Failures inside the parser; TranslateJetSql turns them into an error text.
struct TranslationError {
    std::string message;
};

struct OrderKey {
    Expr expr;
    bool descending = false;
    bool nocase = false; // a text expression: sorted without regard to case
};

struct ColumnDefinition {
    std::string_view name;
    std::string type; // the SQLite type, with COLLATE NOCASE for texts
    bool counter = false;
    bool notNull = false;
    bool primaryKey = false;
    bool unique = false;
    std::string defaultSql;
};

struct SelectItem {
    std::string sql;        // as emitted, with its alias
    std::string valueSql;   // the expression alone
    bool star = false;      // * or t.*
    std::string_view alias; // AS name
    Expr expr;
};

struct SelectCore {
    bool distinct = false;
    bool hasTop = false;
    bool percent = false;
    std::string top; // the row count or percentage, as digits
    std::vector<SelectItem> items;
    std::string into; // SELECT ... INTO: the new table, quoted
    std::string from; // " FROM ..." or empty
    bool singleTable = false;
    std::string_view tableName, tableAlias;
    std::string where, groupBy, having; // bodies without their keywords
    std::vector<OrderKey> order;
    std::string wrapped; // a parenthesised branch: its whole SQLite text
};

class Parser {
public:
    Parser(const std::vector<Token>& tokens, const JetSchema* schema)
        : m_tokens(tokens), m_schema(schema) {}

    // The whole statement, up to trailing semicolons.
    std::string TranslateStatement();

    // Expressions (JetExpressions.cpp).
    Expr ParseExpression();
    static Expr AsValue(Expr e);
    static std::string Wrap(const Expr& e, int minimum);
    static std::string QuoteName(std::string_view name);

private:
    // Tokens.
    const Token& Peek(size_t ahead = 0) const;
    const Token& Next();
    bool PeekWord(std::string_view upper, size_t ahead = 0) const;
    bool PeekSymbol(std::string_view symbol, size_t ahead = 0) const;
    bool AcceptWord(std::string_view upper);
    bool AcceptSymbol(std::string_view symbol);
    void ExpectWord(std::string_view upper);
    void ExpectSymbol(std::string_view symbol);
    [[noreturn]] void Fail(const std::string& what) const;
    [[noreturn]] void FailHere(const std::string& what) const;
    bool IsReserved(const Token& token) const;
    bool IsName(const Token& token) const;
    std::string_view TakeName(const char* what);
    void Enter();
    void Leave() { --m_depth; }

    // Expression levels, loosest first.
    Expr ParseImp();
    Expr ParseEqv();
    Expr ParseXor();
    Expr ParseOr();
    Expr ParseAnd();
    Expr ParseNot();
    Expr ParseComparison();
    Expr ParseConcat();
    Expr ParseAdditive();
    Expr ParseMod();
    Expr ParseIntegerDivision();
    Expr ParseMultiplicative();
    Expr ParseUnary();
    Expr ParsePower();
    Expr ParsePowerOperand();
    Expr ParsePrimary();
    Expr ParseNameOrCall();
    Expr ParseFunctionCall(std::string_view name); // JetFunctionCalls.cpp
    Expr ParseSubqueryExpr();
    Expr Combine(const Expr& left, const Expr& right, std::string sql, int precedence,
                 ValueType type) const;
    Expr Call(const char* function, const std::vector<Expr>& args, ValueType type) const;
    Expr Compare(std::string_view op, const Expr& left, const Expr& right) const;
    Expr Plus(const Expr& left, const Expr& right) const;
    Expr Minus(const Expr& left, const Expr& right) const;
    Expr Logical(bool isAnd, const Expr& left, const Expr& right) const;

    // Statements (JetSelect.cpp, JetStatements.cpp).
    std::string ParseSelectStatement(bool allowInto);
    SelectCore ParseSelectCore(bool allowInto);
    void ParseTopAndDistinct(SelectCore& core);
    void ParseSelectList(SelectCore& core);
    void ParseFrom(SelectCore& core);
    std::string ParseJoinedTable(SelectCore& core, int& tables);
    std::string ParseTableTerm(SelectCore& core, int& tables);
    std::vector<OrderKey> ParseOrderBy();
    std::string EmitCore(const SelectCore& core, bool withOrder) const;
    std::string LimitClause(const SelectCore& core) const;
    bool OrderHasNoTies(const SelectCore& core) const;
    std::string ParseInsert();
    std::string ParseUpdate();
    std::string ParseDelete();
    std::string ParseCreate();
    std::string ParseCreateTable();
    std::string ParseCreateIndex(bool unique);
    std::string ParseDrop();
    std::string ParseAlter();
    ColumnDefinition ParseColumnDefinition();
    std::string ParseTableConstraint();
    std::string ParseNameList(bool allowOrder);
    bool SubqueryFollows() const;

    const std::vector<Token>& m_tokens;
    const JetSchema* m_schema;
    size_t m_at = 0;
    int m_depth = 0;
};

} // namespace veltrix::jet
