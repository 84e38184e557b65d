// Registration of the Jet functions on a connection, and the helpers the
// function groups share.
#include "db/JetDialect.h"
#include "db/JetFunctionSupport.h"
#include "db/JetFunctionTable.h"
#include "db/JetRuntime.h"

#include <climits>
#include <cmath>

namespace veltrix {
namespace jet {

JetValue ReadValue(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return JetValue::Null();
    case SQLITE_INTEGER:
        return JetValue::FromNumber(Number::Integer(sqlite3_value_int64(value)));
    case SQLITE_FLOAT:
        return JetValue::FromNumber(Number::Real(sqlite3_value_double(value)));
    default: {
        const unsigned char* text = sqlite3_value_text(value);
        int size = sqlite3_value_bytes(value);
        if (!text || size <= 0)
            return JetValue::FromText({});
        return JetValue::FromText(
            std::string_view(reinterpret_cast<const char*>(text), static_cast<size_t>(size)));
    }
    }
}

bool ToNumber(const JetValue& value, Number& out) {
    if (value.IsNumber()) {
        out = value.number;
        return true;
    }
    if (!value.IsText())
        return false;
    std::optional<Number> number = ParseNumericText(value.text);
    if (!number)
        return false;
    out = *number;
    return true;
}

bool ToDate(const JetValue& value, JetDate& out) {
    if (value.IsNumber())
        return JetDate::FromSerial(value.number.AsDouble(), out);
    if (!value.IsText())
        return false;
    if (ParseDateText(value.text, out))
        return true;
    std::optional<Number> number = ParseNumericText(value.text);
    return number && JetDate::FromSerial(number->AsDouble(), out);
}

std::string TextOf(const JetValue& value) {
    if (value.IsText())
        return std::string(value.text);
    if (value.IsNumber())
        return NumberText(value.number);
    return {};
}

void ResultNumber(sqlite3_context* context, const Number& number) {
    if (number.isInteger) {
        sqlite3_result_int64(context, number.integer);
    } else if (!std::isfinite(number.real)) {
        ResultError(context, kOverflow);
    } else {
        sqlite3_result_double(context, number.real);
    }
}

void ResultText(sqlite3_context* context, std::string_view text) {
    if (text.size() > static_cast<size_t>(INT_MAX)) {
        sqlite3_result_error_toobig(context);
        return;
    }
    sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void ResultError(sqlite3_context* context, const char* message) {
    sqlite3_result_error(context, message, -1);
}

size_t CharCount(std::string_view text) {
    size_t count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

size_t ByteOffsetOfChar(std::string_view text, size_t index) {
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (seen == index)
                return i;
            ++seen;
        }
    }
    return text.size();
}

bool RegisterScalars(sqlite3* db, const FunctionEntry* entries, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const FunctionEntry& entry = entries[i];
        int flags = SQLITE_UTF8 | (entry.deterministic ? SQLITE_DETERMINISTIC : 0);
        for (int args = entry.minArgs; args <= entry.maxArgs; ++args) {
            if (sqlite3_create_function_v2(db, entry.name, args, flags, nullptr, entry.function,
                                           nullptr, nullptr, nullptr) != SQLITE_OK)
                return false;
        }
    }
    return true;
}

} // namespace jet

bool RegisterJetFunctions(sqlite3* db) {
    if (!db)
        return false;
    // Translated statements quote every name in double quotes; a name that
    // matches no column must be an error, never silently a text constant.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    return jet::RegisterOperatorFunctions(db) && jet::RegisterFunctionTable(db) &&
           jet::runtime::RegisterStorageConversions(db);
}

} // namespace veltrix
