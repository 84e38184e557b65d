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

std::string Rows(const std::string& row, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += row + "\r\n";
    return out;
}

const std::string kFiller = "40 41 42 43 44 45 46";

TEST(RecurrenceRowsTest, KeepRuleCountsTheLineEnd) {
    struct Case {
        const char* name;
        std::string scratch;
        std::vector<std::string_view> rows;
    };
    const Case cases[] = {
        {"full_row_cut_to_fourteen", Scratch("01 05 12 23 34 03 11\r\n"), {"01 05 12 23 34"}},
        {"eight_bytes_keep_their_line_end", Scratch("01 05 12\r\n"), {"01 05 12\r\r\n"}},
        {"six_bytes_dropped", Scratch("01 05 \r\n"), {}},
        {"last_line_without_end", Scratch("01 05\r\n01 05 12 23 34 03 11"), {"01 05 12 23 34"}},
        {"long_row_is_one_row",
         Scratch(std::string(300, '7') + "\r\n01 05 12 23 34\r\n"),
         {"77777777777777", "01 05 12 23 34"}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RecurrenceRows(c.scratch), c.rows);
    }
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

TEST(RecurrenceReportTest, TalliesOverTheThirtyRowsAbove) {
    const std::string ones = "01 41 42 43 44 45 46\r\n";
    struct Case {
        const char* name;
        std::string text;
        std::string report;
    };
    // clang-format off
    const Case cases[] = {
        {"thirty_rows_give_nothing", Rows(kFiller, 30), ""},
        {"rows_from_thirty_on", Rows(kFiller, 31), "40 41 42 43 44 [3030303030]\n"},
        // 01 stands in row 0, which row 30 still sees and row 31 no longer does.
        {"window_reaches_row_zero", ones + Rows(kFiller, 29) + ones,
         "01 41 42 43 44 [303030301]\n"},
        {"window_is_exactly_thirty_rows",
         ones + Rows(kFiller, 29) + "02 41 42 43 44 45 46\r\n" + ones,
         "02 41 42 43 44 [303030300]\n01 41 42 43 44 [303030300]\n"},
        // The parts of "02 06 13" are 02, 06, 13, the CR LF at bytes 9-10 and the
        // empty text at 12-13; only the short row above holds a CR LF.
        {"short_kept_rows_carry_no_line_end_into_the_report",
         Rows(kFiller, 29) + "01 05 12\r\n02 06 13\r\n", "02 06 13 [301000]\n"},
        {"parts_found_anywhere_in_the_row_text",
         Rows(kFiller, 29) + "12345678901234567\r\n12 23 34 45 56 67\r\n",
         "12 23 34 45 56 [ 11111]\n"},
        {"a_row_holding_a_number_twice_counts_once",
         Rows(kFiller, 29) + "07 07 07 07 07 07 07\r\n07 41 42 43 44 45 46\r\n",
         "07 41 42 43 44 [292929291]\n"},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(RecurrenceReportText(Scratch(c.text)), c.report) << c.name;
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
