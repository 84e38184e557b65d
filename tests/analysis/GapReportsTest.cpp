// Worked examples of both reports. Both are checked against a literal
// reading of their rules (the 1-2-3 report against its row-by-row rescan) by
// gap_reports_fuzz over its corpus in every test run: random boxes of every
// command, where the gap report stops, short and missing fields, one-line
// boxes and the zones of each command.
#include "analysis/GapReports.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

std::string OneTwoThreeOf(const std::string& box, const std::string& command) {
    std::optional<GapReportTexts> reports = GapReports(box, 7, command);
    return reports ? reports->oneTwoThree : "<none>";
}

TEST(GapReportTest, DifferenceToTheRowAbove) {
    std::optional<GapReportTexts> reports =
        GapReports("01 05 12 23 34 03 11\r\n02 07 15 23 30 01 12\r\n", 7, "dlt");
    ASSERT_TRUE(reports);
    EXPECT_EQ(reports->gap, "02 07 15 23 30 01 12 :    1,   2,   3,   0,  -4,  -2,   1\n");
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

TEST(OneTwoThreeReportTest, DistancesAboveNinetyNineGetMoreDigits) {
    std::string box;
    for (int i = 0; i < 120; ++i)
        box += "40 41 42 43 44 45 46\r\n";
    box += "01 41 02 03 04 05 06\r\n";
    std::string report = OneTwoThreeOf(box, "dlt");
    std::string last = report.substr(report.rfind(" : ") + 3);
    EXPECT_EQ(last, "120,01,120,120,120,120,120\n");
}

} // namespace
} // namespace veltrix
