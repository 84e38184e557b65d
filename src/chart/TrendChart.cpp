#include "chart/TrendChart.h"

#include "chart/ChartRows.h"

#include <algorithm>
#include <span>

namespace veltrix {

namespace {

constexpr ChartColor kBand1{255, 230, 230};
constexpr ChartColor kBand2{245, 220, 220};
constexpr ChartColor kBand3{230, 230, 255};
constexpr ChartColor kBand4{220, 220, 245};
constexpr ChartColor kGridColor{200, 200, 255};
constexpr ChartColor kTrendRed{255, 120, 120};
constexpr ChartColor kTrendBlue{120, 120, 255};
constexpr ChartColor kRed{255, 0, 0};
constexpr ChartColor kBlue{0, 0, 255};
constexpr ChartColor kShadow{128, 128, 128};
constexpr int kGridPenWidth = 1;
constexpr int kTrendPenWidth = 2;
constexpr int kTop = 5; // grid origin, both axes
constexpr int kLeft = 5;

struct Band {
    int x1, x2;
    ChartColor color;
};

constexpr Band kDltBands[] = {{5, 131, kBand1},   {131, 271, kBand2}, {271, 411, kBand1},
                              {411, 495, kBand2}, {495, 579, kBand3}, {579, 663, kBand4},
                              {663, 691, kBand3}};
// The fifth band overlaps the fourth on purpose: 30-33 stay on band 2.
constexpr Band kSsqBands[] = {{5, 131, kBand1},   {131, 271, kBand2}, {271, 411, kBand1},
                              {411, 495, kBand2}, {467, 579, kBand3}, {579, 691, kBand4}};
constexpr Band kThreeDigitBands[] = {
    {5, 145, kBand1}, {145, 285, kBand2}, {285, 425, kBand1}, {425, 691, kBand3}};
constexpr Band kFiveDigitBands[] = {{5, 135, kBand1},
                                    {135, 265, kBand2},
                                    {265, 395, kBand1},
                                    {395, 525, kBand1},
                                    {525, 655, kBand1}};

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
        : m_layout(layout), m_cell(ChartCellSize(layout)),
          m_gridRows(ChartGridRows(layout, input.clientHeight)), m_input(input) {}

    ChartScene Build() {
        m_scene.primitives.reserve(1200);
        Bands();
        Grid();
        Header();
        if (m_layout == ChartLayout::Dlt)
            RowLabels();
        m_scene.primitives.emplace_back(ChartLabel{Decimal(m_input.recordCount, 1)});
        ReadRows();
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
    void Text(int x, int y, ChartColor color, std::string text) {
        m_scene.primitives.emplace_back(ChartText{x, y, color, std::move(text)});
    }

    int GridBottom() const { return kTop + m_cell * m_gridRows; }

    void Bands() {
        std::span<const Band> bands;
        switch (m_layout) {
        case ChartLayout::Dlt:
            bands = kDltBands;
            break;
        case ChartLayout::Ssq:
            bands = kSsqBands;
            break;
        case ChartLayout::ThreeDigit:
            bands = kThreeDigitBands;
            break;
        case ChartLayout::FiveDigit:
            // Measured in 14-pixel rows, so it reaches below the 13-pixel grid.
            Fill(5, kTop, 691, kTop + 14 * m_gridRows, kBand3);
            bands = kFiveDigitBands;
            break;
        case ChartLayout::None:
            break;
        }
        for (const Band& band : bands)
            Fill(band.x1, kTop, band.x2, GridBottom(), band.color);
    }

    void Grid() {
        int lastColumn = 0; // j of the rightmost vertical line
        int rightEnd = 0;   // end x of the horizontal lines
        switch (m_layout) {
        case ChartLayout::Dlt:
            lastColumn = 47, rightEnd = 664;
            break;
        case ChartLayout::Ssq:
            lastColumn = 49, rightEnd = 692;
            break;
        case ChartLayout::ThreeDigit:
            lastColumn = 30, rightEnd = 426;
            break;
        case ChartLayout::FiveDigit:
            lastColumn = 50, rightEnd = 656;
            break;
        case ChartLayout::None:
            break;
        }
        for (int j = 0; j <= lastColumn; ++j) {
            const int x = kLeft + m_cell * j;
            Line(x, kTop, x, GridBottom(), kGridColor, kGridPenWidth);
        }
        for (int k = 0; k <= m_gridRows; ++k) {
            const int y = kTop + m_cell * k;
            Line(kLeft, y, rightEnd, y, kGridColor, kGridPenWidth);
        }
    }

    void Header() {
        constexpr int y = 7;
        switch (m_layout) {
        case ChartLayout::Dlt:
            for (int n = 1; n <= 35; ++n)
                Text(6 + 14 * (n - 1), y, kRed, Decimal(n, 2));
            for (int n = 1; n <= 12; ++n)
                Text(496 + 14 * (n - 1), y, kBlue, Decimal(n, 2));
            break;
        case ChartLayout::Ssq:
            for (int n = 1; n <= 33; ++n)
                Text(6 + 14 * (n - 1), y, kRed, Decimal(n, 2));
            for (int n = 1; n <= 16; ++n)
                Text(468 + 14 * (n - 1), y, kBlue, Decimal(n, 2));
            break;
        case ChartLayout::ThreeDigit:
            for (int i = 0; i < 30; ++i)
                Text(9 + 14 * i, y, kRed, Decimal(i % 10, 1));
            break;
        case ChartLayout::FiveDigit:
            for (int i = 0; i < 50; ++i)
                Text(9 + 13 * i, y, kRed, Decimal(i % 10, 1));
            break;
        case ChartLayout::None:
            break;
        }
    }

    // Counted from 00 at the bottom grid row upwards, for every grid row.
    void RowLabels() {
        for (int label = 0; label <= m_gridRows - 2; ++label)
            Text(671, 7 + 14 * (m_gridRows - 1 - label), kBlue, Decimal(label, 2));
    }

    void ReadRows() {
        m_rows = ParseChartRows(m_layout, m_input.lines, m_gridRows - 1);
        SortChartRows(m_layout, m_rows);
    }

    int SlotValue(int row, int slot) const {
        return m_rows.rows[static_cast<size_t>(row)].slot[static_cast<size_t>(slot)].Value();
    }

    bool InLineRange(int v) const {
        switch (m_layout) {
        case ChartLayout::Dlt:
            return v >= 1 && v <= 35;
        case ChartLayout::Ssq:
            return v >= 1 && v <= 33;
        case ChartLayout::ThreeDigit:
        case ChartLayout::FiveDigit:
            return v >= 0 && v <= 9;
        case ChartLayout::None:
            break;
        }
        return false;
    }

    int LineX(int slot, int v) const {
        switch (m_layout) {
        case ChartLayout::Dlt:
            return slot <= 4 ? 14 * v - 1 : 14 * (v + 35) - 1;
        case ChartLayout::Ssq:
            return slot <= 5 ? 14 * v - 1 : 14 * (v + 33) - 1;
        case ChartLayout::ThreeDigit:
            return 14 * (10 * slot + v) + 13;
        case ChartLayout::FiveDigit:
            return 13 * (10 * slot + v + 1);
        case ChartLayout::None:
            break;
        }
        return 0;
    }

    int LineY(int row) const {
        return m_layout == ChartLayout::FiveDigit ? 26 + 13 * row : 27 + 14 * row;
    }

    void TrendLines() {
        const int slotCount = ChartSlotsPerRow(m_layout);
        for (int s = 0; s < slotCount; ++s) {
            const ChartColor pen = s % 2 == 0 ? kTrendRed : kTrendBlue;
            for (int r = 1; r < m_rows.rowCount; ++r) {
                const int v1 = SlotValue(r - 1, s);
                const int v2 = SlotValue(r, s);
                if (InLineRange(v1) && InLineRange(v2))
                    Line(LineX(s, v1), LineY(r - 1), LineX(s, v2), LineY(r), pen, kTrendPenWidth);
            }
        }
    }

    // Front numbers get a grey shadow one pixel right and down; back numbers
    // are plain blue.
    void TwoDigitNumbers(int d, int frontSlots, int frontMax, int backMax, int backX) {
        const ChartRow& row = m_rows.rows[static_cast<size_t>(d)];
        for (int s = 0; s < frontSlots; ++s) {
            const ChartSlot& slot = row.slot[static_cast<size_t>(s)];
            const int v = slot.Value();
            if (v >= 1 && v <= frontMax) {
                Text(14 * v - 7, 21 + 14 * d, kShadow, std::string(slot.Text()));
                Text(14 * v - 8, 20 + 14 * d, kRed, std::string(slot.Text()));
            }
        }
        for (int s = frontSlots; s < kChartMaxSlots; ++s) {
            const ChartSlot& slot = row.slot[static_cast<size_t>(s)];
            const int v = slot.Value();
            if (v >= 1 && v <= backMax)
                Text(backX + 14 * v, 20 + 14 * d, kBlue, std::string(slot.Text()));
        }
    }

    void DigitNumbers(int d, int positions, int cell, int top) {
        for (int s = 0; s < positions; ++s) {
            const int v = SlotValue(d, s);
            if (v < 0 || v > 9)
                continue;
            const int x = cell * (10 * s + v) + 9;
            const std::string digit = Decimal(v, 1);
            Text(x + 1, top + 1 + cell * d, kShadow, digit);
            Text(x, top + cell * d, kRed, digit);
        }
    }

    void Numbers() {
        for (int d = 0; d < m_rows.rowCount; ++d) {
            switch (m_layout) {
            case ChartLayout::Dlt:
                TwoDigitNumbers(d, 5, 35, 12, 482);
                break;
            case ChartLayout::Ssq:
                TwoDigitNumbers(d, 6, 33, 16, 454);
                break;
            case ChartLayout::ThreeDigit:
                DigitNumbers(d, 3, 14, 20);
                break;
            case ChartLayout::FiveDigit:
                DigitNumbers(d, 5, 13, 19);
                break;
            case ChartLayout::None:
                break;
            }
        }
    }

    ChartLayout m_layout;
    int m_cell;
    int m_gridRows;
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
