#pragma once
// The Jet parser: recursive descent over the tokens of one statement,
// building the syntax tree (JetSyntax.h). Expressions are read in
// JetParser.cpp, statements in JetStatementParser.cpp.

#include "db/JetLexer.h"
#include "db/JetSyntax.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltrix::jet {

class Parser {
public:
    Parser(std::string_view sql, const std::vector<Token>& tokens, SyntaxArena& arena)
        : m_sql(sql), m_tokens(tokens), m_arena(arena) {}

    Statement ParseWholeStatement();

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
    [[noreturn]] void FailHere(const std::string& what) const;
    bool IsName(const Token& token) const;
    std::string_view TakeName(const char* what);
    void Enter();
    void Leave() { --m_depth; }
    size_t Offset() const { return Peek().offset; }
    size_t EndOfPrevious() const;

    // Nodes.
    Node* Make(Op op, size_t begin);
    Node* Binary(Op op, Node* left, Node* right);
    Node* Finish(Node* node) const; // settles type, predicate, depth

    // Expression levels, loosest first.
    Node* ParseExpression();
    Node* ParseImp();
    Node* ParseEqv();
    Node* ParseXor();
    Node* ParseOr();
    Node* ParseAnd();
    Node* ParseNot();
    Node* ParseComparison();
    Node* ParseConcat();
    Node* ParseAdditive();
    Node* ParseMod();
    Node* ParseIntegerDivision();
    Node* ParseMultiplicative();
    Node* ParseUnary();
    Node* ParsePower();
    Node* ParsePowerOperand();
    Node* ParsePrimary();
    Node* ParseNameOrCall();
    Node* ParseFunctionCall(const Token& name);
    Node* ParseSubquery(Op op, size_t begin);
    Node* Negate(Node* operand, size_t begin);

    // Statements.
    Query* ParseQuery(bool allowInto);
    SelectCore ParseSelectCore(bool allowInto);
    void ParseTopAndDistinct(SelectCore& core);
    void ParseSelectList(SelectCore& core);
    void ParseFrom(SelectCore& core);
    Joined* ParseJoinedTable(SelectCore& core, int& tables);
    FromTerm* ParseTableTerm(SelectCore& core, int& tables);
    std::vector<OrderKey> ParseOrderBy();
    void ParseInsert(Statement& statement);
    void ParseUpdate(Statement& statement);
    void ParseDelete(Statement& statement);
    void ParseCreate(Statement& statement);
    void ParseCreateTable(Statement& statement);
    void ParseCreateIndex(Statement& statement);
    void ParseDrop(Statement& statement);
    void ParseAlter(Statement& statement);
    ColumnDefinition ParseColumnDefinition();
    TableConstraint ParseTableConstraint();
    std::vector<IndexColumn> ParseNameList(bool allowOrder);
    bool SubqueryFollows() const;
    void RefuseOtherDatabase() const;
    void RefuseJoinedTables(const char* verb) const;

    std::string_view m_sql;
    const std::vector<Token>& m_tokens;
    SyntaxArena& m_arena;
    size_t m_at = 0;
    int m_depth = 0;
};

} // namespace veltrix::jet
