#include "analysis/BackZoneIndex.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

struct PairCase {
    const char* name;
    const char* text;
    int index;
};

class BackZonePairIndexTest : public testing::TestWithParam<PairCase> {};

TEST_P(BackZonePairIndexTest, GivesTheIndex) {
    EXPECT_EQ(BackZonePairIndex(GetParam().text), GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, BackZonePairIndexTest,
    testing::Values(PairCase{"one_two", "01 02", 1}, PairCase{"one_twelve", "01 12", 11},
                    PairCase{"two_three", "02 03", 12}, PairCase{"two_twelve", "02 12", 21},
                    PairCase{"three_eleven", "03 11", 29}, PairCase{"ten_twelve", "10 12", 65},
                    PairCase{"eleven_twelve", "11 12", 66}, PairCase{"reversed_order", "11 03", 29},
                    PairCase{"twelve_one", "12 01", 11},
                    PairCase{"leading_blanks_as_atoi", " 3 11", 29},
                    PairCase{"middle_character_ignored", "03x11", 29},
                    PairCase{"thirteen_is_out_of_range", "13 02", -1},
                    PairCase{"zero_is_out_of_range", "00 05", -1},
                    PairCase{"equal_numbers", "07 07", -1}, PairCase{"no_digits", "ab cd", -1},
                    PairCase{"negative", "-1 05", -1}),
    [](const testing::TestParamInfo<PairCase>& param) { return std::string(param.param.name); });

TEST(BackZonePairIndexTest, NumbersEveryPairOnceInLexicographicOrder) {
    int expected = 0;
    for (int lo = 1; lo <= 12; ++lo) {
        for (int hi = lo + 1; hi <= 12; ++hi) {
            char text[8];
            std::snprintf(text, sizeof text, "%02d %02d", lo, hi);
            SCOPED_TRACE(text);
            EXPECT_EQ(BackZonePairIndex(text), ++expected);
        }
    }
    EXPECT_EQ(expected, 66);
}

TEST(BackZoneIndexTextTest, IndexesEveryFiveCharacterLine) {
    EXPECT_EQ(BackZoneIndexText("03 11\r\n12 01\r\n"), "03 11 29\r\n12 01 11\r\n");
}

TEST(BackZoneIndexTextTest, InvalidPairsShowMinusOne) {
    EXPECT_EQ(BackZoneIndexText("13 02\r\n07 07"), "13 02 -1\r\n07 07 -1\r\n");
}

TEST(BackZoneIndexTextTest, OtherLinesAreLeftOut) {
    struct Case {
        const char* name;
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"four_characters", "3 11\r\n", ""},
        {"six_characters_trailing_blank", "03 11 \r\n", ""},
        {"long_row_then_pair", "2013001 01 05\r\n03 11", "03 11 29\r\n"},
        {"empty_text", "", ""},
        {"lone_line_feed_makes_six", "03\n 11\r\n01 02\r\n", "01 02 01\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BackZoneIndexText(c.text), c.expected);
    }
}

TEST(BackZoneIndexTextTest, SecondPressEmptiesTheBox) {
    std::string first = BackZoneIndexText("03 11\r\n12 01\r\n01 02\r\n");
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(BackZoneIndexText(first), "");
}

} // namespace
} // namespace veltrix
