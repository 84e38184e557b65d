// Arbitrary bytes in the result box and odd window heights: the scene stays
// within what the layouts allow (run under the sanitizers as well).

#include "SceneQueries.h"

#include <gtest/gtest.h>

#include <random>

namespace veltrix {
namespace {

using namespace test;

std::string RandomLine(std::mt19937& random) {
    // Mostly digits, blanks and zeros, with line ends and any other byte.
    static const char kAlphabet[] = "0000123456789    \r\n\t-x\xe5\x8f\xb7";
    std::string line(random() % 300, ' ');
    for (char& c : line)
        c = random() % 50 == 0 ? static_cast<char>(random() % 256)
                               : kAlphabet[random() % (sizeof kAlphabet - 1)];
    return line;
}

TEST(TrendChartRandom, ScenesKeepTheirShape) {
    std::mt19937 random(20240607);
    const char* commands[] = {"dlt", "ssq", "3d", "p5"};
    for (int round = 0; round < 400; ++round) {
        const char* command = commands[round % 4];
        const int height = static_cast<int>(random() % 900) - 20;
        std::vector<std::string> lines(random() % 60);
        for (std::string& line : lines)
            line = RandomLine(random);
        SCOPED_TRACE(std::string(command) + " height " + std::to_string(height));

        const ChartLayout layout = ChooseChartLayout(command);
        const ChartScene scene = ComputeChartScene(layout, Input(height, lines, round));
        ASSERT_EQ(Primitives<ChartLabel>(scene), std::vector<ChartLabel>{{std::to_string(round)}});

        const int rows = ChartGridRows(layout, height);
        const int maxRows = std::clamp(rows - 1, 0, 44);
        const int slots = ChartSlotsPerRow(layout);
        const int cell = ChartCellSize(layout);
        EXPECT_LE(TrendLines(scene).size(), static_cast<size_t>(slots * std::max(maxRows - 1, 0)));
        for (const ChartLine& l : TrendLines(scene)) {
            EXPECT_EQ(l.width, 2);
            EXPECT_EQ(l.y2 - l.y1, cell) << "joins consecutive rows";
            EXPECT_GE(l.x1, 0);
            EXPECT_LE(l.x1, 14 * 70);
        }
        for (const ChartText& t : Primitives<ChartText>(scene, Part::AfterLabel)) {
            EXPECT_GE(t.y, 19);
            EXPECT_LT(t.y, 22 + cell * maxRows) << "numbers stay in the result rows";
            EXPECT_TRUE(t.text.size() == 1 || t.text.size() == 2);
        }
    }
}

} // namespace
} // namespace veltrix
