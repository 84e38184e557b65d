#pragma once
// What the Jet user functions share: reading SQLite values as Jet values,
// converting them as Jet does (a numeric text is a number, a date text a
// date), returning results with the right storage class, Jet's error texts,
// and a table-driven registration. No function may crash on any argument:
// wrong types, nulls, huge numbers and invalid dates end in an error text.

#include "db/JetDates.h"
#include "db/JetValue.h"

#include <sqlite3.h>
#include <string>
#include <string_view>

namespace veltrix::jet {

inline constexpr const char* kTypeMismatch = "Type mismatch";
inline constexpr const char* kInvalidCall = "Invalid procedure call or argument";
inline constexpr const char* kOverflow = "Overflow";
inline constexpr const char* kDivisionByZero = "Division by zero";

JetValue ReadValue(sqlite3_value* value);

// A number, or a text that reads as one.
bool ToNumber(const JetValue& value, Number& out);
// A date text (any accepted form), or a number as a date serial.
bool ToDate(const JetValue& value, JetDate& out);
// The value as Jet writes it as text (CStr); null as the empty text.
std::string TextOf(const JetValue& value);

void ResultNumber(sqlite3_context* context, const Number& number);
void ResultText(sqlite3_context* context, std::string_view text);
void ResultError(sqlite3_context* context, const char* message);

// Reads an argument through `convert`; false when the result is already set:
// null for a null argument, a type mismatch for a value that does not convert.
template <typename T>
bool ConvertedArgument(sqlite3_context* context, sqlite3_value* argument, T& out,
                       bool (*convert)(const JetValue&, T&)) {
    JetValue value = ReadValue(argument);
    if (value.IsNull()) {
        sqlite3_result_null(context);
        return false;
    }
    if (!convert(value, out)) {
        ResultError(context, kTypeMismatch);
        return false;
    }
    return true;
}
inline bool NumberArgument(sqlite3_context* context, sqlite3_value* argument, Number& out) {
    return ConvertedArgument(context, argument, out, ToNumber);
}
inline bool DateArgument(sqlite3_context* context, sqlite3_value* argument, JetDate& out) {
    return ConvertedArgument(context, argument, out, ToDate);
}

// Number of characters (UTF-8 code points) and the byte offset of character
// `index` (0-based; the text's size when past the end).
size_t CharCount(std::string_view text);
size_t ByteOffsetOfChar(std::string_view text, size_t index);

using ScalarFunction = void (*)(sqlite3_context*, int, sqlite3_value**);

struct FunctionEntry {
    const char* name;
    int minArgs;
    int maxArgs;
    ScalarFunction function;
    bool deterministic = true;
};

// Registers each function for every argument count it takes.
bool RegisterScalars(sqlite3* db, const FunctionEntry* entries, size_t count);

bool RegisterOperatorFunctions(sqlite3* db);

} // namespace veltrix::jet
