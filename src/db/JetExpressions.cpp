// Jet expressions by recursive descent, with Jet's precedence (loosest
// first): Imp, Eqv, Xor, Or, And, Not, comparisons (= <> < > <= >= Like Is
// Between In), &, + -, Mod, \, * /, unary -, ^.
#include "db/JetDates.h"
#include "db/JetParser.h"

namespace veltrix::jet {
namespace {

std::string NumberLiteral(std::string_view text) {
    // 07 and 007 are 7: SQLite would read them so too, but say it plainly.
    size_t at = 0;
    while (at + 1 < text.size() && text[at] == '0' && text[at + 1] >= '0' && text[at + 1] <= '9')
        ++at;
    return std::string(text.substr(at));
}

std::string TextLiteral(std::string_view text) {
    std::string sql = "'";
    for (char c : text) {
        sql += c;
        if (c == '\'')
            sql += '\'';
    }
    return sql + "'";
}

} // namespace

namespace {

// Jet compares texts without regard to case. A column brings its own
// collation (NOCASE for the draw tables' texts); a number needs none.
bool NeedsNoCase(const Expr& a, const Expr& b) {
    return !a.column && !b.column && a.type != ValueType::Number && b.type != ValueType::Number &&
           a.type != ValueType::Null && b.type != ValueType::Null;
}

std::string Collated(const Expr& e) {
    return Parser::Wrap(e, kPrimary) + " COLLATE NOCASE";
}

} // namespace

Expr Parser::Compare(std::string_view op, const Expr& leftIn, const Expr& rightIn) const {
    Expr left = AsValue(leftIn);
    Expr right = AsValue(rightIn);
    std::string lhs = NeedsNoCase(left, right) ? Collated(left) : Wrap(left, kBitwise);
    int precedence = (op == "=" || op == "<>") ? kEquality : kRelation;
    Expr e = Combine(left, right, lhs + " " + std::string(op) + " " + Wrap(right, kBitwise),
                     precedence, ValueType::Number);
    e.predicate = true;
    return e;
}

Expr Parser::Plus(const Expr& leftIn, const Expr& rightIn) const {
    Expr left = AsValue(leftIn);
    Expr right = AsValue(rightIn);
    if (left.type == ValueType::Null || right.type == ValueType::Null)
        return Combine(left, right, "NULL", kPrimary, ValueType::Null);
    if (left.type == ValueType::Number && right.type == ValueType::Number)
        return Combine(left, right, Wrap(left, kAdditive) + " + " + Wrap(right, kAdditive + 1),
                       kAdditive, ValueType::Number);
    if (left.type == ValueType::Text && right.type == ValueType::Text)
        return Combine(left, right, Wrap(left, kConcat) + " || " + Wrap(right, kConcat + 1),
                       kConcat, ValueType::Text);
    // Only the row's values can tell whether this adds or joins.
    return Call("jet_plus", {left, right}, ValueType::Unknown);
}

Expr Parser::Minus(const Expr& leftIn, const Expr& rightIn) const {
    Expr left = AsValue(leftIn);
    Expr right = AsValue(rightIn);
    if (left.type == ValueType::Null || right.type == ValueType::Null)
        return Combine(left, right, "NULL", kPrimary, ValueType::Null);
    if (left.type == ValueType::Number && right.type == ValueType::Number)
        return Combine(left, right, Wrap(left, kAdditive) + " - " + Wrap(right, kAdditive + 1),
                       kAdditive, ValueType::Number);
    return Call("jet_minus", {left, right}, ValueType::Unknown);
}

Expr Parser::Logical(bool isAnd, const Expr& left, const Expr& right) const {
    if (left.predicate && right.predicate) {
        int precedence = isAnd ? kAnd : kOr;
        Expr e = Combine(left, right,
                         Wrap(left, precedence) + (isAnd ? " AND " : " OR ") +
                             Wrap(right, precedence + 1),
                         precedence, ValueType::Number);
        e.predicate = true;
        return e;
    }
    // On numbers Jet's And and Or work bit by bit.
    return Call(isAnd ? "jet_and" : "jet_or", {AsValue(left), AsValue(right)}, ValueType::Number);
}

// ---- levels ----

namespace {

// A token after which no operator can continue the expression before it.
bool EndsOperand(const Token& token) {
    switch (token.kind) {
    case TokenKind::End:
        return true;
    case TokenKind::Symbol:
        return token.text == "," || token.text == ")" || token.text == ";";
    case TokenKind::Word:
        return token.reserved && !IsWord(token, "AND") && !IsWord(token, "OR") &&
               !IsWord(token, "NOT") && !IsWord(token, "IS") && !IsWord(token, "LIKE") &&
               !IsWord(token, "BETWEEN") && !IsWord(token, "IN") && !IsWord(token, "MOD") &&
               !IsWord(token, "XOR") && !IsWord(token, "EQV") && !IsWord(token, "IMP");
    default:
        return false;
    }
}

} // namespace

Expr Parser::ParseExpression() {
    // Most expressions are a single value or name (the import's VALUES list,
    // most select lists): read those without descending through every level.
    const Token& first = Peek();
    if ((first.kind == TokenKind::Number || first.kind == TokenKind::String ||
         first.kind == TokenKind::Bracketed ||
         (first.kind == TokenKind::Word && !first.reserved)) &&
        EndsOperand(Peek(1)))
        return ParsePrimary();
    Enter();
    Expr e = ParseImp();
    Leave();
    return e;
}

Expr Parser::ParseImp() {
    Expr left = ParseEqv();
    while (AcceptWord("IMP"))
        left = Call("jet_imp", {AsValue(left), AsValue(ParseEqv())}, ValueType::Number);
    return left;
}

Expr Parser::ParseEqv() {
    Expr left = ParseXor();
    while (AcceptWord("EQV"))
        left = Call("jet_eqv", {AsValue(left), AsValue(ParseXor())}, ValueType::Number);
    return left;
}

Expr Parser::ParseXor() {
    Expr left = ParseOr();
    while (AcceptWord("XOR"))
        left = Call("jet_xor", {AsValue(left), AsValue(ParseOr())}, ValueType::Number);
    return left;
}

Expr Parser::ParseOr() {
    Expr left = ParseAnd();
    while (AcceptWord("OR"))
        left = Logical(false, left, ParseAnd());
    return left;
}

Expr Parser::ParseAnd() {
    Expr left = ParseNot();
    while (AcceptWord("AND"))
        left = Logical(true, left, ParseNot());
    return left;
}

Expr Parser::ParseNot() {
    if (!AcceptWord("NOT"))
        return ParseComparison();
    Enter();
    Expr operand = ParseNot();
    Leave();
    if (operand.predicate) {
        Expr e = Combine(operand, operand, "NOT " + Wrap(operand, kNot), kNot, ValueType::Number);
        e.predicate = true;
        return e;
    }
    // Not on a number is bitwise: Not 0 is -1, Not -1 is 0.
    Expr value = AsValue(operand);
    return Combine(value, value, "~" + Wrap(value, kUnary), kUnary, ValueType::Number);
}

Expr Parser::ParseComparison() {
    Expr left = ParseConcat();
    for (;;) {
        const Token& token = Peek();
        if (token.kind == TokenKind::Symbol &&
            (token.text == "=" || token.text == "<>" || token.text == "<" || token.text == ">" ||
             token.text == "<=" || token.text == ">=")) {
            std::string_view op = Next().text;
            left = Compare(op, left, ParseConcat());
            continue;
        }
        if (AcceptWord("IS")) {
            bool negated = AcceptWord("NOT");
            ExpectWord("NULL");
            Expr value = AsValue(left);
            left = Combine(value, value,
                           Wrap(value, kBitwise) + (negated ? " IS NOT NULL" : " IS NULL"),
                           kEquality, ValueType::Number);
            left.predicate = true;
            continue;
        }
        bool negated =
            PeekWord("NOT") && (PeekWord("LIKE", 1) || PeekWord("BETWEEN", 1) || PeekWord("IN", 1));
        if (negated)
            Next();
        std::string no = negated ? "NOT " : "";
        if (AcceptWord("LIKE")) {
            Expr value = AsValue(left);
            Expr pattern = AsValue(ParseConcat());
            // SQLite's LIKE already knows % and _ and ignores ASCII case (and
            // can use an index); only [lists] need Jet's own matcher.
            if (pattern.literal && pattern.sql.find('[') == std::string::npos) {
                left = Combine(value, pattern,
                               Wrap(value, kBitwise) + " " + no + "LIKE " + Wrap(pattern, kBitwise),
                               kEquality, ValueType::Number);
            } else {
                left = Call("jet_like", {value, pattern}, ValueType::Number);
                if (negated)
                    left = Combine(left, left, "NOT " + left.sql, kNot, ValueType::Number);
            }
            left.predicate = true;
            continue;
        }
        if (AcceptWord("BETWEEN")) {
            Expr value = AsValue(left);
            Expr low = AsValue(ParseConcat());
            ExpectWord("AND");
            Expr high = AsValue(ParseConcat());
            bool nocase = NeedsNoCase(value, low) && NeedsNoCase(value, high);
            std::string sql = (nocase ? Collated(value) : Wrap(value, kBitwise)) + " " + no +
                              "BETWEEN " + Wrap(low, kBitwise) + " AND " + Wrap(high, kBitwise);
            left = Combine(Combine(value, low, "", kPrimary, ValueType::Number), high,
                           std::move(sql), kEquality, ValueType::Number);
            left.predicate = true;
            continue;
        }
        if (AcceptWord("IN")) {
            Expr value = AsValue(left);
            ExpectSymbol("(");
            std::string list;
            Expr deepest = value;
            bool nocase =
                !value.column && value.type != ValueType::Number && value.type != ValueType::Null;
            if (PeekWord("SELECT")) {
                list = ParseSelectStatement(false);
            } else {
                do {
                    Expr item = AsValue(ParseExpression());
                    if (!list.empty())
                        list += ", ";
                    list += item.sql;
                    nocase = nocase && item.type != ValueType::Number;
                    if (item.depth > deepest.depth)
                        deepest = item;
                } while (AcceptSymbol(","));
            }
            ExpectSymbol(")");
            std::string lhs = nocase ? Collated(value) : Wrap(value, kBitwise);
            left = Combine(value, deepest, lhs + " " + no + "IN (" + list + ")", kEquality,
                           ValueType::Number);
            left.predicate = true;
            continue;
        }
        if (negated)
            FailHere("expected LIKE, BETWEEN or IN after NOT");
        return left;
    }
}

Expr Parser::ParseConcat() {
    Expr left = ParseAdditive();
    while (AcceptSymbol("&")) {
        Expr right = ParseAdditive();
        left = Call("jet_amp", {AsValue(left), AsValue(right)}, ValueType::Text);
    }
    return left;
}

Expr Parser::ParseAdditive() {
    Expr left = ParseMod();
    for (;;) {
        if (AcceptSymbol("+"))
            left = Plus(left, ParseMod());
        else if (AcceptSymbol("-"))
            left = Minus(left, ParseMod());
        else
            return left;
    }
}

Expr Parser::ParseMod() {
    Expr left = ParseIntegerDivision();
    while (AcceptWord("MOD"))
        left = Call("jet_mod", {AsValue(left), AsValue(ParseIntegerDivision())}, ValueType::Number);
    return left;
}

Expr Parser::ParseIntegerDivision() {
    Expr left = ParseMultiplicative();
    while (AcceptSymbol("\\"))
        left = Call("jet_idiv", {AsValue(left), AsValue(ParseMultiplicative())}, ValueType::Number);
    return left;
}

Expr Parser::ParseMultiplicative() {
    Expr left = ParseUnary();
    for (;;) {
        if (AcceptSymbol("*")) {
            Expr l = AsValue(left);
            Expr r = AsValue(ParseUnary());
            left = Combine(l, r, Wrap(l, kMultiplicative) + " * " + Wrap(r, kMultiplicative + 1),
                           kMultiplicative, ValueType::Number);
        } else if (AcceptSymbol("/")) {
            left = Call("jet_div", {AsValue(left), AsValue(ParseUnary())}, ValueType::Number);
        } else {
            return left;
        }
    }
}

namespace {

Expr Negate(const Expr& operand) {
    Expr value = Parser::AsValue(operand);
    Expr e;
    // Never write "--": SQLite would read a comment.
    e.sql = value.sql[0] == '-' ? "-(" + value.sql + ")" : "-" + Parser::Wrap(value, kUnary);
    e.precedence = kUnary;
    e.type = ValueType::Number;
    e.literal = value.literal && value.type == ValueType::Number;
    e.depth = value.depth + 1;
    return e;
}

} // namespace

Expr Parser::ParseUnary() {
    if (AcceptSymbol("-")) {
        Enter();
        Expr e = Negate(ParseUnary());
        Leave();
        return e;
    }
    if (AcceptSymbol("+")) {
        Enter();
        Expr e = AsValue(ParseUnary());
        Leave();
        return e;
    }
    return ParsePower();
}

Expr Parser::ParsePower() {
    Expr left = ParsePrimary();
    while (AcceptSymbol("^"))
        left = Call("jet_pow", {AsValue(left), AsValue(ParsePowerOperand())}, ValueType::Number);
    return left;
}

Expr Parser::ParsePowerOperand() {
    if (PeekSymbol("-") || PeekSymbol("+")) {
        bool minus = Next().text == "-";
        Enter();
        Expr e = ParsePowerOperand();
        Leave();
        return minus ? Negate(e) : AsValue(e);
    }
    return ParsePrimary();
}

Expr Parser::ParseSubqueryExpr() {
    Expr e;
    std::string query = ParseSelectStatement(false);
    e.sql.reserve(query.size() + 2);
    e.sql += '(';
    e.sql += query;
    e.sql += ')';
    ExpectSymbol(")");
    return e;
}

Expr Parser::ParsePrimary() {
    const Token& token = Peek();
    Expr e;
    switch (token.kind) {
    case TokenKind::Number:
        Next();
        e.sql = NumberLiteral(token.text);
        e.type = ValueType::Number;
        e.literal = true;
        return e;
    case TokenKind::String:
        Next();
        e.sql = TextLiteral(UnquotedText(token));
        e.type = ValueType::Text;
        e.literal = true;
        return e;
    case TokenKind::Date: {
        JetDate date;
        if (!ParseDateText(token.text, date))
            FailHere("invalid date");
        Next();
        e.sql = TextLiteral(date.Text());
        e.type = ValueType::Text;
        e.literal = true;
        return e;
    }
    case TokenKind::Symbol:
        if (token.text == "(") {
            Next();
            if (PeekWord("SELECT"))
                return ParseSubqueryExpr();
            e = ParseExpression();
            ExpectSymbol(")");
            e.literal = false;
            return e;
        }
        FailHere("expected an expression");
    case TokenKind::Bracketed:
        return ParseNameOrCall();
    case TokenKind::Word:
        if (AcceptWord("NULL")) {
            e.sql = "NULL";
            e.type = ValueType::Null;
            e.literal = true;
            return e;
        }
        if (AcceptWord("TRUE") || AcceptWord("FALSE")) {
            bool isTrue = IsWord(token, "TRUE");
            e.sql = isTrue ? "-1" : "0";
            e.precedence = isTrue ? kUnary : kPrimary;
            e.type = ValueType::Number;
            e.literal = true;
            return e;
        }
        if (AcceptWord("EXISTS")) {
            ExpectSymbol("(");
            if (!PeekWord("SELECT"))
                FailHere("expected SELECT");
            e = ParseSubqueryExpr();
            e.sql = "EXISTS " + e.sql;
            e.predicate = true;
            return e;
        }
        // Left and Right are functions as well as join words.
        if (IsReserved(token) && !PeekSymbol("(", 1))
            FailHere("expected an expression");
        return ParseNameOrCall();
    default:
        FailHere("expected an expression");
    }
}

Expr Parser::ParseNameOrCall() {
    const Token& first = Next();
    if (first.kind == TokenKind::Word && PeekSymbol("("))
        return ParseFunctionCall(first.text);
    Expr e;
    e.column = true;
    e.name = first.text;
    if (PeekSymbol(".") && IsName(Peek(1))) {
        Next();
        e.qualifier = first.text;
        e.name = Next().text;
        e.sql = QuoteName(e.qualifier) + "." + QuoteName(e.name);
    } else {
        e.sql = QuoteName(e.name);
    }
    return e;
}

} // namespace veltrix::jet
