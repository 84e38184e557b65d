#include "analysis/PeriodFollowUp.h"
#include "analysis/BoxLines.h"
#include "fakes/SampleResultTexts.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

using test::kThreeRowRun;

const char kDltHeader[] = "'---H1------H2------H3------H4------H5------L1------L2\n";
const char kSsqHeader[] = "'---H1------H2------H3------H4------H5------H6------L1\n";
const std::string kBlankLine = std::string(55, ' ') + "\n";

std::string BlankLines(int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += kBlankLine;
    return out;
}

std::string ReportOf(const std::string& box, int runLength, const char* command = "dlt") {
    std::optional<PeriodReport> report = PeriodFollowUpReport(box, command, runLength);
    return report ? report->text : "<none>";
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
    EXPECT_EQ(ReportOf(box, 2), std::string(kDltHeader) +
                                    "01=[20] 01=[21] 01=[22] 01=[23] 01=[24] 01=[05] 01=[06]\n"
                                    "01=[13] 01=[14] 01=[15] 01=[16] 01=[17] 01=[03] 01=[04]\n" +
                                    BlankLines(33));
}

TEST(PeriodFollowUpTest, ThreeRowRunsReachTheOldestPatternRow) {
    EXPECT_EQ(ReportOf(kThreeRowRun, 3),
              std::string(kDltHeader) +
                  "01=[13] 01=[14] 01=[15] 01=[16] 01=[17] 01=[03] 01=[04]\n" + BlankLines(34));
    EXPECT_EQ(ReportOf(kThreeRowRun, 2), std::string(kDltHeader) + BlankLines(35))
        << "two-row runs stop one follow line earlier";
}

TEST(PeriodFollowUpTest, RunLengthOtherThanThreeIsTwo) {
    for (int runLength : {0, 1, 2, 4, 7, -3}) {
        SCOPED_TRACE(runLength);
        EXPECT_EQ(NormaliseRunLength(runLength), 2);
        EXPECT_EQ(ReportOf(kThreeRowRun, runLength), ReportOf(kThreeRowRun, 2));
    }
    EXPECT_EQ(NormaliseRunLength(3), 3);
}

TEST(PeriodFollowUpTest, SsqCommandChangesHeaderAndFile) {
    std::optional<PeriodReport> ssq = PeriodFollowUpReport(kThreeRowRun, "select * from SSQ", 3);
    ASSERT_TRUE(ssq);
    EXPECT_EQ(ssq->path, "./SSQ_FX_QS.txt");
    EXPECT_EQ(ssq->text.substr(0, sizeof kSsqHeader - 1), kSsqHeader);
    std::optional<PeriodReport> dlt = PeriodFollowUpReport(kThreeRowRun, "select * from p5", 3);
    ASSERT_TRUE(dlt);
    EXPECT_EQ(dlt->path, "./DLT_FX_QS.txt");
    EXPECT_EQ(dlt->text.substr(0, sizeof kDltHeader - 1), kDltHeader);
    EXPECT_EQ(ssq->text.substr(sizeof kSsqHeader - 1), dlt->text.substr(sizeof kDltHeader - 1));
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
