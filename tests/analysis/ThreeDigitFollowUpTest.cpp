// One worked report; the pattern choice, short lines and too few lines are
// checked against a literal reading of the rule by three_digit_follow_up_fuzz
// over its corpus in every test run.
#include "analysis/ThreeDigitFollowUp.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

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

} // namespace
} // namespace veltrix
