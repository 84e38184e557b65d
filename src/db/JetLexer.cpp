#include "db/JetLexer.h"

#include "common/Strings.h"

#include <algorithm>

namespace veltrix::jet {
namespace {

bool IsWordByte(unsigned char c) {
    const char byte = static_cast<char>(c);
    return IsAsciiLetter(byte) || IsAsciiDigit(byte) || c == '_' || c >= 0x80;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (!IsAsciiDigit(c))
            return false;
    }
    return !text.empty();
}

// Where a number's fraction ends: the point at `point`, its digits, and an
// exponent when one follows ("E", an optional sign, at least one digit).
size_t FractionEnd(std::string_view sql, size_t point) {
    size_t end = point + 1;
    while (end < sql.size() && IsAsciiDigit(sql[end]))
        ++end;
    if (end < sql.size() && (sql[end] == 'e' || sql[end] == 'E')) {
        size_t exp = end + 1;
        if (exp < sql.size() && (sql[exp] == '+' || sql[exp] == '-'))
            ++exp;
        if (exp < sql.size() && IsAsciiDigit(sql[exp])) {
            end = exp;
            while (end < sql.size() && IsAsciiDigit(sql[end]))
                ++end;
        }
    }
    return end;
}

// A run of word bytes that begins with a digit is a number when it reads as
// one (12, 1E5), otherwise a name (3d, 7xc). Returns the token's length.
size_t ScanDigitStart(std::string_view sql, size_t at, bool& isNumber) {
    size_t end = at;
    while (end < sql.size() && IsWordByte(static_cast<unsigned char>(sql[end])))
        ++end;
    std::string_view word = sql.substr(at, end - at);
    size_t e = word.find_first_of("eE");
    isNumber = AllDigits(word);
    if (!isNumber && e != std::string_view::npos && AllDigits(word.substr(0, e))) {
        if (AllDigits(word.substr(e + 1)))
            isNumber = true; // 1E5
        else if (e + 1 == word.size() && end + 1 < sql.size() &&
                 (sql[end] == '+' || sql[end] == '-') && IsAsciiDigit(sql[end + 1])) {
            isNumber = true; // 1E+5: the exponent continues after the sign
            end += 1;
            while (end < sql.size() && IsAsciiDigit(sql[end]))
                ++end;
        }
    }
    if (!isNumber)
        return end - at;
    if (AllDigits(word) && end < sql.size() && sql[end] == '.' &&
        !(end + 1 < sql.size() && IsWordByte(static_cast<unsigned char>(sql[end + 1])) &&
          !IsAsciiDigit(sql[end + 1]))) {
        // 2.5, 2.5E-3, or "2." alone
        end = FractionEnd(sql, end);
    }
    return end - at;
}

size_t ScanFraction(std::string_view sql, size_t at) {
    return FractionEnd(sql, at) - at;
}

// Sorted, for a binary search.
constexpr std::string_view kReserved[] = {
    "ALIKE",      "ALL",    "ALTER",  "AND",   "AS",       "ASC",         "BETWEEN",   "BY",
    "CONSTRAINT", "CREATE", "DELETE", "DESC",  "DISTINCT", "DISTINCTROW", "DROP",      "EQV",
    "EXISTS",     "FALSE",  "FROM",   "FULL",  "GROUP",    "HAVING",      "IMP",       "IN",
    "INDEX",      "INNER",  "INSERT", "INTO",  "IS",       "JOIN",        "LEFT",      "LIKE",
    "MOD",        "NOT",    "NULL",   "ON",    "OR",       "ORDER",       "OUTER",     "PERCENT",
    "PIVOT",      "RIGHT",  "SELECT", "SET",   "TABLE",    "TOP",         "TRANSFORM", "TRUE",
    "UNION",      "UPDATE", "VALUES", "WHERE", "WITH",     "XOR"};
static_assert(std::is_sorted(std::begin(kReserved), std::end(kReserved)));

std::string Where(size_t offset) {
    return " at position " + std::to_string(offset + 1);
}

} // namespace

bool IsWord(const Token& token, std::string_view upperKeyword) {
    if (token.kind != TokenKind::Word || token.text.size() != upperKeyword.size())
        return false;
    for (size_t i = 0; i < upperKeyword.size(); ++i) {
        if (ToUpperAscii(token.text[i]) != upperKeyword[i])
            return false;
    }
    return true;
}

bool IsReservedWord(std::string_view word) {
    if (word.empty() || word.size() > 11)
        return false;
    char upper[12];
    for (size_t i = 0; i < word.size(); ++i)
        upper[i] = ToUpperAscii(word[i]);
    std::string_view key(upper, word.size());
    auto found = std::lower_bound(std::begin(kReserved), std::end(kReserved), key);
    return found != std::end(kReserved) && *found == key;
}

std::string UnquotedText(const Token& token) {
    std::string text;
    text.reserve(token.text.size());
    for (size_t i = 0; i < token.text.size(); ++i) {
        text += token.text[i];
        if (token.text[i] == token.quote)
            ++i; // the second of a doubled quote
    }
    return text;
}

Result<std::vector<Token>> Tokenize(std::string_view sql) {
    std::vector<Token> tokens;
    // About one token in four bytes of typical statements: one allocation.
    tokens.reserve(sql.size() / 4 + 8);
    size_t at = 0;
    while (at < sql.size()) {
        char c = sql[at];
        if (IsBlank(c)) {
            ++at;
            continue;
        }
        Token token;
        token.offset = at;
        unsigned char u = static_cast<unsigned char>(c);
        if (IsAsciiDigit(c)) {
            bool isNumber = false;
            size_t length = ScanDigitStart(sql, at, isNumber);
            token.kind = isNumber ? TokenKind::Number : TokenKind::Word;
            token.text = sql.substr(at, length);
            token.reserved = !isNumber && IsReservedWord(token.text);
        } else if (c == '.' && at + 1 < sql.size() && IsAsciiDigit(sql[at + 1]) &&
                   (tokens.empty() || (tokens.back().kind != TokenKind::Word &&
                                       tokens.back().kind != TokenKind::Bracketed))) {
            token.kind = TokenKind::Number; // .5 (but t.1x is a qualified name)
            token.text = sql.substr(at, ScanFraction(sql, at));
        } else if (IsWordByte(u)) {
            size_t end = at;
            while (end < sql.size() && IsWordByte(static_cast<unsigned char>(sql[end])))
                ++end;
            if (end < sql.size() && sql[end] == '$')
                ++end; // Left$, Format$: the functions' text forms
            token.kind = TokenKind::Word;
            token.text = sql.substr(at, end - at);
            token.reserved = IsReservedWord(token.text);
        } else if (c == '[') {
            size_t close = sql.find(']', at + 1);
            if (close == std::string_view::npos)
                return Fail("Missing ] after the name that begins" + Where(at));
            if (close == at + 1)
                return Fail("Empty name [] " + Where(at));
            token.kind = TokenKind::Bracketed;
            token.text = sql.substr(at + 1, close - at - 1);
        } else if (c == '\'' || c == '"') {
            size_t end = at + 1;
            for (;;) {
                if (end >= sql.size())
                    return Fail("Unterminated text that begins" + Where(at));
                if (sql[end] == c) {
                    if (end + 1 < sql.size() && sql[end + 1] == c) {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
            token.kind = TokenKind::String;
            token.quote = c;
            token.text = sql.substr(at + 1, end - at - 1);
        } else if (c == '#') {
            size_t close = sql.find('#', at + 1);
            if (close == std::string_view::npos)
                return Fail("Missing # after the date that begins" + Where(at));
            token.kind = TokenKind::Date;
            token.text = sql.substr(at + 1, close - at - 1);
        } else {
            std::string_view two = sql.substr(at, 2);
            token.kind = TokenKind::Symbol;
            if (two == "<=" || two == ">=" || two == "<>") {
                token.text = two;
            } else if (std::string_view("(),.;+-*/\\^&=<>").find(c) != std::string_view::npos) {
                token.text = sql.substr(at, 1);
            } else {
                return Fail(u < 0x20 || u == 0x7f
                                ? StrFormat("Invalid character (code %d)", u) + Where(at)
                                : std::string("Invalid character '") + c + "'" + Where(at));
            }
        }
        size_t length = token.kind == TokenKind::Bracketed || token.kind == TokenKind::String ||
                                token.kind == TokenKind::Date
                            ? token.text.size() + 2
                            : token.text.size();
        at += length;
        tokens.push_back(token);
    }
    Token end;
    end.offset = sql.size();
    tokens.push_back(end);
    return tokens;
}

} // namespace veltrix::jet
