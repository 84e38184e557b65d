#pragma once
// The tokens of one Jet SQL text. Jet has no comments; names may begin with a
// digit (3d, 7xc) or be written in [brackets]; 'single' and "double" quotes
// both delimit texts (a doubled quote stands for itself); #...# is a date.

#include "common/Result.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix::jet {

enum class TokenKind {
    Word,      // a name or keyword as written: qs, SELECT, 3d
    Bracketed, // [any name]: the text between the brackets
    String,    // the text between the quotes, doubled quotes still doubled
    Number,    // 12, 2.5, .5, 1E+3
    Date,      // the text between the # signs
    Symbol,    // ( ) , . ; + - * / \ ^ & = < > <= >= <>
    End,       // after the last token
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text;
    char quote = 0;        // String: the quote that delimits it
    bool reserved = false; // Word: a keyword that cannot name a column or table
    size_t offset = 0;     // where the token begins in the statement
};

// Splits `sql` into tokens ending with one End token. Fails for a byte that
// cannot begin a token or an unclosed quote, bracket or date.
Result<std::vector<Token>> Tokenize(std::string_view sql);

// The text of a String token with its doubled quotes made single.
std::string UnquotedText(const Token& token);

// Case-insensitive match of a Word token against an upper-case keyword.
bool IsWord(const Token& token, std::string_view upperKeyword);

// True for the words that only ever serve as keywords (SELECT, FROM, AND...).
bool IsReservedWord(std::string_view word);

} // namespace veltrix::jet
