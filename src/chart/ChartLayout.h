#pragma once
// Which of the chart's four layouts a command text asks for, and every fact
// of each layout in one table: the parser, the scene and the statistics all
// read the layout from here instead of switching on it.

#include "chart/ChartScene.h"

#include <span>
#include <string_view>

namespace veltrix {

enum class ChartLayout {
    None,       // t22x5, 7xc, 7lc: no chart
    Dlt,        // 35 front + 12 back numbers and a row-label column
    Ssq,        // 33 front + 16 back numbers
    ThreeDigit, // 3d and p3: three positions of the digits 0-9
    FiveDigit,  // p5: five positions of the digits 0-9
};

// A filled band behind the grid, from y = 5 down for the grid's rows. A band
// with rowHeight set is measured in rows of that height instead of the cell.
struct ChartBand {
    int x1, x2;
    ChartColor color;
    int rowHeight = 0;
};

// A run of slots whose values share columns: the front or back numbers of
// DLT and SSQ, or one digit position. Value v of a slot stands in grid column
// columnOfZero + v (columns counted from x = 5); values lo..hi get a number
// drawn, and the header names the same values.
struct ChartZone {
    int firstSlot, slotCount;
    int columnOfZero;
    int lo, hi;
    bool front;  // red with a grey shadow; otherwise plain blue
    bool sorted; // the zone's slots are put in ascending order
};

struct ChartLayoutFacts {
    int cell = 14;             // grid cell in pixels, both axes
    bool singleDigits = false; // values are "0" and a digit, written as one digit
    int slotsPerRow = 0;
    int lineLo = 0, lineHi = -1; // values joined by trend lines, in every slot
    int textDx = 0;              // header and number texts from their column's left edge
    int lastGridColumn = -1;     // vertical grid lines j = 0 .. lastGridColumn
    int gridRight = 0;           // end x of the horizontal grid lines
    bool rowLabels = false;      // the DLT label column right of the grid
    std::span<const ChartBand> bands;
    std::span<const ChartZone> zones;

    // Shortest result line the layout reads.
    int MinLineBytes() const { return singleDigits ? 8 : 1; }
};

const ChartLayoutFacts& FactsOf(ChartLayout layout);

// Looks for the game tags in the upper-cased command text, in a fixed order:
// T22X5/7XC/7LC (none), SSQ, 3D or P3, P5; anything else is DLT.
ChartLayout ChooseChartLayout(std::string_view commandText);

inline int ChartCellSize(ChartLayout layout) {
    return FactsOf(layout).cell;
}
inline int ChartSlotsPerRow(ChartLayout layout) {
    return FactsOf(layout).slotsPerRow;
}
inline int ChartMinLineBytes(ChartLayout layout) {
    return FactsOf(layout).MinLineBytes();
}
// Whether c, c2 is a value: two digits in DLT/SSQ, "0" and a digit otherwise.
bool IsChartValuePair(ChartLayout layout, char c, char c2);

} // namespace veltrix
