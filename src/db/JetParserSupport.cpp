// The parser's token access, its failures and nesting guard, and the small
// pieces every emitted expression is built from.
#include "db/JetParser.h"

#include <algorithm>

namespace veltrix::jet {
namespace {

// Beyond this many nested parentheses, calls or subqueries the statement is
// refused; Jet itself stops nesting queries at 50. At the limit the parser
// needs about 700 KB of stack (3 MB under AddressSanitizer).
constexpr int kMaxNesting = 100;
// SQLite refuses expressions nested deeper than 1000; stay below it.
constexpr int kMaxExpressionDepth = 900;

} // namespace

// ---- tokens ----

const Token& Parser::Peek(size_t ahead) const {
    size_t index = std::min(m_at + ahead, m_tokens.size() - 1);
    return m_tokens[index];
}

const Token& Parser::Next() {
    const Token& token = Peek();
    if (m_at + 1 < m_tokens.size())
        ++m_at;
    return token;
}

bool Parser::PeekWord(std::string_view upper, size_t ahead) const {
    return IsWord(Peek(ahead), upper);
}

bool Parser::PeekSymbol(std::string_view symbol, size_t ahead) const {
    const Token& token = Peek(ahead);
    // Symbols are one or two characters: compare them directly.
    return token.kind == TokenKind::Symbol && token.text.size() == symbol.size() &&
           token.text[0] == symbol[0] && (symbol.size() == 1 || token.text[1] == symbol[1]);
}

bool Parser::AcceptWord(std::string_view upper) {
    if (!PeekWord(upper))
        return false;
    Next();
    return true;
}

bool Parser::AcceptSymbol(std::string_view symbol) {
    if (!PeekSymbol(symbol))
        return false;
    Next();
    return true;
}

void Parser::ExpectWord(std::string_view upper) {
    if (!AcceptWord(upper))
        FailHere("expected " + std::string(upper));
}

void Parser::ExpectSymbol(std::string_view symbol) {
    if (!AcceptSymbol(symbol))
        FailHere("expected '" + std::string(symbol) + "'");
}

void Parser::Fail(const std::string& what) const {
    throw TranslationError{what};
}

void Parser::FailHere(const std::string& what) const {
    const Token& token = Peek();
    if (token.kind == TokenKind::End)
        Fail("Syntax error: " + what + " at the end of the statement");
    std::string shown(token.text.substr(0, 40));
    if (token.kind == TokenKind::String)
        shown = token.quote + shown + token.quote;
    else if (token.kind == TokenKind::Bracketed)
        shown = "[" + shown + "]";
    else if (token.kind == TokenKind::Date)
        shown = "#" + shown + "#";
    Fail("Syntax error: " + what + " near '" + shown + "' at position " +
         std::to_string(token.offset + 1));
}

bool Parser::IsReserved(const Token& token) const {
    return token.kind == TokenKind::Word && token.reserved;
}

bool Parser::IsName(const Token& token) const {
    return token.kind == TokenKind::Bracketed ||
           (token.kind == TokenKind::Word && !IsReserved(token));
}

std::string_view Parser::TakeName(const char* what) {
    if (!IsName(Peek()))
        FailHere(std::string("expected ") + what);
    return Next().text;
}

void Parser::Enter() {
    if (++m_depth > kMaxNesting)
        Fail("The statement is nested too deeply (more than " + std::to_string(kMaxNesting) +
             " levels of parentheses, calls or subqueries)");
}

// ---- emitting ----

std::string Parser::QuoteName(std::string_view name) {
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::string Parser::Wrap(const Expr& e, int minimum) {
    return e.precedence < minimum ? "(" + e.sql + ")" : e.sql;
}

Expr Parser::AsValue(Expr e) {
    if (!e.predicate)
        return e;
    Expr value;
    value.sql = "-(" + e.sql + ")";
    value.precedence = kUnary;
    value.type = ValueType::Number;
    value.depth = e.depth + 1;
    return value;
}

Expr Parser::Combine(const Expr& left, const Expr& right, std::string sql, int precedence,
                     ValueType type) const {
    Expr e;
    e.sql = std::move(sql);
    e.precedence = precedence;
    e.type = type;
    e.depth = std::max(left.depth, right.depth) + 1;
    if (e.depth > kMaxExpressionDepth)
        Fail("The expression is too complex (operators nested more than " +
             std::to_string(kMaxExpressionDepth) + " deep)");
    return e;
}

Expr Parser::Call(const char* function, const std::vector<Expr>& args, ValueType type) const {
    Expr e;
    e.sql = function;
    e.sql += '(';
    for (size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            e.sql += ", ";
        e.sql += args[i].sql;
        e.depth = std::max(e.depth, args[i].depth + 1);
    }
    e.sql += ')';
    e.type = type;
    if (e.depth > kMaxExpressionDepth)
        Fail("The expression is too complex");
    return e;
}

} // namespace veltrix::jet
