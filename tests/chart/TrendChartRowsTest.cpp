// What the rows give: trend lines and numbers, per layout.

#include "SceneQueries.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

using namespace test;

constexpr int kHeight = 541;

std::vector<ChartLine> Trend(ChartLayout layout, std::vector<std::string> lines,
                             int height = kHeight) {
    return TrendLines(ComputeChartScene(layout, Input(height, std::move(lines))));
}

std::vector<ChartText> Numbers(ChartLayout layout, std::vector<std::string> lines,
                               int height = kHeight) {
    return Primitives<ChartText>(ComputeChartScene(layout, Input(height, std::move(lines))),
                                 Part::AfterLabel);
}

ChartLine Trend14(int x1, int row, int x2, ChartColor pen) {
    return {x1, 27 + 14 * row, x2, 27 + 14 * (row + 1), pen, 2};
}

TEST(DltTrendLines, SlotBySlotWithAlternatingPens) {
    const std::vector<ChartLine> expected = {
        Trend14(14 * 1 - 1, 0, 14 * 2 - 1, kPenRed),
        Trend14(14 * 2 - 1, 0, 14 * 3 - 1, kPenBlue),
        Trend14(14 * 3 - 1, 0, 14 * 4 - 1, kPenRed),
        Trend14(14 * 4 - 1, 0, 14 * 5 - 1, kPenBlue),
        Trend14(14 * 5 - 1, 0, 14 * 6 - 1, kPenRed),
        Trend14(14 * (6 + 35) - 1, 0, 14 * (7 + 35) - 1, kPenBlue),
        Trend14(14 * (7 + 35) - 1, 0, 14 * (8 + 35) - 1, kPenRed),
    };
    EXPECT_EQ(Trend(ChartLayout::Dlt, {"01 02 03 04 05 06 07", "02 03 04 05 06 07 08"}), expected);
}

TEST(DltTrendLines, AllSegmentsOfASlotBeforeTheNextSlot) {
    const std::vector<ChartLine> lines = Trend(
        ChartLayout::Dlt, {"01 02 03 04 05 01 02", "01 02 03 04 05 01 02", "01 02 03 04 05 01 02"});
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], Trend14(13, 0, 13, kPenRed));
    EXPECT_EQ(lines[1], Trend14(13, 1, 13, kPenRed));
    EXPECT_EQ(lines[2], Trend14(27, 0, 27, kPenBlue));
}

TEST(DltTrendLines, BackNumbersSortedBeforeJoining) {
    // Back 12 03 is drawn as 03 12: slot 5 joins 03 to 01, slot 6 joins 12 to 02.
    const std::vector<ChartLine> lines =
        Trend(ChartLayout::Dlt, {"01 02 03 04 05 12 03", "01 02 03 04 05 01 02"});
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[5], Trend14(14 * 38 - 1, 0, 14 * 36 - 1, kPenBlue));
    EXPECT_EQ(lines[6], Trend14(14 * 47 - 1, 0, 14 * 37 - 1, kPenRed));
}

TEST(DltTrendLines, OutOfRangeValueLeavesAGapInItsSlotOnly) {
    // Row 1 has 00 (sorted into slot 0) and 36 (sorted into slot 4): the two
    // segments touching each are left out, the other slots keep theirs.
    const std::vector<ChartLine> lines = Trend(
        ChartLayout::Dlt, {"05 10 20 30 31 01 02", "00 11 21 30 36 01 02", "06 12 22 30 33 03 04"});
    ASSERT_EQ(lines.size(), 10u);
    for (const ChartLine& line : lines) {
        EXPECT_NE(line.x1, 14 * 5 - 1) << "slot 0 has no line";
        EXPECT_NE(line.x2, 14 * 33 - 1) << "slot 4 has no line";
    }
    EXPECT_EQ(lines[0], Trend14(14 * 10 - 1, 0, 14 * 11 - 1, kPenBlue));
    EXPECT_EQ(lines[1], Trend14(14 * 11 - 1, 1, 14 * 12 - 1, kPenBlue));
}

TEST(DltTrendLines, BackValuesBeyondTwelveStillGetLines) {
    // 13 to 35 in the back slots: lines at 14 * (v + 35) - 1, right of the back zone.
    const std::vector<ChartLine> lines =
        Trend(ChartLayout::Dlt, {"01 02 03 04 05 13 20", "01 02 03 04 05 01 35"});
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[5], Trend14(671, 0, 503, kPenBlue));
    EXPECT_EQ(lines[6], Trend14(769, 0, 979, kPenRed));
}

TEST(TrendLines, FewerThanTwoRowsDrawNone) {
    EXPECT_TRUE(Trend(ChartLayout::Dlt, {}).empty());
    EXPECT_TRUE(Trend(ChartLayout::Dlt, {"01 02 03 04 05 06 07"}).empty());
    EXPECT_TRUE(Trend(ChartLayout::Ssq, {"01 02 03 04 05 06 07", "", ""}).empty());
    EXPECT_TRUE(Trend(ChartLayout::FiveDigit, {"01 02 03 04 05"}).empty());
}

TEST(TrendLines, RowsBeyondTheGridAreNotParsed) {
    // Height 52: R = 3, two result rows fit; the third line gives nothing.
    const std::vector<std::string> rows = {"01 02 03 04 05 06 07", "02 03 04 05 06 07 08",
                                           "03 04 05 06 07 08 09"};
    EXPECT_EQ(Trend(ChartLayout::Dlt, rows, 52).size(), 7u);
    EXPECT_EQ(Trend(ChartLayout::Dlt, rows, 66).size(), 14u);
    // Height 38: one result row, no lines; height 24: none at all.
    EXPECT_TRUE(Trend(ChartLayout::Dlt, rows, 38).empty());
    EXPECT_TRUE(Numbers(ChartLayout::Dlt, rows, 24).empty());
    EXPECT_EQ(Numbers(ChartLayout::Dlt, rows, 38).size(), 2u * 5u + 2u);
}

TEST(TrendLines, TableStopsAt44RowsOnATallWindow) {
    std::vector<std::string> rows(50, "01 02 03 04 05 06 07");
    const std::vector<ChartText> numbers = Numbers(ChartLayout::Dlt, rows, 2000);
    ASSERT_FALSE(numbers.empty());
    EXPECT_EQ(numbers.back(), (ChartText{482 + 14 * 7, 20 + 14 * 43, kBlue, "07"}));
    EXPECT_EQ(Trend(ChartLayout::Dlt, rows, 2000).size(), 7u * 43u);
}

TEST(SsqTrendLines, BackSlotRightOfTheFront) {
    const std::vector<ChartLine> lines =
        Trend(ChartLayout::Ssq, {"01 02 03 04 05 33 16", "01 02 03 04 05 06 17"});
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[5], Trend14(14 * 33 - 1, 0, 14 * 6 - 1, kPenBlue));
    EXPECT_EQ(lines[6], Trend14(14 * (16 + 33) - 1, 0, 14 * (17 + 33) - 1, kPenRed));
}

TEST(SsqTrendLines, Only1To33GetLines) {
    // Slot 6 holds 34 in row 0: no line for it.
    const std::vector<ChartLine> lines =
        Trend(ChartLayout::Ssq, {"01 02 03 04 05 06 34", "01 02 03 04 05 06 01"});
    EXPECT_EQ(lines.size(), 6u);
}

TEST(ThreeDigitTrendLines, PositionsAndDigits) {
    const std::vector<ChartLine> lines =
        Trend(ChartLayout::ThreeDigit, {"01 05 09 x", "02 06 00 x"});
    const std::vector<ChartLine> expected = {
        Trend14(14 * 1 + 13, 0, 14 * 2 + 13, kPenRed),
        Trend14(14 * 15 + 13, 0, 14 * 16 + 13, kPenBlue),
        Trend14(14 * 29 + 13, 0, 14 * 20 + 13, kPenRed),
    };
    EXPECT_EQ(lines, expected);
}

TEST(ThreeDigitTrendLines, EmptySlotCountsAsZero) {
    const std::vector<ChartLine> lines =
        Trend(ChartLayout::ThreeDigit, {"03 05 xxx", "04 06 07 x"});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], Trend14(14 * 20 + 13, 0, 14 * 27 + 13, kPenRed));
}

TEST(FiveDigitTrendLines, ThirteenPixelGrid) {
    const std::vector<ChartLine> lines =
        Trend(ChartLayout::FiveDigit, {"00 01 02 03 09", "09 08 07 06 00", "01 01 01 01 01"});
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], (ChartLine{13 * 1, 26, 13 * 10, 39, kPenRed, 2}));
    EXPECT_EQ(lines[1], (ChartLine{13 * 10, 39, 13 * 2, 52, kPenRed, 2}));
    EXPECT_EQ(lines[2], (ChartLine{13 * 12, 26, 13 * 19, 39, kPenBlue, 2}));
    EXPECT_EQ(lines[8], (ChartLine{13 * 50, 26, 13 * 41, 39, kPenRed, 2}));
    EXPECT_EQ(lines[9], (ChartLine{13 * 41, 39, 13 * 42, 52, kPenRed, 2}));
}

TEST(DltNumbers, FrontWithShadowThenBackInBlue) {
    const std::vector<ChartText> numbers =
        Numbers(ChartLayout::Dlt, {"", "35 01 07 20 11 12 03", "36 00 13"});
    const std::vector<ChartText> expected = {
        {14 * 1 - 7, 21, kGrey, "01"},
        {14 * 1 - 8, 20, kRed, "01"},
        {14 * 7 - 7, 21, kGrey, "07"},
        {14 * 7 - 8, 20, kRed, "07"},
        {14 * 11 - 7, 21, kGrey, "11"},
        {14 * 11 - 8, 20, kRed, "11"},
        {14 * 20 - 7, 21, kGrey, "20"},
        {14 * 20 - 8, 20, kRed, "20"},
        {14 * 35 - 7, 21, kGrey, "35"},
        {14 * 35 - 8, 20, kRed, "35"},
        {482 + 14 * 3, 20, kBlue, "03"},
        {482 + 14 * 12, 20, kBlue, "12"},
        // Row 1: 00 and 36 are out of range, 13 is a front value here.
        {14 * 13 - 7, 35, kGrey, "13"},
        {14 * 13 - 8, 34, kRed, "13"},
    };
    EXPECT_EQ(numbers, expected);
}

TEST(DltNumbers, BackValuesBeyondTwelveHaveNoNumber) {
    const std::vector<ChartText> numbers = Numbers(ChartLayout::Dlt, {"01 02 03 04 05 13 35"});
    for (const ChartText& t : numbers)
        EXPECT_NE(t.color, kBlue) << FormatChartPrimitive(t);
    EXPECT_EQ(numbers.size(), 10u);
}

TEST(SsqNumbers, BackUpToSixteen) {
    const std::vector<ChartText> numbers =
        Numbers(ChartLayout::Ssq, {"-", "-", "33 01 02 03 04 05 16"});
    ASSERT_EQ(numbers.size(), 13u);
    EXPECT_EQ(numbers[0], (ChartText{14 * 1 - 7, 21 + 28, kGrey, "01"}));
    EXPECT_EQ(numbers[11], (ChartText{14 * 33 - 8, 20 + 28, kRed, "33"}));
    EXPECT_EQ(numbers[12], (ChartText{454 + 14 * 16, 20 + 28, kBlue, "16"}));
    EXPECT_EQ(Numbers(ChartLayout::Ssq, {"01 02 03 04 05 06 17"}).size(), 12u);
}

TEST(ThreeDigitNumbers, DigitPerPositionAndZeroForAnEmptySlot) {
    // 3d/p3 rows as a query gives them: the issue number has no 0d pair here.
    const std::vector<ChartText> numbers =
        Numbers(ChartLayout::ThreeDigit, {"2124123 07 03", "07 02 01 x"});
    const std::vector<ChartText> expected = {
        {14 * 7 + 10, 21, kGrey, "7"},  {14 * 7 + 9, 20, kRed, "7"},
        {14 * 13 + 10, 21, kGrey, "3"}, {14 * 13 + 9, 20, kRed, "3"},
        {14 * 20 + 10, 21, kGrey, "0"}, {14 * 20 + 9, 20, kRed, "0"},
        {14 * 7 + 10, 35, kGrey, "7"},  {14 * 7 + 9, 34, kRed, "7"},
        {14 * 12 + 10, 35, kGrey, "2"}, {14 * 12 + 9, 34, kRed, "2"},
        {14 * 21 + 10, 35, kGrey, "1"}, {14 * 21 + 9, 34, kRed, "1"},
    };
    EXPECT_EQ(numbers, expected);
}

TEST(FiveDigitNumbers, ThirteenPixelCells) {
    const std::vector<ChartText> numbers =
        Numbers(ChartLayout::FiveDigit, {"xxxxxxxx", "09 08 07 06 05"});
    ASSERT_EQ(numbers.size(), 20u);
    // Row 0 has no values: every position draws 0.
    EXPECT_EQ(numbers[0], (ChartText{13 * 0 + 10, 20, kGrey, "0"}));
    EXPECT_EQ(numbers[9], (ChartText{13 * 40 + 9, 19, kRed, "0"}));
    EXPECT_EQ(numbers[10], (ChartText{13 * 9 + 10, 20 + 13, kGrey, "9"}));
    EXPECT_EQ(numbers[11], (ChartText{13 * 9 + 9, 19 + 13, kRed, "9"}));
    EXPECT_EQ(numbers[19], (ChartText{13 * 45 + 9, 19 + 13, kRed, "5"}));
}

TEST(ChartRows, ScrollingShowsLaterRows) {
    // The window passes the lines from its first visible line on.
    // Line i holds the single value i % 35 + 1.
    std::string text;
    for (int i = 0; i < 60; ++i) {
        const int value = i % 35 + 1;
        if (value < 10)
            text += '0';
        text += std::to_string(value) + "\r\n";
    }
    const auto first = [&](int firstLine) {
        const std::vector<ChartText> n = Primitives<ChartText>(
            ComputeTrendChart("dlt", Input(kHeight, ChartLinesFromText(text, firstLine))),
            Part::AfterLabel);
        return n.empty() ? std::string() : n[1].text;
    };
    EXPECT_EQ(first(0), "01");
    EXPECT_EQ(first(10), "11");
    EXPECT_EQ(first(59), "25");
    EXPECT_EQ(first(60), "");
}

} // namespace
} // namespace veltrix
