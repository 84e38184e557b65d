#pragma once
// The figures a trend page shows beside the draws: per draw row its sum,
// span, ratios, 012 roads, AC value, repeats and neighbours, and per number
// its count and omissions. Read from a result text: a line is a draw row when
// it ends in the game's count of numbers, all inside the game's ranges
// (issue numbers and dates in front do not count). The definitions are in
// the README, section "Trend statistics".

#include "analysis/NumberTally.h"
#include "db/LotteryCatalogue.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// The game of a command text: the catalogue's tags in catalogue order as
// substrings of the upper-cased text, the first found; dlt when none is.
LotteryKind StatsGameOf(std::string_view commandText);

// The figures of one draw row, over its main zone (the first six positions
// of 七星彩, every position of the other digit games). A figure that does not
// apply (positional games, the first row's repeats) is kNotApplicable.
inline constexpr int kNotApplicable = -1;
struct DrawRowFigures {
    int sum = 0, span = 0;
    int odd = 0, even = 0;
    int big = 0, small = 0;
    std::array<int, 3> intervals{kNotApplicable, kNotApplicable, kNotApplicable};
    std::array<int, 3> roads{}; // value mod 3 = 0, 1, 2
    int ac = kNotApplicable;
    int repeats = kNotApplicable;     // 重号: of its numbers, how many the row above held
    int consecutive = kNotApplicable; // 连号: of its numbers, how many have a neighbour
};

struct NumberFigures {
    std::string label; // "07" main zone, "+07" extra zone, "3:7" position 3 value 7
    NumberTally tally;
};

struct TrendStats {
    LotteryKind game = LotteryKind::Dlt;
    std::vector<DrawRowFigures> draws;  // in the text's order
    std::vector<NumberFigures> numbers; // main zone, extra zone, or positions; none without draws
};

TrendStats ComputeTrendStats(std::string_view commandText, std::string_view resultText);

// The two tables, every field followed by a tab except the last, lines ended
// by "\n", an empty line between them: what `veltrix-cli stats` prints.
std::string FormatTrendStatsTable(const TrendStats& stats);
// The same tables with their columns aligned for a monospace font (a Chinese
// character takes two columns), for the report file.
std::string FormatTrendStatsReport(const TrendStats& stats);

struct ReportServices;
// "走势统计…": the report file of the text's tables, written and opened as the
// other reports are.
void WriteTrendStatsReport(std::string_view commandText, std::string_view resultText,
                           const ReportServices& services);

} // namespace veltrix
