#include "chart/ChartRows.h"

#include <algorithm>

namespace veltrix {

ChartRowTable ParseChartRows(ChartLayout layout, const std::vector<std::string>& lines,
                             int maxRows) {
    ChartRowTable table;
    const int limit = std::min(maxRows, kChartMaxRows);
    if (limit <= 0 || ChartSlotsPerRow(layout) == 0)
        return table;

    const size_t minBytes = static_cast<size_t>(ChartMinLineBytes(layout));
    const size_t lineCount = std::min(lines.size(), static_cast<size_t>(kChartLinesRead));
    auto store = [&](const ChartRow& row) {
        table.rows[static_cast<size_t>(table.rowCount)] = row;
        return ++table.rowCount < limit;
    };
    for (size_t n = 0; n < lineCount; ++n) {
        const std::string_view line = std::string_view(lines[n]).substr(0, kChartLineMaxBytes);
        if (line.size() >= minBytes && !ScanChartLine(layout, line, store))
            break;
    }
    return table;
}

void SortChartRows(ChartLayout layout, ChartRowTable& table) {
    const auto byText = [](const ChartSlot& a, const ChartSlot& b) {
        return a.SortKey() < b.SortKey();
    };
    for (const ChartZone& zone : FactsOf(layout).zones) {
        if (!zone.sorted)
            continue;
        for (int r = 0; r < table.rowCount; ++r) {
            auto first = table.rows[static_cast<size_t>(r)].slot.begin() + zone.firstSlot;
            std::sort(first, first + zone.slotCount, byText);
        }
    }
}

} // namespace veltrix
