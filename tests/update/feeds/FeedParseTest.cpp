// The feed parsers on real answers of the official feeds (compared draw by
// draw with the sample draw files), on answers that are not what a feed
// promises, and on made-up 500.com lists.
#include "update/feeds/FeedDraw.h"
#include "update/feeds/FeedTestData.h"
#include "update/feeds/JsonFeeds.h"
#include "update/feeds/XmlDrawList.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

using test::CwlEnvelope;
using test::FeedFixture;
using test::SportteryEnvelope;

// Every draw of a real 100-draw page, converted, equals the sample file's line
// for that issue (3d: its first five fields; the feed has no test numbers).
// The lines come oldest first.
TEST(FeedParseTest, RealNoticePagesMatchTheSampleDraws) {
    struct Case {
        const char* fixture;
        LotteryKind kind;
        const char* sample;
        int pages;
    };
    for (const Case& c : {
             Case{"cwl_findDrawNotice_ssq_page1_size100_2026-01-26.json", LotteryKind::Ssq,
                  "ssq.txt", 20},
             Case{"cwl_findDrawNotice_3d_page1_size100_2026-01-26.json", LotteryKind::ThreeD,
                  "3d.txt", 46},
         }) {
        SCOPED_TRACE(c.fixture);
        Result<FeedPage> page = ParseCwlNotices(c.kind, FeedFixture(c.fixture));
        ASSERT_EQ(page.error(), "");
        EXPECT_EQ(page->pageCount, c.pages);
        std::vector<std::string> lines = test::CrLfLines(FormatDrawFileText(c.kind, page->draws));
        ASSERT_EQ(lines.size(), 100u);
        EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end()));
        std::map<std::string, std::string> sample = test::SampleLinesByIssue(c.sample);
        size_t compared = 0;
        for (const std::string& line : lines) {
            auto found = sample.find(line.substr(0, line.find(' ')));
            if (found == sample.end())
                continue;
            ++compared;
            EXPECT_EQ(line, found->second.substr(0, line.size()));
        }
        EXPECT_EQ(compared, 100u) << "every draw is in the sample file";
    }
}

// Real 体彩 records (the 福彩 ones: the notice pages above).
TEST(FeedParseTest, SingleSportteryRecordsBecomeDrawLines) {
    struct Case {
        const char* fixture;
        LotteryKind kind;
        const char* line;
    };
    for (const Case& c : {
             Case{"sporttery_dlt_2026.json", LotteryKind::Dlt,
                  "26107 2026-09-19 02 05 07 14 22 04 10"},
             Case{"sporttery_p3.json", LotteryKind::P3, "20001 2020-01-01 2 0 2"},
             Case{"sporttery_p5.json", LotteryKind::P5, "20001 2020-01-01 2 0 2 2 8"},
         }) {
        SCOPED_TRACE(c.fixture);
        std::string item = FeedFixture(c.fixture);
        ASSERT_FALSE(item.empty());
        Result<FeedPage> page = ParseSportteryHistory(c.kind, SportteryEnvelope(item));
        ASSERT_EQ(page.error(), "");
        EXPECT_EQ(FormatDrawFileText(c.kind, page->draws), std::string(c.line) + "\r\n");
    }
}

// What a server sends when it will not answer, and answers that break the
// feed's promise: each fails with a reason that says what came.
TEST(FeedParseTest, AnswersThatAreNotDrawListsFail) {
    std::string ssqItem = FeedFixture("cwl_ssq_single_2020001.json");
    std::string dltItem = FeedFixture("sporttery_dlt_2026.json");
    auto replace = [](std::string text, std::string_view from, std::string_view to) {
        size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    struct Case {
        const char* name;
        bool cwl;
        LotteryKind kind;
        std::string body;
        const char* reason;
    };
    for (const Case& c : {
             Case{"302 page", true, LotteryKind::Ssq,
                  FeedFixture("cwl_findDrawNotice_ssq_302_blocked.html"),
                  "an HTML page (\"302 Found\") instead of JSON"},
             Case{"cwl error envelope", true, LotteryKind::Ssq,
                  R"({"state":1,"message":"系统繁忙","result":[]})",
                  "the feed refused: state 1 \"系统繁忙\""},
             Case{"sporttery error envelope", false, LotteryKind::Dlt,
                  R"({"errorCode":"567","errorMessage":"访问受限","success":false,"value":{}})",
                  "the feed refused: error 567 \"访问受限\""},
             Case{"empty list", false, LotteryKind::Dlt, SportteryEnvelope(""),
                  "an empty draw list"},
             Case{"empty body", true, LotteryKind::Ssq, "", "an empty answer instead of JSON"},
             Case{"cut short", true, LotteryKind::Ssq, CwlEnvelope(ssqItem).substr(0, 300),
                  "JSON that is cut short or malformed"},
             Case{"five red numbers", true, LotteryKind::Ssq,
                  CwlEnvelope(replace(ssqItem, "02,15,23,26,29,30", "02,15,23,26,29")),
                  "draw 2020001: numbers \"02,15,23,26,29\" + \"02\" are not 6 + 1"},
             Case{"number out of range", false, LotteryKind::Dlt,
                  SportteryEnvelope(
                      replace(dltItem, "\"02 05 07 14 22 04 10\"", "\"02 05 07 14 22 04 13\"")),
                  "draw 26107: number 13 is outside 1..12"},
             Case{"repeated number", false, LotteryKind::Dlt,
                  SportteryEnvelope(
                      replace(dltItem, "\"02 05 07 14 22 04 10\"", "\"02 05 07 14 14 04 10\"")),
                  "draw 26107: a main number is drawn twice"},
             Case{"no date", false, LotteryKind::Dlt,
                  SportteryEnvelope(replace(dltItem, "\"2026-09-19\"", "\"2026-09-31\"")),
                  "draw 26107: the date \"2026-09-31\" is no date"},
             Case{"issue of another width", false, LotteryKind::Dlt,
                  SportteryEnvelope(replace(dltItem, "\"26107\"", "\"2026107\"")),
                  "an issue \"2026107\" that is not one of the game's"},
         }) {
        SCOPED_TRACE(c.name);
        Result<FeedPage> page =
            c.cwl ? ParseCwlNotices(c.kind, c.body) : ParseSportteryHistory(c.kind, c.body);
        EXPECT_TRUE(page.error().starts_with(c.reason)) << page.error();
    }
}

// No real 500.com list was at hand: these lists are made up from the layout
// the feed is known to have (row elements with expect, opencode and opentime).
TEST(FeedParseTest, MadeUpDrawListsFollowTheDescribedLayout) {
    struct Case {
        const char* name;
        LotteryKind kind;
        std::string xml;
        const char* text; // draw-file text, or the start of the error
    };
    const std::string head = "<?xml version=\"1.0\" encoding=\"gb2312\"?>\n<xml>\n";
    for (const Case& c : {
             Case{"dlt, newest first", LotteryKind::Dlt,
                  head + "<row expect=\"26095\" opencode=\"04,06,08,10,14|04,05\" "
                         "opentime=\"2026-08-22 21:25:00\"/>\n"
                         "<row expect=\"26094\" opencode=\"01,02,03,04,05|12,11\" "
                         "opentime=\"2026-08-20 21:25:00\"/>\n</xml>",
                  "26094 2026-08-20 01 02 03 04 05 11 12\r\n"
                  "26095 2026-08-22 04 06 08 10 14 04 05\r\n"},
             Case{"attributes in another order, blanks and other elements", LotteryKind::Ssq,
                  "<?xml version='1.0' encoding='GBK'?><root><meta a='1'/>\n  <row\n"
                  "   opentime = '2026-08-20 21:15:00'  opencode=' 01,04,16,22,26,31|04 '\n"
                  "   expect='26096' extra='x'></row></root>",
                  "2026096 2026-08-20 01 04 16 22 26 31 04\r\n"},
             Case{"七星彩 without a bar, seventh number above 9", LotteryKind::SevenXc,
                  head + "<row expect=\"26096\" opencode=\"1,4,2,6,9,5,14\" "
                         "opentime=\"2026-08-21 21:25:00\"/></xml>",
                  "26096 2026-08-21 1 4 2 6 9 5 14\r\n"},
             Case{"七乐彩 special number as L1", LotteryKind::SevenLc,
                  head + "<row expect=\"26096\" opencode=\"05,14,17,24,26,28,29|16\" "
                         "opentime=\"2026-08-21 21:15:00\"/></xml>",
                  "2026096 2026-08-21 05 14 17 24 26 28 29 16\r\n"},
             Case{"3d with 7-digit issues", LotteryKind::ThreeD,
                  head + "<row expect=\"2025297\" opencode=\"0,5,1\" "
                         "opentime=\"2025-11-07 21:15:00\"/></xml>",
                  "2025297 2025-11-07 0 5 1\r\n"},
             Case{"cut short", LotteryKind::Dlt,
                  head + "<row expect=\"26095\" opencode=\"04,06,08,10,14|04,05\" opent",
                  "XML that is cut short or malformed"},
             Case{"no rows", LotteryKind::Dlt, head + "</xml>", "an empty draw list"},
             Case{"back zone too short", LotteryKind::Dlt,
                  head + "<row expect=\"26095\" opencode=\"04,06,08,10,14|04\" "
                         "opentime=\"2026-08-22 21:25:00\"/></xml>",
                  "draw 26095: numbers \"04,06,08,10,14|04\" are not 5 + 2"},
             Case{"gzip nobody unpacked", LotteryKind::Dlt, std::string("\x1f\x8b\x08\x00", 4),
                  "a gzipped body the server did not mark as such"},
         }) {
        SCOPED_TRACE(c.name);
        Result<FeedPage> page = ParseDrawListXml(c.kind, c.xml);
        if (page)
            EXPECT_EQ(FormatDrawFileText(c.kind, page->draws), c.text);
        else
            EXPECT_TRUE(page.error().starts_with(c.text)) << page.error();
    }
}

TEST(FeedParseTest, IssuesAndDatesAsTheTablesKeepThem) {
    EXPECT_EQ(NormalizeFeedIssue(LotteryKind::ThreeD, "25297"), std::nullopt);
    EXPECT_EQ(NormalizeFeedIssue(LotteryKind::T22x5, "26001"), std::nullopt);
    EXPECT_EQ(NormalizeFeedIssue(LotteryKind::Dlt, "2609a"), std::nullopt);
    EXPECT_EQ(FeedDateOnly("2026-08-221"), std::nullopt);
    EXPECT_EQ(FeedDateOnly("2026/08/22"), std::nullopt);
}

TEST(FeedParseTest, OneLinePerIssueOldestFirst) {
    std::vector<FeedDraw> draws = {{"26096", "2026-08-21", {1, 4, 2, 6, 9, 5, 14}},
                                   {"26095", "2026-08-19", {0, 0, 0, 0, 0, 0, 0}},
                                   {"26096", "2026-08-21", {9, 9, 9, 9, 9, 9, 9}}};
    EXPECT_EQ(FormatDrawFileText(LotteryKind::SevenXc, draws),
              "26095 2026-08-19 0 0 0 0 0 0 0\r\n26096 2026-08-21 1 4 2 6 9 5 14\r\n");
}

} // namespace
} // namespace veltrix
