#include "chart/TrendChart.h"

#include "chart/ChartRows.h"

#include <algorithm>
#include <optional>

namespace veltrix {

namespace {

constexpr ChartColor kGridColor{200, 200, 255};
constexpr ChartColor kTrendRed{255, 120, 120};
constexpr ChartColor kTrendBlue{120, 120, 255};
constexpr ChartColor kRed{255, 0, 0};
constexpr ChartColor kBlue{0, 0, 255};
constexpr ChartColor kShadow{128, 128, 128};
constexpr ChartColor kOmissionGrey{150, 150, 150};
constexpr ChartColor kStatisticsInk{90, 90, 90};
constexpr int kGridPenWidth = 1;
constexpr int kTrendPenWidth = 2;
constexpr int kTop = 5; // grid origin, both axes
constexpr int kLeft = 5;
// The small font's digits are about this wide; used to centre a note in its cell.
constexpr int kNoteDigitWidth = 5;

// The DLT label column names the statistics rows with one character each.
constexpr const char* kStatisticsLabels[kChartStatisticsRows] = {"次", "均", "遗", "连"};

// "%02d" / "%d" without the printf machinery: the scene is rebuilt on every
// scroll and holds several hundred numbers.
std::string Decimal(int n, int minDigits) {
    char buffer[16];
    char* end = buffer + sizeof buffer;
    char* p = end;
    unsigned u = n < 0 ? 0u - static_cast<unsigned>(n) : static_cast<unsigned>(n);
    do {
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0 || end - p < minDigits);
    if (n < 0)
        *--p = '-';
    return std::string(p, end);
}

int FloorDiv(int a, int b) {
    int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

class SceneBuilder {
public:
    SceneBuilder(ChartLayout layout, const ChartInput& input)
        : m_layout(layout), m_facts(FactsOf(layout)), m_cell(m_facts.cell),
          m_gridRows(ChartGridRows(layout, input.clientHeight)), m_input(input) {
        if (input.statistics)
            m_statisticsRows = std::clamp(m_gridRows - 1, 0, kChartStatisticsRows);
    }

    ChartScene Build() {
        m_scene.primitives.reserve(1200);
        Bands();
        Grid();
        Header();
        if (m_facts.rowLabels)
            RowLabels();
        m_scene.primitives.emplace_back(ChartLabel{Decimal(m_input.recordCount, 1)});
        ReadRows();
        if (m_input.omission || m_input.statistics)
            Extras();
        TrendLines();
        Numbers();
        return std::move(m_scene);
    }

private:
    void Fill(int x1, int y1, int x2, int y2, ChartColor color) {
        m_scene.primitives.emplace_back(ChartFill{x1, y1, x2, y2, color});
    }
    void Line(int x1, int y1, int x2, int y2, ChartColor color, int width) {
        m_scene.primitives.emplace_back(ChartLine{x1, y1, x2, y2, color, width});
    }
    void Text(int x, int y, ChartColor color, std::string text, bool small = false) {
        m_scene.primitives.emplace_back(ChartText{x, y, color, std::move(text), small});
    }

    int GridBottom() const { return kTop + m_cell * m_gridRows; }
    int ColumnX(int column) const { return kLeft + m_cell * column; }

    void Bands() {
        for (const ChartBand& band : m_facts.bands) {
            const int rowHeight = band.rowHeight != 0 ? band.rowHeight : m_cell;
            Fill(band.x1, kTop, band.x2, kTop + rowHeight * m_gridRows, band.color);
        }
    }

    void Grid() {
        for (int j = 0; j <= m_facts.lastGridColumn; ++j)
            Line(ColumnX(j), kTop, ColumnX(j), GridBottom(), kGridColor, kGridPenWidth);
        for (int k = 0; k <= m_gridRows; ++k) {
            const int y = kTop + m_cell * k;
            Line(kLeft, y, m_facts.gridRight, y, kGridColor, kGridPenWidth);
        }
    }

    // Each zone names its values above their columns: "%02d" for numbers,
    // "%d" for digits.
    void Header() {
        constexpr int y = 7;
        const int digits = m_facts.singleDigits ? 1 : 2;
        for (const ChartZone& zone : m_facts.zones) {
            for (int v = zone.lo; v <= zone.hi; ++v)
                Text(m_cell * (zone.columnOfZero + v) + m_facts.textDx, y,
                     zone.front ? kRed : kBlue, Decimal(v, digits));
        }
    }

    // Counted from 00 at the bottom row of draws upwards, for every grid row
    // of draws; the statistics rows below them carry their names instead.
    void RowLabels() {
        const int drawGridRows = m_gridRows - m_statisticsRows;
        for (int label = 0; label <= drawGridRows - 2; ++label)
            Text(671, 7 + 14 * (drawGridRows - 1 - label), kBlue, Decimal(label, 2));
        for (int k = 0; k < m_statisticsRows; ++k)
            Text(671, 7 + 14 * (drawGridRows + k), kBlue, kStatisticsLabels[k]);
    }

    void ReadRows() {
        m_rows = ParseChartRows(m_layout, m_input.lines, m_gridRows - 1 - m_statisticsRows);
        SortChartRows(m_layout, m_rows);
    }

    int SlotValue(int row, int slot) const {
        return m_rows.rows[static_cast<size_t>(row)].slot[static_cast<size_t>(slot)].Value();
    }

    // A small note centred in the cell of `column`, grid row `gridRow`.
    void Note(int column, int gridRow, ChartColor color, int value) {
        std::string text = Decimal(value, 1);
        const int width = kNoteDigitWidth * static_cast<int>(text.size());
        const int x = ColumnX(column) + std::max(1, (m_cell - width) / 2 + 1);
        Text(x, kTop + m_cell * gridRow + (m_cell - 9) / 2 + 1, color, std::move(text), true);
    }

    void Extras() {
        std::optional<ChartHistory> own;
        const ChartHistory* history = m_input.history;
        int firstLine = m_input.firstLine;
        if (history == nullptr || history->Layout() != m_layout) {
            std::vector<std::string_view> lines(m_input.lines.begin(), m_input.lines.end());
            history = &own.emplace(m_layout, lines);
            firstLine = 0;
        }
        if (m_input.omission)
            Omissions(*history, firstLine);
        if (m_input.statistics)
            StatisticsRows(*history);
    }

    void Omissions(const ChartHistory& history, int firstLine) {
        std::vector<int> omission = history.OmissionBefore(history.RowsBeforeLine(firstLine));
        std::vector<bool> held(omission.size());
        for (int d = 0; d < m_rows.rowCount; ++d) {
            std::fill(held.begin(), held.end(), false);
            for (int s = 0; s < m_facts.slotsPerRow; ++s) {
                const int column = ChartHitColumn(m_layout, s, SlotValue(d, s));
                if (column >= 0)
                    held[static_cast<size_t>(column)] = true;
            }
            for (size_t c = 0; c < held.size(); ++c) {
                omission[c] = held[c] ? 0 : omission[c] + 1;
                if (!held[c])
                    Note(static_cast<int>(c), d + 1, kOmissionGrey, omission[c]);
            }
        }
    }

    void StatisticsRows(const ChartHistory& history) {
        const int firstGridRow = m_gridRows - m_statisticsRows;
        const int rows = history.RowCount();
        const std::vector<NumberTally>& totals = history.Totals();
        for (int k = 0; k < m_statisticsRows; ++k) {
            for (size_t c = 0; c < totals.size(); ++c) {
                const NumberTally& t = totals[c];
                const int value = k == 0   ? t.count
                                  : k == 1 ? t.AverageOmission(rows)
                                  : k == 2 ? t.maxOmission
                                           : t.maxRun;
                Note(static_cast<int>(c), firstGridRow + k, kStatisticsInk, value);
            }
        }
    }

    bool InLineRange(int v) const { return v >= m_facts.lineLo && v <= m_facts.lineHi; }

    // Lines join the cells' right parts: 13 pixels into the column before a
    // number's own, which is the cell's right edge in two-digit layouts.
    int LineX(int slot, int v) const {
        for (const ChartZone& zone : m_facts.zones) {
            if (slot >= zone.firstSlot && slot < zone.firstSlot + zone.slotCount)
                return m_cell * (zone.columnOfZero + v) + 13;
        }
        return 0;
    }

    int LineY(int row) const { return 13 + m_cell * (row + 1); }

    void TrendLines() {
        for (int s = 0; s < m_facts.slotsPerRow; ++s) {
            const ChartColor pen = s % 2 == 0 ? kTrendRed : kTrendBlue;
            for (int r = 1; r < m_rows.rowCount; ++r) {
                const int v1 = SlotValue(r - 1, s);
                const int v2 = SlotValue(r, s);
                if (InLineRange(v1) && InLineRange(v2))
                    Line(LineX(s, v1), LineY(r - 1), LineX(s, v2), LineY(r), pen, kTrendPenWidth);
            }
        }
    }

    // Front numbers and digits are red with a grey shadow one pixel right and
    // down; back numbers are plain blue. Numbers keep their text ("07"),
    // digits are written as one digit.
    void Numbers() {
        for (int d = 0; d < m_rows.rowCount; ++d) {
            const ChartRow& row = m_rows.rows[static_cast<size_t>(d)];
            const int y = 6 + m_cell * (d + 1);
            for (const ChartZone& zone : m_facts.zones) {
                for (int s = zone.firstSlot; s < zone.firstSlot + zone.slotCount; ++s) {
                    const ChartSlot& slot = row.slot[static_cast<size_t>(s)];
                    const int v = slot.Value();
                    if (v < zone.lo || v > zone.hi)
                        continue;
                    const int x = m_cell * (zone.columnOfZero + v) + m_facts.textDx;
                    const std::string text =
                        m_facts.singleDigits ? Decimal(v, 1) : std::string(slot.Text());
                    if (zone.front) {
                        Text(x + 1, y + 1, kShadow, text);
                        Text(x, y, kRed, text);
                    } else {
                        Text(x, y, kBlue, text);
                    }
                }
            }
        }
    }

    ChartLayout m_layout;
    const ChartLayoutFacts& m_facts;
    int m_cell;
    int m_gridRows;
    int m_statisticsRows = 0;
    const ChartInput& m_input;
    ChartScene m_scene;
    ChartRowTable m_rows;
};

} // namespace

int ChartGridRows(ChartLayout layout, int clientHeight) {
    const int height = std::clamp(clientHeight, -kChartMaxHeight, kChartMaxHeight);
    return FloorDiv(height - 10, ChartCellSize(layout));
}

ChartScene ComputeChartScene(ChartLayout layout, const ChartInput& input) {
    if (layout == ChartLayout::None)
        return {};
    return SceneBuilder(layout, input).Build();
}
std::vector<std::string> ChartLinesFromText(std::string_view resultText, int firstLine) {
    std::vector<std::string> lines;
    lines.reserve(kChartLinesRead);
    // Walk to the first visible line without splitting the whole text.
    size_t pos = 0;
    bool pastEnd = false;
    for (int skipped = 0; skipped < firstLine && !pastEnd; ++skipped) {
        size_t end = resultText.find("\r\n", pos);
        if (end == std::string_view::npos)
            pastEnd = true;
        else
            pos = end + 2;
    }
    for (int i = 0; i < kChartLinesRead; ++i) {
        if (pastEnd) {
            lines.emplace_back();
            continue;
        }
        size_t end = resultText.find("\r\n", pos);
        std::string_view line = resultText.substr(
            pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        lines.emplace_back(line.substr(0, kChartLineMaxBytes));
        if (end == std::string_view::npos)
            pastEnd = true;
        else
            pos = end + 2;
    }
    return lines;
}

} // namespace veltrix
