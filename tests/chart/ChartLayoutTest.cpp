#include "chart/ChartLayout.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(ChooseChartLayout, PicksTheFirstTagFound) {
    struct Case {
        const char* command;
        ChartLayout layout;
    };
    const Case cases[] = {
        {"select h1,h2,h3,h4,h5,l1,l2 from dlt", ChartLayout::Dlt},
        {"", ChartLayout::Dlt},
        {"select * from 7xc", ChartLayout::None},
        {"SELECT * FROM 7LC", ChartLayout::None},
        {"select * from t22x5", ChartLayout::None},
        {"select * from ssq union select * from 7xc", ChartLayout::None},
        {"select * from ssq", ChartLayout::Ssq},
        {"select * from 3d, ssq", ChartLayout::Ssq},
        {"select h1,h2,h3 from 3d", ChartLayout::ThreeDigit},
        {"select h1,h2,h3 from p3", ChartLayout::ThreeDigit},
        {"select * from p5, 3d", ChartLayout::ThreeDigit},
        {"select h1,h2,h3,h4,h5 from p5", ChartLayout::FiveDigit},
        {"select top5 from dlt where x='ap5'", ChartLayout::FiveDigit}, // inside a word
        {"-- 双色球 ssq", ChartLayout::Ssq},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChooseChartLayout(c.command), c.layout) << c.command;
}

} // namespace
} // namespace veltrix
