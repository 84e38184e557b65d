#pragma once
// The period follow-up report for seven-number rows: the newest two or three
// usable rows at the bottom of the box are the pattern; for every earlier run
// of consecutive rows that repeats it in a column, the value that column took
// in the row after the run is tallied. Written to "./DLT_FX_QS.txt", or
// "./SSQ_FX_QS.txt" for an ssq command.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// tally[column][value] for values 1..36 (index 0 unused); 36 is counted but
// never reported.
using PeriodTally = std::array<std::array<int, 37>, 7>;

// The run length as the settings give it: 3 stays 3, anything else is 2.
int NormaliseRunLength(int runLength);

// Lines cut to 20 bytes, read as seven atoi values at bytes 0, 3, ..., 18. A
// follow value outside 1..36 is not counted.
PeriodTally TallyPeriodFollowUps(const std::vector<std::string_view>& lines, int runLength);

// Header and 35 lines of seven cells "%02d=[%02d]" (tally, number) per column
// in descending byte order; cells of tally 0 are blank.
std::string PeriodReportText(const PeriodTally& tally, bool ssq);

struct PeriodReport {
    std::string path;
    std::string text; // "\n" line ends
};

// The report for the result box's text; nothing when the box has three lines
// or fewer.
std::optional<PeriodReport> PeriodFollowUpReport(std::string_view boxText,
                                                 std::string_view commandText, int runLength);

} // namespace veltrix
