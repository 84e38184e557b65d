#include "chart/ChartHistory.h"

#include "common/Strings.h"

#include <algorithm>

namespace veltrix {

int ChartHitColumn(ChartLayout layout, int slot, int value) {
    for (const ChartZone& zone : FactsOf(layout).zones) {
        if (slot >= zone.firstSlot && slot < zone.firstSlot + zone.slotCount)
            return value >= zone.lo && value <= zone.hi ? zone.columnOfZero + value : -1;
    }
    return -1;
}

ChartHistory::ChartHistory(ChartLayout layout, const std::vector<std::string_view>& lines)
    : m_layout(layout), m_columns(std::max(FactsOf(layout).lastGridColumn, 0)),
      m_totals(static_cast<size_t>(m_columns)) {
    const size_t minBytes = static_cast<size_t>(FactsOf(layout).MinLineBytes());
    const int slots = FactsOf(layout).slotsPerRow;
    m_rowsBeforeLine.reserve(lines.size() + 1);
    m_hits.reserve(lines.size() * kChartMaxSlots);
    std::vector<int> omission(static_cast<size_t>(m_columns), 0);
    std::vector<bool> held(static_cast<size_t>(m_columns));

    auto addRow = [&](const ChartRow& row) {
        if (m_rowCount % kCheckpointRows == 0)
            m_checkpoints.insert(m_checkpoints.end(), omission.begin(), omission.end());
        std::fill(held.begin(), held.end(), false);
        for (int s = 0; s < kChartMaxSlots; ++s) {
            const int column =
                s < slots ? ChartHitColumn(layout, s, row.slot[static_cast<size_t>(s)].Value())
                          : -1;
            m_hits.push_back(column < 0 ? kNoColumn : static_cast<std::uint8_t>(column));
            if (column >= 0)
                held[static_cast<size_t>(column)] = true;
        }
        for (size_t c = 0; c < held.size(); ++c) {
            m_totals[c].Add(held[c]);
            omission[c] = m_totals[c].omission;
        }
        ++m_rowCount;
        return true;
    };
    for (std::string_view line : lines) {
        m_rowsBeforeLine.push_back(m_rowCount);
        line = line.substr(0, kChartLineMaxBytes);
        if (slots > 0 && line.size() >= minBytes)
            ScanChartLine(layout, line, addRow);
    }
    m_rowsBeforeLine.push_back(m_rowCount);
}

ChartHistory ChartHistoryOfText(ChartLayout layout, std::string_view resultText) {
    return ChartHistory(layout, SplitEditLines(resultText));
}

int ChartHistory::RowsBeforeLine(int line) const {
    if (m_rowsBeforeLine.empty() || line <= 0)
        return 0;
    return m_rowsBeforeLine[std::min(static_cast<size_t>(line), m_rowsBeforeLine.size() - 1)];
}

std::vector<int> ChartHistory::OmissionBefore(int row) const {
    std::vector<int> omission(static_cast<size_t>(m_columns), 0);
    row = std::clamp(row, 0, m_rowCount);
    const int checkpoint = row / kCheckpointRows;
    int from = 0;
    if (static_cast<size_t>(checkpoint + 1) * omission.size() <= m_checkpoints.size()) {
        auto first = m_checkpoints.begin() + static_cast<std::ptrdiff_t>(checkpoint) * m_columns;
        std::copy(first, first + m_columns, omission.begin());
        from = checkpoint * kCheckpointRows;
    }
    std::vector<bool> held(omission.size());
    for (int r = from; r < row; ++r) {
        std::fill(held.begin(), held.end(), false);
        for (int s = 0; s < kChartMaxSlots; ++s) {
            const std::uint8_t column = m_hits[static_cast<size_t>(r * kChartMaxSlots + s)];
            if (column != kNoColumn)
                held[column] = true;
        }
        for (size_t c = 0; c < held.size(); ++c)
            omission[c] = held[c] ? 0 : omission[c] + 1;
    }
    return omission;
}

} // namespace veltrix
