#pragma once
// The chart's columns over every row of the result text, not only the
// visible ones: each column's omission at any row, for the omission values
// in the grid, and its four statistics over all rows. The rows are those the
// chart reads (every line read the way the visible lines are), so the first
// visible row carries its true omission wherever the box is scrolled.

#include "analysis/NumberTally.h"
#include "chart/ChartLayout.h"
#include "chart/ChartRows.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace veltrix {

class ChartHistory {
public:
    ChartHistory() = default;
    // lines: every line of the result text, top to bottom.
    ChartHistory(ChartLayout layout, const std::vector<std::string_view>& lines);

    ChartLayout Layout() const { return m_layout; }
    int RowCount() const { return m_rowCount; }
    int ColumnCount() const { return m_columns; }
    // Rows that the lines before `line` give.
    int RowsBeforeLine(int line) const;
    // Each column's omission at the row before `row` (0 for the first row).
    std::vector<int> OmissionBefore(int row) const;
    // Each column over all rows.
    const std::vector<NumberTally>& Totals() const { return m_totals; }

private:
    static constexpr int kCheckpointRows = 32;
    static constexpr std::uint8_t kNoColumn = 0xFF;

    ChartLayout m_layout = ChartLayout::None;
    int m_columns = 0;
    int m_rowCount = 0;
    std::vector<int> m_rowsBeforeLine;
    std::vector<std::uint8_t> m_hits; // kChartMaxSlots columns per row, or kNoColumn
    std::vector<int> m_checkpoints;   // omissions before every kCheckpointRows-th row
    std::vector<NumberTally> m_totals;
};

// The history of a whole result text, its lines split at CR LF as the
// result box splits them.
ChartHistory ChartHistoryOfText(ChartLayout layout, std::string_view resultText);

// The grid column that value v of slot s stands in, or -1 when it gets no
// number drawn; the same cells that hold numbers in the scene.
int ChartHitColumn(ChartLayout layout, int slot, int value);

} // namespace veltrix
