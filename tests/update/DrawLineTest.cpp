// Judging draw-file lines, and the reader on a failing stream. What the
// reader makes of any bytes (pieces cut at line feeds and at 254 bytes, their
// line numbers, the fields) is checked by draw_file_fuzz over its corpus in
// every test run.
#include "update/DrawLine.h"
#include "update/DrawLineReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <streambuf>

namespace veltrix {
namespace {

DrawLineVerdict Judge(LotteryKind kind, const std::string& line, int newest) {
    std::vector<std::string_view> fields;
    SplitDrawFields(line, &fields);
    return JudgeDrawLine(Lottery(kind), fields, newest);
}

// What every game's INSERT stores, whatever the line holds, draw_file_fuzz
// checks on a database over its corpus (a head and a tail of each game's
// file, hostile issues, SQL in fields); these pin the statement's text.
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
        // Without test numbers, as the public feeds give 3d.
        {LotteryKind::ThreeD, "2026224 2026-08-22 1 2 3\r\n",
         "INSERT INTO 3d (QS,RQ,H1,H2,H3,S1,S2,S3)VALUES "
         "('2026224','2026-08-22',1,2,3\r\n,NULL,NULL,NULL)"},
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

// Newer, older and equal issues, headings, blank lines, too few fields and a
// bad date: DrawImportTest's line cases.
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
        int field = -1; // the field named with the fault, when checked
    };
    const Case cases[] = {
        {"IssuesCompareAsIntegers", P3, "10000 2024-01-02 1 2 3", 9999, None},
        {"LeadingZerosDoNotMatter", P3, "07001 2024-01-02 1 2 3", 7000, None},
        {"IssueWithTrailingText", P3, "101abc 2024-01-02 1 2 3", 100, None},
        {"HugeIssueSaturates", P3, "99999999999 2024-01-02 1 2 3", 2147483646, None},
        {"NegativeIssuesCompareSigned", P3, "-5 2024-01-02 1 2 3", -10, None},
        {"ZeroIssueOnEmptyTable", P3, "0 2024-01-02 1 2 3", 0, NotNewer},
        {"ThreeDWithSomeSValues", LotteryKind::ThreeD, "2004001 2004-10-18 0 7 0 1 2\r\n", 0,
         TooFewFields},
        {"TabsMakeOneField", P3, "101\t2024-01-02\t1\t2\t3\r\n", 0, TooFewFields},
        {"TrailingBlankMakesTheLineEndAField", P3, "101 2024-01-02 1 2 \r\n", 0, BadNumber},
        {"NulInIssue", P3, std::string("10\0 2024-01-02 1 2 3", 20), 0, BadIssue},
        {"NulInNumber", P3, std::string("101 2024-01-02 1 2\0 3", 22), 0, BadNumber},
        {"SqlInNumber", P3, "101 2024-01-02 1 2 3);DROP", 0, BadNumber, 5},
        {"SignedNumbers", P3, "101 2024-01-02 +1 -2 3", 0, None},
        {"SignAlone", P3, "101 2024-01-02 + 2 3", 0, BadNumber, 3},
        {"PlaceholdersOfADrawNotDrawnYet", P3, "101 2024-01-02 - - -\r\n", 0, NotDrawnYet, 3},
        {"PlaceholderWithTooFewFields", Dlt, "26001 2026-01-01 --", 0, NotDrawnYet, 3},
        {"OldPlaceholderIsNotNewer", P3, "99 2024-01-02 - - -", 100, NotNewer},
        {"BadLineThatIsNotNewer", P3, "3 2024-02-30 1 1 1", 5, NotNewer},
        {"NineDigits", P3, "101 2024-01-02 123456789 2 3", 0, None},
        {"TenDigits", P3, "101 2024-01-02 1234567890 2 3", 0, BadNumber},
        {"CarriageReturnInsideALine", P3, "101 2024-01-02 1\r 2 3", 0, BadNumber},
        {"LineEndOnlyOnTheLastField", P3, "101 2024-01-02 1 2 3\n", 0, None},
        {"LineEndOnAFieldTheInsertDoesNotUse", P3, "101 2024-01-02 1 2 3 x\r\n", 0, None},
        {"NotADate", Dlt, "26001 yesterday 01 02 03 04 05 06 07", 0, BadDate},
        {"QuoteInDate", Dlt, "26001 2026-01-0'1 01 02 03 04 05 06 07", 0, BadDate},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DrawLineVerdict verdict = Judge(c.kind, c.line, c.newest);
        EXPECT_EQ(verdict.fault, c.fault) << c.line;
        EXPECT_TRUE(c.field < 0 || verdict.field == c.field) << "field " << verdict.field;
    }
}

TEST(DrawLine, FieldColumnsAndRanges) {
    const LotteryInfo& dlt = Lottery(LotteryKind::Dlt);
    EXPECT_EQ(DrawFieldColumn(dlt, 1), "QS");
    EXPECT_EQ(DrawFieldColumn(dlt, 9), "L2");
    EXPECT_EQ(DrawFieldColumn(dlt, 11), "");
    struct Case {
        LotteryKind kind;
        int field;
        int low, high; // high 0: no range
    };
    const Case cases[] = {{LotteryKind::Dlt, 3, 1, 35},    {LotteryKind::Dlt, 8, 1, 12},
                          {LotteryKind::Ssq, 8, 1, 33},    {LotteryKind::Ssq, 9, 1, 16},
                          {LotteryKind::P3, 5, 0, 9},      {LotteryKind::ThreeD, 6, 0, 0},
                          {LotteryKind::SevenXc, 3, 0, 0}, {LotteryKind::Dlt, 2, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(Lottery(c.kind).code) + " field " + std::to_string(c.field));
        std::optional<DrawNumberRange> range = DrawFieldRange(Lottery(c.kind), c.field);
        EXPECT_EQ(range ? std::pair(range->low, range->high) : std::pair(0, 0),
                  std::pair(c.low, c.high));
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

using Pieces = std::vector<std::pair<std::string, int>>; // each piece with its line number

Pieces ReadAll(std::istream& in, bool* failed = nullptr) {
    DrawLineReader reader(in);
    Pieces pieces;
    std::string_view piece;
    while (reader.Next(&piece))
        pieces.emplace_back(std::string(piece), reader.LineNumber());
    if (failed)
        *failed = reader.ReadFailed();
    return pieces;
}

// Serves `good` in small slices, then reports an I/O error, the way a file
// on a failing disk does.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string good) : m_good(std::move(good)) {}

protected:
    int_type underflow() override {
        if (m_served == m_good.size())
            throw std::ios_base::failure("disk gone");
        size_t n = std::min<size_t>(100, m_good.size() - m_served);
        char* start = m_good.data() + m_served;
        setg(start, start, start + n);
        m_served += n;
        return traits_type::to_int_type(*start);
    }

private:
    std::string m_good;
    size_t m_served = 0;
};

TEST(DrawLineReader, ReadErrorEndsTheFileAndIsReported) {
    FailingBuffer nothing("");
    std::istream empty(&nothing);
    bool failed = false;
    EXPECT_TRUE(ReadAll(empty, &failed).empty());
    EXPECT_TRUE(failed);

    // Far more than one internal read: lines that straddle its chunks must
    // still come out whole.
    std::string good;
    for (int i = 0; i < 20000; ++i)
        good += std::to_string(100000 + i) + " x\r\n"; // 10 bytes a line
    FailingBuffer later(good);
    std::istream in(&later);
    Pieces pieces = ReadAll(in, &failed);
    EXPECT_TRUE(failed) << "an error is not the end of the file";
    ASSERT_GT(pieces.size(), 10000u) << "lines read before the error are kept";
    EXPECT_LT(pieces.size(), 20000u);
    for (size_t i = 0; i < pieces.size(); ++i) {
        std::string line = std::to_string(100000 + i) + " x\r\n";
        ASSERT_EQ(pieces[i].second, static_cast<int>(i + 1));
        // The last piece may be a line cut where the bytes stopped.
        if (i + 1 == pieces.size())
            EXPECT_TRUE(line.starts_with(pieces[i].first)) << pieces[i].first;
        else
            ASSERT_EQ(pieces[i].first, line) << i;
    }
}

} // namespace
} // namespace veltrix
