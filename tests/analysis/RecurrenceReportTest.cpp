// A worked line, and the report against its row-by-row rescan on random
// texts: which rows it reads (a line end counts towards the ten bytes) and
// the edges of the thirty-row window among them; recurrence_report_fuzz
// replays more over its corpus.
#include "analysis/RecurrenceReport.h"
#include "LiteralReports.h"
#include "RandomResultText.h"
#include "common/Strings.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

// What the scratch file holds for a result text.
std::string Scratch(const std::string& resultText) {
    return ToTextModeBytes(resultText);
}

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
    EXPECT_EQ(RecurrenceReportText(Scratch(text)), "01 05 12 23 34 [ 97430]\n");
}

TEST(RecurrenceReportTest, MatchesTheRowByRowRescanOnRandomTexts) {
    // Result texts as the scratch file holds them, and then texts that are
    // none at all: any byte, lone line feeds, rows of every length.
    std::mt19937 random(7177);
    std::uniform_int_distribution<int> lineCount(0, 90);
    std::uniform_int_distribution<int> highest(2, 35);
    std::uniform_int_distribution<int> length(0, 2000);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int round = 0; round < 500; ++round) {
        std::string scratch;
        if (round < 300) {
            scratch =
                Scratch(test::RandomResultText(random, lineCount(random), 7, highest(random)));
        } else {
            for (int i = length(random); i > 0; --i) {
                int p = percent(random);
                scratch += p < 6    ? '\n'
                           : p < 40 ? static_cast<char>('0' + byte(random) % 3)
                                    : static_cast<char>(byte(random));
            }
        }
        SCOPED_TRACE(testing::Message()
                     << "round " << round << " scratch " << testing::PrintToString(scratch));
        ASSERT_EQ(RecurrenceReportText(scratch), test::LiteralRecurrence(scratch));
    }
}

} // namespace
} // namespace veltrix
