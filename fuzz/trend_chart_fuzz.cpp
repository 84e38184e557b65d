// Result text → the chart's lines → row table → scene, for every layout.
//
// Input: byte 0 picks the command text, bytes 1-2 the client height, bytes
// 3-6 the record count, bytes 7-8 the first visible line; the rest is the
// result box's text.
//
// What must hold: the lines are those the box shows from the first visible
// one (at most 50, each at most 255 bytes); the row table is what a plain
// reading of the chart's parsing rule gives (pairs of characters, a carriage
// return ends a row), never more than 44 rows nor more than the grid holds;
// the scene has the layout's shape, its grid is the grid of an empty box,
// and every primitive lies where the layout can put one. With the omission
// option on, the scene is the same plus notes in empty cells only, counted
// over the whole text; with the statistics rows on, each grid column gets
// one note per statistics row.

#include "chart/ChartRows.h"
#include "chart/ChartSceneText.h"
#include "chart/TrendChart.h"
#include "common/Strings.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace veltrix;

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "trend_chart_fuzz: %s\n", what);
    std::abort();
}

constexpr const char* kCommands[] = {
    "select top 30 * from dlt order by qs desc",
    "select * from ssq",
    "SELECT str(h1),str(h2),str(h3) FROM 3D",
    "select * from p3",
    "select * from p5",
    "select * from 7xc",
    "select * from t22x5",
    "ssq p5",
    "",
};

std::uint32_t Bytes(const std::uint8_t* data, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = value << 8 | data[i];
    return value;
}

// The lines the result box hands out from firstLine on, read one by one.
std::vector<std::string> LiteralChartLines(std::string_view text, int firstLine) {
    std::vector<std::string_view> all = SplitEditLines(text);
    std::vector<std::string> lines;
    for (int i = 0; i < kChartLinesRead; ++i) {
        const size_t index = static_cast<size_t>(firstLine) + static_cast<size_t>(i);
        lines.emplace_back(index < all.size() ? all[index].substr(0, kChartLineMaxBytes)
                                              : std::string_view());
    }
    return lines;
}

// The parsing rule read step by step: the used lines joined with CR LF, then
// every position i < length - 1 looked at in turn.
ChartRowTable LiteralParse(ChartLayout layout, const std::vector<std::string>& lines, int maxRows) {
    ChartRowTable table;
    const bool digitLayout = layout == ChartLayout::ThreeDigit || layout == ChartLayout::FiveDigit;
    const int slots = layout == ChartLayout::ThreeDigit  ? 3
                      : layout == ChartLayout::FiveDigit ? 5
                                                         : 7;
    const int limit = std::min(maxRows, kChartMaxRows);
    if (layout == ChartLayout::None || limit <= 0)
        return table;
    std::string text;
    for (size_t n = 0; n < lines.size() && n < static_cast<size_t>(kChartLinesRead); ++n) {
        std::string line = lines[n].substr(0, kChartLineMaxBytes);
        if (digitLayout ? line.size() >= 8 : !line.empty())
            text += line + "\r\n";
    }
    size_t i = 0;
    while (text.size() >= 2 && i < text.size() - 1) {
        const char c = text[i];
        const char c2 = text[i + 1];
        const bool pair =
            digitLayout ? c == '0' && IsAsciiDigit(c2) : IsAsciiDigit(c) && IsAsciiDigit(c2);
        if (pair) {
            ChartRow& row = table.rows[static_cast<size_t>(table.rowCount)];
            if (row.filled < slots) {
                ChartSlot& slot = row.slot[static_cast<size_t>(row.filled)];
                slot.text[0] = c;
                slot.text[1] = c2;
                slot.filled = true;
                ++row.filled;
            }
            ++i;
        } else if (c == '\r') {
            ++table.rowCount;
            if (table.rowCount == limit)
                break;
        }
        ++i;
    }
    return table;
}

// Completed rows only: what an unfinished row holds is not part of the table.
bool SameTable(const ChartRowTable& a, const ChartRowTable& b) {
    if (a.rowCount != b.rowCount)
        return false;
    for (size_t r = 0; r < static_cast<size_t>(a.rowCount); ++r) {
        for (size_t s = 0; s < kChartMaxSlots; ++s) {
            if (a.rows[r].slot[s].Text() != b.rows[r].slot[s].Text())
                return false;
        }
    }
    return true;
}

void CheckScene(ChartLayout layout, const ChartInput& input, const ChartScene& scene,
                int parsedRows) {
    if (layout == ChartLayout::None) {
        if (!scene.primitives.empty())
            Fail("a game without a chart got a scene");
        return;
    }
    const int cell = ChartCellSize(layout);
    const int gridRows = ChartGridRows(layout, input.clientHeight);
    const int gridBottom = 5 + cell * gridRows;
    const int slots = ChartSlotsPerRow(layout);

    size_t labels = 0;
    size_t trendLines = 0;
    for (const ChartPrimitive& primitive : scene.primitives) {
        if (const auto* label = std::get_if<ChartLabel>(&primitive)) {
            ++labels;
            if (label->text != std::to_string(input.recordCount))
                Fail("the label is not the record count");
        } else if (const auto* fill = std::get_if<ChartFill>(&primitive)) {
            if (labels != 0 || fill->x1 < 5 || fill->x2 > 691 || fill->x1 >= fill->x2 ||
                fill->y1 != 5 || (fill->y2 != gridBottom && fill->y2 != 5 + 14 * gridRows))
                Fail("a band outside the chart area");
        } else if (const auto* line = std::get_if<ChartLine>(&primitive)) {
            if (labels == 0) {
                if (line->width != 1 || line->x1 < 5 || line->x2 > 692)
                    Fail("a grid line outside the grid");
                continue;
            }
            ++trendLines;
            if (line->width != 2 || line->y2 - line->y1 != cell || line->x1 < 0 ||
                line->x1 > 14 * 70 || line->x2 < 0 || line->x2 > 14 * 70 || line->y1 < 0 ||
                line->y2 >= gridBottom)
                Fail("a trend line outside the rows");
        } else if (const auto* text = std::get_if<ChartText>(&primitive)) {
            if (text->text.empty() ||
                text->text.find_first_not_of("0123456789") != std::string::npos || text->x < 0 ||
                text->x >= kChartAreaWidth || text->y < 0 ||
                text->y + cell > std::max(gridBottom, 5 + cell) + 2)
                Fail("a text outside the chart area");
            // Header and row labels come before the record count (a row
            // label has as many digits as the grid has rows); the numbers of
            // the rows after it, two characters at most.
            if (labels != 0 && (text->text.size() > 2 || text->y < 19))
                Fail("a number outside the result rows");
        }
    }
    if (labels != 1)
        Fail("not exactly one record-count label");
    if (trendLines > static_cast<size_t>(slots) * static_cast<size_t>(std::max(parsedRows - 1, 0)))
        Fail("more trend lines than rows to join");
    if (parsedRows > std::max(gridRows - 1, 0) || parsedRows > kChartMaxRows)
        Fail("more rows than the grid or the table holds");

    std::string text = FormatChartScene(scene);
    if (static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) != scene.primitives.size())
        Fail("the scene text has not one line per primitive");
}

// Everything before the record-count label: the bands, grid and header.
std::vector<ChartPrimitive> GridPart(const ChartScene& scene) {
    std::vector<ChartPrimitive> grid;
    for (const ChartPrimitive& primitive : scene.primitives) {
        if (std::holds_alternative<ChartLabel>(primitive))
            break;
        grid.push_back(primitive);
    }
    return grid;
}

void CheckOptions(ChartLayout layout, ChartInput input, std::string_view text, int firstLine,
                  const ChartScene& plain) {
    const ChartHistory history = ChartHistoryOfText(layout, text);
    if (history.RowsBeforeLine(firstLine) > history.RowCount())
        Fail("more rows before a line than in the text");
    input.history = &history;
    input.firstLine = firstLine;
    input.omission = true;
    const ChartScene withNotes = ComputeChartScene(layout, input);
    std::vector<ChartPrimitive> withoutNotes;
    for (const ChartPrimitive& primitive : withNotes.primitives) {
        const auto* note = std::get_if<ChartText>(&primitive);
        if (note == nullptr || !note->small)
            withoutNotes.push_back(primitive);
        else if (note->text.empty() || std::atoi(note->text.c_str()) < 1 ||
                 std::atoi(note->text.c_str()) > history.RowCount())
            Fail("an omission outside 1 .. the text's rows");
    }
    if (withoutNotes != plain.primitives)
        Fail("the omission option changed more than its notes");

    input.omission = false;
    input.statistics = true;
    const ChartScene withStatistics = ComputeChartScene(layout, input);
    const int gridRows = ChartGridRows(layout, input.clientHeight);
    const size_t expected = static_cast<size_t>(std::clamp(gridRows - 1, 0, 4)) *
                            static_cast<size_t>(std::max(FactsOf(layout).lastGridColumn, 0));
    size_t notes = 0;
    for (const ChartPrimitive& primitive : withStatistics.primitives) {
        const auto* note = std::get_if<ChartText>(&primitive);
        notes += note != nullptr && note->small;
    }
    if (notes != expected)
        Fail("not one statistics note per column and statistics row");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 9)
        return 0;
    const char* command = kCommands[data[0] % std::size(kCommands)];
    ChartInput input;
    input.clientHeight = static_cast<int>(Bytes(data + 1, 2)) - 100;
    input.recordCount = static_cast<int>(Bytes(data + 3, 4));
    const int firstLine = static_cast<int>(Bytes(data + 7, 2));
    std::string_view text(reinterpret_cast<const char*>(data) + 9, size - 9);

    input.lines = ChartLinesFromText(text, firstLine);
    if (input.lines != LiteralChartLines(text, firstLine))
        Fail("the chart reads other lines than the box shows");

    const ChartLayout layout = ChooseChartLayout(command);
    const int maxRows = ChartGridRows(layout, input.clientHeight) - 1;
    ChartRowTable rows = ParseChartRows(layout, input.lines, maxRows);
    if (!SameTable(rows, LiteralParse(layout, input.lines, maxRows)))
        Fail("the row table differs from the parsing rule");

    ChartScene scene = ComputeTrendChart(command, input);
    CheckScene(layout, input, scene, rows.rowCount);
    ChartInput blank = input;
    blank.lines = ChartLinesFromText("", 0);
    if (GridPart(scene) != GridPart(ComputeTrendChart(command, blank)))
        Fail("the grid depends on the rows");
    CheckOptions(layout, input, text, firstLine, scene);
    return 0;
}
