// veltrix-cli update against the public feeds served by a loopback HTTP
// server under the feeds' own paths: the real 福彩 answers behind their
// session page, a 体彩 feed refusing with its firewall's status and the
// 500.com list (made up from the described layout, gzipped on the wire)
// answering instead, and a 体彩 answer that contradicts the stored draws.
#include "db/DrawDatabase.h"
#include "fakes/CliProcess.h"
#include "fakes/RawDatabase.h"
#include "fakes/TempDir.h"
#include "update/LoopbackDrawServer.h"
#include "update/feeds/FeedTestData.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sqlite3.h>

namespace veltrix {
namespace {

using test::CliRun;
using test::FeedFixture;

constexpr const char* kNotices = "/cwl_admin/front/cwlkj/search/kjxx/findDrawNotice";
constexpr const char* kHistory = "/gateway/lottery/getHistoryPageListV1.qry";

class FeedUpdateCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(CreateDrawDatabase(dir.File("DLT.mdb")).error(), "");
        // Stored draws end before the feeds' newest ones.
        Preload("ssq", "2026005");
        Preload("dlt", "26095");
        Preload("p3", "26224");
        std::ofstream(dir.File("Veltrix.ini"))
            << "[OPTION]\r\nFeedCwl=" << server.Base() << "\r\nFeedSporttery=" << server.Base()
            << "\r\nFeed500=" << server.Base() << "/\r\n";

        // The 福彩 site wants its page visited first, as a browser does.
        server.Handle("/ygkj/wqkjgg/", [](const httplib::Request&, httplib::Response& response) {
            response.set_header("Set-Cookie", "HMF_CI=feedtest; Path=/");
            response.set_content("<html><title>往期开奖</title></html>", "text/html");
        });
        std::string page = FeedFixture("cwl_findDrawNotice_ssq_page1_size100_2026-01-26.json");
        std::string blocked = FeedFixture("cwl_findDrawNotice_ssq_302_blocked.html");
        server.Handle(
            std::string(kNotices) + " name=ssq pageNo=1",
            [this, page, blocked](const httplib::Request& request, httplib::Response& response) {
                bool browserLike =
                    request.get_header_value("Cookie") == "HMF_CI=feedtest" &&
                    request.get_header_value("Referer") == server.Base() + "/" &&
                    request.get_header_value("User-Agent").starts_with("Mozilla/5.0");
                response.status = browserLike ? 200 : 302;
                response.set_content(browserLike ? page : blocked,
                                     browserLike ? "application/json" : "text/html");
            });
        server.Handle(
            std::string(kHistory) + " gameNo=85 pageNo=1",
            [](const httplib::Request&, httplib::Response& response) { response.status = 567; });
        std::string list = FeedFixture("madeup_500_dlt_list.xml.gz");
        server.Handle("/static/info/kaijiang/xml/dlt/list.xml",
                      [list](const httplib::Request&, httplib::Response& response) {
                          response.set_header("Content-Encoding", "gzip");
                          response.set_content(list, "text/xml");
                      });
        // 26224 is stored as 9 1 2.
        server.Serve(
            std::string(kHistory) + " gameNo=35 pageNo=1",
            test::SportteryEnvelope(
                R"({"lotteryDrawNum":"26225","lotteryDrawTime":"2026-08-23","lotteryDrawResult":"1 2 3"},)"
                R"({"lotteryDrawNum":"26224","lotteryDrawTime":"2026-08-22","lotteryDrawResult":"9 1 3"})",
                300));
    }

    void Preload(const std::string& code, const std::string& lastIssue) {
        std::ifstream in(test::SampleDrawFile(code + ".txt"), std::ios::binary);
        std::ofstream out(dir.File(code + ".part.txt"), std::ios::binary);
        std::string line;
        while (std::getline(in, line) && line.substr(0, line.find(' ')) <= lastIssue)
            out << line << "\n";
        out.close();
        CliRun run = Run({"import", code, dir.File(code + ".part.txt")});
        ASSERT_EQ(run.status, 0) << run.err;
    }

    CliRun Run(const std::vector<std::string>& args) {
        return test::RunCli(dir.Path().string(), args);
    }

    std::vector<std::string> Rows(const std::string& sql) {
        return test::RawDatabase(dir.File("DLT.mdb"), SQLITE_OPEN_READONLY).Rows(sql);
    }

    test::TempDir dir;
    test::LoopbackDrawServer server;
};

TEST_F(FeedUpdateCliTest, EachGameFromTheFirstFeedThatAnswersWell) {
    // A fallback answering after a failed first feed is a success.
    CliRun dlt = Run({"update", "dlt"});
    EXPECT_EQ(dlt.status, 0) << dlt.err;
    EXPECT_NE(dlt.err.find("2 new of 4 draws from the 500.com draw list (" + server.Base() +
                           ") (tried first: sporttery.cn draw history: HTTP status 567)"),
              std::string::npos)
        << dlt.err;
    EXPECT_EQ(Rows("select qs||' '||rq||' '||h1||' '||l2 from dlt where qs>'26095' order by qs"),
              (std::vector<std::string>{"26096 2026-08-25 1 12", "26097 2026-08-27 3 9"}));

    CliRun ssq = Run({"update", "ssq"});
    EXPECT_EQ(ssq.status, 0) << ssq.err;
    EXPECT_EQ(Rows("select count(*)||' '||max(qs) from ssq where qs>'2026005'"),
              std::vector<std::string>{"6 2026011"});

    // A disagreeing answer: nothing imported, the 500.com list not asked.
    CliRun p3 = Run({"update", "p3"});
    EXPECT_NE(p3.status, 0);
    EXPECT_NE(p3.err.find("draw 26224 is 2026-08-22 9 1 3 in the feed but 2026-08-22 9 1 2 in "
                          "the database"),
              std::string::npos)
        << p3.err;
    EXPECT_EQ(Rows("select count(*) from p3 where qs>'26224'"), std::vector<std::string>{"0"});
    std::vector<std::string> asked = server.Asked();
    EXPECT_EQ(std::count(asked.begin(), asked.end(), "/ygkj/wqkjgg/"), 1); // once per update run
    EXPECT_EQ(std::count(asked.begin(), asked.end(), "/static/info/kaijiang/xml/pls/list.xml"), 0);

    CliRun sources = Run({"sources"});
    EXPECT_EQ(sources.status, 0) << sources.err;
    EXPECT_NE(sources.out.find("ssq\tcwl.gov.cn draw notices (" + server.Base() + ")\t"),
              std::string::npos)
        << sources.out;
    EXPECT_NE(sources.out.find("\t2026011\t2026-01-25\n"), std::string::npos) << sources.out;
    EXPECT_NE(sources.out.find("p3\t-\t-\t26224\t2026-08-22\n"), std::string::npos) << sources.out;
}

// DrawServer= set means the draw server alone.
TEST_F(FeedUpdateCliTest, DrawServerAlone) {
    std::ofstream(dir.File("Veltrix.ini"), std::ios::app)
        << "DrawServer=" << server.Base() << "/server\r\n";
    size_t before = server.Asked().size();
    CliRun dlt = Run({"update", "dlt"});
    EXPECT_NE(dlt.status, 0);
    std::vector<std::string> asked = server.Asked();
    EXPECT_EQ(std::vector<std::string>(asked.begin() + static_cast<long>(before), asked.end()),
              std::vector<std::string>{"/server/getData/dlt.TXT"});
}

} // namespace
} // namespace veltrix
