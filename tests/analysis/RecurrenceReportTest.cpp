// A worked line. The report is checked against its row-by-row rescan by
// recurrence_report_fuzz over its corpus in every test run: random scratch
// texts and random bytes, which rows it reads (a line end counts towards the
// ten bytes) and the edges of the thirty-row window.
#include "analysis/RecurrenceReport.h"
#include "common/Strings.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(RecurrenceReportTest, ExampleLine) {
    // Above the last row: 01 in 7 rows, 05 in 4, 12 in 9, 23 in none, 34 in 3.
    std::string text;
    for (int r = 0; r < 30; ++r) {
        text += r < 7 ? "01 " : "40 ";
        text += r < 4 ? "05 " : "41 ";
        text += r < 9 ? "12 " : "42 ";
        text += "43 ";
        text += r < 3 ? "34" : "44";
        text += " 45 46\r\n";
    }
    text += "01 05 12 23 34 03 11\r\n";
    EXPECT_EQ(RecurrenceReportText(ToTextModeBytes(text)), "01 05 12 23 34 [ 97430]\n");
}

} // namespace
} // namespace veltrix
