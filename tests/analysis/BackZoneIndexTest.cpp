// The numbering of the 66 pairs; other pair texts and which lines the index
// text keeps are checked against a literal reading of the rule by
// back_zone_index_fuzz over its corpus in every test run.
#include "analysis/BackZoneIndex.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(BackZonePairIndexTest, NumbersEveryPairOnceInLexicographicOrder) {
    // 01 02 is 1, 01 12 is 11, 02 03 is 12, ..., 11 12 is 66.
    int expected = 0;
    for (int lo = 1; lo <= 12; ++lo) {
        for (int hi = lo + 1; hi <= 12; ++hi) {
            char text[8];
            std::snprintf(text, sizeof text, "%02d %02d", lo, hi);
            EXPECT_EQ(BackZonePairIndex(text), ++expected) << text;
        }
    }
    EXPECT_EQ(expected, 66);
    EXPECT_EQ(BackZoneIndexText("03 11\r\n13 02\r\n2013001 01 05"), "03 11 29\r\n13 02 -1\r\n");
}

} // namespace
} // namespace veltrix
