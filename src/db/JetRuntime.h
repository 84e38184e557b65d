#pragma once
// The runtime functions of Jet's functions, one per entry of the function
// table (JetFunctionTable.cpp), which registers each under its jet_ name.
// Translated statements are their only callers.

#include <cstdint>
#include <sqlite3.h>

namespace veltrix::jet::runtime {

using Args = sqlite3_value**;

// Texts (JetTextFunctions.cpp).
void Format(sqlite3_context* context, int argc, Args argv);
template <bool fromLeft> void LeftRight(sqlite3_context* context, int argc, Args argv);
void Mid(sqlite3_context* context, int argc, Args argv);
void Len(sqlite3_context* context, int argc, Args argv);
void InStr(sqlite3_context* context, int argc, Args argv);
void Str(sqlite3_context* context, int argc, Args argv);
void Val(sqlite3_context* context, int argc, Args argv);
void CStr(sqlite3_context* context, int argc, Args argv);
void Space(sqlite3_context* context, int argc, Args argv);
void StringOf(sqlite3_context* context, int argc, Args argv);
void Chr(sqlite3_context* context, int argc, Args argv);
void Asc(sqlite3_context* context, int argc, Args argv);
void IsNumeric(sqlite3_context* context, int argc, Args argv);

// Numbers (JetMathFunctions.cpp).
template <int64_t low, int64_t high>
void ConvertToInteger(sqlite3_context* context, int argc, Args argv);
void CDbl(sqlite3_context* context, int argc, Args argv);
template <bool floorDown> void WholePart(sqlite3_context* context, int argc, Args argv);
void Abs(sqlite3_context* context, int argc, Args argv);
void Sgn(sqlite3_context* context, int argc, Args argv);
void Sqr(sqlite3_context* context, int argc, Args argv);
void Round(sqlite3_context* context, int argc, Args argv);
void Exp(sqlite3_context* context, int argc, Args argv);
void Log(sqlite3_context* context, int argc, Args argv);

// Dates (JetDateFunctions.cpp).
enum class Field { Year, Month, Day, Hour, Minute, Second };
template <Field field> void DateField(sqlite3_context* context, int argc, Args argv);
void Weekday(sqlite3_context* context, int argc, Args argv);
void Today(sqlite3_context* context, int argc, Args argv);
void Now(sqlite3_context* context, int argc, Args argv);
void TimeOfDay(sqlite3_context* context, int argc, Args argv);
void DateDiff(sqlite3_context* context, int argc, Args argv);
void DateAdd(sqlite3_context* context, int argc, Args argv);
void DatePart(sqlite3_context* context, int argc, Args argv);
void DateSerial(sqlite3_context* context, int argc, Args argv);
template <bool dateOnly> void ToDateText(sqlite3_context* context, int argc, Args argv);
void IsDate(sqlite3_context* context, int argc, Args argv);

// Aggregates (JetAggregates.cpp): a step per row, a final per group.
template <bool keepFirst> void KeepStep(sqlite3_context* context, int argc, Args argv);
void KeepFinal(sqlite3_context* context);
void SpreadStep(sqlite3_context* context, int argc, Args argv);
template <bool sample, bool root> void SpreadFinal(sqlite3_context* context);

// Conversions and the rest (JetConversions.cpp).
void CBool(sqlite3_context* context, int argc, Args argv);
void CByte(sqlite3_context* context, int argc, Args argv);
void CCur(sqlite3_context* context, int argc, Args argv);
void CSng(sqlite3_context* context, int argc, Args argv);
void Hex(sqlite3_context* context, int argc, Args argv);
void Oct(sqlite3_context* context, int argc, Args argv);
void Partition(sqlite3_context* context, int argc, Args argv);
void Rnd(sqlite3_context* context, int argc, Args argv);
void StrComp(sqlite3_context* context, int argc, Args argv);
void TimeSerial(sqlite3_context* context, int argc, Args argv);
void TimeValue(sqlite3_context* context, int argc, Args argv);

// jet_datefield: a value written into a Date column, converted as Jet
// converts it (a date text, a date serial) or refused with Jet's message.
bool RegisterStorageConversions(sqlite3* db);

} // namespace veltrix::jet::runtime
