// Jet's text functions: Format, Left, Right, Mid, Len, InStr, Str, Val, CStr,
// Space, String, Chr, Asc, IsNumeric. Positions and lengths count characters
// (UTF-8 code points), as Jet counts characters rather than bytes.
#include "db/JetFormat.h"
#include "db/JetFunctionSupport.h"
#include "db/JetRuntime.h"

#include "common/Strings.h"
#include "common/TextCodec.h"

#include <algorithm>

namespace veltrix::jet::runtime {

// A length or position argument: rounded half to even; false (error set) when
// it is null, not a number or negative.
bool CountArgument(sqlite3_context* context, sqlite3_value* argument, int64_t minimum,
                   int64_t& out) {
    JetValue value = ReadValue(argument);
    Number number;
    if (value.IsNull()) {
        ResultError(context, "Invalid use of Null");
        return false;
    }
    if (!ToNumber(value, number)) {
        ResultError(context, kTypeMismatch);
        return false;
    }
    if (!RoundToInt64(number, out) || out < minimum) {
        ResultError(context, kInvalidCall);
        return false;
    }
    return true;
}

int64_t TextLimit(sqlite3_context* context) {
    return sqlite3_limit(sqlite3_context_db_handle(context), SQLITE_LIMIT_LENGTH, -1);
}

void Format(sqlite3_context* context, int argc, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    std::string pattern = argc > 1 ? TextOf(ReadValue(argv[1])) : std::string();
    std::optional<std::string> text = FormatJetValue(value, pattern);
    if (!text)
        return sqlite3_result_null(context);
    ResultText(context, *text);
}

template <bool fromLeft> void LeftRight(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t count = 0;
    if (!CountArgument(context, argv[1], 0, count))
        return;
    JetValue value = ReadValue(argv[0]);
    if (value.IsNull())
        return sqlite3_result_null(context);
    std::string text = TextOf(value);
    size_t chars = CharCount(text);
    size_t take = static_cast<size_t>(std::min<int64_t>(count, static_cast<int64_t>(chars)));
    if (fromLeft)
        return ResultText(context, std::string_view(text).substr(0, ByteOffsetOfChar(text, take)));
    ResultText(context, std::string_view(text).substr(ByteOffsetOfChar(text, chars - take)));
}

void Mid(sqlite3_context* context, int argc, sqlite3_value** argv) {
    int64_t start = 0;
    int64_t length = INT64_MAX;
    if (!CountArgument(context, argv[1], 1, start))
        return;
    if (argc > 2 && !CountArgument(context, argv[2], 0, length))
        return;
    JetValue value = ReadValue(argv[0]);
    if (value.IsNull())
        return sqlite3_result_null(context);
    std::string text = TextOf(value);
    int64_t chars = static_cast<int64_t>(CharCount(text));
    if (start > chars)
        return ResultText(context, "");
    int64_t end = length > chars - (start - 1) ? chars : start - 1 + length;
    size_t from = ByteOffsetOfChar(text, static_cast<size_t>(start - 1));
    size_t to = ByteOffsetOfChar(text, static_cast<size_t>(end));
    ResultText(context, std::string_view(text).substr(from, to - from));
}

void Len(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    if (value.IsNull())
        return sqlite3_result_null(context);
    sqlite3_result_int64(context, static_cast<int64_t>(CharCount(TextOf(value))));
}

// InStr([start,] text, sought[, compare]): the character position of sought
// in text from start, 0 when absent. Compare 0 is exact; otherwise (and by
// default, as in queries) letters match without regard to case.
void InStr(sqlite3_context* context, int argc, sqlite3_value** argv) {
    int64_t start = 1;
    int first = 0;
    if (argc >= 3) {
        if (!CountArgument(context, argv[0], 1, start))
            return;
        first = 1;
    }
    bool exact = false;
    if (argc == 4) {
        int64_t compare = 0;
        if (!CountArgument(context, argv[3], 0, compare))
            return;
        exact = compare == 0;
    }
    JetValue haystack = ReadValue(argv[first]);
    JetValue needle = ReadValue(argv[first + 1]);
    if (haystack.IsNull() || needle.IsNull())
        return sqlite3_result_null(context);
    std::string text = TextOf(haystack);
    std::string sought = TextOf(needle);
    int64_t chars = static_cast<int64_t>(CharCount(text));
    if (start > chars)
        return sqlite3_result_int(context, 0);
    if (sought.empty())
        return sqlite3_result_int64(context, start);
    size_t from = ByteOffsetOfChar(text, static_cast<size_t>(start - 1));
    auto equal = [exact](char a, char b) {
        return exact ? a == b : ToLowerAscii(a) == ToLowerAscii(b);
    };
    auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                             sought.begin(), sought.end(), equal);
    if (found == text.end())
        return sqlite3_result_int(context, 0);
    size_t at = static_cast<size_t>(found - text.begin());
    sqlite3_result_int64(context,
                         static_cast<int64_t>(CharCount(std::string_view(text).substr(0, at))) + 1);
}

void Str(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    Number number;
    if (value.IsNull())
        return sqlite3_result_null(context);
    if (!ToNumber(value, number))
        return ResultError(context, kTypeMismatch);
    ResultText(context, StrText(number));
}

// Val: the number at the start of a text, blanks anywhere ignored; &H and &O
// read hexadecimal and octal; 0 when no number begins the text.
void Val(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    if (value.IsNull())
        return sqlite3_result_null(context);
    if (value.IsNumber())
        return ResultNumber(context, value.number);
    std::string compact;
    for (char c : value.text) {
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            compact += c;
    }
    if (compact.size() >= 2 && compact[0] == '&' &&
        (ToLowerAscii(compact[1]) == 'h' || ToLowerAscii(compact[1]) == 'o')) {
        int base = ToLowerAscii(compact[1]) == 'h' ? 16 : 8;
        uint64_t result = 0;
        for (size_t i = 2; i < compact.size(); ++i) {
            char c = ToLowerAscii(compact[i]);
            int digit = IsAsciiDigit(c) ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : 99;
            if (digit >= base || result > (UINT64_MAX >> 4))
                break;
            result = result * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        }
        return sqlite3_result_int64(context, static_cast<int64_t>(result));
    }
    // The longest prefix that reads as a number.
    size_t end = 0;
    size_t at = 0;
    if (at < compact.size() && (compact[at] == '+' || compact[at] == '-'))
        ++at;
    auto digits = [&] {
        size_t begin = at;
        while (at < compact.size() && IsAsciiDigit(compact[at]))
            ++at;
        return at > begin;
    };
    bool any = digits();
    if (any)
        end = at;
    if (at < compact.size() && compact[at] == '.') {
        ++at;
        if (digits() || any) {
            any = true;
            end = at;
        }
    }
    if (any && at < compact.size() &&
        std::string_view("eEdD").find(compact[at]) != std::string::npos) {
        ++at;
        if (at < compact.size() && (compact[at] == '+' || compact[at] == '-'))
            ++at;
        if (digits())
            end = at;
    }
    std::string prefix = compact.substr(0, end);
    if (!prefix.empty() && prefix.back() == '.')
        prefix.pop_back(); // "12." reads as 12
    std::optional<Number> number = any ? ParseNumericText(prefix) : std::nullopt;
    ResultNumber(context, number ? *number : Number::Integer(0));
}

void CStr(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    if (value.IsNull())
        return sqlite3_result_null(context);
    ResultText(context, TextOf(value));
}

void Repeated(sqlite3_context* context, int64_t count, std::string_view unit) {
    if (count > TextLimit(context) / static_cast<int64_t>(std::max<size_t>(unit.size(), 1)))
        return sqlite3_result_error_toobig(context);
    std::string text;
    text.reserve(static_cast<size_t>(count) * unit.size());
    for (int64_t i = 0; i < count; ++i)
        text.append(unit);
    ResultText(context, text);
}

void Space(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t count = 0;
    if (CountArgument(context, argv[0], 0, count))
        Repeated(context, count, " ");
}

bool EncodeCharacter(int64_t code, std::string& out) {
    if (code < 0)
        code += 65536;
    if (code < 0 || code > 0xFFFF || (code >= 0xD800 && code <= 0xDFFF))
        return false;
    out.clear();
    AppendUtf8(out, static_cast<char32_t>(code));
    return true;
}

void Chr(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t code = 0;
    if (!CountArgument(context, argv[0], -32768, code))
        return;
    std::string text;
    if (!EncodeCharacter(code, text))
        return ResultError(context, kInvalidCall);
    ResultText(context, text);
}

// String(count, character): the character given as a text (its first
// character) or as a character code.
void StringOf(sqlite3_context* context, int, sqlite3_value** argv) {
    int64_t count = 0;
    if (!CountArgument(context, argv[0], 0, count))
        return;
    JetValue what = ReadValue(argv[1]);
    if (what.IsNull())
        return sqlite3_result_null(context);
    std::string unit;
    if (what.IsNumber()) {
        int64_t code = 0;
        if (!RoundToInt64(what.number, code) || !EncodeCharacter(code, unit))
            return ResultError(context, kInvalidCall);
    } else {
        if (what.text.empty())
            return ResultError(context, kInvalidCall);
        unit = std::string(what.text.substr(0, ByteOffsetOfChar(what.text, 1)));
    }
    Repeated(context, count, unit);
}

void Asc(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    if (value.IsNull())
        return sqlite3_result_null(context);
    std::string text = TextOf(value);
    if (text.empty())
        return ResultError(context, kInvalidCall);
    std::optional<DecodedUtf8> decoded = DecodeUtf8At(text, 0);
    char32_t code = decoded ? decoded->codePoint : static_cast<unsigned char>(text[0]);
    sqlite3_result_int64(context, code);
}

void IsNumeric(sqlite3_context* context, int, sqlite3_value** argv) {
    JetValue value = ReadValue(argv[0]);
    Number number;
    sqlite3_result_int(context, !value.IsNull() && ToNumber(value, number) ? -1 : 0);
}

template void LeftRight<true>(sqlite3_context*, int, sqlite3_value**);
template void LeftRight<false>(sqlite3_context*, int, sqlite3_value**);

} // namespace veltrix::jet::runtime
