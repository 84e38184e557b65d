#pragma once
// Small text helpers shared by the core. Texts are UTF-8 byte strings; every
// length and position here counts bytes, which is what the result rows (ASCII)
// and the report formats are defined in.

#include <cstdarg>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

constexpr bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Case folding of the ASCII letters only; multi-byte characters pass
// unchanged, whatever the locale says.
constexpr char ToUpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr char ToLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

bool Contains(std::string_view text, std::string_view needle);

// The C library's atoi on a byte range: leading blanks and tabs skipped, an
// optional sign, then decimal digits up to the first other byte; 0 without
// digits. Overflow saturates instead of being undefined.
int AtoiPrefix(std::string_view text);

// The text with every `quote` doubled, as SQL writes that character inside
// a quoted literal ('it''s') or name ("a""b").
std::string DoubleQuoteChars(std::string_view text, char quote);
// The same between a pair of `quote`: a whole SQL text literal or name.
std::string QuoteSql(std::string_view text, char quote = '\'');

// Appends value in decimal, right-aligned in at least `width` characters,
// padded with blanks ("%4d") or, for zeroPad, with zeros after the sign
// ("%02d"). The report builders format tens of thousands of numbers per
// report and the database hands out every integer field this way, so it
// appends in place instead of going through printf.
void AppendInt(std::string& out, long long value, int width = 0, bool zeroPad = false);

// printf into a std::string.
std::string StrFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string StrFormatV(const char* format, std::va_list args);

// The lines of an edit box as the result text defines them: lines end at
// "\r\n" and the line end is not part of the line. A text that ends with a
// line end has one more, empty, line after it; the empty text is one empty line.
std::vector<std::string_view> SplitEditLines(std::string_view text);

// Replaces every "\n" by "\r\n", as a C runtime does when it writes a file in
// text mode.
std::string ToTextModeBytes(std::string_view text);

} // namespace veltrix
