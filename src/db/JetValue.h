#pragma once
// One argument of a Jet function as the functions see it: null, a number or a
// text. SQLite's values are read into it; the text views SQLite's buffer.

#include "db/JetNumbers.h"

#include <string_view>

namespace veltrix::jet {

struct JetValue {
    enum class Kind { Null, Number, Text };
    Kind kind = Kind::Null;
    Number number;
    std::string_view text;

    static JetValue Null() { return {}; }
    static JetValue FromNumber(Number value) { return {Kind::Number, value, {}}; }
    static JetValue FromText(std::string_view value) { return {Kind::Text, {}, value}; }

    bool IsNull() const { return kind == Kind::Null; }
    bool IsNumber() const { return kind == Kind::Number; }
    bool IsText() const { return kind == Kind::Text; }
};

} // namespace veltrix::jet
