// The row table's line limit and sorting. Which pairs fill which slots, and
// that parsing stops at the grid's rows and at 44, is checked by
// trend_chart_fuzz against a literal reading of the rule over its corpus; the slots' values by
// where TrendChartRowsTest finds their lines and numbers (00, 36, an empty slot).
#include "chart/ChartRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace veltrix {
namespace {

// A row's slot texts, "--" for an empty slot, blank-separated.
std::string RowText(const ChartRow& row, int slotCount) {
    std::string out;
    for (int s = 0; s < slotCount; ++s) {
        if (s > 0)
            out += ' ';
        const ChartSlot& slot = row.slot[static_cast<size_t>(s)];
        out += slot.filled ? std::string(slot.Text()) : "--";
    }
    return out;
}

std::vector<std::string> Rows(ChartLayout layout, const std::vector<std::string>& lines,
                              bool sort = false) {
    ChartRowTable table = ParseChartRows(layout, lines, kChartMaxRows);
    if (sort)
        SortChartRows(layout, table);
    std::vector<std::string> out;
    for (int r = 0; r < table.rowCount; ++r)
        out.push_back(RowText(table.rows[static_cast<size_t>(r)], ChartSlotsPerRow(layout)));
    return out;
}

using Lines = std::vector<std::string>;

TEST(ParseChartRows, ReadsOnlyFiftyLines) {
    // The digit layout skips short lines, so only the 50th line gives a row;
    // the 51st is never read.
    Lines lines(49, "03");
    lines.push_back("01 02 03");
    lines.push_back("04 05 06");
    EXPECT_EQ(Rows(ChartLayout::ThreeDigit, lines), Lines{"01 02 03"});
}

TEST(SortChartRows, SortsThePartsOfTheRow) {
    struct Case {
        ChartLayout layout;
        const char* line;
        const char* sorted;
    };
    const Case cases[] = {
        {ChartLayout::Dlt, "35 04 21 01 09 12 03", "01 04 09 21 35 03 12"},
        {ChartLayout::Dlt, "05 01", "-- -- -- 01 05 -- --"}, // empty slots sort first
        {ChartLayout::Dlt, "05 04 03 02 01 11", "01 02 03 04 05 -- 11"},
        {ChartLayout::Ssq, "33 01 02 03 04 05 01", "01 02 03 04 05 33 01"}, // back kept
        {ChartLayout::ThreeDigit, "09 01 05 xx", "09 01 05"},               // unsorted
        {ChartLayout::FiveDigit, "09 08 07 06 05", "09 08 07 06 05"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Rows(c.layout, {c.line}, /*sort=*/true), Lines{c.sorted}) << c.line;
}

} // namespace
} // namespace veltrix
