#include "chart/ChartRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrix {
namespace {

// A row's slot texts, "--" for an empty slot, blank-separated.
std::string RowText(const ChartRow& row, int slotCount) {
    std::string out;
    for (int s = 0; s < slotCount; ++s) {
        if (s > 0)
            out += ' ';
        const ChartSlot& slot = row.slot[static_cast<size_t>(s)];
        out += slot.filled ? std::string(slot.Text()) : "--";
    }
    return out;
}

std::vector<std::string> Rows(ChartLayout layout, const std::vector<std::string>& lines,
                              int maxRows = 44, bool sort = false) {
    ChartRowTable table = ParseChartRows(layout, lines, maxRows);
    if (sort)
        SortChartRows(layout, table);
    std::vector<std::string> out;
    for (int r = 0; r < table.rowCount; ++r)
        out.push_back(RowText(table.rows[static_cast<size_t>(r)], ChartSlotsPerRow(layout)));
    return out;
}

using Lines = std::vector<std::string>;

struct ParseCase {
    const char* name;
    ChartLayout layout;
    Lines lines;
    Lines rows; // expected, unsorted
};

class ParseChartRowsTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseChartRowsTest, FillsSlotsFromPairs) {
    EXPECT_EQ(Rows(GetParam().layout, GetParam().lines), GetParam().rows);
}

const std::string k254 = std::string(254, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseChartRowsTest,
    testing::Values(
        ParseCase{"eighth_value_dropped",
                  ChartLayout::Dlt,
                  {"01 02 03 04 05 06 07 08"},
                  {"01 02 03 04 05 06 07"}},
        ParseCase{
            "lone_digit_is_not_a_value", ChartLayout::Dlt, {"7 8 09"}, {"09 -- -- -- -- -- --"}},
        ParseCase{
            "run_007_gives_00_and_drops_7", ChartLayout::Dlt, {"007"}, {"00 -- -- -- -- -- --"}},
        ParseCase{"seven_digit_run_gives_three_pairs",
                  ChartLayout::Dlt,
                  {"1234567 01"},
                  {"12 34 56 01 -- -- --"}},
        ParseCase{"issue_number_fills_slots_too",
                  ChartLayout::Dlt,
                  {"07001 05 11"},
                  {"07 00 05 11 -- -- --"}},
        ParseCase{"empty_lines_are_skipped",
                  ChartLayout::Dlt,
                  {"01", "", "02"},
                  {"01 -- -- -- -- -- --", "02 -- -- -- -- -- --"}},
        ParseCase{"line_without_values_is_a_row",
                  ChartLayout::Ssq,
                  {"abc", "33"},
                  {"-- -- -- -- -- -- --", "33 -- -- -- -- -- --"}},
        ParseCase{"carriage_return_inside_a_line_ends_a_row",
                  ChartLayout::Dlt,
                  {"01\r02"},
                  {"01 -- -- -- -- -- --", "02 -- -- -- -- -- --"}},
        ParseCase{"pair_split_by_line_end_is_not_a_value",
                  ChartLayout::Dlt,
                  {"1", "2"},
                  {"-- -- -- -- -- -- --", "-- -- -- -- -- -- --"}},
        ParseCase{"digit_layout_takes_only_zero_pairs",
                  ChartLayout::ThreeDigit,
                  {"12 34 10 03 100"},
                  {"03 00 --"}},
        ParseCase{"digit_layout_skips_short_lines",
                  ChartLayout::ThreeDigit,
                  {"03 05", "01 02 03 04", "1234567"},
                  {"01 02 03"}},
        ParseCase{"digit_layout_line_of_eight_bytes_is_read",
                  ChartLayout::ThreeDigit,
                  {"03 05 xx"},
                  {"03 05 --"}},
        ParseCase{"five_digit_rows",
                  ChartLayout::FiveDigit,
                  {"05001 01 02 03 04 05", "x1 02 03 04 05 06"},
                  {"05 00 01 02 03", "02 03 04 05 06"}},
        ParseCase{"line_cut_at_255_bytes_keeps_a_pair_ending_there",
                  ChartLayout::Dlt,
                  {std::string(253, 'x') + "01"},
                  {"01 -- -- -- -- -- --"}},
        ParseCase{"line_cut_at_255_bytes_splits_a_pair",
                  ChartLayout::Dlt,
                  {k254 + "01"},
                  {"-- -- -- -- -- -- --"}}),
    [](const testing::TestParamInfo<ParseCase>& c) { return std::string(c.param.name); });

TEST(ParseChartRowsLimits, StopsOnceMaxRowsAreComplete) {
    const Lines lines = {"01", "02", "03", "04", "05"};
    EXPECT_EQ(Rows(ChartLayout::Dlt, lines, 3).size(), 3u);
    EXPECT_EQ(Rows(ChartLayout::Dlt, lines, 1).size(), 1u);
    EXPECT_TRUE(Rows(ChartLayout::Dlt, lines, 0).empty());
    EXPECT_TRUE(Rows(ChartLayout::Dlt, lines, -3).empty());
}

TEST(ParseChartRowsLimits, TableHoldsAtMost44Rows) {
    Lines lines(50, "01 02");
    EXPECT_EQ(Rows(ChartLayout::Dlt, lines, 1000).size(), 44u);
    EXPECT_EQ(Rows(ChartLayout::Dlt, lines, 44).size(), 44u);
    EXPECT_EQ(Rows(ChartLayout::Dlt, lines, 43).size(), 43u);
}

TEST(ParseChartRowsLimits, ReadsOnlyFiftyLines) {
    // The digit layout skips short lines, so only the 50th line gives a row;
    // the 51st is never read.
    Lines lines(49, "03");
    lines.push_back("01 02 03");
    lines.push_back("04 05 06");
    EXPECT_EQ(Rows(ChartLayout::ThreeDigit, lines), Lines{"01 02 03"});
}

TEST(ParseChartRowsLimits, NoLayoutNoRows) {
    EXPECT_TRUE(Rows(ChartLayout::None, {"01 02"}).empty());
}

TEST(ChartSlotValues, DecimalValueOfTheText) {
    const ChartRowTable table = ParseChartRows(ChartLayout::Dlt, {"07 00 35 99"}, 44);
    const ChartRow& row = table.rows[0];
    EXPECT_EQ(row.slot[0].Value(), 7);
    EXPECT_EQ(row.slot[1].Value(), 0);
    EXPECT_EQ(row.slot[2].Value(), 35);
    EXPECT_EQ(row.slot[3].Value(), 99);
    EXPECT_EQ(row.slot[4].Value(), 0) << "an empty slot counts as 0";
    EXPECT_EQ(row.filled, 4);
}

struct SortCase {
    const char* name;
    ChartLayout layout;
    const char* line;
    const char* sorted;
};

class SortChartRowsTest : public testing::TestWithParam<SortCase> {};

TEST_P(SortChartRowsTest, SortsThePartsOfTheRow) {
    EXPECT_EQ(Rows(GetParam().layout, {GetParam().line}, 44, /*sort=*/true),
              Lines{GetParam().sorted});
}

INSTANTIATE_TEST_SUITE_P(Cases, SortChartRowsTest,
                         testing::Values(SortCase{"dlt_front_and_back_apart", ChartLayout::Dlt,
                                                  "35 04 21 01 09 12 03", "01 04 09 21 35 03 12"},
                                         SortCase{"dlt_back_value_stays_in_back", ChartLayout::Dlt,
                                                  "05 06 07 08 09 01 02", "05 06 07 08 09 01 02"},
                                         SortCase{"dlt_empty_slots_sort_first", ChartLayout::Dlt,
                                                  "05 01", "-- -- -- 01 05 -- --"},
                                         SortCase{"dlt_back_with_one_value", ChartLayout::Dlt,
                                                  "05 04 03 02 01 11", "01 02 03 04 05 -- 11"},
                                         SortCase{"ssq_front_sorted_back_kept", ChartLayout::Ssq,
                                                  "33 01 02 03 04 05 01", "01 02 03 04 05 33 01"},
                                         SortCase{"three_digit_unsorted", ChartLayout::ThreeDigit,
                                                  "09 01 05 xx", "09 01 05"},
                                         SortCase{"five_digit_unsorted", ChartLayout::FiveDigit,
                                                  "09 08 07 06 05", "09 08 07 06 05"}),
                         [](const testing::TestParamInfo<SortCase>& c) {
                             return std::string(c.param.name);
                         });

} // namespace
} // namespace veltrix
