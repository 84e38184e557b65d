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

TEST(DrawLine, InsertOfAWellFormedLine) {
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
        // Fields beyond the INSERT are ignored, whatever they hold.
        {LotteryKind::P3, "100 2024-01-02 1 2 3 junk;DROP more\r\n",
         "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('100','2024-01-02',1,2,3)"},
        // Quotes in the issue are doubled, one or several in a row.
        {LotteryKind::P3, "101');DELETE/**/FROM/**/p3;--'' 2024-01-02 1 2 3",
         "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES "
         "('101'');DELETE/**/FROM/**/p3;--''''','2024-01-02',1,2,3)"},
        {LotteryKind::P3, "101%s%d 2024-01-02 1 2 3",
         "INSERT INTO p3 (QS,RQ,H1,H2,H3)VALUES ('101%s%d','2024-01-02',1,2,3)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        DrawLineVerdict verdict = Judge(c.kind, c.line, 0);
        EXPECT_EQ(verdict.fault, DrawLineFault::None);
        EXPECT_EQ(verdict.statement, c.statement);
    }
}

TEST(DrawLine, Verdicts) {
    constexpr auto P3 = LotteryKind::P3;
    constexpr auto Dlt = LotteryKind::Dlt;
    using enum DrawLineFault;
    struct Case {
        const char* name;
        LotteryKind kind;
        std::string line;
        int newest;
        DrawLineFault fault;
    };
    const Case cases[] = {
        {"NewerIssue", P3, "101 2024-01-02 1 2 3\r\n", 100, None},
        {"SameIssue", P3, "100 2024-01-02 1 2 3\r\n", 100, NotNewer},
        {"OlderIssue", P3, "99 2024-01-02 1 2 3\r\n", 100, NotNewer},
        {"IssuesCompareAsIntegers", P3, "10000 2024-01-02 1 2 3", 9999, None},
        {"LeadingZerosDoNotMatter", P3, "07001 2024-01-02 1 2 3", 7000, None},
        {"IssueWithTrailingText", P3, "101abc 2024-01-02 1 2 3", 100, None},
        {"HugeIssueSaturates", P3, "99999999999 2024-01-02 1 2 3", 2147483646, None},
        {"HeadingIsNotNewer", P3, "issue date h1 h2 h3\r\n", 0, NotNewer},
        {"NegativeIssuesCompareSigned", P3, "-5 2024-01-02 1 2 3", -10, None},
        {"ZeroIssueOnEmptyTable", P3, "0 2024-01-02 1 2 3", 0, NotNewer},
        {"EmptyLine", P3, "\r\n", 0, NotNewer},
        {"TooFewFields", P3, "101 2024-01-02 1 2\r\n", 0, TooFewFields},
        {"ThreeDWithoutSValues", LotteryKind::ThreeD, "2004001 2004-10-18 0 7 0\r\n", 0,
         TooFewFields},
        {"TabsMakeOneField", P3, "101\t2024-01-02\t1\t2\t3\r\n", 0, TooFewFields},
        {"TrailingBlankMakesTheLineEndAField", P3, "101 2024-01-02 1 2 \r\n", 0, BadNumber},
        {"NulInIssue", P3, std::string("10\0 2024-01-02 1 2 3", 20), 0, BadIssue},
        {"NulInNumber", P3, std::string("101 2024-01-02 1 2\0 3", 22), 0, BadNumber},
        {"SqlInNumber", P3, "101 2024-01-02 1 2 3);DROP", 0, BadNumber},
        {"Expression", P3, "101 2024-01-02 1 2 3+4", 0, BadNumber},
        {"SignedNumbers", P3, "101 2024-01-02 +1 -2 3", 0, None},
        {"SignAlone", P3, "101 2024-01-02 - 2 3", 0, BadNumber},
        {"NineDigits", P3, "101 2024-01-02 123456789 2 3", 0, None},
        {"TenDigits", P3, "101 2024-01-02 1234567890 2 3", 0, BadNumber},
        {"DecimalPoint", P3, "101 2024-01-02 1.5 2 3", 0, BadNumber},
        {"CarriageReturnInsideALine", P3, "101 2024-01-02 1\r 2 3", 0, BadNumber},
        {"LineEndOnlyOnTheLastField", P3, "101 2024-01-02 1 2 3\n", 0, None},
        {"LineEndOnAFieldTheInsertDoesNotUse", P3, "101 2024-01-02 1 2 3 x\r\n", 0, None},
        {"NonUtf8Number", P3, "101 2024-01-02 1 2 \xb6\xfe\r\n", 0, BadNumber},
        {"NotADate", Dlt, "26001 yesterday 01 02 03 04 05 06 07", 0, BadDate},
        {"February30", Dlt, "26001 2026-02-30 01 02 03 04 05 06 07", 0, BadDate},
        {"QuoteInDate", Dlt, "26001 2026-01-0'1 01 02 03 04 05 06 07", 0, BadDate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Judge(c.kind, c.line, c.newest).fault, c.fault) << c.line;
    }
}

TEST(DrawLine, NormalizeDrawDate) {
    const std::pair<const char*, const char*> accepted[] = {
        {"2026-08-22", "2026-08-22"}, {"2026/8/2", "2026-08-02"},  {"2026.08.2", "2026-08-02"},
        {"20260822", "2026-08-22"},   {"2024-2-29", "2024-02-29"}, {"2000-02-29", "2000-02-29"}};
    for (auto [text, iso] : accepted)
        EXPECT_EQ(NormalizeDrawDate(text).value_or("refused"), iso) << text;
    const char* refused[] = {
        "",           "1900-02-29",  "20260229",        "2026-13-01", "2026-01-00",
        "2026-04-31", "2026-08/22",  "2026-08-022",     "26-08-22",   "2026082",
        "0000-01-01", "2026-08-22x", "2026-08-22T20:30"};
    for (const char* text : refused)
        EXPECT_EQ(NormalizeDrawDate(text), std::nullopt) << text;
}

} // namespace
} // namespace veltrix
