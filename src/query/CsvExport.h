#pragma once
// The result text as CSV, for spreadsheet programs: one record per row, one
// field for each part of the row between blanks (the runner joined the
// fields with one blank each, so splitting at every blank gives them back).
// Fields holding a comma, a double quote or a line break are quoted, their
// quotes doubled; records end with CR LF.

#include <string>
#include <string_view>

namespace veltrix {

// Spreadsheet programs take a file as UTF-8 only when it starts with this.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string ResultTextToCsv(std::string_view resultText);

} // namespace veltrix
