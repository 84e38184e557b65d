// A worked report and the order of the cells; run lengths, the ssq header
// and file, and the choice of the pattern rows are checked against a literal
// reading of the rule by period_follow_up_fuzz over its corpus in every test
// run.
#include "analysis/PeriodFollowUp.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

const char kDltHeader[] = "'---H1------H2------H3------H4------H5------L1------L2\n";

std::string BlankLines(int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += std::string(55, ' ') + "\n";
    return out;
}

TEST(PeriodFollowUpTest, TwoRowRunsTallyTheNextRow) {
    const std::string box = "01 02 03 04 05 06 07\r\n"
                            "08 09 10 11 12 01 02\r\n"
                            "13 14 15 16 17 03 04\r\n" // follows lines 0, 1
                            "01 02 03 04 05 06 07\r\n"
                            "08 09 10 11 12 01 02\r\n"
                            "20 21 22 23 24 05 06\r\n" // follows lines 3, 4
                            "30 31 32 33 34 35 36\r\n"
                            "01 02 03 04 05 06 07\r\n"
                            "08 09 10 11 12 01 02\r\n";
    std::optional<PeriodReport> report = PeriodFollowUpReport(box, "dlt", 2);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->text, std::string(kDltHeader) +
                                "01=[20] 01=[21] 01=[22] 01=[23] 01=[24] 01=[05] 01=[06]\n"
                                "01=[13] 01=[14] 01=[15] 01=[16] 01=[17] 01=[03] 01=[04]\n" +
                                BlankLines(33));
}

TEST(PeriodFollowUpTest, TiesPutTheLargerNumberFirstAndCompareAsText) {
    PeriodTally tally{};
    tally[0][17] = 2;
    tally[0][9] = 2;
    tally[1][1] = 100;
    tally[1][2] = 99;
    tally[2][36] = 5; // counted, never listed
    std::string report = PeriodReportText(tally, false);
    std::string blank(7, ' ');
    EXPECT_EQ(report, std::string(kDltHeader) + "02=[17] 99=[02] " + blank + " " + blank + " " +
                          blank + " " + blank + " " + blank + "\n" + "02=[09] 100=[01] " + blank +
                          " " + blank + " " + blank + " " + blank + " " + blank + "\n" +
                          BlankLines(33));
}

} // namespace
} // namespace veltrix
