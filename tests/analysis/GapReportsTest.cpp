#include "analysis/GapReports.h"
#include "LiteralReports.h"
#include "RandomResultText.h"
#include "analysis/BoxLines.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

std::string GapOf(const std::string& box, int fields = 7) {
    std::optional<GapReportTexts> reports = GapReports(box, fields, "select * from dlt");
    return reports ? reports->gap : "<none>";
}

std::string OneTwoThreeOf(const std::string& box, const std::string& command, int fields = 7) {
    std::optional<GapReportTexts> reports = GapReports(box, fields, command);
    return reports ? reports->oneTwoThree : "<none>";
}

TEST(GapReportTest, DifferenceToTheRowAboveUpToTheFirstShortLine) {
    struct Case {
        const char* name;
        std::string box;
        std::string gap;
        int fields = 7;
    };
    const Case cases[] = {
        {"example", "01 05 12 23 34 03 11\r\n02 07 15 23 30 01 12\r\n",
         "02 07 15 23 30 01 12 :    1,   2,   3,   0,  -4,  -2,   1\n"},
        {"three_digit_rows_with_leading_blanks", " 1  2  3\r\n 4  0  9\r\n 4  0  9",
         " 4  0  9 :    3,  -2,   6\n 4  0  9 :    0,   0,   0\n", 3},
        {"empty_line_stops_even_with_rows_after",
         "01 01 01 01 01 01 01\r\n02 02 02 02 02 02 02\r\n\r\n05 05 05 05 05 05 05\r\n"
         "06 06 06 06 06 06 06\r\n",
         "02 02 02 02 02 02 02 :    1,   1,   1,   1,   1,   1,   1\n"},
        {"three_bytes_are_enough", "01 \r\n02 03\r\n",
         "02 03 :    1,   3,   0,   0,   0,   0,   0\n"},
        {"missing_fields_read_as_zero", "05 05 05\r\n01 02 03 04 05 06 07",
         "01 02 03 04 05 06 07 :   -4,  -3,  -2,   4,   5,   6,   7\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GapOf(c.box, c.fields), c.gap);
    }
}

TEST(GapReportTest, NothingForABoxOfOneLine) {
    EXPECT_FALSE(GapReports("", 7, "dlt"));
    EXPECT_FALSE(GapReports("01 05 12 23 34 03 11", 7, "dlt"));
    EXPECT_TRUE(GapReports("01 05 12 23 34 03 11\r\n", 7, "dlt"));
}

TEST(OneTwoThreeReportTest, DistancesInTheZoneOfEachField) {
    const std::string box = "01 02 03 04 05 06 07\r\n"
                            "08 09 10 11 12 01 02\r\n"
                            "13 14 15 16 17 03 04\r\n"
                            "18 19 20 21 22 05 08\r\n"
                            "18 01 24 25 26 01 09\r\n";
    // 18 stood in the front zone of the row above (01). The front 01 stood in
    // the back zone one row up and in the front zone four rows up (04). The
    // back 01 last stood in the back zone three rows up (03). Numbers seen
    // nowhere above get the number of rows above (04).
    EXPECT_EQ(OneTwoThreeOf(box, "select * from dlt"),
              "01 02 03 04 05 06 07 : 00,00,00,00,00,00,00\n"
              "08 09 10 11 12 01 02 : 01,01,01,01,01,01,01\n"
              "13 14 15 16 17 03 04 : 02,02,02,02,02,02,02\n"
              "18 19 20 21 22 05 08 : 03,03,03,03,03,03,03\n"
              "18 01 24 25 26 01 09 : 01,04,04,04,04,03,04\n");
}

TEST(OneTwoThreeReportTest, ZonesByCommand) {
    const std::string box = "40 41 42 43 44 45 46\r\n"
                            "01 02 03 04 05 07 06\r\n"
                            "20 21 22 23 24 25 30\r\n"
                            "30 31 32 33 34 06 35";
    struct Case {
        const char* name;
        const char* command;
        const char* lastLine;
    };
    const Case cases[] = {
        {"dlt_two_back_fields", "select * from DLT",
         "30 31 32 33 34 06 35 : 03,03,03,03,03,02,03\n"},
        {"ssq_one_back_field", "select * from ssq",
         "30 31 32 33 34 06 35 : 03,03,03,03,03,03,03\n"},
        {"both_tags_zone_as_ssq", "Dlt sSq", "30 31 32 33 34 06 35 : 03,03,03,03,03,03,03\n"},
        {"other_games_one_zone", "select * from p5",
         "30 31 32 33 34 06 35 : 01,03,03,03,03,02,03\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string report = OneTwoThreeOf(box, c.command);
        ASSERT_GE(report.size(), 44u);
        EXPECT_EQ(report.substr(report.size() - 44), c.lastLine);
    }
}

TEST(OneTwoThreeReportTest, DistancesAboveNinetyNineGetMoreDigits) {
    std::string box;
    for (int i = 0; i < 120; ++i)
        box += "40 41 42 43 44 45 46\r\n";
    box += "01 41 02 03 04 05 06\r\n";
    std::string report = OneTwoThreeOf(box, "dlt");
    std::string last = report.substr(report.rfind(" : ") + 3);
    EXPECT_EQ(last, "120,01,120,120,120,120,120\n");
}

TEST(OneTwoThreeReportTest, MatchesTheRowByRowRescanOnRandomBoxes) {
    std::mt19937 random(20240607);
    const char* commands[] = {"select * from dlt", "select * from ssq", "select * from p5",
                              "select * from 3d"};
    for (int round = 0; round < 400; ++round) {
        int fields = round % 4 == 3 ? 3 : 7;
        std::uniform_int_distribution<int> lineCount(0, 80);
        std::uniform_int_distribution<int> highest(3, 40);
        std::string box =
            test::RandomResultText(random, lineCount(random), fields, highest(random));
        const char* command = commands[round % 4];
        SCOPED_TRACE(testing::Message()
                     << "round " << round << " box " << testing::PrintToString(box));

        std::vector<std::string_view> lines = BoxLines(box, static_cast<size_t>(3 * fields - 1));
        int front = fields - BackZoneFieldCount(command);
        ASSERT_EQ(OneTwoThreeReportText(lines, fields, front),
                  test::LiteralOneTwoThree(lines, fields, front));
    }
}

} // namespace
} // namespace veltrix
