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
}

TEST(BackZonePairIndexTest, OtherPairTexts) {
    struct Case {
        const char* text;
        int index;
    };
    const Case cases[] = {
        {"11 03", 29}, // reversed order
        {" 3 11", 29}, // leading blanks, as atoi reads them
        {"13 02", -1}, // out of range
        {"07 07", -1}, {"ab cd", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BackZonePairIndex(c.text), c.index) << c.text;
}

TEST(BackZoneIndexTextTest, IndexesEveryFiveCharacterLineAndLeavesOutTheOthers) {
    struct Case {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"pairs", "03 11\r\n12 01\r\n", "03 11 29\r\n12 01 11\r\n"},
        {"invalid_pairs_show_minus_one", "13 02\r\n07 07", "13 02 -1\r\n07 07 -1\r\n"},
        {"long_row_then_pair", "2013001 01 05\r\n03 11", "03 11 29\r\n"},
        // A second press finds no line of five characters.
        {"second_press_empties_the_box", "03 11 29\r\n12 01 11\r\n", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BackZoneIndexText(c.text), c.expected) << c.name;
}

} // namespace
} // namespace veltrix
