// The parts of the chart that do not depend on the rows: bands, grid,
// header, DLT row labels and the record-count label.

#include "SceneQueries.h"

#include <gtest/gtest.h>

#include <limits>

namespace veltrix {
namespace {

using namespace test;

TEST(ChartGridRows, FloorOfHeightLessTenOverCell) {
    EXPECT_EQ(ChartGridRows(ChartLayout::Dlt, 541), 37);
    EXPECT_EQ(ChartGridRows(ChartLayout::FiveDigit, 541), 40);
    EXPECT_EQ(ChartGridRows(ChartLayout::Ssq, 24), 1);
    EXPECT_EQ(ChartGridRows(ChartLayout::Ssq, 23), 0);
    EXPECT_EQ(ChartGridRows(ChartLayout::Ssq, 10), 0);
    EXPECT_EQ(ChartGridRows(ChartLayout::Ssq, 9), -1) << "rounded down, not toward zero";
    EXPECT_EQ(ChartGridRows(ChartLayout::FiveDigit, 0), -1);
    // Heights beyond any screen are taken as 32767 pixels.
    EXPECT_EQ(ChartGridRows(ChartLayout::Dlt, 32767), 2339);
    EXPECT_EQ(ChartGridRows(ChartLayout::Dlt, std::numeric_limits<int>::max()), 2339);
    EXPECT_EQ(ChartGridRows(ChartLayout::FiveDigit, std::numeric_limits<int>::min()), -2522);
}

struct BandCase {
    const char* name;
    ChartLayout layout;
    int height;
    std::vector<ChartFill> fills;
};

class ChartBandsTest : public testing::TestWithParam<BandCase> {};

TEST_P(ChartBandsTest, FillsTheBandsInOrder) {
    const ChartScene scene = ComputeChartScene(GetParam().layout, Input(GetParam().height, {}));
    EXPECT_EQ(Primitives<ChartFill>(scene), GetParam().fills);
    // The bands come first of all.
    for (size_t i = 0; i < GetParam().fills.size(); ++i)
        EXPECT_TRUE(std::holds_alternative<ChartFill>(scene.primitives.at(i)));
}

// Height 66: R = 4 grid rows of 14 pixels (bottom 61), or of 13 (bottom 57).
INSTANTIATE_TEST_SUITE_P(Layouts, ChartBandsTest,
                         testing::Values(BandCase{"dlt",
                                                  ChartLayout::Dlt,
                                                  66,
                                                  {{5, 5, 131, 61, kBand1},
                                                   {131, 5, 271, 61, kBand2},
                                                   {271, 5, 411, 61, kBand1},
                                                   {411, 5, 495, 61, kBand2},
                                                   {495, 5, 579, 61, kBand3},
                                                   {579, 5, 663, 61, kBand4},
                                                   {663, 5, 691, 61, kBand3}}},
                                         BandCase{"ssq_fifth_band_overlaps_the_fourth",
                                                  ChartLayout::Ssq,
                                                  66,
                                                  {{5, 5, 131, 61, kBand1},
                                                   {131, 5, 271, 61, kBand2},
                                                   {271, 5, 411, 61, kBand1},
                                                   {411, 5, 495, 61, kBand2},
                                                   {467, 5, 579, 61, kBand3},
                                                   {579, 5, 691, 61, kBand4}}},
                                         BandCase{"three_digit",
                                                  ChartLayout::ThreeDigit,
                                                  66,
                                                  {{5, 5, 145, 61, kBand1},
                                                   {145, 5, 285, 61, kBand2},
                                                   {285, 5, 425, 61, kBand1},
                                                   {425, 5, 691, 61, kBand3}}},
                                         BandCase{"five_digit_first_band_in_rows_of_14",
                                                  ChartLayout::FiveDigit,
                                                  541,
                                                  {{5, 5, 691, 565, kBand3},
                                                   {5, 5, 135, 525, kBand1},
                                                   {135, 5, 265, 525, kBand2},
                                                   {265, 5, 395, 525, kBand1},
                                                   {395, 5, 525, 525, kBand1},
                                                   {525, 5, 655, 525, kBand1}}},
                                         BandCase{"listed_even_when_empty",
                                                  ChartLayout::ThreeDigit,
                                                  9,
                                                  {{5, 5, 145, -9, kBand1},
                                                   {145, 5, 285, -9, kBand2},
                                                   {285, 5, 425, -9, kBand1},
                                                   {425, 5, 691, -9, kBand3}}}),
                         [](const testing::TestParamInfo<BandCase>& c) {
                             return std::string(c.param.name);
                         });

struct GridCase {
    const char* name;
    ChartLayout layout;
    int height;
    int cell;
    int verticalLines;
    int lastX;
    int rightEnd;
};

class ChartGridTest : public testing::TestWithParam<GridCase> {};

TEST_P(ChartGridTest, VerticalThenHorizontalLines) {
    const GridCase& c = GetParam();
    const ChartScene scene = ComputeChartScene(c.layout, Input(c.height, {}));
    const int rows = ChartGridRows(c.layout, c.height);
    const int bottom = 5 + c.cell * rows;

    std::vector<ChartLine> expected;
    for (int j = 0; j < c.verticalLines; ++j)
        expected.push_back({5 + c.cell * j, 5, 5 + c.cell * j, bottom, kGrid, 1});
    for (int k = 0; k <= rows; ++k)
        expected.push_back({5, 5 + c.cell * k, c.rightEnd, 5 + c.cell * k, kGrid, 1});
    EXPECT_EQ(Primitives<ChartLine>(scene, Part::BeforeLabel), expected);
    EXPECT_EQ(expected[static_cast<size_t>(c.verticalLines - 1)].x1, c.lastX);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ChartGridTest,
    testing::Values(GridCase{"dlt", ChartLayout::Dlt, 541, 14, 48, 663, 664},
                    GridCase{"ssq", ChartLayout::Ssq, 541, 14, 50, 691, 692},
                    GridCase{"three_digit", ChartLayout::ThreeDigit, 541, 14, 31, 425, 426},
                    GridCase{"five_digit", ChartLayout::FiveDigit, 541, 13, 51, 655, 656},
                    GridCase{"dlt_short_window", ChartLayout::Dlt, 38, 14, 48, 663, 664},
                    GridCase{"ssq_no_room_for_rows", ChartLayout::Ssq, 12, 14, 50, 691, 692}),
    [](const testing::TestParamInfo<GridCase>& c) { return std::string(c.param.name); });

TEST(ChartGrid, HorizontalLineCountFollowsTheHeight) {
    // R + 1 horizontal lines: 38 at the window's height, 1 when R is 0, none below.
    auto horizontals = [](int height) {
        int n = 0;
        for (const ChartLine& l : Primitives<ChartLine>(
                 ComputeChartScene(ChartLayout::Dlt, Input(height, {})), Part::BeforeLabel))
            n += l.x1 == 5 && l.x2 == 664 ? 1 : 0;
        return n;
    };
    EXPECT_EQ(horizontals(541), 38);
    EXPECT_EQ(horizontals(23), 1);
    EXPECT_EQ(horizontals(9), 0);
}

std::vector<ChartText> HeaderTexts(ChartLayout layout, int height = 541) {
    std::vector<ChartText> header;
    for (const ChartText& t :
         Primitives<ChartText>(ComputeChartScene(layout, Input(height, {})), Part::BeforeLabel))
        if (t.y == 7)
            header.push_back(t);
    return header;
}

std::string TwoDigits(int n) {
    std::string text = std::to_string(n);
    return text.size() < 2 ? "0" + text : text;
}

TEST(ChartHeader, DltFrontRedThenBackBlue) {
    std::vector<ChartText> expected;
    for (int n = 1; n <= 35; ++n)
        expected.push_back({6 + 14 * (n - 1), 7, kRed, TwoDigits(n)});
    for (int n = 1; n <= 12; ++n)
        expected.push_back({496 + 14 * (n - 1), 7, kBlue, TwoDigits(n)});
    EXPECT_EQ(HeaderTexts(ChartLayout::Dlt), expected);
    EXPECT_EQ(expected.front(), (ChartText{6, 7, kRed, "01"}));
    EXPECT_EQ(expected.back(), (ChartText{650, 7, kBlue, "12"}));
}

TEST(ChartHeader, SsqFrontRedThenBackBlue) {
    const std::vector<ChartText> header = HeaderTexts(ChartLayout::Ssq);
    ASSERT_EQ(header.size(), 49u);
    EXPECT_EQ(header[0], (ChartText{6, 7, kRed, "01"}));
    EXPECT_EQ(header[32], (ChartText{454, 7, kRed, "33"}));
    EXPECT_EQ(header[33], (ChartText{468, 7, kBlue, "01"}));
    EXPECT_EQ(header[48], (ChartText{678, 7, kBlue, "16"}));
}

TEST(ChartHeader, DigitLayoutsRepeatZeroToNine) {
    const std::vector<ChartText> three = HeaderTexts(ChartLayout::ThreeDigit);
    ASSERT_EQ(three.size(), 30u);
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(three[static_cast<size_t>(i)],
                  (ChartText{9 + 14 * i, 7, kRed, std::to_string(i % 10)}));
    const std::vector<ChartText> five = HeaderTexts(ChartLayout::FiveDigit);
    ASSERT_EQ(five.size(), 50u);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(five[static_cast<size_t>(i)],
                  (ChartText{9 + 13 * i, 7, kRed, std::to_string(i % 10)}));
}

TEST(ChartRowLabels, DltCountsUpFromTheBottomRow) {
    // Height 66: R = 4, grid rows 1..3 hold result rows; labels 00 at the
    // bottom (y = 7 + 14 * 3) up to 02 beside the first result row.
    const ChartScene scene = ComputeChartScene(ChartLayout::Dlt, Input(66, {}));
    std::vector<ChartText> labels;
    for (const ChartText& t : Primitives<ChartText>(scene, Part::BeforeLabel))
        if (t.x == 671)
            labels.push_back(t);
    const std::vector<ChartText> expected = {
        {671, 49, kBlue, "00"}, {671, 35, kBlue, "01"}, {671, 21, kBlue, "02"}};
    EXPECT_EQ(labels, expected);
    // They follow the header directly.
    const std::vector<ChartText> texts = Primitives<ChartText>(scene, Part::BeforeLabel);
    ASSERT_EQ(texts.size(), 47u + 3u);
    EXPECT_EQ(texts[47], expected[0]);
}

TEST(ChartRowLabels, EveryGridRowEvenWithoutResultRows) {
    const ChartScene scene = ComputeChartScene(ChartLayout::Dlt, Input(541, {"01 02"}));
    int labels = 0;
    for (const ChartText& t : Primitives<ChartText>(scene, Part::BeforeLabel))
        labels += t.x == 671 ? 1 : 0;
    EXPECT_EQ(labels, 36);
}

TEST(ChartRowLabels, OnlyInTheDltLayout) {
    for (ChartLayout layout : {ChartLayout::Ssq, ChartLayout::ThreeDigit, ChartLayout::FiveDigit}) {
        for (const ChartText& t :
             Primitives<ChartText>(ComputeChartScene(layout, Input(541, {})), Part::BeforeLabel))
            EXPECT_EQ(t.y, 7) << "only header texts before the label";
    }
}

TEST(ChartRecordCountLabel, SetByEveryLayoutAfterTheGrid) {
    for (ChartLayout layout :
         {ChartLayout::Dlt, ChartLayout::Ssq, ChartLayout::ThreeDigit, ChartLayout::FiveDigit}) {
        const ChartScene scene =
            ComputeChartScene(layout, Input(541, {"01 02 03 04 05 06 07"}, 1234));
        EXPECT_EQ(Primitives<ChartLabel>(scene), std::vector<ChartLabel>{{"1234"}});
        // Nothing that depends on the rows comes before it.
        const std::vector<ChartText> before = Primitives<ChartText>(scene, Part::BeforeLabel);
        for (const ChartText& t : before)
            EXPECT_NE(t.color, kGrey);
        for (const ChartLine& l : Primitives<ChartLine>(scene, Part::BeforeLabel))
            EXPECT_EQ(l.width, 1);
    }
}

TEST(ChartRecordCountLabel, CountOfTheQueryNotOfTheRowsDrawn) {
    const ChartScene negative = ComputeChartScene(ChartLayout::Ssq, Input(541, {}, -7));
    EXPECT_EQ(Primitives<ChartLabel>(negative), std::vector<ChartLabel>{{"-7"}});
    const ChartScene zero = ComputeChartScene(ChartLayout::Ssq, Input(541, {"01", "02"}, 0));
    EXPECT_EQ(Primitives<ChartLabel>(zero), std::vector<ChartLabel>{{"0"}});
}

TEST(ChartNoLayout, DrawsNothingAndLeavesTheLabel) {
    const ChartScene scene = ComputeChartScene(ChartLayout::None, Input(541, {"01 02 03"}, 5));
    EXPECT_TRUE(scene.primitives.empty());
    EXPECT_TRUE(ComputeTrendChart("select * from 7xc", Input(541, {"01"}, 3)).primitives.empty());
}

TEST(ChartEmptyRows, GridHeaderAndLabelOnly) {
    const ChartScene scene = ComputeTrendChart("select * from dlt", Input(541, {}));
    EXPECT_EQ(Primitives<ChartFill>(scene).size(), 7u);
    EXPECT_EQ(Primitives<ChartLine>(scene).size(), 48u + 38u);
    EXPECT_EQ(Primitives<ChartText>(scene).size(), 47u + 36u);
    EXPECT_EQ(Primitives<ChartLabel>(scene).size(), 1u);
    EXPECT_EQ(LabelIndex(scene), scene.primitives.size() - 1);
}

} // namespace
} // namespace veltrix
