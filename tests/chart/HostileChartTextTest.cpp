// The trend chart over result-box texts no query gives (fakes/
// HostileResultTexts.h), from several first visible lines and at several
// window heights: the scene always carries the record count and stays inside
// the chart area. Run under the sanitizers as well.

#include "SceneQueries.h"
#include "fakes/HostileResultTexts.h"

#include "common/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace veltrix {
namespace {

using namespace test;

class HostileChartTextTest : public ::testing::TestWithParam<HostileResultText> {};

TEST_P(HostileChartTextTest, SceneStaysInsideTheChartArea) {
    const std::string& text = GetParam().text;
    const int lineCount = static_cast<int>(SplitEditLines(text).size());
    const std::vector<std::string> emptyLines = ChartLinesFromText("", 0);
    for (const char* command : {"select * from dlt", "ssq", "3d", "p5", "7lc"}) {
        const ChartLayout layout = ChooseChartLayout(command);
        const ChartHistory history = ChartHistoryOfText(layout, text);
        for (int firstLine : {0, 1, lineCount - 1, lineCount + 5}) {
            std::vector<std::string> lines = ChartLinesFromText(text, firstLine);
            ASSERT_EQ(lines.size(), static_cast<size_t>(kChartLinesRead));
            for (const std::string& line : lines)
                ASSERT_LE(line.size(), kChartLineMaxBytes);
            for (int height : {0, 15, 361 * 2, kChartMaxHeight}) {
                SCOPED_TRACE(std::string(command) + " from line " + std::to_string(firstLine) +
                             ", height " + std::to_string(height));
                ChartInput input = Input(height, lines, 1234);
                const ChartScene plain = ComputeTrendChart(command, input);
                // Both options on: their notes stand in the grid like the numbers.
                input.omission = input.statistics = true;
                input.history = &history;
                input.firstLine = firstLine;
                ChartScene scene = ComputeTrendChart(command, input);
                if (layout == ChartLayout::None) {
                    EXPECT_TRUE(plain.primitives.empty());
                    EXPECT_TRUE(scene.primitives.empty());
                    continue;
                }
                EXPECT_EQ(Primitives<ChartLabel>(scene),
                          std::vector<ChartLabel>{ChartLabel{"1234"}});
                // The grid does not depend on the rows: it is the grid of the
                // empty box, and what the rows give stays within it.
                ChartScene empty = ComputeTrendChart(command, Input(height, emptyLines, 1234));
                const auto grid = [](const ChartScene& s) {
                    return std::vector<ChartPrimitive>(s.primitives.begin(),
                                                       s.primitives.begin() + LabelIndex(s));
                };
                ASSERT_EQ(grid(plain), grid(empty));
                int right = 0;
                int bottom = 0;
                for (const ChartFill& f : Primitives<ChartFill>(empty)) {
                    right = std::max(right, f.x2);
                    bottom = std::max(bottom, f.y2);
                }
                EXPECT_LE(TrendLines(scene).size(),
                          static_cast<size_t>(kChartMaxRows * kChartMaxSlots));
                // A back value past its zone (DLT 13 to 35, SSQ 17 to 33) is
                // joined right of the grid, at most at 14 * 70 - 1.
                for (const ChartLine& l : TrendLines(scene)) {
                    ASSERT_GE(std::min(l.x1, l.x2), 0);
                    ASSERT_LE(std::max(l.x1, l.x2), std::max(right, 14 * 70 - 1));
                    ASSERT_GE(std::min(l.y1, l.y2), 0);
                    ASSERT_LE(std::max(l.y1, l.y2), bottom);
                }
                for (const ChartFill& f : Primitives<ChartFill>(scene, Part::AfterLabel)) {
                    ASSERT_GE(f.x1, 0);
                    ASSERT_LE(f.x2, right);
                    ASSERT_LE(f.y2, bottom);
                }
                for (const ChartText& t : Primitives<ChartText>(scene, Part::AfterLabel)) {
                    ASSERT_TRUE(t.small || t.text.size() == 1 || t.text.size() == 2) << t.text;
                    ASSERT_GE(t.x, 0);
                    ASSERT_LT(t.x, right);
                    ASSERT_LT(t.y, bottom);
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Chart, HostileChartTextTest, ::testing::ValuesIn(HostileResultTexts()),
                         [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace veltrix
