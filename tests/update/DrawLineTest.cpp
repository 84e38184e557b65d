#include "update/DrawLine.h"
#include "update/DrawLineReader.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

DrawLineVerdict Judge(LotteryKind kind, const std::string& line, int newest) {
    std::vector<std::string_view> fields;
    SplitDrawFields(line, &fields);
    return JudgeDrawLine(Lottery(kind), fields, newest);
}

TEST(DrawLine, InsertOfEveryGameFromAWellFormedLine) {
    struct Case {
        LotteryKind kind;
        std::string line;
        std::string statement;
    };
    const Case cases[] = {
        {LotteryKind::Dlt, "26095 2026-08-22 04 06 08 10 14 04 05\r\n",
         "INSERT INTO dlt (QS,RQ,H1,H2,H3,H4,H5,L1,L2,T)VALUES "
         "('26095','2026-08-22',04,06,08,10,14,04,05\r\n,'')"},
        {LotteryKind::Ssq, "2026096 2026-08-20 01 04 16 22 26 31 04\r\n",
         "INSERT INTO ssq (QS,RQ,H1,H2,H3,H4,H5,H6,L1)VALUES "
         "('2026096','2026-08-20',01,04,16,22,26,31,04\r\n)"},
        {LotteryKind::P5, "26224 2026-08-22 9 1 2 4 0\r\n",
         "INSERT INTO p5 (QS,RQ,H1,H2,H3,H4,H5)VALUES ('26224','2026-08-22',9,1,2,4,0\r\n)"},
        {LotteryKind::P3, "26224 2026-08-22 9 1 2\r\n",
         "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('26224','2026-08-22',9,1,2\r\n)"},
        {LotteryKind::ThreeD, "2026223 2026-08-21 9 4 8 1 2 3\n",
         "INSERT INTO 3d (QS,RQ,H1,H2,H3,S1,S2,S3)VALUES ('2026223','2026-08-21',9,4,8,1,2,3\n)"},
        {LotteryKind::T22x5, "2026001 2026-01-01 01 05 09 13 22",
         "INSERT INTO t22x5 (QS,RQ,H1,H2,H3,H4,H5)VALUES ('2026001','2026-01-01',01,05,09,13,22)"},
        {LotteryKind::SevenXc, "26096 2026-08-21 1 4 2 6 9 5 14\r\n",
         "INSERT INTO 7xc (QS,RQ,H1,H2,H3,H4,H5,H6,H7)VALUES "
         "('26096','2026-08-21',1,4,2,6,9,5,14\r\n)"},
        {LotteryKind::SevenLc, "2026096 2026-08-21 05 14 17 24 26 28 29 16\r\n",
         "INSERT INTO 7lc (QS,RQ,H1,H2,H3,H4,H5,H6,H7,L1)VALUES "
         "('2026096','2026-08-21',05,14,17,24,26,28,29,16\r\n)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Lottery(c.kind).code);
        DrawLineVerdict verdict = Judge(c.kind, c.line, 0);
        EXPECT_EQ(verdict.fault, DrawLineFault::None);
        EXPECT_EQ(verdict.statement, c.statement);
    }
}

TEST(DrawLine, FieldsBeyondTheInsertAreIgnored) {
    DrawLineVerdict verdict = Judge(LotteryKind::P3, "100 2024-01-02 1 2 3 junk;DROP more\r\n", 0);
    EXPECT_EQ(verdict.fault, DrawLineFault::None);
    EXPECT_EQ(verdict.statement,
              "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('100','2024-01-02',1,2,3)");
}

struct VerdictCase {
    const char* name;
    LotteryKind kind;
    std::string line;
    int newest;
    DrawLineFault fault;
};

class JudgeDrawLineTest : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(JudgeDrawLineTest, Verdict) {
    const VerdictCase& c = GetParam();
    EXPECT_EQ(Judge(c.kind, c.line, c.newest).fault, c.fault) << c.line;
}

constexpr auto P3 = LotteryKind::P3;
constexpr auto Dlt = LotteryKind::Dlt;
constexpr auto ThreeD = LotteryKind::ThreeD;

INSTANTIATE_TEST_SUITE_P(
    DrawLine, JudgeDrawLineTest,
    ::testing::Values(
        VerdictCase{"NewerIssue", P3, "101 2024-01-02 1 2 3\r\n", 100, DrawLineFault::None},
        VerdictCase{"SameIssue", P3, "100 2024-01-02 1 2 3\r\n", 100, DrawLineFault::NotNewer},
        VerdictCase{"OlderIssue", P3, "99 2024-01-02 1 2 3\r\n", 100, DrawLineFault::NotNewer},
        VerdictCase{"IssuesCompareAsIntegers", P3, "10000 2024-01-02 1 2 3", 9999,
                    DrawLineFault::None},
        VerdictCase{"LeadingZerosDoNotMatter", P3, "07001 2024-01-02 1 2 3", 7000,
                    DrawLineFault::None},
        VerdictCase{"IssueWithTrailingText", P3, "101abc 2024-01-02 1 2 3", 100,
                    DrawLineFault::None},
        VerdictCase{"HeadingIsNotNewer", P3, "issue date h1 h2 h3\r\n", 0, DrawLineFault::NotNewer},
        VerdictCase{"NegativeIssuesCompareSigned", P3, "-5 2024-01-02 1 2 3", -10,
                    DrawLineFault::None},
        VerdictCase{"ZeroIssueOnEmptyTable", P3, "0 2024-01-02 1 2 3", 0, DrawLineFault::NotNewer},
        VerdictCase{"EmptyLine", P3, "\r\n", 0, DrawLineFault::NotNewer},
        VerdictCase{"TooFewFields", P3, "101 2024-01-02 1 2\r\n", 0, DrawLineFault::TooFewFields},
        VerdictCase{"ThreeDWithoutSValues", ThreeD, "2004001 2004-10-18 0 7 0\r\n", 0,
                    DrawLineFault::TooFewFields},
        VerdictCase{"TabsMakeOneField", P3, "101\t2024-01-02\t1\t2\t3\r\n", 0,
                    DrawLineFault::TooFewFields},
        VerdictCase{"TrailingBlankMakesTheLineEndAField", P3, "101 2024-01-02 1 2 \r\n", 0,
                    DrawLineFault::BadNumber},
        VerdictCase{"NulInIssue", P3, std::string("10\0 2024-01-02 1 2 3", 20), 0,
                    DrawLineFault::BadIssue},
        VerdictCase{"NulInNumber", P3, std::string("101 2024-01-02 1 2\0 3", 22), 0,
                    DrawLineFault::BadNumber},
        VerdictCase{"SqlInNumber", P3, "101 2024-01-02 1 2 3);DROP", 0, DrawLineFault::BadNumber},
        VerdictCase{"Expression", P3, "101 2024-01-02 1 2 3+4", 0, DrawLineFault::BadNumber},
        VerdictCase{"SignedNumbers", P3, "101 2024-01-02 +1 -2 3", 0, DrawLineFault::None},
        VerdictCase{"SignAlone", P3, "101 2024-01-02 - 2 3", 0, DrawLineFault::BadNumber},
        VerdictCase{"NineDigits", P3, "101 2024-01-02 123456789 2 3", 0, DrawLineFault::None},
        VerdictCase{"TenDigits", P3, "101 2024-01-02 1234567890 2 3", 0, DrawLineFault::BadNumber},
        VerdictCase{"DecimalPoint", P3, "101 2024-01-02 1.5 2 3", 0, DrawLineFault::BadNumber},
        VerdictCase{"CarriageReturnInsideALine", P3, "101 2024-01-02 1\r 2 3", 0,
                    DrawLineFault::BadNumber},
        VerdictCase{"LineEndOnlyOnTheLastField", P3, "101 2024-01-02 1 2 3\n", 0,
                    DrawLineFault::None},
        VerdictCase{"LineEndOnAFieldTheInsertDoesNotUse", P3, "101 2024-01-02 1 2 3 x\r\n", 0,
                    DrawLineFault::None},
        VerdictCase{"NonUtf8Number", P3, "101 2024-01-02 1 2 \xb6\xfe\r\n", 0,
                    DrawLineFault::BadNumber},
        VerdictCase{"NotADate", Dlt, "26001 yesterday 01 02 03 04 05 06 07", 0,
                    DrawLineFault::BadDate},
        VerdictCase{"February30", Dlt, "26001 2026-02-30 01 02 03 04 05 06 07", 0,
                    DrawLineFault::BadDate},
        VerdictCase{"QuoteInDate", Dlt, "26001 2026-01-0'1 01 02 03 04 05 06 07", 0,
                    DrawLineFault::BadDate}),
    [](const auto& p) { return std::string(p.param.name); });

struct DateCase {
    const char* name;
    std::string text;
    std::string iso; // empty: refused
};

class NormalizeDrawDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(NormalizeDrawDateTest, Normalizes) {
    std::optional<std::string> iso = NormalizeDrawDate(GetParam().text);
    EXPECT_EQ(iso.value_or(""), GetParam().iso);
}

INSTANTIATE_TEST_SUITE_P(
    DrawLine, NormalizeDrawDateTest,
    ::testing::Values(
        DateCase{"Iso", "2026-08-22", "2026-08-22"}, DateCase{"Slashes", "2026/8/2", "2026-08-02"},
        DateCase{"Points", "2026.08.2", "2026-08-02"},
        DateCase{"Compact", "20260822", "2026-08-22"},
        DateCase{"LeapDay", "2024-2-29", "2024-02-29"},
        DateCase{"LeapDay2000", "2000-02-29", "2000-02-29"},
        DateCase{"NoLeapDay1900", "1900-02-29", ""}, DateCase{"NoLeapDay2026", "20260229", ""},
        DateCase{"Month13", "2026-13-01", ""}, DateCase{"Day0", "2026-01-00", ""},
        DateCase{"April31", "2026-04-31", ""}, DateCase{"MixedSeparators", "2026-08/22", ""},
        DateCase{"ThreeDigitDay", "2026-08-022", ""}, DateCase{"TwoDigitYear", "26-08-22", ""},
        DateCase{"Trailing", "2026-08-22x", ""}, DateCase{"Time", "2026-08-22T20:30", ""},
        DateCase{"SevenDigits", "2026082", ""}, DateCase{"YearZero", "0000-01-01", ""},
        DateCase{"Empty", "", ""}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(DrawLine, QuotesInTheIssueAreDoubled) {
    DrawLineVerdict verdict = Judge(P3, "101');DELETE/**/FROM/**/p3;-- 2024-01-02 1 2 3", 0);
    ASSERT_EQ(verdict.fault, DrawLineFault::None);
    EXPECT_EQ(verdict.issue, 101);
    EXPECT_EQ(verdict.statement, "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES "
                                 "('101'');DELETE/**/FROM/**/p3;--','2024-01-02',1,2,3)");
}

TEST(DrawLine, PercentInAFieldIsJustText) {
    DrawLineVerdict verdict = Judge(P3, "101%s%d 2024-01-02 1 2 3", 0);
    EXPECT_EQ(verdict.statement,
              "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('101%s%d','2024-01-02',1,2,3)");
}

TEST(DrawLine, EscapeSqlQuotes) {
    EXPECT_EQ(EscapeSqlQuotes("a'b''c"), "a''b''''c");
    EXPECT_EQ(EscapeSqlQuotes(""), "");
}

TEST(DrawLine, ProgressTextCarriesTheCount) {
    EXPECT_EQ(DrawProgressText(Lottery(LotteryKind::Dlt), 3), "大乐透正在更新数据库 3");
    EXPECT_EQ(DrawProgressText(Lottery(LotteryKind::ThreeD), 1234), "3D正在更新数据库 1234");
}

TEST(DrawLine, IssueNumberIsReadLikeAtoi) {
    EXPECT_EQ(DrawIssueNumber("07001"), 7001);
    EXPECT_EQ(DrawIssueNumber("26095\r\n"), 26095);
    EXPECT_EQ(DrawIssueNumber("-12x"), -12);
    EXPECT_EQ(DrawIssueNumber("x12"), 0);
    EXPECT_EQ(DrawIssueNumber(""), 0);
    EXPECT_EQ(DrawIssueNumber("99999999999"), 2147483647) << "saturates instead of wrapping";
}

} // namespace
} // namespace veltrix
