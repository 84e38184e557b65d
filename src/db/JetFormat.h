#pragma once
// Jet's Format(value, pattern). Number patterns place digits in 0 and #
// placeholders ('0#' gives 07, '000' 007, '#,##0.00' 1,234.50); date patterns
// take the date's parts ('mm.dd' 10.18, 'yyyy-mm-dd', 'yyyymmdd'); text
// patterns use @ & < >; named formats ("Fixed", "Short Date", ...) stand for
// patterns. A value the pattern cannot take (a word under '0#') comes back as
// its own text, as Jet does.

#include "db/JetDates.h"
#include "db/JetValue.h"

#include <optional>
#include <string>
#include <string_view>

namespace veltrix::jet {

// Null for a null value; otherwise the formatted text.
std::optional<std::string> FormatJetValue(const JetValue& value, std::string_view pattern);

std::string FormatNumber(const Number& number, std::string_view pattern);
std::string FormatDate(const JetDate& date, std::string_view pattern);
std::string FormatText(std::string_view text, std::string_view pattern);

} // namespace veltrix::jet
