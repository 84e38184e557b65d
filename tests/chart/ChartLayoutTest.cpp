#include "chart/ChartLayout.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

struct LayoutCase {
    const char* name;
    const char* command;
    ChartLayout layout;
};

class ChooseChartLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(ChooseChartLayoutTest, PicksTheFirstTagFound) {
    EXPECT_EQ(ChooseChartLayout(GetParam().command), GetParam().layout);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, ChooseChartLayoutTest,
    testing::Values(LayoutCase{"dlt", "select h1,h2,h3,h4,h5,l1,l2 from dlt", ChartLayout::Dlt},
                    LayoutCase{"empty_command", "", ChartLayout::Dlt},
                    LayoutCase{"no_known_tag", "select 1", ChartLayout::Dlt},
                    LayoutCase{"seven_xc_lower", "select * from 7xc", ChartLayout::None},
                    LayoutCase{"seven_lc", "SELECT * FROM 7LC", ChartLayout::None},
                    LayoutCase{"t22x5", "select * from t22x5", ChartLayout::None},
                    LayoutCase{"seven_xc_beats_ssq", "select * from ssq union select * from 7xc",
                               ChartLayout::None},
                    LayoutCase{"ssq_lower", "select * from ssq", ChartLayout::Ssq},
                    LayoutCase{"ssq_beats_p5", "select * from SSQ, P5", ChartLayout::Ssq},
                    LayoutCase{"ssq_beats_3d", "select * from 3d, ssq", ChartLayout::Ssq},
                    LayoutCase{"three_d", "select h1,h2,h3 from 3d", ChartLayout::ThreeDigit},
                    LayoutCase{"p3_lower", "select h1,h2,h3 from p3", ChartLayout::ThreeDigit},
                    LayoutCase{"three_d_beats_p5", "select * from p5, 3d", ChartLayout::ThreeDigit},
                    LayoutCase{"p5", "select h1,h2,h3,h4,h5 from p5", ChartLayout::FiveDigit},
                    LayoutCase{"tag_inside_a_word", "select top5 from dlt where x='ap5'",
                               ChartLayout::FiveDigit},
                    LayoutCase{"chinese_text_kept", "-- 双色球 ssq", ChartLayout::Ssq}),
    [](const testing::TestParamInfo<LayoutCase>& c) { return std::string(c.param.name); });

TEST(ChartLayoutFacts, CellsSlotsAndLineLengths) {
    EXPECT_EQ(ChartCellSize(ChartLayout::Dlt), 14);
    EXPECT_EQ(ChartCellSize(ChartLayout::Ssq), 14);
    EXPECT_EQ(ChartCellSize(ChartLayout::ThreeDigit), 14);
    EXPECT_EQ(ChartCellSize(ChartLayout::FiveDigit), 13);
    EXPECT_EQ(ChartSlotsPerRow(ChartLayout::Dlt), 7);
    EXPECT_EQ(ChartSlotsPerRow(ChartLayout::Ssq), 7);
    EXPECT_EQ(ChartSlotsPerRow(ChartLayout::ThreeDigit), 3);
    EXPECT_EQ(ChartSlotsPerRow(ChartLayout::FiveDigit), 5);
    EXPECT_EQ(ChartMinLineBytes(ChartLayout::Dlt), 1);
    EXPECT_EQ(ChartMinLineBytes(ChartLayout::ThreeDigit), 8);
}

TEST(ChartLayoutFacts, ValuePairs) {
    for (ChartLayout layout : {ChartLayout::Dlt, ChartLayout::Ssq}) {
        EXPECT_TRUE(IsChartValuePair(layout, '0', '7'));
        EXPECT_TRUE(IsChartValuePair(layout, '3', '5'));
        EXPECT_TRUE(IsChartValuePair(layout, '9', '9'));
        EXPECT_FALSE(IsChartValuePair(layout, '7', ' '));
        EXPECT_FALSE(IsChartValuePair(layout, ' ', '7'));
        EXPECT_FALSE(IsChartValuePair(layout, '1', 'a'));
    }
    for (ChartLayout layout : {ChartLayout::ThreeDigit, ChartLayout::FiveDigit}) {
        EXPECT_TRUE(IsChartValuePair(layout, '0', '0'));
        EXPECT_TRUE(IsChartValuePair(layout, '0', '9'));
        EXPECT_FALSE(IsChartValuePair(layout, '1', '0'));
        EXPECT_FALSE(IsChartValuePair(layout, '0', ' '));
    }
}

} // namespace
} // namespace veltrix
