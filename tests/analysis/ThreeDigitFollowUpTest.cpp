#include "analysis/ThreeDigitFollowUp.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

// The report when every tally is 0: cells from 9 down to 0 everywhere.
std::string AllZeroReport() {
    std::string report;
    for (int d = 9; d >= 0; --d) {
        char line[64];
        std::snprintf(line, sizeof line, "00 = [%d] 00 = [%d] 00 = [%d]      [%d%d%d]\n", d, d, d,
                      d, d, d);
        report += line;
    }
    return report;
}

TEST(ThreeDigitFollowUpTest, TalliesTheDigitAfterEachMatchingPair) {
    const std::string box = "01 02 03\r\n"  // 0
                            "04 05 06\r\n"  // 1
                            "07 08 09\r\n"  // 2: follows the pair 0, 1 in every position
                            "01 05 03\r\n"  // 3
                            "04 05 06\r\n"  // 4
                            "02 08 01\r\n"  // 5: follows 3, 4 in positions 1 and 3
                            "01 02 03\r\n"  // older pattern row
                            "04 05 06\r\n"; // newest pattern row, then an empty line
    std::optional<std::string> report = ThreeDigitFollowUpReport(box);
    ASSERT_TRUE(report);
    EXPECT_EQ(*report, "01 = [7] 01 = [8] 01 = [9]      [789]\n"
                       "01 = [2] 00 = [9] 01 = [1]      [291]\n"
                       "00 = [9] 00 = [7] 00 = [8]      [978]\n"
                       "00 = [8] 00 = [6] 00 = [7]      [867]\n"
                       "00 = [6] 00 = [5] 00 = [6]      [656]\n"
                       "00 = [5] 00 = [4] 00 = [5]      [545]\n"
                       "00 = [4] 00 = [3] 00 = [4]      [434]\n"
                       "00 = [3] 00 = [2] 00 = [3]      [323]\n"
                       "00 = [1] 00 = [1] 00 = [2]      [112]\n"
                       "00 = [0] 00 = [0] 00 = [0]      [000]\n");
}

TEST(ThreeDigitFollowUpTest, DigitsWrittenWithLeadingBlanksFit) {
    const std::string box = " 1  2  3\r\n 4  5  6\r\n 7  8  9\r\n 0  0  0\r\n 1  2  3\r\n 4  5  6";
    std::optional<std::string> report = ThreeDigitFollowUpReport(box);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->substr(0, report->find('\n')), "01 = [7] 01 = [8] 01 = [9]      [789]");
}

TEST(ThreeDigitFollowUpTest, UnusableLinesArePassedOverWhenChoosingThePattern) {
    const std::string plain =
        "01 02 03\r\n04 05 06\r\n07 08 09\r\n00 00 00\r\n01 02 03\r\n04 05 06";
    const std::string gaps = "01 02 03\r\n04 05 06\r\n07 08 09\r\n00 00 00\r\n"
                             "01 02 03\r\n\r\n04 05 06\r\n1 2\r\n\r\n";
    std::optional<std::string> expected = ThreeDigitFollowUpReport(plain);
    ASSERT_TRUE(expected);
    EXPECT_NE(*expected, AllZeroReport());
    EXPECT_EQ(ThreeDigitFollowUpReport(gaps), expected);
}

TEST(ThreeDigitFollowUpTest, TooFewLinesGiveNoReportAndUnmatchedPairsCountNothing) {
    struct Case {
        const char* name;
        const char* box;
        bool written;
    };
    const Case cases[] = {
        {"three_lines", "01 02 03\r\n04 05 06\r\n", false},
        {"four_lines_one_usable", "01 02 03\r\n1\r\n2\r\n3", true},
        {"pattern_at_the_top", "01 02 03\r\n04 05 06\r\n\r\n\r\n", true},
        // Lines 2 and 3 repeat the pattern, but the line after them is the
        // older pattern row itself.
        {"pair_followed_by_the_pattern_is_not_examined",
         "99 99 99\r\n99 99 99\r\n01 02 03\r\n04 05 06\r\n01 02 03\r\n04 05 06\r\n", true},
        {"follow_line_of_other_bytes",
         "01 02 03\r\n04 05 06\r\n0a 0  0/\r\nx\r\n01 02 03\r\n04 05 06", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::optional<std::string> report = ThreeDigitFollowUpReport(c.box);
        EXPECT_EQ(report.has_value(), c.written);
        if (report) {
            EXPECT_EQ(*report, AllZeroReport());
        }
    }
}

} // namespace
} // namespace veltrix
