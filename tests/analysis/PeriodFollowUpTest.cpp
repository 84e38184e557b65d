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

TEST(PeriodFollowUpTest, ColumnsMatchIndependently) {
    // In the run of lines 0, 1 only column 4 (H5) repeats the pattern.
    std::vector<std::string_view> lines = {"40 40 40 40 05 40 40", "40 40 40 40 12 40 40",
                                           "13 14 15 16 17 03 04", "30 31 32 33 34 35 36",
                                           "01 02 03 04 05 06 07", "08 09 10 11 12 01 02"};
    PeriodTally expected{};
    expected[4][17] = 1;
    EXPECT_EQ(TallyPeriodFollowUps(lines, 2), expected);
}

TEST(PeriodFollowUpTest, FollowValuesOutsideTheRangeAreIgnored) {
    // The run 0, 1 matches in every column; its follow line has a short
    // field set, values above 36 and a negative value.
    std::vector<std::string_view> lines = {"01 02 03 04 05 06 07", "08 09 10 11 12 01 02",
                                           "37 99 -1 36 00 x",     "30 31 32 33 34 35 36",
                                           "01 02 03 04 05 06 07", "08 09 10 11 12 01 02"};
    PeriodTally expected{};
    expected[3][36] = 1;
    EXPECT_EQ(TallyPeriodFollowUps(lines, 2), expected);
}

TEST(PeriodFollowUpTest, ShortLinesInsideTheScanReadAsZeros) {
    // Line 1 is empty: its fields are 0, and the pattern's newest row has 0
    // in no column, so only a run ending in a full row can match.
    std::vector<std::string_view> lines = {"01 02 03 04 05 06 07", "",
                                           "08 09 10 11 12 01 02", "01 02 03 04 05 06 07",
                                           "08 09 10 11 12 01 02", "05 05 05 05 05 05 05",
                                           "30 31 32 33 34 35 36", "01 02 03 04 05 06 07",
                                           "08 09 10 11 12 01 02"};
    PeriodTally expected{};
    for (size_t column = 0; column < 7; ++column)
        expected[column][5] = 1;
    EXPECT_EQ(TallyPeriodFollowUps(lines, 2), expected);
}

TEST(PeriodFollowUpTest, PatternSkipsUnusableLines) {
    std::string withGaps = "13 14 15 16 17 03 04\r\n"
                           "01 02 03 04 05 06 07\r\n"
                           "08 09 10 11 12 01 02\r\n"
                           "13 14 15 16 17 03 04\r\n"
                           "\r\n"
                           "01 02 03 04 05 06 07\r\n"
                           "01 02 03 04 05 06 7\r\n"
                           "08 09 10 11 12 01 02\r\n"
                           "\r\n";
    EXPECT_EQ(ReportOf(withGaps, 3), ReportOf(kThreeRowRun, 3));
}

TEST(PeriodFollowUpTest, TooFewLinesOrPatternRows) {
    EXPECT_EQ(ReportOf("01 02 03 04 05 06 07\r\n08 09 10 11 12 01 02\r\n", 2), "<none>");
    EXPECT_EQ(ReportOf("", 2), "<none>");
    std::string blankReport = std::string(kDltHeader) + BlankLines(35);
    EXPECT_EQ(ReportOf("01 02 03 04 05 06 07\r\n08 09 10 11 12 01 02\r\n\r\n\r\n", 2), blankReport)
        << "two usable rows are too few";
    EXPECT_EQ(
        ReportOf("01 02 03 04 05 06 07\r\n08 09 10 11 12 01 02\r\n13 14 15 16 17 03 04\r\n", 3),
        blankReport)
        << "no line above the pattern";
}

} // namespace
} // namespace veltrix
