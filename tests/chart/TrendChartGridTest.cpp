// The parts of the chart that do not depend on the rows: bands, grid,
// header and DLT row labels, all before the record-count label (the label
// itself, and that nothing before it depends on the rows, are checked by
// trend_chart_fuzz over its corpus).

#include "SceneQueries.h"
#include "common/Strings.h"

#include <gtest/gtest.h>

#include <limits>

namespace veltrix {
namespace {

using namespace test;

ChartScene EmptyScene(ChartLayout layout, int height) {
    return ComputeChartScene(layout, Input(height, {}));
}

TEST(ChartGridRows, FloorOfHeightLessTenOverCell) {
    EXPECT_EQ(ChartGridRows(ChartLayout::Dlt, 541), 37);
    EXPECT_EQ(ChartGridRows(ChartLayout::Ssq, 24), 1);
    EXPECT_EQ(ChartGridRows(ChartLayout::Ssq, 23), 0);
    EXPECT_EQ(ChartGridRows(ChartLayout::Ssq, 9), -1) << "rounded down, not toward zero";
    // Heights beyond any screen are taken as 32767 pixels.
    EXPECT_EQ(ChartGridRows(ChartLayout::Dlt, std::numeric_limits<int>::max()), 2339);
    EXPECT_EQ(ChartGridRows(ChartLayout::FiveDigit, std::numeric_limits<int>::min()), -2522);
}

TEST(ChartBands, FirstOfAllInOrder) {
    // Height 66: R = 4 grid rows of 14 pixels (bottom 61); height 9: R = -1.
    struct Case {
        const char* name;
        ChartLayout layout;
        int height;
        std::vector<ChartFill> fills;
    };
    // clang-format off
    const Case cases[] = {
        {"dlt", ChartLayout::Dlt, 66,
         {{5, 5, 131, 61, kBand1}, {131, 5, 271, 61, kBand2}, {271, 5, 411, 61, kBand1},
          {411, 5, 495, 61, kBand2}, {495, 5, 579, 61, kBand3}, {579, 5, 663, 61, kBand4},
          {663, 5, 691, 61, kBand3}}},
        {"ssq_fifth_band_overlaps_the_fourth", ChartLayout::Ssq, 66,
         {{5, 5, 131, 61, kBand1}, {131, 5, 271, 61, kBand2}, {271, 5, 411, 61, kBand1},
          {411, 5, 495, 61, kBand2}, {467, 5, 579, 61, kBand3}, {579, 5, 691, 61, kBand4}}},
        {"three_digit", ChartLayout::ThreeDigit, 66,
         {{5, 5, 145, 61, kBand1}, {145, 5, 285, 61, kBand2}, {285, 5, 425, 61, kBand1},
          {425, 5, 691, 61, kBand3}}},
        {"five_digit_first_band_in_rows_of_14", ChartLayout::FiveDigit, 541,
         {{5, 5, 691, 565, kBand3}, {5, 5, 135, 525, kBand1}, {135, 5, 265, 525, kBand2},
          {265, 5, 395, 525, kBand1}, {395, 5, 525, 525, kBand1}, {525, 5, 655, 525, kBand1}}},
        {"listed_even_when_empty", ChartLayout::ThreeDigit, 9,
         {{5, 5, 145, -9, kBand1}, {145, 5, 285, -9, kBand2}, {285, 5, 425, -9, kBand1},
          {425, 5, 691, -9, kBand3}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ChartScene scene = EmptyScene(c.layout, c.height);
        EXPECT_EQ(Primitives<ChartFill>(scene), c.fills);
        for (size_t i = 0; i < c.fills.size(); ++i)
            EXPECT_TRUE(std::holds_alternative<ChartFill>(scene.primitives.at(i)));
    }
}

TEST(ChartGrid, VerticalThenHorizontalLines) {
    // R + 1 horizontal lines (none when R < 0); the vertical ones end at the bottom.
    struct Case {
        const char* name;
        ChartLayout layout;
        int height;
        int cell;
        int verticalLines;
        int rightEnd;
    };
    // clang-format off
    const Case cases[] = {
        {"dlt", ChartLayout::Dlt, 541, 14, 48, 664},
        {"ssq", ChartLayout::Ssq, 541, 14, 50, 692},
        {"three_digit", ChartLayout::ThreeDigit, 541, 14, 31, 426},
        {"five_digit", ChartLayout::FiveDigit, 541, 13, 51, 656},
        {"dlt_short_window", ChartLayout::Dlt, 38, 14, 48, 664},
        {"ssq_no_room_for_rows", ChartLayout::Ssq, 12, 14, 50, 692},
        {"dlt_negative_rows", ChartLayout::Dlt, 9, 14, 48, 664},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int rows = ChartGridRows(c.layout, c.height);
        const int bottom = 5 + c.cell * rows;
        std::vector<ChartLine> expected;
        for (int j = 0; j < c.verticalLines; ++j)
            expected.push_back({5 + c.cell * j, 5, 5 + c.cell * j, bottom, kGrid, 1});
        for (int k = 0; k <= rows; ++k)
            expected.push_back({5, 5 + c.cell * k, c.rightEnd, 5 + c.cell * k, kGrid, 1});
        EXPECT_EQ(Primitives<ChartLine>(EmptyScene(c.layout, c.height), Part::BeforeLabel),
                  expected);
    }
}

std::string TwoDigits(int n) {
    return StrFormat("%02d", n);
}

TEST(ChartHeader, RunsOfNumbersThenDltRowLabels) {
    // Every text before the label, at the window's height (R = 37, or 40).
    struct Run {
        int count;
        int x0;
        int step;
        ChartColor color;
        bool digits; // 0 to 9 over and over, else 01 up
    };
    struct Case {
        ChartLayout layout;
        std::vector<Run> runs;
    };
    // clang-format off
    const Case cases[] = {
        {ChartLayout::Dlt, {{35, 6, 14, kRed, false}, {12, 496, 14, kBlue, false}}},
        {ChartLayout::Ssq, {{33, 6, 14, kRed, false}, {16, 468, 14, kBlue, false}}},
        {ChartLayout::ThreeDigit, {{30, 9, 14, kRed, true}}},
        {ChartLayout::FiveDigit, {{50, 9, 13, kRed, true}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.layout));
        std::vector<ChartText> expected;
        for (const Run& run : c.runs)
            for (int i = 0; i < run.count; ++i)
                expected.push_back({run.x0 + run.step * i, 7, run.color,
                                    run.digits ? std::to_string(i % 10) : TwoDigits(i + 1)});
        // DLT only: a label per grid row below the header, 00 at the bottom.
        if (c.layout == ChartLayout::Dlt)
            for (int k = 0; k < 36; ++k)
                expected.push_back({671, 7 + 14 * (36 - k), kBlue, TwoDigits(k)});
        EXPECT_EQ(Primitives<ChartText>(EmptyScene(c.layout, 541), Part::BeforeLabel), expected);
    }
}

} // namespace
} // namespace veltrix
