// One update's dealings with the feeds, over a fake HTTP client and a
// scripted database: which feeds are asked, in which order, for how many
// pages, and what is written.
#include "common/FileIO.h"
#include "fakes/TempDir.h"
#include "update/feeds/FeedTestData.h"
#include "update/feeds/FeedUpdate.h"

#include <gtest/gtest.h>

#include <array>

namespace veltrix {
namespace {

using test::SportteryEnvelope;

FeedResponse Answer(long status, std::string body = {}, std::string error = {}) {
    return {status, std::move(body), std::move(error), {}, false};
}

class FakeFeedHttp : public FeedHttp {
public:
    FeedResponse Get(const FeedRequest& request) override {
        urls.push_back(request.url);
        return answers.contains(request.url) ? answers[request.url] : Answer(404, "not found");
    }
    std::map<std::string, FeedResponse> answers;
    std::vector<std::string> urls;
};

// The newest stored issue, and the stored draws for the agreement check.
class StoredDrawsRunner : public SqlRunner {
public:
    QueryOutcome Run(const std::string& sql) override {
        statements.push_back(sql);
        QueryOutcome outcome;
        outcome.ran = true;
        outcome.resultText = sql.starts_with("select top 1 qs") ? newest : storedRows;
        return outcome;
    }
    std::string newest;
    std::string storedRows;
    std::vector<std::string> statements;
};

// A 体彩 page of dlt draws, each "issue date numbers".
FeedResponse DltPage(std::initializer_list<std::array<const char*, 3>> draws, int pages) {
    std::string items;
    for (const auto& [issue, date, numbers] : draws)
        items += std::string(items.empty() ? "" : ",") + R"({"lotteryDrawNum":")" + issue +
                 R"(","lotteryDrawTime":")" + date + R"(","lotteryDrawResult":")" + numbers +
                 R"("})";
    return Answer(200, SportteryEnvelope(items, pages));
}

class FeedSessionTest : public ::testing::Test {
protected:
    FeedSettings Settings() {
        return ChooseFeedSettings({"http://cwl.test", "http://st.test", "http://500.test"});
    }
    std::string Page(int n) {
        return FeedPageUrl(FeedKind::Sporttery, "http://st.test", LotteryKind::Dlt, n);
    }

    test::TempDir dir;
    FakeFeedHttp http;
    StoredDrawsRunner runner;
};

// A paged feed is asked until a page reaches the newest stored draw; the
// repeated draws are compared with the table and everything is written.
TEST_F(FeedSessionTest, PagesUntilTheStoredIssueThenWritesTheAnswer) {
    runner.newest = "26105\r\n";
    runner.storedRows = "26105 2026-09-15 1 2 3 4 5 1 2\r\n26104 2026-09-13 3 4 5 6 7 3 4\r\n";
    http.answers[Page(1)] = DltPage({{"26107", "2026-09-19", "02 05 07 14 22 04 10"},
                                     {"26106", "2026-09-17", "01 02 03 04 05 06 07"}},
                                    9);
    http.answers[Page(2)] = DltPage({{"26105", "2026-09-15", "01 02 03 04 05 01 02"},
                                     {"26104", "2026-09-13", "03 04 05 06 07 03 04"}},
                                    9);
    FeedSession session(http, Settings());
    FeedGameOutcome outcome =
        session.FetchGame(LotteryKind::Dlt, runner, dir.File("draws/dlt.txt"));
    EXPECT_TRUE(outcome.ok) << outcome.Describe(session.Settings());
    EXPECT_EQ(outcome.source, FeedKind::Sporttery);
    EXPECT_EQ(http.urls, (std::vector<std::string>{Page(1), Page(2)}));
    EXPECT_EQ(outcome.newDraws, 2);
    EXPECT_EQ(runner.statements.back(),
              "select qs,rq,h1,h2,h3,h4,h5,l1,l2 from dlt where qs>='26104' and qs<='26105'");
    EXPECT_EQ(ReadFileBytes(dir.File("draws/dlt.txt")).value_or(""),
              "26104 2026-09-13 03 04 05 06 07 03 04\r\n"
              "26105 2026-09-15 01 02 03 04 05 01 02\r\n"
              "26106 2026-09-17 01 02 03 04 05 06 07\r\n"
              "26107 2026-09-19 02 05 07 14 22 04 10\r\n");
    EXPECT_EQ(outcome.Describe(session.Settings()),
              "dlt: 2 new of 4 draws from the sporttery.cn draw history (http://st.test)");
}

// A feed that fails (or is turned off: the session page test) hands over to
// the next; a feed that contradicts the table ends the game's update with
// nothing written.
TEST_F(FeedSessionTest, FallbackAfterAFailureButNotAfterADisagreement) {
    runner.newest = "26094\r\n";
    runner.storedRows = "26094 2026-08-20 1 2 3 4 5 11 12\r\n";
    std::string list = "<xml><row expect=\"26095\" opencode=\"04,06,08,10,14|04,05\" "
                       "opentime=\"2026-08-22 21:25:00\"/><row expect=\"26094\" "
                       "opencode=\"01,02,03,04,05|11,12\" opentime=\"2026-08-20 21:25:00\"/></xml>";
    struct Case {
        const char* name;
        FeedResponse official;
        std::string stored;
        bool ok;
        const char* summary;
    };
    for (const Case& c : {
             Case{"firewall answer", Answer(567, "<html>blocked</html>"), runner.storedRows, true,
                  "dlt: 1 new of 2 draws from the 500.com draw list (http://500.test) (tried "
                  "first: sporttery.cn draw history: HTTP status 567)"},
             Case{"disagreeing list", Answer(567), "26094 2026-08-20 1 2 3 4 6 11 12\r\n", false,
                  "dlt: no usable answer (sporttery.cn draw history: HTTP status 567; 500.com "
                  "draw list: disagrees with the database: draw 26094 is 2026-08-20 1 2 3 4 5 "
                  "11 12 in the feed but 2026-08-20 1 2 3 4 6 11 12 in the database)"},
         }) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(dir.File("draws/dlt.txt"));
        http.answers = {{Page(1), c.official},
                        {FeedPageUrl(FeedKind::DrawListXml, "http://500.test", LotteryKind::Dlt, 1),
                         Answer(200, list)}};
        runner.storedRows = c.stored;
        FeedSession session(http, Settings());
        FeedGameOutcome outcome =
            session.FetchGame(LotteryKind::Dlt, runner, dir.File("draws/dlt.txt"));
        EXPECT_EQ(outcome.ok, c.ok);
        EXPECT_EQ(outcome.disagreed, !c.ok);
        EXPECT_EQ(outcome.Describe(session.Settings()), c.summary);
        EXPECT_EQ(FileExists(dir.File("draws/dlt.txt")), c.ok);
    }
}

// The 福彩 site's page is visited once per update, before its first feed
// request; a feed that cannot be reached is not asked again in that update;
// an empty table starts with the whole list; 22选5 asks nobody.
TEST_F(FeedSessionTest, SessionPageOnceUnreachableFeedOnceWholeListForAnEmptyTable) {
    http.answers["http://cwl.test/ygkj/wqkjgg/"] = Answer(0, "", "Could not connect");
    FeedSession session(http, ChooseFeedSettings({"http://cwl.test", "off", "off"}));
    runner.newest = "2026001\r\n";
    FeedGameOutcome ssq = session.FetchGame(LotteryKind::Ssq, runner, dir.File("draws/ssq.txt"));
    FeedGameOutcome threeD =
        session.FetchGame(LotteryKind::ThreeD, runner, dir.File("draws/3d.txt"));
    EXPECT_EQ(http.urls, std::vector<std::string>{"http://cwl.test/ygkj/wqkjgg/"});
    EXPECT_EQ(threeD.Describe(session.Settings()),
              "3d: no usable answer (cwl.gov.cn draw notices: cannot be reached: Could not "
              "connect; 500.com draw list: turned off ([OPTION] Feed500=off))");
    EXPECT_FALSE(ssq.ok);

    runner.newest = "";
    FeedGameOutcome empty = session.FetchGame(LotteryKind::P3, runner, dir.File("draws/p3.txt"));
    ASSERT_EQ(empty.failures.size(), 2u);
    EXPECT_EQ(empty.failures[0].feed, FeedKind::DrawListXml);

    size_t asked = http.urls.size();
    FeedGameOutcome t22x5 =
        session.FetchGame(LotteryKind::T22x5, runner, dir.File("draws/t22x5.txt"));
    EXPECT_FALSE(t22x5.hasFeed);
    EXPECT_EQ(http.urls.size(), asked);
    EXPECT_TRUE(
        t22x5.Describe(session.Settings()).starts_with("t22x5: 22选5 has no public draw feed"));
}

TEST(FeedSettingsTest, BaseAddressesOffAndUnusableValues) {
    FeedSettings settings = ChooseFeedSettings({"", "OFF", "http://127.0.0.1:8080//"});
    EXPECT_EQ(settings.Base(FeedKind::Cwl), "https://www.cwl.gov.cn");
    EXPECT_EQ(settings.Base(FeedKind::Sporttery), "");
    EXPECT_EQ(settings.Base(FeedKind::DrawListXml), "http://127.0.0.1:8080");
    EXPECT_TRUE(settings.warnings.empty());
    settings = ChooseFeedSettings({"ftp://mirror", "", ""});
    EXPECT_EQ(settings.Base(FeedKind::Cwl), "https://www.cwl.gov.cn");
    EXPECT_EQ(settings.warnings,
              std::vector<std::string>{"[OPTION] FeedCwl \"ftp://mirror\" is neither an http:// or "
                                       "https:// address nor off; using https://www.cwl.gov.cn"});
}

} // namespace
} // namespace veltrix
