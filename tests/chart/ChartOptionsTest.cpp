// The chart's options: omission values in the empty cells and the four
// statistics rows, checked against a recount from the scene's own numbers.

#include "analysis/RandomResultText.h"
#include "chart/SceneQueries.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

namespace veltrix::test {
namespace {

struct Cell {
    int column, gridRow;
    auto operator<=>(const Cell&) const = default;
};

// The cells that hold a drawn number (red or blue, not the shadow), and the
// notes by cell, read back from a scene.
struct SceneCells {
    std::set<Cell> numbers;
    std::map<Cell, int> notes;
};

SceneCells ReadCells(const ChartScene& scene, int cell) {
    SceneCells out;
    for (const ChartText& t : Primitives<ChartText>(scene, Part::AfterLabel)) {
        const Cell at{(t.x - 5) / cell, (t.y - 5) / cell};
        if (t.small)
            EXPECT_TRUE(out.notes.emplace(at, std::stoi(t.text)).second) << t.x << "," << t.y;
        else if (t.color == kRed || t.color == kBlue)
            out.numbers.insert(at);
    }
    return out;
}

// Random rows, one per line and every line read, in the layout's own form.
std::string RandomRows(std::mt19937& random, ChartLayout layout, int rows) {
    std::string text;
    for (int i = 0; i < rows; ++i) {
        if (layout == ChartLayout::Dlt || layout == ChartLayout::Ssq) {
            text += RandomRow(random, 7, layout == ChartLayout::Dlt ? 14 : 17);
        } else {
            for (int s = 0; s < ChartSlotsPerRow(layout); ++s) {
                text += '0';
                text += static_cast<char>('0' + random() % 4);
                text += ' ';
            }
            text += "xx";
        }
        text += "\r\n";
    }
    return text;
}

ChartScene SceneOf(ChartLayout layout, const std::string& text, int height, int firstLine,
                   bool omission, bool statistics, const ChartHistory& history) {
    ChartInput input = Input(height, ChartLinesFromText(text, firstLine));
    input.omission = omission;
    input.statistics = statistics;
    input.history = &history;
    input.firstLine = firstLine;
    return ComputeChartScene(layout, input);
}

const ChartLayout kLayouts[] = {ChartLayout::Dlt, ChartLayout::Ssq, ChartLayout::ThreeDigit,
                                ChartLayout::FiveDigit};

TEST(ChartOptions, OmissionCountsFromTheFirstRowOfTheText) {
    std::mt19937 random(7);
    for (ChartLayout layout : kLayouts) {
        const int cell = ChartCellSize(layout);
        const int columns = FactsOf(layout).lastGridColumn;
        for (int round = 0; round < 5; ++round) {
            SCOPED_TRACE(::testing::Message()
                         << "layout " << static_cast<int>(layout) << " round " << round);
            const std::string text = RandomRows(random, layout, 40);
            const ChartHistory history = ChartHistoryOfText(layout, text);
            // The whole text in one tall grid: each empty cell's note is one
            // more than the cell above, or 1 when a number stood there or in
            // the first row.
            const SceneCells all =
                ReadCells(SceneOf(layout, text, 10 + cell * 42, 0, true, false, history), cell);
            std::map<Cell, int> expected;
            for (int row = 1; row <= 40; ++row) {
                for (int c = 0; c < columns; ++c) {
                    if (all.numbers.count({c, row}))
                        continue;
                    const auto above = expected.find({c, row - 1});
                    expected[{c, row}] = above == expected.end() ? 1 : above->second + 1;
                }
            }
            EXPECT_EQ(all.notes, expected);

            // Scrolled down, the first visible row carries its true value.
            const int first = 1 + static_cast<int>(random() % 30);
            const SceneCells scrolled =
                ReadCells(SceneOf(layout, text, 10 + cell * 6, first, true, false, history), cell);
            ASSERT_FALSE(scrolled.notes.empty());
            for (const auto& [at, value] : scrolled.notes)
                EXPECT_EQ(value, expected.at({at.column, at.gridRow + first}));
        }
    }
}

TEST(ChartOptions, StatisticsRowsSumUpEveryRowAndTheDrawsGiveWay) {
    std::mt19937 random(11);
    for (ChartLayout layout : kLayouts) {
        SCOPED_TRACE(static_cast<int>(layout));
        const int cell = ChartCellSize(layout);
        const std::string text = RandomRows(random, layout, 30);
        const ChartHistory history = ChartHistoryOfText(layout, text);
        const SceneCells all =
            ReadCells(SceneOf(layout, text, 10 + cell * 32, 0, false, false, history), cell);

        const int gridRows = 8;
        const ChartScene scene =
            SceneOf(layout, text, 10 + cell * gridRows, 25, false, true, history);
        const SceneCells cells = ReadCells(scene, cell);
        // Three rows of draws are left above the four statistics rows.
        for (const Cell& at : cells.numbers)
            EXPECT_LE(at.gridRow, 3);
        for (int c = 0; c < FactsOf(layout).lastGridColumn; ++c) {
            int count = 0, longestWithout = 0, longestWith = 0, without = 0, with = 0;
            for (int row = 1; row <= 30; ++row) {
                const bool held = all.numbers.count({c, row}) != 0;
                count += held;
                without = held ? 0 : without + 1;
                with = held ? with + 1 : 0;
                longestWithout = std::max(longestWithout, without);
                longestWith = std::max(longestWith, with);
            }
            const int expected[] = {count, (30 - count) / (count + 1), longestWithout, longestWith};
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(cells.notes.at({c, gridRows - 4 + k}), expected[k]) << "column " << c;
        }
    }
}

TEST(ChartOptions, DltLabelsNameTheStatisticsRows) {
    ChartInput input = Input(10 + 14 * 7, {"01 02 03 04 05 01 02"});
    input.statistics = true;
    const std::vector<ChartText> texts =
        Primitives<ChartText>(ComputeChartScene(ChartLayout::Dlt, input), Part::BeforeLabel);
    const std::vector<ChartText> labels(texts.end() - 6, texts.end());
    EXPECT_EQ(labels, (std::vector<ChartText>{{671, 35, kBlue, "00"},
                                              {671, 21, kBlue, "01"},
                                              {671, 49, kBlue, "次"},
                                              {671, 63, kBlue, "均"},
                                              {671, 77, kBlue, "遗"},
                                              {671, 91, kBlue, "连"}}));
}

} // namespace
} // namespace veltrix::test
