#pragma once
// The recurrence report ("./DLT_FX.txt"): for each row, how many of the 30
// rows above it contain each of the row's first five numbers, the five counts
// largest first.
//
// It reads the rows back from the scratch copy "./dlt.txt" of the result
// text, written in text mode, so each row ends in CR CR LF there; the keep
// rule and the row texts count those bytes.

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// Rows kept from the scratch file's bytes: every line (ended by LF, which it
// includes, or by the end of the file) of at least 10 bytes, cut to its first
// 14 bytes. A short kept row keeps part of its CR CR LF.
std::vector<std::string_view> RecurrenceRows(std::string_view scratchBytes);

// The report text ("\n" line ends): one line per kept row from row 30 on, the
// row text without CR and LF, a blank, then "[%2d%d%d%d%d]" of the sorted
// tallies. A tally counts the 30 rows above whose kept text contains the
// part (bytes 0-1, 3-4, 6-7, 9-10, 12-13 of the row) anywhere; an empty part
// is in every row.
std::string RecurrenceReportText(std::string_view scratchBytes);

} // namespace veltrix
