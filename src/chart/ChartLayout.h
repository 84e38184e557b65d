#pragma once
// Which of the chart's four layouts a command text asks for, and the facts
// of each layout that the parser and the scene need.

#include <string_view>

namespace veltrix {

enum class ChartLayout {
    None,       // t22x5, 7xc, 7lc: no chart
    Dlt,        // 35 front + 12 back numbers and a row-label column
    Ssq,        // 33 front + 16 back numbers
    ThreeDigit, // 3d and p3: three positions of the digits 0-9
    FiveDigit,  // p5: five positions of the digits 0-9
};

// Looks for the game tags in the upper-cased command text, in a fixed order:
// T22X5/7XC/7LC (none), SSQ, 3D or P3, P5; anything else is DLT.
ChartLayout ChooseChartLayout(std::string_view commandText);

// Width of a grid cell in pixels.
int ChartCellSize(ChartLayout layout);
// Slots of a row: one per drawn number (DLT, SSQ) or per digit position.
int ChartSlotsPerRow(ChartLayout layout);
// Shortest result line the layout reads.
int ChartMinLineBytes(ChartLayout layout);
// Whether c, c2 is a value: two digits in DLT/SSQ, "0" and a digit otherwise.
bool IsChartValuePair(ChartLayout layout, char c, char c2);

} // namespace veltrix
