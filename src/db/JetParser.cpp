// Jet expressions by recursive descent, with Jet's precedence (loosest
// first): Imp, Eqv, Xor, Or, And, Not, comparisons (= <> < > <= >= Like ALike
// Is Between In), &, + -, Mod, \, * /, unary -, ^. Each node is finished as
// it is built: its type, whether it is a predicate, and its depth.
#include "db/JetParser.h"
#include "db/JetDates.h"
#include "db/JetFunctionTable.h"

#include "common/Strings.h"

#include <algorithm>

namespace veltrix::jet {
namespace {

// Beyond this many nested parentheses, calls or subqueries the statement is
// refused; Jet itself stops nesting queries at 50. At the limit the parser
// needs about 700 KB of stack (3 MB under AddressSanitizer).
constexpr int kMaxNesting = 100;
// SQLite refuses expressions nested deeper than 1000; stay below it. Every
// later walk over the tree recurses at most this deep.
constexpr int kMaxExpressionDepth = 900;

ValueType ValueTypeOf(const Node* n) {
    return n->predicate ? ValueType::Number : n->type;
}

ValueType CommonType(ValueType a, ValueType b) {
    if (a == ValueType::Null)
        return b;
    if (b == ValueType::Null || a == b)
        return a;
    return ValueType::Unknown;
}

// A token after which no operator can continue the expression before it.
bool EndsOperand(const Token& token) {
    switch (token.kind) {
    case TokenKind::End:
        return true;
    case TokenKind::Symbol:
        return token.text.size() == 1 &&
               (token.text[0] == ',' || token.text[0] == ')' || token.text[0] == ';');
    case TokenKind::Word:
        return token.reserved && !IsWord(token, "AND") && !IsWord(token, "OR") &&
               !IsWord(token, "NOT") && !IsWord(token, "IS") && !IsWord(token, "LIKE") &&
               !IsWord(token, "ALIKE") && !IsWord(token, "BETWEEN") && !IsWord(token, "IN") &&
               !IsWord(token, "MOD") && !IsWord(token, "XOR") && !IsWord(token, "EQV") &&
               !IsWord(token, "IMP");
    default:
        return false;
    }
}

} // namespace

// ---- tokens ----

const Token& Parser::Peek(size_t ahead) const {
    return m_tokens[std::min(m_at + ahead, m_tokens.size() - 1)];
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

void Parser::FailHere(const std::string& what) const {
    const Token& token = Peek();
    if (token.kind == TokenKind::End)
        Refuse("Syntax error: " + what + " at the end of the statement");
    std::string shown(token.text.substr(0, 40));
    if (token.kind == TokenKind::String)
        shown = token.quote + shown + token.quote;
    else if (token.kind == TokenKind::Bracketed)
        shown = "[" + shown + "]";
    else if (token.kind == TokenKind::Date)
        shown = "#" + shown + "#";
    Refuse("Syntax error: " + what + " near '" + shown + "' at position " +
           std::to_string(token.offset + 1));
}

bool Parser::IsName(const Token& token) const {
    return token.kind == TokenKind::Bracketed || (token.kind == TokenKind::Word && !token.reserved);
}

std::string_view Parser::TakeName(const char* what) {
    if (!IsName(Peek()))
        FailHere(std::string("expected ") + what);
    return Next().text;
}

void Parser::Enter() {
    if (++m_depth > kMaxNesting)
        Refuse("The statement is nested too deeply (more than " + std::to_string(kMaxNesting) +
               " levels of parentheses, calls or subqueries)");
}

size_t Parser::EndOfPrevious() const {
    if (m_at == 0)
        return 0;
    const Token& token = m_tokens[m_at - 1];
    bool quoted = token.kind == TokenKind::String || token.kind == TokenKind::Bracketed ||
                  token.kind == TokenKind::Date;
    return token.offset + token.text.size() + (quoted ? 2 : 0);
}

// ---- nodes ----

Node* Parser::Make(Op op, size_t begin) {
    Node* node = m_arena.Make<Node>();
    node->op = op;
    node->begin = begin;
    return node;
}

Node* Parser::Binary(Op op, Node* left, Node* right) {
    Node* node = Make(op, left->begin);
    node->args = {left, right};
    return Finish(node);
}

Node* Parser::Finish(Node* n) const {
    n->end = std::max(EndOfPrevious(), n->begin);
    int deepest = 0;
    for (const Node* arg : n->args)
        deepest = std::max(deepest, arg->depth + (arg->predicate ? 1 : 0));
    n->depth = deepest + 1;
    if (n->depth > kMaxExpressionDepth)
        Refuse("The expression is too complex (operators nested more than " +
               std::to_string(kMaxExpressionDepth) + " deep)");
    auto typeOf = [&](size_t i) { return ValueTypeOf(n->args[i]); };
    switch (n->op) {
    case Op::Number:
    case Op::True:
    case Op::False:
        n->type = ValueType::Number;
        n->literal = true;
        break;
    case Op::Text:
        n->type = ValueType::Text;
        n->literal = true;
        break;
    case Op::Null:
        n->type = ValueType::Null;
        n->literal = true;
        break;
    case Op::Column:
        n->column = true;
        break;
    case Op::Negate:
        n->type = ValueType::Number;
        n->literal = n->args[0]->literal && typeOf(0) == ValueType::Number;
        break;
    case Op::Not:
        n->type = ValueType::Number;
        n->predicate = n->args[0]->predicate;
        break;
    case Op::Add:
    case Op::Subtract: {
        ValueType l = typeOf(0), r = typeOf(1);
        if (l == ValueType::Null || r == ValueType::Null) {
            n->plus = PlusForm::NullResult;
            n->type = ValueType::Null;
        } else if (l == ValueType::Number && r == ValueType::Number) {
            n->plus = PlusForm::Numbers;
            n->type = ValueType::Number;
        } else if (n->op == Op::Add && l == ValueType::Text && r == ValueType::Text) {
            n->plus = PlusForm::Texts; // two texts always join
            n->type = ValueType::Text;
        } else {
            n->plus = PlusForm::PerRow; // only the row's values can tell
        }
        break;
    }
    case Op::Concat:
        n->type = ValueType::Text;
        break;
    case Op::Compare:
    case Op::Like:
    case Op::Between:
    case Op::In:
    case Op::IsNull:
    case Op::Exists:
        n->type = ValueType::Number;
        n->predicate = true;
        break;
    case Op::And:
    case Op::Or:
        n->type = ValueType::Number;
        n->predicate = n->args[0]->predicate && n->args[1]->predicate;
        break;
    case Op::Call: {
        const FunctionDef& f = *n->function;
        n->type = f.type;
        if (f.form == Form::IIf || f.form == Form::Nz) {
            ValueType fallback = n->args.size() > 1 ? typeOf(n->args.size() - 1) : ValueType::Text;
            n->type = CommonType(f.form == Form::Nz ? typeOf(0) : typeOf(1), fallback);
        } else if (f.form == Form::Switch || f.form == Form::Choose) {
            ValueType type = ValueType::Null;
            for (size_t i = 1; i < n->args.size(); i += f.form == Form::Switch ? 2 : 1)
                type = CommonType(type, typeOf(i));
            n->type = type;
        } else if (f.form == Form::Identity) {
            n->type = typeOf(0);
        } else if (f.form == Form::IsNull) {
            n->predicate = true;
        }
        break;
    }
    case Op::CountStar:
    case Op::ValueOf:
    case Op::Power:
    case Op::Multiply:
    case Op::Divide:
    case Op::IntegerDivide:
    case Op::Mod:
    case Op::Xor:
    case Op::Eqv:
    case Op::Imp:
        n->type = ValueType::Number;
        break;
    case Op::Subquery:
        break;
    }
    return n;
}

// ---- levels ----

Node* Parser::ParseExpression() {
    // Most expressions are a single value or name (the import's VALUES list,
    // most select lists): read those without descending through every level.
    const Token& first = Peek();
    if ((first.kind == TokenKind::Number || first.kind == TokenKind::String ||
         first.kind == TokenKind::Bracketed ||
         (first.kind == TokenKind::Word && !first.reserved)) &&
        EndsOperand(Peek(1)))
        return ParsePrimary();
    Enter();
    Node* e = ParseImp();
    Leave();
    return e;
}

Node* Parser::ParseImp() {
    Node* left = ParseEqv();
    while (AcceptWord("IMP"))
        left = Binary(Op::Imp, left, ParseEqv());
    return left;
}

Node* Parser::ParseEqv() {
    Node* left = ParseXor();
    while (AcceptWord("EQV"))
        left = Binary(Op::Eqv, left, ParseXor());
    return left;
}

Node* Parser::ParseXor() {
    Node* left = ParseOr();
    while (AcceptWord("XOR"))
        left = Binary(Op::Xor, left, ParseOr());
    return left;
}

Node* Parser::ParseOr() {
    Node* left = ParseAnd();
    while (AcceptWord("OR"))
        left = Binary(Op::Or, left, ParseAnd());
    return left;
}

Node* Parser::ParseAnd() {
    Node* left = ParseNot();
    while (AcceptWord("AND"))
        left = Binary(Op::And, left, ParseNot());
    return left;
}

Node* Parser::ParseNot() {
    size_t begin = Offset();
    if (!AcceptWord("NOT"))
        return ParseComparison();
    Enter();
    Node* node = Make(Op::Not, begin);
    node->args = {ParseNot()};
    Leave();
    return Finish(node);
}

Node* Parser::ParseComparison() {
    Node* left = ParseConcat();
    for (;;) {
        const Token& token = Peek();
        if (token.kind == TokenKind::Symbol &&
            (token.text == "=" || token.text == "<>" || token.text == "<" || token.text == ">" ||
             token.text == "<=" || token.text == ">=")) {
            Node* node = Make(Op::Compare, left->begin);
            node->text = Next().text;
            node->args = {left, ParseConcat()};
            left = Finish(node);
            continue;
        }
        if (AcceptWord("IS")) {
            Node* node = Make(Op::IsNull, left->begin);
            node->negated = AcceptWord("NOT");
            ExpectWord("NULL");
            node->args = {left};
            left = Finish(node);
            continue;
        }
        bool negated = PeekWord("NOT") && (PeekWord("LIKE", 1) || PeekWord("ALIKE", 1) ||
                                           PeekWord("BETWEEN", 1) || PeekWord("IN", 1));
        if (negated)
            Next();
        Node* node = Make(Op::Like, left->begin);
        node->negated = negated;
        // ALike always reads % and _ as wildcards, which is how Like reads
        // them here as well.
        if (AcceptWord("LIKE") || AcceptWord("ALIKE")) {
            node->args = {left, ParseConcat()};
        } else if (AcceptWord("BETWEEN")) {
            node->op = Op::Between;
            Node* low = ParseConcat();
            ExpectWord("AND");
            node->args = {left, low, ParseConcat()};
        } else if (AcceptWord("IN")) {
            node->op = Op::In;
            ExpectSymbol("(");
            node->args = {left};
            if (PeekWord("SELECT")) {
                node->query = ParseQuery(false);
            } else {
                do {
                    node->args.push_back(ParseExpression());
                } while (AcceptSymbol(","));
            }
            ExpectSymbol(")");
        } else {
            if (negated)
                FailHere("expected LIKE, BETWEEN or IN after NOT");
            return left;
        }
        left = Finish(node);
    }
}

Node* Parser::ParseConcat() {
    Node* left = ParseAdditive();
    while (AcceptSymbol("&"))
        left = Binary(Op::Concat, left, ParseAdditive());
    return left;
}

Node* Parser::ParseAdditive() {
    Node* left = ParseMod();
    for (;;) {
        if (AcceptSymbol("+"))
            left = Binary(Op::Add, left, ParseMod());
        else if (AcceptSymbol("-"))
            left = Binary(Op::Subtract, left, ParseMod());
        else
            return left;
    }
}

Node* Parser::ParseMod() {
    Node* left = ParseIntegerDivision();
    while (AcceptWord("MOD"))
        left = Binary(Op::Mod, left, ParseIntegerDivision());
    return left;
}

Node* Parser::ParseIntegerDivision() {
    Node* left = ParseMultiplicative();
    while (AcceptSymbol("\\"))
        left = Binary(Op::IntegerDivide, left, ParseMultiplicative());
    return left;
}

Node* Parser::ParseMultiplicative() {
    Node* left = ParseUnary();
    for (;;) {
        if (AcceptSymbol("*"))
            left = Binary(Op::Multiply, left, ParseUnary());
        else if (AcceptSymbol("/"))
            left = Binary(Op::Divide, left, ParseUnary());
        else
            return left;
    }
}

Node* Parser::Negate(Node* operand, size_t begin) {
    Node* node = Make(Op::Negate, begin);
    node->args = {operand};
    return Finish(node);
}

// Unary + makes a predicate a value and leaves anything else as it is.
static Node* PlusOf(Node* operand, Node* valueOf) {
    if (!operand->predicate)
        return operand;
    valueOf->args = {operand};
    return valueOf;
}

Node* Parser::ParseUnary() {
    size_t begin = Offset();
    if (AcceptSymbol("-")) {
        Enter();
        Node* e = Negate(ParseUnary(), begin);
        Leave();
        return e;
    }
    if (AcceptSymbol("+")) {
        Enter();
        Node* operand = ParseUnary();
        Leave();
        Node* plus = PlusOf(operand, Make(Op::ValueOf, begin));
        return plus == operand ? operand : Finish(plus);
    }
    return ParsePower();
}

Node* Parser::ParsePower() {
    Node* left = ParsePrimary();
    while (AcceptSymbol("^"))
        left = Binary(Op::Power, left, ParsePowerOperand());
    return left;
}

Node* Parser::ParsePowerOperand() {
    size_t begin = Offset();
    if (PeekSymbol("-") || PeekSymbol("+")) {
        bool minus = Next().text == "-";
        Enter();
        Node* e = ParsePowerOperand();
        Leave();
        if (minus)
            return Negate(e, begin);
        Node* plus = PlusOf(e, Make(Op::ValueOf, begin));
        return plus == e ? e : Finish(plus);
    }
    return ParsePrimary();
}

Node* Parser::ParseSubquery(Op op, size_t begin) {
    Node* node = Make(op, begin);
    node->query = ParseQuery(false);
    ExpectSymbol(")");
    return Finish(node);
}

Node* Parser::ParsePrimary() {
    const Token& token = Peek();
    size_t begin = token.offset;
    switch (token.kind) {
    case TokenKind::Number: {
        Next();
        Node* node = Make(Op::Number, begin);
        // 07 and 007 are 7: SQLite would read them so too, but say it plainly.
        std::string_view digits = token.text;
        while (digits.size() > 1 && digits[0] == '0' && IsAsciiDigit(digits[1]))
            digits.remove_prefix(1);
        node->text = digits;
        return Finish(node);
    }
    case TokenKind::String: {
        Next();
        Node* node = Make(Op::Text, begin);
        node->value = UnquotedText(token);
        return Finish(node);
    }
    case TokenKind::Date: {
        JetDate date;
        if (!ParseDateText(token.text, date))
            FailHere("invalid date");
        Next();
        Node* node = Make(Op::Text, begin);
        node->value = date.Text();
        return Finish(node);
    }
    case TokenKind::Symbol:
        if (token.text == "(") {
            Next();
            if (PeekWord("SELECT"))
                return ParseSubquery(Op::Subquery, begin);
            Node* e = ParseExpression();
            ExpectSymbol(")");
            e->literal = false;
            return e;
        }
        FailHere("expected an expression");
    case TokenKind::Bracketed:
        return ParseNameOrCall();
    case TokenKind::Word:
        if (AcceptWord("NULL"))
            return Finish(Make(Op::Null, begin));
        if (AcceptWord("TRUE"))
            return Finish(Make(Op::True, begin));
        if (AcceptWord("FALSE"))
            return Finish(Make(Op::False, begin));
        if (AcceptWord("EXISTS")) {
            ExpectSymbol("(");
            if (!PeekWord("SELECT"))
                FailHere("expected SELECT");
            return ParseSubquery(Op::Exists, begin);
        }
        // Left and Right are functions as well as join words.
        if (token.reserved && !PeekSymbol("(", 1))
            FailHere("expected an expression");
        return ParseNameOrCall();
    default:
        FailHere("expected an expression");
    }
}

Node* Parser::ParseNameOrCall() {
    const Token& first = Next();
    if (first.kind == TokenKind::Word && PeekSymbol("("))
        return ParseFunctionCall(first);
    Node* node = Make(Op::Column, first.offset);
    node->text = first.text;
    if (PeekSymbol(".") && IsName(Peek(1))) {
        Next();
        node->qualifier = first.text;
        node->text = Next().text;
    }
    return Finish(node);
}

Node* Parser::ParseFunctionCall(const Token& name) {
    const FunctionDef* def = FindFunction(name.text);
    if (!def)
        Refuse("Undefined function '" + std::string(name.text) + "' in expression");
    ExpectSymbol("(");
    if (def->jetName == "count" && AcceptSymbol("*")) {
        ExpectSymbol(")");
        return Finish(Make(Op::CountStar, name.offset));
    }
    Node* node = Make(Op::Call, name.offset);
    node->function = def;
    node->text = name.text;
    if (!PeekSymbol(")")) {
        do {
            node->args.push_back(ParseExpression());
        } while (AcceptSymbol(","));
    }
    ExpectSymbol(")");
    int count = static_cast<int>(node->args.size());
    if (count < def->minArgs || count > def->maxArgs ||
        (def->form == Form::Switch && count % 2 != 0))
        Refuse("Wrong number of arguments used with function '" + std::string(name.text) +
               "' in query expression");
    return Finish(node);
}

} // namespace veltrix::jet
