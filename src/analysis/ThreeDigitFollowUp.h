#pragma once
// The 3D follow-up report ("./3D_FX.txt"): the newest two usable rows at the
// bottom of the box are the pattern; for every earlier pair of neighbouring
// rows that repeats it in a digit position, the digit that position took in
// the next row is tallied.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// tally[position][digit], positions 0..2 standing for H1..H3.
using ThreeDigitTally = std::array<std::array<int, 10>, 3>;

// Lines cut to 8 bytes; a digit is the byte at 1, 4 or 7. A follow line
// whose byte there is not a digit is not counted.
ThreeDigitTally TallyThreeDigitFollowUps(const std::vector<std::string_view>& lines);

// Ten lines: per position the cells "%02d = [%d]" (tally, digit) in
// descending byte order, then the three digits of that rank in brackets.
std::string ThreeDigitReportText(const ThreeDigitTally& tally);

// The report for the result box's text; nothing when the box has three lines
// or fewer.
std::optional<std::string> ThreeDigitFollowUpReport(std::string_view boxText);

} // namespace veltrix
