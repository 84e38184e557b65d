#pragma once
// The trend chart as a pure function: from the command text, the result-box
// lines from the first visible one on, the client height and the record
// count to the scene the window paints. Coordinates are client pixels.

#include "chart/ChartHistory.h"
#include "chart/ChartLayout.h"
#include "chart/ChartRows.h"
#include "chart/ChartScene.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// The left part of the window that the chart covers: x below this, from the
// top of the client area down.
inline constexpr int kChartAreaWidth = 696;

// The tallest client area the chart is computed for; taller ones are taken
// as this tall (a window is never near it, and the grid's row count and
// coordinates stay well inside int).
inline constexpr int kChartMaxHeight = 32767;

struct ChartInput {
    int clientHeight = 0; // |clientHeight| is taken as at most kChartMaxHeight
    int recordCount = 0;
    // Result-box lines from the first visible one on. Only the first
    // kChartLinesRead are read, each cut to kChartLineMaxBytes bytes.
    std::vector<std::string> lines;

    // What the user may add to the chart; with both off it is drawn as it
    // always was. omission: each column's omission (rows since it was last
    // drawn) in the grid's empty cells, small and grey, under the numbers and
    // lines. statistics: four rows at the bottom of the grid with each
    // column's count, average omission, longest omission and longest run over
    // all rows of the result text; the rows above them give way.
    bool omission = false;
    bool statistics = false;
    // Both need every row of the result text: its history, and the index of
    // the first visible line in it. Without a history the visible lines are
    // taken as the whole text.
    const ChartHistory* history = nullptr;
    int firstLine = 0;
};

// Statistics rows at the bottom of the grid, top to bottom: 出现次数, 平均遗漏,
// 最大遗漏, 最大连出.
inline constexpr int kChartStatisticsRows = 4;

// Grid rows R for a client height: floor((height - 10) / cell).
int ChartGridRows(ChartLayout layout, int clientHeight);

// The scene of one layout; the empty scene for ChartLayout::None.
ChartScene ComputeChartScene(ChartLayout layout, const ChartInput& input);

// The layout the command text asks for, and its scene.
inline ChartScene ComputeTrendChart(std::string_view commandText, const ChartInput& input) {
    return ComputeChartScene(ChooseChartLayout(commandText), input);
}

// The lines the chart reads from a result text: kChartLinesRead lines from
// firstLine on, split at CR LF like the result box, each cut to
// kChartLineMaxBytes bytes; an index past the last line gives an empty line.
std::vector<std::string> ChartLinesFromText(std::string_view resultText, int firstLine);

} // namespace veltrix
