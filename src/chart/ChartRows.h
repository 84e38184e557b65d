#pragma once
// The row table of the trend chart: the two-character values of the visible
// result rows, parsed the way the chart has always read them (pairs of
// characters, rows ended by a carriage return), then sorted per layout.

#include "chart/ChartLayout.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// The chart reads this many result-box lines, each cut to this many bytes.
inline constexpr int kChartLinesRead = 50;
inline constexpr size_t kChartLineMaxBytes = 255;
inline constexpr int kChartMaxRows = 44;
inline constexpr int kChartMaxSlots = 7;

// One value as it stood in the text ("07"), or nothing.
struct ChartSlot {
    char text[2] = {0, 0};
    bool filled = false;

    // The decimal value of the text; an empty slot counts as 0.
    int Value() const { return filled ? (text[0] - '0') * 10 + (text[1] - '0') : 0; }
    std::string_view Text() const {
        return filled ? std::string_view(text, 2) : std::string_view();
    }
    // Character-by-character order of the texts, the empty slot first.
    int SortKey() const {
        return filled ? (static_cast<unsigned char>(text[0]) << 8) |
                            static_cast<unsigned char>(text[1])
                      : 0;
    }
};

struct ChartRow {
    std::array<ChartSlot, kChartMaxSlots> slot{};
    int filled = 0;
};

struct ChartRowTable {
    std::array<ChartRow, kChartMaxRows> rows{};
    int rowCount = 0; // completed rows
};

// Joins the lines the layout uses (each followed by CR LF) into one text and
// parses it. Only the first kChartLinesRead lines are read, each cut to
// kChartLineMaxBytes bytes; pairs the layout takes as values fill the slots of the current
// row, a carriage return completes the row. Parsing ends once maxRows rows
// (never more than the table holds) are complete.
ChartRowTable ParseChartRows(ChartLayout layout, const std::vector<std::string>& lines,
                             int maxRows);

// DLT: slots 0-4 and 5-6 ascending; SSQ: slots 0-5 ascending; the digit
// layouts keep their positions.
void SortChartRows(ChartLayout layout, ChartRowTable& table);

// One result line (already cut to kChartLineMaxBytes) as the chart reads it:
// pairs the layout takes as values fill the slots of the current row, and
// the row is complete at every carriage return in the line and at its end.
// Lines are read independently of each other, so the rows of a whole text
// are the rows of its lines one after the other. onRow gets each completed
// row and returns false to stop; the result is false when it did.
template <class OnRow>
bool ScanChartLine(ChartLayout layout, std::string_view line, OnRow&& onRow) {
    const int slotsPerRow = ChartSlotsPerRow(layout);
    ChartRow row;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (i + 1 < line.size() && IsChartValuePair(layout, c, line[i + 1])) {
            if (row.filled < slotsPerRow) {
                ChartSlot& slot = row.slot[static_cast<size_t>(row.filled++)];
                slot.text[0] = c;
                slot.text[1] = line[i + 1];
                slot.filled = true;
            }
            ++i;
        } else if (c == '\r') {
            if (!onRow(row))
                return false;
            row = ChartRow{};
        }
    }
    return onRow(row);
}

} // namespace veltrix
