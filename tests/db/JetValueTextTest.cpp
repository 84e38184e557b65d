// The pure pieces under the Jet functions: date texts, number texts,
// rounding, and Format's patterns, tested without a database.
#include "db/JetDates.h"
#include "db/JetFormat.h"
#include "db/JetNumbers.h"

#include <gtest/gtest.h>
#include <limits>

namespace veltrix::jet {
namespace {

TEST(JetDateTextTest, AcceptedFormsReadAsTheSameDate) {
    const std::pair<const char*, const char*> cases[] = {
        {"2004-10-18", "2004-10-18"},
        {"2004/1/8", "2004-01-08"},
        {"2004.1.8", "2004-01-08"},
        {"2004-1-08", "2004-01-08"},
        {"20041018", "2004-10-18"},
        {"10/18/2004", "2004-10-18"},
        {"1/8/04", "2004-01-08"},
        {"1/8/75", "1975-01-08"},
        {" 2004-10-18 ", "2004-10-18"},
        {"2004-10-18 13:05", "2004-10-18 13:05:00"},
        {"2004-10-18T13:05:09", "2004-10-18 13:05:09"},
        {"2004-10-18 1:05 PM", "2004-10-18 13:05:00"},
        {"2004-10-18 00:00:00", "2004-10-18"},
        {"13:05:09", "13:05:09"},
        {"2000-02-29", "2000-02-29"},
        {"9999-12-31", "9999-12-31"},
    };
    for (auto [text, expected] : cases) {
        SCOPED_TRACE(text);
        JetDate date;
        ASSERT_TRUE(ParseDateText(text, date));
        EXPECT_EQ(date.Text(), expected);
    }
}

TEST(JetDateTextTest, InvalidDatesAreRefused) {
    for (const char* text :
         {"", "abc", "2004-02-30", "1900-02-29", "2004-13-01", "2004-1-32", "2004-10", "20041340",
          "99999-01-01", "0099-01-01", "2004-10-18 25:00", "2004-10-18 12:60", "2004-10-18x",
          "2004/10-18", "2004--10-18", "12:5", "13:00 PM"}) {
        SCOPED_TRACE(text);
        JetDate date;
        EXPECT_FALSE(ParseDateText(text, date));
    }
}

TEST(JetDateTextTest, SerialsWeekdaysAndRange) {
    JetDate date;
    ASSERT_TRUE(JetDate::FromSerial(38278, date)); // Jet's serial of 2004-10-18
    EXPECT_EQ(date.Text(), "2004-10-18");
    ASSERT_TRUE(JetDate::FromSerial(38278.5, date));
    EXPECT_EQ(date.Text(), "2004-10-18 12:00:00");
    ASSERT_TRUE(JetDate::FromParts(2004, 14, 0, 0, date)); // month 14, day 0
    EXPECT_EQ(date.Text(), "2005-01-31");
    EXPECT_FALSE(JetDate::FromParts(10000, 1, 1, 0, date));
    EXPECT_FALSE(JetDate::FromParts(99, 12, 31, 0, date));
    EXPECT_FALSE(JetDate::FromParts(INT64_MAX, INT64_MIN, INT64_MAX, 0, date));
    EXPECT_FALSE(JetDate::FromSerial(1e300, date));
    EXPECT_FALSE(JetDate::FromSerial(std::numeric_limits<double>::quiet_NaN(), date));
}

TEST(JetNumberTextTest, TextsThatReadAsNumbers) {
    struct Case {
        const char* text;
        bool isInteger;
        double value;
    };
    const Case cases[] = {{" 12 ", true, 12},   {"-7", true, -7},
                          {"+3", true, 3},      {"2.5", false, 2.5},
                          {"-.5", false, -0.5}, {"5.", false, 5},
                          {"1e3", false, 1000}, {"1D2", false, 100},
                          {"007", true, 7},     {"99999999999999999999", false, 1e20}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::optional<Number> number = ParseNumericText(c.text);
        ASSERT_TRUE(number.has_value());
        EXPECT_EQ(number->isInteger, c.isInteger);
        EXPECT_DOUBLE_EQ(number->AsDouble(), c.value);
    }
    for (const char* text : {"", " ", "12a", "a12", "1e", "1e+", ".", "-", "inf", "nan", "0x10",
                             "1,000", "1 2", "1e999"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseNumericText(text).has_value());
    }
}

TEST(JetNumberTextTest, JetWritesNumbers) {
    EXPECT_EQ(RealText(0.1 + 0.2), "0.3");
    EXPECT_EQ(RealText(1e20), "1E+20");
    EXPECT_EQ(RealText(-2.5), "-2.5");
    EXPECT_EQ(StrText(Number::Real(0.25)), " .25");
    EXPECT_EQ(StrText(Number::Integer(-3)), "-3");
    EXPECT_EQ(NumberText(Number::Integer(INT64_MIN)), "-9223372036854775808");
}

TEST(JetRoundingTest, HalfToEvenOnTheDigitsShown) {
    const std::tuple<double, int, double> cases[] = {
        {2.5, 0, 2},        {3.5, 0, 4},      {-2.5, 0, -2},    {0.5, 0, 0},
        {1.5, 0, 2},        {2.675, 2, 2.68}, {0.125, 2, 0.12}, {0.375, 2, 0.38},
        {1234.5, -1, 1230}, {99.95, 1, 100},  {1e-20, 2, 0},    {123456789.5, 0, 123456790}};
    for (auto [value, places, expected] : cases) {
        SCOPED_TRACE(std::to_string(value) + " at " + std::to_string(places));
        EXPECT_DOUBLE_EQ(RoundHalfEven(value, places), expected);
    }
    int64_t out = 0;
    EXPECT_FALSE(RoundToInt64(Number::Real(1e19), out));
    EXPECT_FALSE(RoundToInt64(Number::Real(std::numeric_limits<double>::infinity()), out));
    EXPECT_TRUE(RoundToInt64(Number::Real(-9.2e18), out));
}

TEST(JetFormatPatternTest, NumberPatterns) {
    const std::tuple<double, const char*, const char*> cases[] = {{1234567, "#,##0", "1,234,567"},
                                                                  {2.5, "0.0#", "2.5"},
                                                                  {2.25, "0.0#", "2.25"},
                                                                  {12345, "000-000", "012-345"},
                                                                  {-5, "0;(0)", "(5)"},
                                                                  {0, "0.00;;\"nil\"", "nil"},
                                                                  {0, "#", ""},
                                                                  {0.5, "#.00", ".50"},
                                                                  {5.25, ".00", "5.25"},
                                                                  {-0.4, "0", "-0"},
                                                                  {1234567, "#,##0,", "1,235"},
                                                                  {0.05, "0%", "5%"},
                                                                  {7, "\\N\\o 0", "No 7"},
                                                                  {7, "\"#\"0", "#7"},
                                                                  {0.000123, "0.0E-0", "1.2E-4"}};
    for (auto [value, pattern, expected] : cases) {
        SCOPED_TRACE(pattern);
        EXPECT_EQ(FormatNumber(Number::Real(value), pattern), expected);
    }
    EXPECT_EQ(FormatNumber(Number::Integer(123456789012345678), "0"), "123456789012345678");
}

TEST(JetFormatPatternTest, DatePatterns) {
    JetDate date;
    ASSERT_TRUE(ParseDateText("2004-01-08 13:05:09", date));
    const std::pair<const char*, const char*> cases[] = {
        {"yyyy-mm-dd", "2004-01-08"},
        {"m/d/yy", "1/8/04"},
        {"hh:nn:ss", "13:05:09"},
        {"h:mm AM/PM", "1:05 PM"},
        {"ddd mmm", "Thu Jan"},
        {"dddd, mmmm d", "Thursday, January 8"},
        {"q", "1"},
        {"y", "8"},
        {"w ww", "5 2"},
        {"\"day\" d", "day 8"},
        {"yyyy\xE5\xB9\xB4", "2004\xE5\xB9\xB4"},
    };
    for (auto [pattern, expected] : cases) {
        SCOPED_TRACE(pattern);
        EXPECT_EQ(FormatDate(date, pattern), expected);
    }
}

TEST(JetFormatPatternTest, TextPatternsAndValuesThePatternCannotTake) {
    EXPECT_EQ(FormatText("abc", "@@@@@"), "  abc");
    EXPECT_EQ(FormatText("abc", "!@@@@@"), "abc  ");
    EXPECT_EQ(FormatText("abcdef", "@@-@@"), "abcd-ef");
    EXPECT_EQ(FormatText("AbC", "<"), "abc");
    EXPECT_EQ(FormatJetValue(JetValue::FromText("abc"), "yyyy"), "abc");
    EXPECT_EQ(FormatJetValue(JetValue::FromText("abc"), "0#"), "abc");
    EXPECT_EQ(FormatJetValue(JetValue::FromNumber(Number::Integer(1)), "Yes/No"), "Yes");
    EXPECT_EQ(FormatJetValue(JetValue::FromNumber(Number::Integer(0)), "On/Off"), "Off");
    EXPECT_FALSE(FormatJetValue(JetValue::Null(), "0#").has_value());
}

} // namespace
} // namespace veltrix::jet
