// What the rows give: trend lines and numbers, per layout. That rows beyond
// the grid are not parsed and fewer than two rows give no trend line is
// checked by trend_chart_fuzz.

#include "SceneQueries.h"

#include <gtest/gtest.h>

#include <map>

namespace veltrix {
namespace {

using namespace test;

ChartScene Scene(ChartLayout layout, std::vector<std::string> lines) {
    return ComputeChartScene(layout, Input(541, std::move(lines)));
}

// A segment of the 14-pixel layouts from result row `row` to the next.
ChartLine Trend14(int x1, int row, int x2, ChartColor pen) {
    return {x1, 27 + 14 * row, x2, 27 + 14 * (row + 1), pen, 2};
}

// A layout's rows, how many trend lines they give and some of them by index.
struct TrendCase {
    const char* name;
    ChartLayout layout;
    std::vector<std::string> lines;
    size_t count;
    std::map<size_t, ChartLine> linesAt;
};

TEST(TrendLines, SlotBySlotBetweenConsecutiveRows) {
    // clang-format off
    const TrendCase cases[] = {
        {"dlt_alternating_pens", ChartLayout::Dlt,
         {"01 02 03 04 05 06 07", "02 03 04 05 06 07 08"}, 7,
         {{0, Trend14(13, 0, 27, kPenRed)}, {1, Trend14(27, 0, 41, kPenBlue)},
          {5, Trend14(14 * 41 - 1, 0, 14 * 42 - 1, kPenBlue)},
          {6, Trend14(14 * 42 - 1, 0, 14 * 43 - 1, kPenRed)}}},
        {"dlt_all_segments_of_a_slot_first", ChartLayout::Dlt,
         {"01 02 03 04 05 01 02", "01 02 03 04 05 01 02", "01 02 03 04 05 01 02"}, 14,
         {{0, Trend14(13, 0, 13, kPenRed)}, {1, Trend14(13, 1, 13, kPenRed)},
          {2, Trend14(27, 0, 27, kPenBlue)}}},
        // Back 12 03 is drawn as 03 12: slot 5 joins 03 to 01, slot 6 12 to 02.
        {"dlt_back_sorted_before_joining", ChartLayout::Dlt,
         {"01 02 03 04 05 12 03", "01 02 03 04 05 01 02"}, 7,
         {{5, Trend14(14 * 38 - 1, 0, 14 * 36 - 1, kPenBlue)},
          {6, Trend14(14 * 47 - 1, 0, 14 * 37 - 1, kPenRed)}}},
        // Row 1's 00 (slot 0) and 36 (slot 4) lose both segments touching them.
        {"dlt_out_of_range_value_gaps_its_slot_only", ChartLayout::Dlt,
         {"05 10 20 30 31 01 02", "00 11 21 30 36 01 02", "06 12 22 30 33 03 04"}, 10,
         {{0, Trend14(14 * 10 - 1, 0, 14 * 11 - 1, kPenBlue)},
          {1, Trend14(14 * 11 - 1, 1, 14 * 12 - 1, kPenBlue)},
          {6, Trend14(14 * 36 - 1, 0, 14 * 36 - 1, kPenBlue)}}},
        // 13 to 35 in the back slots: lines right of the back zone.
        {"dlt_back_values_beyond_twelve", ChartLayout::Dlt,
         {"01 02 03 04 05 13 20", "01 02 03 04 05 01 35"}, 7,
         {{5, Trend14(671, 0, 503, kPenBlue)}, {6, Trend14(769, 0, 979, kPenRed)}}},
        {"ssq_back_slot_right_of_the_front", ChartLayout::Ssq,
         {"01 02 03 04 05 33 16", "01 02 03 04 05 06 17"}, 7,
         {{5, Trend14(14 * 33 - 1, 0, 14 * 6 - 1, kPenBlue)},
          {6, Trend14(14 * 49 - 1, 0, 14 * 50 - 1, kPenRed)}}},
        {"ssq_only_1_to_33", ChartLayout::Ssq,
         {"01 02 03 04 05 06 34", "01 02 03 04 05 06 01"}, 6, {}},
        {"three_digit_positions", ChartLayout::ThreeDigit, {"01 05 09 x", "02 06 00 x"}, 3,
         {{0, Trend14(14 * 1 + 13, 0, 14 * 2 + 13, kPenRed)},
          {1, Trend14(14 * 15 + 13, 0, 14 * 16 + 13, kPenBlue)},
          {2, Trend14(14 * 29 + 13, 0, 14 * 20 + 13, kPenRed)}}},
        {"three_digit_empty_slot_is_zero", ChartLayout::ThreeDigit, {"03 05 xxx", "04 06 07 x"}, 3,
         {{2, Trend14(14 * 20 + 13, 0, 14 * 27 + 13, kPenRed)}}},
        {"five_digit_thirteen_pixel_grid", ChartLayout::FiveDigit,
         {"00 01 02 03 09", "09 08 07 06 00", "01 01 01 01 01"}, 10,
         {{0, {13 * 1, 26, 13 * 10, 39, kPenRed, 2}}, {1, {13 * 10, 39, 13 * 2, 52, kPenRed, 2}},
          {2, {13 * 12, 26, 13 * 19, 39, kPenBlue, 2}}, {8, {13 * 50, 26, 13 * 41, 39, kPenRed, 2}},
          {9, {13 * 41, 39, 13 * 42, 52, kPenRed, 2}}}},
    };
    // clang-format on
    for (const TrendCase& c : cases) {
        SCOPED_TRACE(c.name);
        // The trend lines are the only lines after the record-count label.
        const std::vector<ChartLine> lines =
            Primitives<ChartLine>(Scene(c.layout, c.lines), Part::AfterLabel);
        ASSERT_EQ(lines.size(), c.count);
        for (const auto& [index, line] : c.linesAt)
            EXPECT_EQ(lines[index], line) << "line " << index;
    }
}

TEST(ChartNumbers, ShadowThenNumberPerLayout) {
    struct Case {
        const char* name;
        ChartLayout layout;
        std::vector<std::string> lines;
        size_t count;
        std::map<size_t, ChartText> textsAt;
    };
    // clang-format off
    const Case cases[] = {
        // Row 1: 00 and 36 are out of range, 13 is a front value here.
        {"dlt_front_with_shadow_then_back_in_blue", ChartLayout::Dlt,
         {"", "35 01 07 20 11 12 03", "36 00 13"}, 14,
         {{0, {14 * 1 - 7, 21, kGrey, "01"}},   {1, {14 * 1 - 8, 20, kRed, "01"}},
          {8, {14 * 35 - 7, 21, kGrey, "35"}},  {9, {14 * 35 - 8, 20, kRed, "35"}},
          {10, {482 + 14 * 3, 20, kBlue, "03"}}, {11, {482 + 14 * 12, 20, kBlue, "12"}},
          {12, {14 * 13 - 7, 35, kGrey, "13"}}, {13, {14 * 13 - 8, 34, kRed, "13"}}}},
        {"dlt_back_beyond_twelve_has_no_number", ChartLayout::Dlt, {"01 02 03 04 05 13 35"}, 10,
         {{9, {14 * 5 - 8, 20, kRed, "05"}}}},
        {"ssq_back_up_to_sixteen", ChartLayout::Ssq, {"-", "-", "33 01 02 03 04 05 16"}, 13,
         {{0, {14 * 1 - 7, 21 + 28, kGrey, "01"}}, {11, {14 * 33 - 8, 20 + 28, kRed, "33"}},
          {12, {454 + 14 * 16, 20 + 28, kBlue, "16"}}}},
        {"ssq_back_seventeen_has_no_number", ChartLayout::Ssq, {"01 02 03 04 05 06 17"}, 12, {}},
        // 3d/p3 rows as a query gives them: the issue number has no 0d pair here.
        {"three_digit_per_position_zero_for_an_empty_slot", ChartLayout::ThreeDigit,
         {"2124123 07 03", "07 02 01 x"}, 12,
         {{0, {14 * 7 + 10, 21, kGrey, "7"}},   {1, {14 * 7 + 9, 20, kRed, "7"}},
          {4, {14 * 20 + 10, 21, kGrey, "0"}},  {5, {14 * 20 + 9, 20, kRed, "0"}},
          {10, {14 * 21 + 10, 35, kGrey, "1"}}, {11, {14 * 21 + 9, 34, kRed, "1"}}}},
        // Row 0 has no values: every position draws 0.
        {"five_digit_thirteen_pixel_cells", ChartLayout::FiveDigit,
         {"xxxxxxxx", "09 08 07 06 05"}, 20,
         {{0, {13 * 0 + 10, 20, kGrey, "0"}},      {9, {13 * 40 + 9, 19, kRed, "0"}},
          {10, {13 * 9 + 10, 20 + 13, kGrey, "9"}}, {11, {13 * 9 + 9, 19 + 13, kRed, "9"}},
          {19, {13 * 45 + 9, 19 + 13, kRed, "5"}}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<ChartText> numbers =
            Primitives<ChartText>(Scene(c.layout, c.lines), Part::AfterLabel);
        ASSERT_EQ(numbers.size(), c.count);
        for (const auto& [index, text] : c.textsAt)
            EXPECT_EQ(numbers[index], text) << "text " << index;
    }
}

} // namespace
} // namespace veltrix
