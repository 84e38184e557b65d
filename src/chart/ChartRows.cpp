#include "chart/ChartRows.h"

#include <algorithm>

namespace veltrix {

ChartRowTable ParseChartRows(ChartLayout layout, const std::vector<std::string>& lines,
                             int maxRows) {
    ChartRowTable table;
    const int limit = std::min(maxRows, kChartMaxRows);
    const int slotsPerRow = ChartSlotsPerRow(layout);
    if (limit <= 0 || slotsPerRow == 0)
        return table;

    std::string text;
    text.reserve(lines.size() * 32);
    const size_t minBytes = static_cast<size_t>(ChartMinLineBytes(layout));
    const size_t lineCount = std::min(lines.size(), static_cast<size_t>(kChartLinesRead));
    for (size_t n = 0; n < lineCount; ++n) {
        std::string_view line(lines[n]);
        line = line.substr(0, kChartLineMaxBytes);
        if (line.size() >= minBytes) {
            text += line;
            text += "\r\n";
        }
    }

    // The text always ends with CR LF, so the last character never starts a
    // pair and the loop may stop one short of the end.
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        const char c = text[i];
        const char c2 = text[i + 1];
        ChartRow& row = table.rows[static_cast<size_t>(table.rowCount)];
        if (IsChartValuePair(layout, c, c2)) {
            if (row.filled < slotsPerRow) {
                ChartSlot& slot = row.slot[static_cast<size_t>(row.filled++)];
                slot.text[0] = c;
                slot.text[1] = c2;
                slot.filled = true;
            }
            ++i;
        } else if (c == '\r') {
            if (++table.rowCount >= limit)
                break;
        }
    }
    return table;
}

void SortChartRows(ChartLayout layout, ChartRowTable& table) {
    auto sortRange = [](ChartRow& row, size_t first, size_t last) {
        std::sort(row.slot.begin() + static_cast<std::ptrdiff_t>(first),
                  row.slot.begin() + static_cast<std::ptrdiff_t>(last),
                  [](const ChartSlot& a, const ChartSlot& b) { return a.SortKey() < b.SortKey(); });
    };
    for (int r = 0; r < table.rowCount; ++r) {
        ChartRow& row = table.rows[static_cast<size_t>(r)];
        if (layout == ChartLayout::Dlt) {
            sortRange(row, 0, 5);
            sortRange(row, 5, 7);
        } else if (layout == ChartLayout::Ssq) {
            sortRange(row, 0, 6);
        }
    }
}

} // namespace veltrix
